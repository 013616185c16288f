#pragma once

#include "vector/PrimitiveTypes.h"

// Conversions between the sample types of vectors, and byte-order swaps.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// Exact widenings.
IppStatus ippsConvert_32s64f(const Ipp32s* pSrc, Ipp64f* pDst, int len);
IppStatus ippsConvert_32f64f(const Ipp32f* pSrc, Ipp64f* pDst, int len);
IppStatus ippsConvert_8s16s(const Ipp8s* pSrc, Ipp16s* pDst, int len);
// Rounded to nearest.
IppStatus ippsConvert_32s32f(const Ipp32s* pSrc, Ipp32f* pDst, int len);
// Rounded to nearest; beyond the single range the largest single of that sign.
IppStatus ippsConvert_64f32f(const Ipp64f* pSrc, Ipp32f* pDst, int len);
// x * 2^-scaleFactor rounded by rndMode and saturated; a NaN gives the minimum.
IppStatus ippsConvert_64f32s_Sfs(const Ipp64f* pSrc, Ipp32s* pDst, int len, IppRoundMode rndMode, int scaleFactor);
IppStatus ippsConvert_32f32s_Sfs(const Ipp32f* pSrc, Ipp32s* pDst, int len, IppRoundMode rndMode, int scaleFactor);

// Reverses the bytes of each element; len counts elements (of three bytes for _24u).
IppStatus ippsSwapBytes_16u(const Ipp16u* pSrc, Ipp16u* pDst, int len);
IppStatus ippsSwapBytes_24u(const Ipp8u* pSrc, Ipp8u* pDst, int len);
IppStatus ippsSwapBytes_32u(const Ipp32u* pSrc, Ipp32u* pDst, int len);
IppStatus ippsSwapBytes_32u_I(Ipp32u* pSrcDst, int len);

}  // namespace Own
}  // namespace Primitives
