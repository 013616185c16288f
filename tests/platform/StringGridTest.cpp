#include "platform/StringGrid.h"

#include "platform/Colors.h"
#include "platform/Exception.h"

#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace {

// 6 x 4 cells of 30 x 20 pixels (column 2 is 50 wide), one fixed column and one fixed row.
class StringGrid : public ::testing::Test {
protected:
  void SetUp() override {
    Grid.SetDefaultColWidth(30);
    Grid.SetDefaultRowHeight(20);
    Grid.SetColCount(6);
    Grid.SetRowCount(4);
    Grid.SetColWidths(2, 50);
    Grid.resize(200, 120);
    Grid.OnSelectCell = [this](TObject*, int col, int row, bool& canSelect) {
      Requests.emplace_back(col, row);
      canSelect = Allow;
    };
  }
  void Show() {
    Grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Grid));
  }
  QImage Render() { return Grid.viewport()->grab().toImage(); }
  void Click(const QPoint& point, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(Grid.viewport(), button, Qt::NoModifier, point);
  }

  std::unique_ptr<TStringGrid, TComponentDeleter> Owned{new TStringGrid(nullptr)};
  TStringGrid& Grid = *Owned;
  std::vector<std::pair<int, int>> Requests;
  bool Allow = true;
};

TEST_F(StringGrid, CellsFollowWidthsLinesAndScrollingWhileFixedCellsStay) {
  Show();
  EXPECT_EQ(Grid.CellRect(0, 0), QRect(0, 0, 30, 20));
  EXPECT_EQ(Grid.CellRect(2, 1), QRect(62, 21, 50, 20));
  EXPECT_EQ(Grid.CellRect(3, 3), QRect(113, 63, 30, 20));
  Grid.SetLeftCol(2);
  EXPECT_EQ(Grid.LeftCol(), 2);
  EXPECT_TRUE(Grid.CellRect(1, 1).isEmpty());
  EXPECT_EQ(Grid.CellRect(0, 1), QRect(0, 21, 30, 20));
  EXPECT_EQ(Grid.CellRect(2, 1), QRect(31, 21, 50, 20));

  int col, row;
  ASSERT_TRUE(Grid.MouseToCell({80, 41}, col, row));  // the line below and right of (2, 1)
  EXPECT_EQ(std::pair(col, row), std::pair(2, 1));
  EXPECT_FALSE(Grid.MouseToCell({Grid.viewport()->width() - 1, 100}, col, row));
  EXPECT_EQ(std::pair(col, row), std::pair(-1, -1));
}

TEST_F(StringGrid, RightToLeftMirrorsCellsAcrossTheClientWidth) {
  Grid.setLayoutDirection(Qt::RightToLeft);
  Show();
  const int width = Grid.viewport()->width();
  EXPECT_EQ(Grid.CellRect(0, 0), QRect(width - 30, 0, 30, 20));
  int col, row;
  ASSERT_TRUE(Grid.MouseToCell({width - 40, 25}, col, row));
  EXPECT_EQ(std::pair(col, row), std::pair(1, 1));
}

TEST_F(StringGrid, MouseAndKeysMoveTheCurrentCellOnlyWhereSelectCellAllows) {
  Show();
  EXPECT_EQ(std::pair(Grid.Col(), Grid.Row()), std::pair(1, 1));
  Click(Grid.CellRect(3, 2).center());
  EXPECT_EQ(std::pair(Grid.Col(), Grid.Row()), std::pair(3, 2));
  Click(Grid.CellRect(0, 3).center());  // fixed cells are not selectable
  Click(Grid.CellRect(4, 3).center(), Qt::RightButton);
  EXPECT_EQ(std::pair(Grid.Col(), Grid.Row()), std::pair(3, 2));

  QTest::keyClick(&Grid, Qt::Key_Down);
  QTest::keyClick(&Grid, Qt::Key_Down);  // already on the last row
  QTest::keyClick(&Grid, Qt::Key_Home);
  EXPECT_EQ(std::pair(Grid.Col(), Grid.Row()), std::pair(1, 3));
  QTest::keyClick(&Grid, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(std::pair(Grid.Col(), Grid.Row()), std::pair(1, 1));

  Allow = false;
  QTest::keyClick(&Grid, Qt::Key_Right);
  Click(Grid.CellRect(2, 2).center());
  EXPECT_EQ(std::pair(Grid.Col(), Grid.Row()), std::pair(1, 1));
  const std::vector<std::pair<int, int>> expected = {{3, 2}, {3, 3}, {1, 3}, {1, 1}, {2, 1}, {2, 2}};
  EXPECT_EQ(Requests, expected);
}

TEST_F(StringGrid, MovingPastTheRightEdgeScrollsTheCellIntoView) {
  Show();
  QTest::keyClick(&Grid, Qt::Key_End);
  EXPECT_EQ(Grid.Col(), 5);
  const QRect cell = Grid.CellRect(5, 1);
  ASSERT_FALSE(cell.isEmpty());
  EXPECT_LE(cell.x() + cell.width(), Grid.viewport()->width());
  EXPECT_GT(Grid.LeftCol(), 1);
  QTest::keyClick(&Grid, Qt::Key_Home);
  EXPECT_EQ(Grid.LeftCol(), 1);
}

TEST_F(StringGrid, OwnerDrawPaintsOverTheDefaultPaintingOfEveryShownCell) {
  std::set<std::pair<int, int>> drawn;
  Grid.OnDrawCell = [&](TObject* sender, int col, int row, const QRect& rect, TGridDrawState state) {
    drawn.emplace(col, row);
    EXPECT_EQ(bool(state & gdFixed), col == 0 || row == 0);
    if (col == 3 && row == 2)
      dynamic_cast<TStringGrid&>(*sender).Canvas().fillRect(rect.adjusted(5, 5, -5, -5), Qt::magenta);
  };
  Grid.SetCells(3, 2, "text");
  Grid.SetColor(clWhite);
  Grid.SetFixedColor(clGray);
  Show();
  ASSERT_TRUE(Grid.hasFocus());
  // While the grid has the focus its current cell keeps the normal colour inside a focus frame.
  EXPECT_EQ(Render().pixelColor(Grid.CellRect(1, 1).center()), QColor(Qt::white));
  Grid.clearFocus();
  const QImage image = Render();
  EXPECT_EQ(image.pixelColor(Grid.CellRect(3, 2).center()), QColor(Qt::magenta));
  EXPECT_EQ(image.pixelColor(Grid.CellRect(3, 2).topLeft() + QPoint(1, 1)), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(Grid.CellRect(0, 2).center()), QColor(128, 128, 128));
  EXPECT_EQ(image.pixelColor(Grid.CellRect(2, 0).center()), QColor(128, 128, 128));
  // Without the focus it is shown in the highlight colour.
  EXPECT_EQ(image.pixelColor(Grid.CellRect(1, 1).center()), Grid.palette().color(QPalette::Highlight));
  for (int col = 0; col < 5; ++col)  // column 5 lies past the client width
    for (int row = 0; row < 4; ++row) EXPECT_TRUE(drawn.count({col, row})) << col << "," << row;
  EXPECT_THROW(Grid.Canvas(), Exception);
}

TEST_F(StringGrid, IndicesOutsideTheGridAreRefused) {
  EXPECT_THROW(Grid.Cells(6, 0), EListError);
  EXPECT_THROW(Grid.SetCells(0, -1, "x"), EListError);
  EXPECT_THROW(Grid.SetColWidths(6, 10), EListError);
  EXPECT_THROW(Grid.RowHeights(4), EListError);
}

TEST_F(StringGrid, ShrinkingKeepsTheCurrentCellInsideAndTheTextsThatRemain) {
  Grid.SetCells(2, 2, "kept");
  Grid.SetCells(5, 3, "gone");
  Show();
  Click(Grid.CellRect(4, 3).center());
  Grid.SetColCount(3);
  Grid.SetRowCount(3);
  EXPECT_EQ(std::pair(Grid.Col(), Grid.Row()), std::pair(2, 2));
  EXPECT_EQ(Grid.Cells(2, 2), "kept");
  Grid.SetColCount(6);
  Grid.SetRowCount(4);
  EXPECT_EQ(Grid.Cells(5, 3), "");
  EXPECT_EQ(Grid.ColWidths(5), 30);
}

}  // namespace
