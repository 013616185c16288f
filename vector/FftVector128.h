#pragma once

#include "vector/PrimitiveTypes.h"

#include <immintrin.h>

#include <cstddef>

namespace Primitives::Own {
namespace {  // each instruction set's translation unit compiles its own copy

// One complex double per register: the baseline width, and the narrow form that the wider sets
// fall back to where a transform is too short for their width.
//
// The vector types of the FFT kernels share this interface. Lanes are complex numbers. A "pairs"
// operand holds two doubles per lane (see the twiddle tables in FftKernels.h). StoreLanes takes
// Width vectors v[0 .. Width) and stores, for each lane l, its values of v[0], v[1], ... one after
// another at p + reverse(l) * spread (the lane index bit-reversed): the places of neighbouring
// leaves. LoadLanes is its inverse.
struct TVec128 {
  using R = __m128d;
  static constexpr std::size_t Width = 1;

  static R Load(const Ipp64fc* p) { return _mm_loadu_pd(reinterpret_cast<const double*>(p)); }
  static void Store(Ipp64fc* p, R v) { _mm_storeu_pd(reinterpret_cast<double*>(p), v); }
  static R LoadReversed(const Ipp64fc* p) { return Load(p); }
  static void StoreReversed(Ipp64fc* p, R v) { Store(p, v); }
  static void LoadLanes(const Ipp64fc* p, std::size_t, R* v) { v[0] = Load(p); }
  static void StoreLanes(Ipp64fc* p, std::size_t, const R* v) { Store(p, v[0]); }
  static R LoadPairs(const double* p) { return _mm_loadu_pd(p); }
  static R BroadcastPair(const double* p) { return _mm_loadu_pd(p); }
  static R Splat(double x) { return _mm_set1_pd(x); }

  static R Add(R a, R b) { return _mm_add_pd(a, b); }
  static R Sub(R a, R b) { return _mm_sub_pd(a, b); }
  static R Mul(R a, R b) { return _mm_mul_pd(a, b); }
  // (a.im, a.re)
  static R Swap(R a) { return _mm_shuffle_pd(a, a, 1); }
  static R NegateReal(R a) { return _mm_xor_pd(a, _mm_set_pd(0.0, -0.0)); }
  static R NegateImag(R a) { return _mm_xor_pd(a, _mm_set_pd(-0.0, 0.0)); }
};

}  // namespace
}  // namespace Primitives::Own
