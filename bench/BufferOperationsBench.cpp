// A whole-buffer operation through the real buffer's interface (the adder's Add: a virtual call,
// the copy-on-write check and the primitive) beside the plain loop over two arrays.
#include "buffers/KvSimpleDataBuffer.h"

#include <benchmark/benchmark.h>

#include <numeric>
#include <vector>

namespace {

constexpr uint32_t Samples = 1024;

void PlainAdd(benchmark::State& state) {
  std::vector<double> sum(Samples), other(Samples);
  std::iota(sum.begin(), sum.end(), 0.0);
  std::iota(other.begin(), other.end(), 0.5);
  for (auto _ : state) {
    for (uint32_t i = 0; i < Samples; ++i) sum[i] += other[i];
    benchmark::ClobberMemory();
  }
}

void BufferAdd(benchmark::State& state) {
  const TRef<IKvRealBuffer> sum = MakeRef<TKvRealBuffer>(Samples), other = MakeRef<TKvRealBuffer>(Samples);
  std::iota(sum->WriteData(), sum->WriteData() + Samples, 0.0);
  std::iota(other->WriteData(), other->WriteData() + Samples, 0.5);
  for (auto _ : state) {
    sum->Add(*other);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(PlainAdd)->Name("real buffer Add, 1024/plain loop (reference)");
BENCHMARK(BufferAdd)->Name("real buffer Add, 1024/IKvRealBuffer::Add");

}  // namespace
