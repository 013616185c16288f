#include "display/KvScopeAxisLimits.h"

#include "display/KvAxisFormat.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <algorithm>
#include <vector>

namespace {

void Shift(double& min, double& max, double by) {
  min += by;
  max += by;
}

void SetSpanAboutCentre(double& min, double& max, double span) {
  const double centre = (min + max) / 2;
  min = centre - span / 2;
  max = centre + span / 2;
}

}  // namespace

void TKvScopeAxisLimits::Limit(double& min, double& max) const {
  const TKvDisplayOptionalValue& minLow = *Min.Range()->Low();
  const TKvDisplayOptionalValue& minHigh = *Min.Range()->High();
  const TKvDisplayOptionalValue& maxLow = *Max.Range()->Low();
  const TKvDisplayOptionalValue& maxHigh = *Max.Range()->High();
  if (minHigh.Enabled() && min > minHigh.Value()) Shift(min, max, minHigh.Value() - min);
  if (minLow.Enabled() && min < minLow.Value()) {
    Shift(min, max, minLow.Value() - min);
    if (maxHigh.Enabled() && max > maxHigh.Value()) max = maxHigh.Value();
  }
  if (maxHigh.Enabled() && max > maxHigh.Value()) Shift(min, max, maxHigh.Value() - max);
  if (maxLow.Enabled() && max < maxLow.Value()) {
    Shift(min, max, maxLow.Value() - max);
    if (minHigh.Enabled() && min > minHigh.Value()) min = minHigh.Value();
  }
  const TKvDisplayOptionalValue& narrowest = *Zooming.Range()->Low();
  const TKvDisplayOptionalValue& widest = *Zooming.Range()->High();
  if (narrowest.Enabled() && max - min < narrowest.Value()) SetSpanAboutCentre(min, max, narrowest.Value());
  if (widest.Enabled() && max - min > widest.Value()) SetSpanAboutCentre(min, max, widest.Value());
}

bool TKvScopeAxisLimits::CanZoomIn(double min, double max) const {
  const TKvDisplayOptionalValue& narrowest = *Zooming.Range()->Low();
  if (narrowest.Enabled() && max - min <= narrowest.Value()) return false;
  const TKvDisplayOptionalValue& maxLow = *Max.Range()->Low();
  const TKvDisplayOptionalValue& minHigh = *Min.Range()->High();
  return !(maxLow.Enabled() && minHigh.Enabled() && max <= maxLow.Value() && min >= minHigh.Value());
}

bool TKvScopeAxisLimits::CanZoomOut(double min, double max) const {
  const TKvDisplayOptionalValue& widest = *Zooming.Range()->High();
  if (widest.Enabled() && max - min >= widest.Value()) return false;
  const TKvDisplayOptionalValue& maxHigh = *Max.Range()->High();
  const TKvDisplayOptionalValue& minLow = *Min.Range()->Low();
  return !(maxHigh.Enabled() && minLow.Enabled() && max >= maxHigh.Value() && min <= minLow.Value());
}

void DefineLimitList(TFiler& filer, const char* name, std::initializer_list<TKvDisplayOptionalValue*> values,
                     std::initializer_list<TKvBasicAxisValue*> ends, std::initializer_list<size_t> accepted) {
  // The ends' values come first, then the limits.
  std::vector<std::function<double()>> getters;
  std::vector<std::function<void(double)>> setters;
  for (TKvBasicAxisValue* end : ends) {
    getters.emplace_back([end] { return end->Value(); });
    setters.emplace_back([end](double value) { end->SetValue(value); });
  }
  for (TKvDisplayOptionalValue* value : values) {
    getters.emplace_back([value] { return value->Value(); });
    setters.emplace_back([value](double v) { value->SetValue(v); });
  }
  const std::vector<size_t> lengths(accepted);
  filer.DefineProperty(
      name,
      [&setters, &lengths, name](TLayoutReader& reader) {
        std::vector<double> read;
        reader.ReadListBegin();
        while (!reader.EndOfList() && read.size() < setters.size()) read.push_back(reader.ReadFloat());
        reader.ReadListEnd();
        if (std::find(lengths.begin(), lengths.end(), read.size()) == lengths.end())
          reader.Error(std::string(name) + " holds " + std::to_string(read.size()) + " values");
        for (size_t i = 0; i < read.size(); ++i) setters[i](read[i]);
      },
      [&getters](TLayoutWriter& writer) {
        writer.WriteListBegin();
        for (const auto& get : getters) writer.WriteFloat(get());
        writer.WriteListEnd();
      },
      true);
}

void DefineLegacyAxisProperties(TFiler& filer, const TKvLegacyAxisTarget& target) {
  const auto never = [](TLayoutWriter&) {};
  filer.DefineProperty(
      "MinMaxScale",
      [&target](TLayoutReader& reader) {
        reader.ReadListBegin();
        const double min = reader.ReadFloat();
        const double max = reader.ReadFloat();
        reader.ReadListEnd();
        target.Min.SetValue(min);
        target.Max.SetValue(max);
      },
      never, false);
  filer.DefineProperty(
      "Logarithmic", [&target](TLayoutReader& reader) { target.SetLogarithmic(reader.ReadBoolean()); }, never, false);
  filer.DefineProperty(
      "FixedPrecision", [&target](TLayoutReader& reader) { target.Format.SetFixedPrecision(reader.ReadBoolean()); },
      never, false);
  filer.DefineProperty(
      "Precision",
      [&target](TLayoutReader& reader) {
        target.Format.SetPrecision(static_cast<int>(reader.ReadInteger(INT32_MIN, INT32_MAX)));
      },
      never, false);
}
