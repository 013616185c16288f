#include "FftReference.h"

#include <cmath>
#include <random>

std::vector<TComplexL> ReferenceDft(const std::vector<TComplexL>& x, int sign, const std::vector<std::size_t>& bins) {
  constexpr long double Pi = 3.14159265358979323846264338327950288L;
  const std::size_t n = x.size();
  std::vector<TComplexL> turn(n);  // e^(sign 2 pi i j / N)
  for (std::size_t j = 0; j < n; ++j) {
    const long double angle = 2 * Pi * static_cast<long double>(j) / static_cast<long double>(n);
    turn[j] = {std::cos(angle), sign * std::sin(angle)};
  }
  std::vector<TComplexL> result;
  for (std::size_t k : bins) {
    long double re = 0, im = 0;
    for (std::size_t j = 0, index = 0; j < n; ++j, index = (index + k) % n) {
      re += x[j].Re * turn[index].Re - x[j].Im * turn[index].Im;
      im += x[j].Re * turn[index].Im + x[j].Im * turn[index].Re;
    }
    result.push_back({re, im});
  }
  return result;
}

std::vector<std::size_t> BinsToCheck(std::size_t n) {
  std::vector<std::size_t> bins;
  if (n <= 4096) {
    for (std::size_t k = 0; k < n; ++k) bins.push_back(k);
    return bins;
  }
  bins = {0, 1, 2, 3, n / 4 - 1, n / 4, n / 2 - 1, n / 2, n / 2 + 1, n - 2, n - 1};
  std::mt19937_64 random(n);
  for (int i = 0; i < 48; ++i) bins.push_back(random() % n);
  return bins;
}
