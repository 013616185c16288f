// One tick of the demonstration chain's generators: a generic generator's buffer clocks three
// signal generators, each of which composes a 1024-sample tone and sends it. Beside it, the same
// three tones computed with a plain cosine loop. "x real time" is how many times faster than the
// 1024 / 44100 s a tick stands for; "allocs/op" shows that a tick takes nothing from the heap.
#include "HeapCount.h"

#include "components/DnGenericGen.h"
#include "components/DnSignalGen.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t Frames = 1024;
constexpr double SampleRate = 44100;

const struct {
  double Frequency;
  int32_t Amplitude;
} Tones[] = {{520, 5000}, {10000, 2500}, {21500, 1250}};

// Times faster than real time, by the clock on the wall (as the ratio table reckons) from `start`.
void ReportRealTime(benchmark::State& state, std::chrono::steady_clock::time_point start) {
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  state.counters["x real time"] = double(state.iterations()) * Frames / SampleRate / elapsed.count();
}

void PlainTones(benchmark::State& state) {
  std::vector<int16_t> blocks[3] = {std::vector<int16_t>(Frames), std::vector<int16_t>(Frames),
                                    std::vector<int16_t>(Frames)};
  double phases[3] = {};
  const double twoPi = 2 * 3.141592653589793;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    for (int t = 0; t < 3; ++t) {
      const double omega = twoPi * Tones[t].Frequency / SampleRate;
      for (uint32_t n = 0; n < Frames; ++n)
        blocks[t][n] = static_cast<int16_t>(Tones[t].Amplitude * std::cos(phases[t] + n * omega));
      phases[t] = std::fmod(phases[t] + Frames * omega, twoPi);
    }
    benchmark::ClobberMemory();
  }
  ReportRealTime(state, start);
}

template <class Generator>
std::unique_ptr<Generator, TComponentDeleter> MakeGenerator() {
  std::unique_ptr<Generator, TComponentDeleter> generator(new Generator(nullptr));
  generator->SetClockSource(csExternal);
  generator->AudioFormat()->SetChannels(1);
  generator->AudioFormat()->SetSampleRate(uint32_t(SampleRate));
  generator->AudioFormat()->SetBufferSize(Frames);
  generator->Stop();
  return generator;
}

void GeneratorTick(benchmark::State& state) {
  // Ticked by hand: the generic generator's own clock thread would tick besides.
  auto clock = MakeGenerator<TDnGenericGen>();
  std::unique_ptr<TDnSignalGen, TComponentDeleter> signals[3];
  for (int t = 0; t < 3; ++t) {
    signals[t] = MakeGenerator<TDnSignalGen>();
    signals[t]->SetFrequency(Tones[t].Frequency);
    signals[t]->SetAmplitude(Tones[t].Amplitude);
    if (!clock->OutputPin()->Connect(signals[t]->ClockPin())) return state.SkipWithError("a clock did not link");
    signals[t]->Start();
  }
  clock->Start();
  clock->PumpBuffer();  // warms the pool
  const long before = HeapAllocations();
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) clock->PumpBuffer();
  ReportHeapAllocations(state, before);
  ReportRealTime(state, start);
}

BENCHMARK(PlainTones)->Name("three tones, one tick/plain cos loop (reference)")->Unit(benchmark::kMicrosecond);
BENCHMARK(GeneratorTick)
    ->Name("three tones, one tick/generic generator and three signal generators")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
