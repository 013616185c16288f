// The scope's cursors and cursor links: where a value lies and which value a pixel stands for on
// every kind of axis, presses and releases on and off a cursor, hit distances, snapping to samples,
// positions outside the view and NaN, a link's measurement line and label, deleting items from
// their own handlers, and the layout.
#include "DisplayTestKit.h"
#include "display/KvCanvas.h"
#include "display/KvCursorMapping.h"
#include "display/KvDisplayToolBar.h"
#include "display/KvScope.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using TTestScope = TRefreshing<TKvScope>;
using TScopePtr = TPtr<TTestScope>;

constexpr uint32_t Black = 0x000000;

// A scope of nothing but its data view (101 × 62, no border or grid), X from 0 to 100, Y from -100
// to 100, its channel hidden, laid out.
TScopePtr PlainScope(bool vertical = false) {
  TScopePtr scope = BareChart<TTestScope>(101, 62);
  HideGrid(*scope);
  scope->DataView()->Border()->SetVisible(false);
  scope->YAxis()->AutoScaling()->SetEnabled(false);
  scope->YAxis()->Min()->SetValue(-100);
  scope->YAxis()->Max()->SetValue(100);
  scope->XAxis()->Min()->SetAutoScale(false);
  scope->XAxis()->Max()->SetAutoScale(false);
  scope->XAxis()->Min()->SetValue(0);
  scope->XAxis()->Max()->SetValue(100);
  // X labels are the X values themselves.
  scope->XAxis()->SetTicksMode(TKvDisplayAxisTicksMode::atmAxis);
  scope->SetVertical(vertical);
  scope->Channels()->Channel(0).SetVisible(false);
  // The mouse over the view brings up no tool bar over the picture.
  scope->ToolBar()->SetVisible(false);
  Expose(*scope);
  return scope;
}

TKvDisplayCursor& AddCursor(TKvScope& scope, double x, double y = 0,
                            TKvDisplayCursorKind kind = TKvDisplayCursorKind::ckVertical) {
  TKvDisplayCursor& cursor = scope.Cursors()->AddCursor();
  cursor.SetKind(kind);
  cursor.Position()->SetX(x);
  cursor.Position()->SetY(y);
  return cursor;
}

void Mouse(TKvScope& scope, QEvent::Type type, int x, int y) {
  QMouseEvent event(type, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&scope, &event);
}

// Press at one point, move to another and release there.
void Drag(TKvScope& scope, QPoint from, QPoint to) {
  Mouse(scope, QEvent::MouseButtonPress, from.x(), from.y());
  Mouse(scope, QEvent::MouseMove, to.x(), to.y());
  Mouse(scope, QEvent::MouseButtonRelease, to.x(), to.y());
}

// How many pixels of a column (x fixed) or a row (y fixed) between `from` and `to` (exclusive)
// have the colour.
int CountInColumn(const QImage& image, int x, int from, int to, uint32_t colour) {
  int count = 0;
  for (int y = from; y < to; ++y) count += Rgb(image, x, y) == colour;
  return count;
}
int CountInRow(const QImage& image, int y, int from, int to, uint32_t colour) {
  int count = 0;
  for (int x = from; x < to; ++x) count += Rgb(image, x, y) == colour;
  return count;
}
// How many pixels of the box are not black (text is drawn with smoothed edges).
int Lit(const QImage& image, const TKvRect& box) {
  int count = 0;
  for (int y = box.Top; y < box.Bottom; ++y) count += box.Width() - CountInRow(image, y, box.Left, box.Right, 0);
  return count;
}

// The colour a TColor (0x00BBGGRR) has in an image (0x00RRGGBB).
uint32_t Pixel(TColor colour) {
  const uint32_t c = uint32_t(colour);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

struct TMappingCase {
  const char* Name;
  bool Vertical;
  bool ReverseX;
  bool ReverseY;
  bool LogY;
  bool XAxis;
  // Values at the low end, the middle and the high end, and their pixels.
  double Values[3];
  int Pixels[3];
};

TEST(CursorMapping, PutsTheEndsAndTheMiddleWhereTheAxisDrawsThemAndReadsThemBack) {
  const TMappingCase cases[] = {
      {"X", false, false, false, false, true, {0, 50, 100}, {0, 50, 100}},
      {"X reversed", false, true, false, false, true, {0, 50, 100}, {100, 50, 0}},
      {"Y", false, false, false, false, false, {-100, 0, 100}, {61, 31, 1}},
      {"Y reversed", false, false, true, false, false, {-100, 0, 100}, {1, 31, 61}},
      {"Y logarithmic", false, false, false, true, false, {-100, 9, 100}, {61, 16, 1}},
      {"X vertical", true, false, false, false, true, {0, 50, 100}, {0, 30, 60}},
      {"Y vertical", true, false, false, false, false, {-100, 0, 100}, {0, 50, 100}},
  };
  for (const TMappingCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TScopePtr scope = PlainScope(c.Vertical);
    scope->XAxis()->SetReversed(c.ReverseX);
    scope->YAxis()->SetReversed(c.ReverseY);
    if (c.LogY) scope->YAxis()->SetScaleMode(TKvScaleMode::smLogarithmic);
    Expose(*scope);
    const TKvDisplayAxis& axis = c.XAxis ? static_cast<const TKvDisplayAxis&>(*scope->XAxis()) : *scope->YAxis();
    const TKvCursorAxisMapping mapping(axis);
    EXPECT_EQ(mapping.AlongY(), c.XAxis == c.Vertical);
    for (int i = 0; i < 3; ++i) {
      const auto line = mapping.LineOf(c.Values[i], false);
      ASSERT_TRUE(line);
      EXPECT_EQ(line->Pixel, c.Pixels[i]) << c.Values[i];
      EXPECT_FALSE(line->Outside);
      // The cursor lies where the axis draws the same value.
      EXPECT_EQ(line->Pixel, axis.GetMapping().ToPixel(c.Values[i]));
    }
    // Every pixel of the axis turns into a value that turns back into that pixel.
    const int low = std::min(c.Pixels[0], c.Pixels[2]), high = std::max(c.Pixels[0], c.Pixels[2]);
    for (int pixel = low; pixel <= high; ++pixel) {
      const auto back = mapping.LineOf(mapping.ValueAt(pixel, NAN), false);
      ASSERT_TRUE(back) << pixel;
      EXPECT_EQ(back->Pixel, pixel);
    }
  }
}

TEST(CursorMapping, APixelWhereTheValueAlreadyLiesKeepsTheValue) {
  TScopePtr scope = PlainScope();
  const TKvCursorAxisMapping x(*scope->XAxis()), y(*scope->YAxis());
  for (const double value : {33.3, 0.2, 99.9}) EXPECT_EQ(x.ValueAt(x.LineOf(value, false)->Pixel, value), value);
  for (const double value : {-33.3, 0.1, 99.9}) EXPECT_EQ(y.ValueAt(y.LineOf(value, false)->Pixel, value), value);
  // One pixel further it is the value of that pixel.
  EXPECT_EQ(x.ValueAt(34, 33.3), 34);
}

TEST(CursorMapping, ClampsValuesOutsideTheViewAndSkipsNaN) {
  TScopePtr scope = PlainScope();
  const TKvCursorAxisMapping x(*scope->XAxis());
  struct {
    double Value;
    bool Stay;
    bool Drawn;
    int Pixel;
    bool Outside;
  } const cases[] = {{150, true, true, 100, true},      {-20, true, true, 0, true},    {1e300, true, true, 100, true},
                     {-1e300, true, true, 0, true},     {150, false, false, 0, false}, {-1e300, false, false, 0, false},
                     {INFINITY, true, true, 100, true}, {NAN, true, false, 0, false},  {NAN, false, false, 0, false}};
  for (const auto& c : cases) {
    const auto line = x.LineOf(c.Value, c.Stay);
    ASSERT_EQ(bool(line), c.Drawn) << c.Value << " stay " << c.Stay;
    if (!line) continue;
    EXPECT_EQ(line->Pixel, c.Pixel) << c.Value;
    EXPECT_EQ(line->Outside, c.Outside) << c.Value;
  }
}

// How much of a column a line covers: all of it, some (dotted) or none.
enum class TSeen { All, Some, None };

TEST(CursorDrawing, OutsideTheViewAtTheEdgeDottedOnlyWhenCursorsStayInView) {
  struct {
    double X;
    bool Stay;
    int Column;
    // Rows 1 … 60 in the cursor's colour.
    TSeen Expect;
  } const cases[] = {{40, true, 40, TSeen::All},  {40, false, 40, TSeen::All},    {150, true, 100, TSeen::Some},
                     {-20, true, 0, TSeen::Some}, {150, false, 100, TSeen::None}, {-20, false, 0, TSeen::None},
                     {NAN, true, 0, TSeen::None}};
  for (const auto& c : cases) {
    TScopePtr scope = PlainScope();
    scope->SetCursorsStayInView(c.Stay);
    const TKvDisplayCursor& cursor = AddCursor(*scope, c.X);
    const QImage image = Expose(*scope);
    const uint32_t colour = Pixel(cursor.Color());
    const int count = CountInColumn(image, c.Column, 1, 61, colour);
    switch (c.Expect) {
      case TSeen::All: EXPECT_EQ(count, 60) << c.X; break;
      case TSeen::Some: EXPECT_TRUE(count > 10 && count < 50) << c.X << ": " << count; break;
      case TSeen::None:
        // Nothing anywhere.
        for (int x = 0; x < 101; ++x) EXPECT_EQ(CountInColumn(image, x, 0, 62, colour), 0) << c.X << " at " << x;
        break;
    }
  }
}

TEST(CursorDrawing, AHorizontalCursorRunsAcrossTheViewAtItsY) {
  TScopePtr scope = PlainScope();
  const TKvDisplayCursor& cursor = AddCursor(*scope, 0, 0, TKvDisplayCursorKind::ckHorizontal);
  const QImage image = Expose(*scope);
  EXPECT_EQ(CountInRow(image, 31, 1, 100, Pixel(cursor.Color())), 99);
  EXPECT_EQ(CountInRow(image, 30, 0, 101, Pixel(cursor.Color())), 0);
}

TEST(CursorHit, WithinThreePixelsExclusiveOfEitherLine) {
  for (const bool vertical : {false, true}) {
    TScopePtr scope = PlainScope(vertical);
    TKvDisplayCursor& cursor = AddCursor(*scope, 50, 0, TKvDisplayCursorKind::ckBoth);
    const int xPixel = TKvCursorAxisMapping(*scope->XAxis()).LineOf(50, true)->Pixel;
    const int yPixel = TKvCursorAxisMapping(*scope->YAxis()).LineOf(0, true)->Pixel;
    // A point `offset` off the X line and far from the Y line, and the other way round.
    for (const int offset : {-4, -3, -2, -1, 0, 1, 2, 3, 4}) {
      SCOPED_TRACE(testing::Message() << "vertical " << vertical << " offset " << offset);
      const bool hit = std::abs(offset) < 3;
      const int along = xPixel + offset, far = yPixel + 20;
      const auto onX =
          vertical ? scope->CursorLayer().HitTest(far, along) : scope->CursorLayer().HitTest(along, far - 40);
      EXPECT_EQ(onX.Cursor == &cursor, hit);
      EXPECT_EQ(onX.XLine, hit);
      EXPECT_FALSE(onX.YLine);
      const int acrossY = yPixel + offset;
      const auto onY = vertical ? scope->CursorLayer().HitTest(acrossY, xPixel + 20)
                                : scope->CursorLayer().HitTest(xPixel + 20, acrossY);
      EXPECT_EQ(onY.Cursor == &cursor, hit);
      EXPECT_EQ(onY.YLine, hit);
      EXPECT_FALSE(onY.XLine);
    }
  }
}

TEST(CursorHit, TheLastCursorWinsAndHiddenOnesAreMissed) {
  TScopePtr scope = PlainScope();
  TKvDisplayCursor& first = AddCursor(*scope, 50);
  TKvDisplayCursor& second = AddCursor(*scope, 51);
  EXPECT_EQ(scope->CursorLayer().HitTest(50, 30).Cursor, &second);
  second.SetVisible(false);
  EXPECT_EQ(scope->CursorLayer().HitTest(50, 30).Cursor, &first);
}

// Counts what a cursor reports.
struct TCursorEvents {
  int Downs = 0, Clicks = 0, Ups = 0, Changes = 0;
  TKvRealPoint Old, New;

  void Watch(TKvScope& scope, TKvDisplayCursor& cursor) {
    cursor.OnMouseDown = [this](TObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++Downs; };
    cursor.OnClick = [this](TObject*) {
      EXPECT_EQ(Downs, Clicks + 1);
      ++Clicks;
    };
    cursor.OnMouseUp = [this](TObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++Ups; };
    scope.Cursors()->OnPositionChange = [this](TObject*, int index, TKvRealPoint old, TKvRealPoint now) {
      EXPECT_EQ(index, 0);
      ++Changes, Old = old, New = now;
    };
  }
};

TEST(CursorDrag, MovesOnReleaseOnlyWhenReleasedOffTheCursor) {
  struct {
    const char* Name;
    QPoint Press;
    QPoint Release;
    bool Taken;
    double X;
  } const cases[] = {
      {"click on the cursor", {33, 30}, {33, 30}, true, 33.3},
      {"press beside it, release on it", {35, 10}, {33, 50}, true, 33.3},
      {"drag to 60", {33, 30}, {60, 40}, true, 60},
      {"drag to the left edge", {31, 30}, {0, 40}, true, 0},
      {"press off the cursor", {40, 30}, {60, 30}, false, 33.3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TScopePtr scope = PlainScope();
    TKvDisplayCursor& cursor = AddCursor(*scope, 33.3, 12.5);
    TCursorEvents events;
    events.Watch(*scope, cursor);
    Drag(*scope, c.Press, c.Release);
    EXPECT_EQ(events.Downs, c.Taken ? 1 : 0);
    EXPECT_EQ(events.Clicks, c.Taken ? 1 : 0);
    EXPECT_EQ(events.Ups, c.Taken ? 1 : 0);
    EXPECT_EQ(cursor.Position()->X(), c.X);
    EXPECT_EQ(cursor.Position()->Y(), 12.5);
    const bool moved = c.X != 33.3;
    EXPECT_EQ(events.Changes, moved ? 1 : 0);
    if (moved) {
      EXPECT_EQ(events.Old, (TKvRealPoint{33.3, 12.5}));
      EXPECT_EQ(events.New, (TKvRealPoint{c.X, 12.5}));
    }
    // A press the cursor takes starts no zoom; one it does not take does.
    EXPECT_EQ(scope->XAxis()->IsZoomed(), !c.Taken);
    EXPECT_FALSE(scope->CursorLayer().Dragging());
    EXPECT_FALSE(scope->DragInProgress());
  }
}

TEST(CursorDrag, TheDraggedLineAloneMovesAndThePreviewShowsTheDifference) {
  TScopePtr scope = PlainScope();
  scope->Trails()->SetColor(clFuchsia);
  TKvDisplayCursor& cursor = AddCursor(*scope, 20, 50, TKvDisplayCursorKind::ckBoth);
  const int y = TKvCursorAxisMapping(*scope->YAxis()).LineOf(50, true)->Pixel;
  Mouse(*scope, QEvent::MouseButtonPress, 20, 50);
  EXPECT_TRUE(cursor.IsSelected());
  Mouse(*scope, QEvent::MouseMove, 70, 50);
  const QImage image = Expose(*scope);
  // The preview: a dotted line at the mouse, and the join from the old line at the mouse's height.
  const int dots = CountInColumn(image, 70, 1, 61, Pixel(clFuchsia));
  EXPECT_TRUE(dots > 10 && dots < 50) << dots;
  EXPECT_GT(CountInRow(image, 50, 22, 68, Pixel(clFuchsia)), 40);
  // The difference, over the join and centred between the lines.
  EXPECT_GT(Lit(image, {30, 35, 60, 50}), 20);
  EXPECT_EQ(Lit(image, {22, 20, 68, 35}), 0);
  // The cursor itself stays until the release.
  EXPECT_EQ(cursor.Position()->X(), 20);
  Mouse(*scope, QEvent::MouseButtonRelease, 70, 50);
  EXPECT_EQ(cursor.Position()->X(), 70);
  EXPECT_EQ(cursor.Position()->Y(), 50) << "the Y line was not dragged (it lies at " << y << ")";
  EXPECT_FALSE(cursor.IsSelected());
}

TEST(CursorSnap, ReleasedBetweenSamplesLandsOnTheNearerOneOfTheChannelWhoseRangeHoldsIt) {
  struct {
    bool XLine;
    // Y: the release's pixel and the value expected. X: the sample the release lies at and the
    // sample expected (NaN: none, the value of the pixel).
    double Release;
    double Expected;
  } const cases[] = {
      // Y values -50, 10, 40, 90 of the channel (30 at row 22 lies nearer 40, -10 at row 34 nearer
      // 10, 93.3 at row 3 beyond them).
      {false, 22, 40},
      {false, 34, 10},
      {false, 3, 93.333333333333329},
      // The channel's samples 0 … 3 along X.
      {true, 2.4, 2},
      {true, 2.6, 3},
      {true, 3.6, NAN},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.XLine ? "X " : "Y ") << c.Release);
    TScopePtr scope = PlainScope();
    scope->XAxis()->Max()->SetValue(20);
    TKvScopeChannel& channel = scope->Channels()->Channel(0);
    channel.SetVisible(true);
    const std::vector<double> values = {-50, 10, 40, 90};
    channel.Data().StoreUniform(4, 0, [&](uint32_t i) { return values[i]; });
    scope->DataArrived();
    scope->Refresh();
    Expose(*scope);
    scope->XAxis()->CursorSettings()->SetSnapToSample(true);
    scope->YAxis()->CursorSettings()->SetSnapToSample(true);
    TKvDisplayCursor& cursor =
        AddCursor(*scope, 1, -100, c.XLine ? TKvDisplayCursorKind::ckVertical : TKvDisplayCursorKind::ckHorizontal);
    const TKvBasicScopeXAxis& x = *scope->XAxis();
    const TKvCursorAxisMapping xMapping(x);
    if (c.XLine) {
      // The cursor's X values are the axis's labels.
      const int from = xMapping.LineOf(1, true)->Pixel, to = xMapping.LineOf(x.ToLabelUnits(c.Release), true)->Pixel;
      Drag(*scope, {from, 30}, {to, 30});
      const double expected = std::isnan(c.Expected) ? xMapping.ValueAt(to, NAN) : x.ToLabelUnits(c.Expected);
      EXPECT_DOUBLE_EQ(cursor.Position()->X(), expected);
    } else {
      Drag(*scope, {50, 61}, {50, int(c.Release)});
      EXPECT_DOUBLE_EQ(cursor.Position()->Y(), c.Expected);
    }
  }
}

TEST(CursorSnap, SettingYSnapsToo) {
  TScopePtr scope = PlainScope();
  TKvScopeChannel& channel = scope->Channels()->Channel(0);
  channel.SetVisible(true);
  const std::vector<double> values = {-50, 10, 40, 90};
  channel.Data().StoreUniform(4, 0, [&](uint32_t i) { return values[i]; });
  scope->DataArrived();
  scope->Refresh();
  TKvDisplayCursor& cursor = AddCursor(*scope, 0);
  cursor.Position()->SetY(30);
  EXPECT_EQ(cursor.Position()->Y(), 30);
  scope->YAxis()->CursorSettings()->SetSnapToSample(true);
  cursor.Position()->SetY(31);
  EXPECT_EQ(cursor.Position()->Y(), 40);
}

TEST(CursorLegend, ColourHighlightAndSelection) {
  TScopePtr scope = PlainScope();
  TKvDisplayCursor& first = AddCursor(*scope, 30);
  TKvDisplayCursor& second = AddCursor(*scope, 60);
  EXPECT_EQ(first.GetLegendColor(), clRed);
  EXPECT_EQ(second.GetLegendColor(), clLime);
  EXPECT_EQ(first.Name(), "Cursor0");
  EXPECT_EQ(second.Name(), "Cursor1");
  Mouse(*scope, QEvent::MouseMove, 60, 30);
  EXPECT_TRUE(second.IsHighlighted());
  EXPECT_FALSE(first.IsHighlighted());
  scope->Highlighting()->Cursors()->SetHiglightLegendButton(false);
  EXPECT_FALSE(second.IsHighlighted());
  // Hovered in the legend, the cursor is drawn highlighted: a 3-pixel line under it.
  Mouse(*scope, QEvent::MouseMove, 5, 5);
  first.SetLegendHighlight(true);
  QImage image = Expose(*scope);
  EXPECT_EQ(Rgb(image, 29, 30), Pixel(clLime));
  EXPECT_EQ(Rgb(image, 31, 30), Pixel(clLime));
  first.SetLegendHighlight(false);
  image = Expose(*scope);
  EXPECT_EQ(Rgb(image, 29, 30), Black);
}

TEST(CursorChannelLink, MarksAndLabelsWhereTheCursorCrossesTheChannel) {
  for (const bool labelled : {true, false}) {
    SCOPED_TRACE(labelled);
    TScopePtr scope = PlainScope();
    TKvScopeChannel& channel = scope->Channels()->Channel(0);
    channel.SetVisible(true);
    channel.Data().StoreUniform(1024, 0, [](uint32_t) { return 40.0; });
    scope->DataArrived();
    scope->Refresh();
    TKvDisplayCursor& cursor = AddCursor(*scope, 50);
    TKvDisplayCursorChannelLink& link = cursor.Channels()->AddLink();
    link.SetChannelIndex(0);
    link.SetShape(TKvDisplayMarkerShape::msSquare);
    link.SetUseChannelColor(false);
    link.Pen()->SetColor(clAqua);
    link.Brush()->SetColor(clAqua);
    link.ChannelLabel()->SetVisible(labelled);
    const QImage image = Expose(*scope);
    const int x = TKvCursorAxisMapping(*scope->XAxis()).LineOf(50, true)->Pixel;
    const int y = TKvCursorAxisMapping(*scope->YAxis()).LineOf(40, true)->Pixel;
    // The square of half size 3 about the crossing, over the channel's line.
    for (const QPoint corner : {QPoint(x - 3, y - 3), QPoint(x + 3, y - 3), QPoint(x - 3, y + 3), QPoint(x + 3, y + 3)})
      EXPECT_EQ(Rgb(image, corner.x(), corner.y()), Pixel(clAqua)) << corner.x() << "," << corner.y();
    EXPECT_EQ(Rgb(image, x - 5, y), Pixel(clRed));
    // "40" above and to the right of it.
    EXPECT_EQ(Lit(image, {x + 5, y - 12, x + 30, y - 4}) > 10, labelled);
  }
}

// Two cursors at X 20 and 70 with a link between them.
struct TLinked {
  TScopePtr Scope = PlainScope();
  TKvDisplayCursor& Begin = AddCursor(*Scope, 20);
  TKvDisplayCursor& End = AddCursor(*Scope, 70);
  TKvDisplayCursorLink& Link = Scope->CursorLinks()->AddLink();
  TLinked() {
    Link.SetBeginCursorIndex(0);
    Link.SetEndCursorIndex(1);
  }
};

TEST(CursorLink, DrawsTheMeasurementLineBetweenTheCursorsWithTheDifferenceAboveIt) {
  struct {
    double Y;
    int Row;
  } const cases[] = {{0, 30}, {100, 0}, {-100, 61}, {50, 15}};
  for (const auto& c : cases) {
    TLinked linked;
    linked.Link.MeasurementLine()->SetY(c.Y);
    linked.Link.MeasurementLine()->MeasurementLabel()->SetVisible(false);
    QImage image = Expose(*linked.Scope);
    const int dots = CountInRow(image, c.Row, 21, 70, Pixel(clYellow));
    EXPECT_TRUE(dots > 10 && dots < 40) << c.Y << ": " << dots;
    EXPECT_EQ(CountInRow(image, c.Row, 71, 101, Pixel(clYellow)), 0);
    EXPECT_EQ(CountInRow(image, c.Row, 0, 20, Pixel(clYellow)), 0);
  }
  TLinked linked;
  const QImage image = Expose(*linked.Scope);
  // "50", centred over the line at row 30, one text height above it; nothing below the line.
  EXPECT_GT(Lit(image, {30, 15, 61, 30}), 20);
  EXPECT_EQ(Lit(image, {21, 31, 70, 62}), 0);
  EXPECT_EQ(Lit(image, {21, 0, 70, 14}), 0);
}

TEST(CursorLink, TheLineRunsBetweenTheLinesOfEitherAxisInEitherDisplay) {
  struct {
    const char* Name;
    bool Vertical;
    TKvDisplayCursorKind Kind;
    // The cursors' values (X or Y), and where the measurement line lies: along a row or a column,
    // at `at`, between `from` and `to`.
    double First, Second;
    bool Row;
    int At, From, To;
  } const cases[] = {
      {"X lines", false, TKvDisplayCursorKind::ckVertical, 20, 70, true, 30, 21, 70},
      {"Y lines", false, TKvDisplayCursorKind::ckHorizontal, -50, 50, false, 50, 17, 46},
      {"X lines, vertical", true, TKvDisplayCursorKind::ckVertical, 20, 70, false, 50, 13, 42},
      {"Y lines, vertical", true, TKvDisplayCursorKind::ckHorizontal, -50, 50, true, 30, 26, 75},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TScopePtr scope = PlainScope(c.Vertical);
    const bool x = c.Kind == TKvDisplayCursorKind::ckVertical;
    AddCursor(*scope, x ? c.First : 0, x ? 0 : c.First, c.Kind);
    AddCursor(*scope, x ? c.Second : 0, x ? 0 : c.Second, c.Kind);
    TKvDisplayCursorLink& link = scope->CursorLinks()->AddLink();
    link.SetBeginCursorIndex(0);
    link.SetEndCursorIndex(1);
    link.MeasurementLine()->MeasurementLabel()->SetVisible(false);
    const QImage image = Expose(*scope);
    const uint32_t yellow = Pixel(clYellow);
    const auto count = [&](int from, int to) {
      return c.Row ? CountInRow(image, c.At, from, to, yellow) : CountInColumn(image, c.At, from, to, yellow);
    };
    EXPECT_GT(count(c.From, c.To), (c.To - c.From) / 4);
    EXPECT_EQ(count(0, c.From - 1), 0);
    EXPECT_EQ(count(c.To + 1, c.Row ? 101 : 62), 0);
  }
}

TEST(CursorLink, LegendSampleShowsTheSelectionBothCursorsAndTheLine) {
  for (const bool selection : {true, false}) {
    TLinked linked;
    linked.Link.Selection()->SetVisible(selection);
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
      QPainter painter(&image);
      TKvCanvas canvas(painter, QPalette());
      EXPECT_TRUE(linked.Link.DrawLegendSample(canvas, 5, 10));
    }
    EXPECT_EQ(linked.Link.GetLegendColor(), clYellow);
    // The cursors' colours at the sides, the dotted line between them, the selection behind.
    EXPECT_EQ(Rgb(image, 5, 7), Pixel(linked.Begin.Color()));
    EXPECT_EQ(Rgb(image, 17, 13), Pixel(linked.End.Color()));
    EXPECT_GT(CountInRow(image, 10, 6, 17, Pixel(clYellow)), 2);
    EXPECT_EQ(Rgb(image, 10, 7), selection ? 0x808080u : Black);
    EXPECT_EQ(Rgb(image, 10, 15), Black);
  }
}

TEST(CursorLink, CursorsAtTheSameXDrawNoLine) {
  TLinked linked;
  linked.End.Position()->SetX(20);
  const QImage image = Expose(*linked.Scope);
  for (int y = 0; y < 62; ++y) EXPECT_EQ(CountInRow(image, y, 0, 101, Pixel(clYellow)), 0) << y;
}

TEST(CursorLink, SelectionShadesTheBandBetweenTheCursorsBehindThem) {
  TLinked linked;
  linked.Link.Selection()->SetVisible(true);
  const QImage image = Expose(*linked.Scope);
  EXPECT_EQ(Rgb(image, 19, 10), Black);
  EXPECT_EQ(Rgb(image, 21, 10), 0x808080u);
  EXPECT_EQ(Rgb(image, 69, 50), 0x808080u);
  EXPECT_EQ(Rgb(image, 71, 50), Black);
  // The cursors are drawn over it.
  EXPECT_EQ(Rgb(image, 20, 10), Pixel(linked.Begin.Color()));
}

TEST(CursorLink, PercentagesAreClampedAndDraggingTheLineMovesIt) {
  TLinked linked;
  linked.Link.MeasurementLine()->SetX(150);
  EXPECT_EQ(linked.Link.MeasurementLine()->X(), 100);
  linked.Link.MeasurementLine()->SetY(-150);
  EXPECT_EQ(linked.Link.MeasurementLine()->Y(), -100);
  linked.Link.MeasurementLine()->SetY(0);
  int changes = 0;
  TKvRealPoint now;
  linked.Scope->CursorLinks()->OnPositionChange = [&](TObject*, int index, TKvRealPoint, TKvRealPoint to) {
    EXPECT_EQ(index, 0);
    ++changes, now = to;
  };
  // A click on the line leaves it; a drag to row 15 moves it to 50 %.
  Drag(*linked.Scope, {45, 30}, {45, 30});
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(linked.Scope->XAxis()->IsZoomed());
  Drag(*linked.Scope, {45, 31}, {45, 15});
  EXPECT_EQ(changes, 1);
  // Row 15 of rows 0 … 61, and drawn there again.
  EXPECT_DOUBLE_EQ(now.Y, 100 - 200.0 * 15 / 61);
  EXPECT_EQ(linked.Link.MeasurementLine()->Y(), now.Y);
  EXPECT_EQ(linked.Scope->CursorLayer().PercentPixel(now.Y, false), 15);
}

TEST(CursorLink, FollowsItsCursorsAsCursorsAreDeleted) {
  TLinked linked;
  TKvDisplayCursor& third = AddCursor(*linked.Scope, 90);
  linked.Link.SetEndCursorIndex(2);
  EXPECT_EQ(linked.Link.EndCursor(), &third);
  // Outside the collection: ignored.
  linked.Link.SetEndCursorIndex(3);
  EXPECT_EQ(linked.Link.EndCursorIndex(), 2);
  linked.Scope->Cursors()->Delete(1);
  EXPECT_EQ(linked.Link.EndCursorIndex(), 1);
  linked.Scope->Cursors()->Delete(0);
  EXPECT_EQ(linked.Link.BeginCursorIndex(), -1);
  EXPECT_EQ(linked.Link.EndCursorIndex(), 0);
  EXPECT_FALSE(linked.Link.IsComplete());
  Expose(*linked.Scope);
}

TEST(CursorDeletion, ItemsDeletedFromTheirOwnHandlersLeaveNothingBehind) {
  enum class TWhere { MouseDown, Click, MouseUp, PositionChange, LinkChange, LinkWhileHovered };
  for (const TWhere where : {TWhere::MouseDown, TWhere::Click, TWhere::MouseUp, TWhere::PositionChange,
                             TWhere::LinkChange, TWhere::LinkWhileHovered}) {
    SCOPED_TRACE(int(where));
    TLinked linked;
    TKvScope& scope = *linked.Scope;
    TKvDisplayCursors& cursors = *scope.Cursors();
    const auto deleteBegin = [&] { cursors.Delete(0); };
    switch (where) {
      case TWhere::MouseDown:
        linked.Begin.OnMouseDown = [&](TObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { deleteBegin(); };
        break;
      case TWhere::Click: linked.Begin.OnClick = [&](TObject*) { deleteBegin(); }; break;
      case TWhere::MouseUp:
        linked.Begin.OnMouseUp = [&](TObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { deleteBegin(); };
        break;
      case TWhere::PositionChange:
        cursors.OnPositionChange = [&](TObject*, int, TKvRealPoint, TKvRealPoint) { deleteBegin(); };
        break;
      case TWhere::LinkChange:
        scope.CursorLinks()->OnPositionChange = [&](TObject*, int, TKvRealPoint, TKvRealPoint) {
          scope.CursorLinks()->Delete(0);
        };
        break;
      case TWhere::LinkWhileHovered: break;
    }
    // Legend-highlighted and hovered as well as pressed.
    linked.Begin.SetLegendHighlight(true);
    linked.Link.SetLegendHighlight(true);
    if (where == TWhere::LinkWhileHovered) {
      Mouse(scope, QEvent::MouseMove, 45, 30);
      ASSERT_TRUE(linked.Link.IsHighlighted());
      Mouse(scope, QEvent::MouseButtonPress, 45, 30);
      scope.CursorLinks()->Delete(0);
      Mouse(scope, QEvent::MouseMove, 45, 20);
      Mouse(scope, QEvent::MouseButtonRelease, 45, 20);
      EXPECT_EQ(scope.CursorLinks()->Count(), 0);
    } else if (where == TWhere::LinkChange) {
      Drag(scope, {45, 30}, {45, 10});
      EXPECT_EQ(scope.CursorLinks()->Count(), 0);
    } else {
      Mouse(scope, QEvent::MouseMove, 20, 30);
      Drag(scope, {20, 30}, {40, 30});
      EXPECT_EQ(cursors.Count(), 1);
      EXPECT_EQ(linked.Link.BeginCursorIndex(), -1);
    }
    EXPECT_FALSE(scope.CursorLayer().Dragging());
    EXPECT_FALSE(scope.DragInProgress());
    // Painted and hovered again with nothing left that points at the deleted item.
    Mouse(scope, QEvent::MouseMove, 20, 30);
    Mouse(scope, QEvent::MouseMove, 45, 30);
    Expose(scope);
  }
}

TEST(CursorStorage, ReadsBackWhatItWrote) {
  TLinked linked;
  linked.Begin.SetKind(TKvDisplayCursorKind::ckBoth);
  linked.Begin.Position()->SetY(-25.5);
  linked.Begin.SetColor(clFuchsia);
  linked.End.SetXAxisIndex(2);
  linked.End.SetVisible(false);
  linked.Link.MeasurementLine()->SetX(150);
  linked.Link.MeasurementLine()->SetColor(clAqua);
  linked.Link.Selection()->SetVisible(true);
  linked.Scope->CursorLinks()->AddLink().SetEndCursorIndex(1);
  linked.Scope->XAxis()->CursorSettings()->SetSnapToSample(true);
  const std::string text = TLayoutWriter::WriteRoot(*linked.Scope);
  EXPECT_NE(text.find("AxisIndex_ = (\n        0\n        2)"), std::string::npos) << text;
  EXPECT_NE(text.find("CursorIndex_ = (\n        0\n        1)"), std::string::npos) << text;
  EXPECT_NE(text.find("CursorIndex_ = (\n        -1\n        1)"), std::string::npos) << text;
  EXPECT_NE(text.find("MeasurementLine.X = 100"), std::string::npos) << text;
  TScopePtr read(new TTestScope(nullptr));
  TLayoutReader::ReadRoot(*read, text);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*read), text);
  ASSERT_EQ(read->Cursors()->Count(), 2);
  ASSERT_EQ(read->CursorLinks()->Count(), 2);
  EXPECT_EQ(read->CursorLinks()->Link(0).BeginCursor(), &read->Cursors()->Cursor(0));
  EXPECT_EQ(read->CursorLinks()->Link(0).EndCursor(), &read->Cursors()->Cursor(1));
  EXPECT_EQ(read->CursorLinks()->Link(1).BeginCursorIndex(), -1);
  EXPECT_EQ(read->Cursors()->Cursor(0).Position()->Y(), -25.5);
  EXPECT_EQ(read->Cursors()->Cursor(1).XAxisIndex(), 2);
  EXPECT_EQ(read->CursorLinks()->Link(0).MeasurementLine()->X(), 100);
}

}  // namespace
