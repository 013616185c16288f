// How the legend follows the mouse: hovered entries, the scroll buttons and wheel, clicks.
#include "display/KvDataDisplay.h"
#include "display/KvLegendView.h"

#include <algorithm>
#include <vector>

TKvRect TKvLegendView::UpButtonCell() const {
  const int right = GetLeft() + GetWidth(), top = GetTop();
  return {right - 3 - 16, top, right - 3, top + 16};
}

TKvRect TKvLegendView::DownButtonCell() const {
  const int right = GetLeft() + GetWidth(), bottom = GetTop() + GetHeight();
  return {right - 3 - 16, bottom - 16 - 3, right - 3, bottom - 3};
}

bool TKvLegendView::MouseOver() const {
  const QPoint mouse = Display().MousePosition();
  return Display().MouseInside() && GetRect().Contains(mouse.x(), mouse.y());
}

void TKvLegendView::UpdateHover(int x, int y) {
  if (!Buttons_.Enabled()) return;
  // A button with nothing left to scroll that way is not hot.
  THotButton hot = THotButton::None;
  if (UpButtonCell().Contains(x, y)) hot = Offset > 0 ? THotButton::Up : THotButton::None;
  else if (DownButtonCell().Contains(x, y)) hot = ContentFits() ? THotButton::None : THotButton::Down;
  if (hot != Hot) InvalidateView();
  Hot = hot;

  const int left = GetLeft(), right = GetLeft() + GetWidth(), top = GetTop(), row = RowHeight(), half = HalfLine();
  TKvBasicLegendGroup* hoveredGroup = nullptr;
  int hoveredIndex = -1;
  WalkEntries(
      FirstRow() - 1, [](const TKvBasicLegendGroup&, int) {},
      [&](TKvBasicLegendGroup& group, int index, int entryY) {
        const TKvRect cell{left + 4, entryY - half, right - 2, entryY + row - half};
        if (entryY >= top && Hot == THotButton::None && cell.Contains(x, y)) {
          hoveredGroup = &group;
          hoveredIndex = index;
        }
      });
  bool changed = false, hadEntry = false;
  for (TKvBasicLegendGroup* group : Groups_) {
    const int index = group == hoveredGroup ? hoveredIndex : -1;
    hadEntry |= group->HoveredIndex() >= 0;
    if (index == group->HoveredIndex()) continue;
    changed = true;
    group->SetHovered(index);
  }
  if (!changed) return;
  InvalidateView();
  // Decided once all groups know, so that leaving one group's entry for another's keeps the
  // cursor of the one now hovered.
  if (hoveredGroup) Display().ChangeCursor(hoveredGroup->Cursor());
  else if (hadEntry) Display().RestoreCursor();
}

void TKvLegendView::HoverAtMouse() {
  const QPoint mouse = Display().MousePosition();
  UpdateHover(mouse.x(), mouse.y());
}

void TKvLegendView::MouseMoveAt(Qt::KeyboardModifiers shift, int x, int y, bool& handled) {
  TKvOptionalView::MouseMoveAt(shift, x, y, handled);
  UpdateHover(x, y);
}

bool TKvLegendView::ScrollBy(int step) {
  if (step > 0 ? ContentFits() : Offset <= 0) return false;
  Offset += step;
  InvalidateView();
  return true;
}

void TKvLegendView::WheelDown(Qt::KeyboardModifiers, int x, int y) {
  if (ScrollBy(ScrollStep)) UpdateHover(x, y);
}

void TKvLegendView::WheelUp(Qt::KeyboardModifiers, int x, int y) {
  if (ScrollBy(-ScrollStep)) UpdateHover(x, y);
}

void TKvLegendView::RepeatScroll() {
  Timer.SetInterval(NextRepeats);
  if (Hot == THotButton::None) return;
  ScrollBy(Hot == THotButton::Up ? -ScrollStep : ScrollStep);
  HoverAtMouse();
}

void TKvLegendView::MouseDownAt(Qt::MouseButton button, Qt::KeyboardModifiers, bool& handled, bool, int x, int y) {
  if (!Buttons_.Enabled() || button != Qt::LeftButton) return;
  UpdateHover(x, y);
  if (Hot != THotButton::None) {
    ScrollBy(Hot == THotButton::Up ? -ScrollStep : ScrollStep);
    UpdateHover(x, y);
    Timer.Start(FirstRepeat);
    handled = true;
    return;
  }
  // A handler may delete items, or a custom group with them: each group is looked up again.
  const auto listedAt = [this](const TKvBasicLegendGroup* group) {
    return int(std::find(Groups_.begin(), Groups_.end(), group) - Groups_.begin());
  };
  for (TKvBasicLegendGroup* group : std::vector(Groups_)) {
    if (listedAt(group) == int(Groups_.size()) || group->HoveredIndex() < 0) continue;
    const int index = group->HoveredIndex();
    group->SetPressed(index);
    handled = true;
    bool taken = false;
    group->OnItemClick(group, index, taken);
    // A deleted item (or any other of its group) leaves nothing for the dialog to show.
    const int at = listedAt(group);
    if (at == int(Groups_.size()) || group->PressedIndex() != index) continue;
    if (!taken && group->AllowsPropertiesDialog()) Display().ShowPropertiesDialog(at, index);
    group->SetPressed(-1);
  }
}

void TKvLegendView::MouseUpAt(Qt::MouseButton button, Qt::KeyboardModifiers, bool, int, int) {
  if (button != Qt::LeftButton) return;
  CaptureLost();
}

void TKvLegendView::CaptureLost() {
  if (Timer.Active()) {
    Timer.Stop();
    InvalidateView();
  }
  for (TKvBasicLegendGroup* group : Groups_) group->SetPressed(-1);
}

void TKvLegendView::MouseLeaveDisplay() {
  TKvOptionalView::MouseLeaveDisplay();
  for (TKvBasicLegendGroup* group : Groups_)
    if (group->HoveredIndex() >= 0) group->SetHovered(-1);
  Display().RestoreCursor();
  Hot = THotButton::None;
  InvalidateView();
}
