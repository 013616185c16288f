#pragma once

#include "display/KvAxisValues.h"
#include "display/KvDisplayView.h"
#include "display/KvScopeAxisLimits.h"
#include "display/KvTickSteps.h"
#include "display/KvViewSettings.h"

#include <initializer_list>
#include <optional>
#include <string>

class TKvDataChart;

// What every axis of the scope adds to its display axis (X or Y): the chart it reads its data
// from, a scale mode, cursor settings, zoom limits, the grid it draws in the data view, and zoom
// windows kept within the limits of its ends. The published tables of the axis classes list these
// settings among their own.
template <class Base>
class TKvScopeAxis : public Base {
public:
  TKvScopeAxis(TKvDataChart& chart, const std::string& caption, TColor lines, TColor zeroLine, TKvDisplayView* before)
      : Base(chart, caption, before),
        Chart_(chart),
        CursorSettings_(chart, this),
        Zooming_(chart, this),
        DataView_(chart, this, lines, zeroLine) {
    Zooming_.OnChange = [this](TObject*) { this->Changed(); };
  }

  TKvDataChart& Chart() const { return Chart_; }
  TKvScaleMode ScaleMode() const { return ScaleMode_; }
  void SetScaleMode(TKvScaleMode mode) {
    if (mode == ScaleMode_) return;
    this->Locked([&] { ScaleMode_ = mode; });
    this->Changed();
  }
  TKvScaleMode GetScaleMode() const override { return ScaleMode_; }
  TKvDisplayAxisCursorSettings* CursorSettings() const {
    return const_cast<TKvDisplayAxisCursorSettings*>(&CursorSettings_);
  }
  TKvDisplayAxisZoom* Zooming() const { return const_cast<TKvDisplayAxisZoom*>(&Zooming_); }
  // The grid lines this axis draws in the data view.
  TKvDisplayGridDirectionalLinesSettings* DataView() const {
    return const_cast<TKvDisplayGridDirectionalLinesSettings*>(&DataView_);
  }

  typename Base::TPanLimits PanLimits() const override {
    const auto bound = [](const TKvDisplayOptionalValue& value) {
      return value.Enabled() ? std::optional<double>(value.Value()) : std::nullopt;
    };
    return {bound(*MinEnd().Range()->Low()), bound(*MinEnd().Range()->High()), bound(*MaxEnd().Range()->Low()),
            bound(*MaxEnd().Range()->High())};
  }
  bool CanZoomIn() const override { return Limits().CanZoomIn(this->GetVisibleMin(), this->GetVisibleMax()); }
  bool CanZoomOut() const override { return Limits().CanZoomOut(this->GetVisibleMin(), this->GetVisibleMax()); }

protected:
  // The ends whose limits keep the zoom window in bounds.
  virtual const TKvBasicScopeAxisValue& MinEnd() const = 0;
  virtual const TKvBasicScopeAxisValue& MaxEnd() const = 0;

  void LimitZoom() override {
    double min = this->ZoomMin(), max = this->ZoomMax();
    Limits().Limit(min, max);
    this->SetZoomWindow(min, max);
  }

  // The stored list `name` of the ends' values (`ends`, may be none) and the six limits, and the
  // properties older layouts wrote.
  void DefineLimits(TFiler& filer, const char* name, std::initializer_list<TKvBasicAxisValue*> ends,
                    std::initializer_list<size_t> accepted, TKvAxisFormat& format) {
    const TKvBasicScopeAxisValue &min = MinEnd(), &max = MaxEnd();
    DefineLimitList(filer, name,
                    {min.Range()->Low(), min.Range()->High(), max.Range()->Low(), max.Range()->High(),
                     Zooming_.Range()->Low(), Zooming_.Range()->High()},
                    ends, accepted);
    DefineLegacyAxisProperties(
        filer, {const_cast<TKvBasicScopeAxisValue&>(min), const_cast<TKvBasicScopeAxisValue&>(max), format,
                [this](bool logarithmic) {
                  SetScaleMode(logarithmic ? TKvScaleMode::smLogarithmic : TKvScaleMode::smLinear);
                }});
  }

private:
  TKvScopeAxisLimits Limits() const { return {MinEnd(), MaxEnd(), Zooming_}; }

  TKvDataChart& Chart_;
  TKvScaleMode ScaleMode_ = TKvScaleMode::smLinear;
  TKvDisplayAxisCursorSettings CursorSettings_;
  TKvDisplayAxisZoom Zooming_;
  TKvDisplayGridDirectionalLinesSettings DataView_;
};
