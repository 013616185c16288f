#include "buffers/DnSampleCoding.h"

#include "vector/PrimitiveBinding.h"

namespace DnSamples {
namespace {

using namespace Primitives;

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

}  // namespace

TChannelPairs PairBySpeaker(TDnSpeakers sourceMask, uint32_t sourceChannels, TDnSpeakers destinationMask,
                            uint32_t destinationChannels) {
  TChannelPairs channels;
  uint32_t source = 0, destination = 0;
  for (uint32_t speaker = 0; speaker < DnSpeakerCount; ++speaker) {
    const bool inSource = sourceMask >> speaker & 1, inDestination = destinationMask >> speaker & 1;
    const bool destinationExists = destination < destinationChannels;
    if (inSource && inDestination && source < sourceChannels && destinationExists)
      channels.Pairs[channels.PairCount++] = {source, destination};
    else if (inDestination && !inSource && destinationExists) channels.Cleared[channels.ClearedCount++] = destination;
    source += inSource;
    destination += inDestination;
  }
  return channels;
}

void CopyChannel(const TChannelRun<const uint8_t>& source, const TChannelRun<uint8_t>& destination, int frames) {
  const TAudioBufferPrimitives& table = BoundPrimitives().AudioBuffer;
  switch (source.Container << 8 | destination.Container) {
    case 8 << 8 | 16: return Widen(table.ippiScale_8u16s_C1R, source, destination, frames);
    case 8 << 8 | 32: return Widen(table.ippiScale_8u32s_C1R, source, destination, frames);
    case 16 << 8 | 8: return Narrow(table.ippiScale_16s8u_C1R, source, destination, frames);
    case 32 << 8 | 8: return Narrow(table.ippiScale_32s8u_C1R, source, destination, frames);
  }
  const int bytes = int(source.Container / 8);
  if (source.Container == destination.Container && source.Step == bytes && destination.Step == bytes) {
    BoundPrimitives().Buffer.ippsCopy_8u(source.First, destination.First, frames * bytes);  // one channel: dense
    return;
  }
  // 16 bits, the usual container, as one sample a row: rows of bytes would copy two at a time.
  if (source.Container == 16 && destination.Container == 16) {
    table.ippiCopy_16s_C1R(reinterpret_cast<const Ipp16s*>(source.First), source.Step,
                           reinterpret_cast<Ipp16s*>(destination.First), destination.Step, {1, frames});
    return;
  }
  if (source.Container == destination.Container) {
    table.ippiCopy_8u_C1R(source.First, source.Step, destination.First, destination.Step, {bytes, frames});
    return;
  }
  const int64_t from = FullScale(source.Container), to = FullScale(destination.Container);
  for (int frame = 0; frame < frames; ++frame) {
    const int64_t value = ReadValue(source.First + int64_t(frame) * source.Step, source.Container);
    WriteValue(destination.First + int64_t(frame) * destination.Step, destination.Container, value * to / from);
  }
}

}  // namespace DnSamples
