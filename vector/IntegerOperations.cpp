#include "vector/IntegerOperations.h"

#include "vector/ElementLoops.h"
#include "vector/ScaledIntegers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Primitives::Own {
namespace {

using TExactResult = __int128 (*)(__int128, __int128);

// pDst[i] = scaled exact(pSrc[i], val).
template <class T>
IppStatus ApplyConst(TExactResult exact, const T* pSrc, T val, T* pDst, int len, int scaleFactor) {
  return MapVector(pSrc, pDst, len, [=](T x) { return ScaleResult<T>(exact(x, val), scaleFactor); });
}

// pSrcDst[i] = scaled exact(pSrcDst[i], pSrc[i]).
template <class T>
IppStatus Combine(TExactResult exact, const T* pSrc, T* pSrcDst, int len, int scaleFactor) {
  return ZipVectors(pSrcDst, pSrc, pSrcDst, len, [=](T d, T s) { return ScaleResult<T>(exact(d, s), scaleFactor); });
}

__int128 ReverseDifference(__int128 x, __int128 val) { return val - x; }

}  // namespace

IppStatus ippsCopy_8u(const Ipp8u* pSrc, Ipp8u* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  std::memcpy(pDst, pSrc, std::size_t(len));
  return StsNoError;
}

IppStatus ippsMove_8u(const Ipp8u* pSrc, Ipp8u* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  std::memmove(pDst, pSrc, std::size_t(len));
  return StsNoError;
}

IppStatus ippsSet_8u(Ipp8u val, Ipp8u* pDst, int len) { return FillVector(val, pDst, len); }
IppStatus ippsSet_16s(Ipp16s val, Ipp16s* pDst, int len) { return FillVector(val, pDst, len); }
IppStatus ippsSet_32s(Ipp32s val, Ipp32s* pDst, int len) { return FillVector(val, pDst, len); }
IppStatus ippsZero_32s(Ipp32s* pDst, int len) { return FillVector(Ipp32s{0}, pDst, len); }

IppStatus ippsAdd_8u_ISfs(const Ipp8u* pSrc, Ipp8u* pSrcDst, int len, int scaleFactor) {
  return Combine(TExact<Ipp8u>::Sum, pSrc, pSrcDst, len, scaleFactor);
}
IppStatus ippsSub_8u_ISfs(const Ipp8u* pSrc, Ipp8u* pSrcDst, int len, int scaleFactor) {
  return Combine(TExact<Ipp8u>::Difference, pSrc, pSrcDst, len, scaleFactor);
}
IppStatus ippsMul_8u_ISfs(const Ipp8u* pSrc, Ipp8u* pSrcDst, int len, int scaleFactor) {
  return Combine(TExact<Ipp8u>::Product, pSrc, pSrcDst, len, scaleFactor);
}
IppStatus ippsAdd_32s_ISfs(const Ipp32s* pSrc, Ipp32s* pSrcDst, int len, int scaleFactor) {
  return Combine(TExact<Ipp32s>::Sum, pSrc, pSrcDst, len, scaleFactor);
}
IppStatus ippsSub_32s_ISfs(const Ipp32s* pSrc, Ipp32s* pSrcDst, int len, int scaleFactor) {
  return Combine(TExact<Ipp32s>::Difference, pSrc, pSrcDst, len, scaleFactor);
}
IppStatus ippsMul_32s_ISfs(const Ipp32s* pSrc, Ipp32s* pSrcDst, int len, int scaleFactor) {
  return Combine(TExact<Ipp32s>::Product, pSrc, pSrcDst, len, scaleFactor);
}

IppStatus ippsDiv_32s_ISfs(const Ipp32s* pSrc, Ipp32s* pSrcDst, int len, int scaleFactor) {
  bool zeroDivisor = false;
  const IppStatus status = ZipVectors(pSrcDst, pSrc, pSrcDst, len, [&](Ipp32s d, Ipp32s s) {
    return DivideScaled<Ipp32s>(d, s, scaleFactor, zeroDivisor);
  });
  return status == StsNoError && zeroDivisor ? StsDivByZero : status;
}

IppStatus ippsAddC_8u_ISfs(Ipp8u val, Ipp8u* pSrcDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp8u>::Sum, pSrcDst, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsSubC_8u_ISfs(Ipp8u val, Ipp8u* pSrcDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp8u>::Difference, pSrcDst, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsMulC_8u_ISfs(Ipp8u val, Ipp8u* pSrcDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp8u>::Product, pSrcDst, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsAddC_16s_ISfs(Ipp16s val, Ipp16s* pSrcDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp16s>::Sum, pSrcDst, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsSubC_16s_ISfs(Ipp16s val, Ipp16s* pSrcDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp16s>::Difference, pSrcDst, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsMulC_16s_ISfs(Ipp16s val, Ipp16s* pSrcDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp16s>::Product, pSrcDst, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsAddC_32s_ISfs(Ipp32s val, Ipp32s* pSrcDst, int len, int scaleFactor) {
  return ippsAddC_32s_Sfs(pSrcDst, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsSubC_32s_ISfs(Ipp32s val, Ipp32s* pSrcDst, int len, int scaleFactor) {
  return ippsSubC_32s_Sfs(pSrcDst, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsSubCRev_32s_ISfs(Ipp32s val, Ipp32s* pSrcDst, int len, int scaleFactor) {
  return ippsSubCRev_32s_Sfs(pSrcDst, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsMulC_32s_ISfs(Ipp32s val, Ipp32s* pSrcDst, int len, int scaleFactor) {
  return ippsMulC_32s_Sfs(pSrcDst, val, pSrcDst, len, scaleFactor);
}
IppStatus ippsAddC_32s_Sfs(const Ipp32s* pSrc, Ipp32s val, Ipp32s* pDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp32s>::Sum, pSrc, val, pDst, len, scaleFactor);
}
IppStatus ippsSubC_32s_Sfs(const Ipp32s* pSrc, Ipp32s val, Ipp32s* pDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp32s>::Difference, pSrc, val, pDst, len, scaleFactor);
}
IppStatus ippsSubCRev_32s_Sfs(const Ipp32s* pSrc, Ipp32s val, Ipp32s* pDst, int len, int scaleFactor) {
  return ApplyConst(ReverseDifference, pSrc, val, pDst, len, scaleFactor);
}
IppStatus ippsMulC_32s_Sfs(const Ipp32s* pSrc, Ipp32s val, Ipp32s* pDst, int len, int scaleFactor) {
  return ApplyConst(TExact<Ipp32s>::Product, pSrc, val, pDst, len, scaleFactor);
}

IppStatus ippsDivC_16s_ISfs(Ipp16s val, Ipp16s* pSrcDst, int len, int scaleFactor) {
  if (IppStatus status = CheckVector(len, pSrcDst)) return status;
  if (val == 0) return StsDivByZeroErr;
  bool zeroDivisor = false;
  return MapVector(pSrcDst, pSrcDst, len,
                   [&](Ipp16s x) { return DivideScaled<Ipp16s>(x, val, scaleFactor, zeroDivisor); });
}

IppStatus ippsDotProd_32s_Sfs(const Ipp32s* pSrc1, const Ipp32s* pSrc2, int len, Ipp32s* pDp, int scaleFactor) {
  if (IppStatus status = CheckVector(len, pSrc1, pSrc2, pDp)) return status;
  const long double sum =
      ExtendedSum(len, [=](int i) { return static_cast<long double>(int64_t(pSrc1[i]) * pSrc2[i]); });
  const long double scaled = std::ldexp(sum, -std::clamp(scaleFactor, -31, 93));
  *pDp = static_cast<Ipp32s>(std::nearbyint(std::clamp(scaled, -2147483648.0L, 2147483647.0L)));
  return StsNoError;
}

}  // namespace Primitives::Own
