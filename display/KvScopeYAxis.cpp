#include "display/KvScopeYAxis.h"

#include "display/KvDataChart.h"

#include <algorithm>

const TClassInfo& TKvBasicScopeYAxis::StaticClassInfo() {
  return DefineClass<TKvBasicScopeYAxis, TKvDisplayYAxis>("TKvBasicScopeYAxis", [](TPublished<TKvBasicScopeYAxis>& p) {
    using C = TKvBasicScopeYAxis;
    p.Object("Min", &C::Min)
        .Object("Max", &C::Max)
        .Enumeration("ScaleMode", ScaleModeNames(), &C::ScaleMode, &C::SetScaleMode, TKvScaleMode::smLinear)
        .Object("AutoScaling", &C::AutoScaling)
        .Object("CursorSettings", &C::CursorSettings)
        .Object("Zooming", &C::Zooming)
        .Object("DataView", &C::DataView);
  });
}

TKvBasicScopeYAxis::TKvBasicScopeYAxis(TKvDataChart& chart, const std::string& caption, TColor lines, TColor zeroLine,
                                       TKvDisplayView* before)
    : TKvScopeAxis(chart, caption, lines, zeroLine, before),
      Min_(chart, this, -1000),
      Max_(chart, this, 1000),
      AutoScaling_(chart, this) {
  Min_.OnChange = Max_.OnChange = [this](TObject*) { Changed(); };
  AutoScaling_.OnChange = [this](TObject*) {
    if (HistoryMin.size() != AutoScaling_.MaxHistory()) ResetHistory();
    Changed();
  };
  ResetHistory();
}

void TKvBasicScopeYAxis::ResetHistory() {
  HistoryMin.assign(AutoScaling_.MaxHistory(), 0);
  HistoryMax.assign(AutoScaling_.MaxHistory(), 0);
  HistoryPosition = HistoryCount_ = 0;
}

bool TKvBasicScopeYAxis::GetDataRange(double& min, double& max) const {
  const bool found = Chart().GetChannelRange(*this, min, max);
  if (!found) min = Min_.Value(), max = Max_.Value();
  if (min == max) min -= 0.5, max += 0.5;
  return found;
}

void TKvBasicScopeYAxis::RecordAutoScaling() {
  double min = 0, max = 0;
  if (HistoryMin.empty() || !GetDataRange(min, max)) return;
  HistoryMin[static_cast<size_t>(HistoryPosition)] = min;
  HistoryMax[static_cast<size_t>(HistoryPosition)] = max;
  HistoryPosition = (HistoryPosition + 1) % static_cast<int>(HistoryMin.size());
  HistoryCount_ = std::min(HistoryCount_ + 1, static_cast<int>(HistoryMin.size()));
}

double TKvBasicScopeYAxis::ComputeFullMin() const {
  if (!AutoScaling_.Enabled()) return Min_.Value();
  double min = 0, max = 0;
  GetDataRange(min, max);
  return min;
}

double TKvBasicScopeYAxis::ComputeFullMax() const {
  if (!AutoScaling_.Enabled()) return Max_.Value();
  double min = 0, max = 0;
  GetDataRange(min, max);
  return max;
}

double TKvBasicScopeYAxis::ComputeRange(TKvAxisRange which) const {
  if ((which == TKvAxisRange::VisibleMin || which == TKvAxisRange::VisibleMax) && !IsZoomed() &&
      AutoScaling_.Enabled()) {
    double min = 0, max = 0;
    if (GetDataRange(min, max)) return which == TKvAxisRange::VisibleMin ? AutoScaledMin() : AutoScaledMax();
  }
  return TKvDisplayYAxis::ComputeRange(which);
}

double TKvBasicScopeYAxis::AutoScaledMin() const {
  const double fullMax = GetFullMax();
  const auto recorded = HistoryMin.begin() + HistoryCount_;
  const double start = HistoryCount_ > 0 ? *std::min_element(HistoryMin.begin(), recorded) : GetFullMin();
  double min = start - (fullMax - start) * AutoScaling_.SpaceBelow()->Space() / 2 / 100;
  // Grows at once; shrinks only when the data left the threshold behind.
  const double threshold = (fullMax - min) * AutoScaling_.SpaceBelow()->Threshold() / 2 / 100;
  if (AutoScaling_.SpaceBelow()->Threshold() > 0 && LastAutoMin < min && min - LastAutoMin < threshold)
    min = LastAutoMin;
  LastAutoMin = min;
  return min;
}

double TKvBasicScopeYAxis::AutoScaledMax() const {
  const double fullMin = GetFullMin();
  const auto recorded = HistoryMax.begin() + HistoryCount_;
  const double start = HistoryCount_ > 0 ? *std::max_element(HistoryMax.begin(), recorded) : GetFullMax();
  double max = start + (start - fullMin) * AutoScaling_.SpaceAbove()->Space() / 2 / 100;
  const double threshold = (max - fullMin) * AutoScaling_.SpaceAbove()->Threshold() / 2 / 100;
  if (AutoScaling_.SpaceAbove()->Threshold() > 0 && LastAutoMax > max && LastAutoMax - max < threshold)
    max = LastAutoMax;
  LastAutoMax = max;
  return max;
}

void TKvBasicScopeYAxis::DefineProperties(TFiler& filer) {
  TKvScopeAxis::DefineProperties(filer);
  DefineLimits(filer, "MinMax", {&Min_, &Max_}, {2, 6, 8}, *Format());
  filer.DefineProperty(
      "AutoScale", [this](TLayoutReader& reader) { AutoScaling_.SetEnabled(reader.ReadBoolean()); },
      [](TLayoutWriter&) {}, false);
}

const TClassInfo& TKvAdditionalScopeYAxis::StaticClassInfo() {
  return DefineClass<TKvAdditionalScopeYAxis, TKvBasicScopeYAxis>("TKvAdditionalScopeYAxis");
}

template <>
const TClassInfo& TKvAdditionalYAxisItem::StaticClassInfo() {
  return DefineClass<TKvAdditionalYAxisItem, TLkExtCollectionItem>(
      "TKvAdditionalYAxisItem",
      [](TPublished<TKvAdditionalYAxisItem>& p) { p.Object("Axis", &TKvAdditionalYAxisItem::GetAxis); });
}

template <>
const TClassInfo& TKvAdditionalYAxes::StaticClassInfo() {
  return DefineClass<TKvAdditionalYAxes, TLkExtCollection>("TKvAdditionalYAxes");
}

const TClassInfo& TKvScopeYAxis::StaticClassInfo() {
  return DefineClass<TKvScopeYAxis, TKvBasicScopeYAxis>("TKvScopeYAxis", [](TPublished<TKvScopeYAxis>& p) {
    p.Collection("AdditionalAxes", &TKvScopeYAxis::AdditionalAxes);
  });
}

TKvScopeYAxis::TKvScopeYAxis(TKvDataChart& chart, TKvDisplayView* before)
    : TKvBasicScopeYAxis(chart, "Y Axis", clGreen, clWhite, before), AdditionalAxes_(*this, chart, "Y Axis ") {}
