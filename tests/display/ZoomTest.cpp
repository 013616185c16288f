// Zooming a display: the gesture in the data view, the wheel, the keys, the history and the
// operations, on a 450 × 280 data view showing X [0, 1024] and Y [-1000, 1000].
#include "DisplayTestKit.h"
#include "display/KvDisplayLayout.h"
#include "display/KvWaterfall.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr int Width = 450, Height = 280;

// 1025 samples, so that X runs from 0 to 1024.
class TZoomChart : public TTestChart {
public:
  using TTestChart::TTestChart;

protected:
  int LargestSampleCount() const override { return 1025; }
};

struct TWindow {
  double XMin, XMax, YMin, YMax;
};

class ZoomFixture : public testing::Test {
public:
  // The chart of every test here, reporting its zoom events into `events`.
  static void Prepare(TZoomChart& chart, std::vector<TKvZoomOperation>& events) {
    chart.SetBounds(0, 0, Width, Height);
    HideViews(chart);
    chart.YAxis()->AutoScaling()->SetEnabled(false);
    chart.YAxis()->Min()->SetValue(-1000);
    chart.YAxis()->Max()->SetValue(1000);
    chart.Refresh();
    LayoutViews(chart.Views(), Width, Height);
    chart.OnZoomChanged = [&events](TObject*, TKvZoomOperation operation, const TKvRealRanges&) {
      events.push_back(operation);
    };
  }

protected:
  ZoomFixture() { Prepare(*Chart, Events); }

  void Mouse(QEvent::Type type, int x, int y) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(x, y), QPointF(x, y), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(Chart.get(), &event);
  }
  void Drag(QPoint from, QPoint to) {
    Mouse(QEvent::MouseButtonPress, from.x(), from.y());
    Mouse(QEvent::MouseMove, to.x(), to.y());
    Mouse(QEvent::MouseButtonRelease, to.x(), to.y());
  }
  // One notch; up zooms in.
  void Wheel(int x, int y, bool up) {
    QWheelEvent event(QPointF(x, y), QPointF(x, y), QPoint(), QPoint(0, up ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(Chart.get(), &event);
  }
  void Key(Qt::Key key, const char* text) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(Chart.get(), &event);
  }
  void LoseFocus() {
    QFocusEvent event(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(Chart.get(), &event);
  }
  TWindow Visible() const {
    return {Chart->XAxis()->GetVisibleMin(), Chart->XAxis()->GetVisibleMax(), Chart->YAxis()->GetVisibleMin(),
            Chart->YAxis()->GetVisibleMax()};
  }
  void ExpectWindow(const TWindow& expected) const {
    const TWindow shown = Visible();
    EXPECT_NEAR(shown.XMin, expected.XMin, 1e-9);
    EXPECT_NEAR(shown.XMax, expected.XMax, 1e-9);
    EXPECT_NEAR(shown.YMin, expected.YMin, 1e-9);
    EXPECT_NEAR(shown.YMax, expected.YMax, 1e-9);
  }

  TPtr<TZoomChart> Chart{new TZoomChart(nullptr)};
  std::vector<TKvZoomOperation> Events;
  const TWindow Start{0, 1024, -1000, 1000};
};

TEST_F(ZoomFixture, TheDataViewIsTheWholeDisplayWithTheGivenRanges) {
  const TKvRect view = Chart->DataView()->GetRect();
  EXPECT_EQ(view.Left, 0);
  EXPECT_EQ(view.Top, 0);
  EXPECT_EQ(view.Right, Width);
  EXPECT_EQ(view.Bottom, Height);
  ExpectWindow(Start);
}

class ZoomGestures;

// What a sequence of input leaves: history, events, hold, zoom.
struct TGestureCase {
  const char* Name;
  std::function<void(ZoomGestures&)> Act;
  size_t Undo;
  size_t Redo;
  std::vector<TKvZoomOperation> Events;
  bool Held;
  bool Zoomed;
};

class ZoomGestures : public ZoomFixture, public testing::WithParamInterface<TGestureCase> {
public:
  // The fixture's helpers for the table's actions.
  using ZoomFixture::Drag;
  using ZoomFixture::Key;
  using ZoomFixture::LoseFocus;
  using ZoomFixture::Mouse;
  using ZoomFixture::Wheel;
  TZoomChart& Display() { return *Chart; }
};

TEST_P(ZoomGestures, LeaveTheirTrace) {
  GetParam().Act(*this);
  EXPECT_EQ(Chart->UndoList().Count(), GetParam().Undo);
  EXPECT_EQ(Chart->RedoList().Count(), GetParam().Redo);
  EXPECT_EQ(Events, GetParam().Events);
  EXPECT_EQ(Chart->ZoomHold(), GetParam().Held);
  EXPECT_EQ(Chart->IsZoomed(), GetParam().Zoomed);
  EXPECT_FALSE(Chart->DragInProgress());
}

using Op = TKvZoomOperation;
INSTANTIATE_TEST_SUITE_P(
    Table, ZoomGestures,
    testing::Values(
        TGestureCase{"Drag",
                     [](ZoomGestures& t) {
                       t.Drag({100, 50}, {200, 150});
                     },
                     1,
                     0,
                     {Op::zoZoom},
                     true,
                     true},
        TGestureCase{"ClickWithoutMove",
                     [](ZoomGestures& t) {
                       t.Mouse(QEvent::MouseButtonPress, 100, 50);
                       t.Mouse(QEvent::MouseButtonRelease, 100, 50);
                     },
                     0,
                     0,
                     {},
                     false,
                     false},
        TGestureCase{"DragShorterThanFivePixels",
                     [](ZoomGestures& t) {
                       t.Drag({100, 50}, {96, 54});
                     },
                     0,
                     0,
                     {},
                     false,
                     false},
        TGestureCase{"ThreeWheelSteps",
                     [](ZoomGestures& t) {
                       for (int i = 0; i < 3; ++i) t.Wheel(300, 70, true);
                     },
                     1,
                     0,
                     {Op::zoMouseWheel, Op::zoMouseWheel, Op::zoMouseWheel},
                     false,
                     true},
        TGestureCase{"PlusThenMinus",
                     [](ZoomGestures& t) {
                       t.Key(Qt::Key_Plus, "+");
                       t.Key(Qt::Key_Minus, "-");
                     },
                     2,
                     0,
                     {Op::zoZoom, Op::zoZoom},
                     false,
                     true},
        TGestureCase{"TwoZoomOffs",
                     [](ZoomGestures& t) {
                       t.Display().ZoomOff();
                       t.Display().ZoomOff();
                     },
                     1,
                     0,
                     {Op::zoZoomOff, Op::zoZoomOff},
                     false,
                     false},
        TGestureCase{
            "ZoomPreviousOnEmptyUndo", [](ZoomGestures& t) { t.Display().ZoomPrevious(); }, 0, 1, {}, false, false},
        TGestureCase{"ZoomOffKeepsTheHold",
                     [](ZoomGestures& t) {
                       t.Drag({100, 50}, {200, 150});
                       t.Display().ZoomOff();
                     },
                     2,
                     0,
                     {Op::zoZoom, Op::zoZoomOff},
                     true,
                     false},
        TGestureCase{"UndoThenRedo",
                     [](ZoomGestures& t) {
                       t.Drag({100, 50}, {200, 150});
                       t.Display().ZoomPrevious();
                       t.Display().ZoomNext();
                     },
                     1,
                     0,
                     {Op::zoZoom, Op::zoUndo, Op::zoRedo},
                     true,
                     true},
        TGestureCase{"FocusLostMidDrag",
                     [](ZoomGestures& t) {
                       t.Mouse(QEvent::MouseButtonPress, 100, 50);
                       t.Mouse(QEvent::MouseMove, 200, 150);
                       t.LoseFocus();
                       t.Mouse(QEvent::MouseButtonRelease, 200, 150);
                     },
                     0,
                     0,
                     {},
                     false,
                     false},
        TGestureCase{"MoveWithoutTheButtonEndsTheDrag",
                     [](ZoomGestures& t) {
                       t.Mouse(QEvent::MouseButtonPress, 100, 50);
                       t.Mouse(QEvent::MouseMove, 200, 150);
                       QMouseEvent free(QEvent::MouseMove, QPointF(210, 160), QPointF(210, 160), Qt::NoButton,
                                        Qt::NoButton, Qt::NoModifier);
                       QApplication::sendEvent(&t.Display(), &free);
                     },
                     0,
                     0,
                     {},
                     false,
                     false},
        TGestureCase{"PanOneStep",
                     [](ZoomGestures& t) {
                       t.Display().SetNavigateMode(TKvDisplayNavigateMode::nmPan);
                       t.Drag({200, 100}, {300, 100});
                     },
                     1,
                     0,
                     {Op::zoZoom},
                     false,
                     true}),
    [](const testing::TestParamInfo<TGestureCase>& info) { return info.param.Name; });

TEST_F(ZoomFixture, ADragGivesTheWindowOfTheMarkedPixels) {
  Drag({100, 50}, {200, 150});
  // X: [min + (p1 - a) s, min + (p2 + 1 - a) s] with s = 1024 / 450.
  // Y: [min + (b - 2 - p2) s, max - (p1 - a) s] with s = 2000 / 280.
  const double sx = 1024.0 / 450, sy = 2000.0 / 280;
  ExpectWindow({100 * sx, 201 * sx, -1000 + 128 * sy, 1000 - 50 * sy});
}

TEST_F(ZoomFixture, ADragMarkedBackwardsGivesTheSameWindow) {
  Drag({200, 150}, {100, 50});
  const double sx = 1024.0 / 450, sy = 2000.0 / 280;
  ExpectWindow({100 * sx, 201 * sx, -1000 + 128 * sy, 1000 - 50 * sy});
}

TEST_F(ZoomFixture, AReversedAxisZoomsTheRegionTheUserMarked) {
  Chart->XAxis()->SetReversed(true);
  Chart->YAxis()->SetReversed(true);
  LayoutViews(Chart->Views(), Width, Height);
  Drag({100, 50}, {200, 150});
  // X now falls from 1024 at the left: pixels 100 … 200 show 1024 - 201 s … 1024 - 100 s.
  // Y now rises downwards: pixels 50 … 150 show -1000 + 50 s … -1000 + 150 s.
  const double sx = 1024.0 / 450, sy = 2000.0 / 280;
  ExpectWindow({(450 - 1 - 200) * sx, (450 - 100) * sx, -1000 + 50 * sy, -1000 + 150 * sy});
}

TEST_F(ZoomFixture, OnALogarithmicAxisTheWindowIsWhatWasDrawnAtTheMarkedPixels) {
  Chart->YAxis()->Min()->SetValue(1);
  Chart->YAxis()->Max()->SetValue(10000);
  Chart->YAxis()->SetScaleMode(TKvScaleMode::smLogarithmic);
  LayoutViews(Chart->Views(), Width, Height);
  const TKvAxisMapping drawn = Chart->YAxis()->GetMapping();
  // Pixel 150 lies lower, so it shows the smaller value; a linear reading would be far off.
  const double low = drawn.ToValue(150), high = drawn.ToValue(50);
  ASSERT_GT(high / low, 5.0);
  Drag({100, 50}, {200, 150});
  EXPECT_NEAR(Chart->YAxis()->GetVisibleMin(), low, low * 1e-12);
  EXPECT_NEAR(Chart->YAxis()->GetVisibleMax(), high, high * 1e-12);
}

TEST_F(ZoomFixture, OneDirectionModesLeaveTheOtherRangeAsItWas) {
  Chart->Zooming()->SetMode(TKvDisplayZoomMode::zmXAxis);
  Drag({100, 50}, {200, 150});
  const double sx = 1024.0 / 450, sy = 2000.0 / 280;
  ExpectWindow({100 * sx, 201 * sx, -1000, 1000});
  Chart->ZoomOff();
  Chart->Zooming()->SetMode(TKvDisplayZoomMode::zmYAxis);
  Drag({100, 50}, {200, 150});
  ExpectWindow({0, 1024, -1000 + 128 * sy, 1000 - 50 * sy});
}

TEST_F(ZoomFixture, TheWheelKeepsTheValueUnderThePointerAndUndoesInOneStep) {
  const QPoint pointer(300, 70);
  const auto under = [&](const TWindow& w) {
    return std::pair{w.XMin + (w.XMax - w.XMin) * pointer.x() / Width,
                     w.YMax - (w.YMax - w.YMin) * pointer.y() / Height};
  };
  const auto before = under(Visible());
  for (int i = 0; i < 3; ++i) Wheel(pointer.x(), pointer.y(), true);
  const TWindow zoomed = Visible();
  EXPECT_NEAR(zoomed.XMax - zoomed.XMin, 1024 * 0.9 * 0.9 * 0.9, 1e-9);
  const auto after = under(zoomed);
  EXPECT_NEAR(after.first, before.first, 1e-9);
  EXPECT_NEAR(after.second, before.second, 1e-9);
  Chart->ZoomPrevious();
  ExpectWindow(Start);
  EXPECT_FALSE(Chart->IsZoomed());
}

TEST_F(ZoomFixture, TheWheelOverAnAxisZoomsThatAxisAlone) {
  Chart->XAxis()->SetVisible(true);
  LayoutViews(Chart->Views(), Width, Height);
  const TKvRect view = Chart->DataView()->GetRect(), axis = Chart->XAxis()->GetRect();
  ASSERT_GT(axis.Top, view.Top);
  const int x = view.Left + (view.Right - view.Left) * 3 / 4;
  const double under = 1024.0 * (x - view.Left) / (view.Right - view.Left);
  Wheel(x, axis.Top + 2, true);
  Wheel(x, axis.Top + 2, true);
  const TWindow shown = Visible();
  EXPECT_NEAR(shown.XMax - shown.XMin, 1024 * 0.81, 1e-9);
  EXPECT_NEAR(shown.XMin + (shown.XMax - shown.XMin) * (x - view.Left) / (view.Right - view.Left), under, 1e-9);
  EXPECT_FALSE(Chart->YAxis()->IsZoomed());
  EXPECT_EQ(Chart->UndoList().Count(), 1u);
  EXPECT_EQ(Events, (std::vector{TKvZoomOperation::zoMouseWheel, TKvZoomOperation::zoMouseWheel}));
}

TEST_F(ZoomFixture, PlusThenMinusReturnsToTheStart) {
  Key(Qt::Key_Plus, "+");
  ExpectWindow({256, 768, -500, 500});
  Key(Qt::Key_Minus, "-");
  ExpectWindow(Start);
}

TEST_F(ZoomFixture, KeysDoNothingWithKeyboardZoomOff) {
  Chart->Zooming()->SetKeyboardZoom(false);
  Key(Qt::Key_Plus, "+");
  ExpectWindow(Start);
  EXPECT_TRUE(Events.empty());
}

TEST_F(ZoomFixture, TheHistoryKeepsTheLatestHundred) {
  for (int i = 0; i <= 100; ++i) Chart->ZoomToValues(-1000 + i, 1000, i, 1024);
  EXPECT_EQ(Chart->UndoList().Count(), TKvDisplayZoomList::MaxCount);
  // The oldest (the unzoomed start) went first: undoing everything ends at the first zoom.
  for (int i = 0; i < 100; ++i) Chart->ZoomPrevious();
  EXPECT_TRUE(Chart->UndoList().Empty());
  ExpectWindow({0, 1024, -1000, 1000});
  EXPECT_TRUE(Chart->IsZoomed());
}

TEST_F(ZoomFixture, APanMovesTheContentWithThePointerAndStopsAtTheDataEnd) {
  Chart->ZoomToValues(false, -1000, 1000, 200, 400);
  Chart->SetNavigateMode(TKvDisplayNavigateMode::nmPan);
  // 100 pixels to the right over a view 449 pixels wide: the content follows, X falls by
  // 200 × 100 / 449.
  Drag({200, 100}, {300, 100});
  const double shift = 200.0 * 100 / 449;
  ExpectWindow({200 - shift, 400 - shift, -1000, 1000});
  // Far to the right twice: X stops at 0.
  Drag({100, 100}, {449, 100});
  Drag({100, 100}, {449, 100});
  ExpectWindow({0, 200, -1000, 1000});
}

TEST_F(ZoomFixture, PanningWithHoldOnPanHoldsOnTheFirstStep) {
  Chart->Zooming()->SetHoldOnPan(true);
  Chart->SetNavigateMode(TKvDisplayNavigateMode::nmPan);
  Mouse(QEvent::MouseButtonPress, 200, 100);
  EXPECT_FALSE(Chart->ZoomHold());
  Mouse(QEvent::MouseMove, 210, 110);
  EXPECT_TRUE(Chart->ZoomHold());
  Mouse(QEvent::MouseMove, 220, 120);
  Mouse(QEvent::MouseButtonRelease, 220, 120);
  EXPECT_EQ(Chart->UndoList().Count(), 1u);
  EXPECT_EQ(Events, std::vector{TKvZoomOperation::zoZoom});
}

TEST_F(ZoomFixture, ElevenHundredMinusPressesLeaveFiniteRangesAndAPicture) {
  for (int i = 0; i < 1100; ++i) Key(Qt::Key_Minus, "-");
  const TWindow shown = Visible();
  for (double value : {shown.XMin, shown.XMax, shown.YMin, shown.YMax}) EXPECT_TRUE(std::isfinite(value));
  EXPECT_LE(shown.YMax - shown.YMin, TKvDisplayAxis::MaxZoomSpan);
  EXPECT_GT(shown.YMax - shown.YMin, 1e299);
  const QImage picture = Expose(*Chart);
  EXPECT_FALSE(picture.isNull());
  // Zooming in from there still works.
  Key(Qt::Key_Plus, "+");
  EXPECT_NEAR(Visible().YMax - Visible().YMin, (shown.YMax - shown.YMin) / 2, (shown.YMax - shown.YMin) * 1e-12);
}

TEST_F(ZoomFixture, TheZoomEntryPointRefusesWindowsThatAreNotFinite) {
  Chart->ZoomToValues(-1000, 1000, 0, 512);
  Chart->ZoomToValues(-INFINITY, NAN, 0, 1e301);
  ExpectWindow({0, 512, -1000, 1000});
}

TEST_F(ZoomFixture, DataThatArrivesDuringADragIsCommittedWhenItEnds) {
  Mouse(QEvent::MouseButtonPress, 100, 50);
  Mouse(QEvent::MouseMove, 102, 52);
  Chart->Deliver(-5, 5);
  EXPECT_FALSE(Chart->Refresh());
  EXPECT_FALSE(Chart->Committed());
  Mouse(QEvent::MouseButtonRelease, 102, 52);
  ASSERT_TRUE(Chart->Committed());
  EXPECT_EQ(Chart->Committed()->first, -5);
}

TEST_F(ZoomFixture, FocusLostMidDragResumesTheRefresh) {
  Mouse(QEvent::MouseButtonPress, 100, 50);
  Mouse(QEvent::MouseMove, 200, 150);
  EXPECT_TRUE(Chart->IntakeHeld());
  Chart->Deliver(-7, 7);
  LoseFocus();
  EXPECT_FALSE(Chart->IntakeHeld());
  ASSERT_TRUE(Chart->Committed());
  EXPECT_EQ(Chart->Committed()->second, 7);
  Chart->Deliver(-8, 8);
  EXPECT_TRUE(Chart->Refresh());
}

TEST_F(ZoomFixture, AResizeOrAViewChangeMidDragCancelsIt) {
  const std::vector<std::function<void()>> interruptions = {
      [&] {
        // A hidden widget hears of its new size only when shown; the window sends this.
        QResizeEvent resize(QSize(Width - 10, Height), QSize(Width, Height));
        QApplication::sendEvent(Chart.get(), &resize);
      },
      [&] { Chart->SetNavigateMode(TKvDisplayNavigateMode::nmPan); },
      [&] { Chart->YAxis()->AdditionalAxes()->Add(); },
  };
  for (const auto& interrupt : interruptions) {
    Mouse(QEvent::MouseButtonPress, 100, 50);
    Mouse(QEvent::MouseMove, 200, 150);
    interrupt();
    EXPECT_FALSE(Chart->ZoomGesture().Dragging());
    EXPECT_FALSE(Chart->IntakeHeld());
    Mouse(QEvent::MouseButtonRelease, 200, 150);
    Chart->SetNavigateMode(TKvDisplayNavigateMode::nmZoom);
  }
  EXPECT_TRUE(Chart->UndoList().Empty());
  EXPECT_FALSE(Chart->IsZoomed());
}

TEST_F(ZoomFixture, TheBandIsDrawnOverTheCachedPictureWithoutPaintingItAgain) {
  // The mouse enters first, and the picture is painted once with it inside.
  Mouse(QEvent::MouseMove, 90, 40);
  Expose(*Chart);
  Mouse(QEvent::MouseButtonPress, 100, 50);
  Mouse(QEvent::MouseMove, 200, 150);
  EXPECT_FALSE(Chart->BitmapDirty());
  const QImage shown = Expose(*Chart);
  // White outline from (100, 50) to (200, 150), nothing inside it; the cached picture has none.
  for (const QPoint corner : {QPoint(100, 50), QPoint(200, 50), QPoint(100, 150), QPoint(200, 150)}) {
    EXPECT_EQ(Rgb(shown, corner.x(), corner.y()), 0xFFFFFFu);
    EXPECT_NE(Rgb(Chart->OffscreenImage(), corner.x(), corner.y()), 0xFFFFFFu);
  }
  EXPECT_NE(Rgb(shown, 150, 100), 0xFFFFFFu);
  EXPECT_NE(Rgb(shown, 201, 151), 0xFFFFFFu);
  Mouse(QEvent::MouseButtonRelease, 200, 150);
}

TEST_F(ZoomFixture, InXModeTheBandIsTwoVerticalLines) {
  Chart->Zooming()->SetMode(TKvDisplayZoomMode::zmXAxis);
  Expose(*Chart);
  Mouse(QEvent::MouseButtonPress, 100, 50);
  Mouse(QEvent::MouseMove, 200, 150);
  const QImage shown = Expose(*Chart);
  for (const int x : {100, 200})
    for (const int y : {0, 100, Height - 1}) EXPECT_EQ(Rgb(shown, x, y), 0xFFFFFFu) << x << ", " << y;
  EXPECT_NE(Rgb(shown, 150, 50), 0xFFFFFFu);
  Mouse(QEvent::MouseButtonRelease, 200, 150);
}

TEST_F(ZoomFixture, RestoringSkipsAnAxisDeletedSinceTheSnapshot) {
  TKvAdditionalYAxes& more = *Chart->YAxis()->AdditionalAxes();
  more.Add();
  Chart->ZoomBy(0.5);
  Chart->ZoomBy(0.5);
  ASSERT_TRUE(more.AxisAt(0).IsZoomed());
  more.Delete(0);
  // A new axis, maybe at the old one's address, is not the one the snapshots name.
  more.Add();
  Chart->ZoomPrevious();
  EXPECT_FALSE(more.AxisAt(0).IsZoomed());
  ExpectWindow({256, 768, -500, 500});
  Chart->ZoomPrevious();
  ExpectWindow(Start);
}

TEST(WaterfallZoom, GoesThroughTheSameCheckedEntryPoint) {
  TPtr<TKvWaterfall> waterfall(new TKvWaterfall(nullptr));
  waterfall->SetBounds(0, 0, Width, Height);
  const double span = waterfall->YAxis()->GetVisibleMax() - waterfall->YAxis()->GetVisibleMin();
  waterfall->ZoomBy(0.5);
  EXPECT_TRUE(waterfall->IsZoomed());
  EXPECT_NEAR(waterfall->YAxis()->GetVisibleMax() - waterfall->YAxis()->GetVisibleMin(), span / 2, 1e-9);
  for (int i = 0; i < 1100; ++i) {
    QKeyEvent minus(QEvent::KeyPress, Qt::Key_Minus, Qt::NoModifier, "-");
    QApplication::sendEvent(waterfall.get(), &minus);
  }
  for (const TKvDisplayAxis* axis :
       std::initializer_list<const TKvDisplayAxis*>{waterfall->XAxis(), waterfall->YAxis()}) {
    EXPECT_TRUE(std::isfinite(axis->GetVisibleMin()));
    EXPECT_TRUE(std::isfinite(axis->GetVisibleMax()));
    EXPECT_LE(axis->GetVisibleMax() - axis->GetVisibleMin(), TKvDisplayAxis::MaxZoomSpan);
  }
  EXPECT_FALSE(Expose(*waterfall).isNull());
  waterfall->ZoomOff();
  EXPECT_FALSE(waterfall->IsZoomed());
}

TEST(ZoomStorage, EveryZoomSettingAndTheNavigateModeSurviveTheLayout) {
  TPtr<TZoomChart> chart(new TZoomChart(nullptr));
  TKvDisplayZoom& zooming = *chart->Zooming();
  zooming.SetMouseZoom(false);
  zooming.SetKeyboardZoom(false);
  zooming.SetSelectionColor(clYellow);
  zooming.SetMouseWheelEnabled(false);
  zooming.SetHoldOnZoom(false);
  zooming.SetHoldOnPan(true);
  zooming.SetMode(TKvDisplayZoomMode::zmYAxis);
  chart->SetNavigateMode(TKvDisplayNavigateMode::nmPan);
  const std::string text = TLayoutWriter::WriteRoot(*chart);
  TPtr<TZoomChart> read(new TZoomChart(nullptr));
  TLayoutReader::ReadRoot(*read, text);
  const TKvDisplayZoom& back = *read->Zooming();
  EXPECT_FALSE(back.MouseZoom());
  EXPECT_FALSE(back.KeyboardZoom());
  EXPECT_EQ(back.SelectionColor(), clYellow);
  EXPECT_FALSE(back.MouseWheelEnabled());
  EXPECT_FALSE(back.HoldOnZoom());
  EXPECT_TRUE(back.HoldOnPan());
  EXPECT_EQ(back.Mode(), TKvDisplayZoomMode::zmYAxis);
  EXPECT_EQ(read->NavigateMode(), TKvDisplayNavigateMode::nmPan);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*read), text);
}

TEST(ZoomInStep, TwoDisplaysThatFollowEachOtherDoNotRecurse) {
  TPtr<TZoomChart> first(new TZoomChart(nullptr)), second(new TZoomChart(nullptr));
  std::vector<TKvZoomOperation> ignored;
  ZoomFixture::Prepare(*first, ignored);
  ZoomFixture::Prepare(*second, ignored);
  int calls = 0;
  const auto follow = [&calls](TZoomChart& other) {
    return [&calls, &other](TObject*, TKvZoomOperation, const TKvRealRanges& r) {
      ++calls;
      ASSERT_LT(calls, 10);
      other.ZoomToValues(false, r.YMin, r.YMax, r.XMin, r.XMax);
    };
  };
  first->OnZoomChanged = follow(*second);
  second->OnZoomChanged = follow(*first);
  first->ZoomBy(0.5);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(second->XAxis()->ZoomMin(), 256);
  EXPECT_EQ(second->YAxis()->ZoomMax(), 500);
}

}  // namespace
