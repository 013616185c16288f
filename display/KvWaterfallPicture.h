#pragma once

#include "display/KvLevelColors.h"
#include "display/KvWaterfallHistory.h"

#include <QImage>

#include <cstdint>
#include <vector>

// Where a waterfall's rows go: columns from the left (or lines from the top, Vertical), the oldest
// first (or last, Reversed); bins upwards from the bottom (or rightwards).
struct TKvWaterfallGeometry {
  int Samples = 512;
  int Bins = 512;
  bool Vertical = false;
  bool Reversed = false;
  bool operator==(const TKvWaterfallGeometry&) const = default;
};

// How values become colours: the level range (already on the logarithmic scale when Logarithmic)
// and the colours; the background fills what holds no row.
struct TKvWaterfallColouring {
  double Min = 0;
  double Max = 1;
  bool Logarithmic = false;
  bool Grey = false;
  std::vector<QRgb> Colours;
  QRgb Background = 0xFF000000;
  bool operator==(const TKvWaterfallColouring&) const = default;
};

// The picture of a waterfall's history, one pixel per bin of each row, before it is stretched
// into the data view. Brought up to date it draws only the rows that arrived since, after moving
// its pixels by the rows that left, so the picture scrolls; it draws everything again when its
// size, the colouring or the history's generation changed, or when more rows came or went than
// it could keep.
class TKvWaterfallPicture {
public:
  // Brings the picture up to date with `history`; true when it was drawn whole.
  bool Update(const TKvWaterfallHistory& history, TKvWaterfallGeometry geometry,
              const TKvWaterfallColouring& colouring);
  // Draws everything again at the next update.
  void Invalidate() { Valid = false; }
  const QImage& Image() const { return Image_; }
  const TKvWaterfallGeometry& Geometry() const { return Geometry_; }
  int RowsShown() const { return RowsShown_; }
  // The history's count of removed rows and its generation as the picture shows them.
  uint64_t RowsRemoved() const { return Removed; }
  uint32_t HistoryGeneration() const { return Generation; }
  // Where history row `row` and bin `bin` lie in the image.
  QPoint PixelOf(int row, int bin) const;
  // The history row and bin at a point of the image; false outside every row's place.
  bool RowAndBinAt(QPointF point, int& row, int& bin) const;
  // Whether the rows that arrived since the last update are not yet in the picture.
  bool Behind(const TKvWaterfallHistory& history) const;

private:
  void DrawAll(const TKvWaterfallHistory& history);
  void Scroll(int rows);
  void DrawRow(const TKvWaterfallRow& row, int index);
  // Fills the places of history rows [first, last) with the background.
  void Clear(int first, int last);
  // The columns beyond the last row's, there to make lines a multiple of four pixels.
  void ClearPadding();
  void Fill(QRect rect);
  // The column (or line) of history row `row`: from the oldest side, which is the left (or top)
  // unless reversed.
  int Place(int row) const;
  // The image's pixels of history row `index`: the first one and the step to the next bin.
  QRgb* RowStart(int index, qsizetype& step);

  QImage Image_;
  TKvWaterfallGeometry Geometry_;
  TKvWaterfallColouring Colouring;
  TKvLevelColorTable Table;
  double Range = 1;
  bool Valid = false;
  int RowsShown_ = 0;
  uint64_t Appended = 0;
  uint64_t Removed = 0;
  uint32_t Generation = 0;
};
