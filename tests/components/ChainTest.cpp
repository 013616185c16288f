#include "ComponentTestKit.h"
#include "DemonstrationChain.h"

#include "tests/HeapCounter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <numeric>
#include <thread>

namespace {

constexpr size_t Window = 512, Bins = 256;

// The magnitudes of bins 0 .. n/2 - 1 of the plain DFT of one window, divided by n, from a table
// of cosines and sines: computed term by term, without the transform under test.
class TPlainDft {
public:
  TPlainDft() {
    for (size_t i = 0; i < Window; ++i) {
      Cos[i] = std::cos(2 * std::numbers::pi * double(i) / Window);
      Sin[i] = std::sin(2 * std::numbers::pi * double(i) / Window);
    }
  }
  std::vector<double> Magnitudes(const int16_t* samples) const {
    std::vector<double> magnitudes(Bins);
    for (size_t k = 0; k < Bins; ++k) {
      double re = 0, im = 0;
      for (size_t t = 0; t < Window; ++t) {
        re += samples[t] * Cos[(k * t) % Window];
        im -= samples[t] * Sin[(k * t) % Window];
      }
      magnitudes[k] = std::hypot(re, im) / Window;
    }
    return magnitudes;
  }

private:
  double Cos[Window], Sin[Window];
};

// The bin nearest to a frequency in a 512-point spectrum at 44100 Hz.
size_t BinOf(double frequency) { return size_t(std::nearbyint(frequency * Window / TDemonstrationChain::SampleRate)); }

TEST(DemonstrationChain, AHundredTicksGiveSpectraPeakingAtTheThreeTonesAsAPlainDftOfTheirSumHasThem) {
  constexpr int Ticks = 100;
  TDemonstrationChain chain(2 * Ticks);
  // What the three generators send, recorded beside the chain.
  std::array<TOwned<TAudioRecorder>, 3> generated;
  for (size_t i = 0; i < 3; ++i) {
    generated[i].reset(new TAudioRecorder);
    ASSERT_TRUE(generated[i]->Input()->Connect(chain.Signals[i]->OutputPin()));
  }
  chain.Start();
  for (int tick = 0; tick < Ticks; ++tick) chain.Tick();

  ASSERT_EQ(chain.Tap->Count(), size_t(2 * Ticks));
  // The sum of the three generators, sample by sample, as the 16-bit audio the analyser receives.
  std::vector<int16_t> sum(Ticks * TDemonstrationChain::Frames);
  for (auto& recorder : generated) {
    const std::vector<int16_t> stream = recorder->Stream();
    ASSERT_EQ(stream.size(), sum.size());
    for (size_t i = 0; i < sum.size(); ++i) sum[i] = int16_t(sum[i] + stream[i]);
  }
  const TPlainDft dft;
  const std::vector<double>& spectra = chain.Tap->Values();
  for (size_t s = 0; s < 2 * Ticks; ++s) {
    const double* spectrum = spectra.data() + s * Bins;
    const std::vector<double> expected = dft.Magnitudes(sum.data() + s * Window);
    ASSERT_EQ(spectrum[0], 0) << "spectrum " << s;
    for (size_t k = 1; k < Bins; ++k)
      ASSERT_NEAR(spectrum[k], expected[k], 1e-9 * 5000) << "spectrum " << s << " bin " << k;
    // Each tone's bin stands above its neighbours, and the three are the strongest bins.
    std::vector<size_t> order(Bins);
    std::iota(order.begin(), order.end(), 0);
    std::partial_sort(order.begin(), order.begin() + 3, order.end(),
                      [&](size_t a, size_t b) { return spectrum[a] > spectrum[b]; });
    std::sort(order.begin(), order.begin() + 3);
    EXPECT_EQ(std::vector<size_t>(order.begin(), order.begin() + 3),
              (std::vector<size_t>{BinOf(520), BinOf(10000), BinOf(21500)}))
        << "spectrum " << s;
  }
}

TEST(DemonstrationChain, ATickTakesNothingFromTheHeapOnceWarm) {
  constexpr int Ticks = 100;
  TDemonstrationChain chain(2 * (Ticks + 2));
  chain.Start();
  // The first ticks fill the buffer pool's size classes.
  chain.Tick();
  chain.Tick();
  const long before = HeapAllocations();
  for (int tick = 0; tick < Ticks; ++tick) chain.Tick();
  EXPECT_EQ(HeapAllocations() - before, 0);
  EXPECT_EQ(chain.Tap->Count(), size_t(2 * (Ticks + 2)));
}

}  // namespace

namespace {

TEST(DemonstrationChain, SettingsChangedFromAnotherThreadLandBetweenBuffers) {
  constexpr int Ticks = 300;
  TDemonstrationChain chain(0);
  chain.Start();
  std::atomic<bool> done{false};
  std::thread clock([&] {
    for (int tick = 0; tick < Ticks; ++tick) chain.Tick();
    done = true;
  });
  const TKvFourierNormalization normalizations[] = {fnNone, fnNormalizeSqrt, fnNormalize};
  const TDndBMode modes[] = {adbPower, adbAmplitude, adbNone};
  for (int change = 0; !done; ++change) {
    chain.Spectrum->SetNormalization(normalizations[change % 3]);
    chain.Spectrum->SetModedB(modes[change % 3]);
    chain.Spectrum->SetSamplingWindowStep(change % 4 == 0 ? 128 : 0);
    chain.Add->SetBufferSize(change % 2 ? 512 : 1024);
    chain.Signals[size_t(change % 3)]->SetFrequency(500 + change % 1000);
    chain.Spectrum->SetCountChannels(1 + change % 2);
    std::this_thread::yield();
  }
  clock.join();
  // Every tick's samples reached the analyser: at least two windows a tick, more with the step.
  EXPECT_GE(chain.Tap->Count(), size_t(2 * Ticks) - 4);
}

}  // namespace
