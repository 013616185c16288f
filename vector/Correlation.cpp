#include "vector/Correlation.h"

#include "vector/ArgumentChecks.h"
#include "vector/ElementLoops.h"
#include "vector/Spectra.h"

#include <algorithm>
#include <utility>

namespace Primitives::Own {
namespace {

using TExtended = long double;

// A sum of conjugate products in extended precision.
struct TRealSum {
  TExtended Value = 0;
  void Add(Ipp64f a, Ipp64f b) { Value += TExtended(a) * b; }
  Ipp64f Rounded(TExtended factor) const { return static_cast<Ipp64f>(Value * factor); }
};
struct TComplexSum {
  TExtended Re = 0, Im = 0;
  void Add(Ipp64fc a, Ipp64fc b) {
    Re += TExtended(a.re) * b.re + TExtended(a.im) * b.im;
    Im += TExtended(a.re) * b.im - TExtended(a.im) * b.re;
  }
  Ipp64fc Rounded(TExtended factor) const {
    return {static_cast<Ipp64f>(Re * factor), static_cast<Ipp64f>(Im * factor)};
  }
};

TRealSum SumOf(Ipp64f value) { return {value}; }
TComplexSum SumOf(Ipp64fc value) { return {value.re, value.im}; }

template <class E>
using TSum = decltype(SumOf(E{}));

// From this output length on, the autocorrelations go through the transform.
constexpr int SpectralAutoCorrelation(const Ipp64f*) { return 600; }
constexpr int SpectralAutoCorrelation(const Ipp64fc*) { return 96; }

// The sum over i of conj(a[i]) * b[i + lag] where both exist.
template <class E>
TSum<E> LagSum(const E* a, int lenA, const E* b, int lenB, long lag) {
  TSum<E> sum;
  const long last = std::min<long>(lenA - 1, lenB - 1 - lag);
  for (long i = std::max<long>(0, -lag); i <= last; ++i) sum.Add(a[i], b[i + lag]);
  return sum;
}

// The correlation of a and b at `count` lags from firstLag, through the transform: store(j, value)
// gets lag firstLag + j. Returns the set-up's status; nothing is stored when it fails.
template <class E, class Store>
IppStatus SpectralCorrelation(const E* a, int lenA, const E* b, int lenB, long firstLag, int count, Store store) {
  TSpectra<E> spectra(TSpectra<E>::OrderFor(long(lenA) + lenB - 1, 1), 2);
  if (IppStatus status = spectra.Status()) return status;
  Ipp64fc* product = spectra.Spectrum(0);
  spectra.Forward(b, lenB, product);
  if (a == b && lenA == lenB) {
    MultiplyByConjugate(product, product, spectra.Bins());
  } else {
    spectra.Forward(a, lenA, spectra.Spectrum(1));
    MultiplyByConjugate(product, spectra.Spectrum(1), spectra.Bins());
  }
  const E* circular = spectra.Inverse(product);
  for (int j = 0; j < count; ++j) {
    const long lag = firstLag + j;
    store(j, circular[lag < 0 ? lag + spectra.Points() : lag]);
  }
  return StsNoError;
}

enum class TNormalisation { None, ByLength, ByTerms };

template <class E>
IppStatus AutoCorrelate(const E* pSrc, int srcLen, E* pDst, int dstLen, TNormalisation normalisation) {
  if (IppStatus status = CheckVector(std::min(srcLen, dstLen), pSrc, pDst)) return status;
  const int lags = std::min(srcLen, dstLen);
  const auto factor = [&](int n) -> TExtended {
    if (normalisation == TNormalisation::ByLength) return 1 / TExtended(srcLen);
    return normalisation == TNormalisation::ByTerms ? 1 / TExtended(srcLen - n) : 1;
  };
  if (lags < SpectralAutoCorrelation(pSrc)) {
    for (int n = 0; n < lags; ++n) pDst[n] = LagSum(pSrc, srcLen, pSrc, srcLen, n).Rounded(factor(n));
  } else {
    const IppStatus status = SpectralCorrelation(pSrc, srcLen, pSrc, srcLen, 0, lags,
                                                 [&](int n, E value) { pDst[n] = SumOf(value).Rounded(factor(n)); });
    if (status != StsNoError) return status;
  }
  std::fill(pDst + lags, pDst + dstLen, E{});
  return StsNoError;
}

template <class E>
IppStatus CrossCorrelate(const E* pSrc1, int len1, const E* pSrc2, int len2, E* pDst, int dstLen, int lowLag) {
  if (IppStatus status = CheckVector(std::min({len1, len2, dstLen}), pSrc1, pSrc2, pDst)) return status;
  // Outputs first .. last - 1 have lags at which the inputs overlap; the others are 0.
  const long first = std::clamp<long>(long(1) - len1 - lowLag, 0, dstLen);
  const long last = std::clamp<long>(long(len2) - lowLag, first, dstLen);
  const long long work = (last - first) * (long long)std::min(len1, len2) / std::max(len1, len2);
  if (work < 512) {
    for (long n = first; n < last; ++n) pDst[n] = LagSum(pSrc1, len1, pSrc2, len2, n + lowLag).Rounded(1);
  } else {
    const IppStatus status = SpectralCorrelation(pSrc1, len1, pSrc2, len2, first + lowLag, int(last - first),
                                                 [&](int j, E value) { pDst[first + j] = value; });
    if (status != StsNoError) return status;
  }
  std::fill(pDst, pDst + first, E{});
  std::fill(pDst + last, pDst + dstLen, E{});
  return StsNoError;
}

// The convolution of a longer (`a`) and a shorter input by one transform of the whole result.
IppStatus ConvolveAtOnce(const Ipp64f* a, int lenA, const Ipp64f* b, int lenB, Ipp64f* pDst) {
  const int total = lenA + lenB - 1;
  TSpectra<Ipp64f> spectra(TSpectra<Ipp64f>::OrderFor(total, 2), 2);
  if (IppStatus status = spectra.Status()) return status;
  spectra.Forward(a, lenA, spectra.Spectrum(0));
  spectra.Forward(b, lenB, spectra.Spectrum(1));
  Multiply(spectra.Spectrum(0), spectra.Spectrum(1), spectra.Bins());
  std::copy_n(spectra.Inverse(spectra.Spectrum(0)), total, pDst);
  return StsNoError;
}

// Overlap-add: the shorter input is transformed once, the longer one block by block, and the
// blocks' results add up where they overlap.
IppStatus ConvolveByBlocks(const Ipp64f* a, int lenA, const Ipp64f* b, int lenB, Ipp64f* pDst) {
  TSpectra<Ipp64f> spectra(TSpectra<Ipp64f>::OrderFor(2L * lenB, 1) + 1, 2);
  if (IppStatus status = spectra.Status()) return status;
  Ipp64fc* shorter = spectra.Spectrum(0);
  Ipp64fc* block = spectra.Spectrum(1);
  spectra.Forward(b, lenB, shorter);
  const int blockLen = spectra.Points() - lenB + 1;
  std::fill(pDst, pDst + (lenA + lenB - 1), 0.0);
  for (int start = 0; start < lenA; start += blockLen) {
    const int len = std::min(blockLen, lenA - start);
    spectra.Forward(a + start, len, block);
    Multiply(block, shorter, spectra.Bins());
    const Ipp64f* part = spectra.Inverse(block);
    for (int j = 0; j < len + lenB - 1; ++j) pDst[start + j] += part[j];
  }
  return StsNoError;
}

}  // namespace

IppStatus ippsAutoCorr_64f(const Ipp64f* pSrc, int srcLen, Ipp64f* pDst, int dstLen) {
  return AutoCorrelate(pSrc, srcLen, pDst, dstLen, TNormalisation::None);
}
IppStatus ippsAutoCorr_NormA_64f(const Ipp64f* pSrc, int srcLen, Ipp64f* pDst, int dstLen) {
  return AutoCorrelate(pSrc, srcLen, pDst, dstLen, TNormalisation::ByLength);
}
IppStatus ippsAutoCorr_NormB_64f(const Ipp64f* pSrc, int srcLen, Ipp64f* pDst, int dstLen) {
  return AutoCorrelate(pSrc, srcLen, pDst, dstLen, TNormalisation::ByTerms);
}
IppStatus ippsAutoCorr_64fc(const Ipp64fc* pSrc, int srcLen, Ipp64fc* pDst, int dstLen) {
  return AutoCorrelate(pSrc, srcLen, pDst, dstLen, TNormalisation::None);
}
IppStatus ippsAutoCorr_NormA_64fc(const Ipp64fc* pSrc, int srcLen, Ipp64fc* pDst, int dstLen) {
  return AutoCorrelate(pSrc, srcLen, pDst, dstLen, TNormalisation::ByLength);
}
IppStatus ippsAutoCorr_NormB_64fc(const Ipp64fc* pSrc, int srcLen, Ipp64fc* pDst, int dstLen) {
  return AutoCorrelate(pSrc, srcLen, pDst, dstLen, TNormalisation::ByTerms);
}

IppStatus ippsCrossCorr_64f(const Ipp64f* pSrc1, int len1, const Ipp64f* pSrc2, int len2, Ipp64f* pDst, int dstLen,
                            int lowLag) {
  return CrossCorrelate(pSrc1, len1, pSrc2, len2, pDst, dstLen, lowLag);
}
IppStatus ippsCrossCorr_64fc(const Ipp64fc* pSrc1, int len1, const Ipp64fc* pSrc2, int len2, Ipp64fc* pDst, int dstLen,
                             int lowLag) {
  return CrossCorrelate(pSrc1, len1, pSrc2, len2, pDst, dstLen, lowLag);
}

IppStatus ippsConv_64f(const Ipp64f* pSrc1, int lenSrc1, const Ipp64f* pSrc2, int lenSrc2, Ipp64f* pDst) {
  if (IppStatus status = CheckVector(std::min(lenSrc1, lenSrc2), pSrc1, pSrc2, pDst)) return status;
  if (lenSrc1 < lenSrc2) std::swap(pSrc1, pSrc2), std::swap(lenSrc1, lenSrc2);
  const int total = lenSrc1 + lenSrc2 - 1;
  if (total < 150 || lenSrc2 < 32) {
    for (int n = 0; n < total; ++n) {
      const int first = std::max(0, n - lenSrc2 + 1), last = std::min(n, lenSrc1 - 1);
      pDst[n] = static_cast<Ipp64f>(
          ExtendedSum(last - first + 1, [=](int k) { return TExtended(pSrc1[first + k]) * pSrc2[n - first - k]; }));
    }
    return StsNoError;
  }
  if (lenSrc1 < 3 * lenSrc2) return ConvolveAtOnce(pSrc1, lenSrc1, pSrc2, lenSrc2, pDst);
  return ConvolveByBlocks(pSrc1, lenSrc1, pSrc2, lenSrc2, pDst);
}

}  // namespace Primitives::Own
