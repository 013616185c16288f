#pragma once

#include "vector/ArgumentChecks.h"

#include <algorithm>
#include <bit>
#include <cstdint>

// The loops that the element-wise primitives share: the checks of the vector primitives, then one
// function per element. Sums run in extended precision in four independent accumulators, so that
// neither the rounding of a double nor the latency of one chain of additions limits them.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// The NaN that the primitives store for an undefined result: quiet, with the sign bit set.
inline const double DefaultNaN = std::bit_cast<double>(std::uint64_t{0xFFF8000000000000});

// Every element = val.
template <class T>
IppStatus FillVector(T val, T* pDst, int len) {
  if (IppStatus status = CheckVector(len, pDst)) return status;
  std::fill_n(pDst, len, val);
  return StsNoError;
}

// pDst[i] = op(pSrc[i]); pSrc and pDst may be the same vector.
template <class S, class D, class Op>
IppStatus MapVector(const S* pSrc, D* pDst, int len, Op op) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  for (int i = 0; i < len; ++i) pDst[i] = op(pSrc[i]);
  return StsNoError;
}

// pDst[i] = op(pSrc1[i], pSrc2[i]); the destination may be either source.
template <class S, class D, class Op>
IppStatus ZipVectors(const S* pSrc1, const S* pSrc2, D* pDst, int len, Op op) {
  if (IppStatus status = CheckVector(len, pSrc1, pSrc2, pDst)) return status;
  for (int i = 0; i < len; ++i) pDst[i] = op(pSrc1[i], pSrc2[i]);
  return StsNoError;
}

// The sum of term(i) for i = 0 .. len - 1, in extended precision.
template <class Term>
long double ExtendedSum(int len, Term term) {
  long double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
  int i = 0;
  for (; i + 4 <= len; i += 4) {
    s0 += term(i);
    s1 += term(i + 1);
    s2 += term(i + 2);
    s3 += term(i + 3);
  }
  for (; i < len; ++i) s0 += term(i);
  return (s0 + s1) + (s2 + s3);
}

}  // namespace Own
}  // namespace Primitives
