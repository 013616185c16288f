#include "buffers/KvSimpleDataBuffer.h"

#include "vector/PrimitiveBinding.h"

#include <algorithm>
#include <utility>

TKvGenericBuffer::TKvGenericBuffer(TKvSmartBuffer* block, uint32_t size) : Size(size), Block_(block) {
  Block_->AddHolder(Writer);
}

TKvGenericBuffer::TKvGenericBuffer(IKvDataBuffer& shared) : TKvGenericBuffer(&shared.GetInstance().Block(), 0) {
  Size = shared.GetInstance().Size;
}

TKvGenericBuffer::~TKvGenericBuffer() { Block_->RemoveHolder(Writer); }

void* TKvGenericBuffer::QueryInterface(const TGUID& iid) {
  if (iid == IKvDataBuffer::IID) return static_cast<IKvDataBuffer*>(this);
  if (iid == IKvData::IID) return static_cast<IKvData*>(this);
  return nullptr;
}

void TKvGenericBuffer::Assign(IKvDataBuffer& source) {
  TKvGenericBuffer& other = source.GetInstance();
  if (other.Block_ != Block_) ReplaceBlock(other.Block_);
  // Each class reads the block its own way (an audio buffer skips the header), so the data
  // pointer is this buffer's view of the block, never the source's.
  Size = other.Size;
  RefreshData();
}

void* TKvGenericBuffer::Write() {
  MakeUnique(false);
  return Data;
}

void* TKvGenericBuffer::Modify() {
  MakeUnique(true);
  return Data;
}

bool TKvGenericBuffer::MakeUnique(bool keepContent) { return Unshare(keepContent); }

bool TKvGenericBuffer::Unshare(bool keepContent) {
  if (Block_->IsExclusive()) return false;
  ReplaceBlock(Block_->Duplicate(keepContent ? Size : 0));
  return true;
}

void TKvGenericBuffer::ReplaceBlock(TKvSmartBuffer* fresh) {
  fresh->AddHolder(Writer);
  TKvSmartBuffer* old = std::exchange(Block_, fresh);
  RefreshData();
  old->RemoveHolder(Writer);
}

void TKvGenericBuffer::DropWriterFlag() {
  if (!Writer) return;
  Block_->DropWriter();
  Writer = false;
}

void TKvGenericBuffer::CopyBytes(const uint8_t* source, uint8_t* destination, uint32_t bytes) {
  Primitives::BoundPrimitives().Buffer.ippsCopy_8u(source, destination, int(bytes));
}

void TKvGenericBuffer::CheckRange(uint32_t index, uint32_t count, uint32_t available) {
  // Names the first index the range would touch beyond the end.
  if (uint64_t(index) + count > available) throw ERangeError::Index(std::max(index, available));
}

void TKvGenericBuffer::CopyElements(uint32_t sourceIndex, IKvDataBuffer& destination, uint32_t count,
                                    uint32_t destinationIndex, uint32_t width,
                                    void (*copy)(const uint8_t*, uint8_t*, uint32_t)) {
  if (count == 0) return;
  CheckRange(sourceIndex, count, GetSize() / width);
  CheckRange(destinationIndex, count, destination.GetSize() / width);
  // The destination first: when it is this buffer, its own copy is what the source must read.
  auto* target = static_cast<uint8_t*>(destination.Modify());
  copy(static_cast<const uint8_t*>(Read()) + uint64_t(sourceIndex) * width, target + uint64_t(destinationIndex) * width,
       count * width);
}

TKvMemoryBuffer::TKvMemoryBuffer(uint32_t count, uint32_t width)
    : TKvGenericBuffer(new TKvSmartMemoryBuffer(BlockCapacity(uint64_t(count) * width)), count * width) {
  TKvMemoryBuffer::RefreshData();
}

void TKvMemoryBuffer::SetCount(uint32_t count, bool keepContent) {
  const uint32_t width = ElementWidth();
  if (count == GetCount() && count != 0) return;
  const uint64_t bytes = uint64_t(count) * width;
  if (count > GetCount() && !(Block().IsExclusive() && Block().Capacity() / width >= count)) {
    TKvSmartBuffer* fresh = new TKvSmartMemoryBuffer(BlockCapacity(bytes));
    if (keepContent && Size > 0) CopyBytes(Data, fresh->Data(), Size);
    ReplaceBlock(fresh);
  }
  Size = uint32_t(bytes);
  RefreshData();
}

void TKvMemoryBuffer::CopyTo(uint32_t sourceIndex, IKvDataBuffer& destination, uint32_t count,
                             uint32_t destinationIndex) {
  CopyElements(sourceIndex, destination, count, destinationIndex, 1, CopyBytes);
}

TRef<IKvDataBuffer> TKvMemoryBuffer::Clone() {
  return TRef<IKvDataBuffer>(new TKvMemoryBuffer(static_cast<IKvDataBuffer&>(*this)));
}
