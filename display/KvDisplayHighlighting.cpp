#include "display/KvDisplayHighlighting.h"

const TClassInfo& TKvDisplayItemHighlighting::StaticClassInfo() {
  return DefineClass<TKvDisplayItemHighlighting, TKvDisplaySettings>(
      "TKvDisplayItemHighlighting", [](TPublished<TKvDisplayItemHighlighting>& p) {
        using C = TKvDisplayItemHighlighting;
        p.Boolean("HiglightLegendButton", &C::HiglightLegendButton, &C::SetHiglightLegendButton, true)
            .Boolean("HiglightFromLegend", &C::HiglightFromLegend, &C::SetHiglightFromLegend, true)
            .Boolean("HiglightFromMouse", &C::HiglightFromMouse, &C::SetHiglightFromMouse, {},
                     [](const C& item) { return item.FromMouse != item.DefaultFromMouse; })
            .Colour("Color", &C::Color, &C::SetColor, clLime);
      });
}

TKvDisplayItemHighlighting::TKvDisplayItemHighlighting(TKvDataDisplay& display, TPersistent* owner, bool fromMouse)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw), FromMouse(fromMouse), DefaultFromMouse(fromMouse) {}

const TClassInfo& TKvChannelItemHighlighting::StaticClassInfo() {
  return DefineClass<TKvChannelItemHighlighting, TKvDisplayItemHighlighting>(
      "TKvChannelItemHighlighting", [](TPublished<TKvChannelItemHighlighting>&) {});
}

const TClassInfo& TKvDisplayHighlighting::StaticClassInfo() {
  return DefineClass<TKvDisplayHighlighting, TKvDisplaySettings>("TKvDisplayHighlighting",
                                                                 [](TPublished<TKvDisplayHighlighting>& p) {
                                                                   using C = TKvDisplayHighlighting;
                                                                   p.Object("Channels", &C::Channels)
                                                                       .Object("ChannelLinks", &C::ChannelLinks)
                                                                       .Object("Markers", &C::Markers)
                                                                       .Object("Zones", &C::Zones)
                                                                       .Object("Ellipses", &C::Ellipses)
                                                                       .Object("Cursors", &C::Cursors)
                                                                       .Object("CursorLinks", &C::CursorLinks)
                                                                       .Object("MouseHitPoint", &C::MouseHitPoint);
                                                                 });
}

TKvDisplayHighlighting::TKvDisplayHighlighting(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw),
      Channels_(display, this),
      Cursors_(display, this, true),
      CursorLinks_(display, this, true),
      ChannelLinks_(display, this),
      Markers_(display, this, true),
      Zones_(display, this, true),
      Ellipses_(display, this, true),
      MouseHitPoint_(display, this) {}
