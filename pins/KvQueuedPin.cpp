#include "pins/KvQueuedPin.h"

#include "buffers/KvSimpleDataBuffer.h"

#include <algorithm>
#include <cmath>

void TKvLkQueuedPinImpl::SetSampleRate(double rate) {
  SampleRate = rate;
  Started = true;
}

void TKvLkQueuedPinImpl::Stop() {
  Passive = true;
  Ignored = true;
}

void TKvLkQueuedPinImpl::Reset() {
  Stop();
  Started = false;
}

void TKvLkQueuedPinImpl::SetNeeded(int32_t bufferSize, float streamRate) {
  // A stream without a rate, or a rate that makes no count, asks nothing of the input.
  const double needed = streamRate > 0 ? std::nearbyint(double(bufferSize) * SampleRate / double(streamRate)) : 0;
  Needed_ = needed >= 0 && needed <= double(INT32_MAX) ? int32_t(needed) : 0;
}

namespace {

template <class Buffer, class Interface>
bool StretchedTake(TKvBufferQueue& queue, int32_t needed, Interface& destination) {
  const auto count = uint32_t(destination.GetCount());
  if (needed <= 0) return false;
  if (uint32_t(needed) == count) return queue.Take(destination);
  const TRef<Buffer> taken = MakeRef<Buffer>(uint32_t(needed));
  if (!queue.Take(*taken)) return false;
  // Nearest sample at a step of (N - 1) / M, so that the last element never reads past the input.
  const auto* from = taken->ReadData();
  auto* to = destination.WriteData();
  const double step = double(needed - 1) / count;
  double x = 0;
  for (uint32_t k = 0; k < count; ++k, x += step)
    to[k] = from[std::min<int64_t>(needed - 1, int64_t(std::nearbyint(x)))];
  return true;
}

}  // namespace

bool TKvLkQueuedPinImpl::Take(IKvRealBuffer& destination) {
  return StretchedTake<TKvRealBuffer>(Queue_, Needed_, destination);
}

bool TKvLkQueuedPinImpl::Take(IKvIntegerBuffer& destination) {
  return StretchedTake<TKvIntegerBuffer>(Queue_, Needed_, destination);
}
