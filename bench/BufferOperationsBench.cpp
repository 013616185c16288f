// A whole-buffer operation through the real buffer's interface (the adder's Add: a virtual call,
// the copy-on-write check and the primitive) beside the plain loop over the same two buffers'
// samples (pooled blocks whose relative placement the loop's speed depends on).
#include "buffers/KvSimpleDataBuffer.h"

#include <benchmark/benchmark.h>

#include <numeric>

namespace {

constexpr uint32_t Samples = 1024;

struct TOperands {
  TOperands() {
    std::iota(Sum->WriteData(), Sum->WriteData() + Samples, 0.0);
    std::iota(Other->WriteData(), Other->WriteData() + Samples, 0.5);
  }
  const TRef<IKvRealBuffer> Sum = MakeRef<TKvRealBuffer>(Samples), Other = MakeRef<TKvRealBuffer>(Samples);
};

void PlainAdd(benchmark::State& state) {
  TOperands operands;
  double* sum = operands.Sum->ModifyData();
  const double* other = operands.Other->ReadData();
  for (auto _ : state) {
    for (uint32_t i = 0; i < Samples; ++i) sum[i] += other[i];
    benchmark::ClobberMemory();
  }
}

void BufferAdd(benchmark::State& state) {
  TOperands operands;
  for (auto _ : state) {
    operands.Sum->Add(*operands.Other);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(PlainAdd)->Name("real buffer Add, 1024/plain loop (reference)");
BENCHMARK(BufferAdd)->Name("real buffer Add, 1024/IKvRealBuffer::Add");

}  // namespace
