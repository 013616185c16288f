#include "vector/Conversions.h"

#include "vector/ElementLoops.h"
#include "vector/IntegerRounding.h"
#include "vector/SingleConversion.h"

#include <cstddef>

namespace Primitives::Own {
namespace {

template <class S>
IppStatus ToInt32(const S* pSrc, Ipp32s* pDst, int len, IppRoundMode rndMode, int scaleFactor) {
  if (scaleFactor == 0)
    return MapVector(pSrc, pDst, len, [rndMode](S x) { return RoundSaturated<Ipp32s>(x, rndMode); });
  return MapVector(pSrc, pDst, len,
                   [=](S x) { return RoundSaturated<Ipp32s>(ScaledByPowerOfTwo(x, scaleFactor), rndMode); });
}

}  // namespace

IppStatus ippsConvert_32s64f(const Ipp32s* pSrc, Ipp64f* pDst, int len) {
  return MapVector(pSrc, pDst, len, [](Ipp32s x) { return Ipp64f(x); });
}
IppStatus ippsConvert_32f64f(const Ipp32f* pSrc, Ipp64f* pDst, int len) {
  return MapVector(pSrc, pDst, len, [](Ipp32f x) { return Ipp64f(x); });
}
IppStatus ippsConvert_8s16s(const Ipp8s* pSrc, Ipp16s* pDst, int len) {
  return MapVector(pSrc, pDst, len, [](Ipp8s x) { return Ipp16s(x); });
}
IppStatus ippsConvert_32s32f(const Ipp32s* pSrc, Ipp32f* pDst, int len) {
  return MapVector(pSrc, pDst, len, [](Ipp32s x) { return Ipp32f(x); });
}

IppStatus ippsConvert_64f32f(const Ipp64f* pSrc, Ipp32f* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  static const TSingleConversion fastest = SupportedSingleConversions().back();
  fastest(pSrc, pDst, len);
  return StsNoError;
}

IppStatus ippsConvert_64f32s_Sfs(const Ipp64f* pSrc, Ipp32s* pDst, int len, IppRoundMode rndMode, int scaleFactor) {
  return ToInt32(pSrc, pDst, len, rndMode, scaleFactor);
}
IppStatus ippsConvert_32f32s_Sfs(const Ipp32f* pSrc, Ipp32s* pDst, int len, IppRoundMode rndMode, int scaleFactor) {
  return ToInt32(pSrc, pDst, len, rndMode, scaleFactor);
}

IppStatus ippsSwapBytes_16u(const Ipp16u* pSrc, Ipp16u* pDst, int len) {
  return MapVector(pSrc, pDst, len, [](Ipp16u x) { return Ipp16u(x << 8 | x >> 8); });
}
IppStatus ippsSwapBytes_24u(const Ipp8u* pSrc, Ipp8u* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  for (std::size_t i = 0; i < std::size_t(len) * 3; i += 3) {
    const Ipp8u first = pSrc[i], last = pSrc[i + 2];
    pDst[i] = last;
    pDst[i + 1] = pSrc[i + 1];
    pDst[i + 2] = first;
  }
  return StsNoError;
}
IppStatus ippsSwapBytes_32u(const Ipp32u* pSrc, Ipp32u* pDst, int len) {
  return MapVector(pSrc, pDst, len, [](Ipp32u x) { return __builtin_bswap32(x); });
}
IppStatus ippsSwapBytes_32u_I(Ipp32u* pSrcDst, int len) { return ippsSwapBytes_32u(pSrcDst, pSrcDst, len); }

}  // namespace Primitives::Own
