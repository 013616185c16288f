#pragma once

#include "vector/PrimitiveTypes.h"

// Test signals: the Jaehne chirp and pseudo-random noise. The noise generators carry their whole
// state in the caller's seed, which they replace by the seed that continues the sequence.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// magn * sin(pi * n^2 / (2 * len)); one element is 0. A negative magnitude gives -38.
IppStatus ippsVectorJaehne_64f(Ipp64f* pDst, int len, Ipp64f magn);

// Uniformly distributed integers from low to high (either may be the larger), both included.
IppStatus ippsRandUniform_Direct_16s(Ipp16s* pDst, int len, Ipp16s low, Ipp16s high, unsigned int* pSeed);
// Normally distributed values (Box-Muller) rounded to nearest and saturated.
IppStatus ippsRandGauss_Direct_16s(Ipp16s* pDst, int len, Ipp16s mean, Ipp16s stDev, unsigned int* pSeed);

}  // namespace Own
}  // namespace Primitives
