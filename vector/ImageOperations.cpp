#include "vector/ImageOperations.h"

#include "vector/ArgumentChecks.h"
#include "vector/ImageRegions.h"
#include "vector/ScaledIntegers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

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
IppStatus Divide(const T* pSrc, int srcStep, T* pSrcDst, int srcDstStep, IppiSize roiSize, int scaleFactor) {
  if (IppStatus status = CheckRegion(roiSize, pSrc, pSrcDst)) return status;
  if (IppStatus status = CheckSteps(srcStep, srcDstStep)) return status;
  bool zeroDivisor = false;
  CombineRegion(pSrc, srcStep, pSrcDst, srcDstStep, roiSize,
                [&](T d, T s) { return DivideScaled<T>(d, s, scaleFactor, zeroDivisor); });
  return zeroDivisor ? StsDivByZero : StsNoError;
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

// Rows of `pixelBytes` bytes per pixel.
template <class T>
IppStatus Copy(const T* pSrc, int srcStep, T* pDst, int dstStep, IppiSize roiSize, std::size_t pixelBytes) {
  if (IppStatus status = CheckRegion(roiSize, pSrc, pDst)) return status;
  CopyRows(pSrc, srcStep, pDst, dstStep, roiSize.height, std::size_t(roiSize.width) * pixelBytes);
  return StsNoError;
}

// Swaps the pixels of `width` pixels of `pixelBytes` bytes from both ends of a row.
void ReverseRow(Ipp8u* row, int width, std::size_t pixelBytes) {
  for (int left = 0, right = width - 1; left < right; ++left, --right)
    std::swap_ranges(row + left * pixelBytes, row + (left + 1) * pixelBytes, row + right * pixelBytes);
}

}  // namespace

IppStatus ippiAdd_8u_C1IRSfs(const Ipp8u* pSrc, int srcStep, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize,
                             int scaleFactor) {
  return Combine(TExact<Ipp8u>::Sum, pSrc, srcStep, pSrcDst, srcDstStep, roiSize, scaleFactor);
}
IppStatus ippiSub_8u_C1IRSfs(const Ipp8u* pSrc, int srcStep, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize,
                             int scaleFactor) {
  return Combine(TExact<Ipp8u>::Difference, pSrc, srcStep, pSrcDst, srcDstStep, roiSize, scaleFactor);
}
IppStatus ippiMul_8u_C1IRSfs(const Ipp8u* pSrc, int srcStep, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize,
                             int scaleFactor) {
  return Combine(TExact<Ipp8u>::Product, pSrc, srcStep, pSrcDst, srcDstStep, roiSize, scaleFactor);
}
IppStatus ippiDiv_8u_C1IRSfs(const Ipp8u* pSrc, int srcStep, Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize,
                             int scaleFactor) {
  return Divide(pSrc, srcStep, pSrcDst, srcDstStep, roiSize, scaleFactor);
}

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
  return Divide(pSrc, srcStep, pSrcDst, srcDstStep, roiSize, scaleFactor);
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

IppStatus ippiSet_8u_C4R(const Ipp8u value[4], Ipp8u* pDst, int dstStep, IppiSize roiSize) {
  if (!value) return StsNullPointer;
  Ipp32u pixel;
  std::memcpy(&pixel, value, sizeof pixel);
  return Set(pixel, reinterpret_cast<Ipp32u*>(pDst), dstStep, roiSize);
}

IppStatus ippiCopy_8u_C1R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep, IppiSize roiSize) {
  return Copy(pSrc, srcStep, pDst, dstStep, roiSize, 1);
}
IppStatus ippiCopy_32s_C1R(const Ipp32s* pSrc, int srcStep, Ipp32s* pDst, int dstStep, IppiSize roiSize) {
  return Copy(pSrc, srcStep, pDst, dstStep, roiSize, sizeof(Ipp32s));
}
IppStatus ippiCopy_8u_C4R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep, IppiSize roiSize) {
  return Copy(pSrc, srcStep, pDst, dstStep, roiSize, 4);
}

IppStatus ippiMirror_8u_C3IR(Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize, IppiAxis flip) {
  if (IppStatus status = CheckRegion(roiSize, pSrcDst)) return status;
  if (IppStatus status = CheckSteps(srcDstStep)) return status;
  if (flip != AxsHorizontal && flip != AxsVertical && flip != AxsBoth) return StsMirrorFlip;
  constexpr std::size_t pixelBytes = 3;
  const std::size_t rowBytes = std::size_t(roiSize.width) * pixelBytes;
  if (flip != AxsVertical)
    for (int top = 0, bottom = roiSize.height - 1; top < bottom; ++top, --bottom)
      std::swap_ranges(Row(pSrcDst, srcDstStep, top), Row(pSrcDst, srcDstStep, top) + rowBytes,
                       Row(pSrcDst, srcDstStep, bottom));
  if (flip != AxsHorizontal)
    for (int y = 0; y < roiSize.height; ++y) ReverseRow(Row(pSrcDst, srcDstStep, y), roiSize.width, pixelBytes);
  return StsNoError;
}

}  // namespace Primitives::Own
