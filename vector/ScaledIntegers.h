#pragma once

#include "vector/PrimitiveTypes.h"

#include <cmath>
#include <limits>
#include <type_traits>

// What the integer and image primitives share: exact element results, scaled by 2^-f with ties to
// even and saturated, and the division rule.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// The exact result saturated to T's range. __int128 holds every exact result, also shifted left.
template <class T>
T Saturate(__int128 r) {
  if (r < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
  if (r > std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
  return static_cast<T>(r);
}

// The exact result r (|r| <= 2^62: a product of two 32-bit values at most) times 2^-f, rounded to
// nearest with ties to even, saturated to T.
template <class T>
T ScaleResult(__int128 r, int f) {
  if (f == 0) return Saturate<T>(r);
  if (f > 0) {
    if (f >= 63) return 0;  // |r| / 2^63 is 0.5 at most, a tie that goes to 0
    return Saturate<T>((r + (__int128(1) << (f - 1)) - 1 + ((r >> f) & 1)) >> f);
  }
  if (r == 0) return 0;
  // Any non-zero result shifted left by 32 or more saturates every type here.
  if (f <= -32) return r > 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
  return Saturate<T>(r * (__int128(1) << -f));
}

// The exact results of the element operations on a destination element d and a source s. A
// difference of unsigned elements is clamped at 0 before scaling.
template <class T>
struct TExact {
  static __int128 Sum(__int128 d, __int128 s) { return d + s; }
  static __int128 Difference(__int128 d, __int128 s) {
    if constexpr (std::is_unsigned_v<T>) return d > s ? d - s : 0;
    return d - s;
  }
  static __int128 Product(__int128 d, __int128 s) { return d * s; }
};

// The division rule: dividend * 2^-f / divisor in extended precision, rounded to nearest with ties
// to even and saturated; a zero divisor gives 0 for a zero dividend and otherwise the type's limit
// by the dividend's sign, and sets `zeroDivisor`.
template <class T>
T DivideScaled(long double dividend, long double divisor, int f, bool& zeroDivisor) {
  if (divisor == 0) {
    zeroDivisor = true;
    if (dividend == 0) return 0;
    return dividend > 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
  }
  const long double q = std::nearbyint(std::ldexp(dividend, -f) / divisor);
  if (q <= std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
  if (q >= std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
  return static_cast<T>(q);
}

}  // namespace Own
}  // namespace Primitives
