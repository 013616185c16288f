#include "display/KvScopeTrace.h"

#include "display/KvScopeChannelData.h"
#include "display/KvScopeReduction.h"

#include <algorithm>
#include <cmath>

namespace {

// A pixel for a value through a mapping; NaN (a gap, or the logarithm of nothing positive) has
// none. Far values are clamped before they become integers.
int PixelOf(const TKvAxisMapping& mapping, double value) {
  const double pixel = mapping.PixelOf(value);
  return std::isnan(pixel) ? TKvScopeTrace::NoPixel : RoundPixel(pixel);
}

// Values across the view are placed in single precision, as the grid lines at the ticks are, so
// that a trace at a tick's value lies on its line.
int ValuePixelOf(const TKvAxisMapping& mapping, double value) {
  return std::isnan(mapping.PixelOf(value)) ? TKvScopeTrace::NoPixel : mapping.TickPixel(value);
}

}  // namespace

bool TKvScopeTrace::Update(const TKvScopeChannelData& data, uint64_t generation, const TKvTraceView& view) {
  if (IsCurrent(generation, view)) return false;
  Valid = true;
  Generation = generation;
  View = view;
  Points_.clear();
  Samples_.clear();
  Values_.clear();
  Breaks_.clear();
  Broken = true;
  const int width = view.Vertical ? view.Work.Height() : view.Work.Width();
  const TKvVisibleSlice slice = VisibleSlice(data.Count(), data.UniformX(), view.Linear, view.VisibleMin,
                                             view.VisibleMax, view.DataMin, view.DataMax, width);
  First_ = slice.First;
  Reduced_ = slice.Reduced;
  ZeroPixel_ = view.Y.TickPixel(0);
  ComputeFull(data, view, slice.Count);
  if (Reduced_) ComputeReduced(data, view, slice.Covered);
  else ComputeUnreduced(data, view.Vertical);
  Bounds_ = {};
  if (!Points_.empty()) {
    const auto [left, right] =
        std::minmax_element(Points_.begin(), Points_.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
    const auto [top, bottom] =
        std::minmax_element(Points_.begin(), Points_.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
    Bounds_ = {left->x(), top->y(), right->x() + 1, bottom->y() + 1};
  }
  return true;
}

void TKvScopeTrace::ComputeFull(const TKvScopeChannelData& data, const TKvTraceView& view, uint32_t count) {
  FullX_.resize(count);
  FullY_.resize(count);
  const double* y = data.Y().data() + First_;
  for (uint32_t i = 0; i < count; ++i) {
    FullX_[i] = PixelOf(view.X, view.XLabelsPerValue * data.X(First_ + i));
    FullY_[i] = ValuePixelOf(view.Y, view.YLabelsPerValue * y[i]);
  }
}

void TKvScopeTrace::ComputeUnreduced(const TKvScopeChannelData& data, bool vertical) {
  const double* y = data.Y().data() + First_;
  for (uint32_t i = 0; i < FullX_.size(); ++i) Add(FullX_[i], FullY_[i], First_ + i, y[i], vertical);
}

void TKvScopeTrace::ComputeReduced(const TKvScopeChannelData& data, const TKvTraceView& view, int columns) {
  const uint32_t count = uint32_t(FullX_.size());
  ReduceMinMax(data.Y().data() + First_, count, uint32_t(columns), Extremes);
  // The columns start where the first visible sample lies, not at the view's edge.
  const int start = FullX_.front(), step = view.X.Direction();
  for (int m = 0; m < columns; ++m) {
    const uint32_t sample = First_ + uint32_t(uint64_t(count) * uint32_t(m) / uint32_t(columns));
    for (int k = 0; k < 2; ++k) {
      const double value = Extremes[2 * size_t(m) + size_t(k)];
      Add(start + step * m, ValuePixelOf(view.Y, view.YLabelsPerValue * value), sample, value, view.Vertical);
    }
  }
}

void TKvScopeTrace::Add(int along, int across, uint32_t sample, double value, bool vertical) {
  if (along == NoPixel || across == NoPixel) {
    Broken = true;
    return;
  }
  if (Broken && !Points_.empty()) Breaks_.push_back(uint32_t(Points_.size()));
  Broken = false;
  Points_.push_back(vertical ? QPoint(across, along) : QPoint(along, across));
  Samples_.push_back(sample);
  Values_.push_back(value);
}
