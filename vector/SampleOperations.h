#pragma once

#include "vector/PrimitiveTypes.h"

namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// Saturating 16-bit sum into the second vector.
IppStatus ippsAdd_16s_I(const Ipp16s* pSrc, Ipp16s* pSrcDst, int len);
// Values below levelLT become valueLT, values above levelGT become valueGT.
IppStatus ippsThreshold_LTValGTVal_16s_I(Ipp16s* pSrcDst, int len, Ipp16s levelLT, Ipp16s valueLT, Ipp16s levelGT,
                                         Ipp16s valueGT);
// Rows of 16-bit values; the steps are in bytes.
IppStatus ippiCopy_16s_C1R(const Ipp16s* pSrc, int srcStep, Ipp16s* pDst, int dstStep, IppiSize roiSize);

IppStatus ippsZero_8u(Ipp8u* pDst, int len);
IppStatus ippsZero_16s(Ipp16s* pDst, int len);

// dst = src * 2^-scaleFactor, correctly rounded.
IppStatus ippsConvert_16s64f_Sfs(const Ipp16s* pSrc, Ipp64f* pDst, int len, int scaleFactor);

IppStatus ippsAdd_64f_I(const Ipp64f* pSrc, Ipp64f* pSrcDst, int len);
IppStatus ippsMagnitude_64fc(const Ipp64fc* pSrc, Ipp64f* pDst, int len);
IppStatus ippsCopy_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len);
// Like ippsCopy_64f, and correct for overlapping vectors.
IppStatus ippsMove_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len);

}  // namespace Own
}  // namespace Primitives
