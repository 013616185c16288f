#include "AudioTestKit.h"

TRef<TDnAudioBuffer> AudioBuffer(uint32_t frames, uint32_t channels, uint32_t bits, TDnSpeakers mask) {
  return MakeRef<TDnAudioBuffer>(44100, mask, frames, channels, bits);
}

TRef<TDnAudioBuffer> AudioBufferOf(uint32_t channels, uint32_t bits, const std::vector<int32_t>& samples,
                                   TDnSpeakers mask) {
  auto buffer = AudioBuffer(uint32_t(samples.size()) / channels, channels, bits, mask);
  for (uint32_t i = 0; i < samples.size(); ++i) buffer->SetSample(i / channels, i % channels, samples[i]);
  return buffer;
}

std::vector<int32_t> Samples(IDnAudioBuffer& buffer) {
  std::vector<int32_t> samples;
  for (uint32_t frame = 0; frame < buffer.GetCount(); ++frame)
    for (uint32_t channel = 0; channel < buffer.GetChannels(); ++channel)
      samples.push_back(buffer.GetSample(frame, channel));
  return samples;
}
