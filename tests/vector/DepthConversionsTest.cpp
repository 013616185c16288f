#include "vector/DepthConversions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

TEST(DepthConversion, WidensTheByteRangeOntoTheFullRange) {
  const std::vector<Ipp8u> bytes = {0, 1, 127, 128, 255};
  std::vector<Ipp16s> words(5);
  ASSERT_EQ(ippiScale_8u16s_C1R(bytes.data(), 5, words.data(), 10, {5, 1}), StsNoError);
  EXPECT_EQ(words, (std::vector<Ipp16s>{-32768, -32511, -129, 128, 32767}));
  std::vector<Ipp32s> longs(5);
  ASSERT_EQ(ippiScale_8u32s_C1R(bytes.data(), 5, longs.data(), 20, {5, 1}), StsNoError);
  EXPECT_EQ(longs, (std::vector<Ipp32s>{INT_MIN, INT_MIN + 16843009, -8421505, 8421504, INT_MAX}));
}

TEST(DepthConversion, NarrowsWithTheShiftFormulaOrTheNearestByte) {
  // The last value is where the two differ: the shift formula gives 1, the exact proportion
  // 128 * 255 / 65535 = 0.498 rounds to 0.
  const std::vector<Ipp16s> words = {-32768, -129, 0, 127, 128, 32767, -32640};
  std::vector<Ipp8u> fast(7), accurate(7);
  ASSERT_EQ(ippiScale_16s8u_C1R(words.data(), 14, fast.data(), 7, {7, 1}, HintFast), StsNoError);
  ASSERT_EQ(ippiScale_16s8u_C1R(words.data(), 14, accurate.data(), 7, {7, 1}, HintAccurate), StsNoError);
  EXPECT_EQ(fast, (std::vector<Ipp8u>{0, 127, 128, 128, 128, 255, 1}));
  EXPECT_EQ(accurate, (std::vector<Ipp8u>{0, 127, 128, 128, 128, 255, 0}));

  const std::vector<Ipp32s> longs = {INT_MIN, -8421505, 0, 8421504, INT_MAX, -2139062144};
  std::vector<Ipp8u> fast32(6), accurate32(6);
  ASSERT_EQ(ippiScale_32s8u_C1R(longs.data(), 24, fast32.data(), 6, {6, 1}, HintFast), StsNoError);
  ASSERT_EQ(ippiScale_32s8u_C1R(longs.data(), 24, accurate32.data(), 6, {6, 1}, HintAccurate), StsNoError);
  EXPECT_EQ(fast32, (std::vector<Ipp8u>{0, 127, 128, 128, 255, 1}));
  EXPECT_EQ(accurate32, (std::vector<Ipp8u>{0, 127, 128, 128, 255, 0}));
}

TEST(DepthConversion, ConvertsOneChannelOfFrames) {
  // The left channel of 8-bit stereo frames into a mono 16-bit buffer and back into the right.
  std::vector<Ipp8u> stereo = {0, 9, 255, 9, 128, 9};
  std::vector<Ipp16s> mono(3);
  ASSERT_EQ(ippiScale_8u16s_C1R(stereo.data(), 2, mono.data(), 2, {1, 3}), StsNoError);
  EXPECT_EQ(mono, (std::vector<Ipp16s>{-32768, 32767, 128}));
  ASSERT_EQ(ippiScale_16s8u_C1R(mono.data(), 2, stereo.data() + 1, 2, {1, 3}, HintFast), StsNoError);
  EXPECT_EQ(stereo, (std::vector<Ipp8u>{0, 0, 255, 255, 128, 128}));
}

TEST(DepthConversion, ChecksPointersSizeAndSteps) {
  Ipp8u bytes[2] = {};
  Ipp16s words[2] = {};
  EXPECT_EQ(ippiScale_8u16s_C1R(nullptr, 0, words, 0, {0, 0}), StsNullPointer);
  EXPECT_EQ(ippiScale_8u16s_C1R(bytes, 0, words, 0, {2, 0}), StsSize);
  EXPECT_EQ(ippiScale_8u16s_C1R(bytes, 0, words, 4, {2, 1}), StsStep);
  EXPECT_EQ(ippiScale_16s8u_C1R(words, 4, bytes, -2, {2, 1}, HintFast), StsStep);
  EXPECT_EQ(ippiScale_32s8u_C1R(nullptr, 4, bytes, 2, {2, 1}, HintFast), StsNullPointer);
  Ipp32s longs[2] = {};
  EXPECT_EQ(ippiScale_8u32s_C1R(bytes, 2, longs, 0, {2, 1}), StsStep);
}

TEST(DepthConversion, ConvertsValueForValue) {
  const std::vector<Ipp8u> bytes = {0, 255, 7, 99};
  std::vector<Ipp16u> words(4);
  ASSERT_EQ(ippiConvert_8u16u_C1R(bytes.data(), 2, words.data(), 4, {2, 2}), StsNoError);
  EXPECT_EQ(words, (std::vector<Ipp16u>{0, 255, 7, 99}));
  std::vector<Ipp32f> singles(4);
  ASSERT_EQ(ippiConvert_8u32f_C1R(bytes.data(), 4, singles.data(), 16, {4, 1}), StsNoError);
  EXPECT_EQ(singles, (std::vector<Ipp32f>{0, 255, 7, 99}));
  const std::vector<Ipp8s> signedBytes = {-128, 127};
  ASSERT_EQ(ippiConvert_8s32f_C1R(signedBytes.data(), 1, singles.data(), 4, {1, 2}), StsNoError);
  EXPECT_EQ(singles[0], -128);
  EXPECT_EQ(singles[1], 127);
  const std::vector<Ipp16s> words16 = {-32768, 32767};
  ASSERT_EQ(ippiConvert_16s32f_C1R(words16.data(), 4, singles.data(), 8, {2, 1}), StsNoError);
  EXPECT_EQ(singles[0], -32768);
  EXPECT_EQ(singles[1], 32767);

  const std::vector<Ipp32f> reals = {2.5f, 3.5f, -2.5f, -0.7f, 40000, -40000, NAN, 127.5f};
  std::vector<Ipp16s> nearest(8), truncated(8);
  ASSERT_EQ(ippiConvert_32f16s_C1R(reals.data(), 32, nearest.data(), 16, {8, 1}, RndNear), StsNoError);
  ASSERT_EQ(ippiConvert_32f16s_C1R(reals.data(), 32, truncated.data(), 16, {8, 1}, RndZero), StsNoError);
  EXPECT_EQ(nearest, (std::vector<Ipp16s>{2, 4, -2, -1, 32767, -32768, -32768, 128}));
  EXPECT_EQ(truncated, (std::vector<Ipp16s>{2, 3, -2, 0, 32767, -32768, -32768, 127}));
  std::vector<Ipp8s> small(8);
  ASSERT_EQ(ippiConvert_32f8s_C1R(reals.data(), 32, small.data(), 8, {8, 1}, RndNear), StsNoError);
  EXPECT_EQ(small, (std::vector<Ipp8s>{2, 4, -2, -1, 127, -128, -128, 127}));
}

TEST(DepthConversion, ConvertChecksPointersSizesAndSteps) {
  const Ipp8u bytes[2] = {1, 2};
  Ipp32f singles[2] = {55, 55};
  Ipp8s small[2] = {55, 55};
  EXPECT_EQ(ippiConvert_8u32f_C1R(nullptr, 0, singles, 0, {0, 0}), StsNullPointer);
  EXPECT_EQ(ippiConvert_8u32f_C1R(bytes, 0, singles, 0, {0, 1}), StsSize);
  EXPECT_EQ(ippiConvert_8u32f_C1R(bytes, 0, singles, 8, {2, 1}), StsStep);
  EXPECT_EQ(ippiConvert_32f8s_C1R(singles, 8, small, -2, {2, 1}, RndNear), StsStep);
  EXPECT_EQ(singles[0], 55);
  EXPECT_EQ(small[0], 55);
}

}  // namespace
