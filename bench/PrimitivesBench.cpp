// Real and complex primitives on 1024 elements through the bound table, each beside the plain loop
// a caller would otherwise write (compiled with the same options).
#include "vector/PrimitiveBinding.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

using namespace Primitives;

constexpr int Elements = 1024;

std::vector<double> Values(unsigned seed, std::size_t count = Elements) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> value(-1000, 1000);
  std::vector<double> values(count);
  for (double& x : values) x = value(random);
  return values;
}

const TBufferPrimitives& Table() { return BoundPrimitives().Buffer; }

void PlainAdd(benchmark::State& state) {
  const std::vector<double> source = Values(1);
  std::vector<double> destination = Values(2);
  for (auto _ : state) {
    for (int i = 0; i < Elements; ++i) destination[i] = source[i] + destination[i];
    benchmark::ClobberMemory();
  }
}

void OursAdd(benchmark::State& state) {
  const std::vector<double> source = Values(1);
  std::vector<double> destination = Values(2);
  for (auto _ : state) {
    Table().ippsAdd_64f_I(source.data(), destination.data(), Elements);
    benchmark::ClobberMemory();
  }
}

void PlainMagnitude(benchmark::State& state) {
  const std::vector<double> parts = Values(3, 2 * Elements);
  std::vector<double> magnitudes(Elements);
  for (auto _ : state) {
    for (int i = 0; i < Elements; ++i)
      magnitudes[i] = std::sqrt(parts[2 * i] * parts[2 * i] + parts[2 * i + 1] * parts[2 * i + 1]);
    benchmark::ClobberMemory();
  }
}

void OursMagnitude(benchmark::State& state) {
  const std::vector<double> parts = Values(3, 2 * Elements);
  std::vector<double> magnitudes(Elements);
  for (auto _ : state) {
    Table().ippsMagnitude_64fc(reinterpret_cast<const Ipp64fc*>(parts.data()), magnitudes.data(), Elements);
    benchmark::ClobberMemory();
  }
}

void PlainConvert(benchmark::State& state) {
  const std::vector<double> source = Values(4);
  std::vector<float> destination(Elements);
  for (auto _ : state) {
    for (int i = 0; i < Elements; ++i) destination[i] = static_cast<float>(source[i]);
    benchmark::ClobberMemory();
  }
}

void OursConvert(benchmark::State& state) {
  const std::vector<double> source = Values(4);
  std::vector<float> destination(Elements);
  for (auto _ : state) {
    Table().ippsConvert_64f32f(source.data(), destination.data(), Elements);
    benchmark::ClobberMemory();
  }
}

void PlainMean(benchmark::State& state) {
  const std::vector<double> source = Values(5);
  for (auto _ : state) {
    double sum = 0;
    for (int i = 0; i < Elements; ++i) sum += source[i];
    benchmark::DoNotOptimize(sum / Elements);
  }
}

void OursMean(benchmark::State& state) {
  const std::vector<double> source = Values(5);
  for (auto _ : state) {
    double mean;
    Table().ippsMean_64f(source.data(), Elements, &mean);
    benchmark::DoNotOptimize(mean);
  }
}

void PlainDotProduct(benchmark::State& state) {
  const std::vector<double> a = Values(6), b = Values(7);
  for (auto _ : state) {
    double sum = 0;
    for (int i = 0; i < Elements; ++i) sum += a[i] * b[i];
    benchmark::DoNotOptimize(sum);
  }
}

void OursDotProduct(benchmark::State& state) {
  const std::vector<double> a = Values(6), b = Values(7);
  for (auto _ : state) {
    double product;
    Table().ippsDotProd_64f(a.data(), b.data(), Elements, &product);
    benchmark::DoNotOptimize(product);
  }
}

BENCHMARK(PlainAdd)->Name("Add_64f_I, 1024/plain loop (reference)");
BENCHMARK(OursAdd)->Name("Add_64f_I, 1024/ippsAdd_64f_I");
BENCHMARK(PlainMagnitude)->Name("Magnitude_64fc, 1024/plain loop (reference)");
BENCHMARK(OursMagnitude)->Name("Magnitude_64fc, 1024/ippsMagnitude_64fc");
BENCHMARK(PlainConvert)->Name("Convert_64f32f, 1024/plain loop (reference)");
BENCHMARK(OursConvert)->Name("Convert_64f32f, 1024/ippsConvert_64f32f");
BENCHMARK(PlainMean)->Name("Mean_64f, 1024/plain loop (reference)");
BENCHMARK(OursMean)->Name("Mean_64f, 1024/ippsMean_64f");
BENCHMARK(PlainDotProduct)->Name("DotProd_64f, 1024/plain loop (reference)");
BENCHMARK(OursDotProduct)->Name("DotProd_64f, 1024/ippsDotProd_64f");

}  // namespace
