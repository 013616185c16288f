#include "components/DnSawtooth.h"

#include "components/DnSignalPhase.h"
#include "vector/PrimitiveBinding.h"

#include <cmath>

using namespace Primitives;

void TDnSawtooth::Fill(Ipp16s* block, int length, double amplitude, double r, int32_t n, float& phase) {
  const auto ramp = BoundPrimitives().Ramp.ippsVectorRamp_16s;
  const double slope = 2 * amplitude / n;
  const auto peak = static_cast<Ipp16s>(std::floor(amplitude));
  // The samples already gone of the period in progress.
  const auto k = static_cast<int64_t>(std::nearbyint(0.5 * phase / DnSignalPhase::Pi / r));
  // The last sample of the period in progress, or of the block when the period does not end in it.
  int64_t first = n - k;
  bool partial = first + 1 > length;
  if (partial) first = length - 1;
  Drift += n - 1 / r;

  int64_t written = 0;
  if (k > 0 || partial) {
    int64_t extra = 0;
    if (std::abs(Drift) >= 1) {
      extra = static_cast<int64_t>(Drift);
      Drift -= static_cast<double>(extra);
    }
    // The shift moves the end of the period, never past the block: a period that now ends beyond
    // it does not end in it; a block that the period in progress fills stays filled.
    if (!partial) first += extra;
    if (first + 1 > length) {
      first = length - 1;
      partial = true;
    }
    if (first >= 0) {
      ramp(block, static_cast<int>(first + 1), static_cast<float>(static_cast<double>(k - extra) * slope - amplitude),
           static_cast<float>(slope));
      if (!partial) block[first] = peak;
      written = first + 1;
    }
  }
  const int64_t period = int64_t(n) + 1;
  for (int64_t count = (length - written) / period; count > 0; --count) {
    ramp(block + written, static_cast<int>(period), static_cast<float>(-amplitude), static_cast<float>(slope));
    block[written + n] = peak;
    written += period;
  }
  int64_t rest = k + length;
  if (!partial) {
    rest = length - written;
    if (rest > 0)
      ramp(block + written, static_cast<int>(rest), static_cast<float>(-amplitude), static_cast<float>(slope));
  }
  phase = DnSignalPhase::Wrap(DnSignalPhase::TwoPi * static_cast<double>(rest) / n);
}
