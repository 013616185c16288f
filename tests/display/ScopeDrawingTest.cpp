// How the scope draws its channels: the pixels of each drawing mode, bars about the zero line and
// from the edges, point marks, gaps, the vertical scope, the reduced trace's columns and its first
// pixel, the cache of pixels, highlighting under the mouse and the autoscaling of visible channels.
#include "../ErrorHookCapture.h"
#include "../HeapCounter.h"
#include "DisplayTestKit.h"
#include "display/KvDisplayToolBar.h"
#include "display/KvScope.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using TTestScope = TRefreshing<TKvScope>;
using TScopePtr = TPtr<TTestScope>;

constexpr uint32_t Background = 0x000000;
constexpr uint32_t Red = 0xFF0000;
constexpr uint32_t Lime = 0x00FF00;

// A scope of nothing but its data view, without border or grid, Y from -100 to 100.
TScopePtr PlainScope(int width = 101, int height = 61) {
  TScopePtr scope = BareChart<TTestScope>(width, height);
  HideGrid(*scope);
  scope->DataView()->Border()->SetVisible(false);
  scope->YAxis()->AutoScaling()->SetEnabled(false);
  scope->YAxis()->Min()->SetValue(-100);
  scope->YAxis()->Max()->SetValue(100);
  return scope;
}

// The X axis shows min … max, beyond its data if asked to.
void ShowX(TKvScope& scope, double min, double max) {
  scope.XAxis()->Min()->SetAutoScale(false);
  scope.XAxis()->Max()->SetAutoScale(false);
  scope.XAxis()->Min()->SetValue(min);
  scope.XAxis()->Max()->SetValue(max);
}

// The channel's trace becomes `values` at the next refresh, which runs at once.
void Show(TTestScope& scope, int channel, const std::vector<double>& values) {
  scope.Channels()->Channel(channel).Data().StoreUniform(uint32_t(values.size()), 0,
                                                         [&](uint32_t i) { return values[i]; });
  scope.DataArrived();
  scope.Refresh();
}

// Where the axes put a sample and a value.
int XPixel(const TKvScope& scope, double sample) {
  return scope.XAxis()->GetMapping().ToPixel(scope.XAxis()->ToLabelUnits(sample));
}
int YPixel(const TKvScope& scope, double value) { return scope.YAxis()->GetMapping().TickPixel(value); }

TKvScopeChannel& First(TKvScope& scope) { return scope.Channels()->Channel(0); }

TEST(ScopeDrawing, ALineJoinsTheSamplesAndEndsOnTheLastOne) {
  TScopePtr scope = PlainScope();
  Show(*scope, 0, {50, 50, 50, 50, 50});
  ShowX(*scope, -1, 5);
  const QImage image = Expose(*scope);
  const int y = YPixel(*scope, 50), first = XPixel(*scope, 0), last = XPixel(*scope, 4);
  ASSERT_LT(first, last);
  for (int x = first; x <= last; ++x) EXPECT_EQ(Rgb(image, x, y), Red) << x;
  EXPECT_EQ(Rgb(image, first - 1, y), Background);
  EXPECT_EQ(Rgb(image, last + 1, y), Background);
  EXPECT_EQ(Rgb(image, first, y - 1), Background);
  EXPECT_EQ(Rgb(image, first, y + 1), Background);
}

TEST(ScopeDrawing, AStepRunsAlongXFirstThenAlongY) {
  for (const bool vertical : {false, true}) {
    TScopePtr scope = PlainScope(101, 101);
    scope->SetVertical(vertical);
    First(*scope).SetChannelMode(TKvChannelMode::cmStep);
    Show(*scope, 0, {-50, 50});
    const QImage image = Expose(*scope);
    const int low = YPixel(*scope, -50), high = YPixel(*scope, 50);
    const int start = XPixel(*scope, 0), end = XPixel(*scope, 1), middle = (start + end) / 2;
    // (along X, along Y) in picture coordinates.
    const auto at = [&](int along, int across) {
      return vertical ? Rgb(image, across, along) : Rgb(image, along, across);
    };
    EXPECT_EQ(at(middle, low), Red) << vertical;
    EXPECT_EQ(at(end, (low + high) / 2), Red) << vertical;
    EXPECT_EQ(at(end, high), Red) << vertical;
    EXPECT_EQ(at(middle, high), Background) << vertical;
    EXPECT_EQ(at(start, (low + high) / 2), Background) << vertical;
  }
}

TEST(ScopeDrawing, BarsRiseAndFallFromTheZeroLine) {
  TScopePtr scope = PlainScope(101, 101);
  scope->YAxis()->Min()->SetValue(-1000);
  scope->YAxis()->Max()->SetValue(1000);
  First(*scope).SetChannelMode(TKvChannelMode::cmBar);
  First(*scope).SetWidth(3);
  Show(*scope, 0, {500, -500, 500, -500});
  ShowX(*scope, -1, 4);
  const QImage image = Expose(*scope);
  const int zero = YPixel(*scope, 0), up = YPixel(*scope, 500), down = YPixel(*scope, -500);
  ASSERT_LT(up, zero);
  ASSERT_GT(down, zero);
  for (int sample = 0; sample < 4; ++sample) {
    const int x = XPixel(*scope, sample);
    const bool rising = sample % 2 == 0;
    const int tip = rising ? up : down;
    for (int dx : {-1, 0, 1}) {
      EXPECT_EQ(Rgb(image, x + dx, tip), Red) << sample;
      EXPECT_EQ(Rgb(image, x + dx, (tip + zero) / 2), Red) << sample;
    }
    // Three pixels wide, nothing beyond the tip nor on the other side of the zero line.
    EXPECT_EQ(Rgb(image, x + 2, (tip + zero) / 2), Background) << sample;
    EXPECT_EQ(Rgb(image, x, rising ? tip - 1 : tip + 1), Background) << sample;
    EXPECT_EQ(Rgb(image, x, rising ? zero + 2 : zero - 2), Background) << sample;
  }
}

TEST(ScopeDrawing, ShadeModesPutTheBarsBaseAtAnEdge) {
  struct TCase {
    TKvScopeShadeMode mode;
    bool reversed;
    bool reachesTop;
  };
  const TCase cases[] = {{TKvScopeShadeMode::csmTop, false, true},
                         {TKvScopeShadeMode::csmBottom, false, false},
                         {TKvScopeShadeMode::csmTop, true, false},
                         {TKvScopeShadeMode::csmBottom, true, true}};
  for (const TCase& c : cases) {
    TScopePtr scope = PlainScope();
    scope->YAxis()->SetReversed(c.reversed);
    First(*scope).SetChannelMode(TKvChannelMode::cmBar);
    First(*scope).SetShadeMode(c.mode);
    Show(*scope, 0, {0, 0, 0});
    const QImage image = Expose(*scope);
    const int x = XPixel(*scope, 1), y = YPixel(*scope, 0);
    EXPECT_EQ(Rgb(image, x, y), Red);
    // The whole way to the edge the base is at, none towards the other edge.
    EXPECT_EQ(Rgb(image, x, c.reachesTop ? 0 : image.height() - 1), Red) << int(c.mode) << c.reversed;
    EXPECT_EQ(Rgb(image, x, c.reachesTop ? image.height() - 1 : 0), Background) << int(c.mode) << c.reversed;
  }
}

TEST(ScopeDrawing, PointsAreSinglePixelsUnlessMarked) {
  TScopePtr scope = PlainScope();
  First(*scope).SetChannelMode(TKvChannelMode::cmPoint);
  Show(*scope, 0, {50, 50, 50});
  QImage image = Expose(*scope);
  const int y = YPixel(*scope, 50), x = XPixel(*scope, 1);
  EXPECT_EQ(Rgb(image, x, y), Red);
  EXPECT_EQ(Rgb(image, x + 1, y), Background);
  EXPECT_EQ(Rgb(image, x, y + 1), Background);

  struct TCase {
    TKvScopePointShape shape;
    // Offsets from the point, with a half size of 3, that the mark covers and leaves.
    std::vector<QPoint> covered, left;
  };
  const TCase cases[] = {
      {TKvScopePointShape::psSquare, {{-3, -3}, {3, 3}, {0, 0}}, {{-4, 0}, {4, 4}}},
      {TKvScopePointShape::psPlus, {{0, -3}, {0, 3}, {-3, 0}, {3, 0}}, {{-3, -3}, {3, 3}}},
      {TKvScopePointShape::psCross, {{-3, -3}, {3, 3}, {-3, 3}, {3, -3}}, {{0, -3}, {-3, 0}}},
      {TKvScopePointShape::psStar, {{-3, -3}, {0, -3}, {3, 3}}, {{-2, -3}, {-4, 0}}},
      {TKvScopePointShape::psDiamond, {{0, -3}, {3, 0}, {0, 3}, {-3, 0}}, {{-3, -3}, {3, 3}}},
      {TKvScopePointShape::psCircle, {{0, -3}, {3, 0}, {0, 0}}, {{-3, -3}, {3, 3}}},
  };
  First(*scope).Points()->SetVisible(true);
  First(*scope).Points()->SetSize(3);
  for (const TCase& c : cases) {
    First(*scope).Points()->SetShape(c.shape);
    image = Expose(*scope);
    for (const QPoint d : c.covered) EXPECT_EQ(Rgb(image, x + d.x(), y + d.y()), Red) << int(c.shape) << d.x() << d.y();
    for (const QPoint d : c.left)
      EXPECT_EQ(Rgb(image, x + d.x(), y + d.y()), Background) << int(c.shape) << d.x() << d.y();
  }
  // Marks of their own colour.
  First(*scope).Points()->SetUseChannelColor(false);
  First(*scope).Points()->SetShape(TKvScopePointShape::psSquare);
  First(*scope).Points()->Pen()->SetColor(clBlue);
  First(*scope).Points()->Brush()->SetColor(clYellow);
  image = Expose(*scope);
  EXPECT_EQ(Rgb(image, x - 3, y - 3), 0x0000FFu);
  EXPECT_EQ(Rgb(image, x - 1, y - 1), 0xFFFF00u);
}

TEST(ScopeDrawing, ANaNBreaksTheLine) {
  TScopePtr scope = PlainScope();
  Show(*scope, 0, {50, 50, NAN, 50, 50});
  const QImage image = Expose(*scope);
  const int y = YPixel(*scope, 50);
  EXPECT_EQ(Rgb(image, XPixel(*scope, 1), y), Red);
  EXPECT_EQ(Rgb(image, XPixel(*scope, 2), y), Background);
  EXPECT_EQ(Rgb(image, XPixel(*scope, 3), y), Red);
  EXPECT_EQ(Rgb(image, (XPixel(*scope, 1) + XPixel(*scope, 2)) / 2, y), Background);
  EXPECT_EQ(First(*scope).Trace().Breaks(), (std::vector<uint32_t>{2}));
}

TEST(ScopeDrawing, FarValuesAreClampedOnBothSides) {
  TScopePtr scope = PlainScope();
  Show(*scope, 0, {1e300, -1e300, INFINITY, -INFINITY, 50});
  Expose(*scope);
  for (const QPoint point : First(*scope).Trace().Points()) {
    EXPECT_LE(std::abs(point.y()), int(KvPixelLimit));
  }
  EXPECT_EQ(First(*scope).Trace().Points().size(), 5u);
}

TEST(ScopeDrawing, AVerticalScopeRunsXDownAndYAcross) {
  TScopePtr scope = PlainScope(61, 101);
  scope->SetVertical(true);
  Show(*scope, 0, {50, 50, 50, 50, 50});
  const QImage image = Expose(*scope);
  const int x = YPixel(*scope, 50), first = XPixel(*scope, 0), last = XPixel(*scope, 4);
  ASSERT_GT(x, 30);
  ASSERT_LT(first, last);
  for (int y = first; y <= last; ++y) EXPECT_EQ(Rgb(image, x, y), Red) << y;
  EXPECT_EQ(Rgb(image, x - 1, (first + last) / 2), Background);
}

// 44100 samples on 300 columns: the minimum and then the maximum of each column's block, every
// sample in one block; 500 samples are drawn one point each.
TEST(ScopeDrawing, ManySamplesAreReducedToTwoPointsPerColumn) {
  TScopePtr scope = PlainScope(300, 100);
  scope->YAxis()->Min()->SetValue(-50000);
  scope->YAxis()->Max()->SetValue(50000);
  std::vector<double> values(44100);
  for (size_t i = 0; i < values.size(); ++i) values[i] = double((i * 7919) % 44101) - 22050;
  Show(*scope, 0, values);
  Expose(*scope);
  const TKvScopeTrace& trace = First(*scope).Trace();
  ASSERT_TRUE(trace.Reduced());
  ASSERT_EQ(trace.Points().size(), 600u);
  EXPECT_EQ(trace.FullX().size(), 44100u);
  EXPECT_EQ(trace.First(), 0u);
  for (uint32_t m = 0; m < 300; ++m) {
    const size_t from = 44100 * m / 300, to = 44100 * (m + 1) / 300;
    const auto [low, high] = std::minmax_element(values.begin() + long(from), values.begin() + long(to));
    EXPECT_EQ(trace.Points()[2 * m].y(), YPixel(*scope, *low)) << m;
    EXPECT_EQ(trace.Points()[2 * m + 1].y(), YPixel(*scope, *high)) << m;
    EXPECT_EQ(trace.Points()[2 * m].x(), trace.Points()[2 * m + 1].x());
  }
  Show(*scope, 0, std::vector<double>(500, 1));
  Expose(*scope);
  EXPECT_FALSE(First(*scope).Trace().Reduced());
  EXPECT_EQ(First(*scope).Trace().Points().size(), 500u);
}

TEST(ScopeDrawing, AReducedTraceStartsAtItsFirstSample) {
  TScopePtr scope = PlainScope(300, 100);
  Show(*scope, 0, std::vector<double>(10000, 1));
  // Zoomed out to the left: the data begins in the middle of the view.
  ShowX(*scope, -9999, 9999);
  Expose(*scope);
  const TKvScopeTrace& trace = First(*scope).Trace();
  ASSERT_TRUE(trace.Reduced());
  EXPECT_EQ(trace.Points().front().x(), XPixel(*scope, 0));
  EXPECT_GT(trace.Points().front().x(), 100);
  EXPECT_NEAR(trace.Points().back().x(), XPixel(*scope, 9999), 1);
}

TEST(ScopeDrawing, PixelsAreComputedAgainOnlyWhenDataOrViewChange) {
  TScopePtr scope = PlainScope();
  Show(*scope, 0, {1, 2, 3});
  Expose(*scope);
  TKvScopeChannel& channel = First(*scope);
  TKvTraceView view;
  view.Work = {0, 0, 101, 60};
  view.X = scope->XAxis()->GetMapping();
  view.Y = scope->YAxis()->GetMapping();
  view.DataMax = 2;
  view.VisibleMax = 2;
  TKvScopeTrace trace;
  const TKvScopeChannelData& data = channel.Data();
  EXPECT_TRUE(trace.Update(data, data.Generation(), view));
  EXPECT_FALSE(trace.Update(data, data.Generation(), view));
  view.Work.Right = 90;
  EXPECT_TRUE(trace.Update(data, data.Generation(), view));
  Show(*scope, 0, {3, 2, 1});
  EXPECT_TRUE(trace.Update(data, data.Generation(), view));
  // A steady trace: new data of the same length takes nothing from the heap.
  const long before = HeapAllocations();
  for (int round = 0; round < 10; ++round) {
    channel.Data().StoreUniform(3, 0, [round](uint32_t i) { return double(i + round); });
    channel.Data().Commit();
    trace.Update(data, data.Generation(), view);
  }
  EXPECT_EQ(HeapAllocations(), before);
}

TEST(ScopeDrawing, DrawEventsSeeTheChannelAndMayLeaveBarsOut) {
  TScopePtr scope = PlainScope();
  TKvScopeChannel& channel = First(*scope);
  channel.SetChannelMode(TKvChannelMode::cmBar);
  std::vector<std::pair<bool, std::vector<double>>> drawn;
  channel.OnChannelDraw = [&](TObject* sender, int index, bool recompute, uint32_t count, const double* values) {
    EXPECT_EQ(sender, scope.get());
    EXPECT_EQ(index, 0);
    drawn.emplace_back(recompute, std::vector<double>(values, values + count));
    // What the handler changes is drawn now, not in another paint.
    channel.SetColor(clLime);
  };
  std::vector<std::pair<double, double>> bars;
  channel.OnSampleDraw = [&](TObject*, TKvCanvas&, bool& draw, bool, double x, double y) {
    bars.emplace_back(x, y);
    draw = x != 1;
  };
  Show(*scope, 0, {10, 20, 30});
  ShowX(*scope, -1, 3);
  QImage image = Expose(*scope);
  EXPECT_FALSE(scope->BitmapDirty());
  Expose(*scope);
  scope->Redraw();
  image = Expose(*scope);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_TRUE(drawn[0].first);
  EXPECT_FALSE(drawn[1].first);
  EXPECT_EQ(drawn[1].second, (std::vector<double>{10, 20, 30}));
  EXPECT_EQ(bars, (std::vector<std::pair<double, double>>{{0, 10}, {1, 20}, {2, 30}, {0, 10}, {1, 20}, {2, 30}}));
  const int zero = YPixel(*scope, 0);
  EXPECT_EQ(Rgb(image, XPixel(*scope, 0), zero - 1), Lime);
  EXPECT_EQ(Rgb(image, XPixel(*scope, 1), zero - 1), Background);
  EXPECT_EQ(Rgb(image, XPixel(*scope, 2), zero - 1), Lime);
}

TEST(ScopeDrawing, AChannelWhoseDrawEventFailsIsLeftOutAndTheOthersAreDrawn) {
  TScopePtr scope = PlainScope();
  scope->Channels()->Add();
  scope->Channels()->Channel(1).SetColor(clLime);
  First(*scope).OnChannelDraw = [](TObject*, int, bool, uint32_t, const double*) {
    throw std::runtime_error("no trace today");
  };
  Show(*scope, 0, {50, 50, 50});
  Show(*scope, 1, {-50, -50, -50});
  ShowX(*scope, -1, 3);
  TErrorHookCapture capture;
  const QImage image = Expose(*scope);
  EXPECT_EQ(capture.Errors(), std::vector<std::string>{"a scope channel's paint: no trace today"});
  EXPECT_EQ(Rgb(image, XPixel(*scope, 1), YPixel(*scope, 50)), Background);
  EXPECT_EQ(Rgb(image, XPixel(*scope, 1), YPixel(*scope, -50)), Lime);
  // The failed event does not hold back the repaints asked for after it.
  EXPECT_FALSE(scope->BitmapDirty());
  scope->Redraw();
  EXPECT_TRUE(scope->BitmapDirty());
}

TEST(ScopeDrawing, TheChannelUnderTheMouseIsHighlightedWhenAskedFor) {
  TScopePtr scope = PlainScope();
  // The mouse over the display brings up its tool bar, which would cover the trace here, and the
  // hit point's mark would cover the very pixels looked at.
  scope->ToolBar()->SetVisible(false);
  scope->Highlighting()->MouseHitPoint()->SetEnabled(false);
  Show(*scope, 0, {50, 50, 50, 50, 50});
  Expose(*scope);
  const int y = YPixel(*scope, 50), x = XPixel(*scope, 2);
  const auto move = [&](int toX, int toY) {
    QMouseEvent event(QEvent::MouseMove, QPointF(toX, toY), QPointF(toX, toY), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(scope.get(), &event);
  };
  move(x, y + 1);
  EXPECT_EQ(scope->HoverChannel(), 0);
  // Over the third sample: the end of the segment before it or the start of the one after.
  EXPECT_DOUBLE_EQ(scope->HoverHit().Sample + scope->HoverHit().Along, 2);
  EXPECT_EQ(scope->HoverHit().Distance, 0);
  // Not highlighted from the mouse by default.
  EXPECT_EQ(Rgb(Expose(*scope), x, y + 1), Background);
  scope->Highlighting()->Channels()->SetHiglightFromMouse(true);
  QImage image = Expose(*scope);
  EXPECT_EQ(Rgb(image, x, y), Red);
  EXPECT_EQ(Rgb(image, x, y + 1), Lime);
  EXPECT_EQ(Rgb(image, x, y - 1), Lime);
  move(x, y + 10);
  EXPECT_EQ(scope->HoverChannel(), -1);
  image = Expose(*scope);
  EXPECT_EQ(Rgb(image, x, y + 1), Background);
}

TEST(ScopeDrawing, AnInvisibleChannelLeavesTheAutoscaling) {
  TScopePtr scope = PlainScope();
  scope->Channels()->AddChannel();
  scope->YAxis()->AutoScaling()->SetEnabled(true);
  Show(*scope, 0, {-10, 10});
  Show(*scope, 1, {-5000, 5000});
  EXPECT_LE(scope->YAxis()->GetVisibleMin(), -5000);
  EXPECT_GE(scope->YAxis()->GetVisibleMax(), 5000);
  scope->Channels()->Channel(1).SetVisible(false);
  for (int i = 0; i < 50; ++i) Show(*scope, 0, {-10, 10});
  EXPECT_GT(scope->YAxis()->GetVisibleMin(), -100);
  EXPECT_LT(scope->YAxis()->GetVisibleMax(), 100);
  EXPECT_LE(scope->YAxis()->GetVisibleMin(), -10);
  EXPECT_GE(scope->YAxis()->GetVisibleMax(), 10);
}

}  // namespace
