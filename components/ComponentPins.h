#pragma once

#include "pins/LkPins.h"
#include "platform/EzLockedPersistent.h"

#include <functional>

// Frees a component's pin while its member still points to it: what arrives while the pin unlinks
// may still use it (and finds a pin whose destruction has begun, which sends nothing).
template <class Pin>
void FreePin(TLkPinPtr<Pin>& pin) {
  TLkBasicPin::Free(pin.get());
  (void)pin.release();
}

// Changes to a stored sub-object (an audio format, say) go through the component's lock, and are
// refused while a stop holds it.
inline void GuardWithLock(TEzLockedPersistent& settings, TLkLock& lock) {
  settings.SetWriteLock([&lock](const std::function<void()>& change) {
    const TLkLockSection section = lock.WriteLock();
    if (!section) return false;
    change();
    return true;
  });
}
