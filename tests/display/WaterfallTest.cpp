// The waterfall as a control: rows through its pin from another thread, the refresh, hold and
// start, the value under a pixel and its hit point, and the picture and level scale it paints.
#include "DisplayTestKit.h"
#include "buffers/KvSimpleDataBuffer.h"
#include "display/KvDisplayToolBar.h"
#include "display/KvWaterfall.h"
#include "pins/LkOperations.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

namespace {

class TTestWaterfall : public TKvWaterfall {
public:
  using TKvWaterfall::TKvWaterfall;
  // What the refresh timer does, at once.
  void Refresh() {
    bool redraw = false;
    {
      const TLkLockSection section = DataLock().WriteLock();
      redraw = section && RefreshData();
    }
    if (redraw) Redraw();
  }
};

using TWaterfallPtr = TPtr<TTestWaterfall>;
using TComponentPtr = std::unique_ptr<TComponent, TComponentDeleter>;

// Only the data view (and the level scale when asked), `samples` rows of history.
TWaterfallPtr Waterfall(int width, int height, int samples, bool levels = false) {
  TWaterfallPtr waterfall(new TTestWaterfall(nullptr));
  waterfall->SetBounds(0, 0, width, height);
  for (TKvOptionalView* view :
       std::initializer_list<TKvOptionalView*>{waterfall->Title(), waterfall->XAxis(), waterfall->YAxis()})
    view->SetVisible(false);
  waterfall->Levels()->SetVisible(levels);
  waterfall->XAxis()->SetSamples(samples);
  return waterfall;
}

// A row of `bins` values: a tone at `bin` of height `peak` over a floor of 1.
std::vector<double> Spectrum(int bins, int bin, double peak) {
  std::vector<double> values(size_t(bins), 1.0);
  values[size_t(bin)] = peak;
  return values;
}

TRef<IKvRealBuffer> Reals(const std::vector<double>& values) {
  return MakeRef<TKvRealBuffer>(values.data(), uint32_t(values.size()));
}

// A real source linked to the waterfall's pin.
struct TFeed {
  explicit TFeed(TKvWaterfall& waterfall) { EXPECT_TRUE(waterfall.InputPin()->Connect(Source.get())); }
  TComponentPtr Owner{new TComponent(nullptr)};
  TLkPinPtr<TKvLkRealSourcePin> Source{new TKvLkRealSourcePin(Owner.get(), nullptr)};
};

TEST(Waterfall, RowsFromAnotherThreadShowAtTheNextRefresh) {
  TWaterfallPtr waterfall = Waterfall(64, 40, 16);
  TFeed feed(*waterfall);
  TKvLkRealSourcePin* source = feed.Source.get();
  const QImage empty = Expose(*waterfall);
  std::atomic<bool> done{false};
  std::thread clock([&] {
    source->Notify(*MakeRef<TLkStartSpectrumOperation>(44100.0));
    for (int i = 0; i < 400; ++i) source->SendBuffer(Reals(Spectrum(8, i % 8, 100 + i)));
    done = true;
  });
  // The window thread refreshes, paints, holds and asks for values meanwhile.
  for (int i = 0; !done; ++i) {
    waterfall->SetZoomHold(i % 7 == 3);
    waterfall->Refresh();
    Expose(*waterfall);
    waterfall->ValueAt(10, 10);
  }
  clock.join();
  waterfall->SetZoomHold(false);
  waterfall->Refresh();
  EXPECT_NE(Expose(*waterfall), empty);
  EXPECT_EQ(waterfall->RowCount(), 16);
  EXPECT_EQ(waterfall->LevelMax(), 499);
  // The refresh that takes a row marks the picture for painting again.
  EXPECT_FALSE(waterfall->BitmapDirty());
  source->SendBuffer(Reals(Spectrum(8, 0, 1)));
  waterfall->Refresh();
  EXPECT_TRUE(waterfall->BitmapDirty());
  EXPECT_TRUE(waterfall->IsSpectrum());
  EXPECT_EQ(waterfall->StreamRate(), 44100);
  // The bin axis labels frequencies in kilohertz up to half the rate.
  EXPECT_DOUBLE_EQ(waterfall->YAxis()->GetUnitMax(), 22.05);
}

TEST(Waterfall, IntegerAndRealRowsGiveTheSamePicture) {
  TWaterfallPtr reals = Waterfall(80, 50, 10), integers = Waterfall(80, 50, 10);
  TComponentPtr owner(new TComponent(nullptr));
  TLkPinPtr<TKvLkRealSourcePin> realSource(new TKvLkRealSourcePin(owner.get(), nullptr));
  TLkPinPtr<TKvLkIntegerSourcePin> integerSource(new TKvLkIntegerSourcePin(owner.get(), nullptr));
  ASSERT_TRUE(reals->InputPin()->Connect(realSource.get()));
  ASSERT_TRUE(integers->InputPin()->Connect(integerSource.get()));
  for (int i = 0; i < 7; ++i) {
    std::vector<int32_t> values(12);
    for (int j = 0; j < 12; ++j) values[size_t(j)] = (i * 37 + j * 11) % 50 - 10;
    const std::vector<double> asReals(values.begin(), values.end());
    realSource->SendBuffer(Reals(asReals));
    TRef<TKvIntegerBuffer> buffer = MakeRef<TKvIntegerBuffer>(12u);
    std::copy(values.begin(), values.end(), buffer->WriteData());
    integerSource->SendBuffer(buffer);
  }
  reals->Refresh();
  integers->Refresh();
  EXPECT_EQ(integers->RowCount(), 7);
  EXPECT_EQ(Expose(*integers), Expose(*reals));
}

TEST(Waterfall, AStartClearsThePicture) {
  TWaterfallPtr waterfall = Waterfall(40, 30, 8);
  const QImage empty = Expose(*waterfall);
  for (int i = 0; i < 5; ++i) waterfall->AppendRow(Reals(Spectrum(6, i, 50)));
  waterfall->Refresh();
  EXPECT_NE(Expose(*waterfall), empty);
  TFeed feed(*waterfall);
  feed.Source->Notify(*MakeRef<TLkStartOperation>());
  waterfall->Refresh();
  EXPECT_EQ(Expose(*waterfall), empty);
  EXPECT_EQ(waterfall->RowCount(), 0);
  EXPECT_EQ(waterfall->RowsRemoved(), 0u);
  EXPECT_EQ(waterfall->StreamRate(), 10000);
  EXPECT_FALSE(waterfall->IsSpectrum());
}

TEST(Waterfall, RowsWaitWhileHeldAndAStartMeanwhileEmptiesTheHistoryFirst) {
  TWaterfallPtr waterfall = Waterfall(40, 30, 4);
  waterfall->AppendRow(Reals({1, 2}));
  waterfall->SetZoomHold(true);
  const QImage held = Expose(*waterfall);
  for (int i = 0; i < 6; ++i) waterfall->AppendRow(Reals({double(i), 9}));
  waterfall->Refresh();
  EXPECT_EQ(Expose(*waterfall), held);
  EXPECT_EQ(waterfall->RowCount(), 1);
  waterfall->Reset(8000, false);
  waterfall->AppendRow(Reals({5, 5}));
  waterfall->AppendRow(Reals({6, 6}));
  EXPECT_EQ(waterfall->RowCount(), 1);
  waterfall->SetZoomHold(false);
  // The start emptied the history; only what came after it is kept.
  EXPECT_EQ(waterfall->RowCount(), 2);
  EXPECT_EQ(waterfall->LevelMax(), 6);
  EXPECT_EQ(waterfall->LevelMin(), 5);
}

TEST(Waterfall, WithHoldsBetweenBurstsThePictureEqualsOneDrawnFromScratch) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> value(0, 100);
  const int samples = 20;
  // A fixed level range, so that paints scroll instead of redrawing for moved extremes.
  const auto make = [] {
    TWaterfallPtr waterfall = Waterfall(60, 40, samples);
    waterfall->Levels()->Axis()->SetAutoscale(false);
    waterfall->Levels()->Axis()->SetMax(100);
    return waterfall;
  };
  TWaterfallPtr waterfall = make();
  std::vector<TRef<IKvRealBuffer>> rows;
  for (int step = 0; step < 60; ++step) {
    waterfall->SetZoomHold(random() % 4 == 0);
    const int burst = step % 13 == 12 ? 30 : int(random() % 5);
    for (int i = 0; i < burst; ++i) {
      std::vector<double> values(6 + random() % 3);
      for (double& v : values) v = value(random);
      rows.push_back(Reals(values));
      waterfall->AppendRow(rows.back());
    }
    waterfall->Refresh();
    Expose(*waterfall);
    if (waterfall->ZoomHold()) continue;
    // The same last rows, drawn whole by a waterfall that never scrolled.
    TWaterfallPtr fresh = make();
    for (size_t i = rows.size() > samples ? rows.size() - samples : 0; i < rows.size(); ++i) fresh->AppendRow(rows[i]);
    fresh->Refresh();
    Expose(*fresh);
    ASSERT_EQ(waterfall->DataView()->Picture().Image(), fresh->DataView()->Picture().Image()) << "step " << step;
  }
}

TEST(Waterfall, RowsKeptAsideDuringADragJoinWhenItEnds) {
  TWaterfallPtr waterfall = Waterfall(40, 30, 4);
  waterfall->SetDragInProgress(true);
  waterfall->AppendRow(Reals({1, 2}));
  waterfall->Refresh();
  EXPECT_EQ(waterfall->RowCount(), 0);
  waterfall->SetDragInProgress(false);
  waterfall->Refresh();
  EXPECT_EQ(waterfall->RowCount(), 1);
}

TEST(Waterfall, ValueUnderAPixelChecksTheRowsOwnLength) {
  // Four rows over a 40 × 40 data view: each row takes 10 pixels across, each of 4 bins 10 down.
  TWaterfallPtr waterfall = Waterfall(41, 41, 4);
  waterfall->AppendRow(Reals({1, 2, 3, 4}));
  waterfall->AppendRow(Reals({5, 6}));  // shorter than the picture is high
  waterfall->Refresh();
  Expose(*waterfall);
  const struct {
    int X, Y;
    double Value;
  } cases[] = {
      {5, 35, 1},
      {5, 5, 4},
      {15, 35, 5},
      {15, 25, 6},
      {15, 5, TKvBasicWaterfall::NoValue},   // bin 3 of a row of two
      {25, 35, TKvBasicWaterfall::NoValue},  // no row there yet
      {-3, 5, TKvBasicWaterfall::NoValue},   // outside the data view
  };
  for (const auto& c : cases) EXPECT_EQ(waterfall->ValueAt(c.X, c.Y), c.Value) << c.X << ", " << c.Y;
  EXPECT_EQ(waterfall->HitLabel("%Z", 15, 25), "6.00");
}

TEST(Waterfall, TheHitPointMarksTheValueUnderTheMouseInItsColour) {
  // Rows of 0, 2 and 2 over a 200 × 100 data view, 50 pixels across each; no row yet right of
  // x = 150. The picture is of one colour over the last two rows.
  TWaterfallPtr waterfall = Waterfall(201, 101, 4);
  // It shows while the mouse is over the display, over the very pixels looked at.
  waterfall->ToolBar()->SetVisible(false);
  for (const double value : {0.0, 2.0, 2.0}) waterfall->AppendRow(Reals({value, value, value, value}));
  waterfall->Refresh();
  Expose(*waterfall);
  std::vector<std::string> shown;
  waterfall->OnDataToolTip = [&](TObject*, QPoint, const std::string& text, TKvRealPoint) { shown.push_back(text); };
  const auto move = [&](int x, int y) {
    QMouseEvent event(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(waterfall.get(), &event);
  };
  move(125, 60);
  QImage image = Expose(*waterfall);
  // The mark's outline in the colour the picture gives the value, filled with the display's colour.
  EXPECT_EQ(Rgb(image, 123, 58), Rgb(image, 125, 90));
  EXPECT_NE(Rgb(image, 123, 58), 0u);
  EXPECT_EQ(Rgb(image, 125, 60), 0u);
  EXPECT_EQ(Rgb(waterfall->RenderImage(), 125, 60), Rgb(image, 125, 90)) << "a copy leaves it out";
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], waterfall->HitLabel("", 125, 60));
  EXPECT_TRUE(shown[0].ends_with(" : " + waterfall->Levels()->ValueText(2))) << shown[0];
  waterfall->Highlighting()->MouseHitPoint()->SetUseChannelColor(false);
  EXPECT_EQ(Rgb(Expose(*waterfall), 123, 58), 0x00FF00u) << "in its own colour";
  // Where no row is there is nothing to mark.
  move(175, 60);
  image = Expose(*waterfall);
  EXPECT_EQ(Rgb(image, 173, 58), Rgb(image, 173, 90));
  EXPECT_EQ(Rgb(image, 175, 60), Rgb(image, 175, 90));
  EXPECT_EQ(shown.size(), 2u);
}

TEST(Waterfall, FewerSamplesTrimTheHistoryAndCountTheRowsThatLeft) {
  TWaterfallPtr waterfall = Waterfall(40, 30, 10);
  for (int i = 0; i < 10; ++i) waterfall->AppendRow(Reals({double(i)}));
  waterfall->XAxis()->SetSamples(3);
  EXPECT_EQ(waterfall->RowCount(), 3);
  EXPECT_EQ(waterfall->RowsRemoved(), 7u);
  EXPECT_EQ(waterfall->LevelMin(), 7);
  waterfall->Refresh();
  Expose(*waterfall);
  EXPECT_EQ(waterfall->ValueAt(2, 10), 7);
}

TEST(Waterfall, EqualBinAxisEndsStillShowTheWholePicture) {
  TWaterfallPtr waterfall = Waterfall(40, 30, 4);
  for (int i = 0; i < 4; ++i) waterfall->AppendRow(Reals(Spectrum(5, i, 9)));
  waterfall->Refresh();
  const QImage normal = Expose(*waterfall);
  waterfall->YAxis()->SetTicks(3, 3);
  EXPECT_EQ(Expose(*waterfall), normal);
}

TEST(Waterfall, TheLevelScaleRunsFromHalfPurpleAtTheTopToBlack) {
  TWaterfallPtr waterfall = Waterfall(300, 200, 64, true);
  waterfall->Levels()->Axis()->SetVisible(false);
  waterfall->Levels()->LevelLabel()->SetVisible(false);
  const QImage image = Expose(*waterfall);
  const TKvRect bar = waterfall->Levels()->ViewRect(), data = waterfall->DataView()->ViewRect();
  const int x = bar.Left + 2 + waterfall->Levels()->BarWidth() / 2;
  const int length = data.Height() - 1;
  EXPECT_EQ(Rgb(image, x, data.Top), 0xFF0080u);
  EXPECT_EQ(Rgb(image, x, data.Top + length), 0x000000u);
  // The middle line is the palette's middle, lime with a little blue.
  EXPECT_EQ(Rgb(image, x, data.Top + length / 2),
            BuiltInLevelColor(BuiltInLevelIndex(length, length - length / 2)) & 0xFFFFFF);
  // With no rows the range is the scale's own, 0 … 1000; a row from 10 to 20 becomes the range.
  EXPECT_EQ(waterfall->LevelMax(), 1000);
  waterfall->AppendRow(Reals({10, 20}));
  EXPECT_EQ(waterfall->LevelMax(), 20);
  EXPECT_EQ(waterfall->LevelMin(), 10);
  waterfall->Levels()->Axis()->SetAutoscale(false);
  EXPECT_EQ(waterfall->LevelMax(), 1000);
}

TEST(Waterfall, TheLevelScaleMarksTheValueUnderTheMouse) {
  TWaterfallPtr waterfall = Waterfall(200, 101, 4, true);
  TKvWaterfallDisplayLevelView& levels = *waterfall->Levels();
  levels.Axis()->SetVisible(false);
  levels.LevelLabel()->SetVisible(false);
  levels.Axis()->SetAutoscale(false);
  levels.Axis()->SetMax(100);
  waterfall->AppendRow(Reals({25, 25, 25, 25}));
  waterfall->Refresh();
  Expose(*waterfall);
  const TKvRect data = waterfall->DataView()->ViewRect(), view = levels.ViewRect();
  QMouseEvent move(QEvent::MouseMove, QPointF(data.Left + 5, data.Top + 50), QPointF(data.Left + 5, data.Top + 50),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(waterfall.get(), &move);
  EXPECT_EQ(levels.TrackedValue(), 25);
  const QImage image = Expose(*waterfall);
  // A quarter up the bar, in the tracking colour where the bar leaves it room.
  const int length = data.Height() - 1;
  const int y = data.Top + length - int(std::nearbyint(0.25 * length));
  const int x = view.Left + 2 + levels.BarWidth();
  EXPECT_EQ(Rgb(image, x, y), 0xFF0000u);
  EXPECT_NE(Rgb(image, x, y - 2), 0xFF0000u);
}

}  // namespace
