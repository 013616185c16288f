#pragma once

#include "display/KvAxisMapping.h"
#include "display/KvGeometry.h"

#include <QPoint>

#include <cstdint>
#include <limits>
#include <vector>

class TKvScopeChannelData;

// Where a channel's samples land in the data view, and what the computation of that depended on.
struct TKvTraceView {
  // The work rectangle: the data view less its bottom line.
  TKvRect Work;
  // The axes' mappings from label units to pixels, and the factor from value to label units.
  TKvAxisMapping X;
  TKvAxisMapping Y;
  double XLabelsPerValue = 1;
  double YLabelsPerValue = 1;
  // The X axis's visible range and the X range of the data, in value units.
  double VisibleMin = 0;
  double VisibleMax = 0;
  double DataMin = 0;
  double DataMax = 0;
  // Not on a logarithmic X axis.
  bool Linear = true;
  // X runs down the view, Y across it.
  bool Vertical = false;

  bool operator==(const TKvTraceView&) const = default;
};

// The pixels of one channel's trace: for every visible sample its full-resolution pixel (cursors
// and markers snap to them), and the points that are drawn, reduced to the minimum and maximum of
// each pixel column when there are many more samples than columns.
//
// Computed again only when the data, the layout or a range changed; the vectors keep their memory,
// so a refresh of a steady trace allocates nothing.
class TKvScopeTrace {
public:
  // A sample without a pixel (NaN, or no logarithm).
  static constexpr int NoPixel = std::numeric_limits<int>::min();

  // Brings the pixels up to date with the data of `generation` in `view`; true when computed anew.
  bool Update(const TKvScopeChannelData& data, uint64_t generation, const TKvTraceView& view);
  // Whether Update would keep the pixels as they are.
  bool IsCurrent(uint64_t generation, const TKvTraceView& view) const {
    return Valid && generation == Generation && view == View;
  }

  // The first visible sample, and the full-resolution pixels of it and the samples after it,
  // along the X axis and along the Y axis (NoPixel for a sample that has none).
  uint32_t First() const { return First_; }
  const std::vector<int>& FullX() const { return FullX_; }
  const std::vector<int>& FullY() const { return FullY_; }
  bool Reduced() const { return Reduced_; }

  // The drawn points in picture coordinates, the sample each stands for (the first of its column
  // when reduced) and its Y value, and the indices of the points where the line starts again (no
  // line joins them to the point before).
  const std::vector<QPoint>& Points() const { return Points_; }
  const std::vector<uint32_t>& Samples() const { return Samples_; }
  const std::vector<double>& Values() const { return Values_; }
  const std::vector<uint32_t>& Breaks() const { return Breaks_; }
  // The box of the drawn points (right and bottom just outside); empty without points.
  const TKvRect& Bounds() const { return Bounds_; }
  // The pixel across the view of Y value 0, where bars stand.
  int ZeroPixel() const { return ZeroPixel_; }

private:
  void ComputeFull(const TKvScopeChannelData& data, const TKvTraceView& view, uint32_t count);
  void ComputeReduced(const TKvScopeChannelData& data, const TKvTraceView& view, int columns);
  void ComputeUnreduced(const TKvScopeChannelData& data, bool vertical);
  // Appends a point at (along X, along Y) for `sample` of `value`; NoPixel breaks the line instead.
  void Add(int along, int across, uint32_t sample, double value, bool vertical);

  bool Valid = false;
  uint64_t Generation = 0;
  TKvTraceView View;
  uint32_t First_ = 0;
  bool Reduced_ = false;
  bool Broken = true;
  std::vector<int> FullX_;
  std::vector<int> FullY_;
  std::vector<double> Extremes;
  std::vector<QPoint> Points_;
  std::vector<uint32_t> Samples_;
  std::vector<double> Values_;
  std::vector<uint32_t> Breaks_;
  TKvRect Bounds_;
  int ZeroPixel_ = 0;
};
