// The ranges the scope's axes show: automatic scaling of Y, the zoom window, and the X axis's
// units.
#include "DisplayTestKit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

class AxisRange : public testing::Test {
protected:
  TChartPtr Chart{new TTestChart(nullptr)};
  TKvScopeYAxis& Y = *Chart->YAxis();

  std::pair<double, double> Shown(double min, double max) {
    Chart->Deliver(min, max);
    Chart->Refresh();
    return {Y.GetVisibleMin(), Y.GetVisibleMax()};
  }
};

TEST_F(AxisRange, FollowsTheDataWithTenPerCentRoom) {
  EXPECT_EQ(Y.GetVisibleMin(), -1000);
  EXPECT_EQ(Y.GetVisibleMax(), 1000);
  EXPECT_EQ(Shown(-100, 300), (std::pair{-140.0, 340.0}));
  // Equal ends are moved apart.
  Y.AutoScaling()->SetMaxHistory(0);
  EXPECT_EQ(Shown(5, 5), (std::pair{4.4, 5.6}));
}

TEST_F(AxisRange, GrowsAtOnceAndShrinksOnlyPastItsThreshold) {
  Y.AutoScaling()->SetMaxHistory(0);
  EXPECT_EQ(Shown(-100, 100), (std::pair{-120.0, 120.0}));
  // 5 % less data is within the threshold: the range stays.
  EXPECT_EQ(Shown(-95, 95), (std::pair{-120.0, 120.0}));
  // Half the data is not: the range follows.
  EXPECT_EQ(Shown(-50, 50), (std::pair{-60.0, 60.0}));
  EXPECT_EQ(Shown(-200, 200), (std::pair{-240.0, 240.0}));
}

TEST_F(AxisRange, RemembersTheExtremesOfRecentRefreshes) {
  Y.AutoScaling()->SetMaxHistory(3);
  Shown(-100, 100);
  for (int i = 0; i < 2; ++i) EXPECT_LE(Shown(-10, 10).first, -100);
  // The large refresh left the memory: the range shrinks.
  EXPECT_GT(Shown(-10, 10).first, -100);
  EXPECT_EQ(Y.HistoryCount(), 3);
  // A new size forgets everything.
  Y.AutoScaling()->SetMaxHistory(5);
  EXPECT_EQ(Y.HistoryCount(), 0);
}

TEST_F(AxisRange, WithoutAutomaticScalingShowsTheStoredRange) {
  Y.AutoScaling()->SetEnabled(false);
  Y.Min()->SetValue(-3);
  Y.Max()->SetValue(7);
  EXPECT_EQ(Shown(-100, 100), (std::pair{-3.0, 7.0}));
}

TEST_F(AxisRange, AZoomWindowIsSetThroughOneCheckedEntry) {
  EXPECT_TRUE(Y.SetZoomRange(300, -200));
  EXPECT_TRUE(Y.IsZoomed());
  EXPECT_EQ(std::pair(Y.GetVisibleMin(), Y.GetVisibleMax()), (std::pair{-200.0, 300.0}));
  // Automatic scaling leaves a zoomed axis alone.
  EXPECT_EQ(Shown(-5000, 5000), (std::pair{-200.0, 300.0}));

  for (const auto& [min, max] : {std::pair{NAN, 1.0}, {0.0, INFINITY}, {-1e300, 1e300}}) {
    EXPECT_FALSE(Y.SetZoomRange(min, max));
    EXPECT_EQ(Y.ZoomMin(), -200);
    EXPECT_EQ(Y.ZoomMax(), 300);
  }
  EXPECT_TRUE(Y.SetZoomRange(1, 1));
  EXPECT_NEAR(Y.ZoomMax() - Y.ZoomMin(), TKvDisplayAxis::MinZoomSpan, 1e-12);

  // A limit on the minimum shifts the whole window.
  Y.Min()->Range()->Low()->SetEnabled(true);
  Y.Min()->Range()->Low()->SetValue(-500);
  EXPECT_TRUE(Y.SetZoomRange(-800, -600));
  EXPECT_EQ(std::pair(Y.ZoomMin(), Y.ZoomMax()), (std::pair{-500.0, -300.0}));
  EXPECT_TRUE(Y.ZoomAxisBy(2));
  EXPECT_EQ(std::pair(Y.ZoomMin(), Y.ZoomMax()), (std::pair{-500.0, -100.0}));

  Y.ZoomOff();
  EXPECT_FALSE(Y.IsZoomed());
  EXPECT_EQ(Y.ZoomMin(), -500);
}

TEST_F(AxisRange, TheWidestAndNarrowestSpansLimitTheZoom) {
  EXPECT_TRUE(Y.CanZoomIn());
  Y.Zooming()->Range()->Low()->SetValue(10);
  EXPECT_TRUE(Y.SetZoomRange(0, 2));
  EXPECT_EQ(std::pair(Y.ZoomMin(), Y.ZoomMax()), (std::pair{-4.0, 6.0}));
  EXPECT_FALSE(Y.CanZoomIn());
  Y.Zooming()->Range()->High()->SetEnabled(true);
  Y.Zooming()->Range()->High()->SetValue(100);
  EXPECT_TRUE(Y.SetZoomRange(0, 1000));
  EXPECT_EQ(std::pair(Y.ZoomMin(), Y.ZoomMax()), (std::pair{450.0, 550.0}));
  EXPECT_FALSE(Y.CanZoomOut());
  // The limits of a zoom cannot be negative.
  Y.Zooming()->Range()->Low()->SetValue(-1);
  EXPECT_EQ(Y.Zooming()->Range()->Low()->Value(), 0);
}

TEST_F(AxisRange, ALimitRangeKeepsItsLowEndBelowItsHighEnd) {
  TKvDisplayValueRange& range = *Y.Min()->Range();
  range.Low()->SetValue(2000);
  EXPECT_EQ(range.High()->Value(), 2000);
  range.High()->SetValue(-3000);
  EXPECT_EQ(range.Low()->Value(), -3000);
}

TEST_F(AxisRange, TheXAxisShowsTimeInTheUnitThatKeepsItReadable) {
  TKvScopeXAxis& x = *Chart->XAxis();
  Chart->Rate = 44100;
  x.SetTicksMode(TKvDisplayAxisTicksMode::atmTime);
  Chart->InvalidateRanges();
  EXPECT_EQ(x.GetCaption(), "mSec");
  EXPECT_DOUBLE_EQ(Chart->GetTimeMax(), 1023.0 / 44100 * 1000);
  EXPECT_DOUBLE_EQ(x.GetVisibleUnitMax(), 1023.0 / 44100 * 1000);
  x.SetTicksMode(TKvDisplayAxisTicksMode::atmFrequency);
  Chart->InvalidateRanges();
  EXPECT_EQ(x.GetCaption(), "kHz");
  EXPECT_DOUBLE_EQ(Chart->GetFrequencyMax(), 22.05);
  x.UnitScale()->SetAutoScale(false);
  EXPECT_EQ(x.GetCaption(), "Hz");
  x.AxisLabel()->SetText("Frequency");
  EXPECT_EQ(x.GetCaption(), "Frequency");
}

TEST_F(AxisRange, NoSampleRateAndNoLabelRangeDivideNothing) {
  TKvScopeXAxis& x = *Chart->XAxis();
  Chart->Rate = 0;
  x.SetTicksMode(TKvDisplayAxisTicksMode::atmTime);
  Chart->InvalidateRanges();
  EXPECT_EQ(x.TimeExponent(), 0);
  EXPECT_EQ(Chart->GetTimeMax(), 0);
  EXPECT_EQ(Chart->GetFrequencyMax(), 0);
  EXPECT_TRUE(std::isfinite(x.GetVisibleUnitMax()));
  // Labels from 5 to 5: sample positions stay as they are.
  x.SetTicksMode(TKvDisplayAxisTicksMode::atmManual);
  x.Min()->Tick()->SetValue(5);
  x.Max()->Tick()->SetValue(5);
  EXPECT_EQ(x.ToSamples(3), 3);
  EXPECT_TRUE(std::isfinite(x.GetStep()));
}

TEST_F(AxisRange, TheXAxisTakesTheSampleCountTheRefreshHandsOver) {
  TKvScopeXAxis& x = *Chart->XAxis();
  x.SetSamples(512);
  EXPECT_EQ(x.Samples(), 512);
  EXPECT_EQ(x.GetFullMax(), 511);
  x.SetSamples(0);
  EXPECT_EQ(x.Samples(), 1024);
  x.MaxSample()->SetAutosize(false);
  x.MaxSample()->SetValue(300);
  EXPECT_EQ(x.Samples(), 300);
  x.SetSamples(2048);
  EXPECT_EQ(x.Samples(), 300);
}

}  // namespace
