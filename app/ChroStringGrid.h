#pragma once

#include "platform/StringGrid.h"

// The note table's grid: a string grid that repaints whole columns and rows (the window moves its
// row and column frame with them) and whose fixed corner cells can be sized with the mouse.
class TChroStringGrid : public TStringGrid {
public:
  PUBLISHED_CLASS_INFO

  explicit TChroStringGrid(TComponent* owner);

  bool FixedColSizing() const { return FixedColSizing_; }
  void SetFixedColSizing(bool on) { FixedColSizing_ = on; }
  bool FixedRowSizing() const { return FixedRowSizing_; }
  void SetFixedRowSizing(bool on) { FixedRowSizing_ = on; }

  void InvalidateCol(int column) { InvalidateGridRect(column, 0, column, RowCount() - 1); }
  void InvalidateRow(int row) { InvalidateGridRect(0, row, ColCount() - 1, row); }
  using TStringGrid::InvalidateGridRect;

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  // Which edge of a fixed corner cell is under the pointer; the column edge wins when both are.
  enum class TSizingEdge { None, Column, Row };
  TSizingEdge EdgeUnder(const QPoint& point, int& col, int& row, QRect& cell) const;
  // The line marks where the sized edge will go; "drawing" it again where it is removes it.
  void ToggleSizingLine();
  QRect SizingLineRect() const;

  bool FixedColSizing_ = false;
  bool FixedRowSizing_ = false;
  bool SizingCol = false;
  bool SizingRow = false;
  int SizingColIndex = -1;
  int SizingRowIndex = -1;
  int SizingPos = -1;
  bool SizingLineShown = false;
};
