#pragma once

// Phases of the signal generator's waves, in radians.
namespace DnSignalPhase {

// pi as the signal generator reckons it (not the full-precision value), and 2 pi.
inline constexpr double Pi = 3.141592621;
inline constexpr double TwoPi = 2 * Pi;

// The phase reduced into [0, 2 pi), as the generation primitives take it: a float they accept
// (one rounded up to their own 2 pi would make every later buffer silent). NaN and infinities
// give 0.
float Wrap(double phase);

}  // namespace DnSignalPhase
