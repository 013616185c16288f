#include "display/KvScopeHitTest.h"

#include "display/KvScopeTrace.h"

#include <algorithm>
#include <cmath>

namespace {

// The distance from p to the segment a–b and where along it the nearest point lies.
std::pair<double, double> SegmentDistance(QPointF p, QPointF a, QPointF b) {
  const QPointF d = b - a;
  const double length = QPointF::dotProduct(d, d);
  const double t = length > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / length, 0.0, 1.0) : 0.0;
  const QPointF nearest = a + t * d;
  return {std::hypot(p.x() - nearest.x(), p.y() - nearest.y()), t};
}

}  // namespace

TKvTraceHit HitTrace(const TKvScopeTrace& trace, int x, int y, TKvChannelMode mode, bool marks, int reach, int width) {
  TKvTraceHit hit;
  const TKvRect& box = trace.Bounds();
  const TKvRect near{box.Left - KvHitTolerance, box.Top - KvHitTolerance, box.Right + KvHitTolerance,
                     box.Bottom + KvHitTolerance};
  if (box.IsEmpty() || !near.Contains(x, y)) return hit;
  const std::vector<QPoint>& points = trace.Points();
  if (mode == TKvChannelMode::cmPoint || mode == TKvChannelMode::cmStep || marks) {
    const int within = marks ? std::max(2, reach) : 2;
    for (size_t i = 0; i < points.size(); ++i)
      if (std::abs(points[i].x() - x) <= within && std::abs(points[i].y() - y) <= within) {
        hit.Distance = 0;
        hit.Sample = trace.Samples()[i];
        hit.Point = i;
        return hit;
      }
  }
  const std::vector<uint32_t>& breaks = trace.Breaks();
  auto nextBreak = breaks.begin();
  const QPointF p(x, y);
  for (size_t i = 1; i < points.size(); ++i) {
    // No segment leads to a point where the line starts again.
    while (nextBreak != breaks.end() && *nextBreak < i) ++nextBreak;
    if (nextBreak != breaks.end() && *nextBreak == i) continue;
    const QPoint a = points[i - 1], b = points[i];
    if (x < std::min(a.x(), b.x()) - KvHitTolerance || x > std::max(a.x(), b.x()) + KvHitTolerance ||
        y < std::min(a.y(), b.y()) - KvHitTolerance || y > std::max(a.y(), b.y()) + KvHitTolerance)
      continue;
    const auto [distance, along] = SegmentDistance(p, a, b);
    const double reduced = std::max(0.0, distance - (width + 1) / 2);
    if (reduced < hit.Distance) {
      hit.Distance = reduced;
      hit.Sample = trace.Samples()[i - 1];
      hit.Along = along;
      hit.Point = i - 1;
    }
  }
  return hit;
}
