#pragma once

#include "buffers/KvDataInterfaces.h"
#include "platform/LkSync.h"

#include <array>
#include <cstdint>

// One queued buffer: the reference that keeps it alive while it waits.
struct TKvBufferWrapper {
  TRef<IKvDataBuffer> Buffer;
};

// A first-in, first-out queue of data buffers between a delivering thread and a consumer, with a
// running count of the elements not yet taken. It holds at most 100 buffers: a stalled consumer
// loses the oldest data instead of holding ever more memory. Buffers are queued by reference;
// only Take copies samples. Every operation runs inside the queue's critical section.
class TKvBufferQueue {
public:
  static constexpr int32_t MaxCount = 100;

  // Appends the buffer; past 100 buffers the oldest is dropped with its untaken elements.
  void Push(const TRef<IKvDataBuffer>& buffer);
  int32_t GetCollectedSamples();
  // The element count of the oldest buffer; 0 when the queue is empty.
  uint32_t HeadCount();
  // The oldest buffer, whole (a partly taken one too), removed from the queue; none when empty.
  void PopBuffer(TRef<IKvDataBuffer>& buffer);
  // Copies as many elements as the destination holds from the front of the queue into it, across
  // buffer boundaries. False, changing nothing, when fewer are collected.
  bool Take(IKvDataBuffer& destination);

private:
  // Removes the oldest buffer. Lock held.
  void DropHead();
  TKvBufferWrapper& Head() { return Entries[HeadIndex]; }

  TLkCriticalSection Lock;
  // A ring of MaxCount entries, so that queueing never allocates.
  std::array<TKvBufferWrapper, MaxCount> Entries;
  int32_t HeadIndex = 0;
  int32_t Count = 0;
  int32_t CollectedSamples = 0;
  int32_t ReadOffset = 0;  // elements of the oldest buffer already taken
};
