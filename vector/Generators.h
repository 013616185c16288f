#pragma once

#include "vector/PrimitiveTypes.h"

namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// Signal generators. Phases are in radians in [0, 2*pi), relative frequencies in cycles per sample
// in [0, 0.5); the phase argument is replaced by the phase of the sample after the last one written.
IppStatus ippsTone_Direct_16s(Ipp16s* pDst, int len, Ipp16s magn, float rFreq, float* pPhase, IppHintAlgorithm hint);
IppStatus ippsTriangle_Direct_16s(Ipp16s* pDst, int len, Ipp16s magn, float rFreq, float asym, float* pPhase);

// offset + slope * i, rounded half away from zero and saturated.
IppStatus ippsVectorRamp_16s(Ipp16s* pDst, int len, float offset, float slope);

}  // namespace Own
}  // namespace Primitives
