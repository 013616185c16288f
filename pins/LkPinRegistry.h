#pragma once

// The registry of all pins.

#include "platform/LkSync.h"

#include <vector>

class TLkBasicPin;

// The process-wide registry of all pins, in the order they were created.
namespace LkPinRegistry {
TLkCriticalSection& Lock();
// A snapshot; check IsRegistered before using a pin after calling out.
std::vector<TLkBasicPin*> Pins();
bool IsRegistered(const TLkBasicPin* pin);
}  // namespace LkPinRegistry
