#pragma once

// A framework object: its lock, the framework's error and the kinds of pin.

#include "pins/LkLock.h"
#include "platform/Exception.h"
#include "platform/Guid.h"
#include "platform/Persistent.h"

class TLkBasicPin;

// The framework's error: a pin that depends on itself through its links.
class ELkException : public Exception {
public:
  using Exception::Exception;
};

inline constexpr const char* LkSelfDependencyMessage =
    "The pin depends on itself. Please protect with functional dependency.";

// The interface through which every pin is handed to handlers as a peer.
inline constexpr TGUID IID_ILkBasicPin = "{2BFF1BE1-1698-4CFA-A427-9E0801C5B357}"_guid;

enum class TLkPinKind { Source = 0, Sink = 1, State = 2 };

// A framework object with a lock of its own; pins and pin lists also know their owner's component
// lock and lend it away when they wait long.
class TLkObject : public TPersistent {
public:
  PUBLISHED_CLASS_INFO

  explicit TLkObject(ILkLock* componentLock = nullptr) : ComponentLock_(componentLock) {}

  // Refused (empty) while another thread's stop is pending on the object's lock: the caller skips
  // its work and reports the refusal.
  TLkLockSection ReadLock() { return Lock_.ReadLock(ComponentLock_); }
  TLkLockSection WriteLock() { return Lock_.WriteLock(ComponentLock_); }
  // Never refused: waits for a pending stop to end (see TLkLock::WaitingLock). For queries, which
  // have no refusal to report, and for work that must not be skipped once begun.
  TLkLockSection WaitingLock() { return Lock_.WaitingLock(ComponentLock_); }
  TLkLockSection UnlockAll() { return Lock_.UnlockAllSection(); }
  TLkLock& Lock() { return Lock_; }
  ILkLock* ComponentLock() const { return ComponentLock_; }

private:
  TLkLock Lock_;
  ILkLock* ComponentLock_;
};

// Anything that takes part in links: told when a pin goes or is replaced.
class TLkPinObject : public TLkObject {
public:
  PUBLISHED_CLASS_INFO
  using TLkObject::TLkObject;

  virtual void PinDestroying(TLkBasicPin* pin);
  virtual void PinReplaced(TLkBasicPin* oldPin, TLkBasicPin* newPin);
};
