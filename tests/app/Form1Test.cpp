#include "Form1TestKit.h"
#include "app/Form1Layout.h"
#include "app/NoteTable.h"
#include "platform/ErrorReport.h"
#include "platform/LayoutWriter.h"

#include <QComboBox>
#include <QPaintEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST_F(Form1, ListsTheFormatsAndShowsThe44100HzTable) {
  Create(TCaptureOutcome::Opens);
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("Таблица нотных каналов"));
  QStringList expected;
  for (int rate : {8000, 11025, 22050, 33075, 44100, 48000, 96000})
    for (int bits : {8, 16})
      for (const char* channels : {"Mono", "Stereo"})
        expected << QString("%1Hz %2bit %3").arg(rate).arg(bits).arg(channels);
  QStringList items;
  for (int i = 0; i < Form->FormatBox->count(); ++i) items << Form->FormatBox->itemText(i);
  EXPECT_EQ(items, expected);
  EXPECT_EQ(Form->FormatBox->currentIndex(), 19);
  EXPECT_EQ(Form->FormatBox->currentText(), "44100Hz 16bit Stereo");

  const TNoteTable table = ComputeNoteTable(44100);
  ASSERT_EQ(Grid().ColCount(), 12);
  ASSERT_EQ(Grid().RowCount(), 12);
  EXPECT_EQ(Grid().ColWidths(0), 35);
  for (int col = 0; col < 12; ++col) {
    if (col > 0) {
      EXPECT_EQ(Grid().ColWidths(col), NoteColumnWidth(col));
    }
    for (int row = 0; row < 12; ++row)
      EXPECT_EQ(Grid().Cells(col, row).toStdString(), table.Cells[size_t(col)][size_t(row)]);
  }
  EXPECT_EQ(Form->BoundaryCols, table.BoundaryCols);
  EXPECT_EQ(Form->BoundaryRows, table.BoundaryRows);
}

TEST_F(Form1, ItsLayoutWritesBackAsItIsStored) {
  // Without a capture device FormCreate adds no format items, so only the layout is written.
  // Not shown, so that the chain is as stored: the generators disabled. The pin links are part of
  // the text.
  Create(TCaptureOutcome::Refused, false);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*Form), Form1Layout);
}

TEST_F(Form1, OnlyAUserPickRecomputesTheTable) {
  Create(TCaptureOutcome::Opens);
  Form->FormatBox->setCurrentIndex(0);  // from code: nothing happens
  EXPECT_EQ(Grid().ColCount(), 12);
  Form->FormatBox->setCurrentIndex(19);

  PickFormat(0);  // 8000Hz 8bit Mono
  EXPECT_EQ(Grid().ColCount(), 9);
  EXPECT_EQ(Form->BoundaryCols, (std::vector<int32_t>{8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(Form->BoundaryRows, std::vector<int32_t>(8, 0));
  const QImage image = RenderGrid();
  for (int col = 1; col <= 8; ++col) {
    const QRect cell = Grid().CellRect(col, 0);
    const QColor expected = col == Grid().Col() ? Grid().palette().color(QPalette::Highlight) : QColor(255, 255, 0);
    EXPECT_EQ(image.pixelColor(cell.x() + 3, cell.y() + 3), expected) << "column " << col;
  }

  PickFormat(16);  // 44100Hz 8bit Mono
  const auto mono8 = GridTexts();
  for (int index : {17, 18, 19}) {
    PickFormat(index);
    EXPECT_EQ(GridTexts(), mono8) << Form->FormatBox->currentText().toStdString();
  }
}

TEST_F(Form1, CaptureFailureIsReportedOnceAndLeavesAnEmptyListAndNoMarks) {
  const std::pair<TCaptureOutcome, std::string> failures[] = {
      {TCaptureOutcome::Refused, "ALSA capture cannot be initialized"},
      {TCaptureOutcome::Unreachable, "Requires libasound.so.2"},
  };
  for (const auto& [outcome, message] : failures) {
    SCOPED_TRACE(message);
    Errors.clear();
    Create(outcome);
    EXPECT_EQ(Errors, std::vector<std::string>{message});
    EXPECT_EQ(Form->FormatBox->count(), 0);
    EXPECT_TRUE(Form->BoundaryCols.empty());
    EXPECT_TRUE(Form->BoundaryRows.empty());
    EXPECT_EQ(Grid().ColCount(), 12);
    EXPECT_EQ(Grid().RowCount(), 12);
    for (const auto& column : GridTexts())
      for (const QString& text : column) EXPECT_TRUE(text.isEmpty());
    const QImage image = RenderGrid();
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) ASSERT_NE(image.pixelColor(x, y), QColor(255, 255, 0)) << x << "," << y;
    TearDown();
  }
}

// Pixels of the grid at 44100 Hz with the current cell at column 1, row 0.
class Form1Drawing : public Form1 {
protected:
  void SetUp() override {
    Create(TCaptureOutcome::Opens);
    ASSERT_EQ(std::pair(Grid().Col(), Grid().Row()), std::pair(1, 0));
    Ink = ToQColor(Grid().Font()->Color(), Grid().palette());
    Background = ToQColor(Grid().Color(), Grid().palette());
  }
  QColor Ink;
  QColor Background;
};

TEST_F(Form1Drawing, GroupEndsAreYellowAndTheCurrentCellIsHighlighted) {
  const QImage image = RenderGrid();
  auto insideR = [&](int col, int row) {
    const QRect cell = Grid().CellRect(col, row);
    return image.pixelColor(cell.x() + 3, cell.y() + cell.height() - 4);
  };
  const QColor yellow(255, 255, 0);
  for (int col = 1; col <= 10; ++col) EXPECT_EQ(insideR(col, 5), yellow) << "column " << col;
  EXPECT_EQ(insideR(11, 5), Background);  // past the Nyquist frequency: empty, not a group end
  EXPECT_EQ(insideR(2, 6), Background);
  EXPECT_EQ(insideR(1, 0), Grid().palette().color(QPalette::Highlight));
  EXPECT_NE(insideR(0, 5), yellow);  // the note-name column is left as the grid painted it
}

TEST_F(Form1Drawing, TheCurrentRowAndColumnAreFramed) {
  const QImage image = RenderGrid();
  // A cell of the current row: lines along its top and its last pixel row, edge to edge.
  const QRect inRow = Grid().CellRect(3, 0);
  for (int x = inRow.left(); x <= inRow.right(); ++x) {
    EXPECT_EQ(image.pixelColor(x, inRow.top()), Ink) << x;
    EXPECT_EQ(image.pixelColor(x, inRow.bottom()), Ink) << x;
  }
  EXPECT_NE(image.pixelColor(inRow.left(), inRow.center().y()), Ink);
  // A cell of the current column: lines along its left edge and its last pixel column, from the
  // top down to, not including, its last pixel row.
  const QRect inCol = Grid().CellRect(1, 3);
  for (int y = inCol.top(); y < inCol.bottom(); ++y) {
    EXPECT_EQ(image.pixelColor(inCol.left(), y), Ink) << y;
    EXPECT_EQ(image.pixelColor(inCol.right(), y), Ink) << y;
  }
  EXPECT_NE(image.pixelColor(inCol.left(), inCol.bottom()), Ink);
  EXPECT_NE(image.pixelColor(inCol.center().x(), inCol.top()), Ink);
  // Neither: no frame. The note-name cell of the current row: no frame either.
  const QRect other = Grid().CellRect(4, 4);
  EXPECT_NE(image.pixelColor(other.center().x(), other.top()), Ink);
  EXPECT_NE(image.pixelColor(other.left(), other.center().y()), Ink);
  const QRect name = Grid().CellRect(0, 0);
  EXPECT_NE(image.pixelColor(name.center().x(), name.top()), Ink);
  EXPECT_NE(image.pixelColor(name.center().x(), name.bottom()), Ink);
}

// Horizontal extent of the ink inside a cell's drawing rectangle.
std::pair<int, int> InkSpan(const QImage& image, const QRect& r, const QColor& background) {
  int from = INT_MAX, to = -1;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (image.pixelColor(x, y) != background) {
        from = std::min(from, x);
        to = std::max(to, x);
      }
  return {from, to};
}

TEST_F(Form1Drawing, ShortTextsAreCentredLongOnesStartAtTheLeft) {
  struct Case {
    int Col;
    int Row;
    const char* Text;
    bool Centred;
  };
  const Case cases[] = {
      {4, 3, "ab", true},       // shorter than 3 characters
      {4, 4, "abc", false},     // 3 characters outside the current column
      {1, 3, "abcde", true},    // up to 5 characters in the current column
      {1, 4, "abcdef", false},  // longer
  };
  for (const Case& c : cases) Grid().SetCells(c.Col, c.Row, c.Text);
  QApplication::processEvents();
  const QImage image = RenderGrid();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    const QRect R = Grid().CellRect(c.Col, c.Row).adjusted(2, 2, -2, -2);
    const auto [from, to] = InkSpan(image, R.adjusted(1, 0, -1, 0), Background);
    ASSERT_LE(from, to);
    const int leftGap = from - R.left();
    const int rightGap = R.right() - to;
    if (c.Centred) {
      EXPECT_LE(std::abs(leftGap - rightGap), 2) << leftGap << " " << rightGap;
    } else {
      EXPECT_LE(leftGap, 2);
    }
  }
}

// Records the regions the grid repaints.
struct TPaintRecorder : QObject {
  QRegion Painted;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) Painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

TEST_F(Form1Drawing, MovingTheSelectionRepaintsTheOldAndNewRowsAndColumns) {
  TPaintRecorder recorder;
  Grid().viewport()->installEventFilter(&recorder);
  Grid().setFocus();
  QApplication::processEvents();
  recorder.Painted = QRegion();

  QTest::mouseClick(Grid().viewport(), Qt::LeftButton, Qt::NoModifier, Grid().CellRect(5, 7).center());
  QApplication::processEvents();
  ASSERT_EQ(std::pair(Grid().Col(), Grid().Row()), std::pair(5, 7));

  auto line = [&](int col0, int row0, int col1, int row1) {
    return QRect(Grid().CellRect(col0, row0).topLeft(), Grid().CellRect(col1, row1).bottomRight() + QPoint(1, 1));
  };
  const int lastCol = Grid().ColCount() - 1;
  const int lastRow = Grid().RowCount() - 1;
  QRegion expected;
  expected += line(1, 0, 1, lastRow);
  expected += line(5, 0, 5, lastRow);
  expected += line(0, 0, lastCol, 0);
  expected += line(0, 7, lastCol, 7);
  EXPECT_EQ(recorder.Painted, expected);

  // The frame followed: row 7 is framed, row 0 no longer is.
  const QImage image = RenderGrid();
  const QRect newRow = Grid().CellRect(3, 7);
  const QRect oldRow = Grid().CellRect(3, 0);
  EXPECT_EQ(image.pixelColor(newRow.center().x(), newRow.top()), Ink);
  EXPECT_NE(image.pixelColor(oldRow.center().x(), oldRow.top()), Ink);
}

}  // namespace
