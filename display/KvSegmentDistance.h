#pragma once

#include <QPointF>

#include <algorithm>
#include <cmath>

// The distance from p to the segment a–b (to a when they coincide).
inline double SegmentDistance(QPointF p, QPointF a, QPointF b) {
  const QPointF d = b - a;
  const double length = QPointF::dotProduct(d, d);
  const double t = length > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / length, 0.0, 1.0) : 0.0;
  const QPointF nearest = a + t * d;
  return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}
