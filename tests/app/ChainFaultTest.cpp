// Faults injected into the window's running chain: a sink that fails on every buffer, the pool
// refusing memory for one tick, the master clock's timer held up for 2 s, a tick held up for 2 s
// while Stop is clicked. Each failure reaches the error hook once; the chain runs on (or stops when
// told to), every buffer the clock produces reaches both displays, and the pool gets back every
// area it handed out. The master clock's timer is stepped by the test, so that the number of
// buffers released is known exactly.
#include "../ErrorHookCapture.h"
#include "RunningChainKit.h"
#include "buffers/KvSmartBufferManager.h"
#include "components/KvClockGen.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// A component downstream that fails on every buffer it is given.
class TThrowingSink : public TComponent {
public:
  explicit TThrowingSink(TComponent* owner)
      : TComponent(owner),
        Input_(new TKvLkRealSinkPin(
            this,
            [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) -> uint8_t {
              if (!OperationAs<TLkSuppliedBufferOperation>(operation)) return 0;
              ++Calls;
              throw std::runtime_error("the sink failed");
            },
            &Lock)) {}
  TKvLkRealSinkPin* Input() const { return Input_.get(); }
  std::atomic<int> Calls{0};

protected:
  void Destroying() override {
    Input_.reset();
    TComponent::Destroying();
  }

private:
  TLkLock Lock;
  TLkPinPtr<TKvLkRealSinkPin> Input_;
};

// Areas the pool is still to refuse, whoever asks.
std::atomic<int> Refusals{0};

bool RefuseWhileAny(uint32_t) {
  for (int left = Refusals.load(); left > 0;)
    if (Refusals.compare_exchange_weak(left, left - 1)) return true;
  return false;
}

class ChainFault : public RunningChain {
protected:
  void SetUp() override {
    AreasInUse = TKvSmartBufferManager::Instance().AreasInUse();
    ShowCounting();
  }
  void TearDown() override {
    TKvSmartBufferManager::SetRefusal(nullptr);
    RunningChain::TearDown();
    // What the chain posted to the window thread is delivered and let go.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(TKvSmartBufferManager::Instance().AreasInUse(), AreasInUse) << "areas the pool did not get back";
  }
  // Steps the master clock's timer until `buffers` more buffer periods have elapsed.
  void Release(int buffers) {
    for (int due = 0; due < buffers;) {
      Timer.Step(1);
      due += int(Mirror.Elapse());
    }
  }
  // Releases `buffers` buffers and waits until they have reached both displays.
  void Run(int buffers) {
    Release(buffers);
    Expected += uint64_t(buffers);
    ASSERT_TRUE(WaitUntil([&] {
      return ReachedWaterfall() == Expected && ReachedScope(0) == Expected && ReachedScope(1) == Expected &&
             ReachedScope(2) == Expected;
    })) << "reached the waterfall: "
        << ReachedWaterfall() << " of " << Expected;
  }

  // In place of the system's timer before the chain starts (members are made before SetUp).
  TSteppedTimer Timer;
  // The accumulator the master clock keeps for the chain's clock thread, kept alike.
  TKvClockTicks Mirror{TKvClockGen::IntervalFor(44100, 1024)};
  uint64_t Expected = 0;
  int64_t AreasInUse = 0;
};

TEST_F(ChainFault, ASinkThatFailsOnEveryBufferIsReportedEachTimeAndTheOtherSinksGetEveryBuffer) {
  TErrorHookCapture errors;
  Run(2);
  TLkBasicPin* const source = Form->DnAudioToReal1->OutputPins()->GetPin(0);
  // Served after the adder and the scope, and between them (the scope linked anew behind it).
  for (const bool beforeScope : {false, true}) {
    SCOPED_TRACE(beforeScope ? "before the scope" : "last");
    const std::unique_ptr<TThrowingSink, TComponentDeleter> sink(new TThrowingSink(nullptr));
    ASSERT_TRUE(sink->Input()->Connect(source));
    if (beforeScope) {
      TLkBasicPin* const scope = Form->KvScope3->InputPins()->GetPin(0);
      ASSERT_TRUE(scope->Connect(nullptr));
      ASSERT_TRUE(scope->Connect(source));
    }
    Run(5);
    EXPECT_EQ(sink->Calls.load(), 5);
  }
  Click(*Form->StopButton);
  ExpectNoneLost(12);
  EXPECT_EQ(errors.Errors(), std::vector<std::string>(10, "a buffer send: the sink failed"));
}

TEST_F(ChainFault, APoolThatRefusesMemoryCostsOneTickWithOneReportAndTheChainRunsOn) {
  TErrorHookCapture errors;
  Run(3);
  // The first area the clock thread asks for on its next tick: the tick's own buffer.
  Refusals = 1;
  TKvSmartBufferManager::SetRefusal(RefuseWhileAny);
  Release(1);
  ASSERT_TRUE(WaitUntil([&] { return !errors.Errors().empty(); }));
  EXPECT_EQ(errors.Errors(), std::vector<std::string>{"a clock tick: std::bad_alloc"});
  Run(4);
  Click(*Form->StopButton);
  // The refused tick produced nothing; every other buffer arrived.
  ExpectNoneLost(7);
  EXPECT_EQ(errors.Errors().size(), 1u);
}

TEST_F(ChainFault, AClockHeldUpFor2SecondsCatchesUpWithEveryBuffer) {
  Run(3);
  // The timer's thread gets no time for 2 s; on its absolute schedule it then runs the 2000
  // milliseconds it owes at once, and the clock thread makes their buffers back to back.
  std::this_thread::sleep_for(std::chrono::seconds(2));
  const int64_t intervals = TKvClockTicks::PerMillisecond * 2000 / int64_t(Mirror.Interval);
  int owed = 0;
  for (int ms = 0; ms < 2000; ++ms) {
    Timer.Step(1);
    owed += int(Mirror.Elapse());
  }
  EXPECT_GE(owed, intervals);
  Expected += uint64_t(owed);
  ASSERT_TRUE(WaitUntil([&] { return ReachedWaterfall() == Expected && ReachedScope(2) == Expected; }));
  Run(2);
  Click(*Form->StopButton);
  ExpectNoneLost(Expected);
}

TEST_F(ChainFault, StopDuringATickHeldUpFor2SecondsEndsTheClockWithNothingLost) {
  std::atomic<bool> holdNext{false}, holding{false};
  Form->DnGenericGen1->OnGenerate = [&](TObject*, TRef<IDnAudioBuffer>&, bool&, bool&) {
    ++Produced;
    if (!holdNext.exchange(false)) return;
    holding = true;
    std::this_thread::sleep_for(std::chrono::seconds(2));
  };
  Run(2);
  holdNext = true;
  Release(1);
  ASSERT_TRUE(WaitUntil([&] { return holding.load(); }));
  // Stop waits for the tick in progress, whose buffer still goes all the way.
  Click(*Form->StopButton);
  EXPECT_EQ(TKvClockGen::LiveThreads(), 0);
  for (TDnCommonGen* generator : std::initializer_list<TDnCommonGen*>{Form->DnGenericGen1, Form->DnSignalGen1,
                                                                      Form->DnSignalGen2, Form->DnSignalGen3})
    EXPECT_FALSE(generator->Enabled());
  ExpectNoneLost(3);
}

}  // namespace
