#include "display/KvAxisToolBar.h"

#include "display/KvButtonGlyphs.h"
#include "display/KvDataDisplay.h"
#include "display/KvDisplayAxis.h"

#include <algorithm>

namespace {

using namespace KvButtonGlyphs;

enum TButton : size_t { bZoomIn, bZoomOut, bZoomOff, bOneDirection };

}  // namespace

const TClassInfo& TKvAxisToolBar::StaticClassInfo() {
  return DefineClass<TKvAxisToolBar, TKvBasicDisplayToolBar>(
      "TKvAxisToolBar", [](TPublished<TKvAxisToolBar>& p) { p.Object("Buttons", &TKvAxisToolBar::Buttons); });
}

TKvAxisToolBar::TKvAxisToolBar(TKvDataDisplay& display, TKvDisplayAxis& axis)
    : TKvBasicDisplayToolBar(display), Axis_(axis), Buttons_(display, this) {
  AddButton(*Buttons_.ZoomIn(), gZoomIn, [this] { ZoomAxisBy(0.5); });
  AddButton(*Buttons_.ZoomOut(), gZoomOut, [this] { ZoomAxisBy(2.0); });
  AddButton(*Buttons_.ZoomOff(), gZoomOff, [this] { ZoomAxisOff(); });
  AddButton(*Buttons_.ZoomOneDir(), gHorizontalArrows, [this] { ZoomOneDirection(); });
}

int TKvAxisToolBar::GetRowCount() const { return Axis_.IsVerticalLayout() ? 4 : 1; }

bool TKvAxisToolBar::IsActive() const { return Visible() && Axis_.IsActive(); }

bool TKvAxisToolBar::MouseIsHome() const { return Axis_.Hovered() || Hovered(); }

TKvDisplayZoomMode TKvAxisToolBar::OneDirectionMode() const {
  const std::vector<TKvDisplayAxis*> y = Display().ZoomAxes().Y;
  const bool isY = std::find(y.begin(), y.end(), &Axis_) != y.end();
  return isY ? TKvDisplayZoomMode::zmYAxis : TKvDisplayZoomMode::zmXAxis;
}

void TKvAxisToolBar::UpdateStates() {
  Button(bZoomIn).Enabled = Axis_.CanZoomIn();
  Button(bZoomOut).Enabled = Axis_.CanZoomOut();
  Button(bZoomOff).Enabled = Axis_.IsZoomed();
  Button(bOneDirection).Enabled = Display().Zooming()->Mode() != OneDirectionMode();
  Button(bOneDirection).Glyph = Axis_.IsVerticalLayout() ? gVerticalArrows : gHorizontalArrows;
}

int TKvAxisToolBar::ComputeBarLeft() const {
  const TKvRect axis = Axis_.ViewRect();
  switch (Axis_.GetAlign()) {
    case TKvViewAlign::vaLeft: return axis.Left + 3;
    case TKvViewAlign::vaRight: return axis.Right - Width - 3;
    default: {
      const TKvDisplayView* view = Display().GetDataView();
      return view ? view->GetLeft() : axis.Left;
    }
  }
}

int TKvAxisToolBar::ComputeBarTop() const {
  const TKvRect axis = Axis_.ViewRect();
  switch (Axis_.GetAlign()) {
    case TKvViewAlign::vaTop: return axis.Top + 3;
    case TKvViewAlign::vaBottom: return axis.Bottom - Height - 3;
    default: {
      const TKvDisplayView* view = Display().GetDataView();
      return view ? view->GetTop() : axis.Top;
    }
  }
}

void TKvAxisToolBar::ZoomAxisBy(double factor) {
  TKvDataDisplay& d = Display();
  d.PushZoomState(false);
  Axis_.ZoomAxisBy(factor);
  d.FireZoomChanged(TKvZoomOperation::zoZoom);
}

void TKvAxisToolBar::ZoomAxisOff() {
  Display().PushZoomState(false);
  Axis_.ZoomOff();
}

void TKvAxisToolBar::ZoomOneDirection() { Display().Zooming()->SetMode(OneDirectionMode()); }
