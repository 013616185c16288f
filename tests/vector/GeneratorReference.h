#pragma once

// The tone and triangle generators as their definition computes them: one step after another in
// extended precision. The primitives must stay within one unit of these, sample by sample; the
// generation benchmark also runs them, as what the primitives replaced.

#include "vector/PrimitiveTypes.h"

namespace GeneratorReference {

// M cos(phase + n w), w = 2 pi r: two cosines, then the recurrence x[n] = c x[n-1] - x[n-2] and
// from n = 4 on its two-step form; every sample truncated.
void Tone(Primitives::Ipp16s* dst, int len, Primitives::Ipp16s magn, float rFreq, float phase);

// +M at phase 0, falling to -M at pi + asym, rising back to +M at 2 pi, by steps of its slope
// reflected at the peaks; every sample truncated.
void Triangle(Primitives::Ipp16s* dst, int len, Primitives::Ipp16s magn, float rFreq, float asym, float phase);

}  // namespace GeneratorReference
