#include "pins/LkOperations.h"

#include <atomic>

namespace {

std::atomic<uint32_t> LastOperationId{0};

}  // namespace

TLkNotifyOperation::TLkNotifyOperation() : Id_(LastOperationId.fetch_add(1, std::memory_order_relaxed) + 1) {}
