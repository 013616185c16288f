#include "GeneratorReference.h"

#include <cmath>

namespace GeneratorReference {
namespace {

using Primitives::Ipp16s;

constexpr long double Pi = 3.141592653589793;
constexpr long double TwoPi = 6.283185307179586;

Ipp16s Truncated(long double value) { return static_cast<Ipp16s>(static_cast<int>(value)); }

}  // namespace

void Tone(Ipp16s* dst, int len, Ipp16s magn, float rFreq, float phase) {
  const long double omega = TwoPi * rFreq;
  const long double magnitude = magn;
  const long double c = 2 * static_cast<long double>(std::cos(static_cast<double>(omega)));
  const long double d = c * c - 2;
  long double x[4];
  x[0] = magnitude * std::cos(static_cast<double>(phase));
  x[1] = magnitude * std::cos(static_cast<double>(phase + omega));
  x[2] = c * x[1] - x[0];
  x[3] = c * x[2] - x[1];
  for (int n = 0; n < len && n < 4; ++n) dst[n] = Truncated(x[n]);
  // x[n - 4] and x[n - 2] of the even (0) and the odd (1) samples.
  long double older[2] = {x[0], x[1]}, old[2] = {x[2], x[3]};
  for (int n = 4; n < len; ++n) {
    const int parity = n & 1;
    const long double next = d * old[parity] - older[parity];
    older[parity] = old[parity];
    old[parity] = next;
    dst[n] = Truncated(next);
  }
}

void Triangle(Ipp16s* dst, int len, Ipp16s magn, float rFreq, float asym, float phase) {
  const long double magnitude = magn, r = rFreq;
  const long double fall = Pi + asym, rise = Pi - asym;
  const long double fallStep = -4 * Pi * magnitude * r / fall;
  const long double riseStep = 4 * Pi * magnitude * r / rise;
  long double value, step;
  if (phase < fall) {
    value = magnitude * (1 - 2 * phase / fall);
    step = fallStep;
  } else {
    value = magnitude * (2 * (phase - fall) / rise - 1);
    step = riseStep;
  }
  bool rising = step > 0;
  for (int n = 0; n < len; ++n) {
    dst[n] = Truncated(value);
    value += step;
    // Past a peak the value is reflected onto the other slope; a reflection that overshoots the
    // other peak too (a slope steeper than the peak-to-peak height) wraps by a period instead.
    if (rising && value > magnitude) {
      const long double reflected = magnitude - (rise / fall) * (value - magnitude);
      if (reflected < -magnitude) {
        value -= 4 * Pi * magnitude / rise;
      } else {
        value = reflected;
        rising = false;
        step = fallStep;
      }
    } else if (!rising && value < -magnitude) {
      const long double reflected = -magnitude + (fall / rise) * (-magnitude - value);
      if (reflected > magnitude) {
        value += 4 * Pi * magnitude / fall;
      } else {
        value = reflected;
        rising = true;
        step = riseStep;
      }
    }
  }
}

}  // namespace GeneratorReference
