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

// Blend for four pixels at once, each channel in a 16-bit lane: (a × keep + b × next) / 256 never
// exceeds 255 × 256, so the lanes neither overflow nor differ from Blend's.
__m128i Blend4(__m128i a, __m128i b, __m128i keepLow, __m128i nextLow, __m128i keepHigh, __m128i nextHigh) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i low = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), keepLow),
                                    _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), nextLow));
  const __m128i high = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), keepHigh),
                                     _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), nextHigh));
  return _mm_packus_epi16(_mm_srli_epi16(low, 8), _mm_srli_epi16(high, 8));
}

__m128i LaneWeights(uint32_t first, uint32_t second) {
  const auto a = static_cast<short>(first), b = static_cast<short>(second);
  return _mm_setr_epi16(a, a, a, a, b, b, b, b);
}

// One target line from the two source lines around it, blended with one weight, made opaque.
void BlendLines(const QRgb* upper, const QRgb* lower, uint32_t weight, QRgb* out, int count) {
  const __m128i keep = _mm_set1_epi16(static_cast<short>(256 - weight));
  const __m128i next = _mm_set1_epi16(static_cast<short>(weight));
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000));
  int x = 0;
  for (; x + 4 <= count; x += 4) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + x));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_or_si128(Blend4(a, b, keep, next, keep, next), opaque));
  }
  for (; x < count; ++x) out[x] = Blend(upper[x], lower[x], weight) | 0xFF000000;
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

void TKvImageStretch::BlendAcross(const QRgb* pixels, QRgb* out) const {
  const TTap* tap = Columns.data();
  const int count = static_cast<int>(Columns.size());
  int x = 0;
  for (const TLaneWeights& w : ColumnWeights) {
    const __m128i a = _mm_setr_epi32(static_cast<int>(pixels[tap[0].First]), static_cast<int>(pixels[tap[1].First]),
                                     static_cast<int>(pixels[tap[2].First]), static_cast<int>(pixels[tap[3].First]));
    const __m128i b = _mm_setr_epi32(static_cast<int>(pixels[tap[0].Next]), static_cast<int>(pixels[tap[1].Next]),
                                     static_cast<int>(pixels[tap[2].Next]), static_cast<int>(pixels[tap[3].Next]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), Blend4(a, b, w.KeepLow, w.NextLow, w.KeepHigh, w.NextHigh));
    tap += 4;
    x += 4;
  }
  for (; x < count; ++x, ++tap) out[x] = Blend(pixels[tap->First], pixels[tap->Next], tap->Weight);
}

void TKvImageStretch::Stretch(const QImage& source, const QRectF& area, QImage& target) {
  const int width = target.width(), height = target.height();
  if (source.isNull() || width <= 0 || height <= 0) return;
  Taps(Columns, area.left(), area.width(), source.width(), width);
  Taps(Lines, area.top(), area.height(), source.height(), height);
  ColumnWeights.resize(size_t(width / 4));
  for (size_t i = 0; i < ColumnWeights.size(); ++i) {
    const TTap* tap = &Columns[4 * i];
    ColumnWeights[i] = {
        LaneWeights(256 - tap[0].Weight, 256 - tap[1].Weight), LaneWeights(tap[0].Weight, tap[1].Weight),
        LaneWeights(256 - tap[2].Weight, 256 - tap[3].Weight), LaneWeights(tap[2].Weight, tap[3].Weight)};
  }
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
    BlendAcross(reinterpret_cast<const QRgb*>(source.constScanLine(line)), Blended[slot].data());
    blendedLine[slot] = line;
  };
  for (int y = 0; y < height; ++y) {
    const TTap& tap = Lines[size_t(y)];
    across(tap.First, 0);
    across(tap.Next, 1);
    BlendLines(Blended[0].data(), Blended[1].data(), tap.Weight, reinterpret_cast<QRgb*>(target.scanLine(y)), width);
  }
}
