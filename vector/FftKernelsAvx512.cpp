// Compiled with AVX-512 F and DQ enabled; runs only where the processor has them (see
// FftKernelSelection.cpp).

// GCC 12's AVX-512 intrinsics initialise their "undefined" operands from themselves, which its
// maybe-uninitialized analysis reports wherever they are inlined. Clang has no such warning.
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include "vector/FftKernelTemplates.h"

namespace Primitives::Own {
namespace {

// Four complex doubles per register; see TVec128 for the interface.
struct TVec512 {
  using R = __m512d;
  static constexpr std::size_t Width = 4;

  static R Load(const Ipp64fc* p) { return _mm512_loadu_pd(reinterpret_cast<const double*>(p)); }
  static void Store(Ipp64fc* p, R v) { _mm512_storeu_pd(reinterpret_cast<double*>(p), v); }
  static R Reverse(R v) { return _mm512_shuffle_f64x2(v, v, 0b00011011); }
  static R LoadReversed(const Ipp64fc* p) { return Reverse(Load(p)); }
  static void StoreReversed(Ipp64fc* p, R v) { Store(p, Reverse(v)); }
  // A 4 x 4 transpose of complex values: out[l] = (lane l of v[0], of v[1], of v[2], of v[3]).
  static void Transpose(const R* v, R* out) {
    const R ab01 = _mm512_shuffle_f64x2(v[0], v[1], 0x44), ab23 = _mm512_shuffle_f64x2(v[0], v[1], 0xEE);
    const R cd01 = _mm512_shuffle_f64x2(v[2], v[3], 0x44), cd23 = _mm512_shuffle_f64x2(v[2], v[3], 0xEE);
    out[0] = _mm512_shuffle_f64x2(ab01, cd01, 0x88);
    out[1] = _mm512_shuffle_f64x2(ab01, cd01, 0xDD);
    out[2] = _mm512_shuffle_f64x2(ab23, cd23, 0x88);
    out[3] = _mm512_shuffle_f64x2(ab23, cd23, 0xDD);
  }
  // Lanes 0, 1, 2, 3 at p + 0, 2, 1, 3 spreads.
  static void StoreLanes(Ipp64fc* p, std::size_t spread, const R* v) {
    R lanes[4];
    Transpose(v, lanes);
    Store(p, lanes[0]);
    Store(p + 2 * spread, lanes[1]);
    Store(p + spread, lanes[2]);
    Store(p + 3 * spread, lanes[3]);
  }
  static void LoadLanes(const Ipp64fc* p, std::size_t spread, R* v) {
    const R lanes[4] = {Load(p), Load(p + 2 * spread), Load(p + spread), Load(p + 3 * spread)};
    Transpose(lanes, v);
  }
  static R LoadPairs(const double* p) { return _mm512_loadu_pd(p); }
  static R BroadcastPair(const double* p) { return _mm512_broadcast_f64x2(TVec128::LoadPairs(p)); }
  static R Splat(double x) { return _mm512_set1_pd(x); }

  static R Add(R a, R b) { return _mm512_add_pd(a, b); }
  static R Sub(R a, R b) { return _mm512_sub_pd(a, b); }
  static R Mul(R a, R b) { return _mm512_mul_pd(a, b); }
  static R Swap(R a) { return _mm512_permute_pd(a, 0x55); }
  static R NegateReal(R a) { return _mm512_xor_pd(a, _mm512_set_pd(0.0, -0.0, 0.0, -0.0, 0.0, -0.0, 0.0, -0.0)); }
  static R NegateImag(R a) { return _mm512_xor_pd(a, _mm512_set_pd(-0.0, 0.0, -0.0, 0.0, -0.0, 0.0, -0.0, 0.0)); }
};

}  // namespace

constinit const TFftKernels Avx512FftKernels = MakeFftKernels<TVec512>("AVX-512");

}  // namespace Primitives::Own
