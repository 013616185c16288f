#include "vector/DepthConversions.h"

#include "vector/ArgumentChecks.h"
#include "vector/ImageRegions.h"
#include "vector/IntegerRounding.h"

#include <cstdint>

namespace Primitives::Own {
namespace {

template <class S, class D, class Map>
IppStatus Convert(const S* pSrc, int srcStep, D* pDst, int dstStep, IppiSize roiSize, Map map) {
  if (IppStatus status = CheckRegion(roiSize, pSrc, pDst)) return status;
  if (IppStatus status = CheckSteps(srcStep, dstStep)) return status;
  MapRegion(pSrc, srcStep, pDst, dstStep, roiSize, map);
  return StsNoError;
}

// The nearest integer to (v - min) * 255 / range, ties to even; range is odd, so no ties occur.
Ipp8u NearestByte(int64_t v, int64_t min, int64_t range) {
  const int64_t scaled = (v - min) * 255;
  const int64_t q = scaled / range, r = scaled % range;
  return static_cast<Ipp8u>(2 * r > range ? q + 1 : q);
}

template <class S, class D>
IppStatus Widen(const S* pSrc, int srcStep, D* pDst, int dstStep, IppiSize roiSize) {
  return Convert(pSrc, srcStep, pDst, dstStep, roiSize, [](S x) { return D(x); });
}

template <class D>
IppStatus Round(const Ipp32f* pSrc, int srcStep, D* pDst, int dstStep, IppiSize roiSize, IppRoundMode roundMode) {
  return Convert(pSrc, srcStep, pDst, dstStep, roiSize,
                 [roundMode](Ipp32f x) { return RoundSaturated<D>(x, roundMode); });
}

}  // namespace

IppStatus ippiScale_8u16s_C1R(const Ipp8u* pSrc, int srcStep, Ipp16s* pDst, int dstStep, IppiSize roiSize) {
  return Convert(pSrc, srcStep, pDst, dstStep, roiSize, [](Ipp8u x) { return static_cast<Ipp16s>(x * 257 - 32768); });
}

IppStatus ippiScale_8u32s_C1R(const Ipp8u* pSrc, int srcStep, Ipp32s* pDst, int dstStep, IppiSize roiSize) {
  return Convert(pSrc, srcStep, pDst, dstStep, roiSize,
                 [](Ipp8u x) { return static_cast<Ipp32s>(int64_t(x) * 16843009 - 2147483648LL); });
}

IppStatus ippiScale_16s8u_C1R(const Ipp16s* pSrc, int srcStep, Ipp8u* pDst, int dstStep, IppiSize roiSize,
                              IppHintAlgorithm hint) {
  if (hint == HintAccurate)
    return Convert(pSrc, srcStep, pDst, dstStep, roiSize, [](Ipp16s v) { return NearestByte(v, -32768, 65535); });
  return Convert(pSrc, srcStep, pDst, dstStep, roiSize,
                 [](Ipp16s v) { return static_cast<Ipp8u>(((v - (v >> 8)) >> 8) + 128); });
}

IppStatus ippiScale_32s8u_C1R(const Ipp32s* pSrc, int srcStep, Ipp8u* pDst, int dstStep, IppiSize roiSize,
                              IppHintAlgorithm hint) {
  if (hint == HintAccurate)
    return Convert(pSrc, srcStep, pDst, dstStep, roiSize,
                   [](Ipp32s v) { return NearestByte(v, -2147483648LL, 4294967295LL); });
  return Convert(pSrc, srcStep, pDst, dstStep, roiSize, [](Ipp32s v) {
    const int64_t wide = v;
    return static_cast<Ipp8u>(((wide - (wide >> 8)) >> 24) + 128);
  });
}

IppStatus ippiConvert_8u16u_C1R(const Ipp8u* pSrc, int srcStep, Ipp16u* pDst, int dstStep, IppiSize roiSize) {
  return Widen(pSrc, srcStep, pDst, dstStep, roiSize);
}
IppStatus ippiConvert_8u32f_C1R(const Ipp8u* pSrc, int srcStep, Ipp32f* pDst, int dstStep, IppiSize roiSize) {
  return Widen(pSrc, srcStep, pDst, dstStep, roiSize);
}
IppStatus ippiConvert_8s32f_C1R(const Ipp8s* pSrc, int srcStep, Ipp32f* pDst, int dstStep, IppiSize roiSize) {
  return Widen(pSrc, srcStep, pDst, dstStep, roiSize);
}
IppStatus ippiConvert_16s32f_C1R(const Ipp16s* pSrc, int srcStep, Ipp32f* pDst, int dstStep, IppiSize roiSize) {
  return Widen(pSrc, srcStep, pDst, dstStep, roiSize);
}

IppStatus ippiConvert_32f16s_C1R(const Ipp32f* pSrc, int srcStep, Ipp16s* pDst, int dstStep, IppiSize roiSize,
                                 IppRoundMode roundMode) {
  return Round(pSrc, srcStep, pDst, dstStep, roiSize, roundMode);
}
IppStatus ippiConvert_32f8s_C1R(const Ipp32f* pSrc, int srcStep, Ipp8s* pDst, int dstStep, IppiSize roiSize,
                                IppRoundMode roundMode) {
  return Round(pSrc, srcStep, pDst, dstStep, roiSize, roundMode);
}

}  // namespace Primitives::Own
