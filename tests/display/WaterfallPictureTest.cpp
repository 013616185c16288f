// The waterfall's history and picture without a window: running extremes against a scan, and the
// picture drawn row by row with scrolling against one drawn whole from the same history.
#include "buffers/KvSimpleDataBuffer.h"
#include "display/KvImageStretch.h"
#include "display/KvWaterfallPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

TRef<IKvRealBuffer> Row(const std::vector<double>& values) {
  return TRef<IKvRealBuffer>(new TKvRealBuffer(values.data(), uint32_t(values.size())));
}

std::vector<double> RandomValues(std::mt19937& random, int length) {
  std::uniform_real_distribution<double> value(-50, 150);
  std::vector<double> values(static_cast<size_t>(length));
  for (double& v : values) v = value(random);
  return values;
}

void ExpectScannedExtremes(const TKvWaterfallHistory& history) {
  double max = history.Row(0).Buffer->Max(), min = history.Row(0).Buffer->Min();
  for (int i = 1; i < history.Count(); ++i) {
    max = std::max(max, history.Row(i).Buffer->Max());
    min = std::min(min, history.Row(i).Buffer->Min());
  }
  ASSERT_EQ(history.Max(), max);
  ASSERT_EQ(history.Min(), min);
}

TEST(WaterfallHistory, ExtremesEqualAScanAfterEveryAppend) {
  std::mt19937 random(7);
  TKvWaterfallHistory history(16);
  for (int i = 0; i < 400; ++i) {
    // Rows of several lengths; now and then a peak that leaves later.
    std::vector<double> values = RandomValues(random, 1 + int(random() % 8));
    if (i % 37 == 0) values[0] = 1000 + i;
    history.Append(Row(values));
    ExpectScannedExtremes(history);
    if (i == 200) {
      history.SetCapacity(5);
      ASSERT_EQ(history.Count(), 5);
      ExpectScannedExtremes(history);
    }
  }
  EXPECT_EQ(history.Appended(), 400u);
  EXPECT_EQ(history.Removed(), 395u);  // never capped at the capacity
}

TEST(WaterfallHistory, AppendTellsWhenTheExtremesMove) {
  TKvWaterfallHistory history(2);
  EXPECT_TRUE(history.Append(Row({1, 5})));
  EXPECT_FALSE(history.Append(Row({2, 3})));
  EXPECT_TRUE(history.Append(Row({2, 4})));  // the row with 5 and 1 left
  EXPECT_EQ(history.Max(), 4);
  EXPECT_EQ(history.Min(), 2);
  history.Clear();
  EXPECT_TRUE(history.Empty());
  EXPECT_EQ(history.Removed(), 0u);
}

struct TLayout {
  bool Vertical, Reversed;
};
constexpr TLayout Layouts[] = {{false, false}, {false, true}, {true, false}, {true, true}};

TKvWaterfallColouring Colouring(const TKvWaterfallHistory& history, bool followData) {
  TKvWaterfallColouring colouring;
  colouring.Min = followData && !history.Empty() ? history.Min() : 0;
  colouring.Max = followData && !history.Empty() ? history.Max() : 100;
  colouring.Background = qRgb(10, 20, 30);
  return colouring;
}

QImage FromScratch(const TKvWaterfallHistory& history, const TKvWaterfallGeometry& geometry,
                   const TKvWaterfallColouring& colouring) {
  TKvWaterfallPicture picture;
  picture.Update(history, geometry, colouring);
  return picture.Image();
}

TEST(WaterfallPicture, ScrolledRowByRowEqualsDrawnWhole) {
  for (const bool followData : {false, true}) {
    for (const TLayout layout : Layouts) {
      std::mt19937 random(11);
      TKvWaterfallHistory history(30);
      TKvWaterfallPicture picture;
      const TKvWaterfallGeometry geometry{30, 12, layout.Vertical, layout.Reversed};
      int scrolled = 0;
      for (int step = 0; step < 120; ++step) {
        // Bursts of rows, some longer than the picture is high, some shorter, some more than it
        // holds; several bursts may come between two paints.
        const int rows = step % 17 == 16 ? 45 : int(random() % 6);
        for (int i = 0; i < rows; ++i) history.Append(Row(RandomValues(random, 9 + int(random() % 6))));
        if (random() % 3 == 0) continue;
        const TKvWaterfallColouring colouring = Colouring(history, followData);
        if (!picture.Update(history, geometry, colouring)) ++scrolled;
        ASSERT_EQ(picture.Image(), FromScratch(history, geometry, colouring))
            << "step " << step << " vertical " << layout.Vertical << " reversed " << layout.Reversed;
      }
      // The fixed range lets most paints scroll; following the data redraws when the extremes move.
      if (!followData) {
        EXPECT_GT(scrolled, 40);
      }
    }
  }
}

TEST(WaterfallPicture, TheRowAfterAFullHistoryScrollsByOne) {
  TKvWaterfallHistory history(1024);
  std::vector<double> values(256);
  for (int i = 0; i < 1024; ++i) {
    std::fill(values.begin(), values.end(), i % 100);
    history.Append(Row(values));
  }
  TKvWaterfallPicture picture;
  const TKvWaterfallGeometry geometry{1024, 256, false, false};
  TKvWaterfallColouring colouring;
  colouring.Max = 100;
  picture.Update(history, geometry, colouring);
  const QImage before = picture.Image();
  history.Append(Row(std::vector<double>(256, 99.0)));
  EXPECT_FALSE(picture.Update(history, geometry, colouring));
  const QImage& after = picture.Image();
  for (int x = 0; x < 1023; ++x) ASSERT_EQ(after.pixel(x, 100), before.pixel(x + 1, 100)) << x;
  // The newest column shows the new row.
  EXPECT_EQ(after.pixel(1023, 0), BuiltInLevelColor(BuiltInLevelIndex(100, 99)));
  EXPECT_EQ(after.pixel(1023, 255), BuiltInLevelColor(BuiltInLevelIndex(100, 99)));
}

TEST(WaterfallPicture, ShortRowsLeaveTheBackgroundAndLongRowsAreCut) {
  TKvWaterfallHistory history(4);
  history.Append(Row({100, 100}));
  history.Append(Row(std::vector<double>(20, 100.0)));
  TKvWaterfallPicture picture;
  TKvWaterfallColouring colouring;
  colouring.Max = 100;
  colouring.Background = qRgb(1, 2, 3);
  picture.Update(history, {4, 8, false, false}, colouring);
  const QImage& image = picture.Image();
  const QRgb top = qRgb(255, 0, 128);
  // Row 0 has two bins at the bottom; row 1 fills its column; rows 2 and 3 are not there yet.
  EXPECT_EQ(image.pixel(0, 7), top);
  EXPECT_EQ(image.pixel(0, 6), top);
  EXPECT_EQ(image.pixel(0, 5), colouring.Background);
  EXPECT_EQ(image.pixel(1, 0), top);
  EXPECT_EQ(image.pixel(2, 4), colouring.Background);
  EXPECT_EQ(image.pixel(3, 4), colouring.Background);
}

TEST(WaterfallPicture, AnEmptiedHistoryClearsThePicture) {
  TKvWaterfallHistory history(8);
  for (int i = 0; i < 8; ++i) history.Append(Row({1, 2, 3}));
  TKvWaterfallPicture picture;
  TKvWaterfallColouring colouring;
  picture.Update(history, {8, 3, false, false}, colouring);
  history.Clear();
  history.Append(Row({1, 2, 3}));
  EXPECT_TRUE(picture.Behind(history));
  EXPECT_TRUE(picture.Update(history, {8, 3, false, false}, colouring));
  EXPECT_EQ(picture.Image().pixel(1, 1), colouring.Background);
  EXPECT_FALSE(picture.Behind(history));
}

}  // namespace

namespace {

TEST(ImageStretch, AtTheSameSizeItCopiesAndSmallerItSkipsNoColumn) {
  QImage source(100, 20, QImage::Format_RGB32);
  source.fill(qRgb(0, 0, 0));
  TKvImageStretch stretch;
  QImage same(100, 20, QImage::Format_RGB32);
  for (int x = 0; x < 100; ++x) {
    // One lit column at a time: at the same size it stays where it was; at 60 columns it still shows.
    source.fill(qRgb(0, 0, 0));
    for (int y = 0; y < 20; ++y) source.setPixel(x, y, qRgb(200, 100, 50));
    stretch.Stretch(source, QRectF(0, 0, 100, 20), same);
    ASSERT_EQ(same, source) << x;
    QImage smaller(60, 10, QImage::Format_RGB32);
    stretch.Stretch(source, QRectF(0, 0, 100, 20), smaller);
    int lit = 0;
    for (int c = 0; c < 60; ++c) lit += qRed(smaller.pixel(c, 5)) > 0;
    ASSERT_GT(lit, 0) << x;
  }
}

TEST(ImageStretch, EveryChannelOfEveryTargetPixelIsTheLinearBlendOfItsSourcePoint) {
  // Red rises and green falls along a line, blue grows down the lines: a stretched pixel holds the
  // values at the source point its centre maps to, for widths that do and do not fill whole groups
  // of pixels blended together.
  constexpr int SourceWidth = 37, SourceHeight = 5;
  QImage source(SourceWidth, SourceHeight, QImage::Format_RGB32);
  for (int y = 0; y < SourceHeight; ++y)
    for (int x = 0; x < SourceWidth; ++x) source.setPixel(x, y, qRgb(6 * x, 200 - 5 * x, 50 * y));
  TKvImageStretch stretch;
  const auto at = [](int t, int sourceCount, int targetCount) {
    return std::clamp((t + 0.5) * sourceCount / targetCount - 0.5, 0.0, sourceCount - 1.0);
  };
  for (const int width : {1, 2, 3, 4, 5, 7, 8, 9, 13, 36, 37, 38, 75})
    for (const int height : {3, 9}) {
      QImage target(width, height, QImage::Format_RGB32);
      stretch.Stretch(source, QRectF(0, 0, SourceWidth, SourceHeight), target);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
          const QRgb pixel = target.pixel(x, y);
          const double u = at(x, SourceWidth, width), v = at(y, SourceHeight, height);
          // Weights of 1/256 and rounding down cost at most a step of one channel over 256, plus one.
          ASSERT_NEAR(qRed(pixel), 6 * u, 1.1) << width << "x" << height << " at " << x << "," << y;
          ASSERT_NEAR(qGreen(pixel), 200 - 5 * u, 1.1) << width << "x" << height << " at " << x << "," << y;
          ASSERT_NEAR(qBlue(pixel), 50 * v, 1.3) << width << "x" << height << " at " << x << "," << y;
          ASSERT_EQ(qAlpha(pixel), 255);
        }
    }
}

TEST(ImageStretch, APartOfTheSourceFillsTheTarget) {
  QImage source(8, 8, QImage::Format_RGB32);
  source.fill(qRgb(0, 0, 0));
  source.setPixel(6, 1, qRgb(255, 255, 255));
  TKvImageStretch stretch;
  QImage target(4, 4, QImage::Format_RGB32);
  // Columns 6 and 7, lines 0 and 1, doubled: the white pixel lights the lower left quarter.
  stretch.Stretch(source, QRectF(6, 0, 2, 2), target);
  EXPECT_GT(qRed(target.pixel(1, 2)), 128);
  EXPECT_EQ(target.pixel(1, 2), target.pixel(0, 2));
  EXPECT_EQ(target.pixel(3, 0), qRgb(0, 0, 0));
  EXPECT_EQ(target.pixel(3, 3), qRgb(0, 0, 0));
}

}  // namespace
