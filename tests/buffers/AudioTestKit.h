#pragma once

// Audio buffers for the tests, built from their samples.

#include "buffers/DnSimpleAudioBuffer.h"

#include <cstdint>
#include <vector>

// A buffer of `channels` channels in containers of `bits`, at 44100 Hz; mask 0: one speaker per
// channel from the lowest.
TRef<TDnAudioBuffer> AudioBuffer(uint32_t frames, uint32_t channels, uint32_t bits, TDnSpeakers mask = 0);
// The same, holding `samples` frame after frame (stored values, as SetSample takes them).
TRef<TDnAudioBuffer> AudioBufferOf(uint32_t channels, uint32_t bits, const std::vector<int32_t>& samples,
                                   TDnSpeakers mask = 0);
// Every stored sample, frame after frame (as GetSample gives them).
std::vector<int32_t> Samples(IDnAudioBuffer& buffer);

constexpr TDnSpeakers Stereo = 1u << spFrontLeft | 1u << spFrontRight;
