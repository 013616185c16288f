// The whole demonstration chain without displays, one tick after another on one thread: a generic
// generator clocks three signal generators, whose audio is turned into reals, summed, turned back
// into 16-bit audio and analysed into two 512-point spectra. Beside it, a plain loop does the same
// arithmetic (the same tone primitive, the same FFT) on plain arrays, without pins or buffers.
// "x real time" is how many times faster than the 1024 / 44100 s a tick stands for. The last line
// printed compares the fastest repetitions of the two, as the ratio table has them.
#include "HeapCount.h"
#include "RatioReporter.h"

#include "tests/components/DemonstrationChain.h"
#include "vector/PrimitiveBinding.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace Primitives;

namespace {

constexpr uint32_t Frames = TDemonstrationChain::Frames;
constexpr double SampleRate = TDemonstrationChain::SampleRate;
constexpr int Order = 9;
constexpr uint32_t Window = 1u << Order;

const char* const ChainName = "demonstration chain, one tick/components and pins";
const char* const PlainName = "demonstration chain, one tick/plain loop (reference)";

// How many times faster than real time a tick of `nanoseconds` runs.
double TimesRealTime(double nanoseconds) { return Frames / SampleRate / (nanoseconds * 1e-9); }

void ReportRealTime(benchmark::State& state, std::chrono::steady_clock::time_point start) {
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  state.counters["x real time"] = TimesRealTime(elapsed.count() * 1e9 / double(state.iterations()));
}

void Chain(benchmark::State& state) {
  TDemonstrationChain chain(0);
  chain.Start();
  chain.Tick();  // warms the pool
  const long before = HeapAllocations();
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) chain.Tick();
  ReportRealTime(state, start);
  ReportHeapAllocations(state, before);
}

// One tick of the chain's arithmetic on plain arrays.
class TPlainTick {
public:
  TPlainTick() : Spectrum(2 * Window), Magnitudes(Window / 2) {
    BoundPrimitives().Audio.ippsFFTInitAlloc_R_64f(&Record, Order, FftDivForwardByN, HintAccurate);
  }
  ~TPlainTick() { BoundPrimitives().Audio.ippsFFTFree_R_64f(Record); }

  void Run() {
    const TAudioPrimitives& audio = BoundPrimitives().Audio;
    for (size_t t = 0; t < Tones.size(); ++t)
      audio.ippsTone_Direct_16s(Tones[t].data(), int(Frames), Ipp16s(TDemonstrationChain::Tones[t].Amplitude),
                                float(TDemonstrationChain::Tones[t].Frequency / SampleRate), &Phases[t], HintNone);
    for (uint32_t n = 0; n < Frames; ++n) {
      // The adder's sum of reals, then the 16-bit sample of the nearest integer.
      const double sum = double(Tones[0][n]) + double(Tones[1][n]) + double(Tones[2][n]);
      Sum[n] = int16_t(int64_t(std::nearbyint(sum)));
    }
    for (uint32_t first = 0; first < Frames; first += Window) {
      for (uint32_t n = 0; n < Window; ++n) Samples[n] = Sum[first + n];
      auto* bins = reinterpret_cast<Ipp64fc*>(Spectrum.data());
      audio.ippsFFTFwd_RToCCS_64f(Samples, Spectrum.data(), Record, nullptr);
      audio.ippsConjCcs_64fc_I(bins, int(Window));
      BoundPrimitives().Buffer.ippsMagnitude_64fc(bins, Magnitudes.data(), int(Window / 2));
      Magnitudes[0] = 0;
      benchmark::DoNotOptimize(Magnitudes.data());
      benchmark::ClobberMemory();
    }
  }

private:
  std::array<std::array<Ipp16s, Frames>, 3> Tones{};
  std::array<float, 3> Phases{};
  int16_t Sum[Frames];
  double Samples[Window];
  std::vector<double> Spectrum;
  std::vector<double> Magnitudes;
  IppsFFTSpec_R_64f* Record = nullptr;
};

void PlainLoop(benchmark::State& state) {
  TPlainTick tick;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) tick.Run();
  ReportRealTime(state, start);
}

BENCHMARK(PlainLoop)->Name(PlainName)->Unit(benchmark::kMicrosecond);
BENCHMARK(Chain)->Name(ChainName)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv, [](const TRatioReporter& reporter) {
    const double chain = reporter.Fastest(ChainName), plain = reporter.Fastest(PlainName);
    if (chain > 0 && plain > 0)
      std::printf("chain %.1fx real time; plain loop %.1fx real time; ratio %.2f\n", TimesRealTime(chain),
                  TimesRealTime(plain), chain / plain);
  });
}
