#include "vector/Conversions.h"
#include "vector/SingleConversion.h"

#include "PrimitiveTestKit.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

TEST(Conversions, WideningIsExact) {
  const std::vector<Ipp32s> longs = {INT_MIN, -1, 0, 123456789, INT_MAX};
  std::vector<double> doubles(5);
  ASSERT_EQ(ippsConvert_32s64f(longs.data(), doubles.data(), 5), StsNoError);
  EXPECT_EQ(doubles, (std::vector<double>{-2147483648.0, -1, 0, 123456789, 2147483647.0}));
  const std::vector<float> singles = {FLT_TRUE_MIN, -0.1f, HUGE_VALF, FLT_MAX};
  ASSERT_EQ(ippsConvert_32f64f(singles.data(), doubles.data(), 4), StsNoError);
  EXPECT_EQ(doubles[0], double(FLT_TRUE_MIN));
  EXPECT_EQ(doubles[1], double(-0.1f));
  EXPECT_EQ(doubles[2], HUGE_VAL);
  const std::vector<Ipp8s> bytes = {-128, -1, 0, 127};
  std::vector<Ipp16s> words(4);
  ASSERT_EQ(ippsConvert_8s16s(bytes.data(), words.data(), 4), StsNoError);
  EXPECT_EQ(words, (std::vector<Ipp16s>{-128, -1, 0, 127}));
  std::vector<float> rounded(2);
  const std::vector<Ipp32s> large = {16777217, INT_MAX};
  ASSERT_EQ(ippsConvert_32s32f(large.data(), rounded.data(), 2), StsNoError);
  EXPECT_EQ(rounded, (std::vector<float>{16777216.0f, 2147483648.0f}));
}

TEST(Conversions, DoublesToSinglesSaturateAtTheLargestSingle) {
  // Four at a time and one by one: the last element takes the other path.
  const std::vector<double> x = {
      1e300, -1e300, 3.4028234663852886e38, 3.40282356e38, 0.1, std::nan(""), HUGE_VAL, -HUGE_VAL,
      1e-50, -1e300, std::nan("")};
  const auto expect = [&](const std::vector<float>& y, std::size_t len, const char* what) {
    for (std::size_t i = 0; i < len; ++i) {
      const float expected = std::fabs(x[i]) >= FLT_MAX ? std::copysign(FLT_MAX, x[i]) : float(x[i]);
      EXPECT_TRUE(std::isnan(x[i]) ? std::isnan(y[i]) : y[i] == expected) << what << ": " << x[i] << " gave " << y[i];
    }
    EXPECT_EQ(y[len], 5) << what;
  };
  for (const std::size_t len : {x.size(), std::size_t(4), std::size_t(3)}) {
    std::vector<float> y(len + 1, 5);
    ASSERT_EQ(ippsConvert_64f32f(x.data(), y.data(), int(len)), StsNoError);
    expect(y, len, "the primitive");
    // Every loop the processor can run gives the same.
    for (const TSingleConversion convert : SupportedSingleConversions()) {
      std::vector<float> z(len + 1, 5);
      convert(x.data(), z.data(), int(len));
      expect(z, len, "a loop");
    }
  }
}

TEST(Conversions, ToIntegersRoundScaleAndSaturate) {
  struct TCase {
    double X;
    IppRoundMode Mode;
    int ScaleFactor;
    Ipp32s Expected;
  };
  const TCase cases[] = {
      {2.5, RndNear, 0, 2},
      {3.5, RndNear, 0, 4},
      {-2.5, RndNear, 0, -2},
      {-3.5, RndNear, 0, -4},
      {0.49999999999999994, RndNear, 0, 0},
      {3e9, RndNear, 0, INT_MAX},
      {-3e9, RndNear, 0, INT_MIN},
      {2147483646.7, RndNear, 0, INT_MAX},
      {2147483647.0, RndZero, 0, INT_MAX},
      {-2147483648.4, RndNear, 0, INT_MIN},
      {-2.7, RndZero, 0, -2},
      {2.7, RndZero, 0, 2},
      {5, RndNear, 1, 2},
      {7, RndNear, 1, 4},
      {-5, RndNear, 1, -2},
      {3, RndZero, 1, 1},
      {3, RndNear, -2, 12},
      {1e9, RndNear, -2, INT_MAX},
      {1e300, RndNear, 900, INT_MAX},
      {1e300, RndNear, 1100, 0},
      {HUGE_VAL, RndZero, 0, INT_MAX},
      {-HUGE_VAL, RndNear, 0, INT_MIN},
      {std::nan(""), RndNear, 0, INT_MIN},
      {1, RndNear, INT_MIN, INT_MAX},
      {0, RndNear, INT_MIN, 0},
      {1, RndNear, INT_MAX, 0},
      {1.5, static_cast<IppRoundMode>(7), 0, 1},
  };
  for (const TCase& c : cases) {
    Ipp32s fromDouble = 0;
    ASSERT_EQ(ippsConvert_64f32s_Sfs(&c.X, &fromDouble, 1, c.Mode, c.ScaleFactor), StsNoError);
    EXPECT_EQ(fromDouble, c.Expected) << c.X << " mode " << c.Mode << " scale factor " << c.ScaleFactor;
    const float single = static_cast<float>(c.X);
    if (single != c.X && !std::isnan(c.X)) continue;
    Ipp32s fromSingle = 0;
    ASSERT_EQ(ippsConvert_32f32s_Sfs(&single, &fromSingle, 1, c.Mode, c.ScaleFactor), StsNoError);
    EXPECT_EQ(fromSingle, c.Expected) << single << " mode " << c.Mode << " scale factor " << c.ScaleFactor;
  }
  // Singles near 2^31: 2147483520 fits, 2147483648 saturates.
  const std::vector<float> nearLimit = {2147483520.0f, 2147483648.0f, -2147483648.0f};
  std::vector<Ipp32s> ints(3);
  ASSERT_EQ(ippsConvert_32f32s_Sfs(nearLimit.data(), ints.data(), 3, RndNear, 0), StsNoError);
  EXPECT_EQ(ints, (std::vector<Ipp32s>{2147483520, INT_MAX, INT_MIN}));
}

TEST(Conversions, ByteSwaps) {
  const std::vector<Ipp16u> words = {0x1234, 0xFF00};
  std::vector<Ipp16u> swappedWords(2);
  ASSERT_EQ(ippsSwapBytes_16u(words.data(), swappedWords.data(), 2), StsNoError);
  EXPECT_EQ(swappedWords, (std::vector<Ipp16u>{0x3412, 0x00FF}));
  const std::vector<Ipp8u> triples = {1, 2, 3, 4, 5, 6, 7};
  std::vector<Ipp8u> swappedTriples(7, 0);
  ASSERT_EQ(ippsSwapBytes_24u(triples.data(), swappedTriples.data(), 2), StsNoError);
  EXPECT_EQ(swappedTriples, (std::vector<Ipp8u>{3, 2, 1, 6, 5, 4, 0}));
  std::vector<Ipp8u> inPlace = triples;
  ASSERT_EQ(ippsSwapBytes_24u(inPlace.data(), inPlace.data(), 1), StsNoError);
  EXPECT_EQ(inPlace, (std::vector<Ipp8u>{3, 2, 1, 4, 5, 6, 7}));
  std::vector<Ipp32u> longs = {0x12345678, 0xAABBCCDD};
  std::vector<Ipp32u> swappedLongs(2);
  ASSERT_EQ(ippsSwapBytes_32u(longs.data(), swappedLongs.data(), 2), StsNoError);
  EXPECT_EQ(swappedLongs, (std::vector<Ipp32u>{0x78563412, 0xDDCCBBAA}));
  ASSERT_EQ(ippsSwapBytes_32u_I(longs.data(), 1), StsNoError);
  EXPECT_EQ(longs, (std::vector<Ipp32u>{0x78563412, 0xAABBCCDD}));
}

TEST(Conversions, StatusesInCheckOrderAndNothingWrittenOnError) {
  std::vector<double> d(2, 55);
  std::vector<float> f(2, 55);
  std::vector<Ipp32s> n(2, 55);
  std::vector<Ipp8u> b(6, 55);
  struct TCase {
    const char* What;
    IppStatus Status, Expected;
  };
  const TCase cases[] = {
      {"32s64f, null", ippsConvert_32s64f(nullptr, d.data(), 2), StsNullPointer},
      {"32f64f, length", ippsConvert_32f64f(f.data(), d.data(), 0), StsSize},
      {"64f32f, null", ippsConvert_64f32f(d.data(), nullptr, 0), StsNullPointer},
      {"64f32s, length", ippsConvert_64f32s_Sfs(d.data(), n.data(), -1, RndNear, 0), StsSize},
      {"32f32s, null", ippsConvert_32f32s_Sfs(nullptr, n.data(), 2, RndNear, 0), StsNullPointer},
      {"32s32f, length", ippsConvert_32s32f(n.data(), f.data(), 0), StsSize},
      {"8s16s, null", ippsConvert_8s16s(nullptr, nullptr, 2), StsNullPointer},
      {"swap 24u, length", ippsSwapBytes_24u(b.data(), b.data(), 0), StsSize},
      {"swap 32u_I, null", ippsSwapBytes_32u_I(nullptr, 2), StsNullPointer},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Status, c.Expected) << c.What;
  EXPECT_EQ(d, std::vector<double>(2, 55));
  EXPECT_EQ(f, std::vector<float>(2, 55));
  EXPECT_EQ(n, std::vector<Ipp32s>(2, 55));
  EXPECT_EQ(b, std::vector<Ipp8u>(6, 55));
}

}  // namespace
