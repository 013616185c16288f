#pragma once

#include "vector/PrimitiveTypes.h"

#include <algorithm>
#include <cmath>
#include <limits>

// Rounding of real values to integer samples, shared by the vector and the image conversions.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// v rounded by `mode` (RndNear: to nearest with ties to even; otherwise towards zero) and
// saturated to T; a NaN gives T's minimum.
template <class T>
T RoundSaturated(long double v, IppRoundMode mode) {
  constexpr long double min = std::numeric_limits<T>::min(), max = std::numeric_limits<T>::max();
  if (!(v > min)) return std::numeric_limits<T>::min();
  if (v >= max) return std::numeric_limits<T>::max();
  return static_cast<T>(mode == RndNear ? std::nearbyint(v) : std::trunc(v));
}

// x * 2^-scaleFactor, exact: the extended exponent range holds every factor that leaves a
// result other than 0 or infinity.
inline long double ScaledByPowerOfTwo(long double x, int scaleFactor) {
  constexpr int beyondRange = 20000;
  return std::ldexp(x, -std::clamp(scaleFactor, -beyondRange, beyondRange));
}

}  // namespace Own
}  // namespace Primitives
