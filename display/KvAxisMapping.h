#pragma once

#include "display/KvGeometry.h"

// Where an axis puts its values in the data view: pixel = Origin + Direction × v × Scale, with v
// the value (through the logarithmic scale when the axis has one). ToValue is the exact inverse of
// that line, so a pixel turned into a value turns back into the same pixel.
class TKvAxisMapping {
public:
  TKvAxisMapping() = default;
  // The visible range [min, max] (already on the axis's scale) over `pixels` pixels from `first`,
  // where min lies, in `direction` (+1 or -1). Anchored at the minimum, min × scale is rounded
  // first so that ticks at whole multiples land evenly; anchored at the maximum, max lies exactly
  // at the far end. A range of 0 (or one that is not finite, or no pixels) puts its
  // value in the middle, at scale 1.
  static TKvAxisMapping Make(double min, double max, int first, int pixels, int direction, bool anchorAtMin,
                             bool logarithmic);

  double Origin() const { return Origin_; }
  double Scale() const { return Scale_; }
  int Direction() const { return Direction_; }

  // In double precision, for everything but the ticks.
  int ToPixel(double value) const;
  // The same before rounding and clamping.
  double PixelOf(double value) const { return Origin_ + Direction_ * Scaled(value) * Scale_; }
  // In single precision, as tick positions are computed.
  int TickPixel(double value) const;
  double ToValue(double pixel) const;

  bool operator==(const TKvAxisMapping&) const = default;

private:
  double Scaled(double value) const;

  double Origin_ = 0;
  double Scale_ = 1;
  int Direction_ = 1;
  bool Logarithmic = false;
};
