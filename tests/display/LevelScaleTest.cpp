// The level scale: a place within the range to a colour (built-in palette, grey, configured
// colours), new colours, label digits, and the bar it draws beside a data view.
#include "DisplayTestKit.h"
#include "display/KvDisplayLevelView.h"

#include <gtest/gtest.h>

namespace {

struct TScale {
  explicit TScale(double min = 0, double max = 1) : Chart(BareChart(200, 120)) {
    View = std::make_unique<TKvDisplayLevelView>(*Chart,
                                                 TKvLevelSource{[max] { return max; }, [min] { return min; }, nullptr});
  }
  TChartPtr Chart;
  std::unique_ptr<TKvDisplayLevelView> View;
};

uint32_t Rgb(QRgb pixel) { return pixel & 0xFFFFFF; }

TEST(LevelScale, BuiltInPaletteAtItsStatedPoints) {
  TScale scale;
  const struct {
    double Offset;
    uint32_t Rgb;
  } cases[] = {
      {0, 0x000000},              // black
      {255 / 1408.0, 0x0000FF},   // blue
      {511 / 1408.0, 0x00FFFF},   // aqua
      {0.5, 0x00FF3F},            // c = 704: red 0, green 255, blue 63
      {767 / 1408.0, 0x00FF00},   // lime
      {1023 / 1408.0, 0xFFFF00},  // yellow
      {1279 / 1408.0, 0xFF0000},  // red
      {1, 0xFF0080},              // half purple
      {2, 0xFF0080},              // beyond the top: still the top
      {-1, 0x000000},             // below the bottom: still the bottom
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Rgb(scale.View->PixelColor(1, c.Offset)), c.Rgb) << c.Offset;
    EXPECT_EQ(Rgb(scale.View->Colour(1, c.Offset)), c.Rgb) << c.Offset;
    EXPECT_EQ(Rgb(scale.View->ColorTable().Pixel(1, c.Offset)), c.Rgb) << c.Offset;
  }
}

TEST(LevelScale, GreyAndTwoColoursMeetAt128InTheMiddle) {
  TScale scale;
  scale.View->Colors()->Add();
  static_cast<TKvLevelDisplayColor&>(scale.View->Colors()->Add()).SetColor(clWhite);
  EXPECT_EQ(Rgb(scale.View->PixelColor(2, 1)), 0x808080u);  // 127.5 rounds to the even 128
  EXPECT_EQ(Rgb(scale.View->PixelColor(4, 1)), 0x404040u);  // 63.75
  EXPECT_EQ(Rgb(scale.View->PixelColor(4, 4)), 0xFFFFFFu);
  // Grey ignores the colours: a list of red and blue still gives grey.
  scale.View->Colors()->ColorAt(0).SetColor(clRed);
  scale.View->Colors()->ColorAt(1).SetColor(clBlue);
  EXPECT_EQ(Rgb(scale.View->PixelColor(2, 1)), 0x7F0080u);  // 255 - 127.5 rounds to 127
  scale.View->SetGrayScale(true);
  EXPECT_EQ(Rgb(scale.View->PixelColor(2, 1)), 0x808080u);
  EXPECT_EQ(Rgb(scale.View->Colour(2, 1)), 0x808080u);
  EXPECT_EQ(Rgb(scale.View->ColorTable().Pixel(2, 1)), 0x808080u);
}

TEST(LevelScale, ThreeColoursRunThroughEachSegment) {
  TScale scale;
  for (TColor colour : {clBlack, clRed, clYellow})
    static_cast<TKvLevelDisplayColor&>(scale.View->Colors()->Add()).SetColor(colour);
  EXPECT_EQ(Rgb(scale.View->PixelColor(1, 0.25)), 0x800000u);  // half way to red (127.5 → 128)
  EXPECT_EQ(Rgb(scale.View->PixelColor(1, 0.5)), 0xFF0000u);
  EXPECT_EQ(Rgb(scale.View->PixelColor(1, 0.75)), 0xFF8000u);
  EXPECT_EQ(Rgb(scale.View->PixelColor(1, 1)), 0xFFFF00u);  // the last segment's end
}

TEST(LevelScale, ASingleColourTintsTheBarButNotThePicture) {
  TScale scale;
  static_cast<TKvLevelDisplayColor&>(scale.View->Colors()->Add()).SetColor(clRed);
  EXPECT_EQ(Rgb(scale.View->Colour(4, 2)), 0x800000u);
  EXPECT_EQ(Rgb(scale.View->PixelColor(4, 2)), 0x00FF3Fu);
}

TEST(LevelScale, AnEmptyRangeNeverDividesByZero) {
  TScale scale;
  EXPECT_EQ(Rgb(scale.View->PixelColor(0, 0)), 0x000000u);
  EXPECT_EQ(Rgb(scale.View->ColorTable().Pixel(0, 5)), 0x000000u);
  EXPECT_EQ(Rgb(scale.View->Colour(0, 0)), 0x00FF3Fu);  // the bar's middle colour
  scale.View->SetGrayScale(true);
  EXPECT_EQ(Rgb(scale.View->PixelColor(0, 0)), 0x000000u);
  scale.View->SetGrayScale(false);
  for (TColor colour : {clBlue, clRed})
    static_cast<TKvLevelDisplayColor&>(scale.View->Colors()->Add()).SetColor(colour);
  EXPECT_EQ(Rgb(scale.View->PixelColor(0, 0)), 0x0000FFu);
  EXPECT_EQ(Rgb(scale.View->PixelColor(1, std::nan(""))), 0x0000FFu);
}

TEST(LevelScale, NewColoursTakeTheLeastUsedOfThePalette) {
  TScale scale;
  TKvLevelDisplayColors& colors = *scale.View->Colors();
  EXPECT_EQ(static_cast<TKvLevelDisplayColor&>(colors.Add()).Color(), clBlack);
  EXPECT_EQ(static_cast<TKvLevelDisplayColor&>(colors.Add()).Color(), clBlue);
  EXPECT_EQ(static_cast<TKvLevelDisplayColor&>(colors.Add()).Color(), clLime);
  colors.ColorAt(0).SetColor(clLime);
  // Black is unused again and comes first.
  EXPECT_EQ(static_cast<TKvLevelDisplayColor&>(colors.Add()).Color(), clBlack);
  EXPECT_EQ(static_cast<TKvLevelDisplayColor&>(colors.Add()).Color(), clYellow);
}

TEST(LevelScale, LabelDigitsFollowTheRange) {
  const struct {
    double Min, Max, Value;
    bool Fixed;
    const char* Text;
  } cases[] = {
      {0, 400000, 123456.7, false, "123457"},
      {0, 0.5, 0.25, false, "0.250"},
      {0, 10, 2.25, false, "2.2"},  // the even neighbour
      {5, 5, 5.4, false, "5"},
      {0, 400000, 1.5, true, "1.500"},
  };
  for (const auto& c : cases) {
    TScale scale(c.Min, c.Max);
    scale.View->Axis()->SetFixedPrecision(c.Fixed);
    EXPECT_EQ(scale.View->ValueText(c.Value), c.Text) << c.Min << " " << c.Max;
  }
}

}  // namespace
