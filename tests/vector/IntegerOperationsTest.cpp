#include "vector/IntegerOperations.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

template <class T>
struct TConstCase {
  const char* Name;
  IppStatus (*Primitive)(T, T*, int, int);
  T Value;
  int ScaleFactor;
  std::vector<T> Before, After;
};

template <class T>
void ExpectConstCases(const std::vector<TConstCase<T>>& cases) {
  for (const auto& c : cases) {
    std::vector<T> x = c.Before;
    EXPECT_EQ(c.Primitive(c.Value, x.data(), int(x.size()), c.ScaleFactor), StsNoError) << c.Name;
    EXPECT_EQ(x, c.After) << c.Name << " value " << int(c.Value) << " scale factor " << c.ScaleFactor;
  }
}

TEST(ConstantArithmetic8u, SaturatesScalesWithTiesToEvenAndClampsDifferences) {
  ExpectConstCases<Ipp8u>({
      {"add", ippsAddC_8u_ISfs, 100, 0, {200, 155, 0}, {255, 255, 100}},
      {"add, halved", ippsAddC_8u_ISfs, 0, 1, {3, 5, 1, 2, 255}, {2, 2, 0, 1, 128}},
      {"add, doubled", ippsAddC_8u_ISfs, 1, -1, {0, 126, 127}, {2, 254, 255}},
      {"add, far right", ippsAddC_8u_ISfs, 255, 100, {255}, {0}},
      {"add, far left", ippsAddC_8u_ISfs, 0, -40, {0, 1}, {0, 255}},
      {"subtract", ippsSubC_8u_ISfs, 20, 0, {10, 20, 255}, {0, 0, 235}},
      {"subtract, halved", ippsSubC_8u_ISfs, 1, 1, {4, 6, 0}, {2, 2, 0}},
      {"multiply", ippsMulC_8u_ISfs, 3, 0, {85, 86, 0}, {255, 255, 0}},
      {"multiply, scaled", ippsMulC_8u_ISfs, 3, 2, {2, 6}, {2, 4}},
  });
}

TEST(ConstantArithmetic16s, SaturatesBothWaysAndScales) {
  ExpectConstCases<Ipp16s>({
      {"add", ippsAddC_16s_ISfs, 1, 0, {32767, -32768, 5}, {32767, -32767, 6}},
      {"add, halved", ippsAddC_16s_ISfs, 0, 1, {3, 5, -3, -5, -1}, {2, 2, -2, -2, 0}},
      {"add, doubled", ippsAddC_16s_ISfs, 0, -1, {16384, -16384, -16385}, {32767, -32768, -32768}},
      {"subtract", ippsSubC_16s_ISfs, -2, 0, {32766, 0}, {32767, 2}},
      {"subtract past the minimum", ippsSubC_16s_ISfs, 10, 0, {-32760, 0}, {-32768, -10}},
      {"multiply by 1", ippsMulC_16s_ISfs, 1, 0, {-32768, 7, 32767}, {-32768, 7, 32767}},
      {"multiply", ippsMulC_16s_ISfs, 300, 0, {200, -200, 3}, {32767, -32768, 900}},
      {"multiply by 0", ippsMulC_16s_ISfs, 0, 0, {200, -200}, {0, 0}},
  });
}

TEST(DivideConstant16s, RoundsToNearestWithTiesToEven) {
  ExpectConstCases<Ipp16s>({
      {"divide", ippsDivC_16s_ISfs, 6, 0, {3, 9, -9, 15, 7, -32768}, {0, 2, -2, 2, 1, -5461}},
      {"divide, halved", ippsDivC_16s_ISfs, 1, 1, {7, 5, -5}, {4, 2, -2}},
      {"divide, doubled", ippsDivC_16s_ISfs, -1, -1, {-16384, 16384}, {32767, -32768}},
  });
}

TEST(DivideConstant16s, ByZeroReportsAndChangesNothing) {
  std::vector<Ipp16s> x = {1, 2};
  EXPECT_EQ(ippsDivC_16s_ISfs(0, x.data(), 2, 0), StsDivByZeroErr);
  EXPECT_EQ(x, (std::vector<Ipp16s>{1, 2}));
}

TEST(IntegerVectors, CheckPointersBeforeLengths) {
  Ipp8u bytes[2] = {};
  Ipp16s words[2] = {};
  Ipp32s longs[2] = {};
  EXPECT_EQ(ippsCopy_8u(nullptr, bytes, 0), StsNullPointer);
  EXPECT_EQ(ippsCopy_8u(bytes, bytes, 0), StsSize);
  EXPECT_EQ(ippsSet_8u(1, nullptr, -1), StsNullPointer);
  EXPECT_EQ(ippsSet_16s(1, words, 0), StsSize);
  EXPECT_EQ(ippsSet_32s(1, longs, -3), StsSize);
  EXPECT_EQ(ippsAddC_8u_ISfs(1, nullptr, 0, 0), StsNullPointer);
  EXPECT_EQ(ippsMulC_16s_ISfs(1, words, 0, 0), StsSize);
  EXPECT_EQ(ippsDivC_16s_ISfs(0, words, 0, 0), StsSize);
  EXPECT_EQ(ippsDivC_16s_ISfs(0, nullptr, 2, 0), StsNullPointer);
}

TEST(IntegerVectors, SetAndCopyTouchExactlyLenElements) {
  std::vector<Ipp32s> longs(5, 9);
  ASSERT_EQ(ippsSet_32s(-7, longs.data() + 1, 3), StsNoError);
  EXPECT_EQ(longs, (std::vector<Ipp32s>{9, -7, -7, -7, 9}));
  std::vector<Ipp16s> words(4, 1);
  ASSERT_EQ(ippsSet_16s(-32768, words.data(), 3), StsNoError);
  EXPECT_EQ(words, (std::vector<Ipp16s>{-32768, -32768, -32768, 1}));
  std::vector<Ipp8u> bytes = {1, 2, 3, 4, 5}, copy(5, 0);
  ASSERT_EQ(ippsSet_8u(200, copy.data() + 4, 1), StsNoError);
  ASSERT_EQ(ippsCopy_8u(bytes.data(), copy.data(), 4), StsNoError);
  EXPECT_EQ(copy, (std::vector<Ipp8u>{1, 2, 3, 4, 200}));
}

}  // namespace
