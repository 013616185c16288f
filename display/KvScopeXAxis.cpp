#include "display/KvScopeXAxis.h"

#include "display/KvDataChart.h"

#include <algorithm>
#include <cmath>

const TEnumNames<TKvDisplayAxisTicksMode>& TicksModeNames() {
  static const TEnumNames<TKvDisplayAxisTicksMode> names = {
      {TKvDisplayAxisTicksMode::atmAuto, "atmAuto"},
      {TKvDisplayAxisTicksMode::atmAxis, "atmAxis"},
      {TKvDisplayAxisTicksMode::atmBufferSamples, "atmBufferSamples"},
      {TKvDisplayAxisTicksMode::atmFrequency, "atmFrequency"},
      {TKvDisplayAxisTicksMode::atmIntensity, "atmIntensity"},
      {TKvDisplayAxisTicksMode::atmTime, "atmTime"},
      {TKvDisplayAxisTicksMode::atmManual, "atmManual"}};
  return names;
}

const TClassInfo& TKvBasicScopeXAxis::StaticClassInfo() {
  return DefineClass<TKvBasicScopeXAxis, TKvDisplayXAxis>("TKvBasicScopeXAxis", [](TPublished<TKvBasicScopeXAxis>& p) {
    using C = TKvBasicScopeXAxis;
    p.Object("Format", &C::Format)
        .Enumeration("TicksMode", TicksModeNames(), &C::TicksMode, &C::SetTicksMode, TKvDisplayAxisTicksMode::atmAuto)
        .Object("UnitScale", &C::UnitScale)
        .Object("Min", &C::Min)
        .Object("Max", &C::Max)
        .Object("MaxSample", &C::MaxSample)
        .Enumeration("ScaleMode", ScaleModeNames(), &C::ScaleMode, &C::SetScaleMode, TKvScaleMode::smLinear)
        .Object("CursorSettings", &C::CursorSettings)
        .Object("Zooming", &C::Zooming)
        .Object("DataView", &C::DataView);
  });
}

TKvBasicScopeXAxis::TKvBasicScopeXAxis(TKvDataChart& chart, const std::string& caption, TColor lines, TColor zeroLine,
                                       TKvDisplayView* before)
    : TKvScopeAxis(chart, caption, lines, zeroLine, before),
      Format_(chart, this),
      UnitScale_(chart, this),
      Min_(chart, this, 0, 0),
      Max_(chart, this, 1024, 1024),
      MaxSample_(chart, this) {
  Format_.OnChange = Min_.OnChange = Max_.OnChange = [this](TObject*) { Changed(); };
  // The time and frequency ranges of the display follow the scale.
  UnitScale_.OnChange = [this](TObject*) {
    Chart().InvalidateTimeRange();
    Changed();
  };
  MaxSample_.OnChange = [this](TObject*) {
    if (!MaxSample_.Autosize()) StoreSamples(static_cast<int>(std::min<uint32_t>(MaxSample_.Value(), INT32_MAX)));
    Changed();
  };
}

void TKvBasicScopeXAxis::SetTicksMode(TKvDisplayAxisTicksMode mode) {
  if (mode == TicksMode_) return;
  Locked([&] { TicksMode_ = mode; });
  Changed();
}

bool TKvBasicScopeXAxis::IsFrequencyMode() const {
  return TicksMode_ == TKvDisplayAxisTicksMode::atmFrequency ||
         (TicksMode_ == TKvDisplayAxisTicksMode::atmAuto && Chart().HasSpectrumChannel());
}

bool TKvBasicScopeXAxis::IsAxisMode() const {
  return TicksMode_ == TKvDisplayAxisTicksMode::atmAxis ||
         (TicksMode_ == TKvDisplayAxisTicksMode::atmAuto && Chart().HasXYChannel());
}

namespace {

// The power of ten, in steps of three, that keeps `value` readable; 0 for what has no logarithm.
int EngineeringExponent(double value) {
  if (!(value > 0) || !std::isfinite(value)) return 0;
  return 3 * static_cast<int>(std::trunc(std::log10(value) / 3));
}

}  // namespace

int TKvBasicScopeXAxis::FrequencyExponent() const {
  return UnitScale_.AutoScale() ? EngineeringExponent(Chart().GetSampleRate()) : UnitScale_.Exponent();
}

int TKvBasicScopeXAxis::TimeExponent() const {
  if (!UnitScale_.AutoScale()) return UnitScale_.Exponent();
  return Samples() > 0 ? EngineeringExponent(Chart().GetSampleRate() / Samples() * 1000) : 0;
}

double TKvBasicScopeXAxis::ToSamples(double value) const {
  const double span = GetTickMax() - GetTickMin();
  return span == 0 ? value : Samples() * value / span;
}

void TKvBasicScopeXAxis::SetSamples(int count) {
  if (!MaxSample_.Autosize()) count = static_cast<int>(std::min<uint32_t>(MaxSample_.Value(), INT32_MAX));
  else if (count == 0) count = 1024;
  if (count == Samples()) return;
  StoreSamples(count);
  Chart().InvalidateTimeRange();
}

double TKvBasicScopeXAxis::EndLabel(bool maximum, bool honourAutoScale) const {
  const TKvScopeAxisValue& end = maximum ? static_cast<const TKvScopeAxisValue&>(Max_) : Min_;
  if (TicksMode_ == TKvDisplayAxisTicksMode::atmManual || !end.Tick()->AutoScale()) return end.Tick()->Value();
  if (honourAutoScale && !end.AutoScale()) {
    if (!maximum) return Min_.Value();
    return Max_.Mode() == TKvMaxAxisMode::mamValue ? Max_.Value() : GetFullMin() + Max_.Value();
  }
  if (!maximum) {
    if (IsTimeMode() || IsFrequencyMode()) return 0;
    return Samples() < 2 ? Min_.Value() : Chart().GetDataXMin();
  }
  if (IsTimeMode()) return Chart().GetTimeMax();
  if (IsFrequencyMode()) return Chart().GetFrequencyMax();
  if (Samples() > 1) return Chart().GetDataXMax();
  return Max_.Value() > Min_.Value() ? Max_.Value() : Min_.Value() + Samples() - 1;
}

double TKvBasicScopeXAxis::ComputeFullMin() const {
  if (!Min_.AutoScale()) return ToSamples(Min_.Value());
  if (IsTimeMode() || IsFrequencyMode()) return 0;
  return Samples() < 2 ? Min_.Value() : Chart().GetDataXMin();
}

double TKvBasicScopeXAxis::ComputeFullMax() const {
  if (!Max_.AutoScale())
    return Max_.Mode() == TKvMaxAxisMode::mamValue ? ToSamples(Max_.Value()) : GetFullMin() + Max_.Value();
  if (Samples() > 1) return Chart().GetDataXMax();
  return Max_.Value() > Min_.Value() ? Max_.Value() : ToSamples(Min_.Value()) + Samples() - 1;
}

double TKvBasicScopeXAxis::ComputeRange(TKvAxisRange which) const {
  switch (which) {
    // A zoom window never reaches beyond the full range.
    case TKvAxisRange::VisibleMin: return IsZoomed() ? std::max(ZoomMin(), GetFullMin()) : GetFullMin();
    case TKvAxisRange::VisibleMax: return IsZoomed() ? std::min(ZoomMax(), GetFullMax()) : GetFullMax();
    case TKvAxisRange::UnitMin: return EndLabel(false, true);
    case TKvAxisRange::UnitMax: return EndLabel(true, true);
    case TKvAxisRange::TickMin: return EndLabel(false, false);
    case TKvAxisRange::TickMax: return EndLabel(true, false);
    default: return TKvDisplayXAxis::ComputeRange(which);
  }
}

int TKvBasicScopeXAxis::VisibleSample(const TKvScopeAxisValue& end) const {
  const double full[] = {GetFullMin(), GetFullMax()};
  return RoundPixel(std::clamp(ToSamples(end.Value()), std::min(full[0], full[1]), std::max(full[0], full[1])));
}

int TKvBasicScopeXAxis::GetFirstVisibleSample() const { return Min_.AutoScale() ? 0 : VisibleSample(Min_); }

int TKvBasicScopeXAxis::GetLastVisibleSample() const { return Max_.AutoScale() ? Samples() : VisibleSample(Max_); }

std::string TKvBasicScopeXAxis::GetCaption() const {
  const std::string& text = AxisLabel()->Text();
  if (!text.empty()) return text;
  if (TicksMode_ == TKvDisplayAxisTicksMode::atmManual ||
      (TicksMode_ == TKvDisplayAxisTicksMode::atmAuto && Display().IsDesigning()))
    return "X Axis";
  if (IsTimeMode()) {
    const int e = TimeExponent();
    switch (e) {
      case 0: return "Sec";
      case 3: return "mSec";
      case 6: return "uSec";
      case 9: return "nSec";
      default: return "Sec (E" + std::to_string(-e) + ")";
    }
  }
  if (IsFrequencyMode()) {
    const int e = FrequencyExponent();
    switch (e) {
      case 0: return "Hz";
      case 3: return "kHz";
      case 6: return "MHz";
      case 9: return "GHz";
      case -3: return "mHz";
      case -6: return "uHz";
      case -9: return "nHz";
      default: return "Hz (E" + std::to_string(-e) + ")";
    }
  }
  if (TicksMode_ == TKvDisplayAxisTicksMode::atmIntensity) return "Intensity";
  if (IsAxisMode()) return "X Axis";
  return "Samples";
}

std::string TKvBasicScopeXAxis::FormatValue(double value) const {
  return Format_.FormatValue(value, GetVisibleUnitMin(), GetVisibleUnitMax());
}

void TKvBasicScopeXAxis::DefineProperties(TFiler& filer) {
  TKvScopeAxis::DefineProperties(filer);
  DefineLimits(filer, "MinMaxRange", {}, {4, 6}, Format_);
  const auto never = [](TLayoutWriter&) {};
  filer.DefineProperty(
      "MinMax",
      [this](TLayoutReader& reader) {
        reader.ReadListBegin();
        const double min = reader.ReadFloat();
        const double max = reader.ReadFloat();
        reader.ReadListEnd();
        Min_.Tick()->SetValue(min);
        Max_.Tick()->SetValue(max);
      },
      never, false);
  filer.DefineProperty(
      "AutoScale",
      [this](TLayoutReader& reader) {
        const bool autoScale = reader.ReadBoolean();
        Min_.SetAutoScale(autoScale);
        Max_.SetAutoScale(autoScale);
      },
      never, false);
}

template <>
const TClassInfo& TKvAdditionalXAxisItem::StaticClassInfo() {
  return DefineClass<TKvAdditionalXAxisItem, TLkExtCollectionItem>(
      "TKvAdditionalXAxisItem",
      [](TPublished<TKvAdditionalXAxisItem>& p) { p.Object("Axis", &TKvAdditionalXAxisItem::GetAxis); });
}

template <>
const TClassInfo& TKvAdditionalXAxes::StaticClassInfo() {
  return DefineClass<TKvAdditionalXAxes, TLkExtCollection>("TKvAdditionalXAxes");
}

const TClassInfo& TKvAdditionalScopeXAxis::StaticClassInfo() {
  return DefineClass<TKvAdditionalScopeXAxis, TKvBasicScopeXAxis>("TKvAdditionalScopeXAxis");
}

const TClassInfo& TKvScopeXAxis::StaticClassInfo() {
  return DefineClass<TKvScopeXAxis, TKvBasicScopeXAxis>("TKvScopeXAxis", [](TPublished<TKvScopeXAxis>& p) {
    p.Collection("AdditionalAxes", &TKvScopeXAxis::AdditionalAxes);
  });
}

TKvScopeXAxis::TKvScopeXAxis(TKvDataChart& chart, TKvDisplayView* before)
    : TKvBasicScopeXAxis(chart, "", clGreen, clWhite, before), AdditionalAxes_(*this, chart, "X Axis ") {}
