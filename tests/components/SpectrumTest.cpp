#include "ComponentTestKit.h"

#include "components/DnSpectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

// Mono 16-bit audio of the given samples.
TRef<IDnAudioBuffer> Mono(const std::vector<int16_t>& samples) {
  const TRef<TDnAudioBuffer> buffer = MakeRef<TDnAudioBuffer>(44100, 0, uint32_t(samples.size()), 1, 16);
  std::memcpy(buffer->WriteData(), samples.data(), samples.size() * 2);
  return buffer;
}

// Samples first .. first + count - 1 of a 16-bit signal that is never periodic within a window.
std::vector<int16_t> Signal(uint32_t first, uint32_t count) {
  std::vector<int16_t> samples(count);
  for (uint32_t i = 0; i < count; ++i) {
    const double t = first + i;
    samples[i] = int16_t(std::nearbyint(3000 * std::sin(0.05 * t) + 1000 * std::cos(0.37 * t + 0.0001 * t * t)));
  }
  return samples;
}

// The first n/2 magnitudes of the plain DFT of the samples, divided by n, bin 0 set to 0: worked
// out term by term, independently of the transform under test.
std::vector<double> Dft(const std::vector<int16_t>& samples) {
  const size_t n = samples.size();
  std::vector<double> magnitudes(n / 2);
  for (size_t k = 1; k < n / 2; ++k) {
    long double re = 0, im = 0;
    for (size_t t = 0; t < n; ++t) {
      const long double angle = -2.0L * std::numbers::pi_v<long double> * ((k * t) % n) / n;
      re += samples[t] * std::cos(angle);
      im += samples[t] * std::sin(angle);
    }
    magnitudes[k] = double(std::sqrt(re * re + im * im) / n);
  }
  return magnitudes;
}

void ExpectNear(const std::vector<double>& actual, const std::vector<double>& expected, const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (size_t k = 0; k < actual.size(); ++k) ASSERT_NEAR(actual[k], expected[k], 1e-9 * 5000) << what << " bin " << k;
}

struct Spectrum : ::testing::Test {
  TOwned<TAudioSource> Source{new TAudioSource};
  TOwned<TDnSpectrum> Analyser{new TDnSpectrum(nullptr)};
  TOwned<TRealRecorder> Out{new TRealRecorder};

  void SetUp() override {
    Analyser->SetCountChannels(1);
    Analyser->SetOrder(9);
    ASSERT_TRUE(Analyser->InputPin()->Connect(Source->Output()));
    ASSERT_TRUE(Out->Input()->Connect(Analyser->OutputPins()->GetPin(0)));
  }
  void Start(uint32_t channels = 1) { Source->Start(TDnWaveFormat::Pcm(channels, 16, 44100, 0)); }
  // Sends samples first .. first + count - 1 of Signal and answers how many spectra came.
  size_t Send(uint32_t first, uint32_t count) {
    const size_t before = Out->BufferCount();
    Source->Send(Mono(Signal(first, count)));
    return Out->BufferCount() - before;
  }
  // The window of samples first .. first + 511 and its expected spectrum.
  static std::vector<double> Expected(uint32_t first) { return Dft(Signal(first, 512)); }
};

TEST_F(Spectrum, ContiguousWindowsGiveTwoSpectraPerBufferAsAnIndependentDftHasThem) {
  Start();
  EXPECT_EQ(Out->Events(), std::vector<std::string>{"start sample rate 44100"});
  EXPECT_EQ(Analyser->TransformSize(), 512u);
  for (uint32_t buffer = 0; buffer < 3; ++buffer) EXPECT_EQ(Send(buffer * 1024, 1024), 2u);
  const auto spectra = Out->Buffers();
  for (uint32_t i = 0; i < spectra.size(); ++i)
    ExpectNear(spectra[i], Expected(i * 512), "window " + std::to_string(i));
  // A window may straddle buffers.
  Out->Clear();
  EXPECT_EQ(Send(3072, 300), 0u);
  EXPECT_EQ(Send(3372, 300), 1u);
  ExpectNear(Out->Buffers()[0], Expected(3072), "straddling window");
}

TEST_F(Spectrum, AToneOnABinGivesItsMagnitudeByNormalizationAndItsPeakFrequency) {
  std::vector<int16_t> tone(512);
  for (size_t t = 0; t < 512; ++t) tone[t] = int16_t(std::nearbyint(5000 * std::cos(2 * Pi * 20 * double(t) / 512)));
  // 2500 but for the rounding of the samples to 16 bits.
  const double bin20 = Dft(tone)[20];
  ASSERT_NEAR(bin20, 2500, 0.05);
  const struct {
    TKvFourierNormalization Normalization;
    TDndBMode Mode;
    double Bin20;
  } cases[] = {{fnNormalize, adbNone, bin20},
               {fnNone, adbNone, bin20 * 512},
               {fnNormalizeSqrt, adbNone, bin20 * 512 / std::sqrt(512.0)},
               {fnNormalize, adbAmplitude, 20 * std::log10(bin20)},
               {fnNormalize, adbPower, 10 * std::log10(bin20)}};
  std::vector<double> peaks;
  Analyser->SetSynchronize(false);
  Analyser->OnFrequencyResult = [&](TObject*, int32_t channel, double frequency, double nyquist) {
    EXPECT_EQ(channel, 0);
    EXPECT_EQ(nyquist, 22050);
    peaks.push_back(frequency);
  };
  for (const auto& c : cases) {
    Analyser->SetNormalization(c.Normalization);
    Analyser->SetModedB(c.Mode);
    Out->Clear();
    Start();
    Source->Send(Mono(tone));
    ASSERT_EQ(Out->BufferCount(), 1u);
    const std::vector<double> spectrum = Out->Buffers()[0];
    ASSERT_EQ(spectrum.size(), 256u);
    EXPECT_EQ(spectrum[0], 0);
    EXPECT_NEAR(spectrum[20], c.Bin20, 1e-9 * std::abs(c.Bin20)) << c.Normalization << " " << c.Mode;
    ASSERT_EQ(peaks.size(), 1u);
    EXPECT_DOUBLE_EQ(peaks[0], 20 * 22050.0 / 256);
    peaks.clear();
  }
  // Silence in decibels: every bin but bin 0 has no logarithm.
  Out->Clear();
  Start();
  Source->Send(Mono(std::vector<int16_t>(512)));
  const std::vector<double> silent = Out->Buffers()[0];
  EXPECT_EQ(silent[0], 0);
  for (size_t k = 1; k < 256; ++k) ASSERT_EQ(silent[k], TDnSpectrum::DecibelFloor) << k;
}

TEST_F(Spectrum, OverlappingWindowsFollowTheStepAndAShortBufferFillsOnlyWhatItHolds) {
  Analyser->SetSamplingWindowStep(128);
  Start();
  // The buffer that completes the first window is collected contiguously to its end.
  EXPECT_EQ(Send(0, 1024), 2u);
  // Then every 128 samples give a window ending there.
  EXPECT_EQ(Send(1024, 1024), 8u);
  EXPECT_EQ(Send(2048, 100), 0u);  // 28 pending
  EXPECT_EQ(Send(2148, 10), 0u);   // shorter than what is pending: 18 still pending
  EXPECT_EQ(Send(2158, 18), 1u);
  EXPECT_EQ(Send(2176, 300), 2u);
  const auto spectra = Out->Buffers();
  ASSERT_EQ(spectra.size(), 13u);
  for (uint32_t i = 0; i < 8; ++i)
    ExpectNear(spectra[2 + i], Expected(1024 + 128 * (i + 1) - 512), "step window " + std::to_string(i));
  ExpectNear(spectra[10], Expected(2176 - 512), "window completed across three short buffers");
  ExpectNear(spectra[11], Expected(2304 - 512), "next window");
  ExpectNear(spectra[12], Expected(2432 - 512), "last window");
}

TEST_F(Spectrum, WindowsFartherApartThanTheirLengthSkipTheGap) {
  Analyser->SetSamplingWindowStep(1024);
  Start();
  EXPECT_EQ(Send(0, 1024), 2u);
  for (uint32_t buffer = 1; buffer < 4; ++buffer) EXPECT_EQ(Send(buffer * 1024, 1024), 1u) << buffer;
  const auto spectra = Out->Buffers();
  // The first buffer was collected contiguously; from the next on one window per 1024 samples,
  // the 512 after each window skipped.
  for (uint32_t i = 0; i < 3; ++i)
    ExpectNear(spectra[2 + i], Expected(1024 * (i + 1)), "spaced window " + std::to_string(i));
}

TEST_F(Spectrum, OrdersAreClampedAndATransformThatCannotBeHadFailsTheStartCleanly) {
  for (const auto& [asked, kept] : {std::pair{1, 2}, {-4, 2}, {40, 30}, {9, 9}}) {
    Analyser->SetOrder(asked);
    EXPECT_EQ(Analyser->Order(), kept) << asked;
  }
  Analyser->SetOrder(30);
  Start();
  EXPECT_EQ(Analyser->TransformSize(), 0u);
  EXPECT_EQ(Send(0, 1024), 0u);
  Source->Stop();
  EXPECT_EQ(Out->Events().back(), "stop");
  Analyser->SetOrder(2);
  Start();
  EXPECT_EQ(Analyser->TransformSize(), 4u);
  EXPECT_EQ(Send(0, 16), 4u);
  EXPECT_EQ(Out->Buffers()[0].size(), 2u);
}

TEST_F(Spectrum, ChannelsAddedWhileRunningGetWindowsAndNormalizationKeepsTheLengthInUse) {
  Start(2);
  const TRef<TDnAudioBuffer> stereo = MakeRef<TDnAudioBuffer>(44100, 0, 512, 2, 16);
  const std::vector<int16_t> left = Signal(0, 512), right = Signal(5000, 512);
  for (uint32_t f = 0; f < 512; ++f) {
    stereo->SetSample(f, 0, left[f]);
    stereo->SetSample(f, 1, right[f]);
  }
  Analyser->SetCountChannels(2);
  TOwned<TRealRecorder> second{new TRealRecorder};
  ASSERT_TRUE(second->Input()->Connect(Analyser->OutputPins()->GetPin(1)));
  Source->Send(stereo);
  ASSERT_EQ(second->BufferCount(), 1u);
  ExpectNear(second->Buffers()[0], Dft(right), "added channel");

  // An Order set meanwhile waits for the next start; the new record has the length in use.
  Analyser->SetOrder(10);
  Analyser->SetNormalization(fnNone);
  Out->Clear();
  Source->Send(stereo);
  ASSERT_EQ(Out->BufferCount(), 1u);
  std::vector<double> unscaled = Dft(left);
  for (double& value : unscaled) value *= 512;
  ASSERT_EQ(Out->Buffers()[0].size(), 256u);
  for (size_t k = 1; k < 256; ++k) ASSERT_NEAR(Out->Buffers()[0][k], unscaled[k], 1e-6 * 512 * 5000) << k;
}

TEST_F(Spectrum, SynchronizedResultsReportEveryChannelsLastPeakOnTheMainThread) {
  Analyser->SetCountChannels(2);
  TKvMainThreadNotify::DeliverPending();
  std::vector<std::pair<int32_t, double>> results;
  Analyser->OnFrequencyResult = [&](TObject* sender, int32_t channel, double frequency, double nyquist) {
    EXPECT_EQ(sender, Analyser.get());
    EXPECT_EQ(nyquist, 22050);
    EXPECT_TRUE(TKvMainThreadNotify::IsMainThread());
    results.emplace_back(channel, frequency);
  };
  Start(2);
  const TRef<TDnAudioBuffer> stereo = MakeRef<TDnAudioBuffer>(44100, 0, 512, 2, 16);
  for (uint32_t f = 0; f < 512; ++f) {
    stereo->SetSample(f, 0, int32_t(std::nearbyint(4000 * std::cos(2 * Pi * 10 * f / 512))));
    stereo->SetSample(f, 1, int32_t(std::nearbyint(4000 * std::cos(2 * Pi * 30 * f / 512))));
  }
  // The frequency pin of a channel carries its peak at once, with the range up to Nyquist.
  auto* frequency = static_cast<TLkRealRangedSourcePin*>(Analyser->FrequencyOutputPins()->GetPin(1));
  Source->Send(stereo);
  EXPECT_TRUE(results.empty());
  EXPECT_DOUBLE_EQ(frequency->Value(), 30 * 22050.0 / 256);
  EXPECT_EQ(frequency->High(), 22050);
  EXPECT_EQ(TKvMainThreadNotify::DeliverPending(), 2);
  const double f10 = 10 * 22050.0 / 256, f30 = 30 * 22050.0 / 256;
  EXPECT_EQ(results, (std::vector<std::pair<int32_t, double>>{{0, f10}, {1, f30}, {0, f10}, {1, f30}}));
}

}  // namespace
