#pragma once

#include "vector/PrimitiveTypes.h"

// Whole-vector results: sums, means, deviation, extremes, dot products and norms of differences.
// Sums are taken in extended precision and the result is rounded once. Every out pointer is
// checked with the sources.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

IppStatus ippsSum_64f(const Ipp64f* pSrc, int len, Ipp64f* pSum);
IppStatus ippsSum_32f(const Ipp32f* pSrc, int len, Ipp32f* pSum, IppHintAlgorithm hint);
IppStatus ippsMean_64f(const Ipp64f* pSrc, int len, Ipp64f* pMean);
IppStatus ippsMean_32f(const Ipp32f* pSrc, int len, Ipp32f* pMean, IppHintAlgorithm hint);
// The sample deviation (divisor len - 1); fewer than 2 elements give -6.
IppStatus ippsStdDev_64f(const Ipp64f* pSrc, int len, Ipp64f* pStdDev);

IppStatus ippsMin_64f(const Ipp64f* pSrc, int len, Ipp64f* pMin);
IppStatus ippsMax_64f(const Ipp64f* pSrc, int len, Ipp64f* pMax);
// The extreme and the index of its first occurrence; a null index pointer leaves the index out.
IppStatus ippsMinIndx_64f(const Ipp64f* pSrc, int len, Ipp64f* pMin, int* pIndx);
IppStatus ippsMaxIndx_64f(const Ipp64f* pSrc, int len, Ipp64f* pMax, int* pIndx);

IppStatus ippsDotProd_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pDp);
// Neither factor is conjugated.
IppStatus ippsDotProd_64fc(const Ipp64fc* pSrc1, const Ipp64fc* pSrc2, int len, Ipp64fc* pDp);

// sum |a - b|, sqrt(sum (a - b)^2) and max |a - b| (from 0).
IppStatus ippsNormDiff_L1_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pNorm);
IppStatus ippsNormDiff_L2_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pNorm);
IppStatus ippsNormDiff_Inf_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pNorm);

}  // namespace Own
}  // namespace Primitives
