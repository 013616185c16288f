#include "vector/TestSignals.h"

#include "vector/ArgumentChecks.h"
#include "vector/IntegerRounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Primitives::Own {
namespace {

constexpr long double Pi = 3.141592653589793238462643383279502884L;

// A linear congruential sequence over all 2^32 seeds, each step's seed mixed into a uniform value
// in [0, 1) so that its low bits are as random as its high ones.
class TUniformSequence {
public:
  explicit TUniformSequence(std::uint32_t seed) : Seed(seed) {}

  double Next() {
    Seed = Seed * 1664525u + 1013904223u;
    std::uint32_t x = Seed;
    x = (x ^ (x >> 16)) * 0x7FEB352Du;
    x = (x ^ (x >> 15)) * 0x846CA68Bu;
    x ^= x >> 16;
    return x * 0x1p-32;
  }
  std::uint32_t State() const { return Seed; }

private:
  std::uint32_t Seed;
};

}  // namespace

IppStatus ippsVectorJaehne_64f(Ipp64f* pDst, int len, Ipp64f magn) {
  if (IppStatus status = CheckVector(len, pDst)) return status;
  if (magn < 0) return StsJaehne;
  if (len == 1) {
    pDst[0] = 0;
    return StsNoError;
  }
  const long double step = Pi / (2 * static_cast<long double>(len));
  for (int n = 0; n < len; ++n) {
    const long double square = static_cast<long double>(n) * n;
    pDst[n] = static_cast<Ipp64f>(magn * std::sin(step * square));
  }
  return StsNoError;
}

IppStatus ippsRandUniform_Direct_16s(Ipp16s* pDst, int len, Ipp16s low, Ipp16s high, unsigned int* pSeed) {
  if (IppStatus status = CheckVector(len, pDst, pSeed)) return status;
  const int lowest = std::min(low, high), values = std::max(low, high) - lowest + 1;
  TUniformSequence sequence(*pSeed);
  for (int i = 0; i < len; ++i) pDst[i] = static_cast<Ipp16s>(lowest + int(sequence.Next() * values));
  *pSeed = sequence.State();
  return StsNoError;
}

IppStatus ippsRandGauss_Direct_16s(Ipp16s* pDst, int len, Ipp16s mean, Ipp16s stDev, unsigned int* pSeed) {
  if (IppStatus status = CheckVector(len, pDst, pSeed)) return status;
  TUniformSequence sequence(*pSeed);
  for (int i = 0; i < len; i += 2) {
    // Two uniform values give two independent normal ones; 1 - u keeps the logarithm finite.
    const double radius = std::sqrt(-2 * std::log(1 - sequence.Next())), angle = 2 * double(Pi) * sequence.Next();
    pDst[i] = RoundSaturated<Ipp16s>(mean + stDev * radius * std::cos(angle), RndNear);
    if (i + 1 < len) pDst[i + 1] = RoundSaturated<Ipp16s>(mean + stDev * radius * std::sin(angle), RndNear);
  }
  *pSeed = sequence.State();
  return StsNoError;
}

}  // namespace Primitives::Own
