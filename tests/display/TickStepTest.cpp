// Tick steps of 1, 2, 2.5 and 5 times a power of ten, doubled steps, and the walk over the ticks.
#include "display/KvTickSteps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

struct TStepCase {
  double Span;
  int Pixels;
  double MinSpacing;
  int LabelExtent;
  double Step;
};

class AutoStep : public testing::TestWithParam<TStepCase> {};

TEST_P(AutoStep, IsTheFirstCandidateWhoseTicksLeaveRoomForTheLabels) {
  const TStepCase& c = GetParam();
  EXPECT_DOUBLE_EQ(AutoTickStep(c.Span, c.Pixels, c.MinSpacing, c.LabelExtent, TKvScaleMode::smLinear), c.Step)
      << c.Span << " over " << c.Pixels;
}

constexpr double Infinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Table, AutoStep,
                         testing::Values(
                             // 20 × 2000 / 197 ≈ 203: past 2 in its decade, so 2.5 × 100.
                             TStepCase{2000, 197, 20, 12, 250},
                             // 20 × 2000 / 400 = 100 exactly: 1 × 100.
                             TStepCase{2000, 400, 20, 12, 100},
                             // 1 would put ticks 40 pixels apart, less than the labels' 52: 2.
                             TStepCase{10, 400, 30, 50, 2},
                             // 5 × 10^4 leaves 25 pixels for labels of 32: the next decade.
                             TStepCase{1e6, 500, 20, 30, 1e5}, TStepCase{0.0033, 300, 20, 12, 0.00025},
                             // A negative span walks its candidates by their size and keeps the sign.
                             TStepCase{-2000, 197, 20, 12, -250},
                             // Nothing to divide: the step is 1.
                             TStepCase{2000, 0, 20, 12, 1}, TStepCase{0, 200, 20, 12, 1},
                             TStepCase{Infinity, 200, 20, 12, 1}, TStepCase{std::nan(""), 200, 20, 12, 1},
                             TStepCase{2000, -5, 20, 12, 1}));

TEST(AutoStep, IsOneOnADecadeScale) { EXPECT_EQ(AutoTickStep(1000, 200, 1, 12, TKvScaleMode::smLogDecascale), 1); }

TEST(DoubledStep, DoublesUntilTicksLieFurtherApartThanTheLimit) {
  // Step 1 over 2000 in 200 pixels: 128 gives 12 pixels, 256 gives 25 > 14.
  EXPECT_EQ(DoubledTickStep(1, 2000, 200, 14), 256);
  // Only until ticks are more than a pixel apart: 16 gives 1, 32 gives 3.
  EXPECT_EQ(DoubledTickStep(1, 2000, 200, 1), 32);
  EXPECT_EQ(DoubledTickStep(500, 2000, 200, 14), 500);
}

TEST(DoubledStep, EndsWhereDoublingCannotHelp) {
  EXPECT_EQ(DoubledTickStep(1, 2000, 0, 14), 1);
  EXPECT_EQ(DoubledTickStep(1, 0, 200, 14), 1);
  EXPECT_EQ(DoubledTickStep(1, Infinity, 200, 14), 1);
  // A span no step can cover: doubling stops at the largest finite step.
  const double step = DoubledTickStep(1, std::numeric_limits<double>::max(), 1, 14);
  EXPECT_TRUE(std::isfinite(step));
  EXPECT_GT(step, 1e307);
}

struct TWalkResult {
  std::vector<double> Majors;
  std::vector<int> MinorPixels;
  int Zeros = 0;
};

// Walks with one pixel per value unit.
TWalkResult Walk(TKvTickWalk walk) {
  if (!walk.PixelOf) walk.PixelOf = [](double value) { return static_cast<int>(std::lround(value)); };
  if (!walk.Inside) walk.Inside = [](int) { return true; };
  TWalkResult result;
  WalkTicks(walk, [&](const TKvTick& tick) {
    if (tick.Major) result.Majors.push_back(tick.Value);
    else result.MinorPixels.push_back(tick.Pixel);
    result.Zeros += tick.Zero;
  });
  return result;
}

TEST(TickWalk, VisitsZeroOnceAndFlagsIt) {
  TKvTickWalk walk;
  walk.Min = -1000, walk.Max = 1000, walk.Step = 250;
  const TWalkResult result = Walk(walk);
  EXPECT_EQ(result.Majors, (std::vector<double>{0, -250, -500, -750, -1000, -1250, 250, 500, 750, 1000, 1250}));
  EXPECT_EQ(result.Zeros, 1);
}

TEST(TickWalk, StartsFromTheRangeWhenItLiesOnOneSideOfZero) {
  TKvTickWalk walk;
  walk.Min = 300, walk.Max = 1000, walk.Step = 250;
  EXPECT_EQ(Walk(walk).Majors, (std::vector<double>{250, 500, 750, 1000, 1250}));
  walk.Min = -1000, walk.Max = -300;
  EXPECT_EQ(Walk(walk).Majors, (std::vector<double>{-250, -500, -750, -1000, -1250}));
  walk.Min = walk.Max = 0;
  EXPECT_TRUE(Walk(walk).Majors.empty());
}

TEST(TickWalk, StartsFromEitherSignOfASetStart) {
  TKvTickWalk walk;
  walk.Min = -30, walk.Max = 30, walk.Step = 10;
  walk.UseStartFrom = true, walk.StartFrom = 5;
  EXPECT_EQ(Walk(walk).Majors, (std::vector<double>{-5, -15, -25, -35, 5, 15, 25, 35}));
}

TEST(TickWalk, LeavesOutTicksTooCloseOrOutsideTheView) {
  TKvTickWalk walk;
  walk.Min = 0, walk.Max = 100, walk.Step = 10;
  walk.MinDistance = 15;
  walk.Inside = [](int pixel) { return pixel <= 80; };
  EXPECT_EQ(Walk(walk).Majors, (std::vector<double>{0, 20, 40, 60, 80}));
}

TEST(TickWalk, SpacesMinorTicksEvenlyInWholePixels) {
  TKvTickWalk walk;
  walk.Min = 0, walk.Max = 200, walk.Step = 100;
  walk.MinorCount = 4;
  walk.Inside = [](int pixel) { return pixel <= 200; };
  EXPECT_EQ(Walk(walk).MinorPixels, (std::vector<int>{20, 40, 60, 80, 120, 140, 160, 180}));
  walk.Min = 0, walk.Max = 10, walk.Step = 10, walk.MinorCount = 2;
  walk.Inside = [](int pixel) { return pixel <= 10; };
  EXPECT_EQ(Walk(walk).MinorPixels, (std::vector<int>{3, 6}));
}

TEST(TickWalk, MayChangeTheStepOrLeaveATickOut) {
  TKvTickWalk walk;
  walk.Min = -20, walk.Max = 40, walk.Step = 10;
  walk.CustomStep = [](double& step, bool& draw, double value) {
    if (value == 0) draw = false;
    if (value >= 20) step = 20;
  };
  EXPECT_EQ(Walk(walk).Majors, (std::vector<double>{-10, -20, -30, 10, 20, 40, 60}));
}

TEST(TickWalk, CountsDecadesOnADecadeScale) {
  TKvTickWalk walk;
  walk.Min = 1, walk.Max = 300, walk.Step = 1, walk.Scale = TKvScaleMode::smLogDecascale;
  walk.PixelOf = [](double value) { return static_cast<int>(std::lround(value * 10)); };
  const std::vector<double> majors = Walk(walk).Majors;
  const std::vector<double> expected{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 200, 300};
  ASSERT_GE(majors.size(), expected.size());
  EXPECT_EQ(std::vector<double>(majors.begin(), majors.begin() + expected.size()), expected);
}

TEST(TickWalk, IsBoundedWhateverTheStep) {
  TKvTickWalk walk;
  // A step lost in the values' precision: the walk stops when the value stops changing.
  walk.Min = 1e6, walk.Max = 1e6 + 1, walk.Step = 1e-20;
  EXPECT_LE(Walk(walk).Majors.size(), 1u);
  // A step far too small for the range: at most a bounded number of values each way.
  walk.Min = -1e9, walk.Max = 1e9, walk.Step = 1e-3;
  walk.MinDistance = -1;
  const TWalkResult result = Walk(walk);
  EXPECT_LE(result.Majors.size(), 2u * KvMaxTickSteps);
  // No step, no ticks; nor for a range that is not finite.
  walk.Step = 0;
  EXPECT_TRUE(Walk(walk).Majors.empty());
  walk.Step = 1, walk.Max = Infinity;
  EXPECT_TRUE(Walk(walk).Majors.empty());
}

}  // namespace
