#pragma once

#include "buffers/DnWaveFormat.h"
#include "platform/EzLockedPersistent.h"

#include <cstdint>

// The audio format of a component that produces audio: one wave format header whose channels,
// bits, sample rate and speakers the user sets. Setters clamp instead of failing, change only
// under the owner's write lock, recompute the header and tell the change callback.
class TDnAudioFormatBasic : public TEzLockedPersistentNotify {
public:
  PUBLISHED_CLASS_INFO

  static constexpr uint32_t DefaultChannels = 2;
  static constexpr uint32_t DefaultBits = 16;
  static constexpr uint32_t DefaultSampleRate = 11025;
  static constexpr TDnSpeakers DefaultChannelMask = 1u << spFrontLeft | 1u << spFrontRight;

  using TEzLockedPersistentNotify::TEzLockedPersistentNotify;

  const TDnWaveFormat& Format() const { return Format_; }
  uint32_t Channels() const { return Format_.Channels; }
  // 0 becomes 1, above 32 becomes 32; a change only when the value changes.
  void SetChannels(uint32_t channels);
  uint32_t Bits() const { return Format_.ValidBits; }
  // Kept to 8..32; a change only when the value changes.
  void SetBits(uint32_t bits);
  uint32_t SampleRate() const { return Format_.SamplesPerSec; }
  // Every assignment is a change.
  void SetSampleRate(uint32_t sampleRate);
  TDnSpeakers ChannelMask() const { return Format_.ChannelMask; }
  // Stored as given, whatever the channel count; every assignment is a change.
  void SetChannelMask(TDnSpeakers channelMask);

  // Takes over the other format's stored properties.
  void Assign(const TPersistent& source) override;

private:
  void Recompute(uint32_t channels, uint32_t bits, uint32_t sampleRate, TDnSpeakers channelMask);

  TDnWaveFormat Format_ = TDnWaveFormat::Pcm(DefaultChannels, DefaultBits, DefaultSampleRate, DefaultChannelMask);
};

// An audio format with the frame count of the buffers it describes.
class TDnAudioFormat : public TDnAudioFormatBasic {
public:
  PUBLISHED_CLASS_INFO

  static constexpr uint32_t DefaultBufferSize = 1024;

  using TDnAudioFormatBasic::TDnAudioFormatBasic;

  uint32_t BufferSize() const { return BufferSize_; }
  // 0 becomes 1; a change only when the value changes (the header stays as it is).
  void SetBufferSize(uint32_t bufferSize);

  void Assign(const TPersistent& source) override;

private:
  uint32_t BufferSize_ = DefaultBufferSize;
};
