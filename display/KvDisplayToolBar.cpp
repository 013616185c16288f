#include "display/KvDisplayToolBar.h"

#include "display/KvButtonGlyphs.h"
#include "display/KvDataDisplay.h"
#include "display/KvDisplayView.h"

#include <QPrinter>

#include <algorithm>
#include <exception>
#include <initializer_list>

namespace {

using namespace KvButtonGlyphs;

// The internal buttons, in drawing order.
enum TButton : size_t {
  bPlay,
  bPause,
  bZoomMode,
  bPanMode,
  bCopy,
  bPrint,
  bSave,
  bSetup,
  bZoomIn,
  bZoomOut,
  bZoomOff,
  bZoomPrevious,
  bZoomNext,
  bXYZoomOn
};

bool IsOneOf(TKvCoordinateMode mode, std::initializer_list<TKvCoordinateMode> modes) {
  return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

}  // namespace

const TClassInfo& TKvDisplayToolBar::StaticClassInfo() {
  return DefineClass<TKvDisplayToolBar, TKvBasicDisplayToolBar>(
      "TKvDisplayToolBar", [](TPublished<TKvDisplayToolBar>& p) {
        p.Object("Position", &TKvDisplayToolBar::Position).Object("Buttons", &TKvDisplayToolBar::Buttons);
      });
}

TKvDisplayToolBar::TKvDisplayToolBar(TKvDataDisplay& display)
    : TKvBasicDisplayToolBar(display), Position_(display, this), Buttons_(display, this) {
  TKvDisplayToolBarButtons& b = Buttons_;
  AddButton(*b.Hold(), gPlay, [this] { Display().SetZoomHold(false); }).Visible = false;
  AddButton(*b.Hold(), gPause, [this] {
    Display().SetZoomHold(true);
    Button(bPlay).Pressed = Button(bPause).Pressed = true;
  });
  AddButton(*b.ZoomMode(), gMagnifier, [this] { Display().SetNavigateMode(TKvDisplayNavigateMode::nmZoom); }).Visible =
      false;
  AddButton(*b.ZoomMode(), gHand, [this] { Display().SetNavigateMode(TKvDisplayNavigateMode::nmPan); });
  AddButton(*b.Copy(), gCopy, [this] { Display().CopyToClipboard(); });
  AddButton(*b.Print(), gPrinter, [this] { PrintWithDialog(); });
  AddButton(*b.Save(), gDiskette, [this] { SaveWithDialog(); });
  AddButton(*b.Setup(), gWrench, [this] { Display().ShowPropertiesDialog(0, 0); });
  AddButton(*b.ZoomIn(), gZoomIn, [this] { Display().ZoomBy(0.5); });
  AddButton(*b.ZoomOut(), gZoomOut, [this] { Display().ZoomBy(2.0); });
  AddButton(*b.ZoomOff(), gZoomOff, [this] { Display().ZoomOff(); });
  AddButton(*b.ZoomPrevious(), gZoomPrevious, [this] { Display().ZoomPrevious(); });
  AddButton(*b.ZoomNext(), gZoomNext, [this] { Display().ZoomNext(); });
  AddButton(*b.XYZoomOn(), gFourArrows, [this] { Display().Zooming()->SetMode(TKvDisplayZoomMode::zmBoth); });
}

void TKvDisplayToolBar::UpdateStates() {
  TKvDataDisplay& d = Display();
  const bool held = d.ZoomHold(), panning = d.NavigateMode() == TKvDisplayNavigateMode::nmPan;
  Button(bPlay).Visible = held;
  Button(bPause).Visible = !held;
  Button(bZoomMode).Visible = panning;
  Button(bPanMode).Visible = !panning;
  Button(bZoomIn).Enabled = d.CanZoomIn();
  Button(bZoomOut).Enabled = d.CanZoomOut();
  Button(bZoomOff).Enabled = d.IsZoomed();
  Button(bZoomPrevious).Enabled = !d.UndoList().Empty();
  Button(bZoomNext).Enabled = !d.RedoList().Empty();
  Button(bXYZoomOn).Enabled = d.Zooming()->Mode() != TKvDisplayZoomMode::zmBoth;
}

std::pair<int, int> TKvDisplayToolBar::HostSpan(bool across) const {
  const TKvDisplayView* view = Display().GetDataView();
  if (Position_.HostView() == TKvToolBarHostView::thvDataView && view) {
    if (across) return {view->GetLeft(), view->GetWidth()};
    return {view->GetTop(), view->GetHeight()};
  }
  return {0, across ? Display().GetExportWidth() : Display().GetExportHeight()};
}

int TKvDisplayToolBar::ComputeBarLeft() const {
  using enum TKvCoordinateMode;
  const auto [left, width] = HostSpan(true);
  const int barWidth = TotalWidth() / GetRowCount();
  const TKvCoordinateMode mode = Position_.CoordinateMode();
  if (IsOneOf(mode, {cmLeftTop, cmLeftBottom, cmLeftCenter})) return left + Position_.CX();
  if (IsOneOf(mode, {cmRightTop, cmRightBottom, cmRightCenter})) return left + width - Position_.CX() + 1 - barWidth;
  return left + (width - barWidth) / 2 - Position_.CX() + 1;
}

int TKvDisplayToolBar::ComputeBarTop() const {
  using enum TKvCoordinateMode;
  const auto [top, height] = HostSpan(false);
  const int barHeight = std::min(GetRowCount(), ButtonCount()) * RowHeight();
  const TKvCoordinateMode mode = Position_.CoordinateMode();
  if (IsOneOf(mode, {cmLeftTop, cmRightTop, cmTopCenter})) return top + Position_.CY();
  if (IsOneOf(mode, {cmLeftBottom, cmRightBottom, cmBottomCenter}))
    return top + height - Position_.CY() - barHeight + 1;
  return top + (height - barHeight) / 2 - Position_.CY() + 1;
}

void TKvDisplayToolBar::WithHold(const std::function<bool()>& ask, const std::function<void()>& act) {
  TKvDataDisplay& d = Display();
  const bool held = d.ZoomHold();
  d.SetZoomHold(true);
  // Cancelled: the display stays held, so that what the user looked at stays too.
  if (!ask()) return;
  try {
    act();
  } catch (const std::exception& error) {
    if (Dialogs.ShowError) Dialogs.ShowError(&d, error.what());
  }
  d.SetZoomHold(held);
}

void TKvDisplayToolBar::PrintWithDialog() {
  QPrinter printer;
  WithHold([&] { return Dialogs.AskPrinter && Dialogs.AskPrinter(&Display(), printer); },
           [&] { Display().Print(printer); });
}

void TKvDisplayToolBar::SaveWithDialog() {
  std::optional<std::string> name;
  WithHold(
      [&] {
        if (Dialogs.AskSaveFileName) name = Dialogs.AskSaveFileName(&Display());
        return name.has_value();
      },
      [&] { Display().SaveToFile(*name); });
}
