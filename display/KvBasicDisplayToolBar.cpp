#include "display/KvBasicDisplayToolBar.h"

#include "display/KvButtonGlyphs.h"
#include "display/KvCanvas.h"
#include "display/KvDataDisplay.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int GlyphWidth = KvButtonGlyphs::Width;
constexpr int GlyphHeight = KvButtonGlyphs::Height;
// Where the bar reads the pointer when the mouse is not over the display: no cell is there.
constexpr QPoint Nowhere(-100, -100);

}  // namespace

const TClassInfo& TKvBasicDisplayToolBar::StaticClassInfo() {
  return DefineClass<TKvBasicDisplayToolBar, TKvDisplayComponent>(
      "TKvBasicDisplayToolBar", [](TPublished<TKvBasicDisplayToolBar>& p) {
        using C = TKvBasicDisplayToolBar;
        p.Boolean("Visible", &C::Visible, &C::SetVisible, true)
            .Boolean("AutoHide", &C::AutoHide, &C::SetAutoHide, true)
            .Colour("GlyphColor", &C::GlyphColor, &C::SetGlyphColor, clYellow)
            .Colour("BorderColor", &C::BorderColor, &C::SetBorderColor, clGreen)
            .Colour("ButtonColor", &C::ButtonColor, &C::SetButtonColor, clBlack)
            .Colour("MouseOverBorderColor", &C::MouseOverBorderColor, &C::SetMouseOverBorderColor, clLime)
            .Colour("MouseOverButtonColor", &C::MouseOverButtonColor, &C::SetMouseOverButtonColor, clGreen)
            .Colour("MouseDownBorderColor", &C::MouseDownBorderColor, &C::SetMouseDownBorderColor, clYellow)
            .Colour("MouseDownButtonColor", &C::MouseDownButtonColor, &C::SetMouseDownButtonColor, clOlive)
            .Colour("DisabledColor", &C::DisabledColor, &C::SetDisabledColor, clGreen)
            .Enumeration("Cursor", CursorNames(), &C::Cursor, &C::SetCursor, TCursor::crHandPoint);
      });
}

TKvBasicDisplayToolBar::TKvBasicDisplayToolBar(TKvDataDisplay& display)
    : TKvDisplayComponent(display), Images_(Colours()) {}

TKvButtonColours TKvBasicDisplayToolBar::Colours() const {
  const QPalette palette = Display().palette();
  const auto rgb = [&](TColor color) { return ToQColor(color, palette).rgb(); };
  return {rgb(GlyphColor_),           rgb(BorderColor_),          rgb(ButtonColor_),
          rgb(MouseOverBorderColor_), rgb(MouseOverButtonColor_), rgb(MouseDownBorderColor_),
          rgb(MouseDownButtonColor_), rgb(DisabledColor_)};
}

void TKvBasicDisplayToolBar::UpdateShown(bool& field, bool value) {
  if (field == value) return;
  Locked([&] { field = value; });
  Display().Redraw();
}

void TKvBasicDisplayToolBar::UpdateColour(TColor& field, TColor value) {
  if (field == value) return;
  Locked([&] { field = value; });
  Images_.Rebuild(Colours());
  Display().Redraw();
}

TKvDisplayIntToolBarButton& TKvBasicDisplayToolBar::AddButton(TKvDisplayToolBarButton& published, int glyph,
                                                              std::function<void()> action) {
  TKvDisplayIntToolBarButton button;
  button.Published = &published;
  button.Glyph = glyph;
  button.Action = std::move(action);
  return Buttons_.emplace_back(std::move(button));
}

int TKvBasicDisplayToolBar::ButtonCount() const {
  return static_cast<int>(std::count_if(Buttons_.begin(), Buttons_.end(), [](const auto& b) { return b.Visible; }));
}

int TKvBasicDisplayToolBar::TotalWidth() const { return ButtonCount() * (GlyphWidth + 1); }

int TKvBasicDisplayToolBar::RowHeight() const { return GlyphHeight + 1; }

int TKvBasicDisplayToolBar::ComputeBarLeft() const {
  return Display().GetExportWidth() - TotalWidth() / GetRowCount() - 2;
}

int TKvBasicDisplayToolBar::GetBarLeft() const { return Frozen ? FrozenRect.Left : ComputeBarLeft(); }

int TKvBasicDisplayToolBar::GetBarTop() const { return Frozen ? FrozenRect.Top : ComputeBarTop(); }

TKvRect TKvBasicDisplayToolBar::ComputedRect() const {
  const int left = GetBarLeft(), top = GetBarTop(), rows = GetRowCount();
  return {left, top, left + TotalWidth() / rows, top + rows * RowHeight() + 1};
}

TKvRect TKvBasicDisplayToolBar::GetRect() const { return Frozen ? FrozenRect : ComputedRect(); }

std::vector<TKvBasicDisplayToolBar::TCell> TKvBasicDisplayToolBar::Cells() const {
  const int perRow = std::max(ButtonCount() / GetRowCount(), 1);
  const int left = GetBarLeft();
  int x = left, y = GetBarTop(), inRow = 0;
  std::vector<TCell> cells;
  for (size_t i = 0; i < Buttons_.size(); ++i) {
    if (!Buttons_[i].Shown()) continue;
    cells.push_back({i, {x, y, x + GlyphWidth, y + GlyphHeight}});
    x += GlyphWidth + 1;
    if (++inRow == perRow) {
      inRow = 0;
      x = left;
      y += RowHeight();
    }
  }
  return cells;
}

bool TKvBasicDisplayToolBar::MouseIsHome() const { return Display().MouseInside(); }

bool TKvBasicDisplayToolBar::ShouldPaint() const {
  return Visible_ && (!AutoHide_ || MouseIsHome() || Display().IsDesigning());
}

void TKvBasicDisplayToolBar::PaintBar(TKvCanvas& canvas) {
  UpdateStates();
  const QPoint pointer = Display().MouseInside() ? Display().MousePosition() : Nowhere;
  Hot_ = false;
  canvas.SetBrush(Display().Color());
  canvas.SetPen(Display().Color());
  for (const TCell& cell : Cells()) {
    const TKvDisplayIntToolBarButton& button = Buttons_[cell.Button];
    canvas.FillRect(cell.Rect);
    TKvButtonLook look = TKvButtonLook::Normal;
    if (!button.Enabled) {
      look = TKvButtonLook::Disabled;
    } else if (cell.Rect.Contains(pointer.x(), pointer.y())) {
      look = button.Pressed ? TKvButtonLook::MouseDown : TKvButtonLook::MouseOver;
      Hot_ = true;
    }
    Images_.Draw(canvas.Painter(), cell.Rect.Left, cell.Rect.Top, look, button.Glyph);
  }
}

void TKvBasicDisplayToolBar::MouseMoveAt(Qt::KeyboardModifiers shift, int x, int y, bool& handled) {
  TKvDisplayComponent::MouseMoveAt(shift, x, y, handled);
  if (!IsActive() || !GetRect().Contains(x, y)) return;
  if (!CursorReplaced) {
    Display().ChangeCursor(Cursor_);
    CursorReplaced = true;
  }
  Display().InvalidateRect(GetRect());
}

void TKvBasicDisplayToolBar::MouseDownAt(Qt::MouseButton button, Qt::KeyboardModifiers, bool& handled, bool, int x,
                                         int y) {
  if (button != Qt::LeftButton || handled) return;
  UpdateStates();
  // The cells as they are now: an action may change which buttons are shown.
  for (const TCell& cell : Cells()) {
    TKvDisplayIntToolBarButton& target = Buttons_[cell.Button];
    if (!cell.Rect.Contains(x, y)) {
      if (target.Pressed) {
        target.Pressed = false;
        Display().InvalidateRect(cell.Rect);
      }
      continue;
    }
    if (!target.Enabled) continue;
    handled = true;
    target.Pressed = true;
    bool replaced = false;
    if (target.Published->OnClick) {
      Display().Redraw();
      target.Published->OnClick(target.Published, replaced);
    }
    if (!replaced && target.Action) target.Action();
    Display().InvalidateRect(cell.Rect);
  }
}

void TKvBasicDisplayToolBar::MouseUpAt(Qt::MouseButton button, Qt::KeyboardModifiers, bool, int, int) {
  if (button == Qt::LeftButton) ReleaseButtons();
}

void TKvBasicDisplayToolBar::ReleaseButtons() {
  // Hidden ones too: a button hidden while pressed would show pressed when it comes back.
  bool released = false;
  for (TKvDisplayIntToolBarButton& button : Buttons_) released |= std::exchange(button.Pressed, false);
  if (released) Display().InvalidateRect(GetRect());
}

void TKvBasicDisplayToolBar::HoverEnter() {
  FrozenRect = ComputedRect();
  Frozen = true;
  if (IsActive()) Display().InvalidateRect(FrozenRect);
}

void TKvBasicDisplayToolBar::HoverLeave() {
  const TKvRect rect = GetRect();
  Frozen = false;
  if (Hot_) Display().InvalidateRect(rect);
  if (CursorReplaced) {
    CursorReplaced = false;
    Display().RestoreCursor();
  }
}
