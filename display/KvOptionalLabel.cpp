#include "display/KvOptionalLabel.h"

const TClassInfo& TKvOptionalLabel::StaticClassInfo() {
  return DefineClass<TKvOptionalLabel, TKvDisplaySettings>("TKvOptionalLabel", [](TPublished<TKvOptionalLabel>& p) {
    using C = TKvOptionalLabel;
    p.String("Text", &C::Text, &C::SetText, std::string())
        .Boolean("Visible", &C::Visible, &C::SetVisible, false)
        .Object("Font", &C::Font);
  });
}

TKvOptionalLabel::TKvOptionalLabel(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {
  Font_.OnChange = [this](TObject*) { Changed(); };
}
