#include "display/KvDisplayTrails.h"

#include "display/KvViewSettings.h"
#include "platform/Published.h"

const TClassInfo& TKvDisplayTrails::StaticClassInfo() {
  return DefineClass<TKvDisplayTrails, TKvDisplaySettings>("TKvDisplayTrails", [](TPublished<TKvDisplayTrails>& p) {
    p.Colour("Color", &TKvDisplayTrails::Color, &TKvDisplayTrails::SetColor, clWhite)
        .Object("Font", &TKvDisplayTrails::Font);
  });
}

TKvDisplayTrails::TKvDisplayTrails(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {
  Font_.OnChange = [this](TObject*) { Changed(); };
}
