#include "display/KvLevelColors.h"

#include <algorithm>
#include <cmath>

namespace {

// round(offset / range × steps) within 0 … steps, ties to even; 0 for an empty range.
int ScaledIndex(double range, double offset, int steps) {
  if (!(range > 0)) return 0;
  const double scaled = std::nearbyint(offset / range * steps);
  if (!(scaled > 0)) return 0;
  return scaled >= steps ? steps : static_cast<int>(scaled);
}

int Component(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

int BuiltInLevelIndex(double range, double offset) {
  return ScaledIndex(range, offset, TKvLevelColorTable::PaletteSteps);
}

QRgb BuiltInLevelColor(int index) {
  const int c = std::clamp(index, 0, TKvLevelColorTable::PaletteSteps);
  const int low = c % 256;
  switch (c / 256) {
    case 0: return qRgb(0, 0, c);
    case 1: return qRgb(0, low, 255);
    case 2: return qRgb(0, 255, 255 - low);
    case 3: return qRgb(low, 255, 0);
    case 4: return qRgb(255, 255 - low, 0);
    default: return qRgb(255, 0, low);
  }
}

QRgb GreyLevelColor(double range, double offset) {
  const int g = ScaledIndex(range, offset, 255);
  return qRgb(g, g, g);
}

QRgb InterpolatedLevelColor(const std::vector<QRgb>& colours, double range, double offset) {
  const int n = static_cast<int>(colours.size());
  if (n == 0) return BuiltInLevelColor(0);
  if (n == 1 || !(range > 0)) return colours.front();
  // Within the range; what is not a number counts as the low end.
  offset = offset > 0 ? std::min(offset, range) : 0;
  const double f = offset / range;
  const int k = f == 1 ? n - 2 : std::min(static_cast<int>(f * (n - 1)), n - 2);
  const double t = (offset - range * k / (n - 1)) / (range / (n - 1));
  const QRgb from = colours[size_t(k)], to = colours[size_t(k) + 1];
  const auto blend = [t](int a, int b) { return (a + Component((b - a) * t)) & 0xFF; };
  return qRgb(blend(qRed(from), qRed(to)), blend(qGreen(from), qGreen(to)), blend(qBlue(from), qBlue(to)));
}

QRgb ScaledLevelColor(QRgb colour, double range, double offset) {
  if (!(range > 0)) return colour;
  const double f = offset > 0 ? std::min(offset / range, 1.0) : 0;
  return qRgb(Component(qRed(colour) * f), Component(qGreen(colour) * f), Component(qBlue(colour) * f));
}

TKvLevelColorTable::TKvLevelColorTable(bool grey, std::vector<QRgb> colours)
    : Grey(grey), Colours(grey || colours.size() < 2 ? std::vector<QRgb>{} : std::move(colours)) {
  if (Grey) {
    for (int g = 0; g < 256; ++g) Table.push_back(qRgb(g, g, g));
  } else if (Colours.empty()) {
    for (int c = 0; c <= PaletteSteps; ++c) Table.push_back(BuiltInLevelColor(c));
  }
}

QRgb TKvLevelColorTable::Pixel(double range, double offset) const {
  if (Grey) return Table[size_t(ScaledIndex(range, offset, 255))];
  if (!Colours.empty()) return InterpolatedLevelColor(Colours, range, offset);
  return Table[size_t(ScaledIndex(range, offset, PaletteSteps))];
}
