#pragma once

#include "vector/PrimitiveTypes.h"

namespace Primitives {
// Our own implementations. Hidden from the dynamic symbol table and kept in their own namespace, so
// that they never take the place of a vendor export, nor are taken for one.
namespace [[gnu::visibility("hidden")]] Own {

// Fourier transforms. A record made by an init primitive holds every table the transforms need;
// the transforms allocate nothing and need no work buffer (the argument is accepted and not used).
IppStatus ippsFFTInitAlloc_R_64f(IppsFFTSpec_R_64f** ppFFTSpec, int order, int flag, IppHintAlgorithm hint);
IppStatus ippsFFTFree_R_64f(IppsFFTSpec_R_64f* pFFTSpec);
IppStatus ippsFFTFwd_RToCCS_64f(const Ipp64f* pSrc, Ipp64f* pDst, const IppsFFTSpec_R_64f* pFFTSpec, Ipp8u* pBuffer);
IppStatus ippsFFTInv_CCSToR_64f(const Ipp64f* pSrc, Ipp64f* pDst, const IppsFFTSpec_R_64f* pFFTSpec, Ipp8u* pBuffer);

IppStatus ippsFFTInitAlloc_C_64fc(IppsFFTSpec_C_64fc** ppFFTSpec, int order, int flag, IppHintAlgorithm hint);
IppStatus ippsFFTFree_C_64fc(IppsFFTSpec_C_64fc* pFFTSpec);
IppStatus ippsFFTFwd_CToC_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, const IppsFFTSpec_C_64fc* pFFTSpec, Ipp8u* pBuffer);
IppStatus ippsFFTInv_CToC_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, const IppsFFTSpec_C_64fc* pFFTSpec, Ipp8u* pBuffer);

// Completes a conjugate-symmetric spectrum whose elements 0 .. len/2 are given.
IppStatus ippsConjCcs_64fc_I(Ipp64fc* pSrcDst, int len);

}  // namespace Own
}  // namespace Primitives
