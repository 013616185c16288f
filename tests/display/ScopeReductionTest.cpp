// The scope's slice of visible samples and its reduction to the minimum and maximum per pixel
// column, against a brute-force scan.
#include "display/KvScopeReduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

// Column m ends before sample count × (m + 1) / columns (whole numbers), so sample i lies in the
// column ((i + 1) × columns − 1) / count; every column takes its extremes of the samples that are
// numbers.
std::vector<double> BruteForce(const std::vector<double>& y, uint32_t columns) {
  const double none = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> out(2 * size_t(columns), none);
  for (size_t i = 0; i < y.size(); ++i) {
    if (std::isnan(y[i])) continue;
    const size_t column = ((i + 1) * columns - 1) / y.size();
    double& low = out[2 * column];
    double& high = out[2 * column + 1];
    low = std::isnan(low) ? y[i] : std::min(low, y[i]);
    high = std::isnan(high) ? y[i] : std::max(high, y[i]);
  }
  return out;
}

void ExpectSame(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    if (std::isnan(expected[i])) EXPECT_TRUE(std::isnan(actual[i])) << i;
    else EXPECT_EQ(actual[i], expected[i]) << i;
  }
}

TEST(ScopeReduction, EqualsABruteForceScanPerColumn) {
  struct TCase {
    uint32_t count;
    uint32_t columns;
    double nanShare;
  };
  const TCase cases[] = {{44100, 300, 0}, {44100, 300, 0.01}, {1000, 7, 0}, {608, 300, 0},
                         {999, 333, 0.2}, {10, 10, 0},        {50, 3, 0.9}};
  std::mt19937 random(17);
  std::uniform_real_distribution<double> value(-1000, 1000), share(0, 1);
  std::vector<double> out;
  for (const TCase& c : cases) {
    std::vector<double> y(c.count);
    for (double& v : y) v = share(random) < c.nanShare ? std::nan("") : value(random);
    ReduceMinMax(y.data(), c.count, c.columns, out);
    SCOPED_TRACE(testing::Message() << c.count << " samples on " << c.columns << " columns");
    ExpectSame(out, BruteForce(y, c.columns));
  }
}

TEST(ScopeReduction, TheLastSampleOfEveryColumnCounts) {
  // 44100 on 300: column 0 ends with sample 146, column 1 with sample 293.
  std::vector<double> y(44100, 0.0);
  y[146] = 5;
  y[293] = -5;
  y[44099] = 7;
  std::vector<double> out;
  ReduceMinMax(y.data(), 44100, 300, out);
  ASSERT_EQ(out.size(), 600u);
  EXPECT_EQ(out[1], 5);
  EXPECT_EQ(out[2], -5);
  EXPECT_EQ(out[599], 7);
}

TEST(ScopeReduction, VisibleSlices) {
  struct TCase {
    const char* name;
    uint32_t count;
    bool uniform, linear;
    double xa, xb, dmin, dmax;
    int width;
    TKvVisibleSlice expected;
  };
  const TCase cases[] = {
      {"44100 on 300 are reduced to two points a column",
       44100,
       true,
       true,
       0,
       44099,
       0,
       44099,
       300,
       {0, 44100, 300, true}},
      {"500 on 300 are not reduced: 600 is not below 492", 500, true, true, 0, 499, 0, 499, 300, {0, 500, 300, false}},
      {"a logarithmic X axis is never reduced", 44100, true, false, 0, 44099, 0, 44099, 300, {0, 44100, 300, false}},
      {"XY data is never reduced", 44100, false, true, 0, 44099, 0, 44099, 300, {0, 44100, 300, false}},
      {"zoomed in: four samples more on each side", 1000, true, true, 100, 199, 0, 999, 1000, {96, 107, 1000, false}},
      {"one sample: its range is empty, nothing is divided by it", 1, true, true, 0, 0, 0, 0, 300, {0, 1, 0, false}},
      {"a visible range twice the data covers half the columns",
       2000,
       true,
       true,
       0,
       3998,
       0,
       1999,
       400,
       {0, 2000, 200, true}},
      {"a visible range beside the data covers nothing; the edge samples stay",
       100,
       true,
       true,
       200,
       300,
       0,
       99,
       300,
       {96, 4, 0, false}},
  };
  for (const TCase& c : cases) {
    const TKvVisibleSlice slice = VisibleSlice(c.count, c.uniform, c.linear, c.xa, c.xb, c.dmin, c.dmax, c.width);
    EXPECT_EQ(slice.First, c.expected.First) << c.name;
    EXPECT_EQ(slice.Count, c.expected.Count) << c.name;
    EXPECT_EQ(slice.Covered, c.expected.Covered) << c.name;
    EXPECT_EQ(slice.Reduced, c.expected.Reduced) << c.name;
  }
}

}  // namespace
