#include "PinTestKit.h"

#include "buffers/KvSimpleDataBuffer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

namespace {

using TOwned = std::unique_ptr<TTestComponent, TComponentDeleter>;

class Dispatch : public ::testing::Test {
protected:
  void SetUp() override { RegisterTestConverter(); }
  // Sends one operation and answers the order in which the sinks were reached, by index.
  std::vector<int> Send(TTestSource& source, const std::vector<TTestSink*>& sinks) {
    std::vector<int> order;
    const size_t before = source.Sent.size();
    source.Notify(*MakeRef<TLkClockOperation>());
    for (size_t i = before; i < source.Sent.size(); ++i)
      for (size_t s = 0; s < sinks.size(); ++s)
        if (source.Sent[i].first == sinks[s]) order.push_back(int(s));
    return order;
  }
  TOwned A{new TTestComponent}, B{new TTestComponent};
};

TEST_F(Dispatch, ASinkThatAsksToBeServedLaterDriftsBackAndItsWeightDecays) {
  TTestSource& source = A->AddSource({TypeA});
  std::vector<TTestSink*> sinks;
  for (int i = 0; i < 3; ++i) {
    sinks.push_back(&B->AddSink({TypeA}));
    ASSERT_TRUE(sinks.back()->Connect(&source));
  }
  sinks[1]->Answer = lkServeLater;
  EXPECT_EQ(Send(source, sinks), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Send(source, sinks), (std::vector<int>{0, 2, 1}));
  sinks[1]->Answer = 0;
  // Weight: 4 per request, minus 1 per send; after two requests it needs seven sends to reach 0.
  for (int i = 0; i < 7; ++i) EXPECT_EQ(Send(source, sinks), (std::vector<int>{0, 2, 1})) << i;
  // Back at 0 it stays where it is, and the next one that asks goes behind it.
  sinks[2]->Answer = lkServeLater;
  EXPECT_EQ(Send(source, sinks), (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(Send(source, sinks), (std::vector<int>{0, 1, 2}));
  // Only the last recipient of a send is marked last.
  const auto& last = source.Sent.back().second;
  EXPECT_EQ(last.Flags, lkLast);
  EXPECT_EQ(source.Sent[source.Sent.size() - 2].second.Flags, 0);
}

TEST_F(Dispatch, AnAfterPinIsAlwaysServedAfterItsPin) {
  TTestSource& source = A->AddSource({TypeA});
  TTestSink& later = B->AddSink({TypeA});
  TTestSink& first = B->AddSink({TypeA});
  TTestSink& other = B->AddSink({TypeA});
  ASSERT_TRUE(source.Connect(&first));
  ASSERT_TRUE(source.ConnectAfter(&later, &first));
  ASSERT_TRUE(source.Connect(&other));
  first.Answer = lkServeLater;
  const std::vector<TTestSink*> sinks{&first, &later, &other};
  for (int i = 0; i < 6; ++i) {
    const std::vector<int> order = Send(source, sinks);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_LT(std::find(order.begin(), order.end(), 0), std::find(order.begin(), order.end(), 1)) << i;
  }
}

TEST_F(Dispatch, ASharedConverterRunsOncePerSendAndFeedsBothSinks) {
  TTestSource& source = A->AddSource({TypeA});
  TTestSink& first = B->AddSink({TypeB});
  TTestSink& second = B->AddSink({TypeB});
  ASSERT_TRUE(first.Connect(&source));
  ASSERT_TRUE(second.Connect(&source));
  first.Received.clear();
  second.Received.clear();
  const int before = TTestConverter::Forwarded;
  source.Notify(*MakeRef<TLkClockOperation>());
  EXPECT_EQ(TTestConverter::Forwarded - before, 1);
  ASSERT_EQ(first.Received.size(), 1u);
  ASSERT_EQ(second.Received.size(), 1u);
  EXPECT_EQ(first.Received[0].Type, TypeB);
  EXPECT_EQ(first.Received[0].OperationId, second.Received[0].OperationId);
}

TEST_F(Dispatch, ALinkCycleStopsAfterTwoHundredNestedSendsAndThePinWorksAgain) {
  // A component whose output is linked back into its own input, without the dependency check.
  TTestSource& output = A->AddSource({TypeA});
  TTestSink& input = A->AddSink({TypeA});
  ASSERT_TRUE(input.Connect(&output));
  int nested = 0;
  input.OnReceive = [&](TLkNotifyOperation& operation) {
    ++nested;
    output.Notify(operation);
  };
  EXPECT_THROW(output.Notify(*MakeRef<TLkClockOperation>()), ELkException);
  EXPECT_EQ(nested, 201);
  input.OnReceive = nullptr;
  input.Received.clear();
  EXPECT_NO_THROW(output.Notify(*MakeRef<TLkClockOperation>()));
  EXPECT_EQ(input.Received.size(), 1u);
  try {
    input.OnReceive = [&](TLkNotifyOperation& operation) { output.Notify(operation); };
    output.Notify(*MakeRef<TLkClockOperation>());
  } catch (const ELkException& error) {
    EXPECT_STREQ(error.what(), "The pin depends on itself. Please protect with functional dependency.");
  }
}

TEST_F(Dispatch, APinWhoseDestructionBegunCallsNothing) {
  TTestSource& source = A->AddSource({TypeA});
  TTestSink& sink = B->AddSink({TypeA});
  ASSERT_TRUE(sink.Connect(&source));
  sink.Received.clear();
  {
    TLkDestroySection destroying = source.DestroyLock().Lock();
    source.Notify(*MakeRef<TLkClockOperation>());
    TLkDestroySection sinkDestroying = sink.DestroyLock().Lock();
    EXPECT_EQ(sink.Notify(*MakeRef<TLkClockOperation>()), 0);
  }
  EXPECT_TRUE(sink.Received.empty());
  EXPECT_TRUE(source.Received.empty());
}

TEST_F(Dispatch, ASinkSendsUpstreamToItsLogicalSource) {
  TTestSource& source = A->AddSource({TypeA});
  TTestSink& direct = B->AddSink({TypeA});
  TTestSink& converted = B->AddSink({TypeB});
  ASSERT_TRUE(direct.Connect(&source));
  ASSERT_TRUE(converted.Connect(&source));
  direct.Notify(*MakeRef<TLkStartOperation>());
  converted.Notify(*MakeRef<TLkStartOperation>());
  ASSERT_EQ(source.Received.size(), 2u);
  EXPECT_EQ(source.Received[0].Type, TypeA);
  EXPECT_EQ(source.Received[0].Flags, lkLast);
  // Through its own handler for its own type, straight to the source.
  EXPECT_EQ(source.Received[1].Type, TypeB);
}

TEST(Operations, DescendantsAreRecognisedAsTheirAncestorsAndIdsCount) {
  const TRef<TLkNotifyOperation> buffer = MakeRef<TLkSuppliedBufferOperation>(nullptr);
  EXPECT_NE(OperationAs<TLkClockOperation>(*buffer), nullptr);
  EXPECT_NE(OperationAs<TLkSuppliedOperation>(*buffer), nullptr);
  EXPECT_EQ(OperationAs<TLkStartOperation>(*buffer), nullptr);
  const TRef<TLkNotifyOperation> endStop = MakeRef<TLkEndStopOperation>();
  EXPECT_NE(OperationAs<TLkStopOperation>(*endStop), nullptr);
  EXPECT_GT(endStop->Id(), buffer->Id());
  const TRef<TLkStartWaveOperation> wave = MakeRef<TLkStartWaveOperation>(TDnWaveFormat::Pcm(2, 16, 44100, 3), false);
  EXPECT_EQ(wave->SampleRate, 44100.0);
  EXPECT_EQ(wave->Rate, 44100.0f);
  EXPECT_NE(OperationAs<TLkStartOperation>(*wave), nullptr);
}

TEST(Operations, ASuppliedBufferKeepsTheDataBufferInterfaceOfWhatItIsGiven) {
  const TRef<IKvRealBuffer> real = MakeRef<TKvRealBuffer>(4);
  const TRef<TLkSuppliedBufferOperation> supplied = MakeRef<TLkSuppliedBufferOperation>(real);
  EXPECT_EQ(supplied->Buffer.Get(), static_cast<IKvDataBuffer*>(real.Get()));
  EXPECT_EQ(real->RefCount(), 2);  // travels by reference
  EXPECT_EQ(Supports<IKvRealBuffer>(supplied->Buffer), real);
}

// One thread sends as fast as it can through a source whose sinks (some behind a shared converter)
// belong to components that the other thread links, unlinks and destroys. Every receipt checks
// that the sink's owner is alive.
struct TMortal : TTestComponent {
  static constexpr uint64_t AliveMark = 0xA11CE5A11CE5A11CULL;
  std::atomic<uint64_t> Mark{AliveMark};
  ~TMortal() override { Mark = 0; }
};

TEST(DispatchStress, SendsWhileSinksAreLinkedUnlinkedAndDestroyed) {
  RegisterTestConverter();
  std::unique_ptr<TTestComponent, TComponentDeleter> producer(new TTestComponent);
  TTestSource& source = producer->AddSource({TypeA});
  std::atomic<bool> done{false};
  std::atomic<long> sends{0};
  std::atomic<long> receipts{0};
  std::thread sender([&] {
    while (!done) {
      source.Notify(*MakeRef<TLkClockOperation>());
      ++sends;
    }
  });
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::unique_ptr<TMortal, TComponentDeleter>> consumers;
    for (int c = 0; c < 3; ++c) {
      auto* consumer = new TMortal;
      consumers.emplace_back(consumer);
      for (const TGUID& type : {TypeA, TypeB, TypeB}) {
        TTestSink& sink = consumer->AddSink({type});
        sink.OnReceive = [consumer, &receipts](TLkNotifyOperation&) {
          EXPECT_EQ(consumer->Mark.load(), TMortal::AliveMark);
          ++receipts;
        };
        EXPECT_TRUE(sink.Connect(&source));
      }
    }
    // Unlink some, relink some, then destroy all while the sender runs.
    for (auto& consumer : consumers)
      for (auto& pin : consumer->Pins)
        if (random() % 2) {
          EXPECT_TRUE(static_cast<TTestSink&>(*pin).Connect(nullptr));
        }
    for (auto& consumer : consumers)
      for (auto& pin : consumer->Pins)
        if (random() % 2) {
          EXPECT_TRUE(static_cast<TTestSink&>(*pin).Connect(&source));
        }
    consumers.clear();
  }
  done = true;
  sender.join();
  EXPECT_GT(sends.load(), 0);
  EXPECT_EQ(source.GetSinkCount(), 0);
  EXPECT_EQ(source.ConverterCount(), 0);
}

}  // namespace
