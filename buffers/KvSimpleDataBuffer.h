#pragma once

#include "buffers/BufferErrors.h"
#include "buffers/KvDataInterfaces.h"
#include "buffers/KvSmartBuffer.h"

#include <cstdint>
#include <string>

// The sample buffers: a buffer object per reference handed around, on a pooled block that buffers
// share until one of them writes.

// What every buffer does with its block: holding it, copy-on-write, assignment, files. A buffer
// counts among its block's writers from its creation until it drops its writer flag.
class TKvGenericBuffer : public virtual IKvDataBuffer, public TKvPooled {
public:
  void* QueryInterface(const TGUID& iid) override;
  void Assign(IKvDataBuffer& source) override;
  TKvGenericBuffer& GetInstance() override { return *this; }
  const void* Read() override { return Data; }
  void* Write() override;
  void* Modify() override;
  uint32_t GetSize() const override { return Size; }
  TKvSequenceStamp& GetSequenceStamp() override { return Stamp; }
  bool MakeUnique(bool keepContent) override;
  void SaveToFile(const std::string& fileName) override;
  void LoadFromFile(const std::string& fileName) override;

  TKvSmartBuffer& Block() const { return *Block_; }
  // This buffer no longer keeps the block's other writer from writing in place.
  void DropWriterFlag();

protected:
  // Holds `block` as a writer.
  TKvGenericBuffer(TKvSmartBuffer* block, uint32_t size);
  // Shares the source's block with its size (the data pointer is this class's own view of it).
  explicit TKvGenericBuffer(IKvDataBuffer& shared);
  ~TKvGenericBuffer() override;

  // Re-reads what the buffer caches from its block; constructors call their class's own version.
  virtual void RefreshData() = 0;
  // The copy-on-write step.
  bool Unshare(bool keepContent);
  // Makes `fresh` this buffer's block in place of the present one.
  void ReplaceBlock(TKvSmartBuffer* fresh);
  // Raises ERangeError when `count` elements from `index` pass the end of `available`.
  static void CheckRange(uint32_t index, uint32_t count, uint32_t available);
  // Copies elements `width` bytes wide with `copy`, after checking both ranges.
  void CopyElements(uint32_t sourceIndex, IKvDataBuffer& destination, uint32_t count, uint32_t destinationIndex,
                    uint32_t width, void (*copy)(const uint8_t* source, uint8_t* destination, uint32_t bytes));
  // The byte copy of the primitive table.
  static void CopyBytes(const uint8_t* source, uint8_t* destination, uint32_t bytes);

  uint8_t* Data = nullptr;  // the block's first byte of samples
  uint32_t Size;            // bytes of the block in use
  bool Writer = true;

private:
  TKvSmartBuffer* Block_;
  TKvSequenceStamp Stamp{*this};
};

// A buffer of elements of one width on a memory block; untyped, it is a buffer of bytes.
class TKvMemoryBuffer : public TKvGenericBuffer {
public:
  explicit TKvMemoryBuffer(uint32_t count = 0) : TKvMemoryBuffer(count, 1) {}
  explicit TKvMemoryBuffer(IKvDataBuffer& shared) : TKvGenericBuffer(shared) { TKvMemoryBuffer::RefreshData(); }

  uint32_t GetCount() const override { return Size / ElementWidth(); }
  void SetCount(uint32_t count, bool keepContent) override;
  void CopyTo(uint32_t sourceIndex, IKvDataBuffer& destination, uint32_t count, uint32_t destinationIndex) override;
  TRef<IKvDataBuffer> Clone() override;
  virtual uint32_t ElementWidth() const { return 1; }

protected:
  TKvMemoryBuffer(uint32_t count, uint32_t width);
  void RefreshData() override { Data = Block().Data(); }
};

// The typed buffers. Self is the final class; CheckedIndex makes GetValue and SetValue raise
// ERangeError for an index at or beyond the count.
template <class Self, class Interface, bool CheckedIndex>
class TKvElementBuffer : public TKvMemoryBuffer, public Interface {
public:
  using T = typename Interface::TElement;

  explicit TKvElementBuffer(uint32_t count) : TKvMemoryBuffer(count, sizeof(T)) {}
  explicit TKvElementBuffer(IKvDataBuffer& shared) : TKvMemoryBuffer(shared) {}

  void* QueryInterface(const TGUID& iid) override {
    return iid == Interface::IID ? static_cast<Interface*>(this) : TKvMemoryBuffer::QueryInterface(iid);
  }
  TRef<IKvDataBuffer> Clone() override { return TRef<IKvDataBuffer>(new Self(static_cast<IKvDataBuffer&>(*this))); }
  uint32_t ElementWidth() const override { return sizeof(T); }

  const T* ReadData() override { return reinterpret_cast<const T*>(Read()); }
  T* WriteData() override { return reinterpret_cast<T*>(Write()); }
  T* ModifyData() override { return reinterpret_cast<T*>(Modify()); }
  T GetValue(uint32_t index) override {
    CheckIndex(index);
    return ReadData()[index];
  }
  void SetValue(uint32_t index, T value) override {
    CheckIndex(index);
    ModifyData()[index] = value;
  }

private:
  void CheckIndex(uint32_t index) const {
    if constexpr (CheckedIndex)
      if (index >= GetCount()) throw ERangeError::Index(index);
  }
};

class TKvBlockBuffer final : public TKvElementBuffer<TKvBlockBuffer, IKvBlockBuffer, true> {
public:
  explicit TKvBlockBuffer(uint32_t count = 0) : TKvElementBuffer(count) {}
  explicit TKvBlockBuffer(IKvDataBuffer& shared) : TKvElementBuffer(shared) {}
  explicit TKvBlockBuffer(TKvBlockBuffer& shared) : TKvElementBuffer(static_cast<IKvDataBuffer&>(shared)) {}
};

class TKvRealBuffer final : public TKvElementBuffer<TKvRealBuffer, IKvRealBuffer, true> {
public:
  explicit TKvRealBuffer(uint32_t count = 0) : TKvElementBuffer(count) {}
  explicit TKvRealBuffer(IKvDataBuffer& shared) : TKvElementBuffer(shared) {}
  explicit TKvRealBuffer(TKvRealBuffer& shared) : TKvElementBuffer(static_cast<IKvDataBuffer&>(shared)) {}
  // The caller's values, copied or converted.
  TKvRealBuffer(const double* values, uint32_t count);
  TKvRealBuffer(const uint16_t* values, uint32_t count);
  TKvRealBuffer(const int16_t* values, uint32_t count);
  TKvRealBuffer(const uint32_t* values, uint32_t count);
  TKvRealBuffer(const int32_t* values, uint32_t count);
  TKvRealBuffer(const float* values, uint32_t count);

  // Into another real buffer with the copy primitive of doubles; otherwise in bytes.
  void CopyTo(uint32_t sourceIndex, IKvDataBuffer& destination, uint32_t count, uint32_t destinationIndex) override;
};

class TKvIntegerBuffer final : public TKvElementBuffer<TKvIntegerBuffer, IKvIntegerBuffer, false> {
public:
  explicit TKvIntegerBuffer(uint32_t count = 0) : TKvElementBuffer(count) {}
  explicit TKvIntegerBuffer(IKvDataBuffer& shared) : TKvElementBuffer(shared) {}
  explicit TKvIntegerBuffer(TKvIntegerBuffer& shared) : TKvElementBuffer(static_cast<IKvDataBuffer&>(shared)) {}

  // Into another integer buffer four bytes per element; otherwise in bytes.
  void CopyTo(uint32_t sourceIndex, IKvDataBuffer& destination, uint32_t count, uint32_t destinationIndex) override;
};

class TKvComplexBuffer final : public TKvElementBuffer<TKvComplexBuffer, IKvComplexBuffer, false> {
public:
  explicit TKvComplexBuffer(uint32_t count = 0) : TKvElementBuffer(count) {}
  explicit TKvComplexBuffer(IKvDataBuffer& shared) : TKvElementBuffer(shared) {}
  explicit TKvComplexBuffer(TKvComplexBuffer& shared) : TKvElementBuffer(static_cast<IKvDataBuffer&>(shared)) {}
};
