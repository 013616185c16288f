#include "display/KvViewSettings.h"

#include "platform/Published.h"

const TClassInfo& TKvDisplayViewBackground::StaticClassInfo() {
  return DefineClass<TKvDisplayViewBackground, TKvDisplaySettings>(
      "TKvDisplayViewBackground", [](TPublished<TKvDisplayViewBackground>& p) {
        using C = TKvDisplayViewBackground;
        p.Colour("Color", &C::Color, &C::SetColor, clBlack)
            .Boolean("UseControlColor", &C::UseControlColor, &C::SetUseControlColor, true);
      });
}

const TClassInfo& TKvDisplayViewSize::StaticClassInfo() {
  return DefineClass<TKvDisplayViewSize, TKvDisplaySettings>(
      "TKvDisplayViewSize", [](TPublished<TKvDisplayViewSize>& p) {
        using C = TKvDisplayViewSize;
        p.Boolean("AutoSize", &C::AutoSize, &C::SetAutoSize, true).Unsigned("Size", &C::Size, &C::SetSize, 100u);
      });
}

const TClassInfo& TKvDisplayGridLineSettings::StaticClassInfo() {
  return DefineClass<TKvDisplayGridLineSettings, TKvDisplaySettings>(
      "TKvDisplayGridLineSettings", [](TPublished<TKvDisplayGridLineSettings>& p) {
        using C = TKvDisplayGridLineSettings;
        p.Boolean("Visible", &C::Visible, &C::SetVisible, true).Object("Pen", &C::Pen);
      });
}

TKvDisplayGridLineSettings::TKvDisplayGridLineSettings(TKvDataDisplay& display, TPersistent* owner, TColor color)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw), Pen_(color) {
  Pen_.OnChange = [this](TObject*) { Changed(); };
}

const TClassInfo& TKvDisplayGridDirectionalLinesSettings::StaticClassInfo() {
  return DefineClass<TKvDisplayGridDirectionalLinesSettings, TKvDisplaySettings>(
      "TKvDisplayGridDirectionalLinesSettings", [](TPublished<TKvDisplayGridDirectionalLinesSettings>& p) {
        using C = TKvDisplayGridDirectionalLinesSettings;
        p.Object("Lines", &C::Lines).Object("ZeroLine", &C::ZeroLine);
      });
}

TKvDisplayGridDirectionalLinesSettings::TKvDisplayGridDirectionalLinesSettings(TKvDataDisplay& display,
                                                                               TPersistent* owner, TColor lines,
                                                                               TColor zero)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw),
      Lines_(display, this, lines),
      ZeroLine_(display, this, zero) {}

const TClassInfo& TKvDisplayLabel::StaticClassInfo() {
  return DefineClass<TKvDisplayLabel, TKvDisplaySettings>("TKvDisplayLabel", [](TPublished<TKvDisplayLabel>& p) {
    using C = TKvDisplayLabel;
    p.String("Text", &C::Text, &C::SetText, {}, [](const C& c) { return c.Text() != c.DefaultText; })
        .Boolean("Visible", &C::Visible, &C::SetVisible, true)
        .Object("Font", &C::Font);
  });
}

TKvDisplayLabel::TKvDisplayLabel(TKvDataDisplay& display, TPersistent* owner, const std::string& text, int fontHeight,
                                 uint32_t fontStyle)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout),
      Text_(text),
      DefaultText(text),
      Font_(KvFontName, fontHeight, fontStyle, clWhite) {
  Font_.OnChange = [this](TObject*) { Changed(); };
}

const TClassInfo& TKvViewButtonSettings::StaticClassInfo() {
  return DefineClass<TKvViewButtonSettings, TKvDisplaySettings>(
      "TKvViewButtonSettings", [](TPublished<TKvViewButtonSettings>& p) {
        using C = TKvViewButtonSettings;
        p.Boolean("Enabled", &C::Enabled, &C::SetEnabled, true)
            .Enumeration("Cursor", CursorNames(), &C::Cursor, &C::SetCursor, TCursor::crHandPoint)
            .Colour("MouseOverBorderColor", &C::MouseOverBorderColor, &C::SetMouseOverBorderColor, clLime)
            .Colour("MouseOverColor", &C::MouseOverColor, &C::SetMouseOverColor, clGreen)
            .Colour("MouseDownBorderColor", &C::MouseDownBorderColor, &C::SetMouseDownBorderColor, clYellow)
            .Colour("MouseDownColor", &C::MouseDownColor, &C::SetMouseDownColor, clOlive);
      });
}
