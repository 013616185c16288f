#pragma once

#include "buffers/DnWaveFormat.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

// How audio samples are stored, by container bits, and how channels pair by speaker.
namespace DnSamples {

// The stored sample: the byte for 8 bits, the raw 24 bits, signed 16 and 32 bits.
inline int32_t ReadRaw(const uint8_t* at, uint32_t container) {
  switch (container) {
    case 8: return *at;
    case 16: {
      int16_t value;
      std::memcpy(&value, at, 2);
      return value;
    }
    case 24: return int32_t(at[0] | at[1] << 8 | at[2] << 16);
    default: {
      int32_t value;
      std::memcpy(&value, at, 4);
      return value;
    }
  }
}

// Stores the low container bits of the value.
inline void WriteRaw(uint8_t* at, uint32_t container, int64_t value) {
  const uint32_t low = uint32_t(value);
  std::memcpy(at, &low, container / 8);
}

// The signed value of a sample: 8 bits less the zero level 127, 24 bits sign-extended.
inline int32_t ReadValue(const uint8_t* at, uint32_t container) {
  const int32_t raw = ReadRaw(at, container);
  if (container == 8) return raw - 127;
  if (container == 24) return (raw ^ 0x800000) - 0x800000;
  return raw;
}

inline void WriteValue(uint8_t* at, uint32_t container, int64_t value) {
  WriteRaw(at, container, container == 8 ? value + 127 : value);
}

// The value that conversions map onto full scale: 127, 32767, 8388607, 2147483647.
inline int64_t FullScale(uint32_t container) { return (int64_t(1) << (container - 1)) - 1; }

// The integer nearest to x, ties to even, of which a container keeps the low bits.
inline int64_t Nearest(double x) {
  if (!std::isfinite(x)) return 0;
  // Within the range of 64-bit integers the conversion is exact, and so is the integer remainder
  // (with the sign of x, as fmod gives it); per sample it is many times cheaper.
  if (std::fabs(x) < 0x1p62) return int64_t(std::nearbyint(x)) % 4294967296;
  return int64_t(std::fmod(std::nearbyint(x), 4294967296.0));
}

// Channels of two buffers paired by speaker: walking the speakers in ascending order, one that
// both masks hold pairs the channels at which each buffer's count stands; one that only the
// destination holds marks its channel for clearing. Channels beyond a buffer's channel count
// (a mask may hold more speakers than there are channels) take part in nothing.
struct TChannelPairs {
  struct TPair {
    uint32_t Source, Destination;
  };
  std::array<TPair, 32> Pairs;
  uint32_t PairCount = 0;
  std::array<uint32_t, 32> Cleared;
  uint32_t ClearedCount = 0;
};
TChannelPairs PairBySpeaker(TDnSpeakers sourceMask, uint32_t sourceChannels, TDnSpeakers destinationMask,
                            uint32_t destinationChannels);

// One channel of frames: its first sample, the distance in bytes between frames and the container.
template <class Byte>
struct TChannelRun {
  Byte* First;
  int Step;
  uint32_t Container;
};

// Copies a channel into another: a strided copy for equal containers, else a depth conversion
// (the scale primitives between 8 bits and 16 or 32, otherwise value * destination full scale /
// source full scale in 64-bit integers, truncated).
void CopyChannel(const TChannelRun<const uint8_t>& source, const TChannelRun<uint8_t>& destination, int frames);

}  // namespace DnSamples
