#include "display/KvMouseHitPoint.h"

const TClassInfo& TKvMouseHitPoint::StaticClassInfo() {
  return DefineClass<TKvMouseHitPoint, TKvDisplaySettings>("TKvMouseHitPoint", [](TPublished<TKvMouseHitPoint>& p) {
    using C = TKvMouseHitPoint;
    p.Boolean("Enabled", &C::Enabled, &C::SetEnabled, true)
        .Boolean("UseChannelColor", &C::UseChannelColor, &C::SetUseChannelColor, true)
        .Colour("Color", &C::Color, &C::SetColor, clLime)
        .Object("Label", &C::Label);
  });
}

TKvMouseHitPoint::TKvMouseHitPoint(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw), Label_(display, this, "", KvFont8pt, 0) {}
