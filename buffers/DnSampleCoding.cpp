#include "buffers/DnSampleCoding.h"

namespace DnSamples {

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

}  // namespace DnSamples
