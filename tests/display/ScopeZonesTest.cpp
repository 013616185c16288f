// The scope's polygon and elliptic zones: where the mouse finds them, which of two wins, how they
// are filled, outlined and highlighted, what a coordinate without a pixel does, deleting a hovered
// zone, and their storage.
#include "ScopeItemsKit.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr uint32_t Lime = 0x00FF00;
constexpr uint32_t Aqua = 0x00FFFF;  // the first zone's pen
constexpr uint32_t Grey = 0x808080;
constexpr uint32_t Background = 0;

TKvDisplayZone& AddZone(TKvScope& scope, const std::vector<std::pair<double, double>>& points) {
  auto& zone = static_cast<TKvDisplayZone&>(scope.Zones()->Add());
  for (const auto& [x, y] : points) zone.Points()->AddPoint(x, y);
  return zone;
}

struct TOffsetCase {
  int Dx, Dy;
  bool Hit;
};

TEST(ScopeZones, AOnePointZoneIsFoundWithinThreePixelsEachWay) {
  TItemScopePtr scope = ItemScope();
  TKvDisplayZone& zone = AddZone(*scope, {{5, 20}});
  Expose(*scope);
  const int x = XAt(*scope, 5), y = YAt(*scope, 20);
  const std::vector<TOffsetCase> cases = {{0, 0, true},  {3, 3, true},   {-3, -3, true}, {3, -3, true},
                                          {4, 0, false}, {0, -4, false}, {-4, 3, false}};
  for (const TOffsetCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Dx) + "," + std::to_string(c.Dy));
    EXPECT_EQ(scope->Zones()->HitTest(x + c.Dx, y + c.Dy), c.Hit ? &zone : nullptr);
  }
  zone.SetVisible(false);
  EXPECT_EQ(scope->Zones()->HitTest(x, y), nullptr);
}

struct TOrderCase {
  const char* Name;
  // The later zone's edge lies this many pixels below the mouse, the earlier one's 1 pixel.
  int LaterBelow;
  int Winner;
};

TEST(ScopeZones, TheNearestWinsAndAnEarlierZoneOnlyWhenStrictlyNearer) {
  const std::vector<TOrderCase> cases = {
      {"tie", 1, 1}, {"earlier nearer", 2, 0}, {"later nearer", 0, 1}, {"later beyond reach", 5, 0}};
  for (const TOrderCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TItemScopePtr scope = ItemScope();
    Expose(*scope);
    const int x = XAt(*scope, 5), y = YAt(*scope, 0);
    // Horizontal segments in data coordinates through the pixel rows below the mouse.
    const auto row = [&](int pixels) {
      return scope->YAxis()->ToValueUnits(scope->YAxis()->GetMapping().ToValue(y + pixels));
    };
    AddZone(*scope, {{2, row(1)}, {8, row(1)}});
    AddZone(*scope, {{2, row(c.LaterBelow)}, {8, row(c.LaterBelow)}});
    const TKvBasicDisplayZone* hit = scope->Zones()->HitTest(x, y);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->Index(), c.Winner);
  }
}

// A square from (2, -40) to (8, 40) filled grey.
class ScopeZone : public testing::Test {
protected:
  ScopeZone() {
    Zone.Brush()->SetStyle(TKvBrushStyle::bsSolid);
    Expose(*Scope);
  }
  int Left() const { return XAt(*Scope, 2); }
  int Right() const { return XAt(*Scope, 8); }
  int Top() const { return YAt(*Scope, 40); }
  int Middle() const { return YAt(*Scope, 0); }

  TItemScopePtr Scope = ItemScope();
  TKvDisplayZone& Zone = AddZone(*Scope, {{2, -40}, {2, 40}, {8, 40}, {8, -40}});
};

TEST_F(ScopeZone, IsFilledBehindAndOutlinedOverTheChannels) {
  ShowValues(*Scope, 0, std::vector<double>(11, 0));
  const QImage image = Expose(*Scope);
  EXPECT_EQ(Rgb(image, (Left() + Right()) / 2, Top() + 3), Grey);
  // The channel crosses the fill but not the outline.
  EXPECT_EQ(Rgb(image, (Left() + Right()) / 2, Middle()), 0xFF0000u);
  EXPECT_EQ(Rgb(image, Left(), Middle()), Aqua);
  EXPECT_EQ(Rgb(image, Left() - 2, Top() + 3), Background);
}

TEST_F(ScopeZone, IsOutlinedThreePixelsWideUnderTheMouseAndFromTheLegend) {
  const auto highlighted = [&] { return Rgb(Expose(*Scope), Left() - 1, Middle() + 5) == Lime; };
  EXPECT_FALSE(highlighted());
  SendMouse(*Scope, QEvent::MouseMove, Left() + 1, Middle() + 5);
  EXPECT_EQ(Scope->Zones()->Hovered.Get(), &Zone);
  EXPECT_TRUE(Zone.IsHighlighted());
  EXPECT_TRUE(highlighted());
  SendMouse(*Scope, QEvent::MouseMove, (Left() + Right()) / 2, Middle() + 5);
  EXPECT_FALSE(highlighted());
  Zone.SetLegendHighlight(true);
  EXPECT_TRUE(highlighted());
  Zone.SetLegendHighlight(false);
  EXPECT_FALSE(highlighted());
}

TEST_F(ScopeZone, CoordinatesWithoutAPixelAreClampedOrLeaveTheZoneOut) {
  const double huge = std::numeric_limits<double>::max();
  for (const double far : {huge, -huge, std::numeric_limits<double>::infinity()}) {
    Zone.Points()->Point(0).SetX(far);
    Expose(*Scope);
    EXPECT_NE(Scope->Zones()->HitTest(Right(), Middle()), nullptr) << far;
  }
  Zone.Points()->Point(0).SetX(NAN);
  const QImage image = Expose(*Scope);
  EXPECT_EQ(Rgb(image, Right(), Middle()), Background);
  EXPECT_EQ(Scope->Zones()->HitTest(Right(), Middle()), nullptr);
}

TEST_F(ScopeZone, DeletingItWhileHoveredAndHighlightedLeavesNoReference) {
  SendMouse(*Scope, QEvent::MouseMove, Left(), Middle());
  ASSERT_EQ(Scope->Zones()->Hovered.Get(), &Zone);
  Zone.SetLegendHighlight(true);
  Scope->Zones()->Delete(0);
  EXPECT_FALSE(Scope->Zones()->Hovered);
  EXPECT_FALSE(Scope->Zones()->LegendHighlighted);
  Expose(*Scope);
  SendMouse(*Scope, QEvent::MouseMove, Left() + 1, Middle());
}

TEST(ScopeEllipses, AreDrawnInTheBoxOfTheirCornersAndFoundNearTheOutline) {
  TItemScopePtr scope = ItemScope();
  auto& ellipse = static_cast<TKvDisplayEllipticZone&>(scope->Ellipses()->Add());
  ellipse.Point1()->SetX(2), ellipse.Point1()->SetY(-40);
  ellipse.Point2()->SetX(8), ellipse.Point2()->SetY(40);
  const QImage image = Expose(*scope);
  const int left = XAt(*scope, 2), middle = YAt(*scope, 0), centre = XAt(*scope, 5);
  EXPECT_EQ(Rgb(image, left, middle), Aqua);
  EXPECT_EQ(Rgb(image, left, YAt(*scope, 40)), Background);
  EXPECT_EQ(scope->Ellipses()->HitTest(left + 1, middle), &ellipse);
  EXPECT_EQ(scope->Ellipses()->HitTest(centre, middle), nullptr);
  EXPECT_EQ(scope->Ellipses()->HitTest(centre, YAt(*scope, 40)), &ellipse);
}

TEST(ScopeZones, ReadAndWrittenBackUnchanged) {
  const std::string text =
      "object KvScope1: TKvScope\n  Left = 0\n  Top = 0\n  Width = 200\n  Height = 100\n"
      "  Channels = <\n    item\n      Name = 'Channel0'\n      Color = clRed\n    end>\n"
      "  InputPins.Count = 1\n  InputPins.Form = KvScope1\n  XInputPins.Count = 1\n  XInputPins.Form = KvScope1\n"
      "  Zones = <\n    item\n      Name = 'Band'\n      Pen.Color = clRed\n      Brush.Style = bsSolid\n"
      "      Points = <\n        item\n          X = 1.5\n          Y = -2\n        end\n"
      "        item\n          X = 3\n          Y = 4\n        end>\n    end>\n"
      "  Ellipses = <\n    item\n      Name = 'Zone0'\n      Visible = False\n      Point1.X = 1\n"
      "      Point1.Y = 2\n      Point2.X = 3\n      Point2.Y = 4\n    end>\n"
      "end\n";
  TItemScopePtr scope(new TItemScope(nullptr));
  TLayoutReader::ReadRoot(*scope, text);
  ASSERT_EQ(scope->Zones()->Count(), 1);
  EXPECT_EQ(static_cast<TKvDisplayZone&>(scope->Zones()->Zone(0)).Points()->Count(), 2);
  EXPECT_EQ(FromChannels(TLayoutWriter::WriteRoot(*scope)), FromChannels(text));
}

}  // namespace
