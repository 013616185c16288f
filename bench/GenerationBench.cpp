// The tone generator and the 16-bit to double conversion on 1024 samples, beside the plain loop
// a caller would otherwise write.
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
BENCHMARK(PlainConvert)->Name("convert 16s to 64f, 1024 samples/plain loop (reference)");
BENCHMARK(OursConvert)->Name("convert 16s to 64f, 1024 samples/ippsConvert_16s64f_Sfs");

}  // namespace
