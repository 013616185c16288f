#include "buffers/DnSimpleAudioBuffer.h"

#include "buffers/DnSampleCoding.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t FormatBytes = sizeof(TDnWaveFormat);

// A new audio block for `bytes`, headed by `format`.
TKvSmartBuffer* NewAudioBlock(uint64_t bytes, const TDnWaveFormat& format) {
  auto* block = new TDnSmartAudioBuffer(BlockCapacity(bytes));
  std::memcpy(block->Data(), &format, FormatBytes);
  return block;
}

// The format of a new buffer; mask 0 stands for one speaker per channel from the lowest.
TDnWaveFormat FormatOf(uint32_t sampleRate, TDnSpeakers channelMask, uint32_t channels, uint32_t bits) {
  const uint32_t clamped = ClampChannels(channels);
  if (channelMask == 0) channelMask = TDnSpeakers((uint64_t(1) << clamped) - 1);
  return TDnWaveFormat::Pcm(clamped, bits, sampleRate, channelMask);
}

}  // namespace

TKvSmartBuffer* TDnSmartAudioBuffer::Duplicate(uint32_t keepBytes) const {
  auto* copy = new TDnSmartAudioBuffer(Capacity());
  CopyInto(*copy, std::max(keepBytes, FormatBytes));
  return copy;
}

TDnAudioBuffer::TDnAudioBuffer(uint32_t sampleRate, TDnSpeakers channelMask, uint32_t frames, uint32_t channels,
                               uint32_t bits)
    : TDnAudioBuffer(FormatOf(sampleRate, channelMask, channels, bits), frames) {}

TDnAudioBuffer::TDnAudioBuffer(const TDnWaveFormat& format, uint32_t frames)
    : THrMediaBuffer(NewAudioBlock(uint64_t(frames) * format.BlockAlign + FormatBytes, format),
                     uint32_t(uint64_t(frames) * format.BlockAlign + FormatBytes)) {
  TDnAudioBuffer::RefreshData();
}

TDnAudioBuffer::TDnAudioBuffer(IKvDataBuffer& shared) : THrMediaBuffer(shared) { TDnAudioBuffer::RefreshData(); }

void* TDnAudioBuffer::QueryInterface(const TGUID& iid) {
  return iid == IDnAudioBuffer::IID ? static_cast<IDnAudioBuffer*>(this) : THrMediaBuffer::QueryInterface(iid);
}

void TDnAudioBuffer::RefreshData() {
  const TKvSmartBuffer& block = Block();
  Format = {};
  if (block.Capacity() >= FormatBytes) std::memcpy(&Format, block.Data(), FormatBytes);
  const uint32_t container = Format.ContainerBits;
  HeaderSize = std::min(Format.HeaderSize(), block.Capacity());
  Valid = block.Capacity() >= FormatBytes && Format.Channels > 0 &&
          (container == 8 || container == 16 || container == 24 || container == 32) &&
          Format.BlockAlign == container / 8 * Format.Channels;
  Data = block.Data() + HeaderSize;
}

uint32_t TDnAudioBuffer::GetSize() const { return Size > HeaderSize ? Size - HeaderSize : 0; }

uint32_t TDnAudioBuffer::GetCount() const { return Valid ? GetSize() / Format.BlockAlign : 0; }

void TDnAudioBuffer::SetCount(uint32_t frames, bool keepContent) {
  if (frames == 0 || !Valid) return;
  const uint64_t bytes = uint64_t(frames) * Format.BlockAlign + FormatBytes;
  if (GetCount() < frames && !(Block().IsExclusive() && Block().Capacity() >= bytes)) {
    TKvSmartBuffer* fresh = NewAudioBlock(bytes, Format);
    if (keepContent) CopyBytes(Data, fresh->Data() + FormatBytes, GetSize());
    ReplaceBlock(fresh);
  }
  Size = uint32_t(bytes);
  RefreshData();
}

TRef<IKvDataBuffer> TDnAudioBuffer::Clone() {
  return TRef<IKvDataBuffer>(new TDnAudioBuffer(static_cast<IKvDataBuffer&>(*this)));
}

void TDnAudioBuffer::CheckChannel(uint32_t channel) const {
  if (channel >= Format.Channels) throw ERangeError::Channel(channel);
}

void TDnAudioBuffer::CheckSample(uint32_t frame, uint32_t channel) const {
  CheckChannel(channel);
  if (frame >= GetCount()) throw ERangeError::Index(frame);
}

int32_t TDnAudioBuffer::GetSample(uint32_t frame, uint32_t channel) {
  CheckSample(frame, channel);
  return DnSamples::ReadRaw(SampleAt(ReadData(), frame, channel), Format.ContainerBits);
}

void TDnAudioBuffer::SetSample(uint32_t frame, uint32_t channel, int32_t value) {
  CheckSample(frame, channel);
  DnSamples::WriteRaw(SampleAt(ModifyData(), frame, channel), Format.ContainerBits, value);
}
