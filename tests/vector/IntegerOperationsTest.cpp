#include "vector/IntegerOperations.h"

#include <gtest/gtest.h>

#include <climits>
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

TEST(ConstantArithmetic32s, InPlaceAndCopyingWithScaleFactors) {
  ExpectConstCases<Ipp32s>({
      {"add", ippsAddC_32s_ISfs, 1, 0, {INT_MAX, INT_MIN, 5}, {INT_MAX, INT_MIN + 1, 6}},
      {"add, halved", ippsAddC_32s_ISfs, 1, 1, {INT_MAX, 2, 4, -4}, {1073741824, 2, 2, -2}},
      {"subtract", ippsSubC_32s_ISfs, 10, 0, {INT_MIN, 0}, {INT_MIN, -10}},
      {"subtract from", ippsSubCRev_32s_ISfs, 10, 0, {INT_MIN, 3, -INT_MAX}, {INT_MAX, 7, INT_MAX}},
      {"subtract from, doubled", ippsSubCRev_32s_ISfs, 0, -1, {3, -5}, {-6, 10}},
      {"multiply", ippsMulC_32s_ISfs, 65536, 0, {32768, -32769, 3}, {INT_MAX, INT_MIN, 196608}},
      {"multiply, scaled far right", ippsMulC_32s_ISfs, INT_MAX, 70, {INT_MAX}, {0}},
      {"multiply, scaled far left", ippsMulC_32s_ISfs, 1, -40, {1, -1, 0}, {INT_MAX, INT_MIN, 0}},
  });
  // The copying forms leave the source alone.
  const std::vector<Ipp32s> source = {5, -5, INT_MAX};
  std::vector<Ipp32s> x(3);
  ASSERT_EQ(ippsAddC_32s_Sfs(source.data(), 3, x.data(), 3, 1), StsNoError);
  EXPECT_EQ(x, (std::vector<Ipp32s>{4, -1, 1073741825}));
  ASSERT_EQ(ippsSubC_32s_Sfs(source.data(), -3, x.data(), 3, 0), StsNoError);
  EXPECT_EQ(x, (std::vector<Ipp32s>{8, -2, INT_MAX}));
  ASSERT_EQ(ippsSubCRev_32s_Sfs(source.data(), 0, x.data(), 3, 0), StsNoError);
  EXPECT_EQ(x, (std::vector<Ipp32s>{-5, 5, -INT_MAX}));
  ASSERT_EQ(ippsMulC_32s_Sfs(source.data(), 3, x.data(), 3, 2), StsNoError);
  EXPECT_EQ(x, (std::vector<Ipp32s>{4, -4, 1610612735}));  // 15 / 4 = 3.75, (2^31 - 1) 3 / 4 = ... .25
  EXPECT_EQ(source, (std::vector<Ipp32s>{5, -5, INT_MAX}));
}

// d (op) s into the second vector, scaled by 2^-f with ties to even and saturated.
template <class T>
struct TVectorCase {
  const char* Name;
  IppStatus (*Primitive)(const T*, T*, int, int);
  int ScaleFactor;
  std::vector<T> Source, Before, After;
  IppStatus Status = StsNoError;
};

template <class T>
void ExpectVectorCases(const std::vector<TVectorCase<T>>& cases) {
  for (const auto& c : cases) {
    std::vector<T> x = c.Before;
    EXPECT_EQ(c.Primitive(c.Source.data(), x.data(), int(x.size()), c.ScaleFactor), c.Status) << c.Name;
    EXPECT_EQ(x, c.After) << c.Name << " scale factor " << c.ScaleFactor;
  }
}

TEST(VectorArithmetic, BytesSaturateScaleAndClampDifferences) {
  ExpectVectorCases<Ipp8u>({
      {"add", ippsAdd_8u_ISfs, 0, {100, 0, 1}, {200, 0, 254}, {255, 0, 255}},
      {"add, halved", ippsAdd_8u_ISfs, 1, {0, 0, 0, 255}, {3, 5, 1, 255}, {2, 2, 0, 255}},
      {"subtract", ippsSub_8u_ISfs, 0, {20, 5}, {10, 5}, {0, 0}},
      {"subtract, halved", ippsSub_8u_ISfs, 1, {1, 0}, {6, 255}, {2, 128}},
      {"multiply", ippsMul_8u_ISfs, 0, {2, 16, 0}, {127, 16, 200}, {254, 255, 0}},
      {"multiply, scaled", ippsMul_8u_ISfs, 8, {255, 16}, {255, 8}, {254, 0}},
  });
}

TEST(VectorArithmetic, LongsAndTheDivisionRule) {
  ExpectVectorCases<Ipp32s>({
      {"add", ippsAdd_32s_ISfs, 0, {1, -1, 5}, {INT_MAX, INT_MIN, -5}, {INT_MAX, INT_MIN, 0}},
      {"add, halved", ippsAdd_32s_ISfs, 1, {1, 1}, {INT_MAX, 2}, {1073741824, 2}},
      {"subtract", ippsSub_32s_ISfs, 0, {-1, 1}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MIN}},
      {"multiply", ippsMul_32s_ISfs, 0, {INT_MAX, -2, 3}, {INT_MAX, INT_MAX, -7}, {INT_MAX, INT_MIN, -21}},
      {"multiply, scaled", ippsMul_32s_ISfs, 31, {INT_MAX}, {INT_MAX}, {INT_MAX - 1}},  // 2^31 - 2 + 2^-31
      {"divide", ippsDiv_32s_ISfs, 0, {2, 2, 0, 0}, {7, -7, 0, 5}, {4, -4, 0, INT_MAX}, StsDivByZero},
      {"divide, negative by zero", ippsDiv_32s_ISfs, 0, {0, 3}, {-5, 9}, {INT_MIN, 3}, StsDivByZero},
      {"divide, ties to even", ippsDiv_32s_ISfs, 0, {2, 2, 2, -2}, {1, 3, 5, 5}, {0, 2, 2, -2}},
      {"divide, halved", ippsDiv_32s_ISfs, 1, {1, 3}, {5, 9}, {2, 2}},
      {"divide INT_MIN by -1", ippsDiv_32s_ISfs, 0, {-1}, {INT_MIN}, {INT_MAX}},
  });
}

TEST(VectorArithmetic, DotProductInExtendedPrecisionScaledLimitedAndRounded) {
  struct TCase {
    std::vector<Ipp32s> A, B;
    int ScaleFactor;
    Ipp32s Expected;
  };
  const TCase cases[] = {
      {{1, 2, 3}, {4, 5, 6}, 0, 32},
      {{1, 2, 3}, {4, 5, 6}, 2, 8},
      {{5}, {1}, 1, 2},  // 2.5 to even
      {{7}, {1}, 1, 4},  // 3.5 to even
      {{-5}, {1}, 1, -2},
      {{3}, {1}, -2, 12},
      {{INT_MAX, INT_MAX}, {INT_MAX, INT_MAX}, 0, INT_MAX},
      {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, 0, INT_MIN},
      {{INT_MAX, INT_MAX}, {INT_MAX, INT_MAX}, 62, 2},  // 2 (2^31 - 1)^2 / 2^62 = 1.99999999907
      {{1}, {1}, 200, 0},                               // f limited to 93
      {{1}, {1}, -200, INT_MAX},                        // f limited to -31: 2^31 saturates
      {{-1}, {1}, -200, INT_MIN},
  };
  for (const TCase& c : cases) {
    Ipp32s result = 55;
    ASSERT_EQ(ippsDotProd_32s_Sfs(c.A.data(), c.B.data(), int(c.A.size()), &result, c.ScaleFactor), StsNoError);
    EXPECT_EQ(result, c.Expected) << c.A[0] << " scale factor " << c.ScaleFactor;
  }
}

TEST(IntegerVectors, MoveHandlesOverlapAndZeroClears) {
  std::vector<Ipp8u> bytes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  ASSERT_EQ(ippsMove_8u(bytes.data(), bytes.data() + 2, 10), StsNoError);
  EXPECT_EQ(bytes, (std::vector<Ipp8u>{0, 1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  ASSERT_EQ(ippsMove_8u(bytes.data() + 2, bytes.data(), 10), StsNoError);
  EXPECT_EQ(bytes, (std::vector<Ipp8u>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 8, 9}));
  std::vector<Ipp32s> longs(4, 9);
  ASSERT_EQ(ippsZero_32s(longs.data(), 3), StsNoError);
  EXPECT_EQ(longs, (std::vector<Ipp32s>{0, 0, 0, 9}));
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
  EXPECT_EQ(ippsMove_8u(bytes, nullptr, 2), StsNullPointer);
  EXPECT_EQ(ippsZero_32s(longs, 0), StsSize);
  EXPECT_EQ(ippsAdd_8u_ISfs(nullptr, bytes, 2, 0), StsNullPointer);
  EXPECT_EQ(ippsSub_32s_ISfs(longs, longs, 0, 0), StsSize);
  EXPECT_EQ(ippsDiv_32s_ISfs(longs, nullptr, 0, 0), StsNullPointer);
  EXPECT_EQ(ippsAddC_32s_Sfs(nullptr, 1, longs, 2, 0), StsNullPointer);
  EXPECT_EQ(ippsSubCRev_32s_ISfs(1, longs, -1, 0), StsSize);
  Ipp32s product = 55;
  EXPECT_EQ(ippsDotProd_32s_Sfs(longs, longs, 2, nullptr, 0), StsNullPointer);
  EXPECT_EQ(ippsDotProd_32s_Sfs(longs, longs, 0, &product, 0), StsSize);
  EXPECT_EQ(product, 55);
  EXPECT_EQ(longs[0], 0);
  EXPECT_EQ(bytes[0], 0);
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
