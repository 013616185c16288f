#include "app/ChroStringGrid.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TPaintRecorder : QObject {
  QRegion Painted;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) Painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

// 8 x 5 cells of 40 x 20 pixels with a fixed corner cell at (0, 0); the client shows 5 columns.
class ChroStringGrid : public ::testing::Test {
protected:
  void SetUp() override {
    Grid.SetDefaultColWidth(40);
    Grid.SetDefaultRowHeight(20);
    Grid.SetColCount(8);
    Grid.SetRowCount(5);
    Grid.resize(5 * 41 + 4 + 10, 5 * 21 + 4 + 30);
  }
  void Show() {
    Grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Grid));
    Grid.viewport()->installEventFilter(&Recorder);
    QApplication::processEvents();
    Recorder.Painted = QRegion();
  }
  QRegion Repainted() {
    QApplication::processEvents();
    QRegion painted = Recorder.Painted;
    Recorder.Painted = QRegion();
    return painted;
  }
  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, Grid.viewport()->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(Grid.viewport(), &event);
  }
  // Presses the left button at `from`, drags to `to` and releases there.
  void Drag(QPoint from, QPoint to) {
    Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }
  QRect Corner() const { return Grid.CellRect(0, 0); }

  std::unique_ptr<TChroStringGrid, TComponentDeleter> Owned{new TChroStringGrid(nullptr)};
  TChroStringGrid& Grid = *Owned;
  TPaintRecorder Recorder;
};

TEST_F(ChroStringGrid, InvalidatingBeforeTheGridHasAWindowDoesNothing) {
  Grid.InvalidateCol(1);
  Grid.InvalidateRow(1);
  Grid.InvalidateGridRect(0, 0, 7, 4);
  EXPECT_FALSE(Grid.viewport()->testAttribute(Qt::WA_WState_Created));
  EXPECT_FALSE(Grid.testAttribute(Qt::WA_WState_Created));
}

TEST_F(ChroStringGrid, ColumnsRowsAndRangesRepaintTheirCellsWithTheirLines) {
  Show();
  Grid.InvalidateCol(2);
  EXPECT_EQ(Repainted(), QRegion(82, 0, 41, 5 * 21));
  Grid.InvalidateRow(3);
  EXPECT_EQ(Repainted(), QRegion(0, 63, Grid.viewport()->width(), 21));  // clipped to the client
  Grid.InvalidateGridRect(1, 1, 2, 2);
  EXPECT_EQ(Repainted(), QRegion(41, 21, 82, 42));
}

TEST_F(ChroStringGrid, InvertedRangesAndRangesPastWhatIsShownRepaintNothing) {
  Show();
  Grid.InvalidateGridRect(3, 1, 2, 1);
  Grid.InvalidateGridRect(1, 3, 1, 2);
  Grid.InvalidateGridRect(6, 0, 7, 4);  // columns 6 and 7 lie past the client
  Grid.InvalidateCol(9);
  EXPECT_TRUE(Repainted().isEmpty());
  Grid.SetLeftCol(3);
  Repainted();
  Grid.InvalidateCol(2);  // scrolled out to the left
  EXPECT_TRUE(Repainted().isEmpty());
}

TEST_F(ChroStringGrid, RightToLeftMirrorsTheRepaintedRectangle) {
  Grid.setLayoutDirection(Qt::RightToLeft);
  Show();
  Grid.InvalidateCol(1);
  EXPECT_EQ(Repainted(), QRegion(Grid.viewport()->width() - 82, 0, 41, 5 * 21));
}

TEST_F(ChroStringGrid, FixedCornerCellEdgesSizeTheirColumnAndRow) {
  Grid.SetFixedColSizing(true);
  Grid.SetFixedRowSizing(true);
  Show();
  const int right = Corner().x() + Corner().width();
  const int bottom = Corner().y() + Corner().height();

  Drag({right - 2, 10}, {70, 12});
  EXPECT_EQ(Grid.ColWidths(0), 70);
  Drag({10, bottom - 1}, {12, 33});
  EXPECT_EQ(Grid.RowHeights(0), 33);
  EXPECT_EQ(Grid.ColWidths(0), 70);

  // The new extent must leave at least 6 pixels; a release closer to the edge changes nothing.
  Drag({70 - 3, 10}, {5, 10});
  EXPECT_EQ(Grid.ColWidths(0), 70);
  Drag({70 - 3, 10}, {6, 10});
  EXPECT_EQ(Grid.ColWidths(0), 6);
}

TEST_F(ChroStringGrid, SizingNeedsTheSwitchTheZoneAFixedCornerAndTheLeftButton) {
  Show();
  const int right = Corner().x() + Corner().width();
  Drag({right - 2, 10}, {70, 10});  // switched off
  EXPECT_EQ(Grid.ColWidths(0), 40);

  Grid.SetFixedColSizing(true);
  Drag({right - 5, 10}, {70, 10});  // 5 pixels from the edge is outside the zone
  EXPECT_EQ(Grid.ColWidths(0), 40);

  Mouse(QEvent::MouseButtonPress, {right - 2, 10}, Qt::RightButton, Qt::RightButton);
  Mouse(QEvent::MouseButtonRelease, {70, 10}, Qt::RightButton, Qt::NoButton);
  EXPECT_EQ(Grid.ColWidths(0), 40);

  // The edge of a normal cell is no sizing zone: the press selects the cell as usual.
  const QRect normal = Grid.CellRect(2, 2);
  Drag({normal.x() + normal.width() - 2, normal.center().y()}, {150, normal.center().y()});
  EXPECT_EQ(Grid.ColWidths(2), 40);
  EXPECT_EQ(std::pair(Grid.Col(), Grid.Row()), std::pair(2, 2));
}

TEST_F(ChroStringGrid, CursorShowsWhichEdgeCanBeSized) {
  Grid.SetFixedColSizing(true);
  Grid.SetFixedRowSizing(true);
  Show();
  const int right = Corner().x() + Corner().width();
  const int bottom = Corner().y() + Corner().height();
  struct Case {
    QPoint At;
    Qt::CursorShape Shape;
  };
  const Case cases[] = {
      {{right - 1, 5}, Qt::SplitHCursor},
      {{right - 1, bottom - 1}, Qt::SplitHCursor},  // both edges: the column wins
      {{5, bottom - 1}, Qt::SplitVCursor},
      {{5, 5}, Qt::ArrowCursor},
      {Grid.CellRect(2, 2).bottomRight(), Qt::ArrowCursor},
  };
  for (const Case& c : cases) {
    Mouse(QEvent::MouseMove, c.At, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Grid.viewport()->cursor().shape(), c.Shape) << c.At.x() << "," << c.At.y();
  }
}

TEST_F(ChroStringGrid, TheSizingLineFollowsThePointerAndGoesAtRelease) {
  Grid.SetFixedColSizing(true);
  Show();
  auto lineColumn = [&](int x) {
    const QImage image = Grid.viewport()->grab().toImage();
    std::vector<QRgb> column;
    for (int y = 0; y < 5 * 21; ++y) column.push_back(image.pixel(x, y));
    return column;
  };
  const auto before = lineColumn(100);
  Mouse(QEvent::MouseButtonPress, {Corner().width() - 1, 10}, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseMove, {100, 10}, Qt::NoButton, Qt::LeftButton);
  const auto during = lineColumn(100);
  int inverted = 0;
  for (size_t y = 0; y < during.size(); ++y) inverted += (during[y] ^ before[y]) == 0x00FFFFFFu;
  EXPECT_GT(inverted, 30);  // a dotted line inverts every other pixel
  EXPECT_LT(inverted, int(during.size()));
  Mouse(QEvent::MouseButtonRelease, {100, 10}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Grid.ColWidths(0), 100);
  const QRect cell = Grid.CellRect(1, 2);
  EXPECT_EQ(cell.x(), 101);
  const QImage after = Grid.viewport()->grab().toImage();
  EXPECT_EQ(after.pixelColor(cell.x() + 20, cell.y() + 15), ToQColor(Grid.Color(), Grid.palette()));
}

}  // namespace
