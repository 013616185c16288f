// The tool bars' glyphs: one strip in key colours, recoloured into four looks.
#include "display/KvButtonGlyphs.h"
#include "display/KvDisplayButtonImages.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

using namespace KvButtonGlyphs;

QImage Glyph(int index) { return Strip().copy(index * Width, 0, Width, Height); }

int CountOf(const QImage& glyph, QRgb key) {
  int count = 0;
  for (int y = 0; y < glyph.height(); ++y)
    for (int x = 0; x < glyph.width(); ++x) count += glyph.pixel(x, y) == key;
  return count;
}

TEST(ButtonGlyphs, EveryGlyphIsAButtonInKeyColoursWithASymbolOfItsOwn) {
  ASSERT_EQ(Strip().size(), QSize(Count * Width, Height));
  const std::set<QRgb> keys = {KeySymbol, KeyEdge, KeyFace, KeyBorder, KeyArrow, KeyCorner};
  std::set<std::vector<QRgb>> distinct;
  for (int index = 0; index < Count; ++index) {
    SCOPED_TRACE(index);
    const QImage glyph = Glyph(index);
    std::vector<QRgb> pixels;
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) {
        EXPECT_TRUE(keys.count(glyph.pixel(x, y))) << x << "," << y;
        pixels.push_back(glyph.pixel(x, y));
      }
    distinct.insert(pixels);
    EXPECT_EQ(CountOf(glyph, KeyCorner), 4);
    for (int i = 1; i < Width - 1; ++i)
      for (auto [x, y] : {std::pair{i, 0}, {i, Height - 1}, {0, i}, {Width - 1, i}})
        EXPECT_EQ(glyph.pixel(x, y), KeyBorder) << x << "," << y;
    EXPECT_GE(CountOf(glyph, KeySymbol), 12);
    // Only the one-direction glyphs carry arrows in their own key.
    const bool oneDirection = index == gHorizontalArrows || index == gVerticalArrows;
    EXPECT_EQ(CountOf(glyph, KeyArrow) > 0, oneDirection);
  }
  EXPECT_EQ(distinct.size(), static_cast<size_t>(Count));
}

TEST(ButtonGlyphs, TheVerticalArrowsAreTheHorizontalOnesTurned) {
  const QImage horizontal = Glyph(gHorizontalArrows), vertical = Glyph(gVerticalArrows);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) EXPECT_EQ(vertical.pixel(Width - 1 - y, x), horizontal.pixel(x, y));
}

TEST(ButtonImages, EachKeyTakesItsColourInEveryLook) {
  QImage keys(6, 1, QImage::Format_RGB32);
  const QRgb order[] = {KeySymbol, KeyBorder, KeyEdge, KeyFace, KeyArrow, KeyCorner};
  for (int i = 0; i < 6; ++i) keys.setPixel(i, 0, order[i]);
  const QRgb glyph = qRgb(255, 255, 0), button = qRgb(1, 128, 3), border = qRgb(0, 255, 0);
  const QRgb edge = qRgb(128, 191, 1);  // each channel (glyph + button) / 2, rounded down
  struct TCase {
    bool ArrowsAsBorder;
    std::vector<QRgb> Expected;
  } cases[] = {
      {true, {glyph, border, edge, button, border, 0}},
      {false, {glyph, border, edge, button, 0, 0}},
  };
  for (const TCase& c : cases) {
    const QImage image = RecolourGlyphs(keys, glyph, button, border, c.ArrowsAsBorder);
    for (int i = 0; i < 6; ++i) {
      SCOPED_TRACE(i);
      const QRgb pixel = image.pixel(i, 0);
      if (c.Expected[i] == 0) {
        EXPECT_EQ(qAlpha(pixel), 0);
      } else {
        EXPECT_EQ(pixel, c.Expected[i] | 0xFF000000);
      }
    }
  }
}

TEST(ButtonImages, TheFourLooksUseTheirOwnColours) {
  const TKvButtonColours colours{qRgb(255, 255, 0), qRgb(0, 128, 0),   qRgb(0, 0, 0),     qRgb(0, 255, 0),
                                 qRgb(0, 128, 0),   qRgb(255, 255, 0), qRgb(128, 128, 0), qRgb(0, 100, 0)};
  const TKvDisplayButtonImages images(colours);
  // A pixel of the symbol, the border and the face of the pause glyph, and an arrow pixel.
  const int symbol = gPause * Width + 5, arrow = gHorizontalArrows * Width + 8;
  ASSERT_EQ(Strip().pixel(symbol, 8), KeySymbol);
  ASSERT_EQ(Strip().pixel(arrow, 8), KeyArrow);
  struct TCase {
    TKvButtonLook Look;
    QRgb Glyph, Border, Face;
    bool ArrowShown;
  } cases[] = {
      {TKvButtonLook::Normal, colours.Glyph, colours.Border, colours.Button, true},
      {TKvButtonLook::MouseOver, colours.Glyph, colours.MouseOverBorder, colours.MouseOverButton, true},
      {TKvButtonLook::MouseDown, colours.Glyph, colours.MouseDownBorder, colours.MouseDownButton, true},
      {TKvButtonLook::Disabled, colours.Disabled, colours.Disabled, colours.Button, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Look));
    const QImage& strip = images.Strip(c.Look);
    EXPECT_EQ(strip.pixel(symbol, 8), c.Glyph);
    EXPECT_EQ(strip.pixel(symbol, 0), c.Border);
    EXPECT_EQ(strip.pixel(gPause * Width + 2, 2), c.Face);
    EXPECT_EQ(qAlpha(strip.pixel(gPause * Width, 0)), 0);
    EXPECT_EQ(qAlpha(strip.pixel(arrow, 8)) == 255, c.ArrowShown);
    if (c.ArrowShown) {
      EXPECT_EQ(strip.pixel(arrow, 8), c.Border);
    }
  }
}

}  // namespace
