#include "vector/ComplexFunctions.h"

#include "vector/ElementLoops.h"

#include <cmath>

namespace Primitives::Own {
namespace {

using TExtended = long double;

Ipp64fc Square(Ipp64fc z) {
  const TExtended re = z.re, im = z.im;
  return {static_cast<Ipp64f>((re - im) * (re + im)), static_cast<Ipp64f>(2 * (re * im))};
}

// With a = re / 2, b = im / 2 and r = |z| / 2: the root's real part comes from a + r on the right
// half-plane and its imaginary part from r - a on the left, where neither sum cancels.
Ipp64fc SquareRoot(Ipp64fc z) {
  const TExtended a = TExtended(z.re) / 2, b = TExtended(z.im) / 2;
  const TExtended r = std::sqrt(a * a + b * b);
  TExtended re, im;
  if (z.re > 0) {
    re = std::sqrt(a + r);
    im = b / re;
  } else if (z.re < 0) {
    im = std::sqrt(r - a);
    if (z.im < 0) im = -im;
    re = b / im;
  } else {
    re = std::sqrt(std::fabs(b));
    im = z.im < 0 ? -re : re;
  }
  return {static_cast<Ipp64f>(re), static_cast<Ipp64f>(im)};
}

}  // namespace

IppStatus ippsSqr_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len) { return MapVector(pSrc, pDst, len, Square); }
IppStatus ippsSqr_64fc_I(Ipp64fc* pSrcDst, int len) { return MapVector(pSrcDst, pSrcDst, len, Square); }

IppStatus ippsSqrt_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len) { return MapVector(pSrc, pDst, len, SquareRoot); }
IppStatus ippsSqrt_64fc_I(Ipp64fc* pSrcDst, int len) { return MapVector(pSrcDst, pSrcDst, len, SquareRoot); }

IppStatus ippsPhase_64fc(const Ipp64fc* pSrc, Ipp64f* pDst, int len) {
  return MapVector(pSrc, pDst, len,
                   [](Ipp64fc z) { return static_cast<Ipp64f>(std::atan2(TExtended(z.im), TExtended(z.re))); });
}

IppStatus ippsPowerSpectr_64fc(const Ipp64fc* pSrc, Ipp64f* pDst, int len) {
  return MapVector(pSrc, pDst, len, [](Ipp64fc z) {
    const TExtended re = z.re, im = z.im;
    return static_cast<Ipp64f>(re * re + im * im);
  });
}

}  // namespace Primitives::Own
