#pragma once

#include "platform/Event.h"
#include "platform/Persistent.h"

// A persistent sub-object of a component (a format, an axis setting): it knows its owner and keeps
// its zero floating-point values in the layout through _Floats.
class TEzLockedPersistent : public TPersistent {
public:
  PUBLISHED_CLASS_INFO

  explicit TEzLockedPersistent(TPersistent* owner) : Owner_(owner) {}

  TPersistent* GetOwner() const override { return Owner_; }
  void DefineProperties(TFiler& filer) override;

private:
  TPersistent* Owner_;
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
