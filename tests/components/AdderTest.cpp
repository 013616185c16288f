#include "ComponentTestKit.h"

#include "components/KvAdd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

namespace {

// `count` samples of input `input`'s buffer number `buffer`: every sample says where it came from.
std::vector<double> Samples(int input, int buffer, uint32_t count) {
  std::vector<double> samples(count);
  for (uint32_t i = 0; i < count; ++i) samples[i] = std::pow(1000.0, input) * (buffer * 10000 + i + 1);
  return samples;
}

std::vector<double> Sum(const std::vector<std::vector<double>>& parts) {
  std::vector<double> sum(parts.front().size());
  for (const auto& part : parts)
    for (size_t i = 0; i < sum.size(); ++i) sum[i] += part[i];
  return sum;
}

struct Adder : ::testing::Test {
  TOwned<TKvAdd> Add{new TKvAdd(nullptr)};
  TOwned<TRealRecorder> Out{new TRealRecorder};
  std::vector<TOwned<TRealSource>> In;

  // `count` inputs, the first `linked` of them linked to a source each.
  void SetUp(int count, int linked) {
    Add->InputPins()->SetCount(count);
    for (int i = 0; i < linked; ++i) {
      In.emplace_back(new TRealSource);
      ASSERT_TRUE(Add->InputPins()->GetPin(i)->Connect(In.back()->Output()));
    }
    ASSERT_TRUE(Out->Input()->Connect(Add->OutputPin()));
  }
  void SetUp() override {}
};

TEST_F(Adder, ThreeInputsEmitOneSumOnEveryThirdBufferWhenTheThirdArrives) {
  SetUp(3, 3);
  for (auto& source : In) source->Start(44100);
  EXPECT_EQ(Out->Events(), std::vector<std::string>{"start sample rate 44100"});
  for (int round = 0; round < 3; ++round) {
    for (int input = 0; input < 3; ++input) {
      EXPECT_EQ(Out->BufferCount(), size_t(round)) << round << " " << input;
      In[size_t(input)]->Send(Samples(input, round, 1024));
    }
    ASSERT_EQ(Out->BufferCount(), size_t(round + 1));
    EXPECT_EQ(Out->Buffers().back(), Sum({Samples(0, round, 1024), Samples(1, round, 1024), Samples(2, round, 1024)}));
  }
}

TEST_F(Adder, ShortBuffersAreCollectedAndLongOnesEmitUntilTheQueuesRunShort) {
  SetUp(2, 2);
  for (auto& source : In) source->Start(44100);
  // 512 samples each: a sum once every input has received two.
  for (int round = 0; round < 2; ++round)
    for (int input = 0; input < 2; ++input) In[size_t(input)]->Send(Samples(input, round, 512));
  ASSERT_EQ(Out->BufferCount(), 1u);
  std::vector<double> first = Samples(0, 0, 512), second = Samples(1, 0, 512);
  const auto more0 = Samples(0, 1, 512), more1 = Samples(1, 1, 512);
  first.insert(first.end(), more0.begin(), more0.end());
  second.insert(second.end(), more1.begin(), more1.end());
  EXPECT_EQ(Out->Buffers()[0], Sum({first, second}));

  // 3072 samples each, again and again: three sums per round, and nothing piles up until the
  // queues drop data (200 rounds would overflow a queue emitted from once per buffer).
  Out->Clear();
  for (int round = 0; round < 200; ++round)
    for (int input = 0; input < 2; ++input) In[size_t(input)]->Send(Samples(input, round, 3072));
  const auto buffers = Out->Buffers();
  ASSERT_EQ(buffers.size(), 600u);
  const auto last = Sum({Samples(0, 199, 3072), Samples(1, 199, 3072)});
  EXPECT_EQ(buffers.back(), std::vector<double>(last.end() - 1024, last.end()));
}

TEST_F(Adder, AnUnlinkedInputTakesNoPartAndAStartedInputNeedsItsCount) {
  SetUp(3, 2);
  for (auto& source : In) source->Start(44100);
  In[0]->Send(Samples(0, 0, 1024));
  In[1]->Send(Samples(1, 0, 1024));
  ASSERT_EQ(Out->BufferCount(), 1u);
  EXPECT_EQ(Out->Buffers()[0], Sum({Samples(0, 0, 1024), Samples(1, 0, 1024)}));
}

TEST_F(Adder, ALateInputIsPassiveUntilItStartsThenIncludedOnceItHoldsItsCount) {
  SetUp(3, 3);
  In[0]->Start(44100);
  In[1]->Start(44100);
  In[0]->Send(Samples(0, 0, 1024));
  In[1]->Send(Samples(1, 0, 1024));
  ASSERT_EQ(Out->BufferCount(), 1u);  // input 2 is linked but passive
  EXPECT_EQ(Out->Buffers()[0], Sum({Samples(0, 0, 1024), Samples(1, 0, 1024)}));

  In[2]->Start(44100);
  EXPECT_EQ(Add->StreamRate(), 44100);
  In[0]->Send(Samples(0, 1, 1024));
  In[1]->Send(Samples(1, 1, 1024));
  EXPECT_EQ(Out->BufferCount(), 1u);  // started: it holds the emit back now
  In[2]->Send(Samples(2, 1, 1024));
  ASSERT_EQ(Out->BufferCount(), 2u);
  EXPECT_EQ(Out->Buffers()[1], Sum({Samples(0, 1, 1024), Samples(1, 1, 1024), Samples(2, 1, 1024)}));
  // A start is sent once only.
  const std::vector<std::string> events = Out->Events();
  EXPECT_EQ(std::count(events.begin(), events.end(), "start sample rate 44100"), 1);
}

TEST_F(Adder, AnInputAtHalfTheStreamRateIsStretchedByNearestSample) {
  SetUp(2, 2);
  In[0]->Start(44100);
  In[1]->Start(22050);
  In[0]->Send(Samples(0, 0, 1024));
  In[1]->Send(Samples(1, 0, 512));
  ASSERT_EQ(Out->BufferCount(), 1u);
  const std::vector<double> own = Samples(0, 0, 1024), half = Samples(1, 0, 512);
  const std::vector<double> sum = Out->Buffers()[0];
  for (int k = 0; k < 1024; ++k) {
    const auto at = std::min<size_t>(511, size_t(std::nearbyint(k * 511.0 / 1024)));
    ASSERT_EQ(sum[size_t(k)], own[size_t(k)] + half[at]) << k;
  }
}

TEST_F(Adder, BufferSizeChangesWhileRunningAndIsAtLeastOne) {
  SetUp(2, 2);
  for (auto& source : In) source->Start(44100);
  Add->SetBufferSize(256);
  for (int input = 0; input < 2; ++input) In[size_t(input)]->Send(Samples(input, 0, 1024));
  ASSERT_EQ(Out->BufferCount(), 4u);
  for (const auto& buffer : Out->Buffers()) EXPECT_EQ(buffer.size(), 256u);
  for (int size : {0, -5}) {
    Add->SetBufferSize(size);
    EXPECT_EQ(Add->BufferSize(), 1);
  }
}

TEST_F(Adder, AStopOnEveryInputSendsOneStopAndTheNextStartFixesTheRateAgain) {
  SetUp(2, 2);
  for (auto& source : In) source->Start(44100);
  In[0]->Stop();
  EXPECT_TRUE(Add->Started());
  In[1]->Stop();
  EXPECT_FALSE(Add->Started());
  EXPECT_EQ(Add->StreamRate(), 0);
  EXPECT_EQ(Out->Events(), (std::vector<std::string>{"start sample rate 44100", "stop"}));

  // Every input stopped: a buffer that still arrives makes no sum of nobody's samples.
  In[0]->Send(Samples(0, 0, 1024));
  EXPECT_EQ(Out->BufferCount(), 0u);

  Out->Clear();
  In[1]->Start(22050);
  EXPECT_EQ(Add->StreamRate(), 22050);
  EXPECT_EQ(Out->Events(), std::vector<std::string>{"start sample rate 22050"});
}

TEST_F(Adder, InputsWithoutANeededCountSendNothingAndDoNotSpin) {
  SetUp(2, 2);
  // A rate of 0 gives every input a needed count of 0: each is ready, none has anything to give.
  for (auto& source : In) source->Start(0);
  In[0]->Send(Samples(0, 0, 1024));
  In[1]->Send(Samples(1, 0, 1024));
  EXPECT_EQ(Out->BufferCount(), 0u);
}

TEST_F(Adder, AQueueDropsItsOldestBufferAtTheHundredAndFirst) {
  SetUp(2, 2);
  for (auto& source : In) source->Start(44100);
  for (int buffer = 0; buffer < 101; ++buffer) In[0]->Send(Samples(0, buffer, 1024));
  In[1]->Send(Samples(1, 0, 1024));
  ASSERT_EQ(Out->BufferCount(), 1u);
  // Input 0's first buffer is gone: its second is summed with input 1's first.
  EXPECT_EQ(Out->Buffers()[0], Sum({Samples(0, 1, 1024), Samples(1, 0, 1024)}));
}

TEST_F(Adder, PumpRequestsFromDownstreamGoUpstreamThroughEveryLinkedInput) {
  SetUp(3, 2);
  Out->Input()->Notify(*MakeRef<TLkPumpRequestOperation>(nullptr, 43.0f, 0, 2));
  for (auto& source : In) EXPECT_EQ(source->Upstream(), std::vector<std::string>{"pump request 43 priority 0 kind 2"});
}

}  // namespace

namespace {

TEST_F(Adder, InputsFedFromThreadsOfTheirOwnGiveEverySumOnceAndInOrder) {
  SetUp(3, 3);
  for (auto& source : In) source->Start(44100);
  Add->SetBufferSize(256);
  constexpr int Buffers = 400;
  // Producers run at most 50 buffers ahead of the sums, so that no queue drops data.
  std::vector<std::thread> producers;
  for (int input = 0; input < 3; ++input)
    producers.emplace_back([&, input] {
      for (int buffer = 0; buffer < Buffers; ++buffer) {
        ASSERT_TRUE(WaitUntil([&] { return int(Out->BufferCount()) + 50 > buffer; }));
        In[size_t(input)]->Send(std::vector<double>(256, 10.0 * buffer + input));
      }
    });
  for (auto& producer : producers) producer.join();
  const auto sums = Out->Buffers();
  ASSERT_EQ(sums.size(), size_t(Buffers));
  for (int buffer = 0; buffer < Buffers; ++buffer)
    ASSERT_EQ(sums[size_t(buffer)], std::vector<double>(256, 30.0 * buffer + 3)) << buffer;
}

}  // namespace
