#include "vector/Fir.h"

#include "vector/ArgumentChecks.h"
#include "vector/ElementLoops.h"

#include <algorithm>
#include <cstdint>
#include <new>

namespace Primitives::Own {
namespace {

constexpr std::uint32_t FirKind = 0x46495236;  // any value no other record carries at its start

// One allocation: the record, the taps in reverse order, and the delay line twice over, so that the
// last tapsLen inputs always stand in order at Line + Next.
struct TFirRecord {
  std::uint32_t Kind;
  int TapsLen;
  int Next;  // the oldest input of the window, 0 .. TapsLen - 1
  double* ReversedTaps;
  double* Line;

  // Takes x(n) and gives y(n).
  double Filter(double x) {
    Line[Next] = Line[Next + TapsLen] = x;
    Next = Next + 1 == TapsLen ? 0 : Next + 1;
    const double* window = Line + Next;
    return static_cast<double>(ExtendedSum(TapsLen, [&](int k) { return (long double)ReversedTaps[k] * window[k]; }));
  }
};

TFirRecord* RecordOf(IppsFIRState_64f* state) { return reinterpret_cast<TFirRecord*>(state); }

IppStatus CheckState(IppsFIRState_64f* pState) {
  return RecordOf(pState)->Kind == FirKind ? StsNoError : StsContextMatch;
}

}  // namespace

IppStatus ippsFIRInitAlloc_64f(IppsFIRState_64f** ppState, const Ipp64f* pTaps, int tapsLen, const Ipp64f* pDlyLine) {
  if (!ppState || !pTaps) return StsNullPointer;
  if (tapsLen < 1) return StsFirLength;
  const std::size_t bytes = sizeof(TFirRecord) + std::size_t(tapsLen) * 3 * sizeof(double);
  void* memory = ::operator new(bytes, std::nothrow);
  if (!memory) return StsMemoryAllocation;
  auto* record = new (memory) TFirRecord{FirKind, tapsLen, 0, nullptr, nullptr};
  record->ReversedTaps = reinterpret_cast<double*>(record + 1);
  record->Line = record->ReversedTaps + tapsLen;
  std::reverse_copy(pTaps, pTaps + tapsLen, record->ReversedTaps);
  // The line starts with the oldest input at Next = 0.
  for (int i = 0; i < tapsLen; ++i) record->Line[i] = record->Line[i + tapsLen] = pDlyLine ? pDlyLine[i] : 0.0;
  *ppState = reinterpret_cast<IppsFIRState_64f*>(record);
  return StsNoError;
}

IppStatus ippsFIRFree_64f(IppsFIRState_64f* pState) {
  if (!pState) return StsNullPointer;
  if (IppStatus status = CheckState(pState)) return status;
  RecordOf(pState)->Kind = 0;
  ::operator delete(RecordOf(pState));
  return StsNoError;
}

IppStatus ippsFIR_64f(const Ipp64f* pSrc, Ipp64f* pDst, int numIters, IppsFIRState_64f* pState) {
  if (!pState) return StsNullPointer;
  if (IppStatus status = CheckVector(numIters, pSrc, pDst)) return status;
  if (IppStatus status = CheckState(pState)) return status;
  TFirRecord& record = *RecordOf(pState);
  for (int n = 0; n < numIters; ++n) pDst[n] = record.Filter(pSrc[n]);
  return StsNoError;
}

IppStatus ippsFIROne_64f(Ipp64f src, Ipp64f* pDstVal, IppsFIRState_64f* pState) {
  if (!pDstVal || !pState) return StsNullPointer;
  if (IppStatus status = CheckState(pState)) return status;
  *pDstVal = RecordOf(pState)->Filter(src);
  return StsNoError;
}

}  // namespace Primitives::Own
