#pragma once

#include <QImage>
#include <QRectF>

#include <immintrin.h>

#include <vector>

// A scaled copy of part of a 32-bit image: every target pixel is the bilinear blend of the four
// source pixels around the point its centre maps to (clamped at the edges), so that no source row
// or column is skipped while the copy is at least half as large. It runs on the calling thread
// (the platform's scaled drawing may start pool threads) and allocates only when a size changes.
class TKvImageStretch {
public:
  // Fills `target` (32-bit, its size kept) with `area` of `source` stretched over it.
  void Stretch(const QImage& source, const QRectF& area, QImage& target);

private:
  // A target column's (or line's) first source pixel and the weight of the next one, of 256.
  struct TTap {
    int First;
    int Next;
    uint32_t Weight;
  };
  // The weights of four consecutive target columns spread over the 16-bit lanes of their pixels'
  // channels: the first two columns' in Low, the last two's in High.
  struct TLaneWeights {
    __m128i KeepLow, NextLow, KeepHigh, NextHigh;
  };
  static void Taps(std::vector<TTap>& taps, double start, double span, int sourceCount, int targetCount);
  void BlendAcross(const QRgb* pixels, QRgb* out) const;

  std::vector<TTap> Columns;
  std::vector<TLaneWeights> ColumnWeights;
  std::vector<TTap> Lines;
  std::vector<QRgb> Blended[2];
};
