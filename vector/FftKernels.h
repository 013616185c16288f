#pragma once

#include "vector/PrimitiveTypes.h"

#include <cstddef>
#include <span>

namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// Largest number of radix-4 levels above the leaves: 2^30 points over leaves of 16.
constexpr int FftMaxLevels = 13;

// Tables of the complex kernel of 2^Order points. The input is split into leaves of 2^LeafOrder
// points (the whole input up to 16 points, else 8 or 16), each transformed directly, and the
// leaves are combined by radix-4 levels of 4, 16, ... times the leaf size.
//
// A twiddle table holds, for each power p of w (1, 2, 3; leaves of 8 only 1) and k = 0 .. q - 1,
// the real parts of w^(pk) stored twice, (re, re), and then their imaginary parts with signs,
// (-im, im), so that a vector of any width loads the factors of consecutive k as they match
// interleaved complex data: a w = a (re, re) + swap(a) (-im, im). Table of power p, part 0 (real)
// or 1 (imaginary): Twiddles + (2 (p - 1) + part) * 2q.
struct TFftKernelTables {
  int Order = 0;
  int LeafOrder = 0;
  const double* Leaf = nullptr;  // leaves of 8 and 16: their combining step, q = 4
  int LevelCount = 0;
  const double* Levels[FftMaxLevels] = {};  // level i: n = leaf size * 4^(i + 1), q = n / 4
};

// The step between the complex transform of M = N/2 points and a real spectrum of N points: for
// k = 1 .. M/2, with S = in[k] + conj(in[M - k]) and D = in[k] - conj(in[M - k]),
//   out[k] = Alpha S + D C[k],   out[M - k] = conj(Alpha S - D C[k]).
// Forward (Z to X): Alpha = s/2, C[k] = s (-sin, -cos)(2 pi k / N) / 2.
// Inverse (X to Z): Alpha = s,   C[k] = s (-sin, cos)(2 pi k / N).
// C is stored as the twiddle tables are: real parts for k = 0 .. M/2, then imaginary parts.
struct TFftSplit {
  double Alpha = 1;
  const double* Coefficients = nullptr;
};

// The vectorised steps of the transforms, one set per instruction set. Every set performs the same
// operations in the same order on each element, so all give the same results to the bit.
struct TFftKernels {
  const char* Name;
  // 2^Order points; src == dst is in place.
  void (*Forward)(const Ipp64fc* src, Ipp64fc* dst, const TFftKernelTables& tables);
  void (*Inverse)(const Ipp64fc* src, Ipp64fc* dst, const TFftKernelTables& tables);
  // k = 1 .. halfLength/2 of the split above; in == out is in place.
  void (*Split)(const Ipp64fc* in, Ipp64fc* out, std::size_t halfLength, const TFftSplit& split);
  void (*Scale)(Ipp64fc* data, std::size_t count, double factor);
};

// One set per instruction set, each compiled in its own translation unit with that set enabled:
// call one only where SupportedFftKernels lists it.
extern const TFftKernels BaselineFftKernels;
extern const TFftKernels AvxFftKernels;
extern const TFftKernels Avx512FftKernels;

// The sets this processor runs, the baseline (x86-64-v2) first and the fastest last.
std::span<const TFftKernels* const> SupportedFftKernels();

const TFftKernels& FastestFftKernels();

}  // namespace Own
}  // namespace Primitives
