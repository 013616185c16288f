// The scope's channel links: which links draw at all, the band and the bars between two channels
// under their traces, the highlighted outline, hover, deleting a hovered link, and storage.
#include "ScopeItemsKit.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t Grey = 0x808080;
constexpr uint32_t Lime = 0x00FF00;
constexpr uint32_t Background = 0;

// Two channels, flat at 50 and at -50 over samples 0 … 10 (the view from -1 to 11), and a link
// between them.
class ScopeChannelLink : public testing::Test {
protected:
  ScopeChannelLink() {
    Scope->XAxis()->Min()->SetValue(-1);
    Scope->XAxis()->Max()->SetValue(11);
    Scope->Channels()->AddChannel();
    ShowValues(*Scope, 0, std::vector<double>(11, 50));
    ShowValues(*Scope, 1, std::vector<double>(11, -50));
    Expose(*Scope);
  }
  uint32_t Between(const QImage& image, double sample) const { return Rgb(image, XAt(*Scope, sample), YAt(*Scope, 0)); }

  TItemScopePtr Scope = ItemScope();
  TKvDisplayChannelLink& Link = Scope->ChannelLinks()->AddLink();
};

struct TDrawCase {
  const char* Name;
  int32_t First, Second;
  bool HideSecond;
  bool Drawn;
};

TEST_F(ScopeChannelLink, DrawsOnlyBetweenTwoDifferentVisibleChannels) {
  const std::vector<TDrawCase> cases = {
      {"two channels", 0, 1, false, true},     {"equal indices", 1, 1, false, false},
      {"no such channel", 0, 2, false, false}, {"negative index", -1, 0, false, false},
      {"hidden channel", 0, 1, true, false},
  };
  for (const TDrawCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Link.SetFirstChannelIndex(c.First);
    Link.SetSecondChannelIndex(c.Second);
    Scope->Channels()->Channel(1).SetVisible(!c.HideSecond);
    EXPECT_EQ(Between(Expose(*Scope), 5), c.Drawn ? Grey : Background);
  }
}

TEST_F(ScopeChannelLink, BarsJoinMatchingPointsAndLeaveGapsBetweenThem) {
  Link.SetChannelLinkMode(TKvScopeChannelLinkMode::clmBar);
  Link.SetWidth(3);
  const QImage image = Expose(*Scope);
  const int x = XAt(*Scope, 5), next = XAt(*Scope, 6);
  ASSERT_GT(next - x, 5);
  EXPECT_EQ(Rgb(image, x - 1, YAt(*Scope, 0)), Grey);
  EXPECT_EQ(Rgb(image, x + 1, YAt(*Scope, 0)), Grey);
  EXPECT_EQ(Rgb(image, x + 3, YAt(*Scope, 0)), Background);
  EXPECT_EQ(Rgb(image, (x + next) / 2, YAt(*Scope, 0)), Background);
}

TEST_F(ScopeChannelLink, IsOutlinedFromTheLegendAndUnderTheMouseWhenAskedTo) {
  // Just outside the band, beside the first sample.
  const auto highlighted = [&] { return Rgb(Expose(*Scope), XAt(*Scope, 0) - 1, YAt(*Scope, 0)) == Lime; };
  EXPECT_FALSE(highlighted());
  Link.SetLegendHighlight(true);
  EXPECT_TRUE(highlighted());
  Link.SetLegendHighlight(false);
  SendMouse(*Scope, QEvent::MouseMove, XAt(*Scope, 5), YAt(*Scope, 0));
  EXPECT_EQ(Scope->ChannelLinks()->Hovered.Get(), &Link);
  EXPECT_TRUE(Link.IsHighlighted());
  // Channel links follow the mouse only when asked.
  EXPECT_FALSE(highlighted());
  Scope->Highlighting()->ChannelLinks()->SetHiglightFromMouse(true);
  EXPECT_TRUE(highlighted());
  SendMouse(*Scope, QEvent::MouseMove, XAt(*Scope, 5), YAt(*Scope, 90));
  EXPECT_FALSE(Scope->ChannelLinks()->Hovered);
}

TEST_F(ScopeChannelLink, DeletingItWhileHoveredAndHighlightedLeavesNoReference) {
  SendMouse(*Scope, QEvent::MouseMove, XAt(*Scope, 5), YAt(*Scope, 0));
  ASSERT_EQ(Scope->ChannelLinks()->Hovered.Get(), &Link);
  Link.SetLegendHighlight(true);
  Scope->ChannelLinks()->Delete(0);
  EXPECT_FALSE(Scope->ChannelLinks()->Hovered);
  EXPECT_FALSE(Scope->ChannelLinks()->LegendHighlighted);
  EXPECT_EQ(Between(Expose(*Scope), 5), Background);
  SendMouse(*Scope, QEvent::MouseMove, XAt(*Scope, 5) + 1, YAt(*Scope, 0));
}

TEST(ScopeChannelLinks, ReadAndWrittenBackUnchanged) {
  const std::string text =
      "object KvScope1: TKvScope\n  Left = 0\n  Top = 0\n  Width = 200\n  Height = 100\n"
      "  Channels = <\n    item\n      Name = 'Channel0'\n      Color = clRed\n    end>\n"
      "  InputPins.Count = 1\n  InputPins.Form = KvScope1\n  XInputPins.Count = 1\n  XInputPins.Form = KvScope1\n"
      "  ChannelLinks = <\n    item\n      Name = 'Spread'\n      Brush.Color = clNavy\n      Width = 2\n"
      "      ChannelLinkMode = clmBar\n      ChannelIndex_ = (\n        2\n        0)\n    end>\n"
      "end\n";
  TItemScopePtr scope(new TItemScope(nullptr));
  TLayoutReader::ReadRoot(*scope, text);
  ASSERT_EQ(scope->ChannelLinks()->Count(), 1);
  EXPECT_EQ(scope->ChannelLinks()->Link(0).FirstChannelIndex(), 2);
  EXPECT_EQ(scope->ChannelLinks()->Link(0).SecondChannelIndex(), 0);
  EXPECT_EQ(FromChannels(TLayoutWriter::WriteRoot(*scope)), FromChannels(text));
}

}  // namespace
