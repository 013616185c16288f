// Axis labels: as many decimals as the visible range needs, scientific notation, and the limits
// of the precision.
#include "DisplayTestKit.h"
#include "display/KvAxisFormat.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct TDecimalsCase {
  int Precision;
  bool Fixed;
  double Min, Max;
  int Decimals;
};

class LabelDecimalsTable : public testing::TestWithParam<TDecimalsCase> {};

TEST_P(LabelDecimalsTable, FollowTheRangeUnlessFixed) {
  const TDecimalsCase& c = GetParam();
  EXPECT_EQ(LabelDecimals(c.Precision, c.Fixed, c.Min, c.Max), c.Decimals) << c.Min << " … " << c.Max;
}

INSTANTIATE_TEST_SUITE_P(Table, LabelDecimalsTable,
                         testing::Values(TDecimalsCase{3, false, -1000, 1000, 0}, TDecimalsCase{3, false, 0, 10, 1},
                                         TDecimalsCase{3, false, 0, 0.5, 3}, TDecimalsCase{3, false, 0, 2000, 0},
                                         TDecimalsCase{5, false, 0, 23.2, 3}, TDecimalsCase{0, false, 0, 0.5, 0},
                                         TDecimalsCase{3, false, 7, 7, 1}, TDecimalsCase{3, false, 0, INFINITY, 0},
                                         TDecimalsCase{4, true, 0, 1e6, 4}));

class AxisFormat : public testing::Test {
protected:
  TChartPtr Chart{new TTestChart(nullptr)};
  TKvAxisFormat& Format = *Chart->YAxis()->Format();
};

TEST_F(AxisFormat, WritesFixedPointWithThePointAndNoNegativeZero) {
  EXPECT_EQ(Format.FormatValue(-750, -1000, 1000), "-750");
  EXPECT_EQ(Format.FormatValue(2.5, 0, 10), "2.5");
  EXPECT_EQ(Format.FormatValue(0.125, 0, 0.5), "0.125");
  EXPECT_EQ(Format.FormatValue(-1e-9, -1000, 1000), "0");
  EXPECT_EQ(Format.FormatValue(-0.0, 0, 10), "0.0");
}

TEST_F(AxisFormat, WritesScientificNotationWithThreeExponentDigits) {
  Format.SetPrecisionMode(TKvPrecisionMode::dpmScientific);
  EXPECT_EQ(Format.FormatValue(1500, 0, 2000), "1.50000000000000E+003");
  Format.SetFixedPrecision(true);
  EXPECT_EQ(Format.FormatValue(1500, 0, 2000), "1.500E+003");
  EXPECT_EQ(Format.FormatValue(-2.5e-7, 0, 1), "-2.500E-007");
}

TEST_F(AxisFormat, WritesHugeFixedValuesScientificallyCutToThePrecision) {
  EXPECT_EQ(Format.FormatValue(1e20, 0, 1e20), "1.00000000000000E+020");
  Format.SetFixedPrecision(true);
  Format.SetPrecision(2);
  EXPECT_EQ(Format.FormatValue(1e20, 0, 1e20), "1.00E+20");
  EXPECT_EQ(Format.FormatValue(12.346, 0, 100), "12.35");
}

TEST_F(AxisFormat, KeepsThePrecisionWithinZeroToEighteen) {
  Format.SetPrecision(25);
  EXPECT_EQ(Format.Precision(), 18);
  Format.SetPrecision(-1);
  EXPECT_EQ(Format.Precision(), 0);
}

TEST_F(AxisFormat, LetsTheApplicationReplaceALabel) {
  TKvScopeYAxis& axis = *Chart->YAxis();
  axis.OnCustomLabel = [](TObject*, std::string& text, double value) {
    if (value == 0) text = "zero";
  };
  EXPECT_EQ(axis.LabelOf(0), "zero");
  EXPECT_EQ(axis.LabelOf(250), "250");
}

TEST_F(AxisFormat, LabelTemplatesTakeTheAxesValues) {
  struct TCase {
    const char* Pattern;
    const char* Text;
  };
  for (const TCase& c :
       {TCase{"", "512 : -250"}, {"x=%x y=%Y", "x=512 y=-250"}, {"%D%%", "1.5 V%"}, {"a%Qb%", "ab"}, {"%", ""}})
    EXPECT_EQ(Chart->FormatLabel(c.Pattern, "%X : %Y", "1.5 V", 512, -250), c.Text) << c.Pattern;
}

}  // namespace
