#include "display/KvLegendView.h"

#include "display/KvDataDisplay.h"

const TClassInfo& TKvLegendViewButtonSettings::StaticClassInfo() {
  return DefineClass<TKvLegendViewButtonSettings, TKvViewButtonSettings>(
      "TKvLegendViewButtonSettings", [](TPublished<TKvLegendViewButtonSettings>& p) {
        using C = TKvLegendViewButtonSettings;
        p.Colour("GlyphColor", &C::GlyphColor, &C::SetGlyphColor, clYellow)
            .Colour("BorderColor", &C::BorderColor, &C::SetBorderColor, clGreen)
            .Colour("ButtonColor", &C::ButtonColor, &C::SetButtonColor, clBlack)
            .Colour("DisabledColor", &C::DisabledColor, &C::SetDisabledColor, clGreen);
      });
}

const TClassInfo& TKvLegendGroup::StaticClassInfo() {
  return DefineClass<TKvLegendGroup, TKvDisplaySettings>("TKvLegendGroup", [](TPublished<TKvLegendGroup>& p) {
    using C = TKvLegendGroup;
    p.Object("Caption", &C::Caption)
        .Boolean("Visible", &C::Visible, &C::SetVisible, true)
        .Enumeration("Cursor", CursorNames(), &C::Cursor, &C::SetCursor, TCursor::crHandPoint);
  });
}

TKvLegendGroup::TKvLegendGroup(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout), Caption_(display, this, "", KvFont10pt, fsBold) {
  Caption_.OnChange = [this](TObject*) { Changed(); };
}

const TClassInfo& TKvLegendView::StaticClassInfo() {
  return DefineClass<TKvLegendView, TKvOptionalView>("TKvLegendView", [](TPublished<TKvLegendView>& p) {
    p.Object("Font", &TKvLegendView::Font).Object("Buttons", &TKvLegendView::Buttons);
  });
}

TKvLegendView::TKvLegendView(TKvDataDisplay& display)
    : TKvOptionalView(display, TKvViewAlign::vaRight), Buttons_(display, this) {
  Font_.OnChange = [this](TObject*) { Display().Relayout(); };
}

TKvViewSize TKvLegendView::GetSize() const {
  const int across = ViewSize()->AutoSize() ? 0 : static_cast<int>(ViewSize()->Size());
  const TKvViewAlign align = GetAlign();
  if (align == TKvViewAlign::vaTop || align == TKvViewAlign::vaBottom) return {-1, across};
  return {across, -1};
}

const TClassInfo& TKvScopeLegendView::StaticClassInfo() {
  return DefineClass<TKvScopeLegendView, TKvLegendView>("TKvScopeLegendView", [](TPublished<TKvScopeLegendView>& p) {
    using C = TKvScopeLegendView;
    p.Object("Channels", &C::Channels)
        .Object("ChannelLinks", &C::ChannelLinks)
        .Object("MarkerGroups", &C::MarkerGroups)
        .Object("Zones", &C::Zones)
        .Object("Ellipses", &C::Ellipses)
        .Object("Cursors", &C::Cursors)
        .Object("CursorLinks", &C::CursorLinks);
  });
}

TKvScopeLegendView::TKvScopeLegendView(TKvDataDisplay& display)
    : TKvLegendView(display), Groups{{display, this}, {display, this}, {display, this}, {display, this},
                                     {display, this}, {display, this}, {display, this}} {}
