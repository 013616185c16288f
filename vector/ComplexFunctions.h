#pragma once

#include "vector/PrimitiveTypes.h"

// Functions of each element of a complex double vector, formed in extended precision and rounded
// once per part.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// ((re - im) * (re + im), 2 * (re * im)).
IppStatus ippsSqr_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len);
IppStatus ippsSqr_64fc_I(Ipp64fc* pSrcDst, int len);
// The principal square root.
IppStatus ippsSqrt_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len);
IppStatus ippsSqrt_64fc_I(Ipp64fc* pSrcDst, int len);
// atan2(im, re) in radians.
IppStatus ippsPhase_64fc(const Ipp64fc* pSrc, Ipp64f* pDst, int len);
// re^2 + im^2.
IppStatus ippsPowerSpectr_64fc(const Ipp64fc* pSrc, Ipp64f* pDst, int len);

}  // namespace Own
}  // namespace Primitives
