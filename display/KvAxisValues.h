#pragma once

#include "display/KvDisplaySettings.h"
#include "platform/Published.h"

#include <cstdint>

// A limit that may be switched on: its value and whether it applies.
class TKvDisplayOptionalValue : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayOptionalValue(TKvDataDisplay& display, TPersistent* owner, double value, bool enabled, bool nonNegative);

  double Value() const { return Value_; }
  // Below 0 is taken as 0 for a limit that cannot be negative.
  void SetValue(double value) { Update(Value_, NonNegative && value < 0 ? 0.0 : value); }
  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool enabled) { Update(Enabled_, enabled); }

private:
  double Value_;
  bool Enabled_;
  const bool DefaultEnabled;
  const bool NonNegative;
};

// A pair of limits, Low never above High: raising Low above High raises High with it, and
// lowering High below Low lowers Low with it. Their values are stored by the axis in one list.
class TKvDisplayValueRange : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayValueRange(TKvDataDisplay& display, TPersistent* owner, double low, bool lowEnabled, double high,
                       bool highEnabled, bool nonNegative = false);

  TKvDisplayOptionalValue* Low() const { return const_cast<TKvDisplayOptionalValue*>(&Low_); }
  TKvDisplayOptionalValue* High() const { return const_cast<TKvDisplayOptionalValue*>(&High_); }

private:
  TKvDisplayOptionalValue Low_;
  TKvDisplayOptionalValue High_;
};

// An end of an axis: a value, or (AutoScale) whatever the data gives.
class TKvBasicAxisValue : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvBasicAxisValue(TKvDataDisplay& display, TPersistent* owner, double value);

  double Value() const { return Value_; }
  void SetValue(double value) { Update(Value_, value); }
  bool AutoScale() const { return AutoScale_; }
  void SetAutoScale(bool autoScale) { Update(AutoScale_, autoScale); }

protected:
  // Whether Value is stored as a property of its own (some axes keep it in a list instead).
  virtual bool StoresValue() const { return true; }

private:
  double Value_;
  const double DefaultValue;
  bool AutoScale_ = true;
};

// An end of a scope axis, with the limits a zoom may not pass; the axis stores its value.
class TKvBasicScopeAxisValue : public TKvBasicAxisValue {
public:
  PUBLISHED_CLASS_INFO

  TKvBasicScopeAxisValue(TKvDataDisplay& display, TPersistent* owner, double value);

  TKvDisplayValueRange* Range() const { return const_cast<TKvDisplayValueRange*>(&Range_); }

protected:
  bool StoresValue() const override { return false; }

private:
  TKvDisplayValueRange Range_;
};

// An end of the scope's X axis, with the label value shown there.
class TKvScopeAxisValue : public TKvBasicScopeAxisValue {
public:
  PUBLISHED_CLASS_INFO

  TKvScopeAxisValue(TKvDataDisplay& display, TPersistent* owner, double value, double tick);

  TKvBasicAxisValue* Tick() const { return const_cast<TKvBasicAxisValue*>(&Tick_); }

protected:
  bool StoresValue() const override { return true; }

private:
  TKvBasicAxisValue Tick_;
};

// The upper end of the scope's X axis: Value is the end itself, or its distance from the start.
enum class TKvMaxAxisMode { mamValue, mamOffset };

class TKvMaxScopeAxisValue : public TKvScopeAxisValue {
public:
  PUBLISHED_CLASS_INFO

  using TKvScopeAxisValue::TKvScopeAxisValue;

  TKvMaxAxisMode Mode() const { return Mode_; }
  void SetMode(TKvMaxAxisMode mode) { Update(Mode_, mode); }

private:
  TKvMaxAxisMode Mode_ = TKvMaxAxisMode::mamValue;
};

// How many samples the scope's X axis shows: as many as the channels hold, or a set count.
class TKvScopeMaxSample : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvScopeMaxSample(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout) {}

  bool Autosize() const { return Autosize_; }
  void SetAutosize(bool autosize) { Update(Autosize_, autosize); }
  uint32_t Value() const { return Value_; }
  void SetValue(uint32_t value) { Update(Value_, value); }

private:
  bool Autosize_ = true;
  uint32_t Value_ = 1024;
};

// The narrowest (Low) and widest (High) span a zoom may show.
class TKvDisplayAxisZoom : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayAxisZoom(TKvDataDisplay& display, TPersistent* owner);

  TKvDisplayValueRange* Range() const { return const_cast<TKvDisplayValueRange*>(&Range_); }

private:
  TKvDisplayValueRange Range_;
};

// Room left beyond the data by automatic scaling, and how far the data must move back before the
// room shrinks; both in half per cent of the range (20 is 10 %).
class TKvScopeAutoScalingSpace : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvScopeAutoScalingSpace(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout) {}

  uint32_t Space() const { return Space_; }
  void SetSpace(uint32_t space) { Update(Space_, space); }
  uint32_t Threshold() const { return Threshold_; }
  void SetThreshold(uint32_t threshold) { Update(Threshold_, threshold); }

private:
  uint32_t Space_ = 20;
  uint32_t Threshold_ = 10;
};

// Whether the Y axis follows its data, with room beyond it and a memory of recent extremes.
class TKvScopeAutoScaling : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvScopeAutoScaling(TKvDataDisplay& display, TPersistent* owner);

  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool enabled) { Update(Enabled_, enabled); }
  TKvScopeAutoScalingSpace* SpaceAbove() const { return const_cast<TKvScopeAutoScalingSpace*>(&SpaceAbove_); }
  TKvScopeAutoScalingSpace* SpaceBelow() const { return const_cast<TKvScopeAutoScalingSpace*>(&SpaceBelow_); }
  // How many refreshes' extremes the axis remembers.
  uint32_t MaxHistory() const { return MaxHistory_; }
  void SetMaxHistory(uint32_t count) { Update(MaxHistory_, count); }

private:
  bool Enabled_ = true;
  TKvScopeAutoScalingSpace SpaceAbove_;
  TKvScopeAutoScalingSpace SpaceBelow_;
  uint32_t MaxHistory_ = 20;
};

// The power of ten the X axis's time and frequency labels are scaled by: chosen to keep the
// numbers readable, or set.
class TKvScopeXAxisUnitScale : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvScopeXAxisUnitScale(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout) {}

  bool AutoScale() const { return AutoScale_; }
  void SetAutoScale(bool autoScale) { Update(AutoScale_, autoScale); }
  int Exponent() const { return Exponent_; }
  void SetExponent(int exponent) { Update(Exponent_, exponent); }

private:
  bool AutoScale_ = true;
  int Exponent_ = 0;
};

// How cursors on the axis move.
class TKvDisplayAxisCursorSettings : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayAxisCursorSettings(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {}

  bool SnapToSample() const { return SnapToSample_; }
  void SetSnapToSample(bool snap) { Update(SnapToSample_, snap); }

private:
  bool SnapToSample_ = false;
};
