#pragma once

#include <algorithm>
#include <cmath>

// A rectangle in logical pixels of a display: left and top inside, right and bottom just outside,
// so that an empty rectangle has right <= left or bottom <= top.
struct TKvRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  bool Intersects(const TKvRect& other) const {
    return !IsEmpty() && !other.IsEmpty() && Left < other.Right && other.Left < Right && Top < other.Bottom &&
           other.Top < Bottom;
  }
  bool operator==(const TKvRect&) const = default;
};

// The farthest a drawing coordinate may lie from the picture; further values are clamped to it, so
// that no conversion to an integer can overflow.
inline constexpr double KvPixelLimit = 10000000;

// A real coordinate as a pixel: clamped to the limit (NaN counts as beyond it), then rounded to
// nearest with ties to even.
inline int RoundPixel(double value) {
  if (!(value < KvPixelLimit)) return static_cast<int>(KvPixelLimit);
  if (value < -KvPixelLimit) return static_cast<int>(-KvPixelLimit);
  return static_cast<int>(std::nearbyint(value));
}
