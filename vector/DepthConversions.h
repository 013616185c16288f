#pragma once

#include "vector/PrimitiveTypes.h"

// Depth conversions of one-channel images: between 8u and 16s or 32s full range onto full range
// (Scale), and value for value (Convert). A step below 1 gives -14.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// x * 257 - 32768 and x * 16843009 - 2147483648: 0 and 255 land on the ends of the range.
IppStatus ippiScale_8u16s_C1R(const Ipp8u* pSrc, int srcStep, Ipp16s* pDst, int dstStep, IppiSize roiSize);
IppStatus ippiScale_8u32s_C1R(const Ipp8u* pSrc, int srcStep, Ipp32s* pDst, int dstStep, IppiSize roiSize);
// The fast shift formula, or with HintAccurate the nearest byte to the exact proportion.
IppStatus ippiScale_16s8u_C1R(const Ipp16s* pSrc, int srcStep, Ipp8u* pDst, int dstStep, IppiSize roiSize,
                              IppHintAlgorithm hint);
IppStatus ippiScale_32s8u_C1R(const Ipp32s* pSrc, int srcStep, Ipp8u* pDst, int dstStep, IppiSize roiSize,
                              IppHintAlgorithm hint);

// Exact widenings.
IppStatus ippiConvert_8u16u_C1R(const Ipp8u* pSrc, int srcStep, Ipp16u* pDst, int dstStep, IppiSize roiSize);
IppStatus ippiConvert_8u32f_C1R(const Ipp8u* pSrc, int srcStep, Ipp32f* pDst, int dstStep, IppiSize roiSize);
IppStatus ippiConvert_8s32f_C1R(const Ipp8s* pSrc, int srcStep, Ipp32f* pDst, int dstStep, IppiSize roiSize);
IppStatus ippiConvert_16s32f_C1R(const Ipp16s* pSrc, int srcStep, Ipp32f* pDst, int dstStep, IppiSize roiSize);
// Rounded by roundMode and saturated; a NaN gives the minimum.
IppStatus ippiConvert_32f16s_C1R(const Ipp32f* pSrc, int srcStep, Ipp16s* pDst, int dstStep, IppiSize roiSize,
                                 IppRoundMode roundMode);
IppStatus ippiConvert_32f8s_C1R(const Ipp32f* pSrc, int srcStep, Ipp8s* pDst, int dstStep, IppiSize roiSize,
                                IppRoundMode roundMode);

}  // namespace Own
}  // namespace Primitives
