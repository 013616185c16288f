#pragma once

#include "platform/Guid.h"
#include "platform/RefCounted.h"
#include "vector/PrimitiveTypes.h"

#include <cstdint>
#include <string>

class IKvDataBuffer;
class TKvGenericBuffer;

// The interfaces of the sample buffers. Buffers are handed around as counted references to these
// interfaces; an object answers an identity with the interface it implements (QueryInterface), and
// Supports<I> asks for one.

// The root of the data interfaces.
class IKvData : public virtual TRefCounted {
public:
  static constexpr TGUID IID = "{B9246BCA-4961-415C-945F-257B3EA0ECFC}"_guid;
  // The object as the interface `iid` names, cast to void*; none when it does not implement it.
  virtual void* QueryInterface(const TGUID& iid) = 0;
};

// The interface I of an object for the length of a call, without a reference of its own; none
// when the object does not implement it.
template <class I>
I* InterfaceOf(IKvData& object) {
  return static_cast<I*>(object.QueryInterface(I::IID));
}

// A reference to the interface I of an object, or none.
template <class I>
TRef<I> Supports(IKvData* object) {
  return object ? TRef<I>(InterfaceOf<I>(*object)) : TRef<I>();
}
template <class I, class T>
TRef<I> Supports(const TRef<T>& object) {
  return Supports<I>(static_cast<IKvData*>(object.Get()));
}

// Travels with its buffer; it carries nothing but the way back to it.
class TKvSequenceStamp {
public:
  explicit TKvSequenceStamp(IKvDataBuffer& buffer) : Buffer_(buffer) {}
  TKvSequenceStamp(const TKvSequenceStamp&) = delete;
  TKvSequenceStamp& operator=(const TKvSequenceStamp&) = delete;
  IKvDataBuffer& Buffer() const { return Buffer_; }

private:
  IKvDataBuffer& Buffer_;
};

// A buffer of samples on a pooled block that other buffers may share. Reading never copies;
// writing copies the block first when another writer shares it (copy-on-write).
class IKvDataBuffer : public virtual IKvData {
public:
  static constexpr TGUID IID = "{CA519E69-AECD-43D8-89CF-3B55E15541ED}"_guid;

  // Refer to the source's block, with its size (no samples are copied).
  virtual void Assign(IKvDataBuffer& source) = 0;
  virtual TKvGenericBuffer& GetInstance() = 0;
  // The data for reading; never copies.
  virtual const void* Read() = 0;
  // The data for overwriting: unspecified content when a copy had to be made.
  virtual void* Write() = 0;
  // The data for changing in place: the content stays as it was.
  virtual void* Modify() = 0;
  // Bytes of samples.
  virtual uint32_t GetSize() const = 0;
  virtual uint32_t GetCount() const = 0;
  virtual TKvSequenceStamp& GetSequenceStamp() = 0;
  // Copies `count` elements from `sourceIndex` into `destination` at `destinationIndex`, through
  // the destination's Modify. Typed buffers of the same kind count in elements, all others in
  // bytes. Raises ERangeError, before anything is touched, when a range passes either end.
  virtual void CopyTo(uint32_t sourceIndex, IKvDataBuffer& destination, uint32_t count, uint32_t destinationIndex) = 0;
  // Changes the number of elements; `keepContent` keeps the present elements when a new block is
  // needed.
  virtual void SetCount(uint32_t count, bool keepContent) = 0;
  // Makes sure this buffer may write its block; true when a copy was made.
  virtual bool MakeUnique(bool keepContent) = 0;
  // A new buffer of the same class on the same block, with the same size.
  virtual TRef<IKvDataBuffer> Clone() = 0;
  // The GetSize bytes at Read, without a header. Raises EFileError.
  virtual void SaveToFile(const std::string& fileName) = 0;
  // Reads GetSize bytes into the buffer; a file that cannot be read or holds fewer bytes raises
  // EFileError and leaves the buffer as it was.
  virtual void LoadFromFile(const std::string& fileName) = 0;
};

// Typed access to the elements of a buffer of one kind.
template <class T>
class IKvElementBuffer : public virtual IKvDataBuffer {
public:
  using TElement = T;
  virtual const T* ReadData() = 0;
  virtual T* WriteData() = 0;
  virtual T* ModifyData() = 0;
  virtual T GetValue(uint32_t index) = 0;
  // Makes the buffer writable keeping its content, then stores the element.
  virtual void SetValue(uint32_t index, T value) = 0;
};

// Unsigned bytes; GetValue and SetValue check the index.
class IKvBlockBuffer : public IKvElementBuffer<uint8_t> {
public:
  static constexpr TGUID IID = "{1D7F6725-9466-43E9-9B6C-164FAB691FEA}"_guid;
};

// Doubles; GetValue and SetValue check the index.
class IKvRealBuffer : public IKvElementBuffer<double> {
public:
  static constexpr TGUID IID = "{032C61EC-364E-4739-A2FE-E7DA0BA64939}"_guid;
};

// Signed 32-bit integers; the element access does not check the index.
class IKvIntegerBuffer : public IKvElementBuffer<int32_t> {
public:
  static constexpr TGUID IID = "{51D45274-AF18-4746-BBF1-94C82F07139B}"_guid;
};

// Pairs of doubles, real part first; the element access does not check the index.
class IKvComplexBuffer : public IKvElementBuffer<Primitives::Ipp64fc> {
public:
  static constexpr TGUID IID = "{FA61019A-FF10-4472-9F8C-89DC48D5C792}"_guid;
};
