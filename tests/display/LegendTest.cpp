// The legend: its size and rows, what it draws, how its entries follow the mouse and take clicks,
// its scrolling, and items deleted from their own click handlers.
#include "ScopeItemsKit.h"
#include "display/KvCanvas.h"
#include "display/KvWaterfall.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// A scope that remembers the property dialogs it was asked for.
class TLegendScope : public TRefreshing<TKvScope> {
public:
  using TRefreshing<TKvScope>::TRefreshing;
  void ShowPropertiesDialog(int page, int item) override { Dialogs.emplace_back(page, item); }
  std::vector<std::pair<int, int>> Dialogs;
};

// Pixels as 0xRRGGBB. Samples are drawn in colours the entries' frames do not use.
constexpr uint32_t Black = 0x000000, Red = 0xFF0000, Lime = 0x00FF00, Blue = 0x0000FF, Green = 0x008000,
                   Yellow = 0xFFFF00, Fuchsia = 0xFF00FF, Aqua = 0x00FFFF, Silver = 0xC0C0C0, Purple = 0x800080;

// A 300 × 200 scope of nothing but its data view and legend, with three channels: "Signal" in
// red, "Channel1" in blue and "Channel2" in fuchsia.
class Legend : public testing::Test {
protected:
  void SetUp() override {
    Scope.reset(new TLegendScope(nullptr));
    Scope->SetBounds(0, 0, 300, 200);
    HideViews(*Scope);
    HideGrid(*Scope);
    Scope->ToolBar()->SetVisible(false);
    Scope->DataView()->Border()->SetVisible(false);
    Scope->Legend()->SetVisible(true);
    Scope->Channels()->AddChannel();
    Scope->Channels()->AddChannel();
    const char* names[] = {"Signal", "Channel1", "Channel2"};
    const TColor colours[] = {clRed, clBlue, clFuchsia};
    for (int i = 0; i < 3; ++i) {
      Scope->Channels()->Channel(i).SetName(names[i]);
      Scope->Channels()->Channel(i).SetColor(colours[i]);
    }
    Expose(*Scope);
  }

  TKvScopeLegendView& View() const { return *Scope->Legend(); }
  // A custom entry drawn all in `colour`.
  static void AddEntry(TKvLegendGroupCollectionItem& group, TColor colour) {
    auto& item = static_cast<TKvCustomLegendItem&>(group.Items()->Add());
    item.Pen()->SetColor(colour);
    item.Brush()->SetColor(colour);
  }
  int Left() const { return View().GetLeft(); }
  int Right() const { return View().GetLeft() + View().GetWidth(); }

  void Move(int x, int y) { SendMouse(*Scope, QEvent::MouseMove, x, y); }
  void Click(int x, int y) {
    Move(x, y);
    SendMouse(*Scope, QEvent::MouseButtonPress, x, y);
    SendMouse(*Scope, QEvent::MouseButtonRelease, x, y);
  }
  void Wheel(int x, int y, int delta) {
    QWheelEvent event(QPointF(x, y), QPointF(x, y), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(Scope.get(), &event);
  }
  void Leave() {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(Scope.get(), &event);
  }

  // The rows of the picture where a sample of `colour` starts, top to bottom: the samples sit at
  // the left of the entries.
  std::vector<int> SampleRows(uint32_t colour) {
    const QImage image = Expose(*Scope).scaled(Scope->width(), Scope->height());
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
      if (Rgb(image, Left() + 10, y) == colour && (y == 0 || Rgb(image, Left() + 10, y - 1) != colour))
        rows.push_back(y);
    return rows;
  }
  // A point on the entry whose sample is of `colour`.
  QPoint Entry(uint32_t colour) {
    const std::vector<int> rows = SampleRows(colour);
    EXPECT_EQ(rows.size(), 1u) << std::hex << colour;
    return {Left() + 40, rows.empty() ? -1 : rows.front() + 1};
  }

  TPtr<TLegendScope> Scope;
};

TEST_F(Legend, IsAsWideAsItsWidestEntryAndTakesNoRoomWithNothingListed) {
  const TKvTextMetrics names(*View().Font());
  const int caption = View().Channels()->CaptionMetrics().Width("Channels") + 23;
  EXPECT_EQ(View().GetWidth() + 1, std::max(caption, names.Width("Channel1") + 30));
  Scope->Channels()->Channel(1).SetName("A channel with a much longer name");
  Expose(*Scope);
  EXPECT_EQ(View().GetWidth() + 1, names.Width("A channel with a much longer name") + 30);

  View().ViewSize()->SetAutoSize(false);
  View().ViewSize()->SetSize(77);
  Expose(*Scope);
  EXPECT_EQ(View().GetRect().Width(), 77);

  View().ViewSize()->SetAutoSize(true);
  View().Channels()->SetVisible(false);
  Expose(*Scope);
  EXPECT_FALSE(View().IsActive());
  EXPECT_EQ(Scope->DataView()->GetRect(), (TKvRect{0, 0, 300, 200}));
}

TEST_F(Legend, RowsCaptionsAndTheBlankRowBetweenGroups) {
  const int row = View().RowHeight();
  const int caption = TKvLegendView::RowHeightOf(View().Channels()->CaptionMetrics()) - 6;
  EXPECT_EQ(View().GroupHeight(*View().Channels()), caption + 3 * row);
  View().Channels()->Caption()->SetVisible(false);
  EXPECT_EQ(View().GroupHeight(*View().Channels()), 3 * row);
  Scope->Channels()->Channel(2).SetVisible(false);
  EXPECT_EQ(View().GroupHeight(*View().Channels()), 2 * row);
  // The first group listed has no blank row before it, whatever comes before it in the list.
  Scope->Cursors()->AddCursor();
  EXPECT_EQ(View().ContentHeight(), 2 * row + row + caption + row);
  Scope->Channels()->Clear();
  EXPECT_EQ(View().ContentHeight(), caption + row);
  // Tiny fonts keep rows of six pixels.
  View().Font()->SetHeight(-1);
  EXPECT_EQ(View().RowHeight(), 6);
}

TEST_F(Legend, AtTheTopOrBottomItTakesTheHeightOfItsEntries) {
  for (const TKvViewAlign align : {TKvViewAlign::vaTop, TKvViewAlign::vaBottom}) {
    View().SetAlign(align);
    Expose(*Scope);
    const TKvRect legend = View().GetRect(), data = Scope->DataView()->GetRect();
    EXPECT_EQ(legend.Width(), 300);
    EXPECT_GT(legend.Height(), View().ContentHeight());
    EXPECT_LT(legend.Height(), 200);
    EXPECT_EQ(data.Height(), 200 - legend.Height());
  }
}

TEST_F(Legend, DrawsEachSampleInItsItemsColourInListOrder) {
  const std::vector<int> red = SampleRows(Red), blue = SampleRows(Blue), fuchsia = SampleRows(Fuchsia);
  ASSERT_EQ(red.size(), 1u);
  ASSERT_EQ(blue.size(), 1u);
  ASSERT_EQ(fuchsia.size(), 1u);
  EXPECT_EQ(blue[0] - red[0], View().RowHeight());
  EXPECT_EQ(fuchsia[0] - blue[0], View().RowHeight());
  // At the display's top edge the first caption is whole: its text does not reach the first row
  // of pixels, and is there below it.
  const QImage image = Expose(*Scope).scaled(300, 200);
  const auto whiteIn = [&](int y) {
    int count = 0;
    for (int x = Left(); x < 300; ++x) count += Rgb(image, x, y) == 0xFFFFFF;
    return count;
  };
  EXPECT_EQ(whiteIn(0), 0);
  EXPECT_GT(whiteIn(1) + whiteIn(2) + whiteIn(3), 0);
  // A cursor and a custom entry take the default sample in their colours, in later groups.
  Scope->Cursors()->AddCursor().SetColor(clAqua);
  TKvLegendGroupCollectionItem& custom = static_cast<TKvLegendGroupCollectionItem&>(View().CustomGroups()->Add());
  AddEntry(custom, clSilver);
  const std::vector<int> cursor = SampleRows(Aqua), item = SampleRows(Silver);
  ASSERT_EQ(cursor.size(), 1u);
  ASSERT_EQ(item.size(), 1u);
  EXPECT_GT(cursor[0], fuchsia[0] + View().RowHeight());
  EXPECT_GT(item[0], cursor[0] + View().RowHeight());
  EXPECT_EQ(custom.Items()->Item(0).Name(), "Item1");
}

TEST_F(Legend, FollowsTheMouseOverItsEntries) {
  View().ChannelLinks()->SetCursor(TCursor::crCross);
  const QPoint signal = Entry(Red), channel1 = Entry(Blue);
  const Qt::CursorShape own = Scope->cursor().shape();
  Move(signal.x(), signal.y());
  EXPECT_EQ(View().Channels()->HoveredIndex(), 0);
  EXPECT_EQ(Scope->cursor().shape(), Qt::PointingHandCursor);
  // Framed in the mouse-over colours: green inside, a lime border.
  QImage image = Expose(*Scope).scaled(300, 200);
  EXPECT_EQ(Rgb(image, Right() - 10, signal.y()), Green);
  EXPECT_EQ(Rgb(image, Left() + 4, signal.y()), Lime);
  EXPECT_EQ(Rgb(image, Right() - 10, channel1.y()), Black);

  Move(channel1.x(), channel1.y());
  EXPECT_EQ(View().Channels()->HoveredIndex(), 1);
  Move(10, 10);
  EXPECT_EQ(View().Channels()->HoveredIndex(), -1);
  EXPECT_EQ(Scope->cursor().shape(), own);

  Move(channel1.x(), channel1.y());
  Leave();
  EXPECT_EQ(View().Channels()->HoveredIndex(), -1);
  EXPECT_EQ(Scope->cursor().shape(), own);
  image = Expose(*Scope).scaled(300, 200);
  EXPECT_EQ(Rgb(image, Right() - 10, channel1.y()), Black);
}

TEST_F(Legend, AGroupShowsItsOwnCursorOverItsEntries) {
  View().Cursors()->SetCursor(TCursor::crCross);
  Scope->Cursors()->AddCursor().SetColor(clAqua);
  const QPoint signal = Entry(Red), cursor = Entry(Aqua);
  const Qt::CursorShape own = Scope->cursor().shape();
  // From one group's entry straight to another's, either way.
  for (int pass = 0; pass < 2; ++pass) {
    Move(cursor.x(), cursor.y());
    EXPECT_EQ(Scope->cursor().shape(), Qt::CrossCursor);
    Move(signal.x(), signal.y());
    EXPECT_EQ(Scope->cursor().shape(), Qt::PointingHandCursor);
  }
  Move(10, 10);
  EXPECT_EQ(Scope->cursor().shape(), own);
}

TEST_F(Legend, FramesTheEntryOfTheChannelUnderTheMouseInThePlot) {
  ShowValues(*Scope, 1, std::vector<double>(11, 0.0));
  const QPoint channel1 = Entry(Blue);
  const TKvRect data = Scope->DataView()->GetRect();
  Move((data.Left + data.Right) / 2, YAt(*Scope, 0));
  ASSERT_EQ(Scope->HoverChannel(), 1);
  EXPECT_EQ(Rgb(Expose(*Scope).scaled(300, 200), Right() - 10, channel1.y()), Green);
  Scope->Highlighting()->Channels()->SetHiglightLegendButton(false);
  EXPECT_EQ(Rgb(Expose(*Scope).scaled(300, 200), Right() - 10, channel1.y()), Black);
}

TEST_F(Legend, HoveringAChannelsEntryHighlightsItsTrace) {
  Scope->YAxis()->AutoScaling()->SetEnabled(false);
  Scope->YAxis()->Min()->SetValue(-100);
  Scope->YAxis()->Max()->SetValue(100);
  ShowValues(*Scope, 2, std::vector<double>(11, 0.0));
  const QPoint channel2 = Entry(Fuchsia);
  const TKvRect data = Scope->DataView()->GetRect();
  const int x = (data.Left + data.Right) / 2, y = YAt(*Scope, 0);
  const auto besideTheTrace = [&] { return Rgb(Expose(*Scope).scaled(300, 200), x, y - 1); };
  EXPECT_EQ(besideTheTrace(), Black);
  Move(channel2.x(), channel2.y());
  EXPECT_EQ(besideTheTrace(), Lime);
  Move(channel2.x(), 199);
  EXPECT_EQ(besideTheTrace(), Black);
  Scope->Highlighting()->Channels()->SetHiglightFromLegend(false);
  Move(channel2.x(), channel2.y());
  EXPECT_EQ(besideTheTrace(), Black);
}

// Forty custom entries, far more than the legend's 200 pixels show.
class LongLegend : public Legend {
protected:
  void SetUp() override {
    Legend::SetUp();
    auto& group = static_cast<TKvLegendGroupCollectionItem&>(View().CustomGroups()->Add());
    for (int i = 0; i < 40; ++i) group.Items()->Add();
    Expose(*Scope);
  }
  // The offset at which the content's end comes into view.
  int LastOffset() const {
    const int overflow = View().ContentHeight() + View().GetTop() - 200;
    return (overflow + TKvLegendView::ScrollStep - 1) / TKvLegendView::ScrollStep * TKvLegendView::ScrollStep;
  }
  QPoint DownButton() const { return {Right() - 10, View().GetTop() + View().GetHeight() - 10}; }
  QPoint UpButton() const { return {Right() - 10, View().GetTop() + 8}; }
  // Pixels of `colour` in the 16 × 16 cell around a button's point.
  int PixelsOfButton(QPoint button, uint32_t colour) {
    const QImage image = Expose(*Scope).scaled(300, 200);
    int count = 0;
    for (int y = button.y() - 8; y < button.y() + 8; ++y)
      for (int x = button.x() - 8; x < button.x() + 8; ++x) count += Rgb(image, x, y) == colour;
    return count;
  }
};

TEST_F(LongLegend, HoldingTheDownButtonScrollsAtOnceThenAfter400msThenEvery50ms) {
  ASSERT_GT(LastOffset(), 30);
  const QPoint down = DownButton();
  Move(down.x(), down.y());
  EXPECT_EQ(View().HotButton(), TKvLegendView::THotButton::Down);
  SendMouse(*Scope, QEvent::MouseButtonPress, down.x(), down.y());
  EXPECT_EQ(View().ScrollOffset(), 10);
  TKvRepeatTimer& timer = View().RepeatTimer();
  EXPECT_TRUE(timer.Active());
  EXPECT_EQ(timer.Interval(), 400);
  timer.Fire();
  EXPECT_EQ(View().ScrollOffset(), 20);
  EXPECT_EQ(timer.Interval(), 50);
  while (View().ScrollOffset() < LastOffset()) {
    const int before = View().ScrollOffset();
    timer.Fire();
    ASSERT_EQ(View().ScrollOffset(), before + 10);
  }
  // The end is in view: the button has nothing left to do.
  timer.Fire();
  EXPECT_EQ(View().ScrollOffset(), LastOffset());
  EXPECT_EQ(View().HotButton(), TKvLegendView::THotButton::None);
  SendMouse(*Scope, QEvent::MouseButtonRelease, down.x(), down.y());
  EXPECT_FALSE(timer.Active());

  // The up button takes the legend back to its start.
  const QPoint up = UpButton();
  Move(up.x(), up.y());
  SendMouse(*Scope, QEvent::MouseButtonPress, up.x(), up.y());
  while (View().ScrollOffset() > 0) timer.Fire();
  SendMouse(*Scope, QEvent::MouseButtonRelease, up.x(), up.y());
  EXPECT_EQ(View().ScrollOffset(), 0);
}

TEST_F(LongLegend, ShowsItsScrollButtonsOnlyWhileTheMouseIsOverIt) {
  EXPECT_EQ(PixelsOfButton(DownButton(), Yellow), 0);
  Move(10, 10);
  EXPECT_EQ(PixelsOfButton(DownButton(), Yellow), 0);
  Move(Left() + 40, 100);
  EXPECT_GT(PixelsOfButton(DownButton(), Yellow), 0);
  // At the start the up button is drawn disabled: green, with no yellow glyph.
  EXPECT_EQ(PixelsOfButton(UpButton(), Yellow), 0);
  EXPECT_GT(PixelsOfButton(UpButton(), Green), 0);
}

TEST_F(LongLegend, TheWheelScrollsWithinTheContentAndTheEntryUnderTheMouseFollows) {
  const QPoint point{Left() + 40, 100};
  Move(point.x(), point.y());
  const TKvBasicLegendGroup& channels = *View().Channels();
  Wheel(point.x(), point.y(), -120);
  EXPECT_EQ(View().ScrollOffset(), 10);
  // The wheel finds the entry now under the mouse as a move there does.
  const TKvBasicLegendGroup& custom = *View().CustomGroups()->Group(0).LegendGroup();
  const int afterWheel = custom.HoveredIndex();
  EXPECT_GE(afterWheel, 0);
  Move(point.x(), point.y());
  EXPECT_EQ(custom.HoveredIndex(), afterWheel);
  EXPECT_EQ(channels.HoveredIndex(), -1);
  Wheel(point.x(), point.y(), 120);
  Wheel(point.x(), point.y(), 120);
  EXPECT_EQ(View().ScrollOffset(), 0);
  for (int i = 0; i < 100; ++i) Wheel(point.x(), point.y(), -120);
  EXPECT_EQ(View().ScrollOffset(), LastOffset());
}

// A click on an entry: its group's OnItemClick, then the property dialog unless the handler took
// the click or the group is a custom one.
TEST_F(Legend, AClickRaisesTheGroupsEventThenOpensTheDialog) {
  auto& custom = static_cast<TKvLegendGroupCollectionItem&>(View().CustomGroups()->Add());
  AddEntry(custom, clSilver);
  struct TCase {
    TKvBasicLegendGroup* Group;
    uint32_t Colour;
    bool Take;
    std::vector<std::pair<int, int>> Dialogs;
  };
  const std::vector<TCase> cases = {{View().Channels(), Blue, false, {{0, 1}}},
                                    {View().Channels(), Blue, true, {}},
                                    {custom.LegendGroup(), Silver, false, {}}};
  for (const TCase& c : cases) {
    Scope->Dialogs.clear();
    std::vector<int> clicked;
    c.Group->OnItemClick = [&](TObject* sender, int index, bool& handled) {
      EXPECT_EQ(sender, c.Group);
      EXPECT_EQ(c.Group->PressedIndex(), index);
      clicked.push_back(index);
      handled = c.Take;
    };
    const QPoint entry = Entry(c.Colour);
    Click(entry.x(), entry.y());
    EXPECT_EQ(clicked, std::vector<int>{c.Colour == Blue ? 1 : 0});
    EXPECT_EQ(Scope->Dialogs, c.Dialogs);
    EXPECT_EQ(c.Group->PressedIndex(), -1);
  }
}

TEST_F(Legend, WithItsButtonsDisabledItNeitherFollowsTheMouseNorTakesClicks) {
  View().Buttons()->SetEnabled(false);
  bool clicked = false;
  View().Channels()->OnItemClick = [&](TObject*, int, bool&) { clicked = true; };
  const QPoint signal = Entry(Red);
  Click(signal.x(), signal.y());
  EXPECT_EQ(View().Channels()->HoveredIndex(), -1);
  EXPECT_FALSE(clicked);
  EXPECT_TRUE(Scope->Dialogs.empty());
}

// Each kind of item deleted by the handler of its own entry's click: no stale entry is left for
// the dialog, the paint or the next move.
TEST_F(Legend, AnItemDeletedByItsOwnClickHandlerLeavesNothingBehind) {
  Scope->Cursors()->AddCursor().SetColor(clAqua);
  auto& custom = static_cast<TKvLegendGroupCollectionItem&>(View().CustomGroups()->Add());
  AddEntry(custom, clSilver);
  auto& doomedGroup = static_cast<TKvLegendGroupCollectionItem&>(View().CustomGroups()->Add());
  AddEntry(doomedGroup, clPurple);
  struct TCase {
    TKvBasicLegendGroup* Group;
    uint32_t Colour;
    std::function<void()> Delete;
  };
  const std::vector<TCase> cases = {
      {View().Channels(), Blue, [&] { Scope->Channels()->Delete(1); }},
      {View().Cursors(), Aqua, [&] { Scope->Cursors()->Delete(0); }},
      {custom.LegendGroup(), Silver, [&] { custom.Items()->Delete(0); }},
      {doomedGroup.LegendGroup(), Purple, [&] { View().CustomGroups()->Delete(1); }},
  };
  for (const TCase& c : cases) {
    c.Group->OnItemClick = [&](TObject*, int, bool&) { c.Delete(); };
    const QPoint entry = Entry(c.Colour);
    Click(entry.x(), entry.y());
    EXPECT_TRUE(SampleRows(c.Colour).empty()) << std::hex << c.Colour;
    Move(entry.x(), entry.y());
  }
  EXPECT_TRUE(Scope->Dialogs.empty());
  EXPECT_EQ(View().Groups().size(), 8u);
}

TEST_F(Legend, CustomGroupsAndOlderButtonSettingsInTheLayout) {
  const std::string layout =
      "object KvScope1: TKvScope\n  Legend.CustomGroups = <\n    item\n      LegendGroup.Caption.Text = 'Mine'\n"
      "      Items = <\n        item\n          Name = 'First'\n          Pen.Color = clBlue\n        end\n"
      "        item\n          Name = 'Second'\n        end>\n    end>\n"
      "  Legend.ButtonsEnabled = False\n  Legend.MouseOverButtonColor = clAqua\n"
      "  Legend.MouseDownBorderColor = 255\nend\n";
  TPtr<TKvScope> scope(new TKvScope(nullptr));
  TLayoutReader::ReadRoot(*scope, layout);
  TKvScopeLegendView& legend = *scope->Legend();
  ASSERT_EQ(legend.CustomGroups()->Count(), 1);
  const TKvLegendGroupCollectionItem& group = legend.CustomGroups()->Group(0);
  EXPECT_EQ(group.LegendGroup()->CaptionText(), "Mine");
  ASSERT_EQ(group.Items()->Count(), 2);
  EXPECT_EQ(group.Items()->Item(0).Pen()->Color(), clBlue);
  EXPECT_EQ(group.Items()->Item(1).Name(), "Second");
  EXPECT_EQ(legend.Groups().back(), group.LegendGroup());
  EXPECT_FALSE(legend.Buttons()->Enabled());
  EXPECT_EQ(legend.Buttons()->MouseOverColor(), clAqua);
  EXPECT_EQ(legend.Buttons()->MouseDownBorderColor(), clRed);

  const std::string written = TLayoutWriter::WriteRoot(*scope);
  TPtr<TKvScope> again(new TKvScope(nullptr));
  TLayoutReader::ReadRoot(*again, written);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*again), written);
  EXPECT_NE(written.find("Buttons.Enabled = False"), std::string::npos);
  EXPECT_EQ(written.find("ButtonsEnabled"), std::string::npos);
}

TEST(WaterfallLegend, ListsTheMarkerGroups) {
  TPtr<TRefreshing<TKvWaterfall>> waterfall(new TRefreshing<TKvWaterfall>(nullptr));
  waterfall->SetBounds(0, 0, 300, 200);
  Expose(*waterfall);
  EXPECT_FALSE(waterfall->Legend()->IsActive());
  waterfall->MarkerGroups()->Add();
  waterfall->MarkerGroups()->Add();
  Expose(*waterfall);
  ASSERT_TRUE(waterfall->Legend()->IsActive());
  EXPECT_EQ(waterfall->Legend()->MarkerGroups()->GetItemCount(), 2);
  EXPECT_EQ(waterfall->Legend()->MarkerGroups()->CaptionText(), "Marker Groups");
  EXPECT_LE(waterfall->DataView()->GetRect().Right, waterfall->Legend()->GetRect().Left);
  waterfall->MarkerGroups()->Delete(0);
  EXPECT_EQ(waterfall->Legend()->MarkerGroups()->GetItemCount(), 1);
}

}  // namespace
