#pragma once

#include "platform/Guid.h"

#include <bit>
#include <cstdint>

// Speakers: a channel mask is a set of these, bit n standing for speaker n. The channels of a
// frame follow the set bits of the mask, lowest first.
enum TDnSpeaker : uint32_t {
  spFrontLeft,
  spFrontRight,
  spFrontCenter,
  spSubwoofer,
  spBackLeft,
  spBackRight,
  spFrontLeftOfCenter,
  spFrontRightOfCenter,
  spBackCenter,
  spSideLeft,
  spSideRight,
  spTopCenter,
  spTopFrontLeft,
  spTopFrontCenter,
  spTopFrontRight,
  spTopBackLeft,
  spTopBackCenter,
  spTopBackRight,
};
using TDnSpeakers = uint32_t;
constexpr uint32_t DnSpeakerCount = 18;

// The 40-byte extensible wave format record, little-endian as it is laid out in memory: the header
// of every audio block and the content of every audio format.
struct TDnWaveFormat {
  static constexpr uint16_t ExtensibleTag = 0xFFFE;
  static constexpr uint16_t ExtensionSize = 22;
  static constexpr TGUID PcmSubFormat = "{00000001-0000-0010-8000-00AA00389B71}"_guid;

  uint16_t FormatTag;
  uint16_t Channels;
  uint32_t SamplesPerSec;
  uint32_t AvgBytesPerSec;
  uint16_t BlockAlign;
  uint16_t ContainerBits;
  uint16_t ExtraSize;
  uint16_t ValidBits;
  uint32_t ChannelMask;
  TGUID SubFormat;

  // The record of PCM frames of `channels` samples of `bits` (clamped as the audio format clamps
  // them), each in a container of whole bytes.
  static TDnWaveFormat Pcm(uint32_t channels, uint32_t bits, uint32_t sampleRate, TDnSpeakers channelMask);
  uint32_t HeaderSize() const { return uint32_t(ExtraSize) + 18; }
};
static_assert(sizeof(TDnWaveFormat) == 40 && std::endian::native == std::endian::little);

// The audio format's setter rules: 0 channels become 1, more than 32 become 32; bits are kept to
// 8..32.
uint32_t ClampChannels(uint32_t channels);
uint32_t ClampBits(uint32_t bits);
// Bits rounded up to a multiple of 8.
uint32_t ContainerBits(uint32_t bits);
