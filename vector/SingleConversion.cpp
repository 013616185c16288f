#include "vector/SingleConversion.h"

#include <immintrin.h>

#include <cfloat>

namespace Primitives::Own {
namespace {

Ipp32f Narrowed(Ipp64f x) { return static_cast<Ipp32f>(x >= FLT_MAX ? FLT_MAX : x <= -FLT_MAX ? -FLT_MAX : x); }

// Four at a time. The minimum and maximum instructions return their second operand when either is
// a NaN, so with the element second a NaN stays a NaN.
void Baseline(const Ipp64f* pSrc, Ipp32f* pDst, int len) {
  const __m128d largest = _mm_set1_pd(FLT_MAX), smallest = _mm_set1_pd(-FLT_MAX);
  const auto clamped = [&](const Ipp64f* x) {
    return _mm_cvtpd_ps(_mm_max_pd(smallest, _mm_min_pd(largest, _mm_loadu_pd(x))));
  };
  int i = 0;
  for (; i + 4 <= len; i += 4) _mm_storeu_ps(pDst + i, _mm_movelh_ps(clamped(pSrc + i), clamped(pSrc + i + 2)));
  for (; i < len; ++i) pDst[i] = Narrowed(pSrc[i]);
}

// The same in one register of four.
[[gnu::target("avx")]] void Avx(const Ipp64f* pSrc, Ipp32f* pDst, int len) {
  const __m256d largest = _mm256_set1_pd(FLT_MAX), smallest = _mm256_set1_pd(-FLT_MAX);
  int i = 0;
  for (; i + 4 <= len; i += 4)
    _mm_storeu_ps(pDst + i,
                  _mm256_cvtpd_ps(_mm256_max_pd(smallest, _mm256_min_pd(largest, _mm256_loadu_pd(pSrc + i)))));
  for (; i < len; ++i) pDst[i] = Narrowed(pSrc[i]);
}

}  // namespace

std::span<const TSingleConversion> SupportedSingleConversions() {
  static const TSingleConversion all[] = {Baseline, Avx};
  static const std::size_t supported = __builtin_cpu_supports("avx") ? 2 : 1;
  return {all, supported};
}

}  // namespace Primitives::Own
