#include "vector/ImageOperations.h"

#include "vector/ArgumentChecks.h"
#include "vector/ImageRegions.h"
#include "vector/ScaledIntegers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Primitives::Own {
namespace {

template <class T>
IppStatus Combine(__int128 (*exact)(__int128, __int128), const T* pSrc, int srcStep, T* pSrcDst, int srcDstStep,
                  IppiSize roiSize, int scaleFactor) {
  if (IppStatus status = CheckRegion(roiSize, pSrc, pSrcDst)) return status;
  CombineRegion(pSrc, srcStep, pSrcDst, srcDstStep, roiSize,
                [&](T d, T s) { return ScaleResult<T>(exact(d, s), scaleFactor); });
  return StsNoError;
}

template <class T>
IppStatus ApplyConst(__int128 (*exact)(__int128, __int128), T value, T* pSrcDst, int srcDstStep, IppiSize roiSize,
                     int scaleFactor) {
  if (IppStatus status = CheckRegion(roiSize, pSrcDst)) return status;
  MapRegion(pSrcDst, srcDstStep, pSrcDst, srcDstStep, roiSize,
            [&](T x) { return ScaleResult<T>(exact(x, value), scaleFactor); });
  return StsNoError;
}

template <class T>
IppStatus Set(T value, T* pDst, int dstStep, IppiSize roiSize) {
  if (IppStatus status = CheckRegion(roiSize, pDst)) return status;
  if (IppStatus status = CheckSteps(dstStep)) return status;
  MapRegion(pDst, dstStep, pDst, dstStep, roiSize, [value](T) { return value; });
  return StsNoError;
}

// Entry k is 1/k rounded to six decimals, halves up, as a single; entry 0 is never used.
const std::array<float, 256>& Reciprocals() {
  static const std::array<float, 256> table = [] {
    std::array<float, 256> t{};
    t[0] = 0.000001f;
    for (long k = 1; k < 256; ++k) t[k] = static_cast<float>(double((2000000 + k) / (2 * k)) / 1e6);
    return t;
  }();
  return table;
}

}  // namespace

IppStatus ippiAdd_16s_C1IRSfs(const Ipp16s* pSrc, int srcStep, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize,
                              int scaleFactor) {
  return Combine(TExact<Ipp16s>::Sum, pSrc, srcStep, pSrcDst, srcDstStep, roiSize, scaleFactor);
}
IppStatus ippiSub_16s_C1IRSfs(const Ipp16s* pSrc, int srcStep, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize,
                              int scaleFactor) {
  return Combine(TExact<Ipp16s>::Difference, pSrc, srcStep, pSrcDst, srcDstStep, roiSize, scaleFactor);
}
IppStatus ippiMul_16s_C1IRSfs(const Ipp16s* pSrc, int srcStep, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize,
                              int scaleFactor) {
  return Combine(TExact<Ipp16s>::Product, pSrc, srcStep, pSrcDst, srcDstStep, roiSize, scaleFactor);
}

IppStatus ippiDiv_16s_C1IRSfs(const Ipp16s* pSrc, int srcStep, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize,
                              int scaleFactor) {
  if (IppStatus status = CheckRegion(roiSize, pSrc, pSrcDst)) return status;
  if (IppStatus status = CheckSteps(srcStep, srcDstStep)) return status;
  bool zeroDivisor = false;
  CombineRegion(pSrc, srcStep, pSrcDst, srcDstStep, roiSize,
                [&](Ipp16s d, Ipp16s s) { return DivideScaled<Ipp16s>(d, s, scaleFactor, zeroDivisor); });
  return zeroDivisor ? StsDivByZero : StsNoError;
}

IppStatus ippiAddC_8u_C1IRSfs(Ipp8u value, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor) {
  return ApplyConst(TExact<Ipp8u>::Sum, value, pSrcDst, srcDstStep, roiSize, scaleFactor);
}
IppStatus ippiSubC_8u_C1IRSfs(Ipp8u value, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor) {
  return ApplyConst(TExact<Ipp8u>::Difference, value, pSrcDst, srcDstStep, roiSize, scaleFactor);
}
IppStatus ippiMulC_8u_C1IRSfs(Ipp8u value, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor) {
  return ApplyConst(TExact<Ipp8u>::Product, value, pSrcDst, srcDstStep, roiSize, scaleFactor);
}
IppStatus ippiAddC_16s_C1IRSfs(Ipp16s value, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor) {
  return ApplyConst(TExact<Ipp16s>::Sum, value, pSrcDst, srcDstStep, roiSize, scaleFactor);
}
IppStatus ippiSubC_16s_C1IRSfs(Ipp16s value, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor) {
  return ApplyConst(TExact<Ipp16s>::Difference, value, pSrcDst, srcDstStep, roiSize, scaleFactor);
}
IppStatus ippiMulC_16s_C1IRSfs(Ipp16s value, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor) {
  return ApplyConst(TExact<Ipp16s>::Product, value, pSrcDst, srcDstStep, roiSize, scaleFactor);
}

IppStatus ippiDivC_8u_C1IRSfs(Ipp8u value, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor) {
  if (IppStatus status = CheckRegion(roiSize, pSrcDst)) return status;
  if (IppStatus status = CheckSteps(srcDstStep)) return status;
  if (value == 0) return StsDivByZeroErr;
  // Beyond +-64 every non-zero result saturates or rounds to 0 already.
  const float factor = std::ldexp(Reciprocals()[value], -std::clamp(scaleFactor, -64, 64));
  MapRegion(pSrcDst, srcDstStep, pSrcDst, srcDstStep, roiSize, [factor](Ipp8u x) {
    const float product = x * factor;
    float rounded = std::trunc(product + 0.5f);
    // An exact tie goes to the even neighbour.
    if (rounded - product == 0.5f && std::fmod(rounded, 2.0f) == 1.0f) rounded -= 1;
    return static_cast<Ipp8u>(std::min(rounded, 255.0f));
  });
  return StsNoError;
}

IppStatus ippiDivC_16s_C1IRSfs(Ipp16s value, Ipp16s* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor) {
  if (IppStatus status = CheckRegion(roiSize, pSrcDst)) return status;
  if (IppStatus status = CheckSteps(srcDstStep)) return status;
  if (value == 0) return StsDivByZeroErr;
  bool zeroDivisor = false;
  MapRegion(pSrcDst, srcDstStep, pSrcDst, srcDstStep, roiSize,
            [&](Ipp16s x) { return DivideScaled<Ipp16s>(x, value, scaleFactor, zeroDivisor); });
  return StsNoError;
}

IppStatus ippiSet_8u_C1R(Ipp8u value, Ipp8u* pDst, int dstStep, IppiSize roiSize) {
  return Set(value, pDst, dstStep, roiSize);
}
IppStatus ippiSet_16s_C1R(Ipp16s value, Ipp16s* pDst, int dstStep, IppiSize roiSize) {
  return Set(value, pDst, dstStep, roiSize);
}
IppStatus ippiSet_32s_C1R(Ipp32s value, Ipp32s* pDst, int dstStep, IppiSize roiSize) {
  return Set(value, pDst, dstStep, roiSize);
}

IppStatus ippiCopy_8u_C1R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep, IppiSize roiSize) {
  if (IppStatus status = CheckRegion(roiSize, pSrc, pDst)) return status;
  for (int y = 0; y < roiSize.height; ++y)
    std::memcpy(Row(pDst, dstStep, y), Row(pSrc, srcStep, y), std::size_t(roiSize.width));
  return StsNoError;
}

}  // namespace Primitives::Own
