#include "vector/ComplexArithmetic.h"

#include "vector/ElementLoops.h"

#include <cfloat>
#include <cmath>

namespace Primitives::Own {
namespace {

using TExtended = long double;

Ipp64fc Rounded(TExtended re, TExtended im) { return {static_cast<Ipp64f>(re), static_cast<Ipp64f>(im)}; }

Ipp64fc Sum(Ipp64fc a, Ipp64fc b) { return {a.re + b.re, a.im + b.im}; }
Ipp64fc Difference(Ipp64fc a, Ipp64fc b) { return {a.re - b.re, a.im - b.im}; }

// a * (br, bi), with b already in extended precision.
Ipp64fc Product(Ipp64fc a, TExtended br, TExtended bi) { return Rounded(a.re * br - a.im * bi, a.re * bi + a.im * br); }

}  // namespace

IppStatus ippsAdd_64fc(const Ipp64fc* pSrc1, const Ipp64fc* pSrc2, Ipp64fc* pDst, int len) {
  return ZipVectors(pSrc1, pSrc2, pDst, len, Sum);
}
IppStatus ippsAdd_64fc_I(const Ipp64fc* pSrc, Ipp64fc* pSrcDst, int len) {
  return ZipVectors(pSrcDst, pSrc, pSrcDst, len, Sum);
}
IppStatus ippsSub_64fc_I(const Ipp64fc* pSrc, Ipp64fc* pSrcDst, int len) {
  return ZipVectors(pSrcDst, pSrc, pSrcDst, len, Difference);
}

IppStatus ippsMul_64fc_I(const Ipp64fc* pSrc, Ipp64fc* pSrcDst, int len) {
  return ZipVectors(pSrcDst, pSrc, pSrcDst, len, [](Ipp64fc d, Ipp64fc s) { return Product(d, s.re, s.im); });
}

IppStatus ippsDiv_64fc_I(const Ipp64fc* pSrc, Ipp64fc* pSrcDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pSrcDst)) return status;
  bool zeroDivisor = false;
  for (int i = 0; i < len; ++i) {
    const TExtended sr = pSrc[i].re, si = pSrc[i].im, dr = pSrcDst[i].re, di = pSrcDst[i].im;
    const TExtended norm = sr * sr + si * si;
    if (norm == 0) {
      zeroDivisor = true;
      pSrcDst[i] = {DefaultNaN, DefaultNaN};
      continue;
    }
    const TExtended k = 1 / norm;
    pSrcDst[i] = Rounded((dr * sr + di * si) * k, (di * sr - dr * si) * k);
  }
  return zeroDivisor ? StsDivByZero : StsNoError;
}

IppStatus ippsAddC_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len) {
  return MapVector(pSrc, pDst, len, [val](Ipp64fc z) { return Sum(z, val); });
}
IppStatus ippsAddC_64fc_I(Ipp64fc val, Ipp64fc* pSrcDst, int len) { return ippsAddC_64fc(pSrcDst, val, pSrcDst, len); }

IppStatus ippsSubC_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len) {
  return MapVector(pSrc, pDst, len, [val](Ipp64fc z) { return Difference(z, val); });
}
IppStatus ippsSubC_64fc_I(Ipp64fc val, Ipp64fc* pSrcDst, int len) { return ippsSubC_64fc(pSrcDst, val, pSrcDst, len); }

IppStatus ippsSubCRev_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len) {
  return MapVector(pSrc, pDst, len, [val](Ipp64fc z) { return Difference(val, z); });
}

IppStatus ippsMulC_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len) {
  return MapVector(pSrc, pDst, len, [val](Ipp64fc z) { return Product(z, val.re, val.im); });
}
IppStatus ippsMulC_64fc_I(Ipp64fc val, Ipp64fc* pSrcDst, int len) { return ippsMulC_64fc(pSrcDst, val, pSrcDst, len); }

IppStatus ippsDivC_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  const TExtended norm = static_cast<TExtended>(val.re) * val.re + static_cast<TExtended>(val.im) * val.im;
  if (norm == 0) return StsDivByZeroErr;
  const TExtended k = 1 / norm, re = val.re * k, im = -val.im * k;
  return MapVector(pSrc, pDst, len, [re, im](Ipp64fc z) { return Product(z, re, im); });
}
IppStatus ippsDivC_64fc_I(Ipp64fc val, Ipp64fc* pSrcDst, int len) { return ippsDivC_64fc(pSrcDst, val, pSrcDst, len); }

IppStatus ippsSet_64fc(Ipp64fc val, Ipp64fc* pDst, int len) { return FillVector(val, pDst, len); }
IppStatus ippsZero_64fc(Ipp64fc* pDst, int len) { return FillVector(Ipp64fc{0, 0}, pDst, len); }

IppStatus ippsRealToCplx_64f(const Ipp64f* pSrcRe, const Ipp64f* pSrcIm, Ipp64fc* pDst, int len) {
  if (IppStatus status = CheckVector(len, pDst)) return status;
  if (!pSrcRe && !pSrcIm) return StsNullPointer;
  for (int i = 0; i < len; ++i) pDst[i] = {pSrcRe ? pSrcRe[i] : 0.0, pSrcIm ? pSrcIm[i] : 0.0};
  return StsNoError;
}

IppStatus ippsReal_64fc(const Ipp64fc* pSrc, Ipp64f* pDstRe, int len) {
  return MapVector(pSrc, pDstRe, len, [](Ipp64fc z) { return z.re; });
}
IppStatus ippsImag_64fc(const Ipp64fc* pSrc, Ipp64f* pDstIm, int len) {
  return MapVector(pSrc, pDstIm, len, [](Ipp64fc z) { return z.im; });
}

IppStatus ippsNormalize_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len, Ipp64fc vsub, Ipp64f vdiv) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  if (std::fabs(vdiv) < DBL_MIN) return StsDivByZeroErr;
  const TExtended k = 1 / static_cast<TExtended>(vdiv);
  return MapVector(pSrc, pDst, len, [vsub, k](Ipp64fc z) {
    return Rounded((z.re - TExtended(vsub.re)) * k, (z.im - TExtended(vsub.im)) * k);
  });
}

}  // namespace Primitives::Own
