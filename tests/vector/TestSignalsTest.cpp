#include "vector/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

TEST(Jaehne, IsTheChirpInExtendedPrecision) {
  for (const int len : {2, 7, 1024}) {
    std::vector<double> x(len + 1, 99);
    ASSERT_EQ(ippsVectorJaehne_64f(x.data(), len, 3.5), StsNoError);
    const long double pi = std::acos(-1.0L);
    for (int n = 0; n < len; ++n)
      EXPECT_NEAR(x[n], double(3.5L * std::sin(pi * n * n / (2.0L * len))), 4e-16 * 3.5) << len << " " << n;
    EXPECT_EQ(x[len], 99);
  }
  double single = 99;
  ASSERT_EQ(ippsVectorJaehne_64f(&single, 1, 2), StsNoError);
  EXPECT_EQ(single, 0);
  std::vector<double> x(3, 55);
  EXPECT_EQ(ippsVectorJaehne_64f(nullptr, 0, -1), StsNullPointer);
  EXPECT_EQ(ippsVectorJaehne_64f(x.data(), 0, -1), StsSize);
  EXPECT_EQ(ippsVectorJaehne_64f(x.data(), 3, -1), StsJaehne);
  EXPECT_EQ(x, std::vector<double>(3, 55));
}

TEST(RandomNumbers, UniformFillsTheRangeAndTheSeedContinuesTheSequence) {
  unsigned seed = 12345, split = 12345;
  std::vector<Ipp16s> whole(20000), parts(20000);
  ASSERT_EQ(ippsRandUniform_Direct_16s(whole.data(), 20000, -3, 5, &seed), StsNoError);
  ASSERT_EQ(ippsRandUniform_Direct_16s(parts.data(), 7, -3, 5, &split), StsNoError);
  ASSERT_EQ(ippsRandUniform_Direct_16s(parts.data() + 7, 19993, -3, 5, &split), StsNoError);
  EXPECT_EQ(parts, whole);
  EXPECT_EQ(seed, split);
  std::vector<int> histogram(9, 0);
  for (Ipp16s v : whole) {
    ASSERT_GE(v, -3);
    ASSERT_LE(v, 5);
    ++histogram[v + 3];
  }
  for (int count : histogram) EXPECT_NEAR(count, 20000 / 9.0, 200);
  // The ends of the 16-bit range, given in either order.
  unsigned other = 1;
  std::vector<Ipp16s> wide(4000);
  ASSERT_EQ(ippsRandUniform_Direct_16s(wide.data(), 4000, 32767, -32768, &other), StsNoError);
  double mean = 0;
  for (Ipp16s v : wide) mean += v;
  EXPECT_NEAR(mean / 4000, -0.5, 600);
  // Another seed, another sequence.
  unsigned third = 12346;
  std::vector<Ipp16s> different(20000);
  ASSERT_EQ(ippsRandUniform_Direct_16s(different.data(), 20000, -3, 5, &third), StsNoError);
  EXPECT_NE(different, whole);
}

TEST(RandomNumbers, GaussHasTheMeanAndDeviationAndSaturates) {
  unsigned seed = 7;
  std::vector<Ipp16s> x(40000);
  ASSERT_EQ(ippsRandGauss_Direct_16s(x.data(), 40000, 100, 50, &seed), StsNoError);
  double sum = 0, squares = 0;
  int withinOne = 0;
  for (Ipp16s v : x) sum += v, squares += double(v) * v, withinOne += std::abs(v - 100) <= 50;
  const double mean = sum / x.size(), deviation = std::sqrt(squares / x.size() - mean * mean);
  EXPECT_NEAR(mean, 100, 1);
  EXPECT_NEAR(deviation, 50, 1);
  EXPECT_NEAR(withinOne / 40000.0, 0.6827, 0.01);
  unsigned again = 7;
  std::vector<Ipp16s> repeated(40000);
  ASSERT_EQ(ippsRandGauss_Direct_16s(repeated.data(), 40000, 100, 50, &again), StsNoError);
  EXPECT_EQ(repeated, x);
  std::vector<Ipp16s> wide(1001);
  ASSERT_EQ(ippsRandGauss_Direct_16s(wide.data(), 1001, 0, 32767, &seed), StsNoError);
  int saturated = 0;
  for (Ipp16s v : wide) saturated += v == 32767 || v == -32768;
  EXPECT_GT(saturated, 200);  // |z| > 1 about a third of the time
}

TEST(RandomNumbers, StatusesAndNothingChangedOnError) {
  unsigned seed = 5;
  Ipp16s x[2] = {55, 55};
  EXPECT_EQ(ippsRandUniform_Direct_16s(x, 2, 0, 1, nullptr), StsNullPointer);
  EXPECT_EQ(ippsRandUniform_Direct_16s(nullptr, 0, 0, 1, &seed), StsNullPointer);
  EXPECT_EQ(ippsRandUniform_Direct_16s(x, 0, 0, 1, &seed), StsSize);
  EXPECT_EQ(ippsRandGauss_Direct_16s(x, -1, 0, 1, &seed), StsSize);
  EXPECT_EQ(ippsRandGauss_Direct_16s(x, 2, 0, 1, nullptr), StsNullPointer);
  EXPECT_EQ(seed, 5u);
  EXPECT_EQ(x[0], 55);
}

}  // namespace
