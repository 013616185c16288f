// Values to pixels and back: the ends of the range, reversal, a range of zero, and values that
// no picture can hold.
#include "DisplayTestKit.h"
#include "display/KvAxisMapping.h"
#include "display/KvDisplayLayout.h"
#include "display/KvTickSteps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A data view from (10, 20) to (210, 220): a Y axis spreads over 198 pixels upwards from 219, an X
// axis over 199 pixels from 10.
TKvAxisMapping YMapping(double min, double max, bool reversed = false) {
  return reversed ? TKvAxisMapping::Make(min, max, 21, 198, 1, true, false)
                  : TKvAxisMapping::Make(min, max, 219, 198, -1, true, false);
}
TKvAxisMapping XMapping(double min, double max) { return TKvAxisMapping::Make(min, max, 10, 199, 1, false, false); }

TEST(AxisMapping, PutsTheEndsOfTheRangeOnTheEndsOfTheView) {
  const TKvAxisMapping y = YMapping(-1000, 1000);
  EXPECT_EQ(y.ToPixel(-1000), 219);
  EXPECT_EQ(y.ToPixel(1000), 21);
  EXPECT_EQ(y.ToPixel(0), 120);
  EXPECT_EQ(y.TickPixel(0), 120);
  EXPECT_EQ(y.TickPixel(1000), 21);
  const TKvAxisMapping x = XMapping(0, 1024);
  EXPECT_EQ(x.ToPixel(0), 10);
  EXPECT_EQ(x.ToPixel(1024), 209);
  const TKvAxisMapping reversed = YMapping(-1000, 1000, true);
  EXPECT_EQ(reversed.ToPixel(-1000), 21);
  EXPECT_EQ(reversed.ToPixel(1000), 219);
}

TEST(AxisMapping, TurnsEveryPixelIntoAValueThatTurnsBackIntoIt) {
  for (const TKvAxisMapping& mapping :
       {YMapping(-1000, 1000), YMapping(-3.7, 12.9, true), XMapping(0, 1024), XMapping(1e-9, 3e-9),
        TKvAxisMapping::Make(LogScale(1), LogScale(1e5), 219, 198, -1, true, true)}) {
    for (int pixel = 21; pixel <= 219; ++pixel) ASSERT_EQ(mapping.ToPixel(mapping.ToValue(pixel)), pixel) << pixel;
  }
  // The value at an end of the view is that end of the range.
  EXPECT_DOUBLE_EQ(XMapping(0, 1024).ToValue(209), 1024);
  EXPECT_DOUBLE_EQ(XMapping(0, 1024).ToValue(10), 0);
}

TEST(AxisMapping, PutsARangeOfZeroInTheMiddleWithoutDividing) {
  const TKvAxisMapping y = YMapping(5, 5);
  EXPECT_EQ(y.Scale(), 1);
  EXPECT_EQ(y.ToPixel(5), 120);
  EXPECT_EQ(y.ToValue(120), 5);
  // No pixels, or a range that is not finite, likewise.
  EXPECT_EQ(TKvAxisMapping::Make(0, 10, 50, 0, 1, false, false).ToPixel(0), 50);
  const TKvAxisMapping endless = TKvAxisMapping::Make(-INFINITY, INFINITY, 219, 198, -1, true, false);
  EXPECT_EQ(endless.ToPixel(0), 120);
}

TEST(AxisMapping, ClampsValuesNoPictureCanHold) {
  const TKvAxisMapping y = YMapping(-1000, 1000);
  const int limit = static_cast<int>(KvPixelLimit);
  for (double value : {1e300, std::numeric_limits<double>::max(), double(INFINITY)}) {
    EXPECT_EQ(y.ToPixel(value), -limit);
    EXPECT_EQ(y.ToPixel(-value), limit);
    EXPECT_EQ(y.TickPixel(value), -limit);
    EXPECT_EQ(y.TickPixel(-value), limit);
  }
  EXPECT_EQ(y.ToPixel(NAN), limit);
  EXPECT_EQ(y.TickPixel(NAN), limit);
  EXPECT_EQ(RoundPixel(2.5), 2);
  EXPECT_EQ(RoundPixel(3.5), 4);
  EXPECT_EQ(RoundPixel(-2.5), -2);
}

TEST(AxisMapping, TheChartsAxesSpanItsDataView) {
  TChartPtr chart(new TTestChart(nullptr));
  LayoutViews(chart->Views(), chart->Width(), chart->Height());
  const TKvRect view = chart->DataView()->GetRect();
  const TKvBasicScopeYAxis& y = *chart->YAxis();
  EXPECT_EQ(y.GetMapping().ToPixel(y.GetVisibleUnitMin()), view.Bottom - 1);
  EXPECT_EQ(y.GetMapping().ToPixel(y.GetVisibleUnitMax()), view.Top + 1);
  const TKvBasicScopeXAxis& x = *chart->XAxis();
  EXPECT_EQ(x.GetMapping().ToPixel(x.GetVisibleUnitMin()), view.Left);
  EXPECT_EQ(x.GetMapping().ToPixel(x.GetVisibleUnitMax()), view.Right - 1);
  chart->YAxis()->SetReversed(true);
  EXPECT_EQ(y.GetMapping().ToPixel(y.GetVisibleUnitMin()), view.Top + 1);
}

}  // namespace
