#include "display/KvImageStretch.h"

#include <algorithm>
#include <cmath>

namespace {

// Blue and red, and alpha and green, as two lanes of 16 bits each.
constexpr uint32_t EvenLanes = 0x00FF00FF;

QRgb Blend(QRgb a, QRgb b, uint32_t weight) {
  const uint32_t keep = 256 - weight;
  const uint32_t even = ((a & EvenLanes) * keep + (b & EvenLanes) * weight) >> 8;
  const uint32_t odd = ((a >> 8 & EvenLanes) * keep + (b >> 8 & EvenLanes) * weight) >> 8;
  return (even & EvenLanes) | (odd & EvenLanes) << 8;
}

}  // namespace

void TKvImageStretch::Taps(std::vector<TTap>& taps, double start, double span, int sourceCount, int targetCount) {
  taps.resize(size_t(targetCount));
  const double step = span / targetCount;
  for (int t = 0; t < targetCount; ++t) {
    const double at = std::clamp(start + (t + 0.5) * step - 0.5, 0.0, double(sourceCount - 1));
    const int first = static_cast<int>(at);
    const int next = std::min(first + 1, sourceCount - 1);
    taps[size_t(t)] = {first, next, static_cast<uint32_t>(std::lround((at - first) * 256))};
  }
}

void TKvImageStretch::Stretch(const QImage& source, const QRectF& area, QImage& target) {
  const int width = target.width(), height = target.height();
  if (source.isNull() || width <= 0 || height <= 0) return;
  Taps(Columns, area.left(), area.width(), source.width(), width);
  Taps(Lines, area.top(), area.height(), source.height(), height);
  for (std::vector<QRgb>& line : Blended) line.resize(size_t(width));
  // The source lines blended across, remembered while consecutive target lines share them.
  int blendedLine[2] = {-1, -1};
  const auto across = [&](int line, int slot) {
    if (blendedLine[slot] == line) return;
    // Going down, the lower line of one target line is often the upper line of the next.
    if (slot == 0 && blendedLine[1] == line) {
      std::swap(Blended[0], Blended[1]);
      std::swap(blendedLine[0], blendedLine[1]);
      return;
    }
    const auto* pixels = reinterpret_cast<const QRgb*>(source.constScanLine(line));
    QRgb* out = Blended[slot].data();
    for (const TTap& tap : Columns) *out++ = Blend(pixels[tap.First], pixels[tap.Next], tap.Weight);
    blendedLine[slot] = line;
  };
  for (int y = 0; y < height; ++y) {
    const TTap& tap = Lines[size_t(y)];
    across(tap.First, 0);
    across(tap.Next, 1);
    auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
    const QRgb *upper = Blended[0].data(), *lower = Blended[1].data();
    for (int x = 0; x < width; ++x) out[x] = Blend(upper[x], lower[x], tap.Weight) | 0xFF000000;
  }
}
