#include "display/KvScopeReduction.h"

#include "display/KvGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Samples drawn beyond each edge of the visible range when not reduced.
constexpr uint32_t EdgeSamples = 4;

}  // namespace

TKvVisibleSlice VisibleSlice(uint32_t count, bool uniform, bool linear, double xa, double xb, double dmin, double dmax,
                             int width) {
  TKvVisibleSlice slice;
  if (count == 0 || width <= 0) return slice;
  if (xa == xb) xa -= 1, xb += 1;
  slice.Covered = width;
  if (xa < dmin || xb > dmax) {
    const double covered = (std::min(xb, dmax) - std::max(xa, dmin)) * width / (xb - xa);
    slice.Covered = covered > 0 ? std::min(width, RoundPixel(covered)) : 0;
  }
  slice.Count = count;
  const double range = dmax - dmin;
  if (uniform && range > 0) {
    if (xa > dmin) slice.First = uint32_t(std::clamp(std::trunc((xa - dmin) * count / range), 0.0, double(count)));
    if (xb < dmax) {
      const double visible = std::nearbyint((xb - std::max(xa, dmin)) * count / range);
      slice.Count = uint32_t(std::clamp(visible, 0.0, double(count - slice.First)));
    } else {
      slice.Count = count - slice.First;
    }
    const bool reduced = linear && 2 * int64_t(slice.Covered) < int64_t(slice.Count) - 8;
    if (!reduced) {
      slice.First = slice.First > EdgeSamples ? slice.First - EdgeSamples : 0;
      slice.Count = std::min(count - slice.First, slice.Count + 2 * EdgeSamples);
    }
  }
  slice.Reduced = linear && uniform && 2 * int64_t(slice.Covered) < int64_t(slice.Count) - 8;
  return slice;
}

void ReduceMinMax(const double* y, uint32_t count, uint32_t columns, std::vector<double>& out) {
  out.resize(2 * size_t(columns));
  const double none = std::numeric_limits<double>::quiet_NaN();
  uint64_t start = 0;
  for (uint32_t m = 0; m < columns; ++m) {
    const uint64_t end = uint64_t(count) * (m + 1) / columns;
    double low = none, high = none;
    for (uint64_t i = start; i < end; ++i) {
      const double v = y[i];
      // Comparisons with NaN are false: NaNs never become an extreme, and the first number
      // replaces the NaN start.
      if (!(v >= low)) low = std::isnan(v) ? low : v;
      if (!(v <= high)) high = std::isnan(v) ? high : v;
    }
    out[2 * size_t(m)] = low;
    out[2 * size_t(m) + 1] = high;
    start = end;
  }
}
