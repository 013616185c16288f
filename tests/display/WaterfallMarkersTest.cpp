// The waterfall's marker groups: where a marker lies, how following markers keep to their rows
// whether the picture scrolled or was drawn whole while fixed ones stay, clipping to the data view,
// hover of what is drawn, deleting hovered items, and storage.
#include "DisplayTestKit.h"
#include "buffers/KvSimpleDataBuffer.h"
#include "display/KvWaterfall.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

struct TPixelCase {
  const char* Name;
  bool Vertical, Reversed;
  int32_t X;
  double Y;
  bool Drawn;
  int PixelX, PixelY;
};

TEST(WaterfallMarkers, LieInTheMiddleOfTheirRowAtTheirBinValue) {
  // 64 × 40 from (10, 5), rows 0 … 16, bins 0 … 8: a row is 4 pixels wide (2.5 high when vertical).
  const std::vector<TPixelCase> cases = {
      {"plain", false, false, 10, 4, true, 10 + 40 + 2, 5 + 40 - 20},
      {"oldest row", false, false, 0, 0, true, 10 + 2, 5 + 40},
      {"reversed", false, true, 10, 4, true, 10 + 20 + 2, 5 + 20},
      {"vertical", true, false, 10, 4, true, 10 + 32, 5 + 25 + 1},
      {"vertical reversed", true, true, 10, 2, true, 10 + 16, 5 + 12 + 1},
      {"no value", false, false, 10, NAN, false, 0, 0},
  };
  for (const TPixelCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TKvWaterfallMarkerView view{{10, 5, 74, 45}, 0, 16, 0, 8, c.Vertical, c.Reversed};
    QPoint at;
    ASSERT_EQ(view.PixelOf(c.X, c.Y, at), c.Drawn);
    if (c.Drawn) {
      EXPECT_EQ(at, QPoint(c.PixelX, c.PixelY));
    }
  }
}

TEST(WaterfallMarkers, FarValuesAreClampedNotOverflowed) {
  const TKvWaterfallMarkerView view{{10, 5, 74, 45}, 0, 16, 0, 8, false, false};
  for (const double y : {1e300, -1e300, double(INFINITY), -double(INFINITY)}) {
    for (const int32_t x : {INT32_MIN, INT32_MAX}) {
      QPoint at;
      ASSERT_TRUE(view.PixelOf(x, y, at));
      EXPECT_LE(std::abs(at.x()), int(KvPixelLimit) + 100);
      EXPECT_LE(std::abs(at.y()), int(KvPixelLimit) + 100);
    }
  }
}

// A waterfall of nothing but its data view, 64 × 40, keeping 16 rows of 8 bins, full.
class WaterfallMarker : public testing::Test {
protected:
  WaterfallMarker() {
    Display->SetBounds(0, 0, 64, 40);
    for (TKvOptionalView* view : std::initializer_list<TKvOptionalView*>{
             Display->Title(), Display->Legend(), Display->XAxis(), Display->YAxis(), Display->Levels()})
      view->SetVisible(false);
    Display->XAxis()->SetSamples(16);
    Append(16);
    Expose(*Display);
  }
  void Append(int rows) {
    for (int i = 0; i < rows; ++i) {
      const std::vector<double> values(8, 1.0);
      Display->AppendRow(MakeRef<TKvRealBuffer>(values.data(), uint32_t(values.size())));
    }
    {
      const TLkLockSection section = Display->DataLock().WriteLock();
      ASSERT_TRUE(section);
      Display->Refresh();
    }
  }
  TKvWaterfallMarker& Mark(TKvWaterfallMarkerGroup& group, int32_t x, double y) {
    return group.Markers()->AddMarker(x, y);
  }
  void Move(int x, int y) {
    QMouseEvent event(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Display.get(), &event);
  }

  class TTestWaterfall : public TKvWaterfall {
  public:
    using TKvWaterfall::TKvWaterfall;
    void Refresh() {
      if (RefreshData()) Redraw();
    }
  };
  TPtr<TTestWaterfall> Display{new TTestWaterfall(nullptr)};
  TKvWaterfallMarkerGroups& Groups = *Display->MarkerGroups();
};

struct TScrollCase {
  const char* Name;
  TKvWaterfallMarkerMode Mode;
  // Rows appended, each followed by a paint that scrolls the picture or draws it whole.
  std::vector<std::pair<int, bool>> Steps;
  // The marker's row afterwards; -1 when it went with its row.
  int32_t Row;
};

TEST_F(WaterfallMarker, FollowTheirRowsWhetherThePictureScrolledOrWasDrawnWhole) {
  const std::vector<TScrollCase> cases = {
      {"scrolled", TKvWaterfallMarkerMode::mmRelative, {{3, false}}, 7},
      {"scrolled twice", TKvWaterfallMarkerMode::mmRelative, {{3, false}, {2, false}}, 5},
      {"drawn whole", TKvWaterfallMarkerMode::mmRelative, {{3, true}}, 7},
      {"drawn whole, then nothing new", TKvWaterfallMarkerMode::mmRelative, {{3, true}, {0, true}, {0, false}}, 7},
      {"more rows than the picture", TKvWaterfallMarkerMode::mmRelative, {{20, false}}, -1},
      {"to the oldest row", TKvWaterfallMarkerMode::mmRelative, {{10, true}}, 0},
      {"past the oldest row", TKvWaterfallMarkerMode::mmRelative, {{5, false}, {6, true}}, -1},
      {"fixed", TKvWaterfallMarkerMode::mmAbsolute, {{3, false}, {4, true}}, 10},
  };
  for (const TScrollCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Groups.Clear();
    TKvWaterfallMarkerGroup& group = Groups.AddGroup();
    group.SetMode(c.Mode);
    Mark(group, 10, 4);
    Expose(*Display);
    for (const auto& [rows, whole] : c.Steps) {
      Append(rows);
      if (whole) Display->DataView()->Picture().Invalidate();
      Expose(*Display);
    }
    ASSERT_EQ(group.Markers()->Count(), c.Row < 0 ? 0 : 1);
    if (c.Row >= 0) {
      EXPECT_EQ(group.Markers()->Marker(0).Position()->X(), c.Row);
    }
  }
}

TEST_F(WaterfallMarker, IsDrawnAfterThePictureAndClippedToTheDataView) {
  TKvWaterfallMarkerGroup& group = Groups.AddGroup();
  group.SetMode(TKvWaterfallMarkerMode::mmAbsolute);
  group.SetShape(TKvDisplayMarkerShape::msSquare);
  group.SetSize(2);
  group.Pen()->SetColor(clYellow);
  Mark(group, 8, 4);
  // Half of this one lies left of the oldest row.
  Mark(group, -1, 4);
  Display->YAxis()->SetVisible(true);
  const QImage image = Expose(*Display);
  const TKvWaterfallMarkerView view = Display->MarkerView();
  ASSERT_GT(view.Rect.Left, 3);
  QPoint at;
  ASSERT_TRUE(view.PixelOf(8, 4, at));
  EXPECT_EQ(Rgb(image, at.x() - 2, at.y() - 2), 0xFFFF00u);
  ASSERT_TRUE(view.PixelOf(-1, 4, at));
  ASSERT_LT(at.x() - 2, view.Rect.Left);
  EXPECT_EQ(Rgb(image, view.Rect.Left, at.y() - 2), 0xFFFF00u);
  for (int x = at.x() - 2; x < view.Rect.Left; ++x) EXPECT_NE(Rgb(image, x, at.y() - 2), 0xFFFF00u) << x;
}

TEST_F(WaterfallMarker, HoverFindsTheLowestGroupOnAMarkerOrNearItsLineAndOnlyWhatIsDrawn) {
  TKvWaterfallMarkerGroup& first = Groups.AddGroup();
  TKvWaterfallMarkerGroup& second = Groups.AddGroup();
  for (TKvWaterfallMarkerGroup* group : {&first, &second}) group->SetMode(TKvWaterfallMarkerMode::mmAbsolute);
  second.Line()->SetVisible(true);
  TKvWaterfallMarker& a = Mark(second, 2, 4);
  Mark(second, 12, 4);
  TKvWaterfallMarker& b = Mark(first, 12, 4);
  Expose(*Display);
  const TKvWaterfallMarkerView view = Display->MarkerView();
  QPoint atA, atB;
  view.PixelOf(2, 4, atA);
  view.PixelOf(12, 4, atB);
  Move(atA.x(), atA.y());
  EXPECT_EQ(Groups.Hovered.Get(), &second);
  EXPECT_EQ(Groups.HoveredMarker.Get(), &a);
  EXPECT_TRUE(second.IsHighlighted());
  // On the line only.
  Move((atA.x() + atB.x()) / 2, atA.y() + 2);
  EXPECT_EQ(Groups.Hovered.Get(), &second);
  EXPECT_FALSE(Groups.HoveredMarker);
  // Both groups have a marker here: the lower index wins.
  Move(atB.x(), atB.y());
  EXPECT_EQ(Groups.Hovered.Get(), &first);
  EXPECT_EQ(Groups.HoveredMarker.Get(), &b);
  // Without its line the second group is not found beside it.
  second.Line()->SetVisible(false);
  Move((atA.x() + atB.x()) / 2, atA.y() + 2);
  EXPECT_FALSE(Groups.Hovered);
  // A marker's box beyond the view is not drawn there and not found there.
  Mark(first, -1, 4);
  Display->YAxis()->SetVisible(true);
  Expose(*Display);
  const TKvWaterfallMarkerView shifted = Display->MarkerView();
  QPoint outside;
  shifted.PixelOf(-1, 4, outside);
  Move(shifted.Rect.Left - 1, outside.y());
  EXPECT_FALSE(Groups.Hovered);
  Move(shifted.Rect.Left, outside.y());
  EXPECT_EQ(Groups.Hovered.Get(), &first);
}

TEST_F(WaterfallMarker, DeletingAHoveredOrHighlightedMarkerOrGroupLeavesNoReference) {
  for (const bool wholeGroup : {false, true}) {
    SCOPED_TRACE(wholeGroup ? "group" : "marker");
    Groups.Clear();
    TKvWaterfallMarkerGroup& group = Groups.AddGroup();
    group.SetMode(TKvWaterfallMarkerMode::mmAbsolute);
    Mark(group, 8, 4);
    Expose(*Display);
    QPoint at;
    Display->MarkerView().PixelOf(8, 4, at);
    Move(at.x(), at.y());
    ASSERT_TRUE(Groups.HoveredMarker);
    group.SetLegendHighlight(true);
    if (wholeGroup) Groups.Delete(0);
    else group.Markers()->Delete(0);
    EXPECT_FALSE(Groups.HoveredMarker);
    EXPECT_EQ(bool(Groups.Hovered), !wholeGroup);
    EXPECT_EQ(bool(Groups.LegendHighlighted), !wholeGroup);
    Expose(*Display);
    Move(at.x() + 1, at.y());
  }
}

TEST(WaterfallMarkerStorage, ReadAndWrittenBackUnchanged) {
  TPtr<TKvWaterfall> written(new TKvWaterfall(nullptr));
  TKvWaterfallMarkerGroup& group = written->MarkerGroups()->AddGroup();
  group.SetName("Peaks");
  group.SetMode(TKvWaterfallMarkerMode::mmAbsolute);
  group.Line()->SetVisible(true);
  group.Line()->SetUsePointsColor(false);
  group.Line()->SetColor(clAqua);
  group.Line()->SetWidth(2);
  group.SetShape(TKvDisplayMarkerShape::msTriangleDown);
  group.Markers()->AddMarker(5, 2.5);
  group.Markers()->AddMarker(7, -1);
  const std::string text = TLayoutWriter::WriteRoot(*written);
  EXPECT_NE(text.find("MarkerGroups = <"), std::string::npos);
  TPtr<TKvWaterfall> read(new TKvWaterfall(nullptr));
  TLayoutReader::ReadRoot(*read, text);
  ASSERT_EQ(read->MarkerGroups()->Count(), 1);
  const TKvWaterfallMarkerGroup& back = read->MarkerGroups()->Group(0);
  EXPECT_EQ(back.Mode(), TKvWaterfallMarkerMode::mmAbsolute);
  EXPECT_EQ(back.Line()->Color(), clAqua);
  ASSERT_EQ(back.Markers()->Count(), 2);
  EXPECT_EQ(back.Markers()->Marker(1).Position()->X(), 7);
  EXPECT_EQ(back.Markers()->Marker(1).Position()->Y(), -1);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*read), text);
}

}  // namespace
