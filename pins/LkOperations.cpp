#include "pins/LkOperations.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<uint32_t> LastOperationId{0};

// The sample rate of a wave format header: a little-endian 32-bit field at byte 4.
uint32_t HeaderSampleRate(const TLkStartWaveOperation::THeader& header) {
  return uint32_t(header[4]) | uint32_t(header[5]) << 8 | uint32_t(header[6]) << 16 | uint32_t(header[7]) << 24;
}

}  // namespace

TLkNotifyOperation::TLkNotifyOperation() : Id_(LastOperationId.fetch_add(1, std::memory_order_relaxed) + 1) {}

TLkStartWaveOperation::TLkStartWaveOperation(const THeader& header, bool flag)
    : TLkStartSampleRateOperation(HeaderSampleRate(header)), Header(header), Flag(flag) {}
