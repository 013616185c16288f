#include "vector/Statistics.h"

#include "vector/ElementLoops.h"

#include <cmath>

namespace Primitives::Own {
namespace {

using TExtended = long double;

// *pResult = the extended sum of the elements divided by `divisor`, rounded to T.
template <class T>
IppStatus Sum(const T* pSrc, int len, T* pResult, TExtended divisor) {
  if (IppStatus status = CheckVector(len, pSrc, pResult)) return status;
  *pResult = static_cast<T>(ExtendedSum(len, [pSrc](int i) { return TExtended(pSrc[i]); }) / divisor);
  return StsNoError;
}

// The first element that `before` puts before every other.
template <class Before>
IppStatus Extreme(const Ipp64f* pSrc, int len, Ipp64f* pValue, int* pIndx, Before before) {
  if (IppStatus status = CheckVector(len, pSrc, pValue)) return status;
  int found = 0;
  for (int i = 1; i < len; ++i)
    if (before(pSrc[i], pSrc[found])) found = i;
  *pValue = pSrc[found];
  if (pIndx) *pIndx = found;
  return StsNoError;
}

bool Less(Ipp64f a, Ipp64f b) { return a < b; }
bool Greater(Ipp64f a, Ipp64f b) { return a > b; }

}  // namespace

IppStatus ippsSum_64f(const Ipp64f* pSrc, int len, Ipp64f* pSum) { return Sum(pSrc, len, pSum, 1); }
IppStatus ippsSum_32f(const Ipp32f* pSrc, int len, Ipp32f* pSum, IppHintAlgorithm) { return Sum(pSrc, len, pSum, 1); }
IppStatus ippsMean_64f(const Ipp64f* pSrc, int len, Ipp64f* pMean) { return Sum(pSrc, len, pMean, len); }
IppStatus ippsMean_32f(const Ipp32f* pSrc, int len, Ipp32f* pMean, IppHintAlgorithm) {
  return Sum(pSrc, len, pMean, len);
}

IppStatus ippsStdDev_64f(const Ipp64f* pSrc, int len, Ipp64f* pStdDev) {
  if (IppStatus status = CheckVector(len, pSrc, pStdDev)) return status;
  if (len < 2) return StsSize;
  const TExtended s1 = ExtendedSum(len, [pSrc](int i) { return TExtended(pSrc[i]); });
  const TExtended s2 = ExtendedSum(len, [pSrc](int i) { return TExtended(pSrc[i]) * pSrc[i]; });
  const TExtended n = len, g = n * s2 - s1 * s1;
  *pStdDev = g > 0 ? static_cast<Ipp64f>(std::sqrt(g / (n * (n - 1)))) : 0.0;
  return StsNoError;
}

IppStatus ippsMin_64f(const Ipp64f* pSrc, int len, Ipp64f* pMin) { return Extreme(pSrc, len, pMin, nullptr, Less); }
IppStatus ippsMax_64f(const Ipp64f* pSrc, int len, Ipp64f* pMax) { return Extreme(pSrc, len, pMax, nullptr, Greater); }
IppStatus ippsMinIndx_64f(const Ipp64f* pSrc, int len, Ipp64f* pMin, int* pIndx) {
  return Extreme(pSrc, len, pMin, pIndx, Less);
}
IppStatus ippsMaxIndx_64f(const Ipp64f* pSrc, int len, Ipp64f* pMax, int* pIndx) {
  return Extreme(pSrc, len, pMax, pIndx, Greater);
}

IppStatus ippsDotProd_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pDp) {
  if (IppStatus status = CheckVector(len, pSrc1, pSrc2, pDp)) return status;
  *pDp = static_cast<Ipp64f>(ExtendedSum(len, [=](int i) { return TExtended(pSrc1[i]) * pSrc2[i]; }));
  return StsNoError;
}

IppStatus ippsDotProd_64fc(const Ipp64fc* pSrc1, const Ipp64fc* pSrc2, int len, Ipp64fc* pDp) {
  if (IppStatus status = CheckVector(len, pSrc1, pSrc2, pDp)) return status;
  const TExtended re = ExtendedSum(
      len, [=](int i) { return TExtended(pSrc1[i].re) * pSrc2[i].re - TExtended(pSrc1[i].im) * pSrc2[i].im; });
  const TExtended im = ExtendedSum(
      len, [=](int i) { return TExtended(pSrc1[i].re) * pSrc2[i].im + TExtended(pSrc1[i].im) * pSrc2[i].re; });
  *pDp = {static_cast<Ipp64f>(re), static_cast<Ipp64f>(im)};
  return StsNoError;
}

IppStatus ippsNormDiff_L1_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pNorm) {
  if (IppStatus status = CheckVector(len, pSrc1, pSrc2, pNorm)) return status;
  *pNorm = static_cast<Ipp64f>(ExtendedSum(len, [=](int i) { return std::fabs(TExtended(pSrc1[i]) - pSrc2[i]); }));
  return StsNoError;
}

IppStatus ippsNormDiff_L2_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pNorm) {
  if (IppStatus status = CheckVector(len, pSrc1, pSrc2, pNorm)) return status;
  const TExtended sum = ExtendedSum(len, [=](int i) {
    const TExtended d = TExtended(pSrc1[i]) - pSrc2[i];
    return d * d;
  });
  *pNorm = static_cast<Ipp64f>(std::sqrt(sum));
  return StsNoError;
}

IppStatus ippsNormDiff_Inf_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pNorm) {
  if (IppStatus status = CheckVector(len, pSrc1, pSrc2, pNorm)) return status;
  TExtended norm = 0;
  for (int i = 0; i < len; ++i) norm = std::fmax(norm, std::fabs(TExtended(pSrc1[i]) - pSrc2[i]));
  *pNorm = static_cast<Ipp64f>(norm);
  return StsNoError;
}

}  // namespace Primitives::Own
