#include "vector/Thresholds.h"

#include "PrimitiveTestKit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

TEST(Thresholds, RealValuesBeyondTheLevelBecomeTheLevel) {
  const std::vector<double> x = {-3, 2, 2.5, 7, -HUGE_VAL, HUGE_VAL};
  struct TCase {
    IppCmpOp Relation;
    std::vector<double> Expected;
  };
  const TCase cases[] = {
      {CmpGreater, {-3, 2, 2, 2, -HUGE_VAL, 2}},
      {CmpLess, {2, 2, 2.5, 7, 2, HUGE_VAL}},
      {CmpGreaterEq, {2, 2, 2.5, 7, 2, HUGE_VAL}},  // every relation but "greater" means "less"
      {CmpEq, {2, 2, 2.5, 7, 2, HUGE_VAL}},
  };
  for (const TCase& c : cases) {
    std::vector<double> copy(x.size() + 1, 9), inPlace = x;
    ASSERT_EQ(ippsThreshold_64f(x.data(), copy.data(), int(x.size()), 2, c.Relation), StsNoError);
    ASSERT_EQ(ippsThreshold_64f_I(inPlace.data(), int(x.size()), 2, c.Relation), StsNoError);
    EXPECT_EQ(std::vector<double>(copy.begin(), copy.end() - 1), c.Expected) << c.Relation;
    EXPECT_EQ(copy.back(), 9);
    EXPECT_EQ(inPlace, c.Expected) << c.Relation;
  }
}

TEST(Thresholds, ComplexValuesOnTheirMagnitude) {
  struct TCase {
    Ipp64fc Z;
    IppCmpOp Relation;
    Ipp64fc Expected;
  };
  const TCase cases[] = {
      {{0, 0}, CmpLess, {2, 0}},    {{1, 0}, CmpLess, {2, 0}},          {{0, -1}, CmpLess, {0, -2}},
      {{3, 4}, CmpLess, {3, 4}},    {{3, 4}, CmpGreater, {1.2, 1.6}},   {{0, 0}, CmpGreater, {0, 0}},
      {{1, 1}, CmpGreater, {1, 1}}, {{-6, 8}, CmpGreater, {-1.2, 1.6}},
  };
  for (const TCase& c : cases) {
    Ipp64fc copy = {}, inPlace = c.Z;
    ASSERT_EQ(ippsThreshold_64fc(&c.Z, &copy, 1, 2, c.Relation), StsNoError);
    ASSERT_EQ(ippsThreshold_64fc_I(&inPlace, 1, 2, c.Relation), StsNoError);
    for (const Ipp64fc& result : {copy, inPlace}) {
      EXPECT_DOUBLE_EQ(result.re, c.Expected.re) << c.Z.re << "," << c.Z.im << " relation " << c.Relation;
      EXPECT_DOUBLE_EQ(result.im, c.Expected.im) << c.Z.re << "," << c.Z.im << " relation " << c.Relation;
    }
  }
  // The phase stays: the result is the input scaled by level / |z|, in extended precision.
  const Ipp64fc z = {0.3, -0.7};
  Ipp64fc scaled = {};
  ASSERT_EQ(ippsThreshold_64fc(&z, &scaled, 1, 5, CmpLess), StsNoError);
  const long double re = z.re, im = z.im, factor = std::sqrt(25 / (re * re + im * im));
  EXPECT_EQ(scaled.re, double(re * factor));
  EXPECT_EQ(scaled.im, double(im * factor));
}

TEST(Thresholds, IntegerLevels) {
  std::vector<Ipp32s> x = {-5, 0, 5, INT32_MIN, INT32_MAX};
  ASSERT_EQ(ippsThreshold_LT_32s_I(x.data(), 5, 0), StsNoError);
  EXPECT_EQ(x, (std::vector<Ipp32s>{0, 0, 5, 0, INT32_MAX}));
  ASSERT_EQ(ippsThreshold_GT_32s_I(x.data(), 5, 4), StsNoError);
  EXPECT_EQ(x, (std::vector<Ipp32s>{0, 0, 4, 0, 4}));
}

TEST(Thresholds, StatusesInCheckOrderAndNothingWrittenOnError) {
  std::vector<double> d(2, 55);
  std::vector<Ipp64fc> z(2, Ipp64fc{55, 55});
  std::vector<Ipp32s> n(2, 55);
  struct TCase {
    const char* What;
    IppStatus Status, Expected;
  };
  const TCase cases[] = {
      {"64f_I, null", ippsThreshold_64f_I(nullptr, 2, 0, CmpLess), StsNullPointer},
      {"64f, length", ippsThreshold_64f(d.data(), d.data(), 0, 0, CmpLess), StsSize},
      {"64fc, null before the level", ippsThreshold_64fc(z.data(), nullptr, 0, -1, CmpLess), StsNullPointer},
      {"64fc_I, length before the level", ippsThreshold_64fc_I(z.data(), 0, -1, CmpLess), StsSize},
      {"64fc_I, negative level", ippsThreshold_64fc_I(z.data(), 2, -1, CmpGreater), StsThreshNegLevel},
      {"64fc, negative level", ippsThreshold_64fc(z.data(), z.data(), 2, -0.5, CmpLess), StsThreshNegLevel},
      {"LT_32s, null", ippsThreshold_LT_32s_I(nullptr, 2, 0), StsNullPointer},
      {"GT_32s, length", ippsThreshold_GT_32s_I(n.data(), 0, 0), StsSize},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Status, c.Expected) << c.What;
  EXPECT_EQ(d, std::vector<double>(2, 55));
  EXPECT_EQ(z[0].re, 55);
  EXPECT_EQ(n, std::vector<Ipp32s>(2, 55));
}

}  // namespace
