#include "platform/StringGrid.h"

#include "platform/Exception.h"
#include "platform/Published.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace {

void CheckIndex(int index, int count) {
  if (index < 0 || index >= count) throw EListError("Grid index out of range");
}

// Clears the grid's painter pointer however painting ends.
struct TPainterScope {
  QPainter*& Slot;
  TPainterScope(QPainter*& slot, QPainter& painter) : Slot(slot) { Slot = &painter; }
  ~TPainterScope() { Slot = nullptr; }
};

// Logical pixel span [from, to) of the shown cells first..last of an axis, their lines included.
bool ShownSpan(const TGridAxis& axis, int first, int last, int& from, int& to) {
  from = INT_MAX;
  to = -1;
  axis.ForEachVisible([&](int i, int start) {
    if (i < first || i > last) return;
    from = std::min(from, start);
    to = std::max(to, start + axis.Extents[static_cast<size_t>(i)] + axis.LineWidth);
  });
  return to >= 0;
}

}  // namespace

const TClassInfo& TStringGrid::StaticClassInfo() {
  return DefineClass<TStringGrid, TWinControl>("TStringGrid", [](TPublished<TStringGrid>& p) {
    p.Integer("ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount, 5)
        .Integer("RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount, 5)
        .Integer("DefaultColWidth", &TStringGrid::DefaultColWidth, &TStringGrid::SetDefaultColWidth, 64)
        .Integer("DefaultRowHeight", &TStringGrid::DefaultRowHeight, &TStringGrid::SetDefaultRowHeight, 24)
        .Integer("FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols, 1)
        .Integer("FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows, 1)
        .Colour("FixedColor", &TStringGrid::FixedColor, &TStringGrid::SetFixedColor, clBtnFace)
        .Integer("GridLineWidth", &TStringGrid::GridLineWidth, &TStringGrid::SetGridLineWidth, 1)
        .Event("OnDrawCell", &TStringGrid::OnDrawCell)
        .Event("OnSelectCell", &TStringGrid::OnSelectCell);
  });
}

TStringGrid::TStringGrid(TComponent* owner)
    : TWidgetControl(owner),
      ColWidths_(5, DefaultColWidth_),
      RowHeights_(5, DefaultRowHeight_),
      Cells_(5, std::vector<QString>(5)) {
  SetColor(clWindow);
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);
  // Every cell is painted whole, so repaints need no erasing first.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  resize(320, 120);
  QObject::connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int col) { SetLeftCol(col); });
  QObject::connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int row) { SetTopRow(row); });
}

TGridAxis TStringGrid::ColAxis() const {
  return {ColWidths_, FixedCols_, LeftCol_, GridLineWidth_, viewport()->width()};
}

TGridAxis TStringGrid::RowAxis() const {
  return {RowHeights_, FixedRows_, TopRow_, GridLineWidth_, viewport()->height()};
}

void TStringGrid::SetColCount(int count) {
  count = std::max(count, 1);
  FixedCols_ = std::min(FixedCols_, count - 1);
  ColWidths_.resize(static_cast<size_t>(count), DefaultColWidth_);
  Cells_.resize(static_cast<size_t>(count), std::vector<QString>(RowHeights_.size()));
  SizeChanged();
}

void TStringGrid::SetRowCount(int count) {
  count = std::max(count, 1);
  FixedRows_ = std::min(FixedRows_, count - 1);
  RowHeights_.resize(static_cast<size_t>(count), DefaultRowHeight_);
  for (auto& column : Cells_) column.resize(static_cast<size_t>(count));
  SizeChanged();
}

void TStringGrid::SetFixedCols(int count) {
  FixedCols_ = std::clamp(count, 0, ColCount() - 1);
  ResetCurrentCell();
}

void TStringGrid::SetFixedRows(int count) {
  FixedRows_ = std::clamp(count, 0, RowCount() - 1);
  ResetCurrentCell();
}

void TStringGrid::ResetCurrentCell() {
  Col_ = LeftCol_ = FixedCols_;
  Row_ = TopRow_ = FixedRows_;
  SizeChanged();
}

void TStringGrid::SetDefaultColWidth(int width) {
  DefaultColWidth_ = width;
  std::fill(ColWidths_.begin(), ColWidths_.end(), width);
  SizeChanged();
}

void TStringGrid::SetDefaultRowHeight(int height) {
  DefaultRowHeight_ = height;
  std::fill(RowHeights_.begin(), RowHeights_.end(), height);
  SizeChanged();
}

void TStringGrid::SetGridLineWidth(int width) {
  GridLineWidth_ = std::max(width, 0);
  SizeChanged();
}

int TStringGrid::ColWidths(int col) const {
  CheckIndex(col, ColCount());
  return ColWidths_[static_cast<size_t>(col)];
}

void TStringGrid::SetColWidths(int col, int width) {
  CheckIndex(col, ColCount());
  ColWidths_[static_cast<size_t>(col)] = std::max(width, 0);
  SizeChanged();
}

int TStringGrid::RowHeights(int row) const {
  CheckIndex(row, RowCount());
  return RowHeights_[static_cast<size_t>(row)];
}

void TStringGrid::SetRowHeights(int row, int height) {
  CheckIndex(row, RowCount());
  RowHeights_[static_cast<size_t>(row)] = std::max(height, 0);
  SizeChanged();
}

QString TStringGrid::Cells(int col, int row) const {
  CheckIndex(col, ColCount());
  CheckIndex(row, RowCount());
  return Cells_[static_cast<size_t>(col)][static_cast<size_t>(row)];
}

void TStringGrid::SetCells(int col, int row, const QString& text) {
  CheckIndex(col, ColCount());
  CheckIndex(row, RowCount());
  QString& cell = Cells_[static_cast<size_t>(col)][static_cast<size_t>(row)];
  if (cell == text) return;
  cell = text;
  InvalidateGridRect(col, row, col, row);
}

void TStringGrid::SetLeftCol(int col) {
  col = std::clamp(col, FixedCols_, std::max(FixedCols_, ColAxis().MaxFirst()));
  if (col == LeftCol_) return;
  LeftCol_ = col;
  horizontalScrollBar()->setValue(col);
  viewport()->update();
}

void TStringGrid::SetTopRow(int row) {
  row = std::clamp(row, FixedRows_, std::max(FixedRows_, RowAxis().MaxFirst()));
  if (row == TopRow_) return;
  TopRow_ = row;
  verticalScrollBar()->setValue(row);
  viewport()->update();
}

void TStringGrid::SetFixedColor(TColor color) {
  FixedColor_ = color;
  viewport()->update();
}

QRect TStringGrid::Mirrored(const QRect& logical) const {
  if (layoutDirection() != Qt::RightToLeft || logical.isEmpty()) return logical;
  return {viewport()->width() - logical.x() - logical.width(), logical.y(), logical.width(), logical.height()};
}

QPoint TStringGrid::Mirrored(const QPoint& client) const {
  if (layoutDirection() != Qt::RightToLeft) return client;
  return {viewport()->width() - 1 - client.x(), client.y()};
}

QRect TStringGrid::CellRect(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return {};
  int x = ColAxis().Start(col);
  int y = RowAxis().Start(row);
  if (x < 0 || y < 0) return {};
  return Mirrored(QRect(x, y, ColWidths_[static_cast<size_t>(col)], RowHeights_[static_cast<size_t>(row)]));
}

bool TStringGrid::MouseToCell(const QPoint& point, int& col, int& row) const {
  QPoint logical = Mirrored(point);
  col = ColAxis().CellAt(logical.x());
  row = RowAxis().CellAt(logical.y());
  if (col >= 0 && row >= 0) return true;
  col = row = -1;
  return false;
}

QRect TStringGrid::GridRectToClientRect(int left, int top, int right, int bottom) const {
  if (right < left || bottom < top) return {};
  int x0, x1, y0, y1;
  if (!ShownSpan(ColAxis(), left, right, x0, x1) || !ShownSpan(RowAxis(), top, bottom, y0, y1)) return {};
  QRect logical = QRect(x0, y0, x1 - x0, y1 - y0).intersected(viewport()->rect());
  return Mirrored(logical);
}

void TStringGrid::InvalidateGridRect(int left, int top, int right, int bottom) {
  if (!viewport()->testAttribute(Qt::WA_WState_Created)) return;
  QRect rect = GridRectToClientRect(left, top, right, bottom);
  if (!rect.isEmpty()) viewport()->update(rect);
}

QPainter& TStringGrid::Canvas() const {
  if (!Painter) throw Exception("The grid's canvas is used outside painting");
  return *Painter;
}

void TStringGrid::DrawCell(int col, int row, const QRect& rect, TGridDrawState state) {
  QPainter& canvas = *Painter;
  QColor background = ToQColor(Color(), palette());
  QColor text = ToQColor(Font()->Color(), palette());
  if (state & gdFixed) {
    background = ToQColor(FixedColor_, palette());
  } else if ((state & gdSelected) && !(state & gdFocused)) {
    background = palette().color(QPalette::Highlight);
    text = palette().color(QPalette::HighlightedText);
  }
  canvas.fillRect(rect, background);
  canvas.setPen(text);
  canvas.setBrush(background);
  canvas.drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                  Cells_[static_cast<size_t>(col)][static_cast<size_t>(row)]);
  OnDrawCell(this, col, row, rect, state);
}

void TStringGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  TPainterScope scope(Painter, painter);
  const QRect dirty = event->rect();
  painter.fillRect(dirty, ToQColor(Color(), palette()));
  const QColor normalLine = QColor(0xC0, 0xC0, 0xC0);
  const QColor fixedLine = palette().color(QPalette::Shadow);
  const TGridAxis cols = ColAxis();
  const TGridAxis rows = RowAxis();
  rows.ForEachVisible([&](int row, int y) {
    const int height = RowHeights_[static_cast<size_t>(row)];
    cols.ForEachVisible([&](int col, int x) {
      const int width = ColWidths_[static_cast<size_t>(col)];
      if (!Mirrored(QRect(x, y, width + GridLineWidth_, height + GridLineWidth_)).intersects(dirty)) return;
      const bool fixed = col < FixedCols_ || row < FixedRows_;
      const QColor& line = fixed ? fixedLine : normalLine;
      painter.fillRect(Mirrored(QRect(x + width, y, GridLineWidth_, height + GridLineWidth_)), line);
      painter.fillRect(Mirrored(QRect(x, y + height, width, GridLineWidth_)), line);
      TGridDrawState state = fixed ? TGridDrawState(gdFixed) : TGridDrawState(0);
      if (col == Col_ && row == Row_)
        state |= hasFocus() ? TGridDrawState(gdSelected | gdFocused) : TGridDrawState(gdSelected);
      painter.save();
      painter.setFont(font());
      DrawCell(col, row, Mirrored(QRect(x, y, width, height)), state);
      painter.restore();
    });
  });
  if (hasFocus()) {
    QRect focus = CellRect(Col_, Row_);
    if (!focus.isEmpty()) {
      // A dotted frame that inverts what lies beneath, readable on any cell colour.
      painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(focus.adjusted(0, 0, -1, -1));
    }
  }
}

void TStringGrid::SizeChanged() {
  Col_ = std::clamp(Col_, FixedCols_, ColCount() - 1);
  Row_ = std::clamp(Row_, FixedRows_, RowCount() - 1);
  UpdateScrollBars();
  SetLeftCol(LeftCol_);
  SetTopRow(TopRow_);
  viewport()->update();
}

void TStringGrid::UpdateScrollBars() {
  const TGridAxis cols = ColAxis();
  const TGridAxis rows = RowAxis();
  horizontalScrollBar()->setRange(FixedCols_, std::max(FixedCols_, cols.MaxFirst()));
  horizontalScrollBar()->setPageStep(std::max(1, cols.LastFullyVisible() - LeftCol_ + 1));
  verticalScrollBar()->setRange(FixedRows_, std::max(FixedRows_, rows.MaxFirst()));
  verticalScrollBar()->setPageStep(std::max(1, rows.LastFullyVisible() - TopRow_ + 1));
}

void TStringGrid::Resized() {
  TWinControl::Resized();
  SizeChanged();
}

bool TStringGrid::SelectCell(int col, int row) {
  bool canSelect = true;
  OnSelectCell(this, col, row, canSelect);
  return canSelect;
}

void TStringGrid::FocusCell(int col, int row) {
  if (col < FixedCols_ || col >= ColCount() || row < FixedRows_ || row >= RowCount()) return;
  if ((col != Col_ || row != Row_) && SelectCell(col, row)) {
    InvalidateGridRect(Col_, Row_, Col_, Row_);
    Col_ = col;
    Row_ = row;
    InvalidateGridRect(Col_, Row_, Col_, Row_);
  }
  ScrollIntoView(Col_, Row_);
}

void TStringGrid::ScrollIntoView(int col, int row) {
  if (col < LeftCol_) SetLeftCol(col);
  while (col > ColAxis().LastFullyVisible() && LeftCol_ < col) {
    int before = LeftCol_;
    SetLeftCol(LeftCol_ + 1);
    if (LeftCol_ == before) break;
  }
  if (row < TopRow_) SetTopRow(row);
  while (row > RowAxis().LastFullyVisible() && TopRow_ < row) {
    int before = TopRow_;
    SetTopRow(TopRow_ + 1);
    if (TopRow_ == before) break;
  }
}

void TStringGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  int col, row;
  if (MouseToCell(event->position().toPoint(), col, row)) FocusCell(col, row);
}

void TStringGrid::keyPressEvent(QKeyEvent* event) {
  const bool control = event->modifiers() & Qt::ControlModifier;
  const int page = std::max(1, RowAxis().LastFullyVisible() - TopRow_ + 1);
  int col = Col_;
  int row = Row_;
  switch (event->key()) {
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_PageUp: row -= page; break;
    case Qt::Key_PageDown: row += page; break;
    case Qt::Key_Home:
      col = FixedCols_;
      if (control) row = FixedRows_;
      break;
    case Qt::Key_End:
      col = ColCount() - 1;
      if (control) row = RowCount() - 1;
      break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
  }
  FocusCell(std::clamp(col, FixedCols_, ColCount() - 1), std::clamp(row, FixedRows_, RowCount() - 1));
}

void TStringGrid::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  InvalidateGridRect(Col_, Row_, Col_, Row_);
}

void TStringGrid::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  InvalidateGridRect(Col_, Row_, Col_, Row_);
}
