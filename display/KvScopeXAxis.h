#pragma once

#include "display/KvAdditionalAxes.h"
#include "display/KvAxisFormat.h"
#include "display/KvAxisValues.h"
#include "display/KvDisplayXAxis.h"
#include "display/KvScopeAxis.h"

#include <memory>

class TKvDataChart;

// What the scope's X axis shows: sample positions, the channels' X values, time, frequency…
enum class TKvDisplayAxisTicksMode {
  atmAuto,
  atmAxis,
  atmBufferSamples,
  atmFrequency,
  atmIntensity,
  atmTime,
  atmManual
};
const TEnumNames<TKvDisplayAxisTicksMode>& TicksModeNames();

// An X axis of the scope: its full range runs over the channels' samples (or their X values), its
// labels in the units its mode asks for (seconds, hertz) between the label values at its ends.
class TKvBasicScopeXAxis : public TKvScopeAxis<TKvDisplayXAxis> {
public:
  PUBLISHED_CLASS_INFO

  TKvBasicScopeXAxis(TKvDataChart& chart, const std::string& caption, TColor lines, TColor zeroLine,
                     TKvDisplayView* before = nullptr);

  TKvAxisFormat* Format() const { return const_cast<TKvAxisFormat*>(&Format_); }
  TKvDisplayAxisTicksMode TicksMode() const { return TicksMode_; }
  void SetTicksMode(TKvDisplayAxisTicksMode mode);
  TKvScopeXAxisUnitScale* UnitScale() const { return const_cast<TKvScopeXAxisUnitScale*>(&UnitScale_); }
  TKvScopeAxisValue* Min() const { return const_cast<TKvScopeAxisValue*>(&Min_); }
  TKvMaxScopeAxisValue* Max() const { return const_cast<TKvMaxScopeAxisValue*>(&Max_); }
  TKvScopeMaxSample* MaxSample() const { return const_cast<TKvScopeMaxSample*>(&MaxSample_); }

  bool IsTimeMode() const { return TicksMode_ == TKvDisplayAxisTicksMode::atmTime; }
  bool IsFrequencyMode() const;
  bool IsAxisMode() const;
  // The power of ten time and frequency labels are scaled by; 0 without a sample rate.
  int TimeExponent() const;
  int FrequencyExponent() const;
  // A value in label units as a sample position (over the label range of Samples samples).
  double ToSamples(double value) const;
  // The refresh hands over the largest sample count of the visible channels (0 for none).
  void SetSamples(int count);
  int GetFirstVisibleSample() const;
  int GetLastVisibleSample() const;

  std::string GetCaption() const override;
  void DefineProperties(TFiler& filer) override;

protected:
  double ComputeRange(TKvAxisRange which) const override;
  double ComputeFullMin() const override;
  double ComputeFullMax() const override;
  std::string FormatValue(double value) const override;
  const TKvBasicScopeAxisValue& MinEnd() const override { return Min_; }
  const TKvBasicScopeAxisValue& MaxEnd() const override { return Max_; }

private:
  // The label value at one end, as the tick and unit ranges share it.
  double EndLabel(bool maximum, bool honourAutoScale) const;
  // The sample an end's value lies at, within the full range.
  int VisibleSample(const TKvScopeAxisValue& end) const;

  TKvAxisFormat Format_;
  TKvDisplayAxisTicksMode TicksMode_ = TKvDisplayAxisTicksMode::atmAuto;
  TKvScopeXAxisUnitScale UnitScale_;
  TKvScopeAxisValue Min_;
  TKvMaxScopeAxisValue Max_;
  TKvScopeMaxSample MaxSample_;
};

// An additional X axis, further out than the axes made before it; its grid is off by default.
class TKvAdditionalScopeXAxis : public TKvBasicScopeXAxis {
public:
  PUBLISHED_CLASS_INFO
  using TKvBasicScopeXAxis::TKvBasicScopeXAxis;
};

using TKvAdditionalXAxisItem = TKvAdditionalAxisItem<TKvAdditionalScopeXAxis>;
using TKvAdditionalXAxes = TKvAdditionalAxes<TKvAdditionalScopeXAxis>;
template <>
const TClassInfo& TKvAdditionalXAxisItem::StaticClassInfo();
template <>
const TClassInfo& TKvAdditionalXAxes::StaticClassInfo();

// The scope's main X axis, with its additional axes.
class TKvScopeXAxis : public TKvBasicScopeXAxis {
public:
  PUBLISHED_CLASS_INFO

  TKvScopeXAxis(TKvDataChart& chart, TKvDisplayView* before = nullptr);

  TKvAdditionalXAxes* AdditionalAxes() const { return const_cast<TKvAdditionalXAxes*>(&AdditionalAxes_); }

private:
  TKvAdditionalXAxes AdditionalAxes_;
};
