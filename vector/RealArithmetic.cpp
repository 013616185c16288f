#include "vector/RealArithmetic.h"

#include "vector/ElementLoops.h"
#include "vector/SampleOperations.h"

#include <cfloat>
#include <cmath>

namespace Primitives::Own {
namespace {

// Where the constant changes nothing, the in-place form leaves the vector alone and the copying
// form copies it.
IppStatus CopyUnchanged(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
  if (pSrc == pDst) return CheckVector(len, pSrc);
  return ippsCopy_64f(pSrc, pDst, len);
}

// x + val, or the vector unchanged for val 0.
IppStatus AddConstant(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
  if (val == 0) return CopyUnchanged(pSrc, pDst, len);
  return MapVector(pSrc, pDst, len, [val](Ipp64f x) { return x + val; });
}

// x * val, the vector unchanged for val 1, zeros for val 0.
IppStatus MultiplyConstant(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
  if (val == 1) return CopyUnchanged(pSrc, pDst, len);
  if (val == 0) {
    if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
    return ippsZero_64f(pDst, len);
  }
  return MapVector(pSrc, pDst, len, [val](Ipp64f x) { return x * val; });
}

IppStatus DivideConstant(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  if (val == 0) return StsDivByZeroErr;
  return MultiplyConstant(pSrc, 1 / val, pDst, len);
}

}  // namespace

IppStatus ippsAdd_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, Ipp64f* pDst, int len) {
  return ZipVectors(pSrc1, pSrc2, pDst, len, [](Ipp64f a, Ipp64f b) { return a + b; });
}

IppStatus ippsSub_64f_I(const Ipp64f* pSrc, Ipp64f* pSrcDst, int len) {
  return ZipVectors(pSrcDst, pSrc, pSrcDst, len, [](Ipp64f d, Ipp64f s) { return d - s; });
}

IppStatus ippsMul_64f_I(const Ipp64f* pSrc, Ipp64f* pSrcDst, int len) {
  return ippsMul_64f(pSrcDst, pSrc, pSrcDst, len);
}

IppStatus ippsMul_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, Ipp64f* pDst, int len) {
  return ZipVectors(pSrc1, pSrc2, pDst, len, [](Ipp64f a, Ipp64f b) { return a * b; });
}

IppStatus ippsDiv_64f_I(const Ipp64f* pSrc, Ipp64f* pSrcDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pSrcDst)) return status;
  bool zeroDivisor = false;
  for (int i = 0; i < len; ++i) {
    const Ipp64f d = pSrcDst[i], s = pSrc[i];
    if (s != 0) {
      pSrcDst[i] = d / s;
      continue;
    }
    // The sign of the dividend alone decides, also for a divisor of -0.
    zeroDivisor = true;
    pSrcDst[i] = d > 0 ? HUGE_VAL : d < 0 ? -HUGE_VAL : std::isnan(d) ? d : DefaultNaN;
  }
  return zeroDivisor ? StsDivByZero : StsNoError;
}

IppStatus ippsAddC_64f_I(Ipp64f val, Ipp64f* pSrcDst, int len) { return AddConstant(pSrcDst, val, pSrcDst, len); }
IppStatus ippsAddC_64f(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
  return AddConstant(pSrc, val, pDst, len);
}

// x - val is x + (-val) exactly, and val 0 is the same short-cut.
IppStatus ippsSubC_64f_I(Ipp64f val, Ipp64f* pSrcDst, int len) { return AddConstant(pSrcDst, -val, pSrcDst, len); }
IppStatus ippsSubC_64f(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
  return AddConstant(pSrc, -val, pDst, len);
}

IppStatus ippsSubCRev_64f_I(Ipp64f val, Ipp64f* pSrcDst, int len) {
  return ippsSubCRev_64f(pSrcDst, val, pSrcDst, len);
}
IppStatus ippsSubCRev_64f(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
  return MapVector(pSrc, pDst, len, [val](Ipp64f x) { return val - x; });
}

IppStatus ippsMulC_64f_I(Ipp64f val, Ipp64f* pSrcDst, int len) { return MultiplyConstant(pSrcDst, val, pSrcDst, len); }
IppStatus ippsMulC_64f(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
  return MultiplyConstant(pSrc, val, pDst, len);
}

IppStatus ippsDivC_64f_I(Ipp64f val, Ipp64f* pSrcDst, int len) { return DivideConstant(pSrcDst, val, pSrcDst, len); }
IppStatus ippsDivC_64f(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
  return DivideConstant(pSrc, val, pDst, len);
}

IppStatus ippsSet_64f(Ipp64f val, Ipp64f* pDst, int len) { return FillVector(val, pDst, len); }
IppStatus ippsZero_64f(Ipp64f* pDst, int len) { return FillVector(0.0, pDst, len); }

IppStatus ippsNormalize_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len, Ipp64f vsub, Ipp64f vdiv) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  if (std::fabs(vdiv) < DBL_MIN) return StsDivByZeroErr;
  const long double k = 1 / static_cast<long double>(vdiv);
  return MapVector(pSrc, pDst, len, [vsub, k](Ipp64f x) { return static_cast<Ipp64f>((x - (long double)vsub) * k); });
}

IppStatus ippsMul_32f(const Ipp32f* pSrc1, const Ipp32f* pSrc2, Ipp32f* pDst, int len) {
  return ZipVectors(pSrc1, pSrc2, pDst, len, [](Ipp32f a, Ipp32f b) { return a * b; });
}

IppStatus ippsSub_32f_I(const Ipp32f* pSrc, Ipp32f* pSrcDst, int len) {
  return ZipVectors(pSrcDst, pSrc, pSrcDst, len, [](Ipp32f d, Ipp32f s) { return d - s; });
}

IppStatus ippsSqr_32f_I(Ipp32f* pSrcDst, int len) {
  return MapVector(pSrcDst, pSrcDst, len, [](Ipp32f x) { return x * x; });
}

IppStatus ippsMulC_32f(const Ipp32f* pSrc, Ipp32f val, Ipp32f* pDst, int len) {
  return MapVector(pSrc, pDst, len, [val](Ipp32f x) { return x * val; });
}
IppStatus ippsMulC_32f_I(Ipp32f val, Ipp32f* pSrcDst, int len) { return ippsMulC_32f(pSrcDst, val, pSrcDst, len); }

IppStatus ippsDivC_32f_I(Ipp32f val, Ipp32f* pSrcDst, int len) {
  if (IppStatus status = CheckVector(len, pSrcDst)) return status;
  if (val == 0) return StsDivByZeroErr;
  return MapVector(pSrcDst, pSrcDst, len, [val](Ipp32f x) { return x / val; });
}

IppStatus ippsSubCRev_32f_I(Ipp32f val, Ipp32f* pSrcDst, int len) {
  return MapVector(pSrcDst, pSrcDst, len, [val](Ipp32f x) { return val - x; });
}

IppStatus ippsSet_32f(Ipp32f val, Ipp32f* pDst, int len) { return FillVector(val, pDst, len); }
IppStatus ippsZero_32f(Ipp32f* pDst, int len) { return FillVector(0.0f, pDst, len); }

}  // namespace Primitives::Own
