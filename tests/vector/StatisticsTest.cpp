#include "vector/Statistics.h"

#include "PrimitiveTestKit.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;
using TExtended = long double;

// Sums in extended precision, element by element: the reference for any order of accumulation.
// A sum of n terms carries at most n rounding errors of the extended format.
void ExpectExtendedResult(double value, TExtended reference, std::size_t terms, TExtended magnitude) {
  const TExtended tolerance = magnitude * terms * LDBL_EPSILON + std::fabs(reference) * DBL_EPSILON / 2;
  EXPECT_LE(std::fabs(value - reference), tolerance) << value << " vs " << double(reference);
}

TEST(Statistics, SumsMeansAndDeviationInExtendedPrecision) {
  for (std::size_t len : {1u, 2u, 3u, 7u, 1024u}) {
    const std::vector<double> x = MixedValues(len, unsigned(len));
    TExtended sum = 0, squares = 0, magnitude = 0;
    for (double v : x) sum += v, squares += TExtended(v) * v, magnitude += std::fabs(TExtended(v));
    double result = 0;
    ASSERT_EQ(ippsSum_64f(x.data(), int(len), &result), StsNoError);
    ExpectExtendedResult(result, sum, len, magnitude);
    ASSERT_EQ(ippsMean_64f(x.data(), int(len), &result), StsNoError);
    ExpectExtendedResult(result, sum / len, len, magnitude / len);
    if (len < 2) continue;
    ASSERT_EQ(ippsStdDev_64f(x.data(), int(len), &result), StsNoError);
    const TExtended n = len, g = n * squares - sum * sum;
    EXPECT_NEAR(result, double(std::sqrt(g / (n * (n - 1)))), 1e-12 * result) << len;
  }
  // Extended precision keeps what doubles lose: 1 + 1e-16 + ... + 1e-16 - 1 (each 1e-16 is below
  // half a unit of 1 in double, and rounded by at most 2^-64 in extended).
  std::vector<double> x(1001, 1e-16);
  x[0] = 1, x[1000] = -1;
  double sum = 0;
  ASSERT_EQ(ippsSum_64f(x.data(), 1001, &sum), StsNoError);
  EXPECT_NEAR(sum, 999e-16, 1000 * 0x1p-64);
  std::vector<float> f = {1, 2, 3, 4.5f};
  float fs = 0, fm = 0;
  ASSERT_EQ(ippsSum_32f(f.data(), 4, &fs, HintNone), StsNoError);
  ASSERT_EQ(ippsMean_32f(f.data(), 4, &fm, HintFast), StsNoError);
  EXPECT_EQ(fs, 10.5f);
  EXPECT_EQ(fm, 2.625f);
}

TEST(Statistics, DeviationCases) {
  const std::vector<double> ramp = {1, 2, 3, 4}, flat = {7, 7, 7};
  double deviation = -1;
  ASSERT_EQ(ippsStdDev_64f(ramp.data(), 4, &deviation), StsNoError);
  EXPECT_DOUBLE_EQ(deviation, std::sqrt(5.0 / 3));
  ASSERT_EQ(ippsStdDev_64f(flat.data(), 3, &deviation), StsNoError);
  EXPECT_EQ(deviation, 0);
  deviation = -1;
  EXPECT_EQ(ippsStdDev_64f(flat.data(), 1, &deviation), StsSize);
  EXPECT_EQ(deviation, -1);
}

TEST(Statistics, ExtremesAndTheFirstIndex) {
  struct TCase {
    std::vector<double> X;
    double Min;
    int MinIndex;
    double Max;
    int MaxIndex;
  };
  const TCase cases[] = {
      {{3, 1, 1}, 1, 1, 3, 0},
      {{5, 5}, 5, 0, 5, 0},
      {{-0.5}, -0.5, 0, -0.5, 0},
      {{2, -HUGE_VAL, 9, HUGE_VAL, -3, HUGE_VAL}, -HUGE_VAL, 1, HUGE_VAL, 3},
  };
  for (const TCase& c : cases) {
    const int n = int(c.X.size());
    double value = 0;
    int index = -1;
    ASSERT_EQ(ippsMin_64f(c.X.data(), n, &value), StsNoError);
    EXPECT_EQ(value, c.Min);
    ASSERT_EQ(ippsMax_64f(c.X.data(), n, &value), StsNoError);
    EXPECT_EQ(value, c.Max);
    ASSERT_EQ(ippsMinIndx_64f(c.X.data(), n, &value, &index), StsNoError);
    EXPECT_EQ(value, c.Min);
    EXPECT_EQ(index, c.MinIndex);
    ASSERT_EQ(ippsMaxIndx_64f(c.X.data(), n, &value, &index), StsNoError);
    EXPECT_EQ(value, c.Max);
    EXPECT_EQ(index, c.MaxIndex);
    ASSERT_EQ(ippsMaxIndx_64f(c.X.data(), n, &value, nullptr), StsNoError) << "a null index is left out";
    EXPECT_EQ(value, c.Max);
  }
}

TEST(Statistics, DotProductsAndNormsOfDifferences) {
  for (std::size_t len : {1u, 5u, 1000u}) {
    const std::vector<double> a = MixedValues(len, 20), b = MixedValues(len, 21);
    TExtended dot = 0, l1 = 0, l2 = 0, inf = 0, magnitude = 0;
    for (std::size_t i = 0; i < len; ++i) {
      const TExtended d = TExtended(a[i]) - b[i];
      dot += TExtended(a[i]) * b[i];
      magnitude += std::fabs(TExtended(a[i]) * b[i]);
      l1 += std::fabs(d), l2 += d * d, inf = std::max(inf, std::fabs(d));
    }
    double result = 0;
    ASSERT_EQ(ippsDotProd_64f(a.data(), b.data(), int(len), &result), StsNoError);
    ExpectExtendedResult(result, dot, len, magnitude);
    ASSERT_EQ(ippsNormDiff_L1_64f(a.data(), b.data(), int(len), &result), StsNoError);
    ExpectExtendedResult(result, l1, len, l1);
    ASSERT_EQ(ippsNormDiff_L2_64f(a.data(), b.data(), int(len), &result), StsNoError);
    EXPECT_NEAR(result, double(std::sqrt(l2)), 2 * DBL_EPSILON * result);
    ASSERT_EQ(ippsNormDiff_Inf_64f(a.data(), b.data(), int(len), &result), StsNoError);
    EXPECT_EQ(result, double(inf));
  }
  // Complex, neither factor conjugated: (1 + 2i)(3 - i) + (0 + i)(0 + i) = 5 + 5i - 1.
  const std::vector<Ipp64fc> a = {{1, 2}, {0, 1}}, b = {{3, -1}, {0, 1}};
  Ipp64fc product = {};
  ASSERT_EQ(ippsDotProd_64fc(a.data(), b.data(), 2, &product), StsNoError);
  EXPECT_EQ(product.re, 4);
  EXPECT_EQ(product.im, 5);
  const std::vector<double> same = {1, 2};
  double norm = -1;
  ASSERT_EQ(ippsNormDiff_Inf_64f(same.data(), same.data(), 2, &norm), StsNoError);
  EXPECT_EQ(norm, 0) << "0 is the start value";
}

TEST(Statistics, StatusesInCheckOrderAndNothingWrittenOnError) {
  const std::vector<double> x = {1, 2};
  const double* p = x.data();
  const Ipp64fc z[1] = {{1, 1}};
  double out = 55;
  float single = 55;
  int index = 55;
  Ipp64fc complexOut = {55, 55};
  struct TCase {
    const char* What;
    IppStatus Status, Expected;
  };
  const TCase cases[] = {
      {"Sum, null result", ippsSum_64f(p, 0, nullptr), StsNullPointer},
      {"Sum, length", ippsSum_64f(p, 0, &out), StsSize},
      {"Sum_32f, null source", ippsSum_32f(nullptr, 2, &single, HintNone), StsNullPointer},
      {"Mean, length", ippsMean_64f(p, -1, &out), StsSize},
      {"Mean_32f, null", ippsMean_32f(nullptr, 0, &single, HintNone), StsNullPointer},
      {"StdDev, null", ippsStdDev_64f(p, 2, nullptr), StsNullPointer},
      {"StdDev, length 0", ippsStdDev_64f(p, 0, &out), StsSize},
      {"Min, null", ippsMin_64f(nullptr, 2, &out), StsNullPointer},
      {"Max, length", ippsMax_64f(p, 0, &out), StsSize},
      {"MinIndx, null value", ippsMinIndx_64f(p, 2, nullptr, &index), StsNullPointer},
      {"MaxIndx, length", ippsMaxIndx_64f(p, 0, &out, &index), StsSize},
      {"DotProd, null", ippsDotProd_64f(p, nullptr, 2, &out), StsNullPointer},
      {"DotProd_64fc, length", ippsDotProd_64fc(z, z, 0, &complexOut), StsSize},
      {"NormDiff_L1, null result", ippsNormDiff_L1_64f(p, p, 2, nullptr), StsNullPointer},
      {"NormDiff_L2, length", ippsNormDiff_L2_64f(p, p, 0, &out), StsSize},
      {"NormDiff_Inf, null", ippsNormDiff_Inf_64f(nullptr, p, 0, &out), StsNullPointer},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Status, c.Expected) << c.What;
  EXPECT_EQ(out, 55);
  EXPECT_EQ(single, 55);
  EXPECT_EQ(index, 55);
  EXPECT_EQ(complexOut.re, 55);
}

}  // namespace
