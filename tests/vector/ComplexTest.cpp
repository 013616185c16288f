#include "vector/ComplexArithmetic.h"
#include "vector/ComplexFunctions.h"

#include "PrimitiveTestKit.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <complex>
#include <functional>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;
using TExtended = long double;

constexpr int Len = 37;

Ipp64fc Rounded(TExtended re, TExtended im) { return {double(re), double(im)}; }

// (dr sr - di si, dr si + di sr) in extended precision.
Ipp64fc Product(Ipp64fc d, TExtended sr, TExtended si) { return Rounded(d.re * sr - d.im * si, d.re * si + d.im * sr); }

TEST(ComplexArithmetic, WithAnotherVectorInExtendedPrecision) {
  struct TCase {
    const char* Name;
    std::function<IppStatus(const Ipp64fc*, Ipp64fc*, int)> Primitive;  // (source, destination)
    std::function<Ipp64fc(Ipp64fc d, Ipp64fc s)> Expected;
  };
  const TCase cases[] = {
      {"Add", [](const Ipp64fc* s, Ipp64fc* d, int n) { return ippsAdd_64fc(s, d, d, n); },
       [](Ipp64fc d, Ipp64fc s) {
         return Ipp64fc{d.re + s.re, d.im + s.im};
       }},
      {"Add_I", ippsAdd_64fc_I,
       [](Ipp64fc d, Ipp64fc s) {
         return Ipp64fc{d.re + s.re, d.im + s.im};
       }},
      {"Sub_I", ippsSub_64fc_I,
       [](Ipp64fc d, Ipp64fc s) {
         return Ipp64fc{d.re - s.re, d.im - s.im};
       }},
      {"Mul_I", ippsMul_64fc_I, [](Ipp64fc d, Ipp64fc s) { return Product(d, s.re, s.im); }},
      {"Div_I", ippsDiv_64fc_I,
       [](Ipp64fc d, Ipp64fc s) {
         const TExtended sr = s.re, si = s.im, k = 1 / (sr * sr + si * si);
         return Rounded((d.re * sr + d.im * si) * k, (d.im * sr - d.re * si) * k);
       }},
  };
  const std::vector<Ipp64fc> sources = MixedComplexValues(Len, 11), destinations = MixedComplexValues(Len + 1, 12);
  for (const TCase& c : cases) {
    std::vector<Ipp64fc> x = destinations;
    ASSERT_EQ(c.Primitive(sources.data(), x.data(), Len), StsNoError) << c.Name;
    for (int i = 0; i < Len; ++i) EXPECT_TRUE(Same(x[i], c.Expected(destinations[i], sources[i]))) << c.Name << i;
    EXPECT_TRUE(Same(x[Len], destinations[Len])) << c.Name;
  }
  // Products of the largest doubles are not lost in extended precision: (1e300 i)(1e300 i) / 1e300.
  std::vector<Ipp64fc> big = {{0, 1e300}};
  const Ipp64fc i300 = {0, 1e300};
  ASSERT_EQ(ippsMul_64fc_I(&i300, big.data(), 1), StsNoError);
  EXPECT_EQ(big[0].re, -HUGE_VAL);
  std::vector<Ipp64fc> quotient = {{1, 0}};
  const Ipp64fc tiny = {1e-200, 1e-200};
  ASSERT_EQ(ippsDiv_64fc_I(&tiny, quotient.data(), 1), StsNoError);
  EXPECT_DOUBLE_EQ(quotient[0].re, 0.5e200);
  EXPECT_DOUBLE_EQ(quotient[0].im, -0.5e200);
}

TEST(ComplexArithmetic, DivisionByZeroStoresTheNaNInBothPartsAndGoesOn) {
  const std::vector<Ipp64fc> divisors = {{0, 0}, {2, 0}, {-0.0, 0}};
  std::vector<Ipp64fc> x = {{1, 1}, {4, 2}, {0, 0}};
  EXPECT_EQ(ippsDiv_64fc_I(divisors.data(), x.data(), 3), StsDivByZero);
  EXPECT_EQ(Bits(x[0].re), DefaultNaNBits);
  EXPECT_EQ(Bits(x[0].im), DefaultNaNBits);
  EXPECT_TRUE(Same(x[1], {2, 1}));
  EXPECT_EQ(Bits(x[2].im), DefaultNaNBits);
}

TEST(ComplexArithmetic, WithAConstant) {
  const std::vector<Ipp64fc> input = MixedComplexValues(Len, 13);
  const Ipp64fc c = {0.7, -3}, zero = {0, 0};
  const TExtended k = 1 / (TExtended(c.re) * c.re + TExtended(c.im) * c.im);
  struct TCase {
    const char* Name;
    std::function<IppStatus(const Ipp64fc*, Ipp64fc*, int)> Primitive;
    std::function<Ipp64fc(Ipp64fc)> Expected;
  };
  const auto inPlace = [](IppStatus (*primitive)(Ipp64fc, Ipp64fc*, int), Ipp64fc value) {
    return [=](const Ipp64fc* src, Ipp64fc* dst, int n) {
      std::copy_n(src, n, dst);
      return primitive(value, dst, n);
    };
  };
  const auto copying = [](IppStatus (*primitive)(const Ipp64fc*, Ipp64fc, Ipp64fc*, int), Ipp64fc value) {
    return [=](const Ipp64fc* src, Ipp64fc* dst, int n) { return primitive(src, value, dst, n); };
  };
  const auto sum = [c](Ipp64fc z) { return Ipp64fc{z.re + c.re, z.im + c.im}; };
  const auto difference = [c](Ipp64fc z) { return Ipp64fc{z.re - c.re, z.im - c.im}; };
  const auto product = [c](Ipp64fc z) { return Product(z, c.re, c.im); };
  const auto quotient = [c, k](Ipp64fc z) { return Product(z, c.re * k, -c.im * k); };
  const TCase cases[] = {
      {"AddC", copying(ippsAddC_64fc, c), sum},
      {"AddC_I", inPlace(ippsAddC_64fc_I, c), sum},
      {"AddC_I 0 (no short-cut: -0 becomes 0)", inPlace(ippsAddC_64fc_I, zero),
       [](Ipp64fc z) {
         return Ipp64fc{z.re + 0.0, z.im + 0.0};
       }},
      {"SubC", copying(ippsSubC_64fc, c), difference},
      {"SubC_I", inPlace(ippsSubC_64fc_I, c), difference},
      {"SubCRev", copying(ippsSubCRev_64fc, c),
       [c](Ipp64fc z) {
         return Ipp64fc{c.re - z.re, c.im - z.im};
       }},
      {"MulC", copying(ippsMulC_64fc, c), product},
      {"MulC_I", inPlace(ippsMulC_64fc_I, c), product},
      {"DivC", copying(ippsDivC_64fc, c), quotient},
      {"DivC_I", inPlace(ippsDivC_64fc_I, c), quotient},
  };
  for (const TCase& t : cases) {
    std::vector<Ipp64fc> x(Len);
    std::vector<Ipp64fc> source = input;
    source[0] = {-0.0, -0.0};
    ASSERT_EQ(t.Primitive(source.data(), x.data(), Len), StsNoError) << t.Name;
    for (int i = 0; i < Len; ++i) EXPECT_TRUE(Same(x[i], t.Expected(source[i]))) << t.Name << " " << source[i];
  }
}

TEST(ComplexArithmetic, FillsPartsAndNormalize) {
  std::vector<Ipp64fc> x(4, Ipp64fc{9, 9});
  ASSERT_EQ(ippsSet_64fc({1.5, -2}, x.data(), 3), StsNoError);
  EXPECT_TRUE(Same(x[2], {1.5, -2}));
  EXPECT_TRUE(Same(x[3], {9, 9}));
  ASSERT_EQ(ippsZero_64fc(x.data() + 1, 2), StsNoError);
  EXPECT_TRUE(Same(x[1], {0, 0}) && Same(x[2], {0, 0}) && Same(x[0], {1.5, -2}));

  const std::vector<double> re = {1, 2, 3}, im = {-1, -2, -3};
  std::vector<Ipp64fc> z(3);
  ASSERT_EQ(ippsRealToCplx_64f(re.data(), im.data(), z.data(), 3), StsNoError);
  EXPECT_TRUE(Same(z[2], {3, -3}));
  ASSERT_EQ(ippsRealToCplx_64f(nullptr, im.data(), z.data(), 3), StsNoError);
  EXPECT_TRUE(Same(z[1], {0, -2}));
  ASSERT_EQ(ippsRealToCplx_64f(re.data(), nullptr, z.data(), 3), StsNoError);
  EXPECT_TRUE(Same(z[0], {1, 0}));
  std::vector<double> parts(3);
  ASSERT_EQ(ippsReal_64fc(x.data(), parts.data(), 3), StsNoError);
  EXPECT_EQ(parts, (std::vector<double>{1.5, 0, 0}));
  ASSERT_EQ(ippsImag_64fc(x.data(), parts.data(), 3), StsNoError);
  EXPECT_EQ(parts, (std::vector<double>{-2, 0, 0}));

  const std::vector<Ipp64fc> input = MixedComplexValues(Len, 14);
  const Ipp64fc sub = {0.25, -1e5};
  std::vector<Ipp64fc> normalised(Len);
  ASSERT_EQ(ippsNormalize_64fc(input.data(), normalised.data(), Len, sub, 3), StsNoError);
  const TExtended k = 1 / 3.0L;
  for (int i = 0; i < Len; ++i)
    EXPECT_TRUE(
        Same(normalised[i], Rounded((input[i].re - TExtended(sub.re)) * k, (input[i].im - TExtended(sub.im)) * k)))
        << i;
}

TEST(ComplexFunctions, SquaresRootsPhasesAndPowers) {
  const std::vector<Ipp64fc> input = MixedComplexValues(Len, 15);
  std::vector<Ipp64fc> squares(Len), roots(Len);
  std::vector<double> phases(Len), powers(Len);
  ASSERT_EQ(ippsSqr_64fc(input.data(), squares.data(), Len), StsNoError);
  ASSERT_EQ(ippsSqrt_64fc(input.data(), roots.data(), Len), StsNoError);
  ASSERT_EQ(ippsPhase_64fc(input.data(), phases.data(), Len), StsNoError);
  ASSERT_EQ(ippsPowerSpectr_64fc(input.data(), powers.data(), Len), StsNoError);
  for (int i = 0; i < Len; ++i) {
    const TExtended re = input[i].re, im = input[i].im;
    EXPECT_TRUE(Same(squares[i], Rounded((re - im) * (re + im), 2 * (re * im)))) << input[i];
    EXPECT_EQ(powers[i], double(re * re + im * im)) << input[i];
    EXPECT_EQ(phases[i], double(std::atan2(im, re))) << input[i];
    // The principal root: its square is the input, its real part not negative.
    const std::complex<long double> root(roots[i].re, roots[i].im), square = root * root;
    EXPECT_GE(roots[i].re, 0) << input[i];
    EXPECT_NEAR(double(square.real()), input[i].re, 1e-15 * std::abs(std::complex<double>(input[i].re, input[i].im)));
    EXPECT_NEAR(double(square.imag()), input[i].im, 1e-15 * std::abs(std::complex<double>(input[i].re, input[i].im)));
  }
  // The rule's cases, in place.
  std::vector<Ipp64fc> z = {{-4, 0}, {0, -8}, {0, 8}, {3, 4}, {-3, -4}, {0, 0}};
  ASSERT_EQ(ippsSqrt_64fc_I(z.data(), int(z.size())), StsNoError);
  const std::vector<Ipp64fc> expected = {{0, 2}, {2, -2}, {2, 2}, {2, 1}, {1, -2}, {0, 0}};
  for (std::size_t i = 0; i < z.size(); ++i) EXPECT_TRUE(Same(z[i], expected[i])) << i << " " << z[i];
  std::vector<Ipp64fc> w = {{3, 4}, {0, 1}};
  ASSERT_EQ(ippsSqr_64fc_I(w.data(), 2), StsNoError);
  EXPECT_TRUE(Same(w[0], {-7, 24}) && Same(w[1], {-1, 0}));
  EXPECT_EQ(phases.size(), std::size_t(Len));
}

TEST(Complex, StatusesInCheckOrderAndNothingWrittenOnError) {
  std::vector<Ipp64fc> z(3, Ipp64fc{55, 55});
  std::vector<double> d(3, 55);
  Ipp64fc* p = z.data();
  struct TCase {
    const char* What;
    IppStatus Status, Expected;
  };
  const TCase cases[] = {
      {"Add, null", ippsAdd_64fc(p, nullptr, p, 3), StsNullPointer},
      {"Add_I, length", ippsAdd_64fc_I(p, p, 0), StsSize},
      {"Mul_I, null", ippsMul_64fc_I(nullptr, p, 0), StsNullPointer},
      {"Div_I, length", ippsDiv_64fc_I(p, p, -1), StsSize},
      {"DivC, null before the value", ippsDivC_64fc(nullptr, {0, 0}, p, 3), StsNullPointer},
      {"DivC_I, length before the value", ippsDivC_64fc_I({0, 0}, p, 0), StsSize},
      {"DivC_I 0", ippsDivC_64fc_I({0, -0.0}, p, 3), StsDivByZeroErr},
      {"DivC 0", ippsDivC_64fc(p, {0, 0}, p, 3), StsDivByZeroErr},
      {"SubCRev, length", ippsSubCRev_64fc(p, {1, 1}, p, 0), StsSize},
      {"Set, null", ippsSet_64fc({1, 1}, nullptr, 3), StsNullPointer},
      {"RealToCplx, null destination first", ippsRealToCplx_64f(nullptr, nullptr, nullptr, 0), StsNullPointer},
      {"RealToCplx, length before the sources", ippsRealToCplx_64f(nullptr, nullptr, p, 0), StsSize},
      {"RealToCplx, both sources null", ippsRealToCplx_64f(nullptr, nullptr, p, 3), StsNullPointer},
      {"Real, null", ippsReal_64fc(p, nullptr, 3), StsNullPointer},
      {"Imag, length", ippsImag_64fc(p, d.data(), 0), StsSize},
      {"Normalize, length before the divisor", ippsNormalize_64fc(p, p, 0, {0, 0}, 0), StsSize},
      {"Normalize, divisor", ippsNormalize_64fc(p, p, 3, {0, 0}, DBL_MIN / 2), StsDivByZeroErr},
      {"Sqr, null", ippsSqr_64fc(nullptr, p, 3), StsNullPointer},
      {"Sqrt_I, length", ippsSqrt_64fc_I(p, 0), StsSize},
      {"Phase, null", ippsPhase_64fc(p, nullptr, 3), StsNullPointer},
      {"PowerSpectr, length", ippsPowerSpectr_64fc(p, d.data(), -3), StsSize},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Status, c.Expected) << c.What;
  for (const Ipp64fc& x : z) EXPECT_TRUE(Same(x, {55, 55}));
  EXPECT_EQ(d, std::vector<double>(3, 55));
}

}  // namespace
