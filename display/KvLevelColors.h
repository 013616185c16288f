#pragma once

#include "platform/Colors.h"

#include <QRgb>

#include <cstdint>
#include <vector>

// How a level scale turns a place within its range into a colour. `range` is the width of the
// range and `offset` the value's distance from its low end; both come from the caller, which has
// already clamped the value into the range.

// The built-in palette's index of an offset: round(offset / range × 1408) within 0 … 1408; a
// range that is not above 0 (or a value that is not a number) gives the low end.
int BuiltInLevelIndex(double range, double offset);
// The built-in palette, black → blue → aqua → lime → yellow → red → half purple, at an index of
// 0 … 1408.
QRgb BuiltInLevelColor(int index);
// Grey by round(offset / range × 255); the low end for an empty range.
QRgb GreyLevelColor(double range, double offset);
// Between two or more colours, evenly spaced over the range; the low end for an empty range.
QRgb InterpolatedLevelColor(const std::vector<QRgb>& colours, double range, double offset);
// A single colour scaled by offset / range; the colour itself for an empty range.
QRgb ScaledLevelColor(QRgb colour, double range, double offset);
// A scale's colour as the canvas takes it.
inline TColor ToCanvasColor(QRgb rgb) { return static_cast<TColor>(qRed(rgb) | qGreen(rgb) << 8 | qBlue(rgb) << 16); }

// The colours of a scale as the picture uses them: grey, the configured colours (two or more), or
// the built-in palette. Grey and the palette come from tables filled once, so colouring a value
// costs one division and a look-up; configured colours are interpolated per value.
class TKvLevelColorTable {
public:
  static constexpr int PaletteSteps = 1408;

  TKvLevelColorTable() : TKvLevelColorTable(false, {}) {}
  TKvLevelColorTable(bool grey, std::vector<QRgb> colours);

  QRgb Pixel(double range, double offset) const;
  bool operator==(const TKvLevelColorTable& other) const { return Grey == other.Grey && Colours == other.Colours; }

private:
  bool Grey;
  std::vector<QRgb> Colours;
  // The palette by index, or the 256 grey levels.
  std::vector<QRgb> Table;
};
