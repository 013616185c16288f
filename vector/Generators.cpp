#include "vector/Generators.h"

#include <cmath>

namespace Primitives::Own {
namespace {

// The generators compute in extended precision with the double values of pi and 2*pi.
constexpr long double Pi = 3.141592653589793;
constexpr long double TwoPi = 6.283185307179586;

// True for low <= x < high; false for NaN, so that a NaN argument is out of range.
bool InRange(long double x, long double low, long double high) { return x >= low && x < high; }

// The phase of the sample after `len` samples, reduced into [0, 2*pi) and stored as a float.
float NextPhase(long double phase, long double rFreq, int len) {
  long double g = phase + rFreq * TwoPi * len;
  g = g - std::floor(g / TwoPi) * TwoPi;
  if (!InRange(g, 0, TwoPi)) return 0.0f;
  // Rounding to float can carry a phase just below 2*pi up to it: stored that way, every later
  // call would reject the phase and the generator would fall silent for good.
  const float stored = static_cast<float>(g);
  return stored < TwoPi ? stored : 0.0f;
}

// Stored samples are truncated toward zero; every value passed here lies within the magnitude,
// give or take rounding.
Ipp16s Truncated(long double value) { return static_cast<Ipp16s>(static_cast<int>(value)); }

}  // namespace

IppStatus ippsTone_Direct_16s(Ipp16s* pDst, int len, Ipp16s magn, float rFreq, float* pPhase, IppHintAlgorithm) {
  if (!pPhase) return StsNullPointer;
  if (magn < 1) return StsToneMagnitude;
  if (!InRange(rFreq, 0, 0.5L)) return StsToneFrequency;
  if (!InRange(*pPhase, 0, TwoPi)) return StsTonePhase;
  if (!pDst) return StsNullPointer;
  if (len < 1) return StsSize;

  const long double phase = *pPhase;
  *pPhase = NextPhase(phase, rFreq, len);

  // x[n] = M cos(phase + n w) by the recurrence x[n] = c x[n-1] - x[n-2], c = 2 cos w, and from
  // n = 4 on by its two-step form on the even and the odd samples, x[n] = d x[n-2] - x[n-4].
  const long double omega = TwoPi * rFreq;
  const long double magnitude = magn;
  const long double c = 2 * static_cast<long double>(std::cos(static_cast<double>(omega)));
  const long double d = c * c - 2;
  long double x[4];
  x[0] = magnitude * std::cos(static_cast<double>(phase));
  x[1] = magnitude * std::cos(static_cast<double>(phase + omega));
  x[2] = c * x[1] - x[0];
  x[3] = c * x[2] - x[1];
  for (int n = 0; n < len && n < 4; ++n) pDst[n] = Truncated(x[n]);
  // x[n - 4] and x[n - 2] of the even (0) and the odd (1) samples.
  long double older[2] = {x[0], x[1]}, old[2] = {x[2], x[3]};
  for (int n = 4; n < len; ++n) {
    const int parity = n & 1;
    const long double next = d * old[parity] - older[parity];
    older[parity] = old[parity];
    old[parity] = next;
    pDst[n] = Truncated(next);
  }
  return StsNoError;
}

IppStatus ippsTriangle_Direct_16s(Ipp16s* pDst, int len, Ipp16s magn, float rFreq, float asym, float* pPhase) {
  if (!pPhase) return StsNullPointer;
  if (magn < 1) return StsTriangleMagnitude;
  if (!InRange(rFreq, 0, 0.5L)) return StsTriangleFrequency;
  if (!InRange(asym, -Pi, Pi)) return StsTriangleAsymmetry;
  if (!InRange(*pPhase, 0, TwoPi)) return StsTrianglePhase;
  if (!pDst) return StsNullPointer;
  if (len < 1) return StsSize;

  const long double phase = *pPhase;
  *pPhase = NextPhase(phase, rFreq, len);

  // +M at phase 0, falling to -M over `fall` radians, rising back to +M over `rise` radians.
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
    pDst[n] = Truncated(value);
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
  return StsNoError;
}

IppStatus ippsVectorRamp_16s(Ipp16s* pDst, int len, float offset, float slope) {
  if (!pDst) return StsNullPointer;
  if (len < 1) return StsSize;
  for (int i = 0; i < len; ++i) {
    long double y = offset + i * static_cast<long double>(slope);
    y += y > 0 ? 0.5L : -0.5L;
    // Written so that NaN falls through to the lower bound and never reaches the conversion.
    if (y >= 32767) pDst[i] = 32767;
    else if (y > -32768) pDst[i] = Truncated(y);
    else pDst[i] = -32768;
  }
  return StsNoError;
}

}  // namespace Primitives::Own
