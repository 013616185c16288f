#pragma once

#include "display/KvBrush.h"
#include "display/KvDisplayCollectionItem.h"
#include "display/KvMarkerShape.h"
#include "display/KvOptionalLabel.h"
#include "platform/Pen.h"

#include <array>
#include <cstdint>
#include <string>

// The colours a new marker group picks from: the one the fewest groups' pens use, the earliest on
// a tie.
inline constexpr std::array<TColor, 14> KvMarkerGroupPalette = {0xFFFFFF, 0xC0C0C0, 0x00FF00, 0xFF0000, 0x00FFFF,
                                                                0xFFFF00, 0xF0FBFF, 0x008080, 0x800080, 0xFF00FF,
                                                                0xFFFF00, 0x808000, 0x800000, 0x0000FF};

// The palette colour of `palette` that the fewest of `count` items use (as `colourOf` tells), the
// earliest on a tie.
template <size_t N, class ColourOf>
TColor LeastUsedColour(const std::array<TColor, N>& palette, int count, ColourOf colourOf) {
  std::array<int, N> uses{};
  for (int i = 0; i < count; ++i) {
    const TColor colour = colourOf(i);
    // A colour listed twice counts at its first place, so the second is chosen only after it.
    for (size_t k = 0; k < N; ++k)
      if (palette[k] == colour) {
        ++uses[k];
        break;
      }
  }
  size_t best = 0;
  for (size_t k = 1; k < N; ++k)
    if (uses[k] < uses[best]) best = k;
  return palette[best];
}

// How the markers of one group look: pen, brush, shape, half size and their labels. A group may be
// hidden; its legend sample is its shape.
class TKvDisplayMarkerGroup : public TKvDisplayCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  // Pen and brush start in `colour`.
  TKvDisplayMarkerGroup(TCollection& collection, TKvDataDisplay& display, TColor colour);

  bool Visible() const { return Visible_; }
  void SetVisible(bool visible);
  TPen* Pen() const { return const_cast<TPen*>(&Pen_); }
  TKvBrush* Brush() const { return const_cast<TKvBrush*>(&Brush_); }
  TKvDisplayMarkerShape Shape() const { return Shape_; }
  void SetShape(TKvDisplayMarkerShape shape);
  int32_t Size() const { return Size_; }
  // Kept within 0 … MaxSize.
  void SetSize(int32_t size);
  TKvOptionalLabel* Labels() const { return const_cast<TKvOptionalLabel*>(&Labels_); }

  static constexpr int32_t MaxSize = 1000;

  bool DrawLegendSample(TKvCanvas& canvas, int x, int y) const override;
  bool IsLegendVisible() const override { return Visible_; }

  // A marker of the group at (x, y): first one pixel larger in `highlight` when that is set (the
  // line shapes with a pen two pixels wider), then in the group's pen and brush, then its label
  // `text` (already expanded) when labels show.
  void PaintMarker(TKvCanvas& canvas, int x, int y, bool vertical, const TColor* highlight,
                   const std::string& text) const;
  // Where the mouse finds a marker of the group drawn at (x, y); a vertical display turns the box
  // with the shape.
  TKvRect HitBox(int x, int y, bool vertical) const;

private:
  void SetUp(TKvCanvas& canvas) const;

  bool Visible_ = true;
  TPen Pen_;
  TKvBrush Brush_;
  TKvDisplayMarkerShape Shape_ = TKvDisplayMarkerShape::msPlus;
  int32_t Size_ = 3;
  TKvOptionalLabel Labels_;
};
