#include "PinTestKit.h"

#include "buffers/KvSimpleDataBuffer.h"
#include "pins/KvQueuedSinkPins.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace {

using TOwned = std::unique_ptr<TTestComponent, TComponentDeleter>;

// A real buffer of `count` elements counting up from `first`.
TRef<TKvRealBuffer> Ramp(double first, uint32_t count) {
  const TRef<TKvRealBuffer> buffer = MakeRef<TKvRealBuffer>(count);
  std::iota(buffer->WriteData(), buffer->WriteData() + count, first);
  return buffer;
}

std::vector<double> Values(IKvRealBuffer& buffer) { return {buffer.ReadData(), buffer.ReadData() + buffer.GetCount()}; }

struct QueuedPins : ::testing::Test {
  TOwned Owner{new TTestComponent};
  TLkPinPtr<TKvLkQueuedRealSinkPin> Pin{new TKvLkQueuedRealSinkPin(Owner.get(), nullptr)};
  TKvLkQueuedPinImpl& Queued() { return Pin->Queued(); }
};

TEST_F(QueuedPins, TheNeededCountIsTheBufferSizeAtTheInputsShareOfTheStreamRate) {
  const struct {
    double Own;
    float Stream;
    int32_t Size, Needed;
  } cases[] = {{44100, 44100, 1024, 1024}, {22050, 44100, 1024, 512}, {44100, 22050, 1000, 2000},
               {11025, 44100, 3, 1},  // 0.75 rounds up
               {44100, 44100, 1, 1},       {44100, 0, 1024, 0},       {44100, -1, 1024, 0}};
  for (const auto& c : cases) {
    Queued().SetSampleRate(c.Own);
    Queued().SetNeeded(c.Size, c.Stream);
    EXPECT_EQ(Queued().Needed(), c.Needed) << c.Own << " at " << c.Stream;
  }
}

TEST_F(QueuedPins, FlagsFollowStartStopAndReset) {
  EXPECT_FALSE(Queued().IsStarted());
  Queued().SetSampleRate(48000);
  EXPECT_TRUE(Queued().IsStarted());
  EXPECT_EQ(Queued().GetSampleRate(), 48000);
  Queued().Stop();
  EXPECT_TRUE(Queued().IsStarted());
  EXPECT_TRUE(Queued().IsPassive());
  EXPECT_TRUE(Queued().IsIgnored());
  Queued().SetPassive(false);
  Queued().SetIgnored(false);
  Queued().Reset();
  EXPECT_FALSE(Queued().IsStarted());
  EXPECT_TRUE(Queued().IsPassive());
  EXPECT_TRUE(Queued().IsIgnored());
  // The pin answers for the interface of its state.
  EXPECT_TRUE(Pin->QueryPeerInterface(ILkKvQueuedPin::IID));
}

TEST_F(QueuedPins, TakeOfTheNeededCountCrossesBuffersAndReadinessFollowsTheQueue) {
  Queued().SetSampleRate(44100);
  Queued().SetNeeded(6, 44100);
  Queued().Push(Ramp(0, 4));
  EXPECT_FALSE(Queued().IsReady());
  const TRef<TKvRealBuffer> out = Ramp(100, 6);
  EXPECT_FALSE(Queued().Take(*out));
  EXPECT_EQ(Values(*out), (std::vector<double>{100, 101, 102, 103, 104, 105}));  // untouched
  Queued().Push(Ramp(4, 4));
  EXPECT_TRUE(Queued().IsReady());
  ASSERT_TRUE(Queued().Take(*out));
  EXPECT_EQ(Values(*out), (std::vector<double>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(Queued().Queue().GetCollectedSamples(), 2);
}

TEST_F(QueuedPins, ANeededCountOfZeroLeavesTheBufferAsItIs) {
  Queued().Push(Ramp(0, 8));
  const TRef<TKvRealBuffer> out = Ramp(100, 4);
  EXPECT_TRUE(Queued().IsReady());
  EXPECT_FALSE(Queued().Take(*out));
  EXPECT_EQ(Values(*out), (std::vector<double>{100, 101, 102, 103}));
  EXPECT_EQ(Queued().Queue().GetCollectedSamples(), 8);
}

TEST_F(QueuedPins, AnotherCountIsStretchedOrSqueezedByNearestSample) {
  // The needed count N of the input filled into M elements: element k is sample
  // min(N - 1, nearest(k (N - 1) / M)), worked out here with an exact rational step.
  for (const auto& [own, size] : {std::pair{22050.0, 1024}, {88200.0, 256}, {30000.0, 7}}) {
    Queued().SetSampleRate(own);
    Queued().SetNeeded(size, 44100);
    const int32_t n = Queued().Needed();
    Queued().Push(Ramp(0, uint32_t(n)));
    const TRef<TKvRealBuffer> out = MakeRef<TKvRealBuffer>(uint32_t(size));
    ASSERT_TRUE(Queued().Take(*out));
    for (int k = 0; k < size; ++k) {
      const double position = std::nearbyint(double(k) * (n - 1) / size);
      ASSERT_EQ(out->ReadData()[k], std::min<double>(n - 1, position)) << own << " element " << k;
    }
    EXPECT_EQ(Queued().Queue().GetCollectedSamples(), 0);
  }
}

TEST_F(QueuedPins, TheCombinedQueuedPinsTakeBuffersOfTheKindTheLinkCarries) {
  TLkPinPtr<TKvLkRealSourcePin> reals(new TKvLkRealSourcePin(Owner.get(), nullptr));
  TLkPinPtr<TKvLkIntegerSourcePin> integers(new TKvLkIntegerSourcePin(Owner.get(), nullptr));
  TLkPinPtr<TKvLkQueuedIntegerRealSinkPin> combined(new TKvLkQueuedIntegerRealSinkPin(Owner.get(), nullptr));
  TLkPinPtr<TKvLkComboRealIntComplexPairedQueuedSinkPin> paired(
      new TKvLkComboRealIntComplexPairedQueuedSinkPin(Owner.get(), nullptr));

  ASSERT_TRUE(combined->Connect(reals.get()));
  ASSERT_TRUE(paired->Connect(integers.get()));
  for (auto* queued : {&combined->Queued(), &paired->Queued()}) {
    queued->SetSampleRate(100);
    queued->SetNeeded(4, 100);
  }
  combined->Queued().Push(Ramp(1, 4));
  const TRef<TKvIntegerBuffer> counted = MakeRef<TKvIntegerBuffer>(4);
  std::iota(counted->WriteData(), counted->WriteData() + 4, 7);
  paired->Queued().Push(counted);

  const TRef<IKvDataBuffer> real = combined->Take(8);
  ASSERT_NE(InterfaceOf<IKvRealBuffer>(*real), nullptr);
  // Step 3/8: positions 0, .375, .75, 1.125, 1.5 (to even: 2), 1.875, 2.25, 2.625.
  EXPECT_EQ(Values(*InterfaceOf<IKvRealBuffer>(*real)), (std::vector<double>{1, 1, 2, 2, 3, 3, 3, 4}));
  const TRef<IKvDataBuffer> integer = paired->Take(4);
  auto* values = InterfaceOf<IKvIntegerBuffer>(*integer);
  ASSERT_NE(values, nullptr);
  EXPECT_EQ(std::vector<int32_t>(values->ReadData(), values->ReadData() + 4), (std::vector<int32_t>{7, 8, 9, 10}));
  // Nothing more is queued: no buffer.
  EXPECT_EQ(combined->Take(8), nullptr);
}

}  // namespace
