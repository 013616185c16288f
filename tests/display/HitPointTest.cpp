// The scope's hit point: where the mouse meets a trace, a mark and a label of the values there,
// interpolated between the samples of the segment hit; the label keeps inside the data view, and
// its text passes through the scope's and the display's events.
#include "ScopeItemsKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr uint32_t Yellow = 0xFFFF00;
constexpr uint32_t Red = 0xFF0000;

// The box around every pixel of one colour; empty when there is none.
TKvRect BoxOf(const QImage& image, uint32_t colour) {
  TKvRect box{image.width(), image.height(), 0, 0};
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (Rgb(image, x, y) == colour)
        box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
  return box.Left < box.Right ? box : TKvRect{};
}

// The item scope (X 0 … 10 over 100 pixels, Y -100 … 100 over 60) with its red channel, and the
// hit point drawn in yellow, apart from the trace.
class HitPoint : public testing::Test {
protected:
  HitPoint() {
    HitPoint_.SetUseChannelColor(false);
    HitPoint_.SetColor(clYellow);
  }
  // The mouse on the trace at sample `x`, value `y`.
  QPoint MoveTo(double x, double y) {
    const QPoint at(XAt(*Scope, x), YAt(*Scope, y));
    SendMouse(*Scope, QEvent::MouseMove, at.x(), at.y());
    return at;
  }

  TItemScopePtr Scope = ItemScope();
  TKvMouseHitPoint& HitPoint_ = *Scope->Highlighting()->MouseHitPoint();
};

TEST_F(HitPoint, LiesOnTheSegmentHitWithTheValuesBetweenItsSamples) {
  // A slope of 10 a sample: between samples 2 and 3 the values are not those of either.
  ShowValues(*Scope, 0, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100});
  Expose(*Scope);
  const QPoint mouse = MoveTo(2.5, 25);
  ASSERT_EQ(Scope->HoverChannel(), 0);
  const std::optional<TKvHitPoint> point = Scope->HoverPoint();
  ASSERT_TRUE(point);
  EXPECT_LE(std::abs(point->Pixel.x() - mouse.x()), 1);
  EXPECT_LE(std::abs(point->Pixel.y() - mouse.y()), 1);
  // Within what a pixel's difference makes: a tenth of a sample along, a unit across.
  EXPECT_NEAR(point->Values.X, Scope->XAxis()->ToLabelUnits(2.5), Scope->XAxis()->ToLabelUnits(0.15));
  EXPECT_NEAR(point->Values.Y, Scope->YAxis()->ToLabelUnits(25), Scope->YAxis()->ToLabelUnits(1.5));
  // The label writes them as the main axes do, "%X : %Y" by default.
  EXPECT_EQ(Scope->GetHitLabel(*point),
            Scope->XAxis()->LabelOf(point->Values.X) + " : " + Scope->YAxis()->LabelOf(point->Values.Y));
  HitPoint_.Label()->SetText("%Y");
  EXPECT_EQ(Scope->GetHitLabel(*point), Scope->YAxis()->LabelOf(point->Values.Y));
  // Off the trace there is none.
  SendMouse(*Scope, QEvent::MouseMove, mouse.x(), mouse.y() + 20);
  EXPECT_FALSE(Scope->HoverPoint());
  EXPECT_TRUE(BoxOf(Expose(*Scope), Yellow).IsEmpty());
}

TEST_F(HitPoint, TheLabelKeepsInsideTheDataView) {
  const struct {
    const char* Where;
    double Sample, Value;
    bool Left, Below;
  } cases[] = {
      {"in the middle: right of the mark and above it", 3, 0, false, false},
      {"at the right edge: left of the mark", 9.5, 0, true, false},
      {"at the top: below the point, left of the mark", 7.5, 95, true, true},
      {"at the top left: not left of the data view", 0.3, 95, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Where);
    ShowValues(*Scope, 0, std::vector<double>(11, c.Value));
    Expose(*Scope);
    MoveTo(c.Sample, c.Value);
    const std::optional<TKvHitPoint> point = Scope->HoverPoint();
    ASSERT_TRUE(point);
    const int x = point->Pixel.x(), y = point->Pixel.y();
    const TKvRect box = BoxOf(Expose(*Scope), Yellow), view = Scope->DataView()->GetRect();
    // The mark, a square of five pixels, always.
    EXPECT_LE(box.Left, x - 2);
    EXPECT_GE(box.Right, x + 3);
    // The label's box, as tall as a line of text and two pixels: the top of the yellow, or its
    // bottom when below the point.
    if (c.Below) {
      EXPECT_EQ(box.Top, y - 2);
      EXPECT_GT(box.Bottom, y + 8);
    } else {
      EXPECT_LT(box.Top, y - 8);
      EXPECT_EQ(box.Bottom, y + 3);
    }
    if (c.Left && box.Left > view.Left) {
      // Its right edge 7 pixels left of the point.
      EXPECT_EQ(box.Right, x + 3);
      EXPECT_EQ(Rgb(Expose(*Scope), x - 8, c.Below ? y : y - 2), Yellow);
    } else if (c.Left) {
      // Not left of the data view: from its left edge on, whatever it covers.
      EXPECT_LT(x - 11, view.Left);
      EXPECT_EQ(box.Left, view.Left);
      EXPECT_GT(box.Right, x + 12);
    } else {
      EXPECT_EQ(box.Left, x - 2);
      EXPECT_GT(box.Right, x + 12);
    }
    EXPECT_LE(box.Right, view.Right);
    EXPECT_GE(box.Top, view.Top);
  }
}

TEST_F(HitPoint, ItsSettingsDecideWhatIsDrawn) {
  ShowValues(*Scope, 0, std::vector<double>(11, 0));
  Expose(*Scope);
  MoveTo(3, 0);
  const int x = Scope->HoverPoint()->Pixel.x(), y = Scope->HoverPoint()->Pixel.y();
  const TKvRect mark{x - 2, y - 2, x + 3, y + 3};
  EXPECT_GT(BoxOf(Expose(*Scope), Yellow).Right, mark.Right) << "the mark and its label";
  EXPECT_TRUE(BoxOf(Scope->RenderImage(), Yellow).IsEmpty()) << "a copy leaves them out";
  HitPoint_.Label()->SetVisible(false);
  EXPECT_EQ(BoxOf(Expose(*Scope), Yellow), mark) << "the mark alone";
  // Filled with the display's colour, over the trace.
  EXPECT_EQ(Rgb(Expose(*Scope), x + 1, y), 0u);
  HitPoint_.SetUseChannelColor(true);
  EXPECT_EQ(Rgb(Expose(*Scope), x - 2, y - 2), Red) << "in the channel's colour";
  HitPoint_.SetEnabled(false);
  const QImage image = Expose(*Scope);
  EXPECT_EQ(Rgb(image, x - 2, y - 2), 0u);
  EXPECT_EQ(Rgb(image, x + 1, y), Red) << "the trace uncovered";
}

TEST_F(HitPoint, TheScopesEventThenTheDisplaysMayChangeTheText) {
  ShowValues(*Scope, 0, {-60, -50, -40, -30, -20, -10, 0, 10, 20, 30, 40});
  Expose(*Scope);
  MoveTo(6, 0);
  const TKvHitPoint point = *Scope->HoverPoint();
  int channel = -1;
  TKvRealPoint custom;
  Scope->OnCustomMouseHitLabel = [&](TObject* sender, int index, TKvRealPoint values, std::string& text) {
    EXPECT_EQ(sender, Scope.get());
    channel = index, custom = values;
    text = "level " + text;
  };
  std::vector<std::string> shown;
  std::optional<std::string> replacement;
  Scope->OnDataToolTip = [&](TObject* sender, QPoint at, const std::string& text, TKvRealPoint values) {
    EXPECT_EQ(sender, Scope.get());
    EXPECT_EQ(at, point.Pixel);
    EXPECT_EQ(values, point.Values);
    shown.push_back(text);
    if (replacement) Scope->OverrideToolTip(*replacement);
  };
  const TKvRect labelled = BoxOf(Expose(*Scope), Yellow);
  EXPECT_EQ(channel, 0);
  EXPECT_EQ(custom, point.Values);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "level " + Scope->FormatHitLabel(point));
  // A longer text gives a wider box; an empty one none, and only the mark is left.
  replacement = shown[0] + shown[0];
  Scope->Redraw();
  EXPECT_GT(BoxOf(Expose(*Scope), Yellow).Width(), labelled.Width());
  replacement = "";
  Scope->Redraw();
  EXPECT_EQ(BoxOf(Expose(*Scope), Yellow),
            (TKvRect{point.Pixel.x() - 2, point.Pixel.y() - 2, point.Pixel.x() + 3, point.Pixel.y() + 3}));
  // The replacement was for that label only.
  replacement.reset();
  Scope->Redraw();
  EXPECT_EQ(BoxOf(Expose(*Scope), Yellow), labelled);
}

}  // namespace
