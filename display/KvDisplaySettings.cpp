#include "display/KvDisplaySettings.h"

#include "display/KvDataDisplay.h"
#include "platform/Published.h"

const TClassInfo& TKvDisplaySettings::StaticClassInfo() {
  return DefineClass<TKvDisplaySettings, TEzLockedPersistentNotify>("TKvDisplaySettings");
}

TKvDisplaySettings::TKvDisplaySettings(TKvDataDisplay& display, TPersistent* owner, TKvChangeNeed need)
    : TEzLockedPersistentNotify(owner), Display_(display), Need(need) {
  SetWriteLock(display.WriteLocker());
}

void TKvDisplaySettings::Changed() {
  if (OnChange) return OnChange(this);
  if (Need == TKvChangeNeed::Relayout) Display_.Relayout();
  else Display_.Redraw();
}
