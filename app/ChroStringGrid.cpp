#include "app/ChroStringGrid.h"

#include "platform/Published.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// The pointer sizes an edge when it is closer than this to it.
constexpr int SizingZone = 5;
// A sized column or row keeps at least this many pixels.
constexpr int MinimumSizedExtent = SizingZone + 1;

}  // namespace

const TClassInfo& TChroStringGrid::StaticClassInfo() {
  return DefineClass<TChroStringGrid, TStringGrid>("TChroStringGrid", [](TPublished<TChroStringGrid>& p) {
    p.Boolean("FixedColSizing", &TChroStringGrid::FixedColSizing, &TChroStringGrid::SetFixedColSizing, false)
        .Boolean("FixedRowSizing", &TChroStringGrid::FixedRowSizing, &TChroStringGrid::SetFixedRowSizing, false);
  });
}

TChroStringGrid::TChroStringGrid(TComponent* owner) : TStringGrid(owner) { viewport()->setMouseTracking(true); }

TChroStringGrid::TSizingEdge TChroStringGrid::EdgeUnder(const QPoint& point, int& col, int& row, QRect& cell) const {
  if (!MouseToCell(point, col, row) || col >= FixedCols() || row >= FixedRows()) return TSizingEdge::None;
  cell = CellRect(col, row);
  if (FixedColSizing_ && cell.x() + cell.width() - point.x() < SizingZone) return TSizingEdge::Column;
  if (FixedRowSizing_ && cell.y() + cell.height() - point.y() < SizingZone) return TSizingEdge::Row;
  return TSizingEdge::None;
}

void TChroStringGrid::mousePressEvent(QMouseEvent* event) {
  int col, row;
  QRect cell;
  const TSizingEdge edge = EdgeUnder(event->position().toPoint(), col, row, cell);
  if (edge != TSizingEdge::None && (event->buttons() & Qt::LeftButton)) {
    if (edge == TSizingEdge::Column) {
      SizingCol = true;
      SizingColIndex = col;
      SizingPos = cell.x() + cell.width();
    } else {
      SizingRow = true;
      SizingRowIndex = row;
      SizingPos = cell.y() + cell.height();
    }
    ToggleSizingLine();
    return;
  }
  TStringGrid::mousePressEvent(event);
}

void TChroStringGrid::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  viewport()->unsetCursor();
  int col, row;
  QRect cell;
  switch (EdgeUnder(point, col, row, cell)) {
    case TSizingEdge::Column: viewport()->setCursor(Qt::SplitHCursor); break;
    case TSizingEdge::Row: viewport()->setCursor(Qt::SplitVCursor); break;
    case TSizingEdge::None: break;
  }
  if (SizingCol || SizingRow) {
    ToggleSizingLine();
    SizingPos = SizingCol ? point.x() : point.y();
    ToggleSizingLine();
  }
  TStringGrid::mouseMoveEvent(event);
}

void TChroStringGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && (SizingCol || SizingRow)) {
    const QPoint point = event->position().toPoint();
    ToggleSizingLine();
    SizingPos = -1;
    if (SizingCol) {
      SizingCol = false;
      const int left = CellRect(SizingColIndex, 0).x();
      if (point.x() > left + SizingZone) SetColWidths(SizingColIndex, point.x() - left);
      SizingColIndex = -1;
    } else {
      SizingRow = false;
      const int top = CellRect(0, SizingRowIndex).y();
      if (point.y() > top + SizingZone) SetRowHeights(SizingRowIndex, point.y() - top);
      SizingRowIndex = -1;
    }
  }
  TStringGrid::mouseReleaseEvent(event);
}

QRect TChroStringGrid::SizingLineRect() const {
  const QRect cells = GridRectToClientRect(0, 0, ColCount() - 1, RowCount() - 1);
  if (SizingCol) return QRect(SizingPos, 0, 1, cells.y() + cells.height());
  return QRect(0, SizingPos, cells.x() + cells.width(), 1);
}

void TChroStringGrid::ToggleSizingLine() {
  SizingLineShown = !SizingLineShown;
  viewport()->update(SizingLineRect());
}

void TChroStringGrid::paintEvent(QPaintEvent* event) {
  TStringGrid::paintEvent(event);
  if (!SizingLineShown) return;
  QPainter painter(viewport());
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
  const QRect line = SizingLineRect();
  painter.drawLine(line.topLeft(), line.bottomRight());
}
