#pragma once

#include "platform/Event.h"
#include "platform/Persistent.h"

#include <functional>

// A persistent sub-object of a component (a format, an axis setting): it knows its owner, changes
// only under its owner's component lock, and keeps its zero floating-point values in the layout
// through _Floats.
class TEzLockedPersistent : public TPersistent {
public:
  PUBLISHED_CLASS_INFO

  // Runs a change inside a write section of the owner's component lock; false, without running
  // it, when the lock gives no section because a stop is pending. The owner hands it in, since
  // the component lock belongs to the pin layer above this one.
  using TWriteLock = std::function<bool(const std::function<void()>& change)>;

  explicit TEzLockedPersistent(TPersistent* owner) : Owner_(owner) {}

  TPersistent* GetOwner() const override { return Owner_; }
  void DefineProperties(TFiler& filer) override;
  void SetWriteLock(TWriteLock lock) { WriteLock = std::move(lock); }

protected:
  // Runs `change` under the owner's write lock; without a lock at once. A refused lock drops it.
  void Locked(const std::function<void()>& change) const {
    if (WriteLock) WriteLock(change);
    else change();
  }

private:
  TPersistent* Owner_;
  TWriteLock WriteLock;
};

// A sub-object that tells its owner about every change through one callback.
class TEzLockedPersistentNotify : public TEzLockedPersistent {
public:
  PUBLISHED_CLASS_INFO

  using TEzLockedPersistent::TEzLockedPersistent;

  TEvent<TNotifyEvent> OnChange;

protected:
  void Changed() { OnChange(this); }
};
