#include "display/KvZoomGesture.h"

#include "display/KvCanvas.h"
#include "display/KvDataDisplay.h"
#include "display/KvDisplayAxis.h"
#include "display/KvDisplayView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

// What a gesture works on: the display's zoom axes (a main X and a main Y at least) and its data
// view's rectangle.
struct TGestureFrame {
  TKvZoomAxes Axes;
  TKvRect Rect;
  const TKvDisplayAxis& X() const { return *Axes.X.front(); }
  const TKvDisplayAxis& Y() const { return *Axes.Y.front(); }
};

std::optional<TGestureFrame> FrameOf(const TKvDataDisplay& display) {
  TKvZoomAxes axes = display.ZoomAxes();
  const TKvDisplayView* view = display.GetDataView();
  if (axes.X.empty() || axes.Y.empty() || !view) return std::nullopt;
  return TGestureFrame{std::move(axes), view->GetRect()};
}

// A drag shorter than this in both directions is a click.
constexpr int ClickSlop = 5;

// Where an axis runs in the data view, and whether its values rise with the pixel coordinate.
struct TAxisRun {
  int A = 0;
  int B = 0;
  bool Rising = true;
};

TAxisRun RunOf(const TKvDisplayAxis& axis, const TKvRect& view, bool alongX) {
  return {alongX ? view.Left : view.Top, alongX ? view.Right : view.Bottom, axis.GetMapping().Direction() > 0};
}

// The window of the pixels p1 ≤ p2 on an axis showing [min, max] over the run. The formulas keep
// the pixel conventions the displays have always had; a reversed axis gets the region the user
// marked, by mirroring.
std::pair<double, double> WindowOf(const TKvDisplayAxis& axis, const TAxisRun& run, int p1, int p2, bool isX) {
  if (axis.GetScaleMode() != TKvScaleMode::smLinear) {
    // Through the axis's own transform: the edges land on the values drawn at those pixels.
    const TKvAxisMapping mapping = axis.GetMapping();
    const double v1 = axis.ToValueUnits(mapping.ToValue(p1)), v2 = axis.ToValueUnits(mapping.ToValue(p2));
    return {std::min(v1, v2), std::max(v1, v2)};
  }
  const double min = axis.GetVisibleMin(), max = axis.GetVisibleMax();
  const double s = (max - min) / (run.B - run.A);
  const int a = run.A, b = run.B;
  if (isX) {
    if (run.Rising) return {min + (p1 - a) * s, min + (p2 + 1 - a) * s};
    return {min + (b - 1 - p2) * s, min + (b - p1) * s};
  }
  if (run.Rising) return {min + (p1 - a) * s, min + (p2 - a) * s};
  return {min + (b - 2 - p2) * s, max - (p1 - a) * s};
}

// `shift` limited so that [vmin, vmax] moved by it keeps to the axis's limits (and, with
// `full`, to its full range), checked in a fixed order.
double LimitShift(const TKvDisplayAxis& axis, double shift, bool full) {
  const double vmin = axis.GetVisibleMin(), vmax = axis.GetVisibleMax();
  const TKvDisplayAxis::TPanLimits limits = axis.PanLimits();
  if (full && vmin + shift < axis.GetFullMin()) shift = axis.GetFullMin() - vmin;
  if (limits.MinHigh && vmin + shift > *limits.MinHigh) shift = *limits.MinHigh - vmin;
  if (limits.MinLow && vmin + shift < *limits.MinLow) shift = *limits.MinLow - vmin;
  if (full && vmax + shift > axis.GetFullMax()) shift = axis.GetFullMax() - vmax;
  if (limits.MaxHigh && vmax + shift > *limits.MaxHigh) shift = *limits.MaxHigh - vmax;
  if (limits.MaxLow && vmax + shift < *limits.MaxLow) shift = *limits.MaxLow - vmax;
  return shift;
}

}  // namespace

void TKvZoomGesture::Begin(QPoint point) {
  Panned = false;
  Press = Last = point;
  Dragging_ = true;
  if (Display.Zooming()->MouseZoom()) Display.SetDragInProgress(true);
}

void TKvZoomGesture::Move(QPoint point) {
  if (!Dragging_) return;
  if (Display.NavigateMode() == TKvDisplayNavigateMode::nmPan) return PanTo(point);
  Last = point;
  // Only the band moves: the picture is copied again, not painted again.
  if (ShowsBand()) Display.update();
}

void TKvZoomGesture::End() {
  if (!Dragging_) return;
  Dragging_ = false;
  if (Display.NavigateMode() == TKvDisplayNavigateMode::nmPan) {
    if (Panned) Display.FireZoomChanged(TKvZoomOperation::zoZoom);
    Panned = false;
  } else if (Display.Zooming()->MouseZoom()) {
    if (std::abs(Last.x() - Press.x()) < ClickSlop && std::abs(Last.y() - Press.y()) < ClickSlop) Display.Relayout();
    else ZoomToBand();
  }
  Finish();
}

void TKvZoomGesture::Cancel() {
  if (!Dragging_) return;
  // A display being taken apart has no one left to tell and nothing to commit.
  if (Display.IsDestroying()) return Abandon();
  Dragging_ = false;
  // The pan already moved the axes; those who keep displays in step must hear of it.
  if (Panned) Display.FireZoomChanged(TKvZoomOperation::zoZoom);
  Panned = false;
  Finish();
}

void TKvZoomGesture::Abandon() {
  Dragging_ = Panned = false;
  Display.SetDragInProgress(false);
}

void TKvZoomGesture::Finish() {
  Display.SetDragInProgress(false);
  Display.CommitWaitingData();
  Display.update();
}

bool TKvZoomGesture::ShowsBand() const {
  return Dragging_ && Display.NavigateMode() == TKvDisplayNavigateMode::nmZoom && Display.Zooming()->MouseZoom();
}

void TKvZoomGesture::PaintBand(TKvCanvas& canvas) const {
  const TKvDisplayView* view = Display.GetDataView();
  if (!ShowsBand() || !view) return;
  const TKvRect rect = view->GetRect();
  canvas.SetPen(Display.Zooming()->SelectionColor());
  canvas.SetClearBrush();
  const int x1 = std::min(Press.x(), Last.x()), x2 = std::max(Press.x(), Last.x());
  const int y1 = std::min(Press.y(), Last.y()), y2 = std::max(Press.y(), Last.y());
  switch (Display.Zooming()->Mode()) {
    case TKvDisplayZoomMode::zmBoth: canvas.Rectangle({x1, y1, x2 + 1, y2 + 1}); break;
    case TKvDisplayZoomMode::zmXAxis:
      canvas.Line(Press.x(), rect.Top, Press.x(), rect.Bottom);
      canvas.Line(Last.x(), rect.Top, Last.x(), rect.Bottom);
      break;
    case TKvDisplayZoomMode::zmYAxis:
      canvas.Line(rect.Left, Press.y(), rect.Right, Press.y());
      canvas.Line(rect.Left, Last.y(), rect.Right, Last.y());
      break;
  }
}

void TKvZoomGesture::ZoomToBand() {
  const std::optional<TGestureFrame> frame = FrameOf(Display);
  if (!frame) return;
  const TKvRect& rect = frame->Rect;
  const bool vertical = Display.IsVertical();
  const TKvDisplayAxis &x = frame->X(), &y = frame->Y();
  // In a vertical display the X axis runs down the view and the Y axis across it.
  const auto along = [](QPoint p, bool alongX) { return alongX ? p.x() : p.y(); };
  const auto window = [&](const TKvDisplayAxis& axis, bool alongX, bool isX) {
    const int p = along(Press, alongX), q = along(Last, alongX);
    return WindowOf(axis, RunOf(axis, rect, alongX), std::min(p, q), std::max(p, q), isX);
  };
  const TKvDisplayZoomMode mode = Display.Zooming()->Mode();
  const auto [x1, x2] = mode == TKvDisplayZoomMode::zmYAxis ? std::pair{x.GetVisibleMin(), x.GetVisibleMax()}
                                                            : window(x, !vertical, true);
  const auto [y1, y2] = mode == TKvDisplayZoomMode::zmXAxis ? std::pair{y.GetVisibleMin(), y.GetVisibleMax()}
                                                            : window(y, vertical, false);
  Display.ZoomToValues(true, y1, y2, x1, x2);
}

void TKvZoomGesture::PanTo(QPoint point) {
  const std::optional<TGestureFrame> frame = FrameOf(Display);
  if (!frame) return;
  const TKvRect& rect = frame->Rect;
  const bool vertical = Display.IsVertical();
  const TKvDisplayAxis &x = frame->X(), &y = frame->Y();
  const TKvZoomAxes& axes = frame->Axes;
  const double spanX = x.GetVisibleMax() - x.GetVisibleMin(), spanY = y.GetVisibleMax() - y.GetVisibleMin();
  // The content follows the pointer, whichever way the axis runs.
  const auto shift = [&](const TKvDisplayAxis& axis, double span, bool alongX) {
    const int extent = alongX ? rect.Right - rect.Left - 1 : rect.Bottom - rect.Top - 1;
    const int moved = alongX ? point.x() - Last.x() : point.y() - Last.y();
    return extent <= 0 ? 0.0 : -axis.GetMapping().Direction() * span * moved / extent;
  };
  const double dx = LimitShift(x, shift(x, spanX, !vertical), true);
  double dy = LimitShift(y, shift(y, spanY, vertical), false);
  for (size_t k = 1; k < axes.Y.size() && spanY != 0; ++k) {
    const TKvDisplayAxis& axis = *axes.Y[k];
    const double spanK = axis.GetVisibleMax() - axis.GetVisibleMin();
    if (spanK == 0) continue;
    const double limited = spanY * LimitShift(axis, spanK * dy / spanY, false) / spanK;
    if (std::abs(limited) < std::abs(dy)) dy = limited;
  }
  if (!Panned) {
    Display.PushZoomState(false);
    if (Display.Zooming()->HoldOnPan()) Display.SetZoomHold(true);
  }
  Display.ApplyZoom(TKvZoomOperation::zoZoom, false, y.GetVisibleMax() + dy, y.GetVisibleMin() + dy,
                    x.GetVisibleMax() + dx, x.GetVisibleMin() + dx);
  Panned = true;
  Last = point;
}
