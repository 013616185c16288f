#include "display/KvAxisValues.h"

const TClassInfo& TKvDisplayOptionalValue::StaticClassInfo() {
  return DefineClass<TKvDisplayOptionalValue, TKvDisplaySettings>(
      "TKvDisplayOptionalValue", [](TPublished<TKvDisplayOptionalValue>& p) {
        using C = TKvDisplayOptionalValue;
        // The value goes into the axis's list of limits.
        p.Float("Value", &C::Value, &C::SetValue, {}, [](const C&) {
           return false;
         }).Boolean("Enabled", &C::Enabled, &C::SetEnabled, {}, [](const C& c) {
          return c.Enabled() != c.DefaultEnabled;
        });
      });
}

TKvDisplayOptionalValue::TKvDisplayOptionalValue(TKvDataDisplay& display, TPersistent* owner, double value,
                                                 bool enabled, bool nonNegative)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout),
      Value_(value),
      Enabled_(enabled),
      DefaultEnabled(enabled),
      NonNegative(nonNegative) {}

const TClassInfo& TKvDisplayValueRange::StaticClassInfo() {
  return DefineClass<TKvDisplayValueRange, TKvDisplaySettings>(
      "TKvDisplayValueRange", [](TPublished<TKvDisplayValueRange>& p) {
        p.Object("Low", &TKvDisplayValueRange::Low).Object("High", &TKvDisplayValueRange::High);
      });
}

TKvDisplayValueRange::TKvDisplayValueRange(TKvDataDisplay& display, TPersistent* owner, double low, bool lowEnabled,
                                           double high, bool highEnabled, bool nonNegative)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout),
      Low_(display, this, low, lowEnabled, nonNegative),
      High_(display, this, high, highEnabled, nonNegative) {
  Low_.OnChange = [this](TObject*) {
    if (Low_.Value() > High_.Value()) High_.SetValue(Low_.Value());
    Changed();
  };
  High_.OnChange = [this](TObject*) {
    if (High_.Value() < Low_.Value()) Low_.SetValue(High_.Value());
    Changed();
  };
}

const TClassInfo& TKvBasicAxisValue::StaticClassInfo() {
  return DefineClass<TKvBasicAxisValue, TKvDisplaySettings>("TKvBasicAxisValue", [](TPublished<TKvBasicAxisValue>& p) {
    using C = TKvBasicAxisValue;
    p.Float("Value", &C::Value, &C::SetValue, {}, [](const C& c) {
       return c.StoresValue() && c.Value() != c.DefaultValue;
     }).Boolean("AutoScale", &C::AutoScale, &C::SetAutoScale, true);
  });
}

TKvBasicAxisValue::TKvBasicAxisValue(TKvDataDisplay& display, TPersistent* owner, double value)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout), Value_(value), DefaultValue(value) {}

const TClassInfo& TKvBasicScopeAxisValue::StaticClassInfo() {
  return DefineClass<TKvBasicScopeAxisValue, TKvBasicAxisValue>(
      "TKvBasicScopeAxisValue",
      [](TPublished<TKvBasicScopeAxisValue>& p) { p.Object("Range", &TKvBasicScopeAxisValue::Range); });
}

TKvBasicScopeAxisValue::TKvBasicScopeAxisValue(TKvDataDisplay& display, TPersistent* owner, double value)
    : TKvBasicAxisValue(display, owner, value), Range_(display, this, -1000, false, 1000, false) {
  Range_.OnChange = [this](TObject*) { Changed(); };
}

const TClassInfo& TKvScopeAxisValue::StaticClassInfo() {
  return DefineClass<TKvScopeAxisValue, TKvBasicScopeAxisValue>(
      "TKvScopeAxisValue", [](TPublished<TKvScopeAxisValue>& p) { p.Object("Tick", &TKvScopeAxisValue::Tick); });
}

TKvScopeAxisValue::TKvScopeAxisValue(TKvDataDisplay& display, TPersistent* owner, double value, double tick)
    : TKvBasicScopeAxisValue(display, owner, value), Tick_(display, this, tick) {
  Tick_.OnChange = [this](TObject*) { Changed(); };
}

const TClassInfo& TKvMaxScopeAxisValue::StaticClassInfo() {
  static const TEnumNames<TKvMaxAxisMode> modes = {{TKvMaxAxisMode::mamValue, "mamValue"},
                                                   {TKvMaxAxisMode::mamOffset, "mamOffset"}};
  return DefineClass<TKvMaxScopeAxisValue, TKvScopeAxisValue>(
      "TKvMaxScopeAxisValue", [](TPublished<TKvMaxScopeAxisValue>& p) {
        p.Enumeration("Mode", modes, &TKvMaxScopeAxisValue::Mode, &TKvMaxScopeAxisValue::SetMode,
                      TKvMaxAxisMode::mamValue);
      });
}

const TClassInfo& TKvScopeMaxSample::StaticClassInfo() {
  return DefineClass<TKvScopeMaxSample, TKvDisplaySettings>("TKvScopeMaxSample", [](TPublished<TKvScopeMaxSample>& p) {
    using C = TKvScopeMaxSample;
    p.Boolean("Autosize", &C::Autosize, &C::SetAutosize, true).Unsigned("Value", &C::Value, &C::SetValue, 1024u);
  });
}

const TClassInfo& TKvDisplayAxisZoom::StaticClassInfo() {
  return DefineClass<TKvDisplayAxisZoom, TKvDisplaySettings>(
      "TKvDisplayAxisZoom", [](TPublished<TKvDisplayAxisZoom>& p) { p.Object("Range", &TKvDisplayAxisZoom::Range); });
}

TKvDisplayAxisZoom::TKvDisplayAxisZoom(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout),
      Range_(display, this, 1e-07, true, 1e8, false, true) {
  Range_.OnChange = [this](TObject*) { Changed(); };
}

const TClassInfo& TKvScopeAutoScalingSpace::StaticClassInfo() {
  return DefineClass<TKvScopeAutoScalingSpace, TKvDisplaySettings>(
      "TKvScopeAutoScalingSpace", [](TPublished<TKvScopeAutoScalingSpace>& p) {
        using C = TKvScopeAutoScalingSpace;
        p.Unsigned("Space", &C::Space, &C::SetSpace, 20u).Unsigned("Threshold", &C::Threshold, &C::SetThreshold, 10u);
      });
}

const TClassInfo& TKvScopeAutoScaling::StaticClassInfo() {
  return DefineClass<TKvScopeAutoScaling, TKvDisplaySettings>(
      "TKvScopeAutoScaling", [](TPublished<TKvScopeAutoScaling>& p) {
        using C = TKvScopeAutoScaling;
        p.Boolean("Enabled", &C::Enabled, &C::SetEnabled, true)
            .Object("SpaceAbove", &C::SpaceAbove)
            .Object("SpaceBelow", &C::SpaceBelow)
            .Unsigned("MaxHistory", &C::MaxHistory, &C::SetMaxHistory, 20u);
      });
}

TKvScopeAutoScaling::TKvScopeAutoScaling(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout),
      SpaceAbove_(display, this),
      SpaceBelow_(display, this) {
  SpaceAbove_.OnChange = SpaceBelow_.OnChange = [this](TObject*) { Changed(); };
}

const TClassInfo& TKvScopeXAxisUnitScale::StaticClassInfo() {
  return DefineClass<TKvScopeXAxisUnitScale, TKvDisplaySettings>(
      "TKvScopeXAxisUnitScale", [](TPublished<TKvScopeXAxisUnitScale>& p) {
        using C = TKvScopeXAxisUnitScale;
        p.Boolean("AutoScale", &C::AutoScale, &C::SetAutoScale, true)
            .Integer("Exponent", &C::Exponent, &C::SetExponent, 0);
      });
}

const TClassInfo& TKvDisplayAxisCursorSettings::StaticClassInfo() {
  return DefineClass<TKvDisplayAxisCursorSettings, TKvDisplaySettings>(
      "TKvDisplayAxisCursorSettings", [](TPublished<TKvDisplayAxisCursorSettings>& p) {
        p.Boolean("SnapToSample", &TKvDisplayAxisCursorSettings::SnapToSample,
                  &TKvDisplayAxisCursorSettings::SetSnapToSample, false);
      });
}
