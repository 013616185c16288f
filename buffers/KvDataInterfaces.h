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

// The whole-buffer operations. An operation with another buffer works over the common length, the
// first min(own count, other's count) elements, and never changes this buffer's count; one that
// reads the other buffer writes this one (...From). Every operation is one primitive of the
// primitive table over the elements, through the access that fits: Read to read, Write to
// overwrite every element, Modify to change elements in place. Primitive statuses are not reported.

// Unsigned bytes; GetValue and SetValue check the index.
class IKvBlockBuffer : public IKvElementBuffer<uint8_t> {
public:
  static constexpr TGUID IID = "{1D7F6725-9466-43E9-9B6C-164FAB691FEA}"_guid;

  // Saturating at 0 and 255.
  virtual void Add(IKvBlockBuffer& other) = 0;
  virtual void Sub(IKvBlockBuffer& other) = 0;
  virtual void Mul(IKvBlockBuffer& other) = 0;
  // The integer quotient; a zero divisor gives 255, or 0 for a zero dividend.
  virtual void Div(IKvBlockBuffer& other) = 0;
  virtual void Fill(uint8_t value) = 0;
  virtual void Zero() = 0;
};

// Doubles; GetValue and SetValue check the index.
class IKvRealBuffer : public IKvElementBuffer<double> {
public:
  static constexpr TGUID IID = "{032C61EC-364E-4739-A2FE-E7DA0BA64939}"_guid;

  // The Jaehne chirp magnitude * sin(pi n^2 / (2 count)).
  virtual void FillJaehne(double magnitude) = 0;
  virtual void Add(IKvRealBuffer& other) = 0;
  virtual void Sub(IKvRealBuffer& other) = 0;
  virtual void Mul(IKvRealBuffer& other) = 0;
  // Where the divisor is 0: 1e15 for a positive dividend, -1e14 for a negative one, 0 for 0.
  virtual void Div(IKvRealBuffer& other) = 0;
  virtual void Fill(double value) = 0;
  // Adding or subtracting 0, multiplying by 1 and dividing by 0 or 1 change nothing, not even a
  // shared block.
  virtual void AddConst(double value) = 0;
  virtual void SubConst(double value) = 0;
  virtual void MulConst(double value) = 0;
  virtual void DivConst(double value) = 0;
  virtual void Zero() = 0;

  // Count elements to the caller's array: to nearest (ties to even) when `nearest`, else towards
  // zero; 32-bit values saturate, 16-bit ones keep the low 16 bits.
  virtual void ToInt32(int32_t* destination, bool nearest) = 0;
  virtual void ToInt16(int16_t* destination, bool nearest) = 0;
  virtual void ToSingle(float* destination) = 0;
  // Count elements from the caller's array.
  virtual void FromInt32(const int32_t* source) = 0;
  virtual void FromInt16(const int16_t* source) = 0;
  virtual void FromSingle(const float* source) = 0;

  // (element - subtrahend) / divisor; nothing happens for a divisor below the smallest normal double.
  virtual void NormalizeFrom(IKvRealBuffer& other, double subtrahend, double divisor) = 0;
  virtual void Normalize(double subtrahend, double divisor) = 0;
  // 0 for an empty common length.
  virtual double DotProduct(IKvRealBuffer& other) = 0;
  // Values below the level become the level when `below`, values above it otherwise.
  virtual void Threshold(bool below, double level) = 0;
  virtual void ThresholdFrom(IKvRealBuffer& other, bool below, double level) = 0;
  virtual void Sqr() = 0;
  virtual void SqrFrom(IKvRealBuffer& other) = 0;
  virtual void Sqrt() = 0;
  virtual void SqrtFrom(IKvRealBuffer& other) = 0;
  // The autocorrelation of `source` at lags 0 .. count - 1: kind 1 divided by the source's count,
  // kind 2 by the number of terms, any other kind as summed.
  virtual void AutoCorrelation(IKvRealBuffer& source, int kind) = 0;
  // The cross-correlation of first and second at count lags from lowestLag.
  virtual void CrossCorrelation(IKvRealBuffer& first, IKvRealBuffer& second, int lowestLag) = 0;
  virtual void Abs() = 0;
  virtual void AbsFrom(IKvRealBuffer& other) = 0;
  virtual void Exp() = 0;
  virtual void ExpFrom(IKvRealBuffer& other) = 0;
  virtual void Ln() = 0;
  virtual void LnFrom(IKvRealBuffer& other) = 0;
  // 0 for an empty buffer (and a deviation of fewer than two elements).
  virtual double Mean() = 0;
  virtual double StdDev() = 0;
  // The linear convolution into the first count(first) + count(second) - 1 elements; raises
  // ERangeError, before anything is written, when this buffer holds fewer.
  virtual void Convolve(IKvRealBuffer& first, IKvRealBuffer& second) = 0;
  // Kind 0: the L1 norm of the difference, 1: L2, 2: the largest difference; any other kind 0.
  virtual double NormDiff(IKvRealBuffer& other, int kind) = 0;
  // 0 (and index 0) for an empty buffer.
  virtual double Min() = 0;
  virtual double Max() = 0;
  virtual double MinIndex(uint32_t& index) = 0;
  virtual double MaxIndex(uint32_t& index) = 0;
  // Over the elements from index `from` up to but not including `to`, after clamping: negative
  // indices become 0, `to` at most the count, `from` at most count - 1; 0 for an empty range. The
  // valid variants skip every value not strictly between -1.7e308 and 1.7e308 (0 when none is left).
  virtual double MinInRange(int from, int to) = 0;
  virtual double MaxInRange(int from, int to) = 0;
  virtual double MinValidInRange(int from, int to) = 0;
  virtual double MaxValidInRange(int from, int to) = 0;
};

// Signed 32-bit integers; the element access does not check the index.
class IKvIntegerBuffer : public IKvElementBuffer<int32_t> {
public:
  static constexpr TGUID IID = "{51D45274-AF18-4746-BBF1-94C82F07139B}"_guid;

  // Saturating. Div rounds to nearest with ties to even and gives the limit by the dividend's sign
  // (0 for 0) for a zero divisor; Mod is the remainder of the truncated quotient, x for a zero
  // divisor.
  virtual void Add(IKvIntegerBuffer& other) = 0;
  virtual void Sub(IKvIntegerBuffer& other) = 0;
  virtual void Mul(IKvIntegerBuffer& other) = 0;
  virtual void Div(IKvIntegerBuffer& other) = 0;
  virtual void Mod(IKvIntegerBuffer& other) = 0;
  virtual void And(IKvIntegerBuffer& other) = 0;
  virtual void Or(IKvIntegerBuffer& other) = 0;
  virtual void Xor(IKvIntegerBuffer& other) = 0;
  // Each element shifted by the other's element masked to 0 .. 31; right shifts are arithmetic.
  virtual void ShiftLeftBy(IKvIntegerBuffer& other) = 0;
  virtual void ShiftRightBy(IKvIntegerBuffer& other) = 0;
  virtual void Fill(int32_t value) = 0;
  // Saturating; a constant that changes nothing (adding 0, multiplying or dividing by 1, dividing by
  // 0, ...) leaves the buffer alone, not even copying a shared block. DivConst truncates, and
  // INT_MIN / -1 saturates.
  virtual void AddConst(int32_t value) = 0;
  virtual void SubConst(int32_t value) = 0;
  virtual void MulConst(int32_t value) = 0;
  virtual void DivConst(int32_t value) = 0;
  virtual void ModConst(int32_t value) = 0;
  virtual void AndConst(int32_t value) = 0;
  virtual void OrConst(int32_t value) = 0;
  virtual void XorConst(int32_t value) = 0;
  // A negative count changes nothing; 32 or more shifts everything out (right: the sign stays).
  virtual void ShiftLeft(int count) = 0;
  virtual void ShiftRight(int count) = 0;
  virtual void Zero() = 0;
  // Rounded to nearest and saturated; 0 for an empty common length.
  virtual int32_t DotProduct(IKvIntegerBuffer& other) = 0;
  // 0 for an empty buffer.
  virtual int32_t Min() = 0;
  virtual int32_t Max() = 0;
};

// Pairs of doubles, real part first; the element access does not check the index.
class IKvComplexBuffer : public IKvElementBuffer<Primitives::Ipp64fc> {
public:
  static constexpr TGUID IID = "{FA61019A-FF10-4472-9F8C-89DC48D5C792}"_guid;
  using TComplex = Primitives::Ipp64fc;

  // A new real buffer with this buffer's count, handed to the caller through `result`.
  virtual void RealPart(TRef<IKvRealBuffer>& result) = 0;
  virtual void ImagPart(TRef<IKvRealBuffer>& result) = 0;
  virtual void Add(IKvComplexBuffer& other) = 0;
  virtual void Sub(IKvComplexBuffer& other) = 0;
  virtual void Mul(IKvComplexBuffer& other) = 0;
  virtual void Div(IKvComplexBuffer& other) = 0;
  virtual void AddConst(TComplex value) = 0;
  virtual void SubConst(TComplex value) = 0;
  virtual void MulConst(TComplex value) = 0;
  // Nothing happens for 0.
  virtual void DivConst(TComplex value) = 0;
  // The count becomes the smaller of the two counts (without keeping content).
  virtual void FromRealImag(IKvRealBuffer& real, IKvRealBuffer& imaginary) = 0;
  virtual void Fill(TComplex value) = 0;
  virtual void Zero() = 0;
  virtual void NormalizeFrom(IKvComplexBuffer& other, TComplex subtrahend, double divisor) = 0;
  virtual void Normalize(TComplex subtrahend, double divisor) = 0;
  // Neither factor conjugated; 0 for an empty common length.
  virtual TComplex DotProduct(IKvComplexBuffer& other) = 0;
  // On the magnitudes, keeping the phases; a negative level changes nothing.
  virtual void Threshold(bool below, double level) = 0;
  virtual void ThresholdFrom(IKvComplexBuffer& other, bool below, double level) = 0;
  virtual void Sqr() = 0;
  virtual void SqrFrom(IKvComplexBuffer& other) = 0;
  virtual void Sqrt() = 0;
  virtual void SqrtFrom(IKvComplexBuffer& other) = 0;
  // As for the real buffer, with the source conjugated.
  virtual void AutoCorrelation(IKvComplexBuffer& source, int kind) = 0;
  virtual void CrossCorrelation(IKvComplexBuffer& first, IKvComplexBuffer& second, int lowestLag) = 0;
  // New real buffers as for RealPart.
  virtual void Phase(TRef<IKvRealBuffer>& result) = 0;
  virtual void Magnitude(TRef<IKvRealBuffer>& result) = 0;
  virtual void PowerSpectrum(TRef<IKvRealBuffer>& result) = 0;
};
