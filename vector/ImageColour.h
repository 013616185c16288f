#pragma once

#include "vector/PrimitiveTypes.h"

// Colour operations on images of four bytes per pixel. Steps are in bytes.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// Composes the first source with the second per pixel (three colour bytes, then alpha) by the
// composition type, dividing by 255 on integers as (x + (x >> 8) + 1) >> 8; a type above 11 gives
// -50. The non-premultiplied types multiply each colour by its alpha first, so every result is
// premultiplied.
IppStatus ippiAlphaComp_8u_AC4R(const Ipp8u* pSrc1, int src1Step, const Ipp8u* pSrc2, int src2Step, Ipp8u* pDst,
                                int dstStep, IppiSize roiSize, IppiAlphaType alphaType);

// Each of the four channels through its own piecewise linear map: a value v with
// pLevels[c][k] <= v < pLevels[c][k + 1] becomes pValues[c][k] + (v - pLevels[c][k]) * (slope of the
// piece), rounded to nearest with ties to even and saturated to a byte; a value outside the levels
// stays. Fewer than two levels in a channel give -106.
IppStatus ippiLUT_Linear_8u_C4R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep, IppiSize roiSize,
                                const Ipp32s* pValues[4], const Ipp32s* pLevels[4], int nLevels[4]);

}  // namespace Own
}  // namespace Primitives
