#pragma once

#include "vector/PrimitiveTypes.h"

#include <bit>
#include <cstdint>
#include <ostream>
#include <vector>

// What the primitive tests share: varied inputs from a fixed seed and exact comparisons that tell
// NaNs by their bits.

// Doubles of both signs over many magnitudes, with some integers and exact halves among them.
std::vector<double> MixedValues(std::size_t count, unsigned seed);
std::vector<Primitives::Ipp64fc> MixedComplexValues(std::size_t count, unsigned seed);
// Uniform in [-1, 1): where a result is checked against the norm of its inputs.
std::vector<double> UniformValues(std::size_t count, unsigned seed);
std::vector<Primitives::Ipp64fc> UniformComplexValues(std::size_t count, unsigned seed);

inline std::uint64_t Bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// The NaN the primitives store.
constexpr std::uint64_t DefaultNaNBits = 0xFFF8000000000000;

// Equal as values, or both NaN; 0 and -0 differ.
inline bool Same(double a, double b) { return a != a ? b != b : Bits(a) == Bits(b); }
inline bool Same(Primitives::Ipp64fc a, Primitives::Ipp64fc b) { return Same(a.re, b.re) && Same(a.im, b.im); }

namespace Primitives {
inline std::ostream& operator<<(std::ostream& out, Ipp64fc z) { return out << "(" << z.re << ", " << z.im << ")"; }
}  // namespace Primitives
