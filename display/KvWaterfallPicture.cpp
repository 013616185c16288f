#include "display/KvWaterfallPicture.h"

#include "display/KvTickSteps.h"
#include "vector/PrimitiveBinding.h"

#include <algorithm>
#include <cmath>

namespace {

int PaddedTo4(int n) { return (n + 3) & ~3; }

const Primitives::TDisplayPrimitives& DisplayPrimitives() { return Primitives::BoundPrimitives().Display; }

}  // namespace

bool TKvWaterfallPicture::Behind(const TKvWaterfallHistory& history) const {
  return !Valid || Generation != history.Generation() || Appended != history.Appended() || Removed != history.Removed();
}

bool TKvWaterfallPicture::Update(const TKvWaterfallHistory& history, TKvWaterfallGeometry geometry,
                                 const TKvWaterfallColouring& colouring) {
  geometry.Samples = std::max(geometry.Samples, 1);
  geometry.Bins = std::max(geometry.Bins, 1);
  const QSize size = geometry.Vertical ? QSize(PaddedTo4(geometry.Bins), geometry.Samples)
                                       : QSize(PaddedTo4(geometry.Samples), geometry.Bins);
  if (Image_.size() != size) {
    Image_ = QImage(size, QImage::Format_RGB32);
    Valid = false;
  }
  if (!(colouring == Colouring) || !(geometry == Geometry_)) {
    if (colouring.Grey != Colouring.Grey || colouring.Colours != Colouring.Colours)
      Table = TKvLevelColorTable(colouring.Grey, colouring.Colours);
    Colouring = colouring;
    Geometry_ = geometry;
    Range = colouring.Max - colouring.Min;
    if (Range == 0 || !std::isfinite(Range)) Range = 1;
    Valid = false;
  }
  const uint64_t added = history.Appended() - Appended, left = history.Removed() - Removed;
  const bool whole =
      !Valid || Generation != history.Generation() || left > uint64_t(RowsShown_) || added > uint64_t(history.Count());
  if (whole) {
    DrawAll(history);
  } else {
    Scroll(static_cast<int>(left));
    if (!geometry.Vertical) ClearPadding();
    const int kept = RowsShown_ - static_cast<int>(left);
    Clear(kept, geometry.Samples);
    for (int i = kept; i < history.Count(); ++i) DrawRow(history.Row(i), i);
  }
  Valid = true;
  RowsShown_ = history.Count();
  Appended = history.Appended();
  Removed = history.Removed();
  Generation = history.Generation();
  return whole;
}

void TKvWaterfallPicture::DrawAll(const TKvWaterfallHistory& history) {
  Image_.fill(Colouring.Background);
  for (int i = 0; i < history.Count(); ++i) DrawRow(history.Row(i), i);
}

QRgb* TKvWaterfallPicture::RowStart(int index, qsizetype& step) {
  const int place = Place(index);
  const qsizetype line = Image_.bytesPerLine() / qsizetype(sizeof(QRgb));
  auto* pixels = reinterpret_cast<QRgb*>(Image_.bits());
  if (Geometry_.Vertical) {
    // Bins run rightwards along the row's line.
    step = 1;
    return pixels + place * line;
  }
  // Bins run upwards from the bottom of the row's column.
  step = -line;
  return pixels + (Image_.height() - 1) * line + place;
}

int TKvWaterfallPicture::Place(int row) const { return Geometry_.Reversed ? Geometry_.Samples - 1 - row : row; }

QPoint TKvWaterfallPicture::PixelOf(int row, int bin) const {
  const int place = Place(row);
  return Geometry_.Vertical ? QPoint(bin, place) : QPoint(place, Image_.height() - 1 - bin);
}

bool TKvWaterfallPicture::RowAndBinAt(QPointF point, int& row, int& bin) const {
  if (Image_.isNull() || !(point.x() >= 0 && point.y() >= 0)) return false;
  const int x = static_cast<int>(point.x()), y = static_cast<int>(point.y());
  if (x >= Image_.width() || y >= Image_.height()) return false;
  const int place = Geometry_.Vertical ? y : x;
  bin = Geometry_.Vertical ? x : Image_.height() - 1 - y;
  if (place >= Geometry_.Samples || bin >= Geometry_.Bins) return false;
  row = Geometry_.Reversed ? Geometry_.Samples - 1 - place : place;
  return true;
}

void TKvWaterfallPicture::DrawRow(const TKvWaterfallRow& row, int index) {
  qsizetype step = 0;
  QRgb* pixel = RowStart(index, step);
  const int bins = Geometry_.Bins;
  const int drawn = static_cast<int>(std::min<uint32_t>(row.Length(), static_cast<uint32_t>(bins)));
  const double* values = drawn > 0 ? row.Buffer->ReadData() : nullptr;
  const double min = Colouring.Min, max = Colouring.Max;
  for (int j = 0; j < drawn; ++j, pixel += step) {
    double x = values[j];
    if (Colouring.Logarithmic) x = LogScale(x);
    // Clamped into the range; what is not a number shows as the low end.
    x = x > min ? std::min(x, max) : min;
    *pixel = Table.Pixel(Range, x - min);
  }
  // A row shorter than the picture leaves the rest of its place to the background.
  for (int j = drawn; j < bins; ++j, pixel += step) *pixel = Colouring.Background;
}

void TKvWaterfallPicture::Clear(int first, int last) {
  if (first >= last) return;
  // The places of consecutive rows form one rectangle of the image.
  const QPoint a = PixelOf(first, 0), b = PixelOf(last - 1, 0);
  const int count = last - first;
  Fill(Geometry_.Vertical ? QRect(0, std::min(a.y(), b.y()), Image_.width(), count)
                          : QRect(std::min(a.x(), b.x()), 0, count, Image_.height()));
}

void TKvWaterfallPicture::ClearPadding() {
  Fill(QRect(Geometry_.Samples, 0, Image_.width() - Geometry_.Samples, Image_.height()));
}

void TKvWaterfallPicture::Fill(QRect rect) {
  rect &= Image_.rect();
  if (rect.isEmpty()) return;
  const QRgb background = Colouring.Background;
  const Primitives::Ipp8u value[4] = {uint8_t(qBlue(background)), uint8_t(qGreen(background)),
                                      uint8_t(qRed(background)), 0xFF};
  DisplayPrimitives().ippiSet_8u_C4R(value, Image_.bits() + rect.y() * Image_.bytesPerLine() + rect.x() * 4,
                                     static_cast<int>(Image_.bytesPerLine()), {rect.width(), rect.height()});
}

void TKvWaterfallPicture::Scroll(int rows) {
  if (rows <= 0) return;
  // The whole pixel array moves by the rows that left, towards the oldest side: what wraps over
  // a line's end lands where new rows or the background are drawn next.
  const qsizetype stride = Geometry_.Vertical ? Image_.bytesPerLine() : qsizetype(sizeof(QRgb));
  const qsizetype shift = stride * rows, total = Image_.sizeInBytes();
  if (shift >= total) return;
  uint8_t* bits = Image_.bits();
  const int length = static_cast<int>(total - shift);
  if (!Geometry_.Reversed) DisplayPrimitives().ippsMove_8u(bits + shift, bits, length);
  else DisplayPrimitives().ippsMove_8u(bits, bits + shift, length);
}
