#include "vector/Fft.h"

#include "vector/ArgumentChecks.h"
#include "vector/FftTransforms.h"

namespace Primitives::Own {
namespace {

template <typename Record>
const TFftRecord* RecordOf(const Record* record) {
  return reinterpret_cast<const TFftRecord*>(record);
}

template <typename Record>
IppStatus InitAlloc(Record** ppFFTSpec, int order, int flag, std::uint32_t kind) {
  if (!ppFFTSpec) return StsNullPointer;
  if (order < 0 || order > FftMaxOrder) return StsFftOrder;
  if (flag != FftDivForwardByN && flag != FftDivInverseByN && flag != FftDivBySqrtN && flag != FftNoDivision)
    return StsFftFlag;
  TFftRecord* record = CreateFftRecord(kind, order, flag);
  if (!record) return StsMemoryAllocation;
  *ppFFTSpec = reinterpret_cast<Record*>(record);
  return StsNoError;
}

template <typename Record>
IppStatus Free(Record* pFFTSpec, std::uint32_t kind) {
  if (!pFFTSpec) return StsNullPointer;
  if (RecordOf(pFFTSpec)->Kind != kind) return StsContextMatch;
  DestroyFftRecord(reinterpret_cast<TFftRecord*>(pFFTSpec));
  return StsNoError;
}

// Checks a transform's arguments, in their order (the pointers, then the record's kind), and runs
// it with the record's own kernel set.
template <typename Record, typename Element, typename Transform>
IppStatus Run(Transform transform, const Element* pSrc, Element* pDst, const Record* pFFTSpec, std::uint32_t kind) {
  if (!pSrc || !pDst || !pFFTSpec) return StsNullPointer;
  const TFftRecord& record = *RecordOf(pFFTSpec);
  if (record.Kind != kind) return StsContextMatch;
  transform(record, *record.Kernels, pSrc, pDst);
  return StsNoError;
}

}  // namespace

IppStatus ippsFFTInitAlloc_R_64f(IppsFFTSpec_R_64f** ppFFTSpec, int order, int flag, IppHintAlgorithm) {
  return InitAlloc(ppFFTSpec, order, flag, RealFftKind);
}

IppStatus ippsFFTFree_R_64f(IppsFFTSpec_R_64f* pFFTSpec) { return Free(pFFTSpec, RealFftKind); }

IppStatus ippsFFTFwd_RToCCS_64f(const Ipp64f* pSrc, Ipp64f* pDst, const IppsFFTSpec_R_64f* pFFTSpec, Ipp8u*) {
  return Run(ForwardReal, pSrc, pDst, pFFTSpec, RealFftKind);
}

IppStatus ippsFFTInv_CCSToR_64f(const Ipp64f* pSrc, Ipp64f* pDst, const IppsFFTSpec_R_64f* pFFTSpec, Ipp8u*) {
  return Run(InverseReal, pSrc, pDst, pFFTSpec, RealFftKind);
}

IppStatus ippsFFTInitAlloc_C_64fc(IppsFFTSpec_C_64fc** ppFFTSpec, int order, int flag, IppHintAlgorithm) {
  return InitAlloc(ppFFTSpec, order, flag, ComplexFftKind);
}

IppStatus ippsFFTFree_C_64fc(IppsFFTSpec_C_64fc* pFFTSpec) { return Free(pFFTSpec, ComplexFftKind); }

IppStatus ippsFFTFwd_CToC_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, const IppsFFTSpec_C_64fc* pFFTSpec, Ipp8u*) {
  return Run(ForwardComplex, pSrc, pDst, pFFTSpec, ComplexFftKind);
}

IppStatus ippsFFTInv_CToC_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, const IppsFFTSpec_C_64fc* pFFTSpec, Ipp8u*) {
  return Run(InverseComplex, pSrc, pDst, pFFTSpec, ComplexFftKind);
}

IppStatus ippsConjCcs_64fc_I(Ipp64fc* pSrcDst, int len) {
  if (IppStatus status = CheckVector(len, pSrcDst)) return status;
  for (int k = len / 2 + 1; k < len; ++k) pSrcDst[k] = {pSrcDst[len - k].re, -pSrcDst[len - k].im};
  return StsNoError;
}

}  // namespace Primitives::Own
