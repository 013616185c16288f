// Compiled with AVX enabled; runs only where the processor has it (see FftKernelSelection.cpp).
#include "vector/FftKernelTemplates.h"

namespace Primitives::Own {
namespace {

// Two complex doubles per register; see TVec128 for the interface.
struct TVec256 {
  using R = __m256d;
  static constexpr std::size_t Width = 2;

  static R Load(const Ipp64fc* p) { return _mm256_loadu_pd(reinterpret_cast<const double*>(p)); }
  static void Store(Ipp64fc* p, R v) { _mm256_storeu_pd(reinterpret_cast<double*>(p), v); }
  static R Reverse(R v) { return _mm256_permute2f128_pd(v, v, 0x01); }
  static R LoadReversed(const Ipp64fc* p) { return Reverse(Load(p)); }
  static void StoreReversed(Ipp64fc* p, R v) { Store(p, Reverse(v)); }
  // Lane 0 of v[0], v[1] to p, lane 1 of them to p + spread: a 2 x 2 transpose.
  static void StoreLanes(Ipp64fc* p, std::size_t spread, const R* v) {
    Store(p, _mm256_permute2f128_pd(v[0], v[1], 0x20));
    Store(p + spread, _mm256_permute2f128_pd(v[0], v[1], 0x31));
  }
  static void LoadLanes(const Ipp64fc* p, std::size_t spread, R* v) {
    const R first = Load(p), second = Load(p + spread);
    v[0] = _mm256_permute2f128_pd(first, second, 0x20);
    v[1] = _mm256_permute2f128_pd(first, second, 0x31);
  }
  static R LoadPairs(const double* p) { return _mm256_loadu_pd(p); }
  static R BroadcastPair(const double* p) { return _mm256_broadcast_pd(reinterpret_cast<const __m128d*>(p)); }
  static R Splat(double x) { return _mm256_set1_pd(x); }

  static R Add(R a, R b) { return _mm256_add_pd(a, b); }
  static R Sub(R a, R b) { return _mm256_sub_pd(a, b); }
  static R Mul(R a, R b) { return _mm256_mul_pd(a, b); }
  static R Swap(R a) { return _mm256_permute_pd(a, 0b0101); }
  static R NegateReal(R a) { return _mm256_xor_pd(a, _mm256_set_pd(0.0, -0.0, 0.0, -0.0)); }
  static R NegateImag(R a) { return _mm256_xor_pd(a, _mm256_set_pd(-0.0, 0.0, -0.0, 0.0)); }
};

}  // namespace

constinit const TFftKernels AvxFftKernels = MakeFftKernels<TVec256>("AVX");

}  // namespace Primitives::Own
