#pragma once

#include "vector/PrimitiveTypes.h"

// Element-wise arithmetic on complex double vectors, fills and parts. Products and quotients are
// formed in extended precision and each part is rounded once. Names ending in _I work in place on
// their last vector.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

IppStatus ippsAdd_64fc(const Ipp64fc* pSrc1, const Ipp64fc* pSrc2, Ipp64fc* pDst, int len);
IppStatus ippsAdd_64fc_I(const Ipp64fc* pSrc, Ipp64fc* pSrcDst, int len);
IppStatus ippsSub_64fc_I(const Ipp64fc* pSrc, Ipp64fc* pSrcDst, int len);
IppStatus ippsMul_64fc_I(const Ipp64fc* pSrc, Ipp64fc* pSrcDst, int len);
// d / s as (dr*sr + di*si, di*sr - dr*si) * (1 / |s|^2); |s|^2 = 0 stores the NaN in both parts and
// returns 6.
IppStatus ippsDiv_64fc_I(const Ipp64fc* pSrc, Ipp64fc* pSrcDst, int len);

// z + val, z - val, val - z, z * val; no short-cuts.
IppStatus ippsAddC_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len);
IppStatus ippsAddC_64fc_I(Ipp64fc val, Ipp64fc* pSrcDst, int len);
IppStatus ippsSubC_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len);
IppStatus ippsSubC_64fc_I(Ipp64fc val, Ipp64fc* pSrcDst, int len);
IppStatus ippsSubCRev_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len);
IppStatus ippsMulC_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len);
IppStatus ippsMulC_64fc_I(Ipp64fc val, Ipp64fc* pSrcDst, int len);
// |val|^2 = 0 gives -10; otherwise z * (re * k, -im * k) with k = 1 / |val|^2.
IppStatus ippsDivC_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len);
IppStatus ippsDivC_64fc_I(Ipp64fc val, Ipp64fc* pSrcDst, int len);

IppStatus ippsSet_64fc(Ipp64fc val, Ipp64fc* pDst, int len);
IppStatus ippsZero_64fc(Ipp64fc* pDst, int len);

// Either source may be null (its part is 0), not both.
IppStatus ippsRealToCplx_64f(const Ipp64f* pSrcRe, const Ipp64f* pSrcIm, Ipp64fc* pDst, int len);
IppStatus ippsReal_64fc(const Ipp64fc* pSrc, Ipp64f* pDstRe, int len);
IppStatus ippsImag_64fc(const Ipp64fc* pSrc, Ipp64f* pDstIm, int len);

// ((re - vsub.re) * k, (im - vsub.im) * k) with k = 1 / vdiv in extended precision; |vdiv| below
// the smallest normal double gives -10.
IppStatus ippsNormalize_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len, Ipp64fc vsub, Ipp64f vdiv);

}  // namespace Own
}  // namespace Primitives
