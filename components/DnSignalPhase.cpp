#include "components/DnSignalPhase.h"

#include <cmath>

float DnSignalPhase::Wrap(double phase) {
  if (!std::isfinite(phase)) return 0;
  double reduced = std::fmod(phase, TwoPi);
  if (reduced < 0) reduced += TwoPi;
  // The primitives' 2 pi is the full-precision one, a little above this generator's.
  constexpr double PrimitiveTwoPi = 6.283185307179586;
  const auto stored = static_cast<float>(reduced);
  return stored < PrimitiveTwoPi ? stored : 0.0f;
}
