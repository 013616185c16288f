// The scope's hit point: the place on the hovered trace nearest to the mouse, its mark and label.
#include "display/KvScope.h"

#include <cmath>

std::optional<TKvHitPoint> TKvScope::HoverPoint() const {
  if (Hover < 0 || Hover >= Channels_.Count()) return std::nullopt;
  const TKvScopeChannel& channel = Channels_.Channel(Hover);
  const TKvScopeTrace& trace = channel.Trace();
  const TKvScopeChannelData& data = channel.Data();
  const TKvBasicScopeXAxis* xAxis = GetXAxisByIndex(channel.XAxisIndex());
  const TKvBasicScopeYAxis* yAxis = GetYAxisByIndex(channel.YAxisIndex());
  const std::vector<QPoint>& points = trace.Points();
  // The hit was found on the trace as drawn; one drawn since that has fewer points has none.
  const size_t from = HoverHit_.Point;
  if (!xAxis || !yAxis || from >= points.size()) return std::nullopt;
  const size_t to = from + 1 < points.size() ? from + 1 : from;
  const double t = to == from ? 0 : HoverHit_.Along;
  const uint32_t first = trace.Samples()[from], second = trace.Samples()[to];
  if (first >= data.Count() || second >= data.Count()) return std::nullopt;
  const auto between = [t](double a, double b) { return a + (b - a) * t; };
  const QPoint pixel(int(std::lround(between(points[from].x(), points[to].x()))),
                     int(std::lround(between(points[from].y(), points[to].y()))));
  const double x = between(data.X(first), data.X(second));
  const double y = between(trace.Values()[from], trace.Values()[to]);
  return TKvHitPoint{pixel, {xAxis->ToLabelUnits(x), yAxis->ToLabelUnits(y)}};
}

std::string TKvScope::GetHitLabel(const TKvHitPoint& point) const {
  std::string text = TKvDataChart::GetHitLabel(point);
  if (OnCustomMouseHitLabel) OnCustomMouseHitLabel(const_cast<TKvScope*>(this), Hover, point.Values, text);
  return text;
}

void TKvScope::PaintHitPoint(TKvCanvas& canvas) {
  const TKvMouseHitPoint& hitPoint = *Highlighting()->MouseHitPoint();
  if (!hitPoint.Enabled()) return;
  const std::optional<TKvHitPoint> point = HoverPoint();
  if (!point) return;
  DrawPointLabel(canvas, *point, hitPoint, hitPoint.PenColor(Channels_.Channel(Hover).Color()));
}
