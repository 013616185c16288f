#pragma once

#include "vector/PrimitiveTypes.h"

// Image primitives on 8u, 16s and 32s regions of one channel (C1), of three or four bytes per pixel
// (C3, C4): in-place arithmetic with a scale factor (the exact result times 2^-f, rounded to
// nearest with ties to even, saturated), fills, copies and mirroring. Steps are in bytes.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// srcDst = srcDst (+ - *) src; 8u differences are clamped at 0.
IppStatus ippiAdd_8u_C1IRSfs(const Ipp8u* pSrc, int srcStep, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize,
                             int scaleFactor);
IppStatus ippiSub_8u_C1IRSfs(const Ipp8u* pSrc, int srcStep, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize,
                             int scaleFactor);
IppStatus ippiMul_8u_C1IRSfs(const Ipp8u* pSrc, int srcStep, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize,
                             int scaleFactor);
IppStatus ippiAdd_16s_C1IRSfs(const Ipp16s* pSrc, int srcStep, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize,
                              int scaleFactor);
IppStatus ippiSub_16s_C1IRSfs(const Ipp16s* pSrc, int srcStep, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize,
                              int scaleFactor);
IppStatus ippiMul_16s_C1IRSfs(const Ipp16s* pSrc, int srcStep, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize,
                              int scaleFactor);
// srcDst = srcDst / src; steps below 1 give -14; a zero divisor gives the type's limit by the
// dividend's sign (0 for 0) and status 6.
IppStatus ippiDiv_8u_C1IRSfs(const Ipp8u* pSrc, int srcStep, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize,
                             int scaleFactor);
IppStatus ippiDiv_16s_C1IRSfs(const Ipp16s* pSrc, int srcStep, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize,
                              int scaleFactor);

// x = x (+ - *) value; 8u differences are clamped at 0.
IppStatus ippiAddC_8u_C1IRSfs(Ipp8u value, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor);
IppStatus ippiSubC_8u_C1IRSfs(Ipp8u value, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor);
IppStatus ippiMulC_8u_C1IRSfs(Ipp8u value, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor);
IppStatus ippiAddC_16s_C1IRSfs(Ipp16s value, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor);
IppStatus ippiSubC_16s_C1IRSfs(Ipp16s value, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor);
IppStatus ippiMulC_16s_C1IRSfs(Ipp16s value, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor);
// x = x / value; a step below 1 gives -14, value 0 gives -10. The 8u version multiplies by a table
// of reciprocals rounded to six decimals, in single precision.
IppStatus ippiDivC_8u_C1IRSfs(Ipp8u value, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor);
IppStatus ippiDivC_16s_C1IRSfs(Ipp16s value, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor);

// Every pixel = value; a step below 1 gives -14.
IppStatus ippiSet_8u_C1R(Ipp8u value, Ipp8u* pDst, int dstStep, IppiSize roiSize);
IppStatus ippiSet_16s_C1R(Ipp16s value, Ipp16s* pDst, int dstStep, IppiSize roiSize);
IppStatus ippiSet_32s_C1R(Ipp32s value, Ipp32s* pDst, int dstStep, IppiSize roiSize);
// Every pixel = the four bytes of value.
IppStatus ippiSet_8u_C4R(const Ipp8u value[4], Ipp8u* pDst, int dstStep, IppiSize roiSize);

// Row by row; the steps are used as given, without a sign test.
IppStatus ippiCopy_8u_C1R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep, IppiSize roiSize);
IppStatus ippiCopy_32s_C1R(const Ipp32s* pSrc, int srcStep, Ipp32s* pDst, int dstStep, IppiSize roiSize);
IppStatus ippiCopy_8u_C4R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep, IppiSize roiSize);

// Mirrors the region in place about the axis; a step below 1 gives -14, another axis -21.
IppStatus ippiMirror_8u_C3IR(Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize, IppiAxis flip);

}  // namespace Own
}  // namespace Primitives
