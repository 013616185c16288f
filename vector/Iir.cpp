#include "vector/Iir.h"

#include "vector/ArgumentChecks.h"

#include <cstdint>
#include <new>

namespace Primitives::Own {
namespace {

// Records of their own allocation, which the free primitive releases, and records in a caller's
// buffer, which it must not.
constexpr std::uint32_t AllocatedIirKind = 0x49495231;
constexpr std::uint32_t BufferIirKind = 0x49495232;

// Sections of one order, each with order + 1 numerator and denominator coefficients (divided by
// a0) and `order` delays, all in the doubles after the record.
struct alignas(16) TIirRecord {
  std::uint32_t Kind;
  int Sections;
  int Order;

  double* B() { return reinterpret_cast<double*>(this + 1); }
  double* A() { return B() + Sections * (Order + 1); }
  double* Delays() { return A() + Sections * (Order + 1); }

  static std::size_t Bytes(int sections, int order) {
    return sizeof(TIirRecord) + sizeof(double) * std::size_t(sections) * (3 * std::size_t(order) + 2);
  }

  float Filter(float input) {
    double x = input;
    for (int s = 0; s < Sections; ++s) {
      const double* b = B() + s * (Order + 1);
      const double* a = A() + s * (Order + 1);
      double* d = Delays() + s * Order;
      const double y = b[0] * x + d[0];
      for (int k = 0; k + 1 < Order; ++k) d[k] = b[k + 1] * x - a[k + 1] * y + d[k + 1];
      d[Order - 1] = b[Order] * x - a[Order] * y;
      x = y;
    }
    return static_cast<float>(x);
  }
};

constexpr std::size_t RecordAlignment = alignof(TIirRecord);

// Every section's coefficients from `taps` (the b then the a of each `stride` values apart) and
// delays from `delays` or zeros; -10 when an a0 is 0, with nothing placed.
IppStatus Place(void* memory, std::uint32_t kind, int sections, int order, const Ipp32f* taps, const Ipp32f* delays,
                std::size_t aOffset, std::size_t stride, TIirRecord*& placed) {
  for (int s = 0; s < sections; ++s)
    if (taps[s * stride + aOffset] == 0) return StsDivByZeroErr;
  auto* record = new (memory) TIirRecord{kind, sections, order};
  for (int s = 0; s < sections; ++s) {
    const Ipp32f* b = taps + s * stride;
    const Ipp32f* a = b + aOffset;
    const double a0 = a[0];
    for (int k = 0; k <= order; ++k) {
      record->B()[s * (order + 1) + k] = b[k] / a0;
      record->A()[s * (order + 1) + k] = a[k] / a0;
    }
  }
  for (int k = 0; k < sections * order; ++k) record->Delays()[k] = delays ? delays[k] : 0.0;
  placed = record;
  return StsNoError;
}

TIirRecord* RecordOf(IppsIIRState_32f* state) { return reinterpret_cast<TIirRecord*>(state); }

// The first suitably aligned address in the caller's buffer.
void* AlignedIn(Ipp8u* buffer) {
  const auto address = reinterpret_cast<std::uintptr_t>(buffer);
  return reinterpret_cast<void*>((address + RecordAlignment - 1) & ~(RecordAlignment - 1));
}

}  // namespace

IppStatus ippsIIRInitAlloc_32f(IppsIIRState_32f** ppState, const Ipp32f* pTaps, int order, const Ipp32f* pDlyLine) {
  if (!ppState || !pTaps) return StsNullPointer;
  if (order < 1) return StsIirOrder;
  void* memory = ::operator new(TIirRecord::Bytes(1, order), std::nothrow);
  if (!memory) return StsMemoryAllocation;
  TIirRecord* record = nullptr;
  if (IppStatus status = Place(memory, AllocatedIirKind, 1, order, pTaps, pDlyLine, order + 1, 0, record)) {
    ::operator delete(memory);
    return status;
  }
  *ppState = reinterpret_cast<IppsIIRState_32f*>(record);
  return StsNoError;
}

IppStatus ippsIIRFree_32f(IppsIIRState_32f* pState) {
  if (!pState) return StsNullPointer;
  if (RecordOf(pState)->Kind != AllocatedIirKind) return StsContextMatch;
  RecordOf(pState)->Kind = 0;
  ::operator delete(RecordOf(pState));
  return StsNoError;
}

IppStatus ippsIIRGetStateSize_BiQuad_32f(int numBq, int* pBufferSize) {
  if (!pBufferSize) return StsNullPointer;
  if (numBq < 1) return StsIirOrder;
  *pBufferSize = int(RecordAlignment - 1 + TIirRecord::Bytes(numBq, 2));
  return StsNoError;
}

IppStatus ippsIIRInit_BiQuad_32f(IppsIIRState_32f** ppState, const Ipp32f* pTaps, int numBq, const Ipp32f* pDlyLine,
                                 Ipp8u* pBuf) {
  if (!ppState || !pTaps || !pBuf) return StsNullPointer;
  if (numBq < 1) return StsIirOrder;
  TIirRecord* record = nullptr;
  if (IppStatus status = Place(AlignedIn(pBuf), BufferIirKind, numBq, 2, pTaps, pDlyLine, 3, 6, record)) return status;
  *ppState = reinterpret_cast<IppsIIRState_32f*>(record);
  return StsNoError;
}

IppStatus ippsIIR_32f(const Ipp32f* pSrc, Ipp32f* pDst, int len, IppsIIRState_32f* pState) {
  if (!pState) return StsNullPointer;
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  TIirRecord& record = *RecordOf(pState);
  if (record.Kind != AllocatedIirKind && record.Kind != BufferIirKind) return StsContextMatch;
  for (int n = 0; n < len; ++n) pDst[n] = record.Filter(pSrc[n]);
  return StsNoError;
}

IppStatus ippsIIR_32f_I(Ipp32f* pSrcDst, int len, IppsIIRState_32f* pState) {
  return ippsIIR_32f(pSrcDst, pSrcDst, len, pState);
}

}  // namespace Primitives::Own
