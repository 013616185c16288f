#pragma once

#include "buffers/DnWaveFormat.h"
#include "buffers/HrSimpleMediaBuffer.h"

#include <cstdint>
#include <optional>

// Audio buffers: a block that begins with its 40-byte wave format header, followed by interleaved
// integer PCM frames. Samples are stored by container: 8 bits unsigned with the zero level at 127,
// 16 and 32 bits signed, 24 bits as three little-endian bytes of two's complement.

class IDnAudioBuffer : public virtual IHrMediaBuffer {
public:
  static constexpr TGUID IID = "{49372BB8-FFDD-437C-A9D3-BA5DFB8A3B97}"_guid;

  virtual uint32_t GetChannels() const = 0;
  virtual uint32_t GetBits() const = 0;
  virtual uint32_t GetSampleRate() const = 0;
  virtual uint32_t GetBlockAlign() const = 0;
  virtual TDnSpeakers GetChannelMask() const = 0;
  virtual uint32_t GetContainerBits() const = 0;
  virtual void GetFormat(TDnWaveFormat& destination) const = 0;
  virtual uint32_t GetHeaderSize() const = 0;
  // The samples, after the header, with the three access kinds of every buffer.
  virtual const uint8_t* ReadData() = 0;
  virtual uint8_t* WriteData() = 0;
  virtual uint8_t* ModifyData() = 0;
  // One stored sample: the byte for 8 bits (with its offset), the raw 24 bits (not sign-extended).
  // The channel is checked first ("Channel out of range = %u"), then the frame ("Index out of
  // range = %u"); nothing is read or written when either is out of range.
  virtual int32_t GetSample(uint32_t frame, uint32_t channel) = 0;
  // Stores the low container bits of the value.
  virtual void SetSample(uint32_t frame, uint32_t channel, int32_t value) = 0;
  // Element-wise with the other buffer over the common frame count: a mono other applies to every
  // channel, otherwise channels pair by speaker and unpaired channels stay. Both buffers must
  // have the same container. 16 bits saturate; 8, 24 and 32 bits keep the low bits. A zero
  // divisor gives the zero level.
  virtual void Add(IDnAudioBuffer& other) = 0;
  virtual void Sub(IDnAudioBuffer& other) = 0;
  virtual void Mul(IDnAudioBuffer& other) = 0;
  virtual void Div(IDnAudioBuffer& other) = 0;
  // Every sample = value (for 8 bits, value + 127 modulo 256).
  virtual void Fill(int32_t value) = 0;
  // Every sample with a constant: 8 and 16 bits through the saturating primitives on the stored
  // samples, 24 and 32 bits keeping the low bits; dividing by 0 changes nothing.
  virtual void AddConst(int32_t value) = 0;
  virtual void SubConst(int32_t value) = 0;
  virtual void MulConst(int32_t value) = 0;
  virtual void DivConst(int32_t value) = 0;
  virtual void FillChannel(uint32_t channel, int32_t value) = 0;
  virtual void AddConstChannel(uint32_t channel, int32_t value) = 0;
  virtual void SubConstChannel(uint32_t channel, int32_t value) = 0;
  virtual void MulConstChannel(uint32_t channel, int32_t value) = 0;
  virtual void DivConstChannel(uint32_t channel, int32_t value) = 0;
  // Every sample = the zero level.
  virtual void Silence() = 0;
  // Every stored sample = the nearest integer to factor * sample, low bits kept; nothing for 1.
  virtual void Scale(double factor) = 0;
  // A new buffer with one channel's samples, one per frame (8 bits less 127, 24 bits
  // sign-extended), not scaled.
  virtual void ChannelToInteger(uint32_t channel, TRef<IKvIntegerBuffer>& buffer) = 0;
  virtual void ChannelToReal(uint32_t channel, TRef<IKvRealBuffer>& buffer) = 0;
};

// The block of the audio buffers. Its copies always keep the header.
class TDnSmartAudioBuffer final : public THrSmartMediaBuffer {
public:
  explicit TDnSmartAudioBuffer(uint32_t capacity) : THrSmartMediaBuffer(capacity) {}
  TKvSmartBuffer* Duplicate(uint32_t keepBytes) const override;
};

class TDnAudioBuffer final : public THrMediaBuffer, public IDnAudioBuffer {
public:
  // A new block for `frames` frames, headed by the format of these settings (channel mask 0 stands
  // for the lowest bit per channel); the samples are unspecified.
  TDnAudioBuffer(uint32_t sampleRate, TDnSpeakers channelMask, uint32_t frames, uint32_t channels, uint32_t bits);
  explicit TDnAudioBuffer(IKvDataBuffer& shared);
  explicit TDnAudioBuffer(TDnAudioBuffer& shared) : TDnAudioBuffer(static_cast<IKvDataBuffer&>(shared)) {}

  void* QueryInterface(const TGUID& iid) override;
  uint32_t GetSize() const override;
  // Frames.
  uint32_t GetCount() const override;
  // 0 frames leaves the buffer as it is.
  void SetCount(uint32_t frames, bool keepContent) override;
  // Into another audio buffer: frames, channels mapped by speaker, depth converted where the
  // containers differ. Into any other buffer: bytes of samples.
  void CopyTo(uint32_t sourceFrame, IKvDataBuffer& destination, uint32_t frames, uint32_t destinationFrame) override;
  TRef<IKvDataBuffer> Clone() override;

  uint32_t GetChannels() const override { return Format.Channels; }
  uint32_t GetBits() const override { return Format.ValidBits; }
  uint32_t GetSampleRate() const override { return Format.SamplesPerSec; }
  uint32_t GetBlockAlign() const override { return Format.BlockAlign; }
  TDnSpeakers GetChannelMask() const override { return Format.ChannelMask; }
  uint32_t GetContainerBits() const override { return Format.ContainerBits; }
  void GetFormat(TDnWaveFormat& destination) const override { destination = Format; }
  uint32_t GetHeaderSize() const override { return HeaderSize; }
  const uint8_t* ReadData() override { return static_cast<const uint8_t*>(Read()); }
  uint8_t* WriteData() override { return static_cast<uint8_t*>(Write()); }
  uint8_t* ModifyData() override { return static_cast<uint8_t*>(Modify()); }
  int32_t GetSample(uint32_t frame, uint32_t channel) override;
  void SetSample(uint32_t frame, uint32_t channel, int32_t value) override;

  void Add(IDnAudioBuffer& other) override;
  void Sub(IDnAudioBuffer& other) override;
  void Mul(IDnAudioBuffer& other) override;
  void Div(IDnAudioBuffer& other) override;
  void Fill(int32_t value) override;
  void AddConst(int32_t value) override;
  void SubConst(int32_t value) override;
  void MulConst(int32_t value) override;
  void DivConst(int32_t value) override;
  void FillChannel(uint32_t channel, int32_t value) override;
  void AddConstChannel(uint32_t channel, int32_t value) override;
  void SubConstChannel(uint32_t channel, int32_t value) override;
  void MulConstChannel(uint32_t channel, int32_t value) override;
  void DivConstChannel(uint32_t channel, int32_t value) override;
  void Silence() override;
  void Scale(double factor) override;
  void ChannelToInteger(uint32_t channel, TRef<IKvIntegerBuffer>& buffer) override;
  void ChannelToReal(uint32_t channel, TRef<IKvRealBuffer>& buffer) override;

  enum class TOperation { Add, Sub, Mul, Div };

protected:
  // Caches the block's header. A block that holds no valid PCM header (one that came from another
  // kind of buffer through Assign) has no frames.
  void RefreshData() override;

private:
  TDnAudioBuffer(const TDnWaveFormat& format, uint32_t frames);
  uint32_t SampleBytes() const { return Format.ContainerBits / 8u; }
  // The first sample of a frame's channel.
  template <class Byte>
  Byte* SampleAt(Byte* data, uint32_t frame, uint32_t channel) const {
    return data + uint64_t(frame) * Format.BlockAlign + channel * SampleBytes();
  }
  void CheckChannel(uint32_t channel) const;
  void CheckSample(uint32_t frame, uint32_t channel) const;
  // Every sample of the buffer (one contiguous vector), or one channel's (a column of frames).
  struct TSampleRun {
    uint8_t* First;
    int Step;
    uint32_t Count;
  };
  TSampleRun Run(uint8_t* data, std::optional<uint32_t> channel) const {
    if (channel) return {SampleAt(data, 0, *channel), int(Format.BlockAlign), GetCount()};
    return {data, int(SampleBytes()), GetCount() * Format.Channels};
  }
  template <class Buffer, class Interface>
  void ChannelTo(uint32_t channel, TRef<Interface>& buffer);
  void Combine(TOperation operation, IDnAudioBuffer& other);
  // On every sample, or on one channel's.
  void ApplyConst(TOperation operation, int32_t value, std::optional<uint32_t> channel);
  void FillSamples(int32_t value, std::optional<uint32_t> channel);

  TDnWaveFormat Format{};
  uint32_t HeaderSize = 0;
  bool Valid = false;
};
