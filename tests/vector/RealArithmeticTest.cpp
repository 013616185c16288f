#include "vector/RealArithmetic.h"

#include "PrimitiveTestKit.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

constexpr int Len = 67;  // not a multiple of any unrolling

// Each element result is the exact result rounded once: what one IEEE operation gives.
TEST(RealArithmetic, ElementWiseWithAnotherVectorInTheirArgumentOrder) {
  struct TCase {
    const char* Name;
    std::function<IppStatus(const Ipp64f*, Ipp64f*, int)> Primitive;  // (source, destination)
    std::function<double(double d, double s)> Expected;
  };
  const TCase cases[] = {
      {"Add_64f", [](const Ipp64f* s, Ipp64f* d, int n) { return ippsAdd_64f(d, s, d, n); },
       [](double d, double s) { return d + s; }},
      {"Sub_64f_I", ippsSub_64f_I, [](double d, double s) { return d - s; }},
      {"Mul_64f_I", ippsMul_64f_I, [](double d, double s) { return d * s; }},
      {"Mul_64f", [](const Ipp64f* s, Ipp64f* d, int n) { return ippsMul_64f(s, d, d, n); },
       [](double d, double s) { return d * s; }},
      {"Div_64f_I", ippsDiv_64f_I, [](double d, double s) { return d / s; }},
  };
  const std::vector<double> sources = MixedValues(Len, 1), destinations = MixedValues(Len + 1, 2);
  for (const TCase& c : cases) {
    std::vector<double> x = destinations;
    ASSERT_EQ(c.Primitive(sources.data(), x.data(), Len), StsNoError) << c.Name;
    for (int i = 0; i < Len; ++i) EXPECT_TRUE(Same(x[i], c.Expected(destinations[i], sources[i]))) << c.Name << i;
    EXPECT_EQ(x[Len], destinations[Len]) << c.Name << ": beyond the length";
  }
}

TEST(RealArithmetic, DivisionByZeroStoresInfinitiesOrTheNaNAndWarns) {
  const std::vector<Ipp64f> divisors = {0, 0, 0, 2, -0.0, -0.0};
  std::vector<Ipp64f> x = {6, -6, 0, 8, 6, -6};
  EXPECT_EQ(ippsDiv_64f_I(divisors.data(), x.data(), 6), StsDivByZero);
  EXPECT_EQ(x[0], HUGE_VAL);
  EXPECT_EQ(x[1], -HUGE_VAL);
  EXPECT_EQ(Bits(x[2]), DefaultNaNBits);
  EXPECT_EQ(x[3], 4);
  EXPECT_EQ(x[4], HUGE_VAL) << "the dividend's sign decides, not the zero's";
  EXPECT_EQ(x[5], -HUGE_VAL);
}

TEST(RealArithmetic, ConstantsWithTheirShortCuts) {
  const double negativeZero = -0.0, nan = std::nan("7");
  const std::vector<double> input = {1.5, negativeZero, -3, 0.1, HUGE_VAL, nan, 1e308, -1e-310};
  struct TCase {
    const char* Name;
    std::function<IppStatus(const Ipp64f*, Ipp64f*, int)> Primitive;
    std::function<double(double)> Expected;
  };
  const auto inPlace = [](IppStatus (*primitive)(Ipp64f, Ipp64f*, int), double value) {
    return [=](const Ipp64f* src, Ipp64f* dst, int n) {
      std::copy_n(src, n, dst);
      return primitive(value, dst, n);
    };
  };
  const auto copying = [](IppStatus (*primitive)(const Ipp64f*, Ipp64f, Ipp64f*, int), double value) {
    return [=](const Ipp64f* src, Ipp64f* dst, int n) { return primitive(src, value, dst, n); };
  };
  const auto unchanged = [](double x) { return x; };
  const TCase cases[] = {
      {"AddC_I 2.5", inPlace(ippsAddC_64f_I, 2.5), [](double x) { return x + 2.5; }},
      {"AddC_I 0 (untouched: -0 stays)", inPlace(ippsAddC_64f_I, 0), unchanged},
      {"AddC 0 (copies)", copying(ippsAddC_64f, 0), unchanged},
      {"AddC -0.25", copying(ippsAddC_64f, -0.25), [](double x) { return x - 0.25; }},
      {"SubC_I 2.5", inPlace(ippsSubC_64f_I, 2.5), [](double x) { return x - 2.5; }},
      {"SubC_I 0", inPlace(ippsSubC_64f_I, 0), unchanged},
      {"SubC 1e308", copying(ippsSubC_64f, 1e308), [](double x) { return x - 1e308; }},
      {"SubCRev_I 1", inPlace(ippsSubCRev_64f_I, 1), [](double x) { return 1 - x; }},
      {"SubCRev 0 (no short-cut)", copying(ippsSubCRev_64f, 0), [](double x) { return 0 - x; }},
      {"MulC_I 3", inPlace(ippsMulC_64f_I, 3), [](double x) { return x * 3; }},
      {"MulC_I 1 (untouched)", inPlace(ippsMulC_64f_I, 1), unchanged},
      {"MulC_I 0 (zero-fills, also infinity and NaN)", inPlace(ippsMulC_64f_I, 0), [](double) { return 0.0; }},
      {"MulC 1 (copies)", copying(ippsMulC_64f, 1), unchanged},
      {"MulC 0", copying(ippsMulC_64f, 0), [](double) { return 0.0; }},
      {"MulC -0.5", copying(ippsMulC_64f, -0.5), [](double x) { return x * -0.5; }},
      // Division multiplies by the rounded reciprocal, with the multiplication's short-cuts.
      {"DivC_I 3", inPlace(ippsDivC_64f_I, 3), [](double x) { return x * (1.0 / 3); }},
      {"DivC 10", copying(ippsDivC_64f, 10), [](double x) { return x * (1.0 / 10); }},
      {"DivC_I 1", inPlace(ippsDivC_64f_I, 1), unchanged},
      {"DivC infinity (reciprocal 0)", copying(ippsDivC_64f, HUGE_VAL), [](double) { return 0.0; }},
  };
  for (const TCase& c : cases) {
    std::vector<double> x(input.size() + 1, 77);
    ASSERT_EQ(c.Primitive(input.data(), x.data(), int(input.size())), StsNoError) << c.Name;
    for (std::size_t i = 0; i < input.size(); ++i)
      EXPECT_TRUE(Same(x[i], c.Expected(input[i]))) << c.Name << " of " << input[i] << " gave " << x[i];
    EXPECT_EQ(x.back(), 77) << c.Name;
  }
  // A NaN passed through untouched keeps its payload.
  std::vector<double> y = input;
  ASSERT_EQ(ippsMulC_64f_I(1, y.data(), int(y.size())), StsNoError);
  EXPECT_EQ(Bits(y[5]), Bits(nan));
}

TEST(RealArithmetic, FillsWriteExactlyTheLength) {
  std::vector<double> x(5, 9);
  ASSERT_EQ(ippsSet_64f(-2.5, x.data() + 1, 3), StsNoError);
  EXPECT_EQ(x, (std::vector<double>{9, -2.5, -2.5, -2.5, 9}));
  ASSERT_EQ(ippsZero_64f(x.data(), 4), StsNoError);
  EXPECT_EQ(x, (std::vector<double>{0, 0, 0, 0, 9}));
  EXPECT_FALSE(std::signbit(x[1]));
}

TEST(RealArithmetic, NormalizeInExtendedPrecision) {
  const std::vector<double> input = MixedValues(Len, 3);
  for (const auto& [sub, div] : {std::pair{0.3, 7.0}, {-1e10, 1e-300}, {5.0, -0.1}, {0.0, DBL_MIN}}) {
    std::vector<double> x(Len);
    ASSERT_EQ(ippsNormalize_64f(input.data(), x.data(), Len, sub, div), StsNoError) << div;
    const long double k = 1 / static_cast<long double>(div);
    for (int i = 0; i < Len; ++i) EXPECT_EQ(x[i], static_cast<double>((input[i] - (long double)sub) * k)) << i;
  }
  // In place as well.
  std::vector<double> y = {3, 5};
  ASSERT_EQ(ippsNormalize_64f(y.data(), y.data(), 2, 1, 2), StsNoError);
  EXPECT_EQ(y, (std::vector<double>{1, 2}));
}

TEST(RealArithmetic, SinglePrecision) {
  const std::vector<float> a = {1.5f, -2, 3e38f, 0.1f, 7}, b = {2, 0.5f, 10, 0.2f, -7};
  std::vector<float> x(5);
  ASSERT_EQ(ippsMul_32f(a.data(), b.data(), x.data(), 5), StsNoError);
  EXPECT_EQ(x, (std::vector<float>{3, -1, HUGE_VALF, 0.1f * 0.2f, -49}));
  x = b;
  ASSERT_EQ(ippsSub_32f_I(a.data(), x.data(), 5), StsNoError);
  EXPECT_EQ(x, (std::vector<float>{0.5f, 2.5f, 10 - 3e38f, 0.2f - 0.1f, -14}));
  x = a;
  ASSERT_EQ(ippsSqr_32f_I(x.data(), 5), StsNoError);
  EXPECT_EQ(x, (std::vector<float>{2.25f, 4, HUGE_VALF, 0.1f * 0.1f, 49}));
  ASSERT_EQ(ippsMulC_32f(a.data(), -2, x.data(), 5), StsNoError);
  EXPECT_EQ(x, (std::vector<float>{-3, 4, -HUGE_VALF, -0.2f, -14}));
  ASSERT_EQ(ippsMulC_32f_I(0.5f, x.data(), 5), StsNoError);
  EXPECT_EQ(x, (std::vector<float>{-1.5f, 2, -HUGE_VALF, -0.1f, -7}));
  x = a;
  ASSERT_EQ(ippsDivC_32f_I(3, x.data(), 5), StsNoError);
  EXPECT_EQ(x, (std::vector<float>{0.5f, -2 / 3.0f, 3e38f / 3, 0.1f / 3, 7 / 3.0f}));
  x = a;
  ASSERT_EQ(ippsSubCRev_32f_I(1, x.data(), 5), StsNoError);
  EXPECT_EQ(x, (std::vector<float>{-0.5f, 3, 1 - 3e38f, 0.9f, -6}));
  ASSERT_EQ(ippsSet_32f(4, x.data(), 2), StsNoError);
  ASSERT_EQ(ippsZero_32f(x.data() + 2, 2), StsNoError);
  EXPECT_EQ(x, (std::vector<float>{4, 4, 0, 0, -6}));
}

// Pointers are checked first (-8), then the length (-6), then the values; nothing is written on
// an error.
TEST(RealArithmetic, StatusesInCheckOrderAndNothingWrittenOnError) {
  std::vector<double> d(4, 55);
  std::vector<float> f(4, 55);
  double* p = d.data();
  float* q = f.data();
  struct TCase {
    const char* What;
    IppStatus Status, Expected;
  };
  const TCase cases[] = {
      {"Add, null second source", ippsAdd_64f(p, nullptr, p, 0), StsNullPointer},
      {"Add, null destination", ippsAdd_64f(p, p, nullptr, 4), StsNullPointer},
      {"Sub_I, null", ippsSub_64f_I(nullptr, p, -1), StsNullPointer},
      {"Mul_I, length", ippsMul_64f_I(p, p, 0), StsSize},
      {"Div_I, null", ippsDiv_64f_I(p, nullptr, 0), StsNullPointer},
      {"Div_I, length", ippsDiv_64f_I(p, p, -5), StsSize},
      {"AddC_I 0, null", ippsAddC_64f_I(0, nullptr, 4), StsNullPointer},
      {"AddC 0, null source", ippsAddC_64f(nullptr, 0, p, 4), StsNullPointer},
      {"SubC_I 0, length", ippsSubC_64f_I(0, p, 0), StsSize},
      {"SubCRev, null", ippsSubCRev_64f(p, 1, nullptr, 4), StsNullPointer},
      {"MulC_I 1, length", ippsMulC_64f_I(1, p, 0), StsSize},
      {"MulC 0, null source", ippsMulC_64f(nullptr, 0, p, 4), StsNullPointer},
      {"MulC 1, length", ippsMulC_64f(p, 1, p, -1), StsSize},
      {"DivC_I 0, null before the value", ippsDivC_64f_I(0, nullptr, 4), StsNullPointer},
      {"DivC_I 0, length before the value", ippsDivC_64f_I(0, p, 0), StsSize},
      {"DivC_I 0", ippsDivC_64f_I(0, p, 4), StsDivByZeroErr},
      {"DivC 0", ippsDivC_64f(p, 0, p, 4), StsDivByZeroErr},
      {"DivC -0", ippsDivC_64f(p, -0.0, p, 4), StsDivByZeroErr},
      {"Set, null", ippsSet_64f(1, nullptr, 4), StsNullPointer},
      {"Zero, length", ippsZero_64f(p, 0), StsSize},
      {"Normalize, null", ippsNormalize_64f(nullptr, p, 4, 0, 0), StsNullPointer},
      {"Normalize, length before the divisor", ippsNormalize_64f(p, p, 0, 0, 0), StsSize},
      {"Normalize, a subnormal divisor", ippsNormalize_64f(p, p, 4, 0, -1e-310), StsDivByZeroErr},
      {"Mul_32f, null", ippsMul_32f(q, nullptr, q, 4), StsNullPointer},
      {"Sub_32f_I, length", ippsSub_32f_I(q, q, 0), StsSize},
      {"Sqr_32f_I, null", ippsSqr_32f_I(nullptr, 4), StsNullPointer},
      {"MulC_32f, length", ippsMulC_32f(q, 2, q, -2), StsSize},
      {"DivC_32f_I 0, null", ippsDivC_32f_I(0, nullptr, 4), StsNullPointer},
      {"DivC_32f_I 0", ippsDivC_32f_I(0, q, 4), StsDivByZeroErr},
      {"SubCRev_32f_I, length", ippsSubCRev_32f_I(1, q, 0), StsSize},
      {"Zero_32f, null", ippsZero_32f(nullptr, 1), StsNullPointer},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Status, c.Expected) << c.What;
  EXPECT_EQ(d, std::vector<double>(4, 55));
  EXPECT_EQ(f, std::vector<float>(4, 55));
}

}  // namespace
