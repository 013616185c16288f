#include "PrimitiveTestKit.h"

#include <cmath>
#include <random>

std::vector<double> MixedValues(std::size_t count, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> mantissa(-1, 1);
  std::uniform_int_distribution<int> exponent(-40, 40), kind(0, 9);
  std::vector<double> values(count);
  for (double& x : values) {
    switch (kind(random)) {
      case 0: x = std::round(mantissa(random) * 1000); break;
      case 1: x = std::round(mantissa(random) * 1000) + 0.5; break;
      default: x = std::ldexp(mantissa(random), exponent(random));
    }
  }
  return values;
}

std::vector<Primitives::Ipp64fc> MixedComplexValues(std::size_t count, unsigned seed) {
  const std::vector<double> parts = MixedValues(2 * count, seed);
  std::vector<Primitives::Ipp64fc> values(count);
  for (std::size_t i = 0; i < count; ++i) values[i] = {parts[2 * i], parts[2 * i + 1]};
  return values;
}

std::vector<double> UniformValues(std::size_t count, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> uniform(-1, 1);
  std::vector<double> values(count);
  for (double& x : values) x = uniform(random);
  return values;
}

std::vector<Primitives::Ipp64fc> UniformComplexValues(std::size_t count, unsigned seed) {
  const std::vector<double> parts = UniformValues(2 * count, seed);
  std::vector<Primitives::Ipp64fc> values(count);
  for (std::size_t i = 0; i < count; ++i) values[i] = {parts[2 * i], parts[2 * i + 1]};
  return values;
}
