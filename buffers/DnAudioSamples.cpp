#include "buffers/DnSampleCoding.h"
#include "buffers/DnSimpleAudioBuffer.h"

#include "vector/PrimitiveBinding.h"

using namespace Primitives;

void TDnAudioBuffer::FillSamples(int32_t value, std::optional<uint32_t> channel) {
  if (channel) CheckChannel(*channel);
  const uint32_t frames = GetCount();
  if (frames == 0) return;
  // Every sample is overwritten, so the old content need not be kept unless other channels stay.
  const TSampleRun run = Run(channel ? ModifyData() : WriteData(), channel);
  const TAudioBufferPrimitives& audio = BoundPrimitives().AudioBuffer;
  const TBufferPrimitives& vectors = BoundPrimitives().Buffer;
  const int samples = int(run.Count), rows = int(frames), step = Format.BlockAlign;
  uint8_t* first = run.First;
  switch (Format.ContainerBits) {
    case 8:
      if (channel) audio.ippiSet_8u_C1R(Ipp8u(value + 127), first, step, {1, rows});
      else vectors.ippsSet_8u(Ipp8u(value + 127), first, samples);
      return;
    case 16:
      if (channel) audio.ippiSet_16s_C1R(Ipp16s(value), reinterpret_cast<Ipp16s*>(first), step, {1, rows});
      else audio.ippsSet_16s(Ipp16s(value), reinterpret_cast<Ipp16s*>(first), samples);
      return;
    case 32:
      if (channel) audio.ippiSet_32s_C1R(value, reinterpret_cast<Ipp32s*>(first), step, {1, rows});
      else vectors.ippsSet_32s(value, reinterpret_cast<Ipp32s*>(first), samples);
      return;
  }
  for (uint32_t i = 0; i < run.Count; ++i) DnSamples::WriteRaw(first + int64_t(i) * run.Step, 24, value);
}

void TDnAudioBuffer::Fill(int32_t value) { FillSamples(value, {}); }
void TDnAudioBuffer::FillChannel(uint32_t channel, int32_t value) { FillSamples(value, channel); }

void TDnAudioBuffer::Silence() {
  if (Format.ContainerBits == 8) return Fill(0);
  if (const uint32_t bytes = GetCount() * Format.BlockAlign)
    BoundPrimitives().Buffer.ippsZero_8u(WriteData(), int(bytes));
}

void TDnAudioBuffer::Scale(double factor) {
  const uint32_t samples = GetCount() * Format.Channels;
  if (factor == 1 || samples == 0) return;
  uint8_t* data = ModifyData();
  const uint32_t container = Format.ContainerBits;
  for (uint32_t i = 0; i < samples; ++i) {
    uint8_t* sample = data + uint64_t(i) * SampleBytes();
    // The stored sample: 8 bits keep their offset, 24 bits are sign-extended.
    const int32_t value = container == 8 ? DnSamples::ReadRaw(sample, 8) : DnSamples::ReadValue(sample, container);
    DnSamples::WriteRaw(sample, container, DnSamples::Nearest(factor * value));
  }
}

template <class Buffer, class Interface>
void TDnAudioBuffer::ChannelTo(uint32_t channel, TRef<Interface>& buffer) {
  CheckChannel(channel);
  const uint32_t frames = GetCount();
  buffer = MakeRef<Buffer>(frames);
  auto* values = buffer->WriteData();
  const uint8_t* data = ReadData();
  for (uint32_t frame = 0; frame < frames; ++frame)
    values[frame] = DnSamples::ReadValue(SampleAt(data, frame, channel), Format.ContainerBits);
}

void TDnAudioBuffer::ChannelToInteger(uint32_t channel, TRef<IKvIntegerBuffer>& buffer) {
  ChannelTo<TKvIntegerBuffer>(channel, buffer);
}

void TDnAudioBuffer::ChannelToReal(uint32_t channel, TRef<IKvRealBuffer>& buffer) {
  ChannelTo<TKvRealBuffer>(channel, buffer);
}
