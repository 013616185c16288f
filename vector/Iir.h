#pragma once

#include "vector/PrimitiveTypes.h"

// Infinite impulse response filters: one direct-form section of any order, or a cascade of biquads
// (sections of order 2), each in the transposed direct form II with its delay line carried from
// one call to the next. Coefficients are divided by a0; the arithmetic runs in double precision and
// each output is rounded to single. The six primitives bind together.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// pTaps holds b0 .. b(order), then a0 .. a(order); pDlyLine `order` values or null for zeros. An order
// below 1 gives -25, a0 = 0 gives -10.
IppStatus ippsIIRInitAlloc_32f(IppsIIRState_32f** ppState, const Ipp32f* pTaps, int order, const Ipp32f* pDlyLine);
// Only for a state of ippsIIRInitAlloc_32f: -17 for any other.
IppStatus ippsIIRFree_32f(IppsIIRState_32f* pState);

// The bytes a cascade of numBq biquads needs in the caller's buffer.
IppStatus ippsIIRGetStateSize_BiQuad_32f(int numBq, int* pBufferSize);
// A cascade in the caller's buffer, which must hold the state size: pTaps holds b0, b1, b2, a0, a1,
// a2 for each biquad, pDlyLine two values for each or null for zeros.
IppStatus ippsIIRInit_BiQuad_32f(IppsIIRState_32f** ppState, const Ipp32f* pTaps, int numBq, const Ipp32f* pDlyLine,
                                 Ipp8u* pBuf);

IppStatus ippsIIR_32f(const Ipp32f* pSrc, Ipp32f* pDst, int len, IppsIIRState_32f* pState);
IppStatus ippsIIR_32f_I(Ipp32f* pSrcDst, int len, IppsIIRState_32f* pState);

}  // namespace Own
}  // namespace Primitives
