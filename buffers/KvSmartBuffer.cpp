#include "buffers/KvSmartBuffer.h"

#include "buffers/BufferErrors.h"
#include "vector/PrimitiveBinding.h"

#include <bit>

uint32_t BlockCapacity(uint64_t bytes) {
  constexpr uint64_t Largest = uint64_t(1) << 30;
  if (bytes > Largest) throw EBufferSizeError(bytes);
  return uint32_t(std::max<uint64_t>(std::bit_ceil(bytes), 4));
}

TKvSmartBuffer::TKvSmartBuffer(uint32_t capacity)
    : Data_(static_cast<uint8_t*>(TKvSmartBufferManager::Instance().Take(capacity))), Capacity_(capacity) {}

TKvSmartBuffer::~TKvSmartBuffer() { TKvSmartBufferManager::Instance().Return(Data_, Capacity_); }

void TKvSmartBuffer::AddHolder(bool writer) {
  std::lock_guard lock(Guard);
  if (writer) ++Writers_;
  ++Holders_;
}

void TKvSmartBuffer::RemoveHolder(bool writer) {
  {
    std::lock_guard lock(Guard);
    if (writer && Writers_ > 0) --Writers_;
    if (Holders_ <= 0 || --Holders_ > 0) return;
  }
  delete this;
}

void TKvSmartBuffer::DropWriter() {
  std::lock_guard lock(Guard);
  if (Writers_ > 0) --Writers_;
}

bool TKvSmartBuffer::IsExclusive() const {
  std::lock_guard lock(Guard);
  return Writers_ < 2;
}

int32_t TKvSmartBuffer::Holders() const {
  std::lock_guard lock(Guard);
  return Holders_;
}

int32_t TKvSmartBuffer::Writers() const {
  std::lock_guard lock(Guard);
  return Writers_;
}

void TKvSmartBuffer::CopyInto(TKvSmartBuffer& copy, uint32_t bytes) const {
  if (bytes > 0) Primitives::BoundPrimitives().Buffer.ippsCopy_8u(Data_, copy.Data_, int(bytes));
}

TKvSmartBuffer* TKvSmartMemoryBuffer::Duplicate(uint32_t keepBytes) const {
  auto* copy = new TKvSmartMemoryBuffer(Capacity());
  CopyInto(*copy, keepBytes);
  return copy;
}
