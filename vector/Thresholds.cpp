#include "vector/Thresholds.h"

#include "vector/ElementLoops.h"

#include <algorithm>
#include <cmath>

namespace Primitives::Own {
namespace {

using TExtended = long double;

template <class T>
IppStatus Clamp(const T* pSrc, T* pDst, int len, T level, bool above) {
  if (above) return MapVector(pSrc, pDst, len, [level](T x) { return x > level ? level : x; });
  return MapVector(pSrc, pDst, len, [level](T x) { return x < level ? level : x; });
}

IppStatus ClampMagnitudes(const Ipp64fc* pSrc, Ipp64fc* pDst, int len, Ipp64f level, IppCmpOp relOp) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  if (level < 0) return StsThreshNegLevel;
  const TExtended levelSquared = TExtended(level) * level;
  const bool above = relOp == CmpGreater;
  return MapVector(pSrc, pDst, len, [=](Ipp64fc z) -> Ipp64fc {
    const TExtended re = z.re, im = z.im, m = re * re + im * im;
    if (!above && m == 0) return {level, 0};
    if (above ? m > levelSquared : m < levelSquared) {
      const TExtended factor = std::sqrt(levelSquared / m);
      return {static_cast<Ipp64f>(re * factor), static_cast<Ipp64f>(im * factor)};
    }
    return z;
  });
}

}  // namespace

IppStatus ippsThreshold_64f_I(Ipp64f* pSrcDst, int len, Ipp64f level, IppCmpOp relOp) {
  return Clamp(pSrcDst, pSrcDst, len, level, relOp == CmpGreater);
}
IppStatus ippsThreshold_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len, Ipp64f level, IppCmpOp relOp) {
  return Clamp(pSrc, pDst, len, level, relOp == CmpGreater);
}

IppStatus ippsThreshold_64fc_I(Ipp64fc* pSrcDst, int len, Ipp64f level, IppCmpOp relOp) {
  return ClampMagnitudes(pSrcDst, pSrcDst, len, level, relOp);
}
IppStatus ippsThreshold_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len, Ipp64f level, IppCmpOp relOp) {
  return ClampMagnitudes(pSrc, pDst, len, level, relOp);
}

IppStatus ippsThreshold_LT_32s_I(Ipp32s* pSrcDst, int len, Ipp32s level) {
  return Clamp(pSrcDst, pSrcDst, len, level, false);
}
IppStatus ippsThreshold_GT_32s_I(Ipp32s* pSrcDst, int len, Ipp32s level) {
  return Clamp(pSrcDst, pSrcDst, len, level, true);
}

}  // namespace Primitives::Own
