#pragma once

#include "display/KvDisplayXAxis.h"
#include "display/KvDisplayYAxis.h"
#include "display/KvScopeXAxis.h"

class TKvBasicWaterfall;

// The waterfall's time axis: one value per row of the history (Samples of them), labelled from
// MinTick to MaxTick in whole numbers.
class TKvWaterfallXAxis : public TKvDisplayXAxis {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvWaterfallXAxis(TKvBasicWaterfall& waterfall);

  // The rows the history keeps, at least 1.
  void SetSamples(int samples);
  double MinTick() const { return MinTick_; }
  void SetMinTick(double tick);
  double MaxTick() const { return MaxTick_; }
  void SetMaxTick(double tick);

protected:
  double ComputeRange(TKvAxisRange which) const override;
  double ComputeFullMin() const override { return 0; }
  double ComputeFullMax() const override { return Samples(); }
  std::string FormatValue(double value) const override;

private:
  TKvBasicWaterfall& Waterfall;
  double MinTick_ = 0;
  double MaxTick_ = 1024;
};

// The waterfall's bin axis: one value per bin of a row, labelled in hertz up to half the stream's
// rate when the rows are spectra (or TicksMode says so), else from MinTick to MaxTick. Both tick
// values are stored in one list, MinMax.
class TKvWaterfallYAxis : public TKvDisplayYAxis {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvWaterfallYAxis(TKvBasicWaterfall& waterfall);

  TKvDisplayAxisTicksMode TicksMode() const { return TicksMode_; }
  void SetTicksMode(TKvDisplayAxisTicksMode mode);
  double MinTick() const { return MinTick_; }
  double MaxTick() const { return MaxTick_; }
  void SetTicks(double min, double max);
  // The bins of the oldest row (512 for an empty one); 500 until a row came.
  int BinCount() const { return BinCount_; }
  void SetBinCount(int bins);
  bool IsFrequencyMode() const;

  void DefineProperties(TFiler& filer) override;

protected:
  double ComputeRange(TKvAxisRange which) const override;
  double ComputeFullMin() const override { return 0; }
  double ComputeFullMax() const override { return BinCount_; }

private:
  TKvBasicWaterfall& Waterfall;
  TKvDisplayAxisTicksMode TicksMode_ = TKvDisplayAxisTicksMode::atmAuto;
  double MinTick_ = 0;
  double MaxTick_ = 500;
  int BinCount_ = 500;
};
