#pragma once

#include "display/KvAxisMapping.h"

#include <optional>

class TKvDisplayAxis;

// Where a cursor's value lies along one axis of the data view, and which value a mouse position
// stands for. It goes through the axis's own mapping, so a cursor on a sample's value lies on the
// sample's pixel on every scale (linear, logarithmic, reversed, vertical), and a pixel turned into
// a value turns back into that pixel.
class TKvCursorAxisMapping {
public:
  // A cursor's line: its pixel along the axis, and whether its value lay outside the visible range
  // and was put at the nearest edge.
  struct TLine {
    int Pixel = 0;
    bool Outside = false;
  };

  explicit TKvCursorAxisMapping(const TKvDisplayAxis& axis);

  // The pixel of `value` (label units). A value outside the visible range is clamped to the range
  // first and drawn at the edge when `stayInView`, else it has no line; NaN has none either.
  std::optional<TLine> LineOf(double value, bool stayInView) const;
  // The value under `pixel` (along the axis), within the visible range. When the pixel is where
  // `current` already lies, `current` itself: a click on a cursor leaves it where it is.
  double ValueAt(int pixel, double current) const;
  // Whether the pixels run along the view's height (a Y axis, or an X axis in a vertical display).
  bool AlongY() const { return AlongY_; }

private:
  TKvAxisMapping Mapping;
  double Min;
  double Max;
  bool AlongY_;
};
