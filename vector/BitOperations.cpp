#include "vector/BitOperations.h"

#include "vector/ElementLoops.h"

namespace Primitives::Own {
namespace {

IppStatus CheckShift(const Ipp32s* pSrc, int val, const Ipp32s* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  return val < 0 ? StsShift : StsNoError;
}

}  // namespace

IppStatus ippsAnd_32u_I(const Ipp32u* pSrc, Ipp32u* pSrcDst, int len) {
  return ZipVectors(pSrcDst, pSrc, pSrcDst, len, [](Ipp32u d, Ipp32u s) { return d & s; });
}
IppStatus ippsOr_32u_I(const Ipp32u* pSrc, Ipp32u* pSrcDst, int len) {
  return ZipVectors(pSrcDst, pSrc, pSrcDst, len, [](Ipp32u d, Ipp32u s) { return d | s; });
}
IppStatus ippsXor_32u_I(const Ipp32u* pSrc, Ipp32u* pSrcDst, int len) {
  return ZipVectors(pSrcDst, pSrc, pSrcDst, len, [](Ipp32u d, Ipp32u s) { return d ^ s; });
}

IppStatus ippsAndC_32u_I(Ipp32u val, Ipp32u* pSrcDst, int len) { return ippsAndC_32u(pSrcDst, val, pSrcDst, len); }
IppStatus ippsOrC_32u_I(Ipp32u val, Ipp32u* pSrcDst, int len) { return ippsOrC_32u(pSrcDst, val, pSrcDst, len); }
IppStatus ippsXorC_32u_I(Ipp32u val, Ipp32u* pSrcDst, int len) { return ippsXorC_32u(pSrcDst, val, pSrcDst, len); }
IppStatus ippsAndC_32u(const Ipp32u* pSrc, Ipp32u val, Ipp32u* pDst, int len) {
  return MapVector(pSrc, pDst, len, [val](Ipp32u x) { return x & val; });
}
IppStatus ippsOrC_32u(const Ipp32u* pSrc, Ipp32u val, Ipp32u* pDst, int len) {
  return MapVector(pSrc, pDst, len, [val](Ipp32u x) { return x | val; });
}
IppStatus ippsXorC_32u(const Ipp32u* pSrc, Ipp32u val, Ipp32u* pDst, int len) {
  return MapVector(pSrc, pDst, len, [val](Ipp32u x) { return x ^ val; });
}

IppStatus ippsLShiftC_32s_I(int val, Ipp32s* pSrcDst, int len) { return ippsLShiftC_32s(pSrcDst, val, pSrcDst, len); }
IppStatus ippsRShiftC_32s_I(int val, Ipp32s* pSrcDst, int len) { return ippsRShiftC_32s(pSrcDst, val, pSrcDst, len); }

IppStatus ippsLShiftC_32s(const Ipp32s* pSrc, int val, Ipp32s* pDst, int len) {
  if (IppStatus status = CheckShift(pSrc, val, pDst, len)) return status;
  if (val >= 32) return FillVector(Ipp32s{0}, pDst, len);
  // The bits shifted out are lost: shift the bit pattern.
  return MapVector(pSrc, pDst, len, [val](Ipp32s x) { return Ipp32s(Ipp32u(x) << val); });
}

IppStatus ippsRShiftC_32s(const Ipp32s* pSrc, int val, Ipp32s* pDst, int len) {
  if (IppStatus status = CheckShift(pSrc, val, pDst, len)) return status;
  const int shift = val < 31 ? val : 31;  // by 31 every element is already its sign
  return MapVector(pSrc, pDst, len, [shift](Ipp32s x) { return Ipp32s(x >> shift); });
}

}  // namespace Primitives::Own
