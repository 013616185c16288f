#include "vector/ElementFunctions.h"

#include "PrimitiveTestKit.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

// Both forms of each function, the copying one into a separate vector and the in-place one.
struct TFunction {
  const char* Name;
  IppStatus (*Copying)(const Ipp64f*, Ipp64f*, int);
  IppStatus (*InPlace)(Ipp64f*, int);
};
const TFunction Functions[] = {
    {"Abs", ippsAbs_64f, ippsAbs_64f_I}, {"Sqr", ippsSqr_64f, ippsSqr_64f_I}, {"Sqrt", ippsSqrt_64f, ippsSqrt_64f_I},
    {"Exp", ippsExp_64f, ippsExp_64f_I}, {"Ln", ippsLn_64f, ippsLn_64f_I},
};

// Runs both forms on `input` and checks both against `expected` (and the same status).
void ExpectBothForms(const TFunction& f, const std::vector<double>& input, const std::vector<double>& expected,
                     IppStatus status) {
  std::vector<double> copy(input.size() + 1, 99), inPlace = input;
  EXPECT_EQ(f.Copying(input.data(), copy.data(), int(input.size())), status) << f.Name;
  EXPECT_EQ(f.InPlace(inPlace.data(), int(input.size())), status) << f.Name;
  for (std::size_t i = 0; i < input.size(); ++i) {
    EXPECT_TRUE(Same(copy[i], expected[i])) << f.Name << "(" << input[i] << ") = " << copy[i];
    EXPECT_TRUE(Same(inPlace[i], expected[i])) << f.Name << "(" << input[i] << ") in place = " << inPlace[i];
  }
  EXPECT_EQ(copy.back(), 99) << f.Name;
}

TEST(ElementFunctions, OnOrdinaryValuesGiveTheCorrectlyRoundedResult) {
  const std::vector<double> input = MixedValues(41, 5);
  std::vector<double> positive(input.size()), exponents(input.size());
  for (std::size_t i = 0; i < input.size(); ++i) {
    positive[i] = std::fabs(input[i]) + 0.5;
    exponents[i] = std::fmod(input[i], 700);
  }
  const std::function<double(double)> references[] = {
      [](double x) { return std::fabs(x); },
      [](double x) { return x * x; },
      [](double x) { return static_cast<double>(std::sqrt(static_cast<long double>(x))); },
      [](double x) { return static_cast<double>(std::exp(static_cast<long double>(x))); },
      [](double x) { return static_cast<double>(std::log(static_cast<long double>(x))); },
  };
  for (std::size_t f = 0; f < std::size(Functions); ++f) {
    // The roots and logarithms of positive values, the exponentials within the double range.
    const std::vector<double>& x = f == 3 ? exponents : f >= 2 ? positive : input;
    std::vector<double> result(x.size());
    ASSERT_EQ(Functions[f].Copying(x.data(), result.data(), int(x.size())), StsNoError) << Functions[f].Name;
    for (std::size_t i = 0; i < x.size(); ++i) {
      const double expected = references[f](x[i]);
      // exp may be one unit in the last place off the rounded extended result.
      EXPECT_NEAR(result[i], expected, std::fabs(expected) * (f == 3 ? 2 * DBL_EPSILON : 0))
          << Functions[f].Name << "(" << x[i] << ")";
    }
  }
}

TEST(ElementFunctions, EdgeValuesAndWarnings) {
  const double nan = std::nan(""), inf = HUGE_VAL, negativeNaN = -std::nan("");
  const double defaultNaN = std::bit_cast<double>(DefaultNaNBits);
  ExpectBothForms(Functions[0], {-0.0, -inf, 3}, {0.0, inf, 3}, StsNoError);
  ExpectBothForms(Functions[1], {-3, 1e200, -0.0}, {9, inf, 0.0}, StsNoError);
  ExpectBothForms(Functions[2], {4, 0, -1}, {2, 0, defaultNaN}, StsSqrtNegArg);
  ExpectBothForms(Functions[2], {-0.0, inf, nan}, {-0.0, inf, nan}, StsNoError);
  // Beyond the double range: +inf from about 709.78, 0 from about -708.40 (no subnormals).
  ExpectBothForms(Functions[3], {710, -800, 0, -708.5, -inf, inf, nan}, {inf, 0, 1, 0, 0, inf, nan}, StsNoError);
  EXPECT_GT(std::exp(-708.3), 0);
  ExpectBothForms(Functions[3], {-708.3, 709.7}, {std::exp(-708.3), std::exp(709.7)}, StsNoError);
  // Logarithms: the first note decides the warning.
  ExpectBothForms(Functions[4], {1, 0, -1}, {0, -inf, defaultNaN}, StsLnZeroArg);
  ExpectBothForms(Functions[4], {-1, 0}, {defaultNaN, -inf}, StsLnNegArg);
  ExpectBothForms(Functions[4], {-0.0, 2}, {defaultNaN, std::log(2.0)}, StsLnNegArg);
  ExpectBothForms(Functions[4], {nan, inf, negativeNaN}, {nan, inf, defaultNaN}, StsLnNegArg);
  ExpectBothForms(Functions[4], {nan, DBL_TRUE_MIN}, {nan, std::log(DBL_TRUE_MIN)}, StsNoError);
}

TEST(ElementFunctions, StatusesInCheckOrderAndNothingWrittenOnError) {
  std::vector<double> d(3, 55);
  for (const TFunction& f : Functions) {
    EXPECT_EQ(f.Copying(nullptr, d.data(), 0), StsNullPointer) << f.Name;
    EXPECT_EQ(f.Copying(d.data(), nullptr, 3), StsNullPointer) << f.Name;
    EXPECT_EQ(f.InPlace(nullptr, 3), StsNullPointer) << f.Name;
    EXPECT_EQ(f.Copying(d.data(), d.data(), 0), StsSize) << f.Name;
    EXPECT_EQ(f.InPlace(d.data(), -1), StsSize) << f.Name;
  }
  EXPECT_EQ(d, std::vector<double>(3, 55));
}

}  // namespace
