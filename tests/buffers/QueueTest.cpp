#include "buffers/KvBufferQueue.h"
#include "buffers/KvRealQueue.h"
#include "buffers/KvSimpleDataBuffer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Real buffers of 1024 elements whose values tell which buffer and element they are: n * 10000 + i.
TRef<IKvDataBuffer> Numbered(int n, uint32_t count = 1024) {
  auto buffer = MakeRef<TKvRealBuffer>(count);
  for (uint32_t i = 0; i < count; ++i) buffer->WriteData()[i] = n * 10000 + i;
  return buffer;
}

std::vector<double> Values(IKvRealBuffer& buffer) {
  return std::vector<double>(buffer.ReadData(), buffer.ReadData() + buffer.GetCount());
}

// The values that elements [from, from + count) of buffer n hold.
std::vector<double> Expected(int n, uint32_t from, uint32_t count) {
  std::vector<double> values;
  for (uint32_t i = from; i < from + count; ++i) values.push_back(n * 10000 + i);
  return values;
}

class BufferQueue : public ::testing::Test {
protected:
  void PushThree() {
    for (int n = 0; n < 3; ++n) Queue.Push(Numbered(n));
  }
  TKvBufferQueue Queue;
};

TEST_F(BufferQueue, TakeCopiesAcrossBufferBoundaries) {
  PushThree();
  ASSERT_EQ(Queue.GetCollectedSamples(), 3072);
  const auto destination = MakeRef<TKvRealBuffer>(1500);
  ASSERT_TRUE(Queue.Take(*destination));
  std::vector<double> expected = Expected(0, 0, 1024);
  const std::vector<double> second = Expected(1, 0, 476);
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_EQ(Values(*destination), expected);
  EXPECT_EQ(Queue.GetCollectedSamples(), 1572);
  EXPECT_EQ(Queue.HeadCount(), 1024u);

  // The next take starts at element 476 of the second buffer.
  const auto rest = MakeRef<TKvRealBuffer>(548);
  ASSERT_TRUE(Queue.Take(*rest));
  EXPECT_EQ(Values(*rest), Expected(1, 476, 548));
  EXPECT_EQ(Queue.GetCollectedSamples(), 1024);
}

TEST_F(BufferQueue, TakeOfMoreThanIsCollectedChangesNothing) {
  Queue.Push(Numbered(0));
  Queue.Push(Numbered(1, 975));
  const auto first = MakeRef<TKvRealBuffer>(100);
  ASSERT_TRUE(Queue.Take(*first));
  ASSERT_EQ(Queue.GetCollectedSamples(), 1899);
  const auto tooMany = MakeRef<TKvRealBuffer>(1900);
  std::fill_n(tooMany->WriteData(), 1900, -1.0);
  EXPECT_FALSE(Queue.Take(*tooMany));
  EXPECT_EQ(tooMany->GetValue(0), -1);
  EXPECT_EQ(Queue.GetCollectedSamples(), 1899);
  const auto all = MakeRef<TKvRealBuffer>(1899);
  ASSERT_TRUE(Queue.Take(*all));
  EXPECT_EQ(all->GetValue(0), 100);
  EXPECT_EQ(all->GetValue(1898), 10974);
  EXPECT_EQ(Queue.HeadCount(), 0u);
}

TEST_F(BufferQueue, ATakeOfNothingSucceedsAndChangesNothing) {
  const auto nothing = MakeRef<TKvRealBuffer>(0);
  EXPECT_TRUE(Queue.Take(*nothing));
  PushThree();
  EXPECT_TRUE(Queue.Take(*nothing));
  EXPECT_EQ(Queue.GetCollectedSamples(), 3072);
  EXPECT_EQ(Queue.HeadCount(), 1024u);
}

TEST_F(BufferQueue, TheHundredAndFirstBufferDropsTheOldestWithItsUntakenElements) {
  Queue.Push(Numbered(0));
  const auto taken = MakeRef<TKvRealBuffer>(476);
  ASSERT_TRUE(Queue.Take(*taken));
  for (int n = 1; n < 100; ++n) Queue.Push(Numbered(n));
  ASSERT_EQ(Queue.GetCollectedSamples(), 100 * 1024 - 476);
  Queue.Push(Numbered(100));
  EXPECT_EQ(Queue.GetCollectedSamples(), 100 * 1024 - 476 - 548 + 1024);
  // The read offset went with the dropped buffer: the next take starts at buffer 1, element 0.
  const auto next = MakeRef<TKvRealBuffer>(2);
  ASSERT_TRUE(Queue.Take(*next));
  EXPECT_EQ(Values(*next), Expected(1, 0, 2));
}

TEST_F(BufferQueue, QueuedBuffersAreSharedNotCopied) {
  const TRef<IKvDataBuffer> buffer = Numbered(7);
  const uint8_t* data = static_cast<const uint8_t*>(buffer->Read());
  Queue.Push(buffer);
  EXPECT_EQ(buffer->RefCount(), 2);
  TRef<IKvDataBuffer> popped;
  Queue.PopBuffer(popped);
  EXPECT_EQ(popped, buffer);
  EXPECT_EQ(popped->Read(), data);
  EXPECT_EQ(Queue.GetCollectedSamples(), 0);
  Queue.PopBuffer(popped);
  EXPECT_FALSE(popped);
  EXPECT_EQ(Queue.HeadCount(), 0u);
}

TEST_F(BufferQueue, ADestinationThatSharesItsBlockGetsItsOwnCopy) {
  PushThree();
  const auto destination = MakeRef<TKvRealBuffer>(10);
  std::fill_n(destination->WriteData(), 10, -1.0);
  const TRef<IKvDataBuffer> sharer = destination->Clone();
  ASSERT_TRUE(Queue.Take(*destination));
  EXPECT_EQ(destination->GetValue(9), 9);
  EXPECT_EQ(Supports<IKvRealBuffer>(sharer)->GetValue(9), -1);
}

TEST(RealQueue, KeepsValuesInOrderWithIndexedAccess) {
  TKvRealQueue queue;
  EXPECT_EQ(queue.Push(1.5), 0);
  EXPECT_EQ(queue.Push(2.5), 1);
  EXPECT_EQ(queue.Push(3.5), 2);
  queue.SetItem(2, -1);
  queue.Drop();
  EXPECT_EQ(queue.GetCount(), 2);
  EXPECT_EQ(queue.GetItem(0), 2.5);
  EXPECT_EQ(queue.GetItem(1), -1);
  EXPECT_THROW(queue.GetItem(2), EListError);
  EXPECT_THROW(queue.SetItem(-1, 0), EListError);
  queue.Clear();
  EXPECT_EQ(queue.GetCount(), 0);
  EXPECT_THROW(queue.Drop(), EListError);
  EXPECT_EQ(queue.Push(4), 0);
}

}  // namespace
