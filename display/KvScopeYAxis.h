#pragma once

#include "display/KvAdditionalAxes.h"
#include "display/KvAxisValues.h"
#include "display/KvDisplayYAxis.h"
#include "display/KvScopeAxis.h"

#include <cmath>
#include <vector>

class TKvDataChart;

// A Y axis of the scope: it shows -1000 … 1000 unless it follows its channels' data, with room
// above and below it, growing at once and shrinking only when the data shrank by more than a
// threshold, from a memory of the last refreshes' extremes.
class TKvBasicScopeYAxis : public TKvScopeAxis<TKvDisplayYAxis> {
public:
  PUBLISHED_CLASS_INFO

  TKvBasicScopeYAxis(TKvDataChart& chart, const std::string& caption, TColor lines, TColor zeroLine,
                     TKvDisplayView* before = nullptr);

  TKvBasicScopeAxisValue* Min() const { return const_cast<TKvBasicScopeAxisValue*>(&Min_); }
  TKvBasicScopeAxisValue* Max() const { return const_cast<TKvBasicScopeAxisValue*>(&Max_); }
  TKvScopeAutoScaling* AutoScaling() const { return const_cast<TKvScopeAutoScaling*>(&AutoScaling_); }

  // The smallest and largest value of the channels on this axis, or Min.Value and Max.Value when
  // none holds data; equal ends are moved 0.5 apart. True when some channel holds data.
  bool GetDataRange(double& min, double& max) const;
  // After a refresh that brought data: remembers this refresh's extremes.
  void RecordAutoScaling();
  int HistoryCount() const { return HistoryCount_; }

  void DefineProperties(TFiler& filer) override;

protected:
  double ComputeRange(TKvAxisRange which) const override;
  double ComputeFullMin() const override;
  double ComputeFullMax() const override;
  const TKvBasicScopeAxisValue& MinEnd() const override { return Min_; }
  const TKvBasicScopeAxisValue& MaxEnd() const override { return Max_; }

private:
  double AutoScaledMin() const;
  double AutoScaledMax() const;
  // Empties the memory of extremes, sized for MaxHistory.
  void ResetHistory();

  TKvBasicScopeAxisValue Min_;
  TKvBasicScopeAxisValue Max_;
  TKvScopeAutoScaling AutoScaling_;
  std::vector<double> HistoryMin;
  std::vector<double> HistoryMax;
  int HistoryPosition = 0;
  int HistoryCount_ = 0;
  // The automatic ends of the last computation; NaN before the first.
  mutable double LastAutoMin = NAN;
  mutable double LastAutoMax = NAN;
};

// An additional Y axis, further out than the axes made before it; its grid is off by default.
class TKvAdditionalScopeYAxis : public TKvBasicScopeYAxis {
public:
  PUBLISHED_CLASS_INFO
  using TKvBasicScopeYAxis::TKvBasicScopeYAxis;
};

using TKvAdditionalYAxisItem = TKvAdditionalAxisItem<TKvAdditionalScopeYAxis>;
using TKvAdditionalYAxes = TKvAdditionalAxes<TKvAdditionalScopeYAxis>;
template <>
const TClassInfo& TKvAdditionalYAxisItem::StaticClassInfo();
template <>
const TClassInfo& TKvAdditionalYAxes::StaticClassInfo();

// The scope's main Y axis, with its additional axes.
class TKvScopeYAxis : public TKvBasicScopeYAxis {
public:
  PUBLISHED_CLASS_INFO

  TKvScopeYAxis(TKvDataChart& chart, TKvDisplayView* before = nullptr);

  TKvAdditionalYAxes* AdditionalAxes() const { return const_cast<TKvAdditionalYAxes*>(&AdditionalAxes_); }

private:
  TKvAdditionalYAxes AdditionalAxes_;
};
