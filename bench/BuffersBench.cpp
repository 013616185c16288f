// The sample buffers' costs, each beside a reference measured in the same run: creating, filling
// and releasing a 1024-sample real buffer and a 1024-frame mono 16-bit audio buffer beside new,
// memset and delete of the same bytes, and the first write to a shared block beside new, memcpy
// and delete. The "allocs/op" counter counts heap allocations per buffer once the pool is warm:
// the pooled buffers must show 0.
#include "buffers/DnSimpleAudioBuffer.h"
#include "buffers/KvSimpleDataBuffer.h"

#include "HeapCount.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr uint32_t Samples = 1024;
constexpr std::size_t RealBytes = Samples * sizeof(double);
constexpr std::size_t AudioBytes = Samples * sizeof(int16_t) + sizeof(TDnWaveFormat);

// Runs `body` once to warm the pool, then measures it and reports its heap allocations per run.
template <class Body>
void Measure(benchmark::State& state, Body body) {
  body();
  const long before = HeapAllocations();
  for (auto _ : state) body();
  ReportHeapAllocations(state, before);
}

void HeapReference(benchmark::State& state, std::size_t bytes) {
  Measure(state, [bytes] {
    auto* data = new uint8_t[bytes];
    benchmark::DoNotOptimize(data);
    std::memset(data, 0, bytes);
    benchmark::ClobberMemory();
    delete[] data;
  });
}

void RealBuffer(benchmark::State& state) {
  Measure(state, [] {
    const auto buffer = MakeRef<TKvRealBuffer>(Samples);
    double* data = buffer->WriteData();
    benchmark::DoNotOptimize(data);
    std::memset(data, 0, RealBytes);
    benchmark::ClobberMemory();
  });
}

void AudioBuffer(benchmark::State& state) {
  Measure(state, [] {
    const auto buffer = MakeRef<TDnAudioBuffer>(44100, 0, Samples, 1, 16);
    buffer->Silence();
    benchmark::ClobberMemory();
  });
}

void CopyReference(benchmark::State& state) {
  auto* source = new uint8_t[RealBytes]();
  Measure(state, [source] {
    auto* copy = new uint8_t[RealBytes];
    benchmark::DoNotOptimize(copy);
    std::memcpy(copy, source, RealBytes);
    benchmark::ClobberMemory();
    delete[] copy;
  });
  delete[] source;
}

void CopyOnWrite(benchmark::State& state) {
  const auto original = MakeRef<TKvRealBuffer>(Samples);
  std::memset(original->WriteData(), 0, RealBytes);
  Measure(state, [&original] {
    const auto clone = Supports<IKvRealBuffer>(original->Clone());
    clone->SetValue(0, 1);
    benchmark::ClobberMemory();
  });
}

BENCHMARK_CAPTURE(HeapReference, real, RealBytes)
    ->Name("create, fill, release 1024 doubles/new, memset, delete (reference)");
BENCHMARK(RealBuffer)->Name("create, fill, release 1024 doubles/TKvRealBuffer");
BENCHMARK_CAPTURE(HeapReference, audio, AudioBytes)
    ->Name("create, fill, release 1024 16-bit frames/new, memset, delete (reference)");
BENCHMARK(AudioBuffer)->Name("create, fill, release 1024 16-bit frames/TDnAudioBuffer with Silence");
BENCHMARK(CopyReference)->Name("first write to 1024 shared doubles/new, memcpy, delete (reference)");
BENCHMARK(CopyOnWrite)->Name("first write to 1024 shared doubles/Clone and SetValue");

}  // namespace
