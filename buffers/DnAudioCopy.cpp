#include "buffers/DnSampleCoding.h"
#include "buffers/DnSimpleAudioBuffer.h"

#include "vector/PrimitiveBinding.h"

namespace {

using namespace Primitives;

// One channel of frames: its first sample, the distance between frames and the container.
template <class Byte>
struct TChannelRun {
  Byte* First;
  int Step;
  uint32_t Container;
};

// 8-bit samples widened or narrowed by a scale primitive, which takes typed rows.
template <class Wide>
void Widen(IppStatus (*scale)(const Ipp8u*, int, Wide*, int, IppiSize), const TChannelRun<const uint8_t>& source,
           const TChannelRun<uint8_t>& destination, int frames) {
  scale(source.First, source.Step, reinterpret_cast<Wide*>(destination.First), destination.Step, {1, frames});
}
template <class Wide>
void Narrow(IppStatus (*scale)(const Wide*, int, Ipp8u*, int, IppiSize, IppHintAlgorithm),
            const TChannelRun<const uint8_t>& source, const TChannelRun<uint8_t>& destination, int frames) {
  scale(reinterpret_cast<const Wide*>(source.First), source.Step, destination.First, destination.Step, {1, frames},
        HintFast);
}

// A channel copied into another of a different container: the scale primitives between 8 bits and
// 16 or 32, otherwise value * destination full scale / source full scale in 64-bit integers,
// truncated.
void ConvertChannel(const TChannelRun<const uint8_t>& source, const TChannelRun<uint8_t>& destination, int frames) {
  const TAudioBufferPrimitives& table = BoundPrimitives().AudioBuffer;
  switch (source.Container << 8 | destination.Container) {
    case 8 << 8 | 16: return Widen(table.ippiScale_8u16s_C1R, source, destination, frames);
    case 8 << 8 | 32: return Widen(table.ippiScale_8u32s_C1R, source, destination, frames);
    case 16 << 8 | 8: return Narrow(table.ippiScale_16s8u_C1R, source, destination, frames);
    case 32 << 8 | 8: return Narrow(table.ippiScale_32s8u_C1R, source, destination, frames);
  }
  const int64_t from = DnSamples::FullScale(source.Container), to = DnSamples::FullScale(destination.Container);
  for (int frame = 0; frame < frames; ++frame) {
    const int64_t value = DnSamples::ReadValue(source.First + int64_t(frame) * source.Step, source.Container);
    DnSamples::WriteValue(destination.First + int64_t(frame) * destination.Step, destination.Container,
                          value * to / from);
  }
}

}  // namespace

void TDnAudioBuffer::CopyTo(uint32_t sourceFrame, IKvDataBuffer& destination, uint32_t frames,
                            uint32_t destinationFrame) {
  auto* audio = InterfaceOf<IDnAudioBuffer>(destination);
  if (!audio) return CopyElements(sourceFrame, destination, frames, destinationFrame, 1, CopyBytes);
  if (frames == 0) return;
  CheckRange(sourceFrame, frames, GetCount());
  CheckRange(destinationFrame, frames, audio->GetCount());

  TDnAudioBuffer& target = static_cast<TDnAudioBuffer&>(audio->GetInstance());
  // The destination first: when it is this buffer, its own copy is what the source must read.
  uint8_t* destinationData = target.ModifyData();
  const uint8_t* sourceData = ReadData();
  const auto channels =
      DnSamples::PairBySpeaker(Format.ChannelMask, Format.Channels, target.Format.ChannelMask, target.Format.Channels);
  const TAudioBufferPrimitives& table = BoundPrimitives().AudioBuffer;
  const int rows = int(frames), targetStep = target.Format.BlockAlign;
  for (uint32_t i = 0; i < channels.ClearedCount; ++i)
    table.ippiSet_8u_C1R(0, target.SampleAt(destinationData, destinationFrame, channels.Cleared[i]), targetStep,
                         {int(target.SampleBytes()), rows});
  for (uint32_t i = 0; i < channels.PairCount; ++i) {
    const TChannelRun<const uint8_t> from{SampleAt(sourceData, sourceFrame, channels.Pairs[i].Source),
                                          Format.BlockAlign, Format.ContainerBits};
    const TChannelRun<uint8_t> to{target.SampleAt(destinationData, destinationFrame, channels.Pairs[i].Destination),
                                  targetStep, target.Format.ContainerBits};
    if (from.Container == to.Container)
      table.ippiCopy_8u_C1R(from.First, from.Step, to.First, to.Step, {int(SampleBytes()), rows});
    else ConvertChannel(from, to, rows);
  }
}
