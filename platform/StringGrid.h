#pragma once

#include "platform/GridAxis.h"
#include "platform/WidgetControl.h"
#include "platform/WinControl.h"

#include <QAbstractScrollArea>
#include <QString>

#include <vector>

class QPainter;

// What the grid knows about a cell it paints.
enum TGridDrawStateFlag : unsigned {
  gdSelected = 1u << 0,  // the current cell
  gdFocused = 1u << 1,   // the current cell while the grid has the keyboard focus
  gdFixed = 1u << 2,     // a cell of the fixed columns or rows
};
using TGridDrawState = unsigned;

// A scrollable table of text cells: fixed columns and rows at the top left that never scroll,
// per-column widths and per-row heights, a current cell moved by mouse and keyboard, and an
// owner-draw event called for every cell after the grid's own painting of it.
class TStringGrid : public TWidgetControl<QAbstractScrollArea, TWinControl> {
public:
  PUBLISHED_CLASS_INFO

  using TDrawCellEvent = void(TObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State);
  // Called before the current cell moves; clearing CanSelect keeps it where it is.
  using TSelectCellEvent = void(TObject* Sender, int ACol, int ARow, bool& CanSelect);

  explicit TStringGrid(TComponent* owner);

  int ColCount() const { return static_cast<int>(ColWidths_.size()); }
  void SetColCount(int count);
  int RowCount() const { return static_cast<int>(RowHeights_.size()); }
  void SetRowCount(int count);
  int FixedCols() const { return FixedCols_; }
  void SetFixedCols(int count);
  int FixedRows() const { return FixedRows_; }
  void SetFixedRows(int count);

  // Changing a default size resets every column width or row height to it.
  int DefaultColWidth() const { return DefaultColWidth_; }
  void SetDefaultColWidth(int width);
  int DefaultRowHeight() const { return DefaultRowHeight_; }
  void SetDefaultRowHeight(int height);
  int GridLineWidth() const { return GridLineWidth_; }
  void SetGridLineWidth(int width);
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  int RowHeights(int row) const;
  void SetRowHeights(int row, int height);

  QString Cells(int col, int row) const;
  void SetCells(int col, int row, const QString& text);

  int Col() const { return Col_; }
  void SetCol(int col) { FocusCell(col, Row_); }
  int Row() const { return Row_; }
  void SetRow(int row) { FocusCell(Col_, row); }
  int LeftCol() const { return LeftCol_; }
  void SetLeftCol(int col);
  int TopRow() const { return TopRow_; }
  void SetTopRow(int row);

  // Color is the background of the normal cells, FixedColor that of the fixed ones.
  TColor DefaultColor() const override { return clWindow; }
  TColor FixedColor() const { return FixedColor_; }
  void SetFixedColor(TColor color);

  TEvent<TDrawCellEvent> OnDrawCell;
  TEvent<TSelectCellEvent> OnSelectCell;

  // Client rectangle of a shown cell, without the lines around it; empty when not shown.
  QRect CellRect(int col, int row) const;
  // Cell under a client point; false (and -1, -1) when the point lies outside every cell.
  bool MouseToCell(const QPoint& point, int& col, int& row) const;

  // The painter of the grid, valid only inside OnDrawCell and the painting of subclasses.
  QPainter& Canvas() const;

protected:
  // Client rectangle of the cells from (left, top) to (right, bottom) with their lines, clipped to
  // what is shown; empty when the range is inverted or lies wholly past what is shown.
  QRect GridRectToClientRect(int left, int top, int right, int bottom) const;
  // Repaints the cell range without erasing first; nothing happens before the grid is shown.
  void InvalidateGridRect(int left, int top, int right, int bottom);

  virtual void DrawCell(int col, int row, const QRect& rect, TGridDrawState state);
  virtual bool SelectCell(int col, int row);

  void paintEvent(QPaintEvent* event) override;
  void Resized() override;
  void ApplyColor() override { viewport()->update(); }
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  TGridAxis ColAxis() const;
  TGridAxis RowAxis() const;
  // Moves the current cell there when it is a normal cell and SelectCell allows it.
  void FocusCell(int col, int row);
  void ScrollIntoView(int col, int row);
  void ResetCurrentCell();
  void SizeChanged();
  void UpdateScrollBars();
  QRect Mirrored(const QRect& logical) const;
  QPoint Mirrored(const QPoint& client) const;

  // The default sizes come first: the size lists are built from them.
  int DefaultColWidth_ = 64;
  int DefaultRowHeight_ = 24;
  std::vector<int> ColWidths_;
  std::vector<int> RowHeights_;
  std::vector<std::vector<QString>> Cells_;  // [col][row]
  int FixedCols_ = 1;
  int FixedRows_ = 1;
  int GridLineWidth_ = 1;
  int Col_ = 1;
  int Row_ = 1;
  int LeftCol_ = 1;
  int TopRow_ = 1;
  TColor FixedColor_ = clBtnFace;
  QPainter* Painter = nullptr;
};
