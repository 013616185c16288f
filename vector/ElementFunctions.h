#pragma once

#include "vector/PrimitiveTypes.h"

// Functions of each element of a double vector; the in-place forms take the vector and its length.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

IppStatus ippsAbs_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len);
IppStatus ippsAbs_64f_I(Ipp64f* pSrcDst, int len);
IppStatus ippsSqr_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len);
IppStatus ippsSqr_64f_I(Ipp64f* pSrcDst, int len);
// A negative element gives the NaN and the warning 3.
IppStatus ippsSqrt_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len);
IppStatus ippsSqrt_64f_I(Ipp64f* pSrcDst, int len);
// e^x; results beyond the double range are +inf, and 0 where they would be subnormal. Always 0.
IppStatus ippsExp_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len);
IppStatus ippsExp_64f_I(Ipp64f* pSrcDst, int len);
// ln x: +0 gives -inf, a value with the sign bit set the NaN; the first of those decides the
// warning, 7 for a zero and 8 for a negative argument.
IppStatus ippsLn_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len);
IppStatus ippsLn_64f_I(Ipp64f* pSrcDst, int len);

}  // namespace Own
}  // namespace Primitives
