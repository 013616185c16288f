// How near the mouse lies to a channel's drawn trace, and which channel the hover picks.
#include "DisplayTestKit.h"
#include "display/KvScope.h"
#include "display/KvScopeHitTest.h"

#include <gtest/gtest.h>

namespace {

// Two samples of 50 drawn from (10, 50) to (90, 50).
class ScopeHit : public ::testing::Test {
protected:
  ScopeHit() {
    Data.StoreUniform(2, 0, [](uint32_t) { return 50.0; });
    Data.Commit();
    TKvTraceView view;
    view.Work = {0, 0, 200, 200};
    view.X = TKvAxisMapping::Make(0, 1, 10, 80, 1, true, false);
    view.Y = TKvAxisMapping::Make(0, 100, 100, 100, -1, true, false);
    view.VisibleMax = 1;
    view.DataMax = 1;
    Trace.Update(Data, Data.Generation(), view);
  }

  TKvScopeChannelData Data;
  TKvScopeTrace Trace;
};

TEST_F(ScopeHit, DistancesToPointsAndSegments) {
  ASSERT_EQ(Trace.Points(), (std::vector<QPoint>{{10, 50}, {90, 50}}));
  constexpr double Miss = TKvTraceHit::Miss;
  struct TCase {
    TKvChannelMode mode;
    bool marks;
    int size;
    int width;
    int x, y;
    double distance;
  };
  const TCase cases[] = {
      // On the line, then less half the pen width, never below 0.
      {TKvChannelMode::cmLine, false, 3, 1, 50, 50, 0},
      {TKvChannelMode::cmLine, false, 3, 1, 50, 52, 1},
      {TKvChannelMode::cmLine, false, 3, 1, 50, 53, 2},
      {TKvChannelMode::cmLine, false, 3, 5, 50, 53, 0},
      {TKvChannelMode::cmLine, false, 3, 1, 8, 50, 1},
      // Beyond the trace's box widened by 3: missed at once.
      {TKvChannelMode::cmLine, false, 3, 1, 50, 54, Miss},
      {TKvChannelMode::cmLine, false, 3, 1, 6, 50, Miss},
      // Points count within 2 pixels in the point and step modes…
      {TKvChannelMode::cmPoint, false, 3, 1, 12, 52, 0},
      {TKvChannelMode::cmStep, false, 3, 1, 88, 48, 0},
      {TKvChannelMode::cmLine, false, 3, 1, 12, 53, 2},
      // …and within the marks' half size when they are shown.
      {TKvChannelMode::cmLine, true, 5, 1, 15, 47, 0},
      {TKvChannelMode::cmLine, true, 1, 1, 13, 48, 1},
      // Marks larger than the tolerance are still found only near the trace's box.
      {TKvChannelMode::cmLine, true, 5, 1, 15, 45, Miss},
      // Away from a point, the segment decides in every mode.
      {TKvChannelMode::cmPoint, false, 3, 1, 50, 52, 1},
  };
  for (const TCase& c : cases) {
    const TKvTraceHit hit = HitTrace(Trace, c.x, c.y, c.mode, c.marks, c.size, c.width);
    EXPECT_EQ(hit.Distance, c.distance) << int(c.mode) << " at " << c.x << "," << c.y << " width " << c.width;
  }
}

TEST_F(ScopeHit, TellsTheSampleAndWhereAlongTheSegment) {
  const TKvTraceHit hit = HitTrace(Trace, 30, 51, TKvChannelMode::cmLine, false, 3, 1);
  EXPECT_EQ(hit.Sample, 0u);
  EXPECT_DOUBLE_EQ(hit.Along, 0.25);
}

TEST(ScopeHitChannels, TheNearestVisibleChannelWinsTheLaterOnATie) {
  TPtr<TRefreshing<TKvScope>> scope = BareChart<TRefreshing<TKvScope>>(101, 61);
  scope->YAxis()->AutoScaling()->SetEnabled(false);
  scope->Channels()->AddChannel();
  scope->Channels()->AddChannel();
  const double levels[] = {0, 0, 800};
  for (int c = 0; c < 3; ++c)
    scope->Channels()->Channel(c).Data().StoreUniform(3, 0, [&](uint32_t) { return levels[c]; });
  scope->DataArrived();
  scope->Refresh();
  Expose(*scope);
  const int y = scope->YAxis()->GetMapping().ToPixel(0);
  const int high = scope->YAxis()->GetMapping().ToPixel(800);
  EXPECT_EQ(scope->Channels()->HitTest(50, y), 1);
  EXPECT_EQ(scope->Channels()->HitTest(50, high + 1), 2);
  scope->Channels()->Channel(1).SetVisible(false);
  EXPECT_EQ(scope->Channels()->HitTest(50, y), 0);
  EXPECT_EQ(scope->Channels()->HitTest(50, y + 4), -1);
}

}  // namespace
