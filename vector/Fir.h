#pragma once

#include "vector/PrimitiveTypes.h"

// The finite impulse response filter y(n) = sum over k of h(k) * x(n - k), k = 0 .. tapsLen - 1,
// summed in extended precision. Its state record holds the taps and the last tapsLen inputs (the
// delay line), and carries them from one call to the next; the four primitives bind together.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// A state with the taps h(0) .. h(tapsLen - 1) and a delay line of the inputs before the first,
// oldest first (pDlyLine[tapsLen - 1] is x(-1)); a null delay line is all zeros. A tap count below 1
// gives -26.
IppStatus ippsFIRInitAlloc_64f(IppsFIRState_64f** ppState, const Ipp64f* pTaps, int tapsLen, const Ipp64f* pDlyLine);
// -17 for a state not made by ippsFIRInitAlloc_64f.
IppStatus ippsFIRFree_64f(IppsFIRState_64f* pState);
// numIters outputs from as many inputs; pSrc and pDst may be the same vector.
IppStatus ippsFIR_64f(const Ipp64f* pSrc, Ipp64f* pDst, int numIters, IppsFIRState_64f* pState);
IppStatus ippsFIROne_64f(Ipp64f src, Ipp64f* pDstVal, IppsFIRState_64f* pState);

}  // namespace Own
}  // namespace Primitives
