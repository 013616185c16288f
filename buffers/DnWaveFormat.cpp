#include "buffers/DnWaveFormat.h"

#include <algorithm>

uint32_t ClampChannels(uint32_t channels) { return std::clamp(channels, 1u, 32u); }
uint32_t ClampBits(uint32_t bits) { return std::clamp(bits, 8u, 32u); }
uint32_t ContainerBits(uint32_t bits) { return (bits + 7) / 8 * 8; }

TDnWaveFormat TDnWaveFormat::Pcm(uint32_t channels, uint32_t bits, uint32_t sampleRate, TDnSpeakers channelMask) {
  channels = ClampChannels(channels);
  bits = ClampBits(bits);
  const uint32_t container = ::ContainerBits(bits);
  const uint32_t blockAlign = container / 8 * channels;
  return {ExtensibleTag,        uint16_t(channels),  sampleRate,    blockAlign * sampleRate,
          uint16_t(blockAlign), uint16_t(container), ExtensionSize, uint16_t(bits),
          channelMask,          PcmSubFormat};
}
