#include "ComponentTestKit.h"

#include "components/DnSignalPhase.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double Pi = DnSignalPhase::Pi;

// A signal generator at 44100 Hz, mono 16 bits, clocked by hand, its output recorded.
class SignalGen : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Clock->Output()->Connect(Generator->ClockPin()));
    ASSERT_TRUE(Generator->OutputPin()->Connect(Recorder->Input()));
  }
  // Starts the generator.
  void Start(TDnSignalType type, double frequency, int32_t amplitude) {
    Generator->SetSignalType(type);
    Generator->SetFrequency(frequency);
    Generator->SetAmplitude(amplitude);
    Generator->Start();
  }
  // Channel 0 of the next `buffers` buffers, one after another.
  std::vector<int16_t> Next(int buffers = 1) {
    Recorder->Clear();
    for (int i = 0; i < buffers; ++i) Clock->Tick();
    return Recorder->Stream();
  }
  TOwned<TManualClock> Clock{new TManualClock};
  TOwned<TDnSignalGen> Generator = MakeGenerator<TDnSignalGen>(csExternal);
  TOwned<TAudioRecorder> Recorder{new TAudioRecorder};
};

// The ramp primitive's rounding: half away from zero.
int16_t Ramp(float offset, float slope, int i) {
  const long double y = offset + i * static_cast<long double>(slope);
  return static_cast<int16_t>(y > 0 ? y + 0.5L : y - 0.5L);
}

TEST_F(SignalGen, ARisingSawtoothAt520HzRepeatsEvery86SamplesFromMinusToPlusItsAmplitude) {
  Start(atSawToothUp, 520, 5000);
  const std::vector<int16_t> first = Next();
  const float slope = float(2 * 5000 / 85.0);
  ASSERT_EQ(first.size(), 1024u);
  for (int i = 0; i < 1024; ++i) {
    const int j = i % 86;
    ASSERT_EQ(first[i], j == 85 ? 5000 : Ramp(-5000, slope, j)) << i;
  }
  // 11 periods and 78 samples: the running phase is 2 pi 78/85, which a tone picks up.
  Generator->SetSignalType(atTone);
  const double phase = static_cast<float>(2 * Pi * 78 / 85);
  EXPECT_NEAR(Next()[0], 5000 * std::cos(phase), 1);
}

TEST_F(SignalGen, TheSawtoothRunsOnIntoTheNextBuffer) {
  Start(atSawToothUp, 520, 5000);
  Next();
  const std::vector<int16_t> second = Next();
  const float slope = float(2 * 5000 / 85.0);
  for (int j = 78; j < 85; ++j) EXPECT_NEAR(second[j - 78], Ramp(-5000, slope, j), 1) << j;
  EXPECT_EQ(second[7], 5000);
  EXPECT_EQ(second[8], -5000);
}

TEST_F(SignalGen, AFallingSawtoothRunsFromPlusToMinusItsAmplitude) {
  Start(atSawToothDown, 520, 5000);
  const std::vector<int16_t> samples = Next();
  EXPECT_EQ(samples[0], 5000);
  EXPECT_EQ(samples[85], -5000);
  EXPECT_EQ(samples[86], 5000);
  for (int i = 1; i < 85; ++i) EXPECT_LT(samples[i], samples[i - 1]) << i;
}

// Checks a square wave of the amplitude against the phase of each sample (counted from the
// generator's start, buffers after `skipped` buffers): +amplitude over the first half of each
// period, -amplitude over the second, and at most one sample in between at each edge.
void ExpectSquare(const std::vector<int16_t>& samples, double frequency, int amplitude, int skipped) {
  const long double step = 2 * 3.141592653589793L * static_cast<float>(frequency / 44100);
  int between = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    const long double phase = std::fmod(step * (skipped * 1024 + long(i)), 2 * 3.141592653589793L);
    const long double fromEdge = std::min({phase, std::abs(phase - 3.141592653589793L), 6.283185307179586L - phase});
    if (fromEdge < step) {
      between += std::abs(samples[i]) != amplitude;
      continue;
    }
    ASSERT_EQ(samples[i], phase < 3.141592653589793L ? amplitude : -amplitude) << i << " at phase " << double(phase);
  }
  const double expectedEdges = 2 * frequency * samples.size() / 44100;
  EXPECT_LE(between, expectedEdges + 2);
}

TEST_F(SignalGen, TheSquareWaveIsPlusItsAmplitudeForHalfAPeriodAndMinusForTheOtherHalf) {
  Start(atSquare, 520, 5000);
  ExpectSquare(Next(4), 520, 5000, 0);
  // A tone in between runs the phase on; the square wave then goes on from there.
  Generator->SetSignalType(atTone);
  Next();
  Generator->SetSignalType(atSquare);
  ExpectSquare(Next(2), 520, 5000, 5);
}

TEST_F(SignalGen, AToneRunsOnFromItsPhaseWhenTheFrequencyChanges) {
  Start(atTone, 520, 10000);
  const std::vector<int16_t> first = Next();
  Generator->SetFrequency(1000);
  const std::vector<int16_t> second = Next();
  const long double twoPi = 6.283185307179586L;
  const long double before = twoPi * static_cast<float>(520.0 / 44100),
                    after = twoPi * static_cast<float>(1000.0 / 44100);
  for (int n = 0; n < 1024; ++n) ASSERT_NEAR(first[n], 10000 * std::cos(n * before), 2) << n;
  const auto phase = static_cast<float>(std::fmod(1024 * before, twoPi));
  for (int n = 0; n < 1024; ++n) ASSERT_NEAR(second[n], 10000 * std::cos(phase + n * after), 2) << n;
}

TEST_F(SignalGen, NoWaveAtHalfTheSampleRateOrAboveAtNoFrequencyOrAmplitude) {
  const struct {
    double Frequency;
    int32_t Amplitude;
  } silent[] = {{22050, 5000}, {30000, 5000}, {0, 5000}, {520, 0}};
  for (const TDnSignalType type : {atTone, atTriangle, atSquare, atSawToothUp, atSawToothDown}) {
    for (const auto& each : silent) {
      Generator->Stop();
      Start(type, 520, 5000);
      ASSERT_NE(Next(), std::vector<int16_t>(1024, 0));
      Generator->SetFrequency(each.Frequency);
      Generator->SetAmplitude(each.Amplitude);
      EXPECT_EQ(Next(), std::vector<int16_t>(1024, 0)) << type << " " << each.Frequency << " " << each.Amplitude;
    }
  }
}

TEST_F(SignalGen, SettersKeepValuesInRange) {
  const struct { int32_t Given, Stored; } amplitudes[] = {{40000, 32767}, {-5, 0}, {1234, 1234}};
  for (const auto& each : amplitudes) {
    Generator->SetAmplitude(each.Given);
    EXPECT_EQ(Generator->Amplitude(), each.Stored);
  }
  const struct {
    double Given, Stored;
  } asymmetries[] = {{4, Pi}, {-4, -Pi}, {NAN, 0}, {1.5, 1.5}}, frequencies[] = {{-1, 0}, {NAN, 0}, {440, 440}};
  for (const auto& each : asymmetries) {
    Generator->SetAsymmetry(each.Given);
    EXPECT_EQ(Generator->Asymmetry(), each.Stored);
  }
  for (const auto& each : frequencies) {
    Generator->SetFrequency(each.Given);
    EXPECT_EQ(Generator->Frequency(), each.Stored);
    EXPECT_EQ(Generator->FrequencyPin()->Value(), float(each.Stored));
  }
}

TEST_F(SignalGen, AFrequencySetOnTheFrequencyPinGoesThroughTheSetter) {
  TLkPinPtr<TLkFloatIntStatePin> remote(new TLkFloatIntStatePin(Clock.get(), nullptr));
  ASSERT_TRUE(remote->JoinState(Generator->FrequencyPin()));
  remote->SetValue(-3);
  EXPECT_EQ(Generator->Frequency(), 0);
  Generator->SetFrequency(800);
  EXPECT_EQ(remote->Value(), 800);
}

TEST_F(SignalGen, TheStartPhaseIsTakenWithin0To2Pi) {
  for (const double phase : {7.0, -1.0, 2 * Pi, 100.0}) {
    Generator->Stop();
    Generator->SetPhase(float(phase));
    Start(atTone, 520, 10000);
    const double reduced = std::fmod(std::fmod(float(phase), 2 * Pi) + 2 * Pi, 2 * Pi);
    EXPECT_NEAR(Next()[0], 10000 * std::cos(reduced), 1.01) << phase;
  }
}

// Low frequencies, whose periods outlast a buffer: every sample of every buffer lies on a rising
// ramp of the sawtooth's slope (give or take a sample the drift moves the period by) or is a fall
// from the top to the bottom, and the falls come once per period.
TEST_F(SignalGen, ASawtoothWhosePeriodOutlastsABufferFillsEveryBufferAndKeepsItsSlope) {
  for (const double frequency : {11.0, 20.0, 30.0, 43.0, 60.0}) {
    Generator->Stop();
    Start(atSawToothUp, frequency, 30000);
    const std::vector<int16_t> samples = Next(200);
    const double n = std::nearbyint(44100 / frequency), slope = 2 * 30000 / n;
    int falls = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
      const int step = samples[i] - samples[i - 1];
      if (step < 0) {
        ++falls;
        ASSERT_GE(samples[i - 1], 30000 - 2 * slope - 1) << frequency << " at " << i;
        ASSERT_LE(samples[i], -30000 + 2 * slope + 1) << frequency << " at " << i;
      } else {
        ASSERT_LE(step, 2 * slope + 1) << frequency << " at " << i;
      }
    }
    EXPECT_NEAR(falls, samples.size() / (n + 1), 2) << frequency;
  }
}

// Every channel carries the wave, converted to the format's sample width as audio buffers convert.
TEST(SignalGenChannels, EveryChannelCarriesTheWaveAtTheFormatsWidth) {
  for (const uint32_t bits : {8u, 16u, 24u, 32u}) {
    TOwned<TManualClock> clock(new TManualClock);
    TOwned<TDnSignalGen> mono = MakeGenerator<TDnSignalGen>(csExternal), wide = MakeGenerator<TDnSignalGen>(csExternal);
    wide->AudioFormat()->SetChannels(3);
    wide->AudioFormat()->SetBits(bits);
    TOwned<TAudioRecorder> monoOut(new TAudioRecorder), wideOut(new TAudioRecorder);
    for (auto [generator, out] : {std::pair(mono.get(), monoOut.get()), std::pair(wide.get(), wideOut.get())}) {
      ASSERT_TRUE(clock->Output()->Connect(generator->ClockPin()));
      ASSERT_TRUE(generator->OutputPin()->Connect(out->Input()));
      generator->SetSignalType(atTriangle);
      generator->Start();
    }
    clock->Tick();
    const TAudioRecorder::TBuffer reference = monoOut->Buffers().at(0), buffer = wideOut->Buffers().at(0);
    ASSERT_EQ(buffer.Channels, 3u);
    ASSERT_EQ(buffer.Bits, bits);
    // The mono wave converted by an audio buffer, into each channel in turn.
    const TRef<TDnAudioBuffer> source = MakeRef<TDnAudioBuffer>(44100, 1, 1024, 1, 16);
    std::copy(reference.Bytes.begin(), reference.Bytes.end(), source->WriteData());
    const TRef<TDnAudioBuffer> expected = MakeRef<TDnAudioBuffer>(44100, 1, 1024, 1, bits);
    source->CopyTo(0, *expected, 1024, 0);
    const uint32_t width = bits / 8;
    for (uint32_t frame = 0; frame < 1024; ++frame)
      for (uint32_t channel = 0; channel < 3; ++channel)
        ASSERT_TRUE(std::equal(expected->ReadData() + frame * width, expected->ReadData() + (frame + 1) * width,
                               buffer.Bytes.begin() + (frame * 3 + channel) * width))
            << bits << " bits, frame " << frame << ", channel " << channel;
  }
}

}  // namespace
