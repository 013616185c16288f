#include "platform/EzCustomControl.h"

#include "platform/Published.h"
#include "platform/ZeroFloats.h"

const TClassInfo& TEzCustomControl::StaticClassInfo() {
  return DefineClass<TEzCustomControl, TWinControl>("TEzCustomControl");
}

void TEzCustomControl::DefineProperties(TFiler& filer) {
  TWinControl::DefineProperties(filer);
  DefineZeroFloats(*this, filer);
}
