#include "vector/IntegerOperations.h"

#include "vector/ArgumentChecks.h"
#include "vector/ScaledIntegers.h"

#include <algorithm>
#include <cstring>

namespace Primitives::Own {
namespace {

template <class T>
IppStatus Set(T val, T* pDst, int len) {
  if (IppStatus status = CheckVector(len, pDst)) return status;
  std::fill_n(pDst, len, val);
  return StsNoError;
}

// x = scaled exact(x, val) for every element.
template <class T>
IppStatus ApplyConst(__int128 (*exact)(__int128, __int128), T val, T* pSrcDst, int len, int scaleFactor) {
  if (IppStatus status = CheckVector(len, pSrcDst)) return status;
  for (int i = 0; i < len; ++i) pSrcDst[i] = ScaleResult<T>(exact(pSrcDst[i], val), scaleFactor);
  return StsNoError;
}

}  // namespace

IppStatus ippsCopy_8u(const Ipp8u* pSrc, Ipp8u* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  std::memcpy(pDst, pSrc, std::size_t(len));
  return StsNoError;
}

IppStatus ippsSet_8u(Ipp8u val, Ipp8u* pDst, int len) { return Set(val, pDst, len); }
IppStatus ippsSet_16s(Ipp16s val, Ipp16s* pDst, int len) { return Set(val, pDst, len); }
IppStatus ippsSet_32s(Ipp32s val, Ipp32s* pDst, int len) { return Set(val, pDst, len); }

IppStatus ippsAddC_8u_ISfs(Ipp8u val, Ipp8u* pSrcDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp8u>::Sum, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsSubC_8u_ISfs(Ipp8u val, Ipp8u* pSrcDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp8u>::Difference, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsMulC_8u_ISfs(Ipp8u val, Ipp8u* pSrcDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp8u>::Product, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsAddC_16s_ISfs(Ipp16s val, Ipp16s* pSrcDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp16s>::Sum, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsSubC_16s_ISfs(Ipp16s val, Ipp16s* pSrcDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp16s>::Difference, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsMulC_16s_ISfs(Ipp16s val, Ipp16s* pSrcDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp16s>::Product, val, pSrcDst, len, scaleFactor);
}

IppStatus ippsDivC_16s_ISfs(Ipp16s val, Ipp16s* pSrcDst, int len, int scaleFactor) {
  if (IppStatus status = CheckVector(len, pSrcDst)) return status;
  if (val == 0) return StsDivByZeroErr;
  bool zeroDivisor = false;
  for (int i = 0; i < len; ++i) pSrcDst[i] = DivideScaled<Ipp16s>(pSrcDst[i], val, scaleFactor, zeroDivisor);
  return StsNoError;
}

}  // namespace Primitives::Own
