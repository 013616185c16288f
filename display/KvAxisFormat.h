#pragma once

#include "display/KvDisplaySettings.h"
#include "platform/Published.h"

#include <string>

enum class TKvPrecisionMode { dpmGeneral, dpmScientific };

// The decimals of a fixed-point label over the range [min, max]: `precision` significant digits
// of the range, one more when the range is below 1; exactly `precision` when fixed.
int LabelDecimals(int precision, bool fixed, double min, double max);
// `value` with that many decimals; values of 1e15 and above in scientific notation, with 15
// significant digits. The decimal separator is always '.'.
std::string FormatFixed(double value, int decimals);
// "d.dddE+ddd": `decimals` after the point, at least three exponent digits.
std::string FormatScientific(double value, int decimals);

// How an axis writes its labels: fixed-point with as many decimals as the visible range needs (or
// a set number), or scientific notation.
class TKvAxisFormat : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  static constexpr int MaxPrecision = 18;

  TKvAxisFormat(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout) {}

  TKvPrecisionMode PrecisionMode() const { return PrecisionMode_; }
  void SetPrecisionMode(TKvPrecisionMode mode) { Update(PrecisionMode_, mode); }
  int Precision() const { return Precision_; }
  // Kept to 0 … 18.
  void SetPrecision(int precision);
  bool FixedPrecision() const { return FixedPrecision_; }
  void SetFixedPrecision(bool fixed) { Update(FixedPrecision_, fixed); }

  // The label of `value` on a visible range [min, max].
  std::string FormatValue(double value, double min, double max) const;

private:
  TKvPrecisionMode PrecisionMode_ = TKvPrecisionMode::dpmGeneral;
  int Precision_ = 3;
  bool FixedPrecision_ = false;
};
