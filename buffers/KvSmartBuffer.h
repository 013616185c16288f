#pragma once

#include "buffers/KvSmartBufferManager.h"

#include <cstdint>
#include <mutex>

// The capacity of a block for a request of `bytes`: the smallest power of two from 4 to 2^30 that
// holds it. Raises EBufferSizeError above 2^30, so that a large count never wraps around to a
// small block.
uint32_t BlockCapacity(uint64_t bytes);

// A block: one pooled, 32-byte aligned memory area shared by every buffer that refers to it. Its
// holders are those buffers; its writers are the holders that may write in place. A block whose
// writers are fewer than two is exclusive: its one writer may change it without a copy.
class TKvSmartBuffer : public TKvPooled {
public:
  TKvSmartBuffer(const TKvSmartBuffer&) = delete;
  TKvSmartBuffer& operator=(const TKvSmartBuffer&) = delete;

  uint8_t* Data() const { return Data_; }
  uint32_t Capacity() const { return Capacity_; }

  void AddHolder(bool writer);
  // The block destroys itself when its last holder goes.
  void RemoveHolder(bool writer);
  void DropWriter();
  bool IsExclusive() const;
  int32_t Holders() const;
  int32_t Writers() const;

  // A new block of the same class and capacity with no holders, holding a copy of the first
  // `keepBytes` bytes (the rest is unspecified).
  virtual TKvSmartBuffer* Duplicate(uint32_t keepBytes) const = 0;

  // The area goes back to the pool, then the block itself.
  virtual ~TKvSmartBuffer();

protected:
  explicit TKvSmartBuffer(uint32_t capacity);
  // Copies `bytes` from the start of this block's area into `copy`'s.
  void CopyInto(TKvSmartBuffer& copy, uint32_t bytes) const;

private:
  mutable std::mutex Guard;  // both counts
  int32_t Holders_ = 0;
  int32_t Writers_ = 0;
  uint8_t* const Data_;
  const uint32_t Capacity_;
};

// The block of the sample buffers.
class TKvSmartMemoryBuffer final : public TKvSmartBuffer {
public:
  // `capacity` comes from BlockCapacity.
  explicit TKvSmartMemoryBuffer(uint32_t capacity) : TKvSmartBuffer(capacity) {}
  TKvSmartBuffer* Duplicate(uint32_t keepBytes) const override;
};
