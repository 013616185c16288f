#include "vector/Generators.h"

#include <immintrin.h>

#include <cmath>
#include <cstring>

namespace Primitives::Own {
namespace {

// The generators compute in extended precision with the double values of pi and 2*pi.
constexpr long double Pi = 3.141592653589793;
constexpr long double TwoPi = 6.283185307179586;

// True for low <= x < high; false for NaN, so that a NaN argument is out of range.
bool InRange(long double x, long double low, long double high) { return x >= low && x < high; }

// The phase of the sample after `len` samples, reduced into [0, 2*pi) and stored as a float.
float NextPhase(long double phase, long double rFreq, int len) {
  long double g = phase + rFreq * TwoPi * len;
  g = g - std::floor(g / TwoPi) * TwoPi;
  if (!InRange(g, 0, TwoPi)) return 0.0f;
  // Rounding to float can carry a phase just below 2*pi up to it: stored that way, every later
  // call would reject the phase and the generator would fall silent for good.
  const float stored = static_cast<float>(g);
  return stored < TwoPi ? stored : 0.0f;
}

// Stored samples are truncated toward zero; every value passed here lies within the magnitude,
// give or take rounding.
Ipp16s Truncated(long double value) { return static_cast<Ipp16s>(static_cast<int>(value)); }

// Samples are made eight at a time: four registers of two doubles, stored as one register of
// eight 16-bit samples.
constexpr int GroupLength = 8;

// Stores a group of values truncated toward zero as 16-bit samples (they lie within 16 bits); only
// the first `count` where the group runs past the end of the destination.
[[gnu::always_inline]] inline void StoreTruncated(Ipp16s* dst, int count, __m128d v0, __m128d v1, __m128d v2,
                                                  __m128d v3) {
  const __m128i low = _mm_unpacklo_epi64(_mm_cvttpd_epi32(v0), _mm_cvttpd_epi32(v1));
  const __m128i high = _mm_unpacklo_epi64(_mm_cvttpd_epi32(v2), _mm_cvttpd_epi32(v3));
  const __m128i packed = _mm_packs_epi32(low, high);
  if (count >= GroupLength) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), packed);
    return;
  }
  alignas(16) Ipp16s group[GroupLength];
  _mm_store_si128(reinterpret_cast<__m128i*>(group), packed);
  std::memcpy(dst, group, sizeof(Ipp16s) * count);
}

// Samples between two turns of the tone's phasor.
constexpr int TurnLength = 16;

// M cos(phase + n w) for n < len. Sample n = 16 j + k is the real part of the phasor
// e^(i (phase + 16 j w)) turned by the table entry M e^(i k w): the samples of one turn are
// independent, so they run side by side in SIMD doubles, and the phasor turns by e^(i 16 w) from
// one turn to the next. The table and the turn are worked out in extended precision; the phasor
// loses about a double rounding per turn, so the samples stay within a small fraction of a unit of
// the exact cosine.
void ToneSamples(Ipp16s* dst, int len, Ipp16s magn, long double phase, long double omega) {
  alignas(16) double re[TurnLength], im[TurnLength];
  const long double c = std::cos(static_cast<double>(omega)), s = std::sin(static_cast<double>(omega));
  long double tableRe = magn, tableIm = 0;
  for (int k = 0; k < TurnLength; ++k) {
    re[k] = static_cast<double>(tableRe);
    im[k] = static_cast<double>(tableIm);
    const long double turned = tableRe * c - tableIm * s;
    tableIm = tableRe * s + tableIm * c;
    tableRe = turned;
  }
  const double turnRe = static_cast<double>(tableRe / magn), turnIm = static_cast<double>(tableIm / magn);
  double phasorRe = std::cos(static_cast<double>(phase)), phasorIm = std::sin(static_cast<double>(phase));
  for (int n = 0; n < len; n += TurnLength) {
    const __m128d pr = _mm_set1_pd(phasorRe), pi = _mm_set1_pd(phasorIm);
    const auto value = [&](int k) {
      return _mm_sub_pd(_mm_mul_pd(pr, _mm_load_pd(re + k)), _mm_mul_pd(pi, _mm_load_pd(im + k)));
    };
    StoreTruncated(dst + n, len - n, value(0), value(2), value(4), value(6));
    if (len - n > GroupLength) StoreTruncated(dst + n + 8, len - n - 8, value(8), value(10), value(12), value(14));
    const double turned = phasorRe * turnRe - phasorIm * turnIm;
    phasorIm = phasorRe * turnIm + phasorIm * turnRe;
    phasorRe = turned;
  }
}

// x reduced by 2 pi when it is 2 pi or more (x < 4 pi).
template <class T>
T Reduced(T x) {
  return x >= T(TwoPi) ? x - T(TwoPi) : x;
}
__m128d Reduced(__m128d x, __m128d twoPi) { return _mm_sub_pd(x, _mm_and_pd(_mm_cmpge_pd(x, twoPi), twoPi)); }

// Groups between two first phases taken from extended precision; in between the first phase runs
// on in doubles, which stay within 1e-14 radians of it.
constexpr int AnchorGroups = 32;

// The triangle of the phase theta of every sample: M - (2 M / fall) theta while theta < fall, then
// (2 M / rise) (theta - fall) - M. A group within one slope is that slope's value at the group's
// first phase plus k times the slope's step; any other group takes each phase (the first plus
// k w, reduced into [0, 2 pi)) through the triangle. The triangle is continuous, also across
// 2 pi, so the roundings of a phase move a sample by a small fraction of a unit, even where a
// slope is as steep as a near-sawtooth's.
void TriangleSamples(Ipp16s* dst, int len, long double magnitude, long double omega, long double fall, long double rise,
                     long double phase) {
  const long double fallSlope = -2 * magnitude / fall, riseSlope = 2 * magnitude / rise;
  alignas(16) double steps[GroupLength], fallSteps[GroupLength], riseSteps[GroupLength];
  long double step = 0;
  for (int k = 0; k < GroupLength; ++k, step = Reduced(step + omega)) {
    steps[k] = static_cast<double>(step);
    fallSteps[k] = static_cast<double>(k * omega * fallSlope);
    riseSteps[k] = static_cast<double>(k * omega * riseSlope);
  }
  const double groupStep = static_cast<double>(step), span = static_cast<double>((GroupLength - 1) * omega);
  long double anchorStep = AnchorGroups * GroupLength * omega;
  anchorStep -= std::floor(anchorStep / TwoPi) * TwoPi;

  const double top = static_cast<double>(magnitude), fallLength = static_cast<double>(fall);
  const __m128d twoPi = _mm_set1_pd(static_cast<double>(TwoPi)), fallEnd = _mm_set1_pd(fallLength);
  const __m128d slopes[2] = {_mm_set1_pd(static_cast<double>(riseSlope)), _mm_set1_pd(static_cast<double>(fallSlope))};
  const __m128d starts[2] = {_mm_set1_pd(static_cast<double>(-riseSlope * fall - magnitude)), _mm_set1_pd(top)};
  long double anchor = phase;
  double first = 0;
  for (int n = 0, group = 0; n < len; n += GroupLength, ++group) {
    if (group % AnchorGroups == 0) {
      first = static_cast<double>(anchor);
      anchor = Reduced(anchor + anchorStep);
    } else {
      first = Reduced(first + groupStep);
    }
    const double last = first + span;
    if (last < fallLength || (first >= fallLength && last < TwoPi)) {
      const bool falling = last < fallLength;
      const __m128d start = _mm_set1_pd(falling ? top + static_cast<double>(fallSlope) * first
                                                : static_cast<double>(riseSlope) * (first - fallLength) - top);
      const double* slopeSteps = falling ? fallSteps : riseSteps;
      const auto value = [&](int k) { return _mm_add_pd(start, _mm_load_pd(slopeSteps + k)); };
      StoreTruncated(dst + n, len - n, value(0), value(2), value(4), value(6));
    } else {
      const __m128d base = _mm_set1_pd(first);
      const auto value = [&](int k) {
        const __m128d theta = Reduced(_mm_add_pd(base, _mm_load_pd(steps + k)), twoPi);
        const __m128d onFall = _mm_cmplt_pd(theta, fallEnd);
        // Selected by the compare's mask with SSE2 alone, so that the library builds for any x86-64.
        const auto select = [onFall](__m128d rise, __m128d fall) {
          return _mm_or_pd(_mm_and_pd(onFall, fall), _mm_andnot_pd(onFall, rise));
        };
        return _mm_add_pd(_mm_mul_pd(select(slopes[0], slopes[1]), theta), select(starts[0], starts[1]));
      };
      StoreTruncated(dst + n, len - n, value(0), value(2), value(4), value(6));
    }
  }
}

}  // namespace

IppStatus ippsTone_Direct_16s(Ipp16s* pDst, int len, Ipp16s magn, float rFreq, float* pPhase, IppHintAlgorithm) {
  if (!pPhase) return StsNullPointer;
  if (magn < 1) return StsToneMagnitude;
  if (!InRange(rFreq, 0, 0.5L)) return StsToneFrequency;
  if (!InRange(*pPhase, 0, TwoPi)) return StsTonePhase;
  if (!pDst) return StsNullPointer;
  if (len < 1) return StsSize;

  const long double phase = *pPhase;
  *pPhase = NextPhase(phase, rFreq, len);
  ToneSamples(pDst, len, magn, phase, TwoPi * rFreq);
  return StsNoError;
}

IppStatus ippsTriangle_Direct_16s(Ipp16s* pDst, int len, Ipp16s magn, float rFreq, float asym, float* pPhase) {
  if (!pPhase) return StsNullPointer;
  if (magn < 1) return StsTriangleMagnitude;
  if (!InRange(rFreq, 0, 0.5L)) return StsTriangleFrequency;
  if (!InRange(asym, -Pi, Pi)) return StsTriangleAsymmetry;
  if (!InRange(*pPhase, 0, TwoPi)) return StsTrianglePhase;
  if (!pDst) return StsNullPointer;
  if (len < 1) return StsSize;

  const long double phase = *pPhase;
  *pPhase = NextPhase(phase, rFreq, len);
  // +M at phase 0, falling to -M over pi + asym radians, rising back to +M over pi - asym.
  TriangleSamples(pDst, len, magn, TwoPi * rFreq, Pi + asym, Pi - asym, phase);
  return StsNoError;
}

IppStatus ippsVectorRamp_16s(Ipp16s* pDst, int len, float offset, float slope) {
  if (!pDst) return StsNullPointer;
  if (len < 1) return StsSize;
  for (int i = 0; i < len; ++i) {
    long double y = offset + i * static_cast<long double>(slope);
    y += y > 0 ? 0.5L : -0.5L;
    // Written so that NaN falls through to the lower bound and never reaches the conversion.
    if (y >= 32767) pDst[i] = 32767;
    else if (y > -32768) pDst[i] = Truncated(y);
    else pDst[i] = -32768;
  }
  return StsNoError;
}

}  // namespace Primitives::Own
