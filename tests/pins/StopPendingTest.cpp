#include "PinTestKit.h"

#include "pins/LkStdTypes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <random>
#include <thread>

namespace {

using TOwned = std::unique_ptr<TTestComponent, TComponentDeleter>;

// A source and a sink of one component, and three boolean state pins of which two form a group
// that stays (so that its lock can be stopped while the third comes and goes).
struct TStopFixture {
  TOwned Owner{new TTestComponent};
  TTestSource& Source = Owner->AddSource({TypeA});
  TTestSink& Sink = Owner->AddSink({TypeA});
  TLkPinPtr<TLkBoolStatePin> Joiner{new TLkBoolStatePin(Owner.get(), nullptr)};
  TLkPinPtr<TLkBoolStatePin> First{new TLkBoolStatePin(Owner.get(), nullptr)};
  TLkPinPtr<TLkBoolStatePin> Second{new TLkBoolStatePin(Owner.get(), nullptr)};
  TLkStateDispatcher* Group = nullptr;

  TStopFixture() {
    Owner->SetName("Stopped");
    EXPECT_TRUE(First->JoinState(Second.get()));
    Group = First->Dispatcher();
  }
  size_t SinkReceived() {
    std::lock_guard lock(Sink.Records);
    return Sink.Received.size();
  }
  size_t SourceReceived() {
    std::lock_guard lock(Source.Records);
    return Source.Received.size();
  }
  // The two ends of the stream link agree, and the joiner is in the group exactly when the group
  // lists it.
  void ExpectConsistent() {
    EXPECT_EQ(Sink.GetSource() == &Source, Source.IsLinkedTo(&Sink));
    EXPECT_EQ(Source.GetSinkCount(), Sink.GetSource() ? 1 : 0);
    const std::vector<TLkStateDispatcher::TMember> members = Group->Members();
    const bool listed =
        std::any_of(members.begin(), members.end(), [&](const auto& member) { return member.Member == Joiner.get(); });
    EXPECT_EQ(Joiner->IsInGroup(Group), listed);
    EXPECT_EQ(members.size(), listed ? 3u : 2u);
  }
};

// Runs `call` on another thread (which holds no stop) and answers its result.
template <class Call>
auto OnOtherThread(Call call) {
  return std::async(std::launch::async, call).get();
}

TEST(StopPending, ALinkIsRefusedWhileAStopIsPendingOnTheSourceOrTheSinkAndNothingChanges) {
  TStopFixture f;
  for (TLkObject* stopped : std::initializer_list<TLkObject*>{&f.Source, &f.Sink}) {
    SCOPED_TRACE(stopped == &f.Source ? "stop on the source" : "stop on the sink");
    {
      const TLkLockSection stop = stopped->Lock().StopLock();
      ASSERT_TRUE(stop);
      EXPECT_FALSE(OnOtherThread([&] { return f.Sink.Connect(&f.Source); }));
      EXPECT_FALSE(OnOtherThread([&] { return f.Source.Connect(&f.Sink); }));
      EXPECT_EQ(f.Sink.GetSource(), nullptr);
      EXPECT_FALSE(f.Source.IsLinkedTo(&f.Sink));
    }
    // Once the stop ends, the same call links.
    EXPECT_TRUE(OnOtherThread([&] { return f.Sink.Connect(&f.Source); }));
    EXPECT_TRUE(f.Source.IsLinkedTo(&f.Sink));
    EXPECT_TRUE(f.Sink.Connect(nullptr));
    f.ExpectConsistent();
  }
}

TEST(StopPending, SendsAreRefusedWhileAStopIsPendingOnTheSendingPin) {
  TStopFixture f;
  ASSERT_TRUE(f.Sink.Connect(&f.Source));
  const size_t downstream = f.SinkReceived();
  const size_t upstream = f.SourceReceived();
  {
    const TLkLockSection stop = f.Source.Lock().StopLock();
    OnOtherThread([&] { return f.Source.Notify(*MakeRef<TLkNotifyOperation>()); });
    EXPECT_EQ(f.SinkReceived(), downstream);
  }
  {
    const TLkLockSection stop = f.Sink.Lock().StopLock();
    OnOtherThread([&] { return f.Sink.Notify(*MakeRef<TLkNotifyOperation>()); });
    EXPECT_EQ(f.SourceReceived(), upstream);
  }
  OnOtherThread([&] { return f.Source.Notify(*MakeRef<TLkNotifyOperation>()); });
  OnOtherThread([&] { return f.Sink.Notify(*MakeRef<TLkNotifyOperation>()); });
  EXPECT_EQ(f.SinkReceived(), downstream + 1);
  EXPECT_EQ(f.SourceReceived(), upstream + 1);
}

TEST(StopPending, JoiningAGroupIsRefusedWhileAStopIsPendingOnItAndLeavesNoGroupBehind) {
  TStopFixture f;
  {
    const TLkLockSection stop = f.Group->Lock().StopLock();
    EXPECT_FALSE(OnOtherThread([&] { return f.Joiner->JoinState(f.First.get()); }));
    EXPECT_FALSE(OnOtherThread([&] { return f.Joiner->JoinStateByName(f.Group->Name()); }));
    EXPECT_FALSE(f.Joiner->IsStateLinked());
  }
  // Refused by name without a second group of that name; once the stop ends, the join is made.
  EXPECT_EQ(TLkStateDispatcher::Find(f.Group->Name(), false), f.Group);
  EXPECT_TRUE(OnOtherThread([&] { return f.Joiner->JoinState(f.First.get()); }));
  f.ExpectConsistent();
}

// Threads link and unlink, send, and join and leave a group, while another takes stops on the locks
// of every pin and of the group. Each call either does its work or is refused; afterwards both ends
// of every link agree (and ThreadSanitizer and AddressSanitizer see no fault on the way).
TEST(StopPending, LinksSendsAndJoinsUnderRandomStopsStayConsistent) {
  TStopFixture f;
  constexpr int Rounds = 3000;
  std::atomic<bool> done{false};
  std::atomic<int> linked{0}, refused{0};
  // Stops come and go, so that the workers meet both pending stops and free locks. A refused call
  // is fast: the worker waits for the next stop before it goes on, lest it race through one stop.
  std::atomic<int> stops{0};
  auto refusal = [&] {
    ++refused;
    for (const int seen = stops; stops == seen;) std::this_thread::yield();
  };
  std::thread stopper([&] {
    std::mt19937 random(7);
    TLkObject* locks[] = {&f.Source, &f.Sink, f.Joiner.get(), f.Group};
    while (!done) {
      {
        const TLkLockSection stop = locks[random() % 4]->Lock().StopLock();
        for (int i = 0; i < 20; ++i) std::this_thread::yield();
      }
      ++stops;
      for (int i = 0; i < 20; ++i) std::this_thread::yield();
    }
  });
  std::thread linker([&] {
    for (int i = 0; i < Rounds; ++i) {
      if (f.Sink.Connect(&f.Source)) ++linked;
      else refusal();
      EXPECT_TRUE(f.Sink.Connect(nullptr));  // unlinking is never refused
    }
  });
  std::thread sender([&] {
    for (int i = 0; i < Rounds; ++i) {
      f.Source.Notify(*MakeRef<TLkNotifyOperation>());
      f.Sink.Notify(*MakeRef<TLkNotifyOperation>());
    }
  });
  std::thread joiner([&] {
    for (int i = 0; i < Rounds; ++i) {
      if (f.Joiner->JoinState(f.First.get())) ++linked;
      else refusal();
      f.Joiner->LeaveGroup();
    }
  });
  linker.join();
  sender.join();
  joiner.join();
  done = true;
  stopper.join();
  EXPECT_EQ(linked + refused, 2 * Rounds);
  f.ExpectConsistent();
  EXPECT_EQ(f.Sink.GetSource(), nullptr);
  EXPECT_FALSE(f.Joiner->IsStateLinked());
}

}  // namespace
