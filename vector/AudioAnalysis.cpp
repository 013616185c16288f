#include "vector/AudioAnalysis.h"

#include "vector/ArgumentChecks.h"

namespace Primitives::Own {
namespace {

// R(P) of the periodicity estimate.
double ExplainedShare(const Ipp32f* x, int len, int period, double energy) {
  double i0 = 0, i1 = 0;
  for (int n = 0; n < period; ++n) {
    double sum = 0, squares = 0;
    int samples = 0;
    for (int i = n; i < len; i += period, ++samples) {
      sum += x[i];
      squares += double(x[i]) * x[i];
    }
    i0 += sum * sum / samples;
    i1 += squares / samples;
  }
  return energy == i1 ? 0 : (i0 - i1) / (energy - i1);
}

}  // namespace

IppStatus ippsSampleDown_32f(const Ipp32f* pSrc, int srcLen, Ipp32f* pDst, int* pDstLen, int factor, int* pPhase) {
  if (!pDstLen || !pPhase) return StsNullPointer;
  if (IppStatus status = CheckVector(srcLen, pSrc, pDst)) return status;
  if (factor < 1) return StsSampleFactor;
  if (*pPhase < 0 || *pPhase >= factor) return StsSamplePhase;
  int written = 0;
  long next = *pPhase;
  for (; next < srcLen; next += factor) pDst[written++] = pSrc[next];
  *pDstLen = written;
  *pPhase = int(next - srcLen);
  return StsNoError;
}

IppStatus ippsCompensateOffset_32f_I(Ipp32f* pSrcDst, int len, Ipp32f* pSrcDstLastSample, Ipp32f dstLastSample,
                                     Ipp32f constant) {
  if (IppStatus status = CheckVector(len, pSrcDst, pSrcDstLastSample)) return status;
  Ipp32f previousSource = *pSrcDstLastSample, previousResult = dstLastSample;
  for (int n = 0; n < len; ++n) {
    const Ipp32f source = pSrcDst[n];
    previousResult = static_cast<Ipp32f>(double(source) - previousSource + double(constant) * previousResult);
    pSrcDst[n] = previousResult;
    previousSource = source;
  }
  *pSrcDstLastSample = previousSource;
  return StsNoError;
}

IppStatus ippsPeriodicityLSPE_32f(const Ipp32f* pSrc, int len, Ipp32f* pPeriodicity, int* pPeriod, int maxPeriod,
                                  int minPeriod) {
  if (IppStatus status = CheckVector(len, pSrc, pPeriodicity, pPeriod)) return status;
  if (minPeriod < 1 || maxPeriod < minPeriod || maxPeriod > len) return StsSize;
  double energy = 0;
  for (int i = 0; i < len; ++i) energy += double(pSrc[i]) * pSrc[i];
  double best = ExplainedShare(pSrc, len, minPeriod, energy);
  int bestPeriod = minPeriod;
  for (int period = minPeriod + 1; period <= maxPeriod; ++period) {
    const double share = ExplainedShare(pSrc, len, period, energy);
    if (share > best) best = share, bestPeriod = period;
  }
  *pPeriodicity = static_cast<Ipp32f>(best);
  *pPeriod = bestPeriod;
  return StsNoError;
}

}  // namespace Primitives::Own
