// The scope's channel markers and marker groups: a marker always has a group, is drawn at its
// sample in the group's style and highlighted under the mouse or from the legend, takes a press
// before its channel does (and the channel before zooming), may delete itself or its group from
// its click handler, and is stored with its group's index.
#include "ScopeItemsKit.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr uint32_t Yellow = 0xFFFF00;
constexpr uint32_t Lime = 0x00FF00;
constexpr uint32_t Background = 0;

TKvScopeChannelMarkers& MarkersOf(TKvScope& scope) { return *scope.Channels()->Channel(0).Markers(); }

TEST(ScopeMarkers, AMarkerWithoutAGroupMakesOneAndLaterMarkersJoinTheLastGroup) {
  TItemScopePtr scope = ItemScope();
  ASSERT_EQ(scope->MarkerGroups()->Count(), 0);
  TKvScopeChannelMarker& first = MarkersOf(*scope).AddMarker();
  ASSERT_EQ(scope->MarkerGroups()->Count(), 1);
  EXPECT_EQ(first.MarkerGroup(), &scope->MarkerGroups()->Group(0));
  EXPECT_EQ(first.Name(), "Marker0");
  EXPECT_EQ(scope->MarkerGroups()->Group(0).Name(), "MarkerGroup0");
  TKvScopeMarkerGroup& second = scope->MarkerGroups()->AddGroup();
  EXPECT_EQ(MarkersOf(*scope).AddMarker().MarkerGroup(), &second);
  // Each new group takes the palette colour the fewest use.
  EXPECT_EQ(scope->MarkerGroups()->Group(0).Pen()->Color(), TColor(0xFFFFFF));
  EXPECT_EQ(second.Pen()->Color(), TColor(0xC0C0C0));
  EXPECT_EQ(second.Brush()->Color(), TColor(0xC0C0C0));
}

// A flat trace at 50 over samples 0 … 10 with a square marker of half size 2 at sample 5 drawn in
// yellow without fill.
class ScopeMarker : public testing::Test {
protected:
  ScopeMarker() {
    ShowValues(*Scope, 0, std::vector<double>(11, 50));
    Marker.SetPosition(5);
    Group.SetShape(TKvDisplayMarkerShape::msSquare);
    Group.SetSize(2);
    Group.Pen()->SetColor(clYellow);
    Group.Brush()->SetStyle(TKvBrushStyle::bsClear);
    Expose(*Scope);
  }
  int X() const { return XAt(*Scope, 5); }
  int Y() const { return YAt(*Scope, 50); }

  TItemScopePtr Scope = ItemScope();
  TKvScopeChannelMarker& Marker = MarkersOf(*Scope).AddMarker();
  TKvScopeMarkerGroup& Group = *Marker.MarkerGroup();
};

TEST_F(ScopeMarker, IsDrawnAtItsSampleInTheGroupsStyle) {
  const QImage image = Expose(*Scope);
  EXPECT_EQ(Rgb(image, X() - 2, Y() - 2), Yellow);
  EXPECT_EQ(Rgb(image, X() + 2, Y() + 2), Yellow);
  EXPECT_EQ(Rgb(image, X() - 3, Y() - 3), Background);
  Group.SetVisible(false);
  EXPECT_EQ(Rgb(Expose(*Scope), X() - 2, Y() - 2), Background);
}

TEST_F(ScopeMarker, SamplesOutsideTheDataOrWithoutAValueDrawNothingAndAreNotHit) {
  ShowValues(*Scope, 0, {50, 50, 50, 50, 50, NAN, 50});
  for (const int position : {5, -1, 7, 1000000, INT32_MIN, INT32_MAX}) {
    Marker.SetPosition(position);
    const QImage image = Expose(*Scope);
    for (int x = 0; x < image.width(); ++x) EXPECT_NE(Rgb(image, x, Y() - 2), Yellow) << position << " at " << x;
    EXPECT_EQ(HitChannelMarker(*Scope->Channels(), X(), Y()), nullptr);
  }
}

TEST_F(ScopeMarker, IsHighlightedOneLargerUnderTheMouseAndFromTheLegend) {
  const auto highlighted = [&] { return Rgb(Expose(*Scope), X() - 3, Y() - 3) == Lime; };
  EXPECT_FALSE(highlighted());
  SendMouse(*Scope, QEvent::MouseMove, X() + 2, Y() - 2);
  EXPECT_EQ(Scope->MarkerGroups()->Hovered.Get(), &Marker);
  EXPECT_TRUE(Group.IsHighlighted());
  EXPECT_TRUE(highlighted());
  SendMouse(*Scope, QEvent::MouseMove, X() + 5, Y() + 5);
  EXPECT_FALSE(Group.IsHighlighted());
  EXPECT_FALSE(highlighted());
  Group.SetLegendHighlight(true);
  EXPECT_TRUE(highlighted());
  Group.SetLegendHighlight(false);
  EXPECT_FALSE(highlighted());
  Scope->Highlighting()->Markers()->SetHiglightFromLegend(false);
  Group.SetLegendHighlight(true);
  EXPECT_FALSE(highlighted());
}

TEST_F(ScopeMarker, AVerticalScopeTurnsTheLineShapesAndTheirHitBoxes) {
  Scope->SetVertical(true);
  Group.SetShape(TKvDisplayMarkerShape::msHLine);
  Group.SetSize(6);
  Expose(*Scope);
  QPoint at;
  ASSERT_TRUE(MarkerPixel(Scope->Channels()->Channel(0), Marker, at));
  // Samples run down the view and values across it; the line mark lies along the samples.
  EXPECT_EQ(at, QPoint(YAt(*Scope, 50), XAt(*Scope, 5)));
  const QImage image = Expose(*Scope);
  EXPECT_EQ(Rgb(image, at.x(), at.y() + 5), Yellow);
  EXPECT_NE(Rgb(image, at.x() + 5, at.y()), Yellow);
  const TKvScopeChannels& channels = *Scope->Channels();
  EXPECT_EQ(HitChannelMarker(channels, at.x() + 3, at.y() + 6), &Marker);
  EXPECT_EQ(HitChannelMarker(channels, at.x() + 4, at.y()), nullptr);
  EXPECT_EQ(HitChannelMarker(channels, at.x(), at.y() + 7), nullptr);
}

TEST_F(ScopeMarker, ShowsItsLabelOnlyWhenAsked) {
  const auto labelled = [&] {
    const QImage image = Expose(*Scope);
    for (int y = 0; y < Y() - 3; ++y)
      for (int x = X() + 4; x < image.width(); ++x)
        if (Rgb(image, x, y) != Background) return true;
    return false;
  };
  EXPECT_FALSE(labelled());
  Group.Labels()->SetVisible(true);
  Group.Labels()->SetText("M");
  EXPECT_TRUE(labelled());
}

TEST_F(ScopeMarker, APressOnItIsItsClickAndStartsNoZoom) {
  int clicks = 0;
  Scope->MarkerGroups()->OnClick = [&](TObject* sender, int channel, int marker, TKvRealPoint value, bool&) {
    ++clicks;
    EXPECT_EQ(sender, Scope.get());
    EXPECT_EQ(channel, 0);
    EXPECT_EQ(marker, 0);
    // In the axes' label units.
    EXPECT_EQ(value, (TKvRealPoint{Scope->XAxis()->ToLabelUnits(5), Scope->YAxis()->ToLabelUnits(50)}));
  };
  DragMouse(*Scope, {X() + 2, Y() + 2}, {X() + 30, Y() + 20});
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(Scope->IsZoomed());
  // The same drag beside the marker zooms.
  DragMouse(*Scope, {X() + 4, Y() + 4}, {X() + 30, Y() + 20});
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(Scope->IsZoomed());
}

TEST_F(ScopeMarker, APressPicksTheMarkerBeforeItsChannelAndTheChannelBeforeTheZoom) {
  std::vector<std::string> clicks;
  bool take = true;
  Scope->MarkerGroups()->OnClick = [&](TObject*, int, int, TKvRealPoint, bool&) { clicks.push_back("marker"); };
  Scope->Channels()->OnClick = [&](TObject* sender, int channel, bool& handled) {
    EXPECT_EQ(sender, Scope.get());
    clicks.push_back("channel " + std::to_string(channel));
    handled = take;
  };
  const QPoint onTrace(X() - 25, Y() + 1), beside(X() - 25, Y() + 5), far(X() + 30, Y() + 20);
  DragMouse(*Scope, {X() + 2, Y() + 2}, far);
  DragMouse(*Scope, onTrace, far);
  EXPECT_EQ(clicks, (std::vector<std::string>{"marker", "channel 0"}));
  EXPECT_FALSE(Scope->IsZoomed());
  DragMouse(*Scope, beside, far);
  EXPECT_EQ(clicks.size(), 2u);
  EXPECT_TRUE(Scope->IsZoomed());
  // A handler that leaves the press alone lets it zoom.
  Scope->ZoomOff();
  take = false;
  DragMouse(*Scope, onTrace, far);
  EXPECT_EQ(clicks.back(), "channel 0");
  EXPECT_TRUE(Scope->IsZoomed());
  // A handler may delete the channel it was told of.
  Scope->Channels()->OnClick = [&](TObject*, int channel, bool& handled) {
    Scope->Channels()->Delete(channel);
    handled = true;
  };
  DragMouse(*Scope, onTrace, far);
  EXPECT_EQ(Scope->Channels()->Count(), 0);
  Expose(*Scope);
}

TEST_F(ScopeMarker, AClickHandlerMayDeleteTheMarkerOrItsGroup) {
  for (const bool group : {false, true}) {
    SCOPED_TRACE(group ? "group" : "marker");
    TItemScopePtr scope = ItemScope();
    ShowValues(*scope, 0, std::vector<double>(11, 50));
    TKvScopeChannelMarker& marker = MarkersOf(*scope).AddMarker();
    marker.SetPosition(5);
    marker.MarkerGroup()->SetShape(TKvDisplayMarkerShape::msSquare);
    Expose(*scope);
    // Hovered and highlighted from the legend before the click deletes it.
    SendMouse(*scope, QEvent::MouseMove, XAt(*scope, 5), YAt(*scope, 50));
    ASSERT_EQ(scope->MarkerGroups()->Hovered.Get(), &marker);
    marker.MarkerGroup()->SetLegendHighlight(true);
    scope->MarkerGroups()->OnClick = [&](TObject*, int, int index, TKvRealPoint, bool&) {
      if (group) scope->MarkerGroups()->Delete(0);
      else MarkersOf(*scope).Delete(index);
    };
    SendMouse(*scope, QEvent::MouseButtonPress, XAt(*scope, 5), YAt(*scope, 50));
    SendMouse(*scope, QEvent::MouseButtonRelease, XAt(*scope, 5), YAt(*scope, 50));
    EXPECT_EQ(MarkersOf(*scope).Count(), 0);
    EXPECT_EQ(scope->MarkerGroups()->Count(), group ? 0 : 1);
    EXPECT_FALSE(scope->MarkerGroups()->Hovered);
    EXPECT_EQ(bool(scope->MarkerGroups()->LegendHighlighted), !group);
    SendMouse(*scope, QEvent::MouseMove, XAt(*scope, 5) + 1, YAt(*scope, 50));
    Expose(*scope);
  }
}

TEST(ScopeMarkers, APointedSampleOfTheNearestTraceGetsANewMarker) {
  TItemScopePtr scope = ItemScope();
  scope->Channels()->AddChannel();
  ShowValues(*scope, 0, std::vector<double>(11, 50));
  ShowValues(*scope, 1, std::vector<double>(11, -50));
  Expose(*scope);
  // Between samples 3 and 4 of the second channel, nearer to 4.
  const int x = (XAt(*scope, 3) + 3 * XAt(*scope, 4)) / 4;
  const TKvScopeChannelMarker* placed = PlaceChannelMarker(*scope, x, YAt(*scope, -50) + 1);
  ASSERT_NE(placed, nullptr);
  EXPECT_EQ(&placed->Channel(), &scope->Channels()->Channel(1));
  EXPECT_EQ(placed->Position(), 4);
  EXPECT_EQ(placed->MarkerGroup(), &scope->MarkerGroups()->Group(0));
  // Nothing is placed far from every trace.
  EXPECT_EQ(PlaceChannelMarker(*scope, x, YAt(*scope, 0)), nullptr);
  EXPECT_EQ(scope->Channels()->Channel(0).Markers()->Count() + scope->Channels()->Channel(1).Markers()->Count(), 1);
}

TEST(ScopeMarkers, ReadAndWrittenBackWithTheirGroupsIndexResolvedAfterLoading) {
  const std::string head = "object KvScope1: TKvScope\n  Left = 0\n  Top = 0\n  Width = 200\n  Height = 100\n";
  const std::string groups =
      "  MarkerGroups = <\n    item\n      Name = 'Peaks'\n    end\n"
      "    item\n      Name = 'Dips'\n      Visible = False\n      Pen.Color = clRed\n      Shape = msTriangleUp\n"
      "      Size = 5\n      Labels.Text = '%Y'\n      Labels.Visible = True\n    end>\n";
  const auto layout = [&](const std::string& index) {
    return head +
           "  Channels = <\n    item\n      Name = 'Channel0'\n      Color = clRed\n      Markers = <\n"
           "        item\n          Name = 'Marker0'\n          Position = 7\n          MarkerGroupIndex = " +
           index + "\n        end>\n    end>\n  InputPins.Count = 1\n  InputPins.Form = KvScope1\n" +
           "  XInputPins.Count = 1\n  XInputPins.Form = KvScope1\n" + groups + "end\n";
  };
  TItemScopePtr scope(new TItemScope(nullptr));
  TLayoutReader::ReadRoot(*scope, layout("0"));
  ASSERT_EQ(scope->MarkerGroups()->Count(), 2);
  EXPECT_EQ(MarkersOf(*scope).Marker(0).MarkerGroup(), &scope->MarkerGroups()->Group(0));
  EXPECT_EQ(MarkersOf(*scope).Marker(0).Position(), 7);
  EXPECT_EQ(FromChannels(TLayoutWriter::WriteRoot(*scope)), FromChannels(layout("0")));
  // An index beyond the groups takes the last one.
  TItemScopePtr beyond(new TItemScope(nullptr));
  TLayoutReader::ReadRoot(*beyond, layout("9"));
  EXPECT_EQ(MarkersOf(*beyond).Marker(0).MarkerGroup(), &beyond->MarkerGroups()->Group(1));
  EXPECT_EQ(FromChannels(TLayoutWriter::WriteRoot(*beyond)), FromChannels(layout("1")));
}

}  // namespace
