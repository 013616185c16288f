#include "ComponentTestKit.h"

#include "buffers/BufferErrors.h"
#include "components/KvClockGen.h"

#include <gtest/gtest.h>

namespace {

using TEvents = std::vector<std::string>;

// A generic generator at 44100 Hz with its output recorded, clocked by the stepped timer.
class InternalClock : public ::testing::Test {
protected:
  void SetUp() override {
    Generator->SetName("DnGenericGen1");
    ASSERT_TRUE(Generator->OutputPin()->Connect(Recorder->Input()));
    Recorder->Clear();
  }
  void TearDown() override {
    Generator.reset();
    EXPECT_EQ(TKvClockGen::LiveThreads(), 0);
    EXPECT_FALSE(TKvMediaMasterClock::Exists());
  }
  TSteppedTimer Timer;
  TOwned<TDnGenericGen> Generator = MakeGenerator<TDnGenericGen>(csInternal);
  TOwned<TAudioRecorder> Recorder{new TAudioRecorder};
};

TEST_F(InternalClock, StartingAsksForThePumpAnnouncesTheFormatAndStartsTheClock) {
  Generator->SetPumpPriority(7);
  Generator->Start();
  EXPECT_EQ(Recorder->Events(),
            (TEvents{"pump request 1 priority 7 kind 2", "pump request 43 priority 7 kind 2", "start wave 44100"}));
  EXPECT_TRUE(Generator->Running());
  EXPECT_TRUE(Generator->PumpOwner());
  EXPECT_TRUE(Generator->EnablePin()->Value());
  EXPECT_EQ(TKvClockGen::LiveThreads(), 1);

  Timer.Step(24);
  ASSERT_TRUE(WaitUntil([&] { return Recorder->BufferCount() == 1; }));
  const TAudioRecorder::TBuffer buffer = Recorder->Buffers()[0];
  EXPECT_EQ(buffer.Frames, 1024u);
  EXPECT_EQ(buffer.Channels, 1u);
  EXPECT_EQ(buffer.Bits, 16u);
  EXPECT_EQ(buffer.SampleRate, 44100u);
  // Without OnGenerate: silence.
  EXPECT_EQ(buffer.Channel0(), std::vector<int16_t>(1024, 0));

  Generator->Stop();
  EXPECT_EQ(Recorder->Events().back(), "end stop");
  EXPECT_FALSE(Generator->Running());
  EXPECT_FALSE(Generator->EnablePin()->Value());
  EXPECT_EQ(TKvClockGen::LiveThreads(), 0);
  EXPECT_FALSE(TKvMediaMasterClock::Exists());
  // Stopping keeps the pump.
  EXPECT_TRUE(Generator->PumpOwner());
}

TEST_F(InternalClock, SettingEnabledToItsValueDoesNothing) {
  Generator->Stop();
  EXPECT_TRUE(Recorder->Events().empty());
  Generator->Start();
  const size_t events = Recorder->Events().size();
  Generator->Start();
  EXPECT_EQ(Recorder->Events().size(), events);
  EXPECT_EQ(TKvClockGen::LiveThreads(), 1);
}

TEST_F(InternalClock, OnGenerateFillsTheBufferAndMayKeepItOrStop) {
  std::atomic<int> calls{0};
  Generator->OnGenerate = [&](TObject* sender, TRef<IDnAudioBuffer>& buffer, bool& send, bool& stop) {
    EXPECT_EQ(sender, Generator.get());
    const int call = ++calls;
    buffer->Fill(call);
    send = call != 2;
    stop = call == 3;
  };
  Generator->Start();
  Timer.Step(24 * 5);
  // The third tick stopped the generator from its own clock thread, which ended by itself.
  ASSERT_TRUE(WaitUntil([] { return TKvClockGen::LiveThreads() == 0; }));
  EXPECT_EQ(calls, 3);
  EXPECT_FALSE(Generator->Running());
  EXPECT_TRUE(Generator->Enabled());
  const auto buffers = Recorder->Buffers();
  ASSERT_EQ(buffers.size(), 2u);
  EXPECT_EQ(buffers[0].Channel0()[0], 1);
  EXPECT_EQ(buffers[1].Channel0()[1023], 3);
  EXPECT_EQ(Recorder->Events().back(), "end stop");
}

TEST_F(InternalClock, AStopSentUpstreamStopsTheGenerator) {
  Generator->Start();
  Recorder->Input()->Notify(*MakeRef<TLkStopOperation>());
  EXPECT_FALSE(Generator->Running());
  EXPECT_EQ(TKvClockGen::LiveThreads(), 0);
}

TEST_F(InternalClock, AStreamQueryIsAnsweredOnlyWhileDisabled) {
  Generator->Start();
  Recorder->Clear();
  Recorder->Input()->Notify(*MakeRef<TLkQueryStreamOperation>());
  EXPECT_TRUE(Recorder->Events().empty());
  Generator->Stop();
  Recorder->Clear();
  Recorder->Input()->Notify(*MakeRef<TLkQueryStreamOperation>());
  EXPECT_EQ(Recorder->Events(), TEvents{"ignore stream"});
}

TEST_F(InternalClock, AStartAtASampleRateFromDownstreamRestartsTheClock) {
  Generator->Start();
  Recorder->Input()->Notify(*MakeRef<TLkStopOperation>());
  Recorder->Clear();
  Recorder->Input()->Notify(*MakeRef<TLkStartSampleRateOperation>(22050));
  EXPECT_EQ(Recorder->Events(), TEvents{"pump request 43 priority 0 kind 2"});
  EXPECT_EQ(TKvClockGen::LiveThreads(), 1);
}

TEST_F(InternalClock, ASampleRateOf0RunsNoClock) {
  Generator->AudioFormat()->SetSampleRate(0);
  Generator->Start();
  EXPECT_TRUE(Generator->Running());
  EXPECT_EQ(TKvClockGen::LiveThreads(), 0);
  EXPECT_FALSE(TKvMediaMasterClock::Exists());
}

TEST_F(InternalClock, TheEnablePinSetsEnabled) {
  TOwned<TManualClock> peer(new TManualClock);
  TLkPinPtr<TLkBoolStatePin> remote(new TLkBoolStatePin(peer.get(), nullptr));
  ASSERT_TRUE(remote->JoinState(Generator->EnablePin()));
  remote->SetValue(true);
  EXPECT_TRUE(Generator->Enabled());
  EXPECT_TRUE(Generator->Running());
  remote->SetValue(false);
  EXPECT_FALSE(Generator->Enabled());
  EXPECT_FALSE(Generator->Running());
}

// Externally clocked generators, ticked by hand.
class ExternalClock : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Clock->Output()->Connect(Generator->ClockPin()));
    ASSERT_TRUE(Generator->OutputPin()->Connect(Recorder->Input()));
    Recorder->Clear();
  }
  TOwned<TManualClock> Clock{new TManualClock};
  TOwned<TDnGenericGen> Generator = MakeGenerator<TDnGenericGen>(csExternal);
  TOwned<TAudioRecorder> Recorder{new TAudioRecorder};
};

TEST_F(ExternalClock, ProducesOneBufferPerClockBufferWhileRunning) {
  Clock->Tick();
  EXPECT_EQ(Recorder->BufferCount(), 0u);
  Generator->Start();
  // No pump request: the clock comes from upstream.
  EXPECT_EQ(Recorder->Events(), TEvents{"start wave 44100"});
  EXPECT_TRUE(Generator->PumpOwner());
  EXPECT_EQ(TKvClockGen::LiveThreads(), 0);
  Clock->Tick();
  Clock->Tick();
  EXPECT_EQ(Recorder->BufferCount(), 2u);
  Generator->Stop();
  Clock->Tick();
  EXPECT_EQ(Recorder->BufferCount(), 2u);
}

TEST(ClockPin, AnswersOperationsOtherThanTicksUpstreamWithWhetherTheGeneratorIsEnabled) {
  TOwned<TManualClock> owner(new TManualClock);
  TEvents upstream;
  TLkPinPtr<TLkClockSourcePin> clock(
      new TLkClockSourcePin(owner.get(), [&](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) {
        upstream.push_back(Describe(operation));
        return uint8_t(0);
      }));
  TOwned<TDnGenericGen> generator = MakeGenerator<TDnGenericGen>(csExternal);
  ASSERT_TRUE(clock->Connect(generator->ClockPin()));
  upstream.clear();  // the connect notice was answered too
  clock->Notify(*MakeRef<TLkStartOperation>());
  generator->Start();
  clock->Notify(*MakeRef<TLkQueryStreamOperation>());
  clock->Notify(*MakeRef<TLkClockOperation>());
  EXPECT_EQ(upstream, (TEvents{"clock needed false", "clock needed true"}));
}

TEST(SampleBlock, FollowsTheBufferSize) {
  TOwned<TManualClock> clock(new TManualClock);
  TOwned<TDnSignalGen> generator = MakeGenerator<TDnSignalGen>(csExternal, 256);
  TOwned<TAudioRecorder> recorder(new TAudioRecorder);
  ASSERT_TRUE(clock->Output()->Connect(generator->ClockPin()));
  ASSERT_TRUE(generator->OutputPin()->Connect(recorder->Input()));
  generator->Start();
  clock->Tick();
  generator->AudioFormat()->SetBufferSize(100);
  clock->Tick();
  const auto buffers = recorder->Buffers();
  ASSERT_EQ(buffers.size(), 2u);
  EXPECT_EQ(buffers[0].Frames, 256u);
  EXPECT_EQ(buffers[1].Frames, 100u);
  // The tone runs on through the new block.
  EXPECT_NE(buffers[1].Channel0(), std::vector<int16_t>(100, 0));
  // A size no block can hold is refused, not wrapped round to a small block.
  EXPECT_THROW(generator->AudioFormat()->SetBufferSize(0x80000000u), EBufferSizeError);
}

}  // namespace
