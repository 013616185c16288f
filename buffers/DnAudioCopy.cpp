#include "buffers/DnSampleCoding.h"
#include "buffers/DnSimpleAudioBuffer.h"

#include "vector/PrimitiveBinding.h"

using namespace Primitives;

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
    DnSamples::CopyChannel(
        {SampleAt(sourceData, sourceFrame, channels.Pairs[i].Source), int(Format.BlockAlign), Format.ContainerBits},
        {target.SampleAt(destinationData, destinationFrame, channels.Pairs[i].Destination), targetStep,
         target.Format.ContainerBits},
        rows);
  }
}
