#pragma once

#include "buffers/BufferErrors.h"
#include "buffers/KvDataInterfaces.h"
#include "buffers/KvSmartBuffer.h"

#include <algorithm>
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

protected:
  // The elements an operation with `other` works over.
  uint32_t CommonCount(IKvDataBuffer& other) const { return std::min(GetCount(), other.GetCount()); }

  // Where an operation writes its first `count` elements from `source`'s: Write when that is every
  // element and the source is another buffer, else Modify, which keeps the rest (and the content
  // the source, when it is this buffer, still has to read).
  T* Overwrite(uint32_t count, IKvDataBuffer& source) {
    return count == GetCount() && &source.GetInstance() != this ? WriteData() : ModifyData();
  }

  // `source`, or a copy of it on a block of its own when it shares this buffer's block: for the
  // operations that read other elements than the one they write.
  TRef<Interface> Unaliased(Interface& source) {
    if (&source.GetInstance().Block() != &Block()) return TRef<Interface>(&source);
    auto copy = MakeRef<Self>(source.GetCount());
    if (source.GetSize() > 0)
      CopyBytes(static_cast<const uint8_t*>(source.Read()), static_cast<uint8_t*>(copy->Write()), source.GetSize());
    return copy;
  }

  // primitive(other's elements, own elements, common length, arguments...), changing the own ones
  // in place.
  template <class Primitive, class... Arguments>
  void CombineWith(Interface& other, Primitive primitive, Arguments... arguments) {
    const uint32_t count = CommonCount(other);
    if (count == 0) return;
    T* own = ModifyData();  // first: when `other` is this buffer, it reads the copy written here
    primitive(other.ReadData(), own, int(count), arguments...);
  }

  // primitive(other's elements, own elements, common length, arguments...), overwriting the own ones.
  template <class Primitive, class... Arguments>
  void MapFrom(Interface& other, Primitive primitive, Arguments... arguments) {
    const uint32_t count = CommonCount(other);
    if (count == 0) return;
    T* own = Overwrite(count, other);
    primitive(other.ReadData(), own, int(count), arguments...);
  }

  // primitive(elements, count, arguments...) changing every element in place.
  template <class Primitive, class... Arguments>
  void ChangeEach(Primitive primitive, Arguments... arguments) {
    if (GetCount() > 0) primitive(ModifyData(), int(GetCount()), arguments...);
  }

  // primitive(elements, count, arguments...) overwriting every element.
  template <class Primitive, class... Arguments>
  void SetEach(Primitive primitive, Arguments... arguments) {
    if (GetCount() > 0) primitive(WriteData(), int(GetCount()), arguments...);
  }

  // primitive(source's elements, source's count, own elements, count) overwriting every element.
  template <class Primitive>
  void SetFrom(Interface& source, Primitive primitive) {
    if (GetCount() == 0 || source.GetCount() == 0) return;
    const TRef<Interface> input = Unaliased(source);
    primitive(input->ReadData(), int(input->GetCount()), WriteData(), int(GetCount()));
  }

  // primitive(first's elements, first's count, second's elements, second's count, own elements,
  // count, arguments...) overwriting every element.
  template <class Primitive, class... Arguments>
  void SetFromPair(Interface& first, Interface& second, Primitive primitive, Arguments... arguments) {
    if (GetCount() == 0 || first.GetCount() == 0 || second.GetCount() == 0) return;
    const TRef<Interface> a = Unaliased(first), b = Unaliased(second);
    primitive(a->ReadData(), int(a->GetCount()), b->ReadData(), int(b->GetCount()), WriteData(), int(GetCount()),
              arguments...);
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

  void Add(IKvBlockBuffer& other) override;
  void Sub(IKvBlockBuffer& other) override;
  void Mul(IKvBlockBuffer& other) override;
  void Div(IKvBlockBuffer& other) override;
  void Fill(uint8_t value) override;
  void Zero() override;
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

  void FillJaehne(double magnitude) override;
  void Add(IKvRealBuffer& other) override;
  void Sub(IKvRealBuffer& other) override;
  void Mul(IKvRealBuffer& other) override;
  void Div(IKvRealBuffer& other) override;
  void Fill(double value) override;
  void AddConst(double value) override;
  void SubConst(double value) override;
  void MulConst(double value) override;
  void DivConst(double value) override;
  void Zero() override;
  void ToInt32(int32_t* destination, bool nearest) override;
  void ToInt16(int16_t* destination, bool nearest) override;
  void ToSingle(float* destination) override;
  void FromInt32(const int32_t* source) override;
  void FromInt16(const int16_t* source) override;
  void FromSingle(const float* source) override;
  void NormalizeFrom(IKvRealBuffer& other, double subtrahend, double divisor) override;
  void Normalize(double subtrahend, double divisor) override;
  double DotProduct(IKvRealBuffer& other) override;
  void Threshold(bool below, double level) override;
  void ThresholdFrom(IKvRealBuffer& other, bool below, double level) override;
  void Sqr() override;
  void SqrFrom(IKvRealBuffer& other) override;
  void Sqrt() override;
  void SqrtFrom(IKvRealBuffer& other) override;
  void AutoCorrelation(IKvRealBuffer& source, int kind) override;
  void CrossCorrelation(IKvRealBuffer& first, IKvRealBuffer& second, int lowestLag) override;
  void Abs() override;
  void AbsFrom(IKvRealBuffer& other) override;
  void Exp() override;
  void ExpFrom(IKvRealBuffer& other) override;
  void Ln() override;
  void LnFrom(IKvRealBuffer& other) override;
  double Mean() override;
  double StdDev() override;
  void Convolve(IKvRealBuffer& first, IKvRealBuffer& second) override;
  double NormDiff(IKvRealBuffer& other, int kind) override;
  double Min() override;
  double Max() override;
  double MinIndex(uint32_t& index) override;
  double MaxIndex(uint32_t& index) override;
  double MinInRange(int from, int to) override;
  double MaxInRange(int from, int to) override;
  double MinValidInRange(int from, int to) override;
  double MaxValidInRange(int from, int to) override;
};

class TKvIntegerBuffer final : public TKvElementBuffer<TKvIntegerBuffer, IKvIntegerBuffer, false> {
public:
  explicit TKvIntegerBuffer(uint32_t count = 0) : TKvElementBuffer(count) {}
  explicit TKvIntegerBuffer(IKvDataBuffer& shared) : TKvElementBuffer(shared) {}
  explicit TKvIntegerBuffer(TKvIntegerBuffer& shared) : TKvElementBuffer(static_cast<IKvDataBuffer&>(shared)) {}

  // Into another integer buffer four bytes per element; otherwise in bytes.
  void CopyTo(uint32_t sourceIndex, IKvDataBuffer& destination, uint32_t count, uint32_t destinationIndex) override;

  void Add(IKvIntegerBuffer& other) override;
  void Sub(IKvIntegerBuffer& other) override;
  void Mul(IKvIntegerBuffer& other) override;
  void Div(IKvIntegerBuffer& other) override;
  void Mod(IKvIntegerBuffer& other) override;
  void And(IKvIntegerBuffer& other) override;
  void Or(IKvIntegerBuffer& other) override;
  void Xor(IKvIntegerBuffer& other) override;
  void ShiftLeftBy(IKvIntegerBuffer& other) override;
  void ShiftRightBy(IKvIntegerBuffer& other) override;
  void Fill(int32_t value) override;
  void AddConst(int32_t value) override;
  void SubConst(int32_t value) override;
  void MulConst(int32_t value) override;
  void DivConst(int32_t value) override;
  void ModConst(int32_t value) override;
  void AndConst(int32_t value) override;
  void OrConst(int32_t value) override;
  void XorConst(int32_t value) override;
  void ShiftLeft(int count) override;
  void ShiftRight(int count) override;
  void Zero() override;
  int32_t DotProduct(IKvIntegerBuffer& other) override;
  int32_t Min() override;
  int32_t Max() override;
};

class TKvComplexBuffer final : public TKvElementBuffer<TKvComplexBuffer, IKvComplexBuffer, false> {
public:
  explicit TKvComplexBuffer(uint32_t count = 0) : TKvElementBuffer(count) {}
  explicit TKvComplexBuffer(IKvDataBuffer& shared) : TKvElementBuffer(shared) {}
  explicit TKvComplexBuffer(TKvComplexBuffer& shared) : TKvElementBuffer(static_cast<IKvDataBuffer&>(shared)) {}

  void RealPart(TRef<IKvRealBuffer>& result) override;
  void ImagPart(TRef<IKvRealBuffer>& result) override;
  void Add(IKvComplexBuffer& other) override;
  void Sub(IKvComplexBuffer& other) override;
  void Mul(IKvComplexBuffer& other) override;
  void Div(IKvComplexBuffer& other) override;
  void AddConst(TComplex value) override;
  void SubConst(TComplex value) override;
  void MulConst(TComplex value) override;
  void DivConst(TComplex value) override;
  void FromRealImag(IKvRealBuffer& real, IKvRealBuffer& imaginary) override;
  void Fill(TComplex value) override;
  void Zero() override;
  void NormalizeFrom(IKvComplexBuffer& other, TComplex subtrahend, double divisor) override;
  void Normalize(TComplex subtrahend, double divisor) override;
  TComplex DotProduct(IKvComplexBuffer& other) override;
  void Threshold(bool below, double level) override;
  void ThresholdFrom(IKvComplexBuffer& other, bool below, double level) override;
  void Sqr() override;
  void SqrFrom(IKvComplexBuffer& other) override;
  void Sqrt() override;
  void SqrtFrom(IKvComplexBuffer& other) override;
  void AutoCorrelation(IKvComplexBuffer& source, int kind) override;
  void CrossCorrelation(IKvComplexBuffer& first, IKvComplexBuffer& second, int lowestLag) override;
  void Phase(TRef<IKvRealBuffer>& result) override;
  void Magnitude(TRef<IKvRealBuffer>& result) override;
  void PowerSpectrum(TRef<IKvRealBuffer>& result) override;

private:
  // A new real buffer of this count filled by primitive(elements, real elements, count).
  template <class Primitive>
  void ToReal(TRef<IKvRealBuffer>& result, Primitive primitive);
};
