#include "display/KvCursorSnap.h"

#include "display/KvScope.h"

#include <cmath>

namespace {

// The data value nearest to `value` among `count` values, and whether `value` lies strictly
// between their smallest and largest one. Gaps (NaN) take no part.
template <class ValueOf>
bool Nearest(uint32_t count, ValueOf valueOf, double& value) {
  double nearest = NAN, low = INFINITY, high = -INFINITY;
  for (uint32_t i = 0; i < count; ++i) {
    const double each = valueOf(i);
    if (std::isnan(each)) continue;
    if (std::isnan(nearest) || std::abs(each - value) < std::abs(nearest - value)) nearest = each;
    low = std::min(low, each);
    high = std::max(high, each);
  }
  if (!(value > low && value < high)) return false;
  value = nearest;
  return true;
}

}  // namespace

double SnapCursorValue(const TKvScope& scope, const TKvDisplayAxis& axis, bool xAxis, double value) {
  const TKvDisplayAxisCursorSettings& settings = xAxis ? *static_cast<const TKvBasicScopeXAxis&>(axis).CursorSettings()
                                                       : *static_cast<const TKvBasicScopeYAxis&>(axis).CursorSettings();
  if (!settings.SnapToSample() || std::isnan(value)) return value;
  double data = axis.ToValueUnits(value);
  bool snapped = false;
  const TKvScopeChannels& channels = *scope.Channels();
  for (int i = 0; i < channels.Count(); ++i) {
    const TKvScopeChannel& channel = channels.Channel(i);
    const TKvScopeChannelData& samples = channel.Data();
    if (!channel.Visible() || samples.Count() < 2) continue;
    if (xAxis) {
      if (scope.GetXAxisByIndex(channel.XAxisIndex()) != &axis) continue;
      snapped |= Nearest(
          samples.Count(), [&](uint32_t k) { return samples.X(k); }, data);
    } else {
      if (scope.GetYAxisByIndex(channel.YAxisIndex()) != &axis) continue;
      snapped |= Nearest(
          samples.Count(), [&](uint32_t k) { return samples.Y()[k]; }, data);
    }
  }
  // Unsnapped, the value stays exactly as given rather than going through the unit conversion.
  return snapped ? axis.ToLabelUnits(data) : value;
}
