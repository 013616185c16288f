#include "buffers/KvBufferQueue.h"
#include "buffers/KvSimpleDataBuffer.h"
#include "buffers/KvSmartBufferManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <barrier>
#include <thread>
#include <vector>

namespace {

constexpr int Producers = 3;
constexpr int Consumers = 3;
constexpr int Rounds = 300;
constexpr uint32_t Count = 256;

// What producer p puts at element i of its buffer of round r.
double Stamp(int p, int r, uint32_t i) { return p * 1e6 + r * 1e3 + i; }

// In each round every producer creates a buffer, sends it to every consumer's queue and drops its
// own reference at once. Consumers clone what they receive, check it, write into their clone
// (which must copy the shared block first) and check the buffer they received again: no write may
// show through. Rounds end together, so no queue ever overflows.
TEST(Concurrency, ProducersAndConsumersShareBuffersOnlyUntilTheyWrite) {
  const int64_t areasBefore = TKvSmartBufferManager::Instance().AreasInUse();
  std::vector<TKvBufferQueue> queues(Consumers);
  std::barrier roundEnd(Producers + Consumers);
  std::atomic<int> mismatches{0};
  std::atomic<long> received{0};

  std::vector<std::thread> threads;
  for (int p = 0; p < Producers; ++p)
    threads.emplace_back([&, p] {
      for (int r = 0; r < Rounds; ++r) {
        auto buffer = MakeRef<TKvRealBuffer>(Count);
        double* data = buffer->WriteData();
        for (uint32_t i = 0; i < Count; ++i) data[i] = Stamp(p, r, i);
        for (TKvBufferQueue& queue : queues) queue.Push(buffer);
        buffer = nullptr;
        roundEnd.arrive_and_wait();
      }
    });
  for (int c = 0; c < Consumers; ++c)
    threads.emplace_back([&, c] {
      TKvBufferQueue& queue = queues[c];
      const auto check = [&](IKvRealBuffer& buffer) {
        const double first = buffer.GetValue(0);
        for (uint32_t i = 1; i < Count; ++i)
          if (buffer.GetValue(i) != first + i) ++mismatches;
      };
      for (int r = 0; r < Rounds; ++r) {
        for (int got = 0; got < Producers;) {
          TRef<IKvDataBuffer> popped;
          queue.PopBuffer(popped);
          if (!popped) {
            std::this_thread::yield();
            continue;
          }
          ++got;
          ++received;
          const auto original = Supports<IKvRealBuffer>(popped);
          const auto clone = Supports<IKvRealBuffer>(original->Clone());
          check(*clone);
          double* own = clone->ModifyData();
          for (uint32_t i = 0; i < Count; ++i) own[i] = -c - 1;
          check(*original);
          if (clone->GetValue(Count - 1) != -c - 1) ++mismatches;
        }
        roundEnd.arrive_and_wait();
      }
    });
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(received, long(Producers) * Rounds * Consumers);
  queues.clear();
  EXPECT_EQ(TKvSmartBufferManager::Instance().AreasInUse(), areasBefore);
}

}  // namespace
