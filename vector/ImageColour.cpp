#include "vector/ImageColour.h"

#include "vector/ArgumentChecks.h"
#include "vector/ImageRegions.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace Primitives::Own {
namespace {

constexpr int Channels = 4;
constexpr int AlphaByte = 3;

unsigned Div255(unsigned x) { return (x + (x >> 8) + 1) >> 8; }

// Every type is result = A * FactorA + B * FactorB on premultiplied colours and on the alphas, with
// the factors in 255ths.
struct TComposition {
  bool Premultiplied;
  unsigned (*FactorA)(unsigned betaB);
  unsigned (*FactorB)(unsigned alphaA);
};

unsigned Whole(unsigned) { return 255; }
unsigned None(unsigned) { return 0; }
unsigned Alpha(unsigned alpha) { return alpha; }
unsigned Transparency(unsigned alpha) { return 255 - alpha; }

const TComposition Compositions[] = {
    {false, Whole, Transparency},         // over
    {false, Alpha, None},                 // in
    {false, Transparency, None},          // out
    {false, Alpha, Transparency},         // atop
    {false, Transparency, Transparency},  // xor
    {false, Whole, Whole},                // plus
    {true, Whole, Transparency},
    {true, Alpha, None},
    {true, Transparency, None},
    {true, Alpha, Transparency},
    {true, Transparency, Transparency},
    {true, Whole, Whole},
};

void ComposePixel(const TComposition& composition, const Ipp8u* a, const Ipp8u* b, Ipp8u* result) {
  const unsigned alphaA = a[AlphaByte], alphaB = b[AlphaByte];
  const unsigned factorA = composition.FactorA(alphaB), factorB = composition.FactorB(alphaA);
  auto compose = [&](unsigned x, unsigned y) {
    return static_cast<Ipp8u>(std::min(255u, Div255(x * factorA) + Div255(y * factorB)));
  };
  for (int c = 0; c < AlphaByte; ++c) {
    const unsigned colourA = composition.Premultiplied ? a[c] : Div255(a[c] * alphaA);
    const unsigned colourB = composition.Premultiplied ? b[c] : Div255(b[c] * alphaB);
    result[c] = compose(colourA, colourB);
  }
  result[AlphaByte] = compose(alphaA, alphaB);
}

// The 256 results of one channel's map.
using TChannelTable = std::array<Ipp8u, 256>;

TChannelTable ChannelTable(const Ipp32s* values, const Ipp32s* levels, int count) {
  TChannelTable table;
  for (int v = 0; v < 256; ++v) {
    table[v] = static_cast<Ipp8u>(v);
    for (int k = 0; k + 1 < count; ++k) {
      if (levels[k] > v || v >= levels[k + 1]) continue;
      // values[k] + (v - levels[k]) * rise / run, with run > 0, to nearest with ties to even.
      const int64_t run = int64_t(levels[k + 1]) - levels[k];
      const int64_t numerator = (int64_t(v) - levels[k]) * (int64_t(values[k + 1]) - values[k]);
      int64_t quotient = numerator / run, remainder = numerator % run;
      if (remainder < 0) --quotient, remainder += run;  // floor division
      if (2 * remainder > run || (2 * remainder == run && quotient % 2 != 0)) ++quotient;
      table[v] = static_cast<Ipp8u>(std::clamp<int64_t>(values[k] + quotient, 0, 255));
      break;
    }
  }
  return table;
}

}  // namespace

IppStatus ippiAlphaComp_8u_AC4R(const Ipp8u* pSrc1, int src1Step, const Ipp8u* pSrc2, int src2Step, Ipp8u* pDst,
                                int dstStep, IppiSize roiSize, IppiAlphaType alphaType) {
  if (IppStatus status = CheckRegion(roiSize, pSrc1, pSrc2, pDst)) return status;
  if (unsigned(alphaType) > AlphaPlusPremul) return StsAlphaType;
  const TComposition& composition = Compositions[alphaType];
  for (int y = 0; y < roiSize.height; ++y) {
    const Ipp8u* a = Row(pSrc1, src1Step, y);
    const Ipp8u* b = Row(pSrc2, src2Step, y);
    Ipp8u* result = Row(pDst, dstStep, y);
    for (int x = 0; x < roiSize.width * Channels; x += Channels) ComposePixel(composition, a + x, b + x, result + x);
  }
  return StsNoError;
}

IppStatus ippiLUT_Linear_8u_C4R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep, IppiSize roiSize,
                                const Ipp32s* pValues[4], const Ipp32s* pLevels[4], int nLevels[4]) {
  if (!pValues || !pLevels || !nLevels) return StsNullPointer;
  if (IppStatus status = CheckRegion(roiSize, pSrc, pDst, pValues[0], pValues[1], pValues[2], pValues[3], pLevels[0],
                                     pLevels[1], pLevels[2], pLevels[3]))
    return status;
  if (std::any_of(nLevels, nLevels + Channels, [](int count) { return count < 2; })) return StsLutLevels;
  std::array<TChannelTable, Channels> tables;
  for (int c = 0; c < Channels; ++c) tables[c] = ChannelTable(pValues[c], pLevels[c], nLevels[c]);
  for (int y = 0; y < roiSize.height; ++y) {
    const Ipp8u* source = Row(pSrc, srcStep, y);
    Ipp8u* destination = Row(pDst, dstStep, y);
    for (int x = 0; x < roiSize.width * Channels; ++x) destination[x] = tables[x % Channels][source[x]];
  }
  return StsNoError;
}

}  // namespace Primitives::Own
