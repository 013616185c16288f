#pragma once

#include <cstddef>
#include <vector>

// The discrete Fourier transform summed directly in extended precision: the reference the FFT is
// measured against. Cost N per bin, so long transforms are checked on a sample of bins.
struct TComplexL {
  long double Re = 0, Im = 0;
};

// X[k] = sum_n x[n] e^(sign 2 pi i n k / N), N = x.size(), for each k in `bins`.
std::vector<TComplexL> ReferenceDft(const std::vector<TComplexL>& x, int sign, const std::vector<std::size_t>& bins);

// Every bin up to 4096 points; beyond, the first and last few, both sides of the middle and a
// random sample (fixed seed).
std::vector<std::size_t> BinsToCheck(std::size_t n);
