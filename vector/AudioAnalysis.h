#pragma once

#include "vector/PrimitiveTypes.h"

// Block-wise audio analysis on single-precision vectors: down-sampling, offset compensation and
// the periodicity of a block.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// Every factor-th sample from index *pPhase on; *pDstLen gets the count written and *pPhase the
// index in the next block that continues the sequence. A factor below 1 gives -31, a phase outside
// 0 .. factor - 1 gives -30.
IppStatus ippsSampleDown_32f(const Ipp32f* pSrc, int srcLen, Ipp32f* pDst, int* pDstLen, int factor, int* pPhase);

// dst(n) = src(n) - src(n - 1) + constant * dst(n - 1), in place: a first-order high-pass that
// removes a constant offset. src(-1) is *pSrcDstLastSample, which gets the last source sample;
// dst(-1) is dstLastSample.
IppStatus ippsCompensateOffset_32f_I(Ipp32f* pSrcDst, int len, Ipp32f* pSrcDstLastSample, Ipp32f dstLastSample,
                                     Ipp32f constant);

// The least-squares periodicity estimate: for each period P from minPeriod to maxPeriod the share
// R(P) = (I0 - I1) / (E - I1) of the energy E that the block's average period explains, where for
// each phase n < P with K samples x(n), x(n + P), ... I0 adds (their sum)^2 / K and I1 their sum of
// squares / K. Gives the largest R(P) (0 where E = I1) and its period, the shortest of equals.
// Periods outside 1 .. len or in the wrong order give -6.
IppStatus ippsPeriodicityLSPE_32f(const Ipp32f* pSrc, int len, Ipp32f* pPeriodicity, int* pPeriod, int maxPeriod,
                                  int minPeriod);

}  // namespace Own
}  // namespace Primitives
