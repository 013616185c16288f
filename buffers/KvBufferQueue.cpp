#include "buffers/KvBufferQueue.h"

#include <mutex>

void TKvBufferQueue::DropHead() {
  Head().Buffer = nullptr;
  HeadIndex = (HeadIndex + 1) % MaxCount;
  --Count;
}

void TKvBufferQueue::Push(const TRef<IKvDataBuffer>& buffer) {
  std::lock_guard lock(Lock);
  // Making room first drops the same buffer that appending first and trimming would.
  if (Count == MaxCount) {
    CollectedSamples -= int32_t(Head().Buffer->GetCount()) - ReadOffset;
    ReadOffset = 0;
    DropHead();
  }
  Entries[(HeadIndex + Count) % MaxCount].Buffer = buffer;
  ++Count;
  CollectedSamples += int32_t(buffer->GetCount());
}

int32_t TKvBufferQueue::GetCollectedSamples() {
  std::lock_guard lock(Lock);
  return CollectedSamples;
}

uint32_t TKvBufferQueue::HeadCount() {
  std::lock_guard lock(Lock);
  return Count == 0 ? 0 : Head().Buffer->GetCount();
}

void TKvBufferQueue::PopBuffer(TRef<IKvDataBuffer>& buffer) {
  std::lock_guard lock(Lock);
  buffer = nullptr;
  if (Count == 0) return;
  buffer = Head().Buffer;
  CollectedSamples -= int32_t(buffer->GetCount());
  DropHead();
}

bool TKvBufferQueue::Take(IKvDataBuffer& destination) {
  std::lock_guard lock(Lock);
  const int32_t wanted = int32_t(destination.GetCount());
  if (CollectedSamples < wanted) return false;
  int32_t position = 0;
  for (int32_t remaining = wanted; remaining > 0;) {
    IKvDataBuffer& head = *Head().Buffer;
    const int32_t available = int32_t(head.GetCount()) - ReadOffset;
    if (remaining < available) {
      head.CopyTo(uint32_t(ReadOffset), destination, uint32_t(remaining), uint32_t(position));
      ReadOffset += remaining;
      break;
    }
    head.CopyTo(uint32_t(ReadOffset), destination, uint32_t(available), uint32_t(position));
    DropHead();
    position += available;
    ReadOffset = 0;
    remaining -= available;
  }
  CollectedSamples -= wanted;
  return true;
}
