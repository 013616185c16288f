#include "display/KvCursorMapping.h"

#include "display/KvDisplayAxis.h"

#include <algorithm>
#include <cmath>

TKvCursorAxisMapping::TKvCursorAxisMapping(const TKvDisplayAxis& axis)
    : Mapping(axis.GetMapping()),
      Min(std::min(axis.GetVisibleUnitMin(), axis.GetVisibleUnitMax())),
      Max(std::max(axis.GetVisibleUnitMin(), axis.GetVisibleUnitMax())),
      AlongY_(axis.IsVerticalLayout()) {}

std::optional<TKvCursorAxisMapping::TLine> TKvCursorAxisMapping::LineOf(double value, bool stayInView) const {
  if (std::isnan(value)) return std::nullopt;
  const double clamped = std::clamp(value, Min, Max);
  const bool outside = clamped != value;
  if (outside && !stayInView) return std::nullopt;
  return TLine{Mapping.ToPixel(clamped), outside};
}

double TKvCursorAxisMapping::ValueAt(int pixel, double current) const {
  const std::optional<TLine> line = LineOf(current, false);
  if (line && line->Pixel == pixel) return current;
  // Within the visible range: a release beyond the view, or rounding at its edge, leaves the cursor
  // at the edge rather than outside.
  return std::clamp(Mapping.ToValue(pixel), Min, Max);
}
