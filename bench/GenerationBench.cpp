// The tone and triangle generators and the 16-bit to double conversion on 1024 samples, beside
// the plain loop a caller would otherwise write; the generators also beside the step-by-step
// extended-precision computation they must agree with, which they replaced.
#include "../tests/vector/GeneratorReference.h"
#include "vector/PrimitiveBinding.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace Primitives;

constexpr int Samples = 1024;
constexpr float RelativeFrequency = 520.0f / 44100;

void PlainTone(benchmark::State& state) {
  std::vector<Ipp16s> block(Samples);
  double phase = 0;
  const double omega = 2 * 3.141592653589793 * RelativeFrequency;
  for (auto _ : state) {
    for (int n = 0; n < Samples; ++n) block[n] = static_cast<Ipp16s>(5000 * std::cos(phase + n * omega));
    phase = std::fmod(phase + Samples * omega, 2 * 3.141592653589793);
    benchmark::ClobberMemory();
  }
}

void OursTone(benchmark::State& state) {
  const TPrimitiveTable& table = BoundPrimitives();
  std::vector<Ipp16s> block(Samples);
  float phase = 0;
  for (auto _ : state) {
    table.Audio.ippsTone_Direct_16s(block.data(), Samples, 5000, RelativeFrequency, &phase, HintNone);
    benchmark::ClobberMemory();
  }
}

void ExtendedTone(benchmark::State& state) {
  std::vector<Ipp16s> block(Samples);
  for (auto _ : state) {
    GeneratorReference::Tone(block.data(), Samples, 5000, RelativeFrequency, 0.5f);
    benchmark::ClobberMemory();
  }
}

constexpr float Asymmetry = 1.0f;

// The triangle of each sample's phase, reduced with fmod.
void PlainTriangle(benchmark::State& state) {
  std::vector<Ipp16s> block(Samples);
  const double twoPi = 2 * 3.141592653589793, omega = twoPi * RelativeFrequency;
  const double fall = 3.141592653589793 + Asymmetry, rise = 3.141592653589793 - Asymmetry;
  double phase = 0;
  for (auto _ : state) {
    for (int n = 0; n < Samples; ++n) {
      const double theta = std::fmod(phase + n * omega, twoPi);
      block[n] =
          static_cast<Ipp16s>(theta < fall ? 5000 * (1 - 2 * theta / fall) : 5000 * (2 * (theta - fall) / rise - 1));
    }
    phase = std::fmod(phase + Samples * omega, twoPi);
    benchmark::ClobberMemory();
  }
}

void OursTriangle(benchmark::State& state) {
  const TPrimitiveTable& table = BoundPrimitives();
  std::vector<Ipp16s> block(Samples);
  float phase = 0;
  for (auto _ : state) {
    table.Audio.ippsTriangle_Direct_16s(block.data(), Samples, 5000, RelativeFrequency, Asymmetry, &phase);
    benchmark::ClobberMemory();
  }
}

void ExtendedTriangle(benchmark::State& state) {
  std::vector<Ipp16s> block(Samples);
  for (auto _ : state) {
    GeneratorReference::Triangle(block.data(), Samples, 5000, RelativeFrequency, Asymmetry, 0.5f);
    benchmark::ClobberMemory();
  }
}

std::vector<Ipp16s> AudioBlock() {
  std::vector<Ipp16s> block(Samples);
  for (int n = 0; n < Samples; ++n) block[n] = static_cast<Ipp16s>(n * 37 - 16000);
  return block;
}

void PlainConvert(benchmark::State& state) {
  const std::vector<Ipp16s> src = AudioBlock();
  std::vector<Ipp64f> dst(Samples);
  for (auto _ : state) {
    for (int n = 0; n < Samples; ++n) dst[n] = src[n];
    benchmark::ClobberMemory();
  }
}

void OursConvert(benchmark::State& state) {
  const TPrimitiveTable& table = BoundPrimitives();
  const std::vector<Ipp16s> src = AudioBlock();
  std::vector<Ipp64f> dst(Samples);
  for (auto _ : state) {
    table.Buffer.ippsConvert_16s64f_Sfs(src.data(), dst.data(), Samples, 0);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(PlainTone)->Name("tone, 1024 samples/plain cos loop (reference)");
BENCHMARK(OursTone)->Name("tone, 1024 samples/ippsTone_Direct_16s");
BENCHMARK(ExtendedTone)->Name("tone, 1024 samples/extended-precision steps");
BENCHMARK(PlainTriangle)->Name("triangle, 1024 samples/plain fmod loop (reference)");
BENCHMARK(OursTriangle)->Name("triangle, 1024 samples/ippsTriangle_Direct_16s");
BENCHMARK(ExtendedTriangle)->Name("triangle, 1024 samples/extended-precision steps");
BENCHMARK(PlainConvert)->Name("convert 16s to 64f, 1024 samples/plain loop (reference)");
BENCHMARK(OursConvert)->Name("convert 16s to 64f, 1024 samples/ippsConvert_16s64f_Sfs");

}  // namespace
