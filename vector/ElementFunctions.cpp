#include "vector/ElementFunctions.h"

#include "vector/ElementLoops.h"

#include <cfloat>
#include <cmath>

namespace Primitives::Own {
namespace {

// Below the logarithm of the smallest normal double, e^x would be subnormal.
const double ExpUnderflow = std::log(DBL_MIN);

}  // namespace

IppStatus ippsAbs_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
  return MapVector(pSrc, pDst, len, [](Ipp64f x) { return std::fabs(x); });
}
IppStatus ippsAbs_64f_I(Ipp64f* pSrcDst, int len) { return ippsAbs_64f(pSrcDst, pSrcDst, len); }

IppStatus ippsSqr_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
  return MapVector(pSrc, pDst, len, [](Ipp64f x) { return x * x; });
}
IppStatus ippsSqr_64f_I(Ipp64f* pSrcDst, int len) { return ippsSqr_64f(pSrcDst, pSrcDst, len); }

IppStatus ippsSqrt_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  bool negative = false;
  for (int i = 0; i < len; ++i) {
    const Ipp64f x = pSrc[i];
    if (x < 0) {
      negative = true;
      pDst[i] = DefaultNaN;
    } else {
      pDst[i] = std::sqrt(x);  // -0 stays -0
    }
  }
  return negative ? StsSqrtNegArg : StsNoError;
}
IppStatus ippsSqrt_64f_I(Ipp64f* pSrcDst, int len) { return ippsSqrt_64f(pSrcDst, pSrcDst, len); }

IppStatus ippsExp_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
  return MapVector(pSrc, pDst, len, [](Ipp64f x) { return x < ExpUnderflow ? 0.0 : std::exp(x); });
}
IppStatus ippsExp_64f_I(Ipp64f* pSrcDst, int len) { return ippsExp_64f(pSrcDst, pSrcDst, len); }

IppStatus ippsLn_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  IppStatus warning = StsNoError;
  for (int i = 0; i < len; ++i) {
    const Ipp64f x = pSrc[i];
    if (std::signbit(x)) {
      pDst[i] = DefaultNaN;
      if (warning == StsNoError) warning = StsLnNegArg;
    } else if (x == 0) {
      pDst[i] = -HUGE_VAL;
      if (warning == StsNoError) warning = StsLnZeroArg;
    } else {
      pDst[i] = std::log(x);  // a NaN stays a NaN, +inf stays +inf
    }
  }
  return warning;
}
IppStatus ippsLn_64f_I(Ipp64f* pSrcDst, int len) { return ippsLn_64f(pSrcDst, pSrcDst, len); }

}  // namespace Primitives::Own
