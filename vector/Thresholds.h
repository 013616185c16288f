#pragma once

#include "vector/PrimitiveTypes.h"

// Thresholds: elements beyond a level become the level. The relation CmpGreater replaces the
// elements above the level, every other relation those below it.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

IppStatus ippsThreshold_64f_I(Ipp64f* pSrcDst, int len, Ipp64f level, IppCmpOp relOp);
// Every destination element is written.
IppStatus ippsThreshold_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len, Ipp64f level, IppCmpOp relOp);

// On the magnitude, keeping the phase; a zero element below the level becomes (level, 0). A
// negative level gives -19.
IppStatus ippsThreshold_64fc_I(Ipp64fc* pSrcDst, int len, Ipp64f level, IppCmpOp relOp);
IppStatus ippsThreshold_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len, Ipp64f level, IppCmpOp relOp);

IppStatus ippsThreshold_LT_32s_I(Ipp32s* pSrcDst, int len, Ipp32s level);
IppStatus ippsThreshold_GT_32s_I(Ipp32s* pSrcDst, int len, Ipp32s level);

}  // namespace Own
}  // namespace Primitives
