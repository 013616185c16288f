#include "platform/EzLockedPersistent.h"

#include "platform/Published.h"
#include "platform/ZeroFloats.h"

const TClassInfo& TEzLockedPersistent::StaticClassInfo() {
  return DefineClass<TEzLockedPersistent, TPersistent>("TEzLockedPersistent");
}

void TEzLockedPersistent::DefineProperties(TFiler& filer) {
  TPersistent::DefineProperties(filer);
  DefineZeroFloats(*this, filer);
}

const TClassInfo& TEzLockedPersistentNotify::StaticClassInfo() {
  return DefineClass<TEzLockedPersistentNotify, TEzLockedPersistent>("TEzLockedPersistentNotify");
}
