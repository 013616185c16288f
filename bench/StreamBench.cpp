// A stream's cost per buffer: one 1024-frame stereo 16-bit audio buffer sent from an audio source
// through the inserted audio-to-real converter into a real sink, beside converting channel 0 of the
// same buffer to doubles with a plain loop. The "allocs/op" counter shows that the send, the
// converted buffer and both operations come from the pool.
#include "HeapCount.h"

#include "buffers/DnSimpleAudioBuffer.h"
#include "pins/DnStreamTypes.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr uint32_t Frames = 1024;

TRef<TDnAudioBuffer> StereoBuffer() {
  const TRef<TDnAudioBuffer> buffer = MakeRef<TDnAudioBuffer>(44100, 3, Frames, 2, 16);
  auto* samples = reinterpret_cast<int16_t*>(buffer->WriteData());
  for (uint32_t i = 0; i < 2 * Frames; ++i) samples[i] = static_cast<int16_t>(i * 7);
  return buffer;
}

void ConvertReference(benchmark::State& state) {
  const TRef<TDnAudioBuffer> buffer = StereoBuffer();
  std::vector<double> channel(Frames);
  for (auto _ : state) {
    const auto* samples = reinterpret_cast<const int16_t*>(buffer->ReadData());
    for (uint32_t f = 0; f < Frames; ++f) channel[f] = samples[2 * f];
    benchmark::DoNotOptimize(channel.data());
    benchmark::ClobberMemory();
  }
}

struct TBenchComponent : TComponent {
  TBenchComponent() : TComponent(nullptr) {}
  TLkLock Lock;
};

void ThroughConverter(benchmark::State& state) {
  std::unique_ptr<TBenchComponent, TComponentDeleter> a(new TBenchComponent), b(new TBenchComponent);
  TLkPinPtr<TDnLkAudioSourcePin> source(new TDnLkAudioSourcePin(a.get(), nullptr, &a->Lock));
  double sum = 0;
  TLkPinPtr<TKvLkRealSinkPin> sink(new TKvLkRealSinkPin(
      b.get(),
      [&sum](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) -> uint8_t {
        if (auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation))
          sum += InterfaceOf<IKvRealBuffer>(*supplied->Buffer)->ReadData()[Frames - 1];
        return 0;
      },
      &b->Lock));
  if (!sink->Connect(source.get())) return state.SkipWithError("the sink did not link");
  const TRef<TDnAudioBuffer> buffer = StereoBuffer();
  source->SendBuffer(buffer);  // warms the pool
  const long before = HeapAllocations();
  for (auto _ : state) source->SendBuffer(buffer);
  ReportHeapAllocations(state, before);
  benchmark::DoNotOptimize(sum);
}

BENCHMARK(ConvertReference)->Name("audio buffer to real sink/plain loop over channel 0 (reference)");
BENCHMARK(ThroughConverter)->Name("audio buffer to real sink/SendBuffer through the converter");

}  // namespace
