// Generators on real clock threads driven by the system timer. Nothing here depends on how fast
// the machine is: tests wait for what must happen, with generous limits.
#include "ComponentTestKit.h"

#include "components/DnAudioToReal.h"
#include "components/DnSpectrum.h"
#include "components/KvClockGen.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// The demonstration chain in small: a generic generator on its own clock thread drives three
// signal generators, whose buffers are recorded.
struct TChain {
  TChain() {
    for (int i = 0; i < 3; ++i) {
      Signals.push_back(MakeGenerator<TDnSignalGen>(csExternal, 64));
      Recorders.emplace_back(new TAudioRecorder);
      EXPECT_TRUE(Clock->OutputPin()->Connect(Signals[i]->ClockPin()));
      EXPECT_TRUE(Signals[i]->OutputPin()->Connect(Recorders[i]->Input()));
      Signals[i]->Start();
    }
  }
  size_t Buffers() { return Recorders[2]->BufferCount(); }
  // A short buffer period (64 samples, about 1.5 ms) makes ticks frequent.
  TOwned<TDnGenericGen> Clock = MakeGenerator<TDnGenericGen>(csInternal, 64);
  std::vector<TOwned<TDnSignalGen>> Signals;
  std::vector<TOwned<TAudioRecorder>> Recorders;
};

TEST(GeneratorThreads, StartAndStop200TimesWhileTheWindowThreadChangesTheSignals) {
  TChain chain;
  std::atomic<bool> done{false};
  std::thread startStop([&] {
    for (int i = 0; i < 200; ++i) {
      const size_t before = chain.Buffers();
      chain.Clock->Start();
      // At least one tick reaches the end of the chain before the next stop.
      EXPECT_TRUE(WaitUntil([&] { return chain.Buffers() > before; })) << i;
      chain.Clock->Stop();
    }
    done = true;
  });
  for (int change = 0; !done; ++change) {
    TDnSignalGen& signal = *chain.Signals[change % 3];
    signal.SetFrequency(100 + change % 5000);
    signal.SetSignalType(TDnSignalType(change % 5));
    signal.SetAmplitude(change % 30000);
    std::this_thread::yield();
  }
  startStop.join();
  EXPECT_EQ(TKvClockGen::LiveThreads(), 0);
  EXPECT_FALSE(TKvMediaMasterClock::Exists());
  for (auto& recorder : chain.Recorders)
    for (const auto& buffer : recorder->Buffers()) ASSERT_EQ(buffer.Frames, 64u);
}

TEST(GeneratorThreads, AStopFromInsideOnGenerateEndsTheClockThread) {
  TChain chain;
  std::atomic<int> calls{0};
  chain.Clock->OnGenerate = [&](TObject*, TRef<IDnAudioBuffer>& buffer, bool&, bool& stop) {
    buffer->Silence();
    stop = ++calls == 3;
  };
  chain.Clock->Start();
  EXPECT_TRUE(WaitUntil([] { return TKvClockGen::LiveThreads() == 0; }));
  EXPECT_EQ(calls, 3);
  EXPECT_FALSE(chain.Clock->Running());
  EXPECT_EQ(chain.Buffers(), 3u);
  EXPECT_FALSE(TKvMediaMasterClock::Exists());
}

TEST(GeneratorThreads, AStopSentUpstreamOnTheClockThreadEndsIt) {
  TChain chain;
  TOwned<TAudioRecorder> downstream(new TAudioRecorder);
  ASSERT_TRUE(chain.Clock->OutputPin()->Connect(downstream->Input()));
  std::atomic<bool> asked{false};
  // On the clock thread, inside the delivery of a buffer: a stop to the clock generator.
  downstream->OnBuffer = [&] {
    if (!asked.exchange(true)) downstream->Input()->Notify(*MakeRef<TLkStopOperation>());
  };
  chain.Clock->Start();
  EXPECT_TRUE(WaitUntil([] { return TKvClockGen::LiveThreads() == 0; }));
  EXPECT_FALSE(chain.Clock->Running());
  EXPECT_TRUE(chain.Clock->Enabled());
}

TEST(GeneratorThreads, ARunningGeneratorDestroyedWithoutStopLeavesNothingBehind) {
  {
    TChain chain;
    chain.Clock->Start();
    EXPECT_TRUE(WaitUntil([&] { return chain.Buffers() >= 3; }));
    // The chain goes, the clock generator last, while it ticks.
  }
  EXPECT_EQ(TKvClockGen::LiveThreads(), 0);
  EXPECT_FALSE(TKvMediaMasterClock::Exists());
}

TEST(GeneratorThreads, ConvertersAndAnalysersDestroyedWhileTheClockThreadDeliversToThemFreeNothingInUse) {
  // A generator ticking every 64 samples feeds a converter and an analyser; each round they are
  // destroyed while the clock thread may be inside their input, sending from their outputs.
  TOwned<TDnGenericGen> clock = MakeGenerator<TDnGenericGen>(csInternal, 64);
  TOwned<TDnSignalGen> signal = MakeGenerator<TDnSignalGen>(csExternal, 64);
  ASSERT_TRUE(clock->OutputPin()->Connect(signal->ClockPin()));
  signal->Start();
  clock->Start();
  for (int round = 0; round < 30; ++round) {
    TOwned<TRealRecorder> samples{new TRealRecorder}, spectra{new TRealRecorder};
    TOwned<TDnAudioToReal> split{new TDnAudioToReal(nullptr)};
    TOwned<TDnSpectrum> analyser{new TDnSpectrum(nullptr)};
    analyser->SetCountChannels(1);
    analyser->SetOrder(6);
    ASSERT_TRUE(samples->Input()->Connect(split->OutputPins()->GetPin(0)));
    ASSERT_TRUE(spectra->Input()->Connect(analyser->OutputPins()->GetPin(0)));
    ASSERT_TRUE(split->InputPin()->Connect(signal->OutputPin()));
    ASSERT_TRUE(analyser->InputPin()->Connect(signal->OutputPin()));
    ASSERT_TRUE(WaitUntil([&] { return samples->BufferCount() >= 2 && spectra->BufferCount() >= 2; })) << round;
    split.reset();
    analyser.reset();
  }
  clock->Stop();
  EXPECT_TRUE(WaitUntil([] { return TKvClockGen::LiveThreads() == 0; }));
}

}  // namespace
