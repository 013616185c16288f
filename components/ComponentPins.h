#pragma once

#include "pins/LkPins.h"

// Frees a component's pin while its member still points to it: what arrives while the pin unlinks
// may still use it (and finds a pin whose destruction has begun, which sends nothing).
template <class Pin>
void FreePin(TLkPinPtr<Pin>& pin) {
  TLkBasicPin::Free(pin.get());
  (void)pin.release();
}
