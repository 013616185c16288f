// What the display puts on screen: its edges, when it paints again and when it only copies.
#include "DisplayTestKit.h"
#include "tests/ErrorHookCapture.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr uint32_t Black = 0x000000, White = 0xFFFFFF, Green = 0x008000;

// A chart that counts its paint passes, and can be made to fail one.
class TCountingChart : public TTestChart {
public:
  using TTestChart::TTestChart;
  int Passes = 0;
  bool FailNext = false;

protected:
  void PaintChannels(TKvCanvas&, const TKvRect&) override {
    ++Passes;
    if (FailNext) {
      FailNext = false;
      throw std::runtime_error("channel failed");
    }
  }
};

// A bare chart whose grid is only the zero line, at y = 30 of 60.
template <class Chart = TTestChart>
TPtr<Chart> ZeroLineChart() {
  TPtr<Chart> chart = BareChart<Chart>(100, 60);
  ShowOnlyTheZeroLine(*chart);
  return chart;
}

TEST(Paint, BorderAndGridLinesStopShortOfTheExclusiveEdges) {
  auto chart = ZeroLineChart();
  const QImage image = Expose(*chart);
  ASSERT_EQ(image.size(), QSize(100, 60));
  // The border covers the first and the last column and row of the data view.
  for (const auto& [x, y] : {std::pair{0, 0}, {99, 0}, {0, 59}, {99, 59}, {50, 0}, {50, 59}, {0, 10}, {99, 10}})
    EXPECT_EQ(Rgb(image, x, y), Green) << x << "," << y;
  EXPECT_EQ(Rgb(image, 1, 1), Black);
  EXPECT_EQ(Rgb(image, 98, 58), Black);
  // The zero line runs from the left edge up to, not including, right - 1.
  EXPECT_EQ(Rgb(image, 0, 30), White);
  EXPECT_EQ(Rgb(image, 98, 30), White);
  EXPECT_EQ(Rgb(image, 99, 30), Green);
  EXPECT_EQ(Rgb(image, 50, 29), Black);
  EXPECT_EQ(Rgb(image, 50, 31), Black);
}

TEST(Paint, APlainExposeCopiesThePictureWithoutPaintingIt) {
  auto chart = ZeroLineChart<TCountingChart>();
  const QImage first = Expose(*chart);
  EXPECT_EQ(chart->Passes, 1);
  EXPECT_FALSE(chart->BitmapDirty());
  EXPECT_EQ(Expose(*chart), first);
  EXPECT_EQ(chart->Passes, 1);

  // A redraw, a relayout, a view's own invalidation and a new size each paint again.
  chart->Redraw();
  Expose(*chart);
  chart->Relayout();
  Expose(*chart);
  chart->Title()->InvalidateView();
  Expose(*chart);
  chart->SetBounds(0, 0, 120, 60);
  EXPECT_EQ(Expose(*chart).size(), QSize(120, 60));
  EXPECT_EQ(chart->Passes, 5);
}

TEST(Paint, AFailedPaintLeavesThePreviousPictureReachesTheHookAndTriesAgain) {
  const TErrorHookCapture hook;
  auto chart = ZeroLineChart<TCountingChart>();
  const QImage before = Expose(*chart);
  chart->YAxis()->DataView()->ZeroLine()->Pen()->SetColor(clRed);
  chart->FailNext = true;
  EXPECT_EQ(Expose(*chart), before);
  EXPECT_TRUE(chart->BitmapDirty());
  EXPECT_EQ(Rgb(Expose(*chart), 50, 30), 0xFF0000u);
  EXPECT_EQ(hook.Errors(), std::vector<std::string>{"a display's paint: channel failed"});
}

TEST(Paint, HoldKeepsThePictureUntilReleased) {
  TChartPtr chart(new TTestChart(nullptr));
  chart->Deliver(-100, 100);
  ASSERT_TRUE(chart->Refresh());
  const QImage shown = Expose(*chart);

  chart->SetZoomHold(true);
  chart->Deliver(-5000, 5000);
  EXPECT_FALSE(chart->Refresh());
  EXPECT_EQ(chart->Committed(), (std::pair{-100.0, 100.0}));
  EXPECT_EQ(Expose(*chart), shown);

  // Releasing takes what arrived meanwhile and shows it at once.
  chart->SetZoomHold(false);
  EXPECT_EQ(chart->Committed(), (std::pair{-5000.0, 5000.0}));
  EXPECT_NE(Expose(*chart), shown);
}

TEST(Paint, ADragInProgressKeepsNewDataOut) {
  TChartPtr chart(new TTestChart(nullptr));
  chart->SetDragInProgress(true);
  chart->Deliver(-1, 1);
  EXPECT_FALSE(chart->Refresh());
  EXPECT_FALSE(chart->Committed());
  // Losing the focus ends the gesture, so the display never stays held.
  chart->show();
  chart->setFocus();
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(chart.get(), &out);
  EXPECT_FALSE(chart->DragInProgress());
  EXPECT_TRUE(chart->Refresh());
}

TEST(Paint, TheRefreshTimerCommitsDataAndRedrawsOnlyWhenSomethingArrived) {
  TChartPtr chart(new TTestChart(nullptr));
  chart->SetRefreshInterval(5);
  Expose(*chart);
  QTest::qWait(30);
  EXPECT_FALSE(chart->BitmapDirty());
  chart->Deliver(-10, 10);
  EXPECT_TRUE(QTest::qWaitFor([&] { return chart->Committed().has_value(); }, 2000));
  EXPECT_TRUE(chart->BitmapDirty());
}

TEST(Paint, TheFocusShowsOnScreenButNotInCopies) {
  TChartPtr chart = BareChart(100, 60);
  chart->DataView()->Border()->SetVisible(false);
  HideGrid(*chart);
  const auto lit = [](const QImage& image) {
    int count = 0;
    for (int x = 0; x < image.width(); ++x) count += Rgb(image, x, 0) == 0xFFFFFF;
    return count;
  };
  EXPECT_EQ(lit(Expose(*chart)), 0);
  chart->show();
  chart->activateWindow();
  chart->setFocus();
  QCoreApplication::processEvents();
  ASSERT_TRUE(chart->hasFocus());
  // A dotted line: every other pixel of the top row.
  EXPECT_EQ(lit(Expose(*chart)), 50);
  EXPECT_EQ(lit(chart->RenderImage()), 0);
}

}  // namespace
