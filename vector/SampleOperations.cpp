#include "vector/SampleOperations.h"

#include "vector/ArgumentChecks.h"
#include "vector/ImageRegions.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Primitives::Own {

IppStatus ippsAdd_16s_I(const Ipp16s* pSrc, Ipp16s* pSrcDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pSrcDst)) return status;
  for (int i = 0; i < len; ++i) {
    const int sum = pSrc[i] + pSrcDst[i];
    pSrcDst[i] = static_cast<Ipp16s>(std::clamp(sum, -32768, 32767));
  }
  return StsNoError;
}

IppStatus ippsThreshold_LTValGTVal_16s_I(Ipp16s* pSrcDst, int len, Ipp16s levelLT, Ipp16s valueLT, Ipp16s levelGT,
                                         Ipp16s valueGT) {
  if (IppStatus status = CheckVector(len, pSrcDst)) return status;
  if (levelGT < levelLT) return StsThreshold;
  for (int i = 0; i < len; ++i) {
    if (pSrcDst[i] < levelLT) pSrcDst[i] = valueLT;
    else if (pSrcDst[i] > levelGT) pSrcDst[i] = valueGT;
  }
  return StsNoError;
}

IppStatus ippiCopy_16s_C1R(const Ipp16s* pSrc, int srcStep, Ipp16s* pDst, int dstStep, IppiSize roiSize) {
  if (IppStatus status = CheckRegion(roiSize, pSrc, pDst)) return status;
  // Steps are in bytes and need not keep 16-bit alignment (one channel of frames of odd size).
  CopyRows(pSrc, srcStep, pDst, dstStep, roiSize.height, std::size_t(roiSize.width) * sizeof(Ipp16s));
  return StsNoError;
}

IppStatus ippsZero_8u(Ipp8u* pDst, int len) {
  if (IppStatus status = CheckVector(len, pDst)) return status;
  std::memset(pDst, 0, std::size_t(len));
  return StsNoError;
}

IppStatus ippsZero_16s(Ipp16s* pDst, int len) {
  if (IppStatus status = CheckVector(len, pDst)) return status;
  std::memset(pDst, 0, std::size_t(len) * sizeof(Ipp16s));
  return StsNoError;
}

IppStatus ippsConvert_16s64f_Sfs(const Ipp16s* pSrc, Ipp64f* pDst, int len, int scaleFactor) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  if (scaleFactor == 0) {
    // Eight at a time (the compiler leaves a loop of unknown length scalar at -O2).
    int i = 0;
    for (; i + 8 <= len; i += 8) {
      const __m128i words = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pSrc + i));
      // Sign-extended to 32 bits with SSE2 alone (each word doubled, then shifted down arithmetically).
      const __m128i low = _mm_srai_epi32(_mm_unpacklo_epi16(words, words), 16);
      const __m128i high = _mm_srai_epi32(_mm_unpackhi_epi16(words, words), 16);
      _mm_storeu_pd(pDst + i, _mm_cvtepi32_pd(low));
      _mm_storeu_pd(pDst + i + 2, _mm_cvtepi32_pd(_mm_srli_si128(low, 8)));
      _mm_storeu_pd(pDst + i + 4, _mm_cvtepi32_pd(high));
      _mm_storeu_pd(pDst + i + 6, _mm_cvtepi32_pd(_mm_srli_si128(high, 8)));
    }
    for (; i < len; ++i) pDst[i] = pSrc[i];
    return StsNoError;
  }
  // A 16-bit value times a power of two is exact in extended precision (its exponent range holds
  // every factor that leaves a double result other than 0 or infinity), so one rounding remains.
  constexpr int beyondDoubleRange = 1100;
  const long double factor = std::ldexp(1.0L, -std::clamp(scaleFactor, -beyondDoubleRange, beyondDoubleRange));
  for (int i = 0; i < len; ++i) pDst[i] = static_cast<Ipp64f>(pSrc[i] * factor);
  return StsNoError;
}

IppStatus ippsAdd_64f_I(const Ipp64f* pSrc, Ipp64f* pSrcDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pSrcDst)) return status;
  for (int i = 0; i < len; ++i) pSrcDst[i] = pSrc[i] + pSrcDst[i];
  return StsNoError;
}

IppStatus ippsMagnitude_64fc(const Ipp64fc* pSrc, Ipp64f* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  for (int i = 0; i < len; ++i) {
    const long double re = pSrc[i].re, im = pSrc[i].im;
    pDst[i] = static_cast<Ipp64f>(std::sqrt(re * re + im * im));
  }
  return StsNoError;
}

IppStatus ippsCopy_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  std::memcpy(pDst, pSrc, std::size_t(len) * sizeof(Ipp64f));
  return StsNoError;
}

IppStatus ippsMove_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
  if (IppStatus status = CheckVector(len, pSrc, pDst)) return status;
  std::memmove(pDst, pSrc, std::size_t(len) * sizeof(Ipp64f));
  return StsNoError;
}

}  // namespace Primitives::Own
