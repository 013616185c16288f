#include "display/KvLevelAxis.h"

#include "display/KvAxisFormat.h"
#include "platform/Published.h"

const TClassInfo& TKvBasicLevelAxis::StaticClassInfo() {
  return DefineClass<TKvBasicLevelAxis, TKvDisplaySettings>("TKvBasicLevelAxis", [](TPublished<TKvBasicLevelAxis>& p) {
    using C = TKvBasicLevelAxis;
    p.Colour("Color", &C::Color, &C::SetColor, clWhite)
        .Object("Font", &C::Font)
        .Integer("Precision", &C::Precision, &C::SetPrecision, 3)
        .Boolean("FixedPrecision", &C::FixedPrecision, &C::SetFixedPrecision, false)
        .Boolean("Visible", &C::Visible, &C::SetVisible, true)
        .Enumeration("ScaleMode", ScaleModeNames(), &C::ScaleMode, &C::SetScaleMode, TKvScaleMode::smLinear)
        .Boolean("Autoscale", &C::Autoscale, &C::SetAutoscale, true)
        .Integer("Min", &C::Min, &C::SetMin, 0)
        .Integer("Max", &C::Max, &C::SetMax, 1000)
        .Event("OnCustomLabel", &C::OnCustomLabel);
  });
}

const TClassInfo& TKvLevelAxis::StaticClassInfo() {
  return DefineClass<TKvLevelAxis, TKvBasicLevelAxis>("TKvLevelAxis");
}

TKvBasicLevelAxis::TKvBasicLevelAxis(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout) {
  Font_.OnChange = [this](TObject*) { Changed(); };
}

std::string TKvBasicLevelAxis::ValueText(double value, double min, double max) const {
  // The digits of an axis label in the general format, but none over an empty range.
  const int decimals = !FixedPrecision_ && min == max ? 0 : LabelDecimals(Precision_, FixedPrecision_, min, max);
  return FormatFixed(value, decimals);
}
