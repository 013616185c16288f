#pragma once

#include "display/KvDisplayAxis.h"
#include "display/KvDisplaySettings.h"
#include "display/KvTickSteps.h"
#include "display/KvViewSettings.h"
#include "platform/Event.h"
#include "platform/Font.h"

#include <cstdint>
#include <string>

// The value range of a level scale and how its labels look: the range follows the data
// (Autoscale) or is set by Min and Max; the labels carry Precision significant digits of the range
// (or Precision decimals when fixed). A change relayouts the display, as label widths may change.
class TKvBasicLevelAxis : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvBasicLevelAxis(TKvDataDisplay& display, TPersistent* owner);

  TColor Color() const { return Color_; }
  void SetColor(TColor color) { Update(Color_, color); }
  TFont* Font() const { return const_cast<TFont*>(&Font_); }
  int Precision() const { return Precision_; }
  void SetPrecision(int precision) { Update(Precision_, precision); }
  bool FixedPrecision() const { return FixedPrecision_; }
  void SetFixedPrecision(bool fixed) { Update(FixedPrecision_, fixed); }
  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { Update(Visible_, visible); }
  TKvScaleMode ScaleMode() const { return ScaleMode_; }
  void SetScaleMode(TKvScaleMode mode) { Update(ScaleMode_, mode); }
  bool Autoscale() const { return Autoscale_; }
  void SetAutoscale(bool autoscale) { Update(Autoscale_, autoscale); }
  int32_t Min() const { return Min_; }
  void SetMin(int32_t min) { Update(Min_, min); }
  int32_t Max() const { return Max_; }
  void SetMax(int32_t max) { Update(Max_, max); }
  TEvent<TKvCustomLabelEvent> OnCustomLabel;

  // The label of `value` on the range [min, max], before OnCustomLabel.
  std::string ValueText(double value, double min, double max) const;

private:
  TColor Color_ = clWhite;
  TFont Font_{KvFontName, KvFont8pt, 0, clWhite};
  int Precision_ = 3;
  bool FixedPrecision_ = false;
  bool Visible_ = true;
  TKvScaleMode ScaleMode_ = TKvScaleMode::smLinear;
  bool Autoscale_ = true;
  int32_t Min_ = 0;
  int32_t Max_ = 1000;
};

class TKvLevelAxis : public TKvBasicLevelAxis {
public:
  PUBLISHED_CLASS_INFO
  using TKvBasicLevelAxis::TKvBasicLevelAxis;
};
