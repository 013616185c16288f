#include "vector/SampleOperations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

TEST(Add16s, SaturatesTheSum) {
  struct TCase {
    Ipp16s Src, Dst, Sum;
  };
  const TCase cases[] = {
      {30000, 10000, 32767}, {-30000, -10000, -32768}, {32767, 0, 32767},   {32766, 1, 32767},   {-32768, -1, -32768},
      {-32767, -1, -32768},  {100, -200, -100},        {32767, -32768, -1}, {-32768, 32767, -1}, {0, 0, 0}};
  std::vector<Ipp16s> src, dst;
  for (const TCase& c : cases) src.push_back(c.Src), dst.push_back(c.Dst);
  ASSERT_EQ(ippsAdd_16s_I(src.data(), dst.data(), int(dst.size())), StsNoError);
  for (std::size_t i = 0; i < dst.size(); ++i) EXPECT_EQ(dst[i], cases[i].Sum) << cases[i].Src << " + " << cases[i].Dst;
}

TEST(Threshold16s, ReplacesOnlyWhatLiesOutsideTheLevels) {
  std::vector<Ipp16s> x = {-5001, -5000, 0, 5000, 5001, -32768, 32767};
  ASSERT_EQ(ippsThreshold_LTValGTVal_16s_I(x.data(), int(x.size()), -5000, -7, 5000, 9), StsNoError);
  EXPECT_EQ(x, (std::vector<Ipp16s>{-7, -5000, 0, 5000, 9, -7, 9}));
  // Equal levels are in order.
  std::vector<Ipp16s> y = {-1, 0, 1};
  ASSERT_EQ(ippsThreshold_LTValGTVal_16s_I(y.data(), 3, 0, -100, 0, 100), StsNoError);
  EXPECT_EQ(y, (std::vector<Ipp16s>{-100, 0, 100}));
}

TEST(Copy16sRegion, CopiesRowsWithByteSteps) {
  // One channel of a block of 16-bit stereo frames: width 1, a destination step of 4 bytes.
  const std::vector<Ipp16s> block = {1, 2, 3, 4, 5};
  std::vector<Ipp16s> frames(10, -1);
  ASSERT_EQ(ippiCopy_16s_C1R(block.data(), 2, frames.data() + 1, 4, {1, 5}), StsNoError);
  EXPECT_EQ(frames, (std::vector<Ipp16s>{-1, 1, -1, 2, -1, 3, -1, 4, -1, 5}));

  // Rows of 2 from a source with 3 per row into rows 5 bytes apart: unaligned destination rows.
  const std::vector<Ipp16s> rows = {1, 2, 0, 3, 4, 0};
  std::vector<unsigned char> bytes(9, 0xEE);
  ASSERT_EQ(ippiCopy_16s_C1R(rows.data(), 6, reinterpret_cast<Ipp16s*>(bytes.data()), 5, {2, 2}), StsNoError);
  Ipp16s copied[4];
  std::memcpy(&copied[0], &bytes[0], 4);
  std::memcpy(&copied[2], &bytes[5], 4);
  EXPECT_EQ(std::vector<Ipp16s>(copied, copied + 4), (std::vector<Ipp16s>{1, 2, 3, 4}));
  EXPECT_EQ(bytes[4], 0xEE);
}

TEST(Zero, ClearsExactlyLenElements) {
  std::vector<Ipp8u> bytes(6, 0xAB);
  ASSERT_EQ(ippsZero_8u(bytes.data() + 1, 4), StsNoError);
  EXPECT_EQ(bytes, (std::vector<Ipp8u>{0xAB, 0, 0, 0, 0, 0xAB}));
  std::vector<Ipp16s> words(6, 1234);
  ASSERT_EQ(ippsZero_16s(words.data() + 1, 4), StsNoError);
  EXPECT_EQ(words, (std::vector<Ipp16s>{1234, 0, 0, 0, 0, 1234}));
}

TEST(Convert16s64f, MultipliesByTwoToTheMinusScaleExactlyRounded) {
  const std::vector<Ipp16s> src = {-32768, -1, 0, 1, 3, 12345, 32767};
  for (int scale : {0, 1, 2, 15, -1, -10, 1000, 1060, 1075, 1088, 1090, -1000, -1010, INT_MAX, INT_MIN}) {
    std::vector<Ipp64f> dst(src.size());
    ASSERT_EQ(ippsConvert_16s64f_Sfs(src.data(), dst.data(), int(src.size()), scale), StsNoError);
    for (std::size_t i = 0; i < src.size(); ++i) {
      // ldexp is exact, or correctly rounded where the result is subnormal.
      const int exponent = std::clamp(-static_cast<long long>(scale), -5000LL, 5000LL);
      EXPECT_EQ(dst[i], std::ldexp(static_cast<double>(src[i]), exponent)) << src[i] << " scale " << scale;
    }
  }
  // Halfway between two subnormals, the result rounds to the even one.
  const Ipp16s halfways[] = {1, 3, 5};
  Ipp64f rounded[3];
  ASSERT_EQ(ippsConvert_16s64f_Sfs(halfways, rounded, 3, 1075), StsNoError);
  const double smallest = std::ldexp(1.0, -1074);
  EXPECT_EQ(rounded[0], 0.0);
  EXPECT_EQ(rounded[1], 2 * smallest);
  EXPECT_EQ(rounded[2], 2 * smallest);
}

TEST(Add64f, AddsIntoTheSecondVector) {
  const std::vector<Ipp64f> src = {1.5, -2, 1e300, 0.1};
  std::vector<Ipp64f> dst = {2.25, 2, 1e300, 0.2};
  ASSERT_EQ(ippsAdd_64f_I(src.data(), dst.data(), 4), StsNoError);
  EXPECT_EQ(dst, (std::vector<Ipp64f>{3.75, 0, 2e300, 0.1 + 0.2}));
}

TEST(Magnitude64fc, IsTheRootOfTheSumOfSquaresInExtendedPrecision) {
  const std::vector<Ipp64fc> src = {{3, 4}, {-5, 12}, {0, 0}, {1e200, 1e200}, {1e-200, -1e-200}, {0.1, 0.7}};
  std::vector<Ipp64f> dst(src.size());
  ASSERT_EQ(ippsMagnitude_64fc(src.data(), dst.data(), int(src.size())), StsNoError);
  for (std::size_t i = 0; i < src.size(); ++i) {
    const long double re = src[i].re, im = src[i].im;
    EXPECT_EQ(dst[i], static_cast<double>(std::sqrt(re * re + im * im))) << i;
  }
  EXPECT_EQ(dst[0], 5.0);
  EXPECT_EQ(dst[1], 13.0);
  EXPECT_NEAR(dst[3] / 1e200, std::sqrt(2.0), 1e-15);  // no overflow on the way
}

TEST(CopyAndMove64f, MoveHandlesOverlapInBothDirections) {
  const std::vector<Ipp64f> values = {1, 2, 3, 4, 5, 6};
  std::vector<Ipp64f> copy(6, 0);
  ASSERT_EQ(ippsCopy_64f(values.data(), copy.data() + 1, 4), StsNoError);
  EXPECT_EQ(copy, (std::vector<Ipp64f>{0, 1, 2, 3, 4, 0}));

  std::vector<Ipp64f> forward = values;  // source after the destination
  ASSERT_EQ(ippsMove_64f(forward.data() + 2, forward.data(), 4), StsNoError);
  EXPECT_EQ(forward, (std::vector<Ipp64f>{3, 4, 5, 6, 5, 6}));
  std::vector<Ipp64f> backward = values;  // source before the destination
  ASSERT_EQ(ippsMove_64f(backward.data(), backward.data() + 2, 4), StsNoError);
  EXPECT_EQ(backward, (std::vector<Ipp64f>{1, 2, 1, 2, 3, 4}));
}

// Every primitive here checks its pointers first (-8), then its length (-6), and writes nothing
// on error; the threshold then checks its levels (-18).
TEST(SampleOperations, StatusesInOrderAndNothingWrittenOnError) {
  std::vector<Ipp16s> words(4, 55);
  std::vector<Ipp8u> bytes(4, 55);
  std::vector<Ipp64f> doubles(4, 55);
  std::vector<Ipp64fc> complexes(4, Ipp64fc{55, 55});
  Ipp16s* w = words.data();
  Ipp64f* d = doubles.data();
  struct TCase {
    const char* What;
    IppStatus Status;
  };
  const TCase cases[] = {
      {"add 16s, null source", ippsAdd_16s_I(nullptr, w, 0)},
      {"add 16s, null destination", ippsAdd_16s_I(w, nullptr, 4)},
      {"threshold, null", ippsThreshold_LTValGTVal_16s_I(nullptr, 0, 5, 0, 1, 0)},
      {"copy region, null source", ippiCopy_16s_C1R(nullptr, 2, w, 2, {0, 0})},
      {"copy region, null destination", ippiCopy_16s_C1R(w, 2, nullptr, 2, {1, 1})},
      {"zero 8u, null", ippsZero_8u(nullptr, 0)},
      {"zero 16s, null", ippsZero_16s(nullptr, -1)},
      {"convert, null source", ippsConvert_16s64f_Sfs(nullptr, d, 0, 0)},
      {"convert, null destination", ippsConvert_16s64f_Sfs(w, nullptr, 4, 0)},
      {"add 64f, null source", ippsAdd_64f_I(nullptr, d, 4)},
      {"magnitude, null destination", ippsMagnitude_64fc(complexes.data(), nullptr, 0)},
      {"copy 64f, null source", ippsCopy_64f(nullptr, d, 4)},
      {"move 64f, null destination", ippsMove_64f(d, nullptr, 0)},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Status, StsNullPointer) << c.What;
  const TCase sizes[] = {
      {"add 16s", ippsAdd_16s_I(w, w, 0)},
      {"threshold, length before levels", ippsThreshold_LTValGTVal_16s_I(w, 0, 5, 0, 1, 0)},
      {"copy region, width 0", ippiCopy_16s_C1R(w, 2, w, 2, {0, 4})},
      {"copy region, height -1", ippiCopy_16s_C1R(w, 2, w, 2, {4, -1})},
      {"zero 8u", ippsZero_8u(bytes.data(), 0)},
      {"zero 16s", ippsZero_16s(w, -3)},
      {"convert", ippsConvert_16s64f_Sfs(w, d, 0, 0)},
      {"add 64f", ippsAdd_64f_I(d, d, -1)},
      {"magnitude", ippsMagnitude_64fc(complexes.data(), d, 0)},
      {"copy 64f", ippsCopy_64f(d, d, 0)},
      {"move 64f", ippsMove_64f(d, d, -2)},
  };
  for (const TCase& c : sizes) EXPECT_EQ(c.Status, StsSize) << c.What;
  EXPECT_EQ(ippsThreshold_LTValGTVal_16s_I(w, 4, 5, 0, 1, 0), StsThreshold);
  EXPECT_EQ(words, std::vector<Ipp16s>(4, 55));
  EXPECT_EQ(bytes, std::vector<Ipp8u>(4, 55));
  EXPECT_EQ(doubles, std::vector<Ipp64f>(4, 55));
}

}  // namespace
