#pragma once

#include "vector/PrimitiveTypes.h"

// Correlations and the convolution. The results are the sums below, taken in extended precision;
// long inputs go through the Fourier transform instead (agreeing to rounding), which is where these
// primitives allocate: a set-up that fails returns its status, with nothing written.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// r[n] = sum over i of conj(x[i]) * x[i + n] for n < min(srcLen, dstLen), 0 beyond srcLen. NormA
// multiplies r[n] by 1 / srcLen, NormB divides it by srcLen - n.
IppStatus ippsAutoCorr_64f(const Ipp64f* pSrc, int srcLen, Ipp64f* pDst, int dstLen);
IppStatus ippsAutoCorr_NormA_64f(const Ipp64f* pSrc, int srcLen, Ipp64f* pDst, int dstLen);
IppStatus ippsAutoCorr_NormB_64f(const Ipp64f* pSrc, int srcLen, Ipp64f* pDst, int dstLen);
IppStatus ippsAutoCorr_64fc(const Ipp64fc* pSrc, int srcLen, Ipp64fc* pDst, int dstLen);
IppStatus ippsAutoCorr_NormA_64fc(const Ipp64fc* pSrc, int srcLen, Ipp64fc* pDst, int dstLen);
IppStatus ippsAutoCorr_NormB_64fc(const Ipp64fc* pSrc, int srcLen, Ipp64fc* pDst, int dstLen);

// c[n] = sum over i < len1 of conj(a[i]) * b[i + n + lowLag] for n < dstLen, b being 0 outside
// 0 .. len2 - 1.
IppStatus ippsCrossCorr_64f(const Ipp64f* pSrc1, int len1, const Ipp64f* pSrc2, int len2, Ipp64f* pDst, int dstLen,
                            int lowLag);
IppStatus ippsCrossCorr_64fc(const Ipp64fc* pSrc1, int len1, const Ipp64fc* pSrc2, int len2, Ipp64fc* pDst, int dstLen,
                             int lowLag);

// y[n] = sum over k of a[k] * b[n - k], n = 0 .. lenSrc1 + lenSrc2 - 2.
IppStatus ippsConv_64f(const Ipp64f* pSrc1, int lenSrc1, const Ipp64f* pSrc2, int lenSrc2, Ipp64f* pDst);

}  // namespace Own
}  // namespace Primitives
