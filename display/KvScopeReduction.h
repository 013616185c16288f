#pragma once

#include <cstdint>
#include <vector>

// Which of a channel's samples the X axis shows, and whether they are drawn reduced.
struct TKvVisibleSlice {
  // The first visible sample and how many follow (a few beyond each edge, so that lines leave
  // the view).
  uint32_t First = 0;
  uint32_t Count = 0;
  // Pixel columns the data covers within the visible range.
  int Covered = 0;
  // Two points (minimum, maximum) per covered column instead of one per sample.
  bool Reduced = false;
};

// The slice of `count` samples, uniform or not, over data X values dmin … dmax, that the visible
// range xa … xb shows on `width` pixel columns; `linear` when the X axis is not logarithmic. Data
// of one X value (dmin = dmax) is shown whole rather than divided by its empty range.
TKvVisibleSlice VisibleSlice(uint32_t count, bool uniform, bool linear, double xa, double xb, double dmin, double dmax,
                             int width);

// The minimum and then the maximum of each of `columns` blocks of y[0 … count): block m holds the
// samples from count × m / columns up to count × (m + 1) / columns, end excluded, so every sample
// lies in exactly one block. NaNs are skipped; a block of nothing but NaNs gives two NaNs, which
// break the line there. `out` is resized to 2 × columns (no allocation once it is large enough).
void ReduceMinMax(const double* y, uint32_t count, uint32_t columns, std::vector<double>& out);
