#pragma once

#include "vector/PrimitiveTypes.h"

#include <cstdint>

// The signal generator's sawtooth, drawn with ramps: a period is N + 1 samples from -A up to
// exactly A (a negative A falls), continued from one buffer to the next through the phase. A drift
// accumulator, fed N - 1/r per buffer, shifts the period in progress by whole samples now and then.
class TDnSawtooth {
public:
  // Starting over: no drift.
  void Reset() { Drift = 0; }
  // Writes all `length` samples of `block` at the relative frequency r (0 < r < 0.5) with the
  // period length n = round(1/r), continuing from `phase`, which becomes the phase after the block.
  void Fill(Primitives::Ipp16s* block, int length, double amplitude, double r, int32_t n, float& phase);

private:
  double Drift = 0;
};
