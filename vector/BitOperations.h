#pragma once

#include "vector/PrimitiveTypes.h"

// Bit operations and shifts on 32-bit vectors. Names ending in _I work in place on their last
// vector.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

IppStatus ippsAnd_32u_I(const Ipp32u* pSrc, Ipp32u* pSrcDst, int len);
IppStatus ippsOr_32u_I(const Ipp32u* pSrc, Ipp32u* pSrcDst, int len);
IppStatus ippsXor_32u_I(const Ipp32u* pSrc, Ipp32u* pSrcDst, int len);

IppStatus ippsAndC_32u_I(Ipp32u val, Ipp32u* pSrcDst, int len);
IppStatus ippsOrC_32u_I(Ipp32u val, Ipp32u* pSrcDst, int len);
IppStatus ippsXorC_32u_I(Ipp32u val, Ipp32u* pSrcDst, int len);
IppStatus ippsAndC_32u(const Ipp32u* pSrc, Ipp32u val, Ipp32u* pDst, int len);
IppStatus ippsOrC_32u(const Ipp32u* pSrc, Ipp32u val, Ipp32u* pDst, int len);
IppStatus ippsXorC_32u(const Ipp32u* pSrc, Ipp32u val, Ipp32u* pDst, int len);

// A negative shift gives -32. Shifting left by 32 or more gives 0; shifting right by 32 or more
// leaves the sign (0 or -1); right shifts are arithmetic.
IppStatus ippsLShiftC_32s_I(int val, Ipp32s* pSrcDst, int len);
IppStatus ippsRShiftC_32s_I(int val, Ipp32s* pSrcDst, int len);
IppStatus ippsLShiftC_32s(const Ipp32s* pSrc, int val, Ipp32s* pDst, int len);
IppStatus ippsRShiftC_32s(const Ipp32s* pSrc, int val, Ipp32s* pDst, int len);

}  // namespace Own
}  // namespace Primitives
