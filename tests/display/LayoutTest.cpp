// The layout pass: which rectangle every view gets for its size, edge and visibility.
#include "DisplayTestKit.h"
#include "display/KvDisplayLayout.h"
#include "display/KvTextMetrics.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// The views of a chart, laid out for its size.
void Layout(TTestChart& chart) { LayoutViews(chart.Views(), chart.Width(), chart.Height()); }

int TitleLine(TTestChart& chart) { return TKvTextMetrics(*chart.Title()->Font()).Height(); }

struct TLayoutCase {
  std::string Name;
  int Width, Height;
  std::function<void(TTestChart&)> Arrange;
  // What to expect, given the arranged chart.
  std::function<void(TTestChart&)> Check;
};

class ViewLayout : public testing::TestWithParam<TLayoutCase> {};

TEST_P(ViewLayout, GivesEveryViewItsRectangle) {
  const TLayoutCase& c = GetParam();
  TChartPtr chart(new TTestChart(nullptr));
  chart->SetBounds(0, 0, c.Width, c.Height);
  c.Arrange(*chart);
  Layout(*chart);
  c.Check(*chart);
}

const TLayoutCase Cases[] = {
    {"AllOptionalViewsHidden", 300, 200, [](TTestChart& chart) { HideViews(chart); },
     [](TTestChart& chart) {
       EXPECT_EQ(chart.DataView()->GetRect(), (TKvRect{0, 0, 300, 200}));
       EXPECT_EQ(chart.Title()->GetRect(), TKvRect{});
       EXPECT_FALSE(chart.YAxis()->IsActive());
     }},
    {"TwoViewsOnOneEdgeStackInListOrder", 300, 200,
     [](TTestChart& chart) {
       HideViews(chart);
       chart.Title()->SetVisible(true);
       chart.XAxis()->SetAlign(TKvViewAlign::vaTop);
       chart.XAxis()->SetVisible(true);
       chart.XAxis()->ViewSize()->SetAutoSize(false);
       chart.XAxis()->ViewSize()->SetSize(30);
     },
     [](TTestChart& chart) {
       // The title was made first: it is at the edge, the axis below it.
       const int title = TitleLine(chart) + 16;
       EXPECT_EQ(chart.Title()->GetRect(), (TKvRect{0, 0, 300, title}));
       EXPECT_EQ(chart.XAxis()->GetRect(), (TKvRect{0, title, 300, title + 30}));
       // The axis's half labels keep the data view off the sides.
       const TKvRect data = chart.DataView()->GetRect();
       EXPECT_EQ(data.Top, title + 30);
       EXPECT_EQ(data.Left, chart.XAxis()->GetLeadingMargin());
       EXPECT_EQ(data.Right, 300 - chart.XAxis()->GetTrailingMargin());
       EXPECT_EQ(data.Bottom, 200);
     }},
    {"FixedSizesTakeExactlyTheirSize", 300, 200,
     [](TTestChart& chart) {
       chart.Legend()->SetVisible(false);
       for (TKvCustomSizeDisplayView* view :
            std::initializer_list<TKvCustomSizeDisplayView*>{chart.Title(), chart.XAxis(), chart.YAxis()}) {
         view->ViewSize()->SetAutoSize(false);
       }
       chart.Title()->ViewSize()->SetSize(25);
       chart.XAxis()->ViewSize()->SetSize(40);
       chart.YAxis()->ViewSize()->SetSize(50);
     },
     [](TTestChart& chart) {
       EXPECT_EQ(chart.Title()->GetRect(), (TKvRect{0, 0, 300, 25}));
       EXPECT_EQ(chart.XAxis()->GetRect(), (TKvRect{0, 160, 300, 200}));
       EXPECT_EQ(chart.YAxis()->GetRect(), (TKvRect{0, 25, 50, 160}));
       EXPECT_EQ(chart.DataView()->GetRect(), (TKvRect{50, 25, 300 - chart.XAxis()->GetTrailingMargin(), 160}));
     }},
    {"AutoSizedTitleTakesALineAndSixteen", 300, 200, [](TTestChart&) {},
     [](TTestChart& chart) { EXPECT_EQ(chart.Title()->GetRect().Height(), TitleLine(chart) + 16); }},
    {"TitleOnTheLeftTurnsItsSize", 300, 200,
     [](TTestChart& chart) {
       HideViews(chart);
       chart.Title()->SetVisible(true);
       chart.Title()->SetAlign(TKvViewAlign::vaLeft);
     },
     [](TTestChart& chart) {
       const int title = TitleLine(chart) + 16;
       EXPECT_EQ(chart.Title()->GetRect(), (TKvRect{0, 0, title, 200}));
       EXPECT_EQ(chart.DataView()->GetRect(), (TKvRect{title, 0, 300, 200}));
     }},
    {"ControlTooSmallLeavesTheDataViewEmpty", 60, 40, [](TTestChart&) {},
     [](TTestChart& chart) {
       EXPECT_TRUE(chart.DataView()->GetRect().IsEmpty());
       EXPECT_FALSE(chart.DataView()->IsActive());
     }},
    {"ALegendWithNothingToListTakesNoRoom", 300, 200,
     [](TTestChart& chart) {
       HideViews(chart);
       chart.Legend()->SetVisible(true);
     },
     [](TTestChart& chart) {
       EXPECT_EQ(chart.DataView()->GetRect(), (TKvRect{0, 0, 300, 200}));
     }},
};

INSTANTIATE_TEST_SUITE_P(Cases, ViewLayout, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<TLayoutCase>& info) { return info.param.Name; });

TEST(ViewLayout, EachAdditionalAxisLiesFurtherOutThanTheOnesBefore) {
  TChartPtr chart = BareChart(400, 200);
  chart->YAxis()->SetVisible(true);
  TKvAdditionalYAxes& more = *chart->YAxis()->AdditionalAxes();
  more.Add();
  more.Add();
  EXPECT_EQ(more.AxisAt(0).AxisLabel()->Text(), "Y Axis 1");
  EXPECT_EQ(more.AxisAt(1).AxisLabel()->Text(), "Y Axis 2");
  Layout(*chart);
  const int outer = more.AxisAt(1).GetRect().Left, middle = more.AxisAt(0).GetRect().Left;
  EXPECT_EQ(outer, 0);
  EXPECT_LT(outer, middle);
  EXPECT_LT(middle, chart->YAxis()->GetRect().Left);
  EXPECT_EQ(chart->DataView()->GetRect().Left, chart->YAxis()->GetRect().Right);

  // Deleting an axis takes it out of the layout at once.
  more.Delete(0);
  EXPECT_TRUE(chart->LayoutDirty());
  Layout(*chart);
  EXPECT_EQ(more.AxisAt(0).GetRect().Left, 0);
  EXPECT_EQ(more.AxisAt(0).GetRect().Right, chart->YAxis()->GetRect().Left);
  EXPECT_EQ(chart->GetAxisIndex(&more.AxisAt(0)), 2);
  EXPECT_EQ(chart->GetAxisIndex(chart->YAxis()), 1);
}

}  // namespace
