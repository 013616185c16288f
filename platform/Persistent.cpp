#include "platform/Persistent.h"

#include "platform/Published.h"

const TClassInfo& TPersistent::StaticClassInfo() { return DefineClass<TPersistent, TObject>("TPersistent"); }

void TPersistent::DefineProperties(TFiler&) {}

void TPersistent::Assign(const TPersistent& source) {
  throw EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}
