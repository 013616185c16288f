// Drawing a level scale: the tracking line, the colour bar, the axis of values and the caption.
#include "display/KvCanvas.h"
#include "display/KvDataDisplay.h"
#include "display/KvDisplayLevelView.h"

#include <cmath>

namespace {

// From the bar's outer edge: the tick lengths and where the labels start.
constexpr int MinorTick = 2;
constexpr int MajorTick = 4;
constexpr int LabelGap = 6;
// The caption's distance from the view's outer edge.
constexpr int CaptionGap = 2;

}  // namespace

int TKvDisplayLevelView::Across(int distance) const {
  const TKvRect& view = ViewRect();
  switch (GetAlign()) {
    case TKvViewAlign::vaLeft: return view.Right - 1 - distance;
    case TKvViewAlign::vaTop: return view.Bottom - 1 - distance;
    case TKvViewAlign::vaBottom: return view.Top + distance;
    default: return view.Left + distance;
  }
}

void TKvDisplayLevelView::Paint(TKvCanvas& canvas, bool exporting, bool) {
  PaintBackground(canvas);
  if (TrackCursor() && !Display().IsDesigning() && !exporting && MouseOverDataView()) PaintTrackingLine(canvas);
  PaintBar(canvas);
  if (Axis()->Visible()) PaintAxis(canvas);
  if (LevelLabel_.Visible()) PaintCaption(canvas);
}

void TKvDisplayLevelView::PaintTrackingLine(TKvCanvas& canvas) const {
  const double place = std::nearbyint(Fraction(TrackedValue()) * BarLength());
  if (!std::isfinite(place)) return;
  const TKvRect area = DataViewRect();
  const TKvRect& view = ViewRect();
  canvas.SetPen(TrackColor());
  if (Vertical()) {
    const int y = area.Top + BarLength() - static_cast<int>(place);
    if (y < view.Top || y >= view.Bottom) return;
    const int outer = GetAlign() == TKvViewAlign::vaLeft ? view.Left + 1 : view.Right - 2;
    canvas.Line(Across(4), y, outer, y);
  } else {
    const int x = area.Left + static_cast<int>(place);
    if (x < view.Left || x >= view.Right) return;
    const int outer = GetAlign() == TKvViewAlign::vaTop ? view.Top + 1 : view.Bottom - 2;
    canvas.Line(x, Across(4), x, outer);
  }
}

void TKvDisplayLevelView::PaintBar(TKvCanvas& canvas) const {
  const TKvRect area = DataViewRect();
  const int length = BarLength();
  const int from = Across(2), to = Across(2 + BarWidth());
  const int low = std::min(from, to), high = std::max(from, to);
  for (int i = 0; i <= length; ++i) {
    // The maximum at the top of an upright bar, the minimum at the left of a lying one.
    if (Vertical())
      canvas.FillRect({low, area.Top + i, high, area.Top + i + 1}, ToCanvasColor(Colour(length, length - i)));
    else canvas.FillRect({area.Left + i, low, area.Left + i + 1, high}, ToCanvasColor(Colour(length, i)));
  }
}

void TKvDisplayLevelView::PaintAxis(TKvCanvas& canvas) const {
  const TKvLevelAxis& axis = *Axis();
  canvas.SetPen(axis.Color());
  canvas.SetFont(Metrics().Font(), axis.Font()->Color());
  canvas.SetClearBrush();
  const TKvRect area = DataViewRect();
  const int line = Across(2 + BarWidth());
  const int outward = Across(1) - Across(0);
  const int height = Metrics().Height();
  if (Vertical()) canvas.Line(line, area.Top, line, area.Top + BarLength() + 1);
  else canvas.Line(area.Left, line, area.Left + BarLength() + 1, line);
  const int labelAt = Across(2 + BarWidth() + LabelGap);
  ForEachTick([&](const TKvTick& tick) {
    const int end = line + outward * (tick.Major ? MajorTick : MinorTick);
    if (Vertical()) canvas.Line(line, tick.Pixel, end, tick.Pixel);
    else canvas.Line(tick.Pixel, line, tick.Pixel, end);
    if (!tick.Major) return;
    const std::string label = ValueText(tick.Value);
    const int width = canvas.TextWidth(label);
    switch (GetAlign()) {
      case TKvViewAlign::vaLeft: canvas.TextOut(labelAt - width + 1, tick.Pixel - height / 2, label); break;
      case TKvViewAlign::vaTop: canvas.TextOut(tick.Pixel - width / 2, labelAt - height + 1, label); break;
      case TKvViewAlign::vaBottom: canvas.TextOut(tick.Pixel - width / 2, labelAt, label); break;
      default: canvas.TextOut(labelAt, tick.Pixel - height / 2, label); break;
    }
  });
}

void TKvDisplayLevelView::PaintCaption(TKvCanvas& canvas) const {
  if (!CaptionMetrics_) CaptionMetrics_.emplace(*LevelLabel_.Font());
  const std::string& text = LevelLabel_.Text();
  const int width = CaptionMetrics_->Width(text), height = CaptionMetrics_->Height();
  canvas.SetClearBrush();
  canvas.SetFont(CaptionMetrics_->Font(), LevelLabel_.Font()->Color());
  const TKvRect area = DataViewRect();
  const TKvRect& view = ViewRect();
  switch (GetAlign()) {
    case TKvViewAlign::vaLeft:
      canvas.RotatedTextOut(view.Left + CaptionGap, area.Top + (area.Height() + width) / 2, text, 90);
      break;
    case TKvViewAlign::vaTop:
      canvas.TextOut(area.Left + (area.Width() - width) / 2, view.Top + CaptionGap, text);
      break;
    case TKvViewAlign::vaBottom:
      canvas.TextOut(area.Left + (area.Width() - width) / 2, view.Bottom - CaptionGap - height, text);
      break;
    default: canvas.RotatedTextOut(view.Right - CaptionGap, area.Top + (area.Height() - width) / 2, text, 270); break;
  }
}
