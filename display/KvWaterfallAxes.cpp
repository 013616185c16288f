#include "display/KvWaterfallAxes.h"

#include "display/KvBasicWaterfall.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <cmath>

const TClassInfo& TKvWaterfallXAxis::StaticClassInfo() {
  return DefineClass<TKvWaterfallXAxis, TKvDisplayXAxis>("TKvWaterfallXAxis", [](TPublished<TKvWaterfallXAxis>& p) {
    using C = TKvWaterfallXAxis;
    p.Integer("Samples", &C::Samples, &C::SetSamples, 512)
        .Float("MinTick", &C::MinTick, &C::SetMinTick, 0.0)
        .Float("MaxTick", &C::MaxTick, &C::SetMaxTick, 1024.0);
  });
}

TKvWaterfallXAxis::TKvWaterfallXAxis(TKvBasicWaterfall& waterfall)
    : TKvDisplayXAxis(waterfall, "X Axis"), Waterfall(waterfall) {
  StoreSamples(512);
}

void TKvWaterfallXAxis::SetSamples(int samples) {
  samples = std::max(samples, 1);
  if (samples == Samples()) return;
  StoreSamples(samples);
  Waterfall.SamplesChanged();
}

void TKvWaterfallXAxis::SetMinTick(double tick) {
  if (tick == MinTick_) return;
  Locked([&] { MinTick_ = tick; });
  Changed();
}

void TKvWaterfallXAxis::SetMaxTick(double tick) {
  if (tick == MaxTick_) return;
  Locked([&] { MaxTick_ = tick; });
  Changed();
}

double TKvWaterfallXAxis::ComputeRange(TKvAxisRange which) const {
  switch (which) {
    case TKvAxisRange::UnitMin:
    case TKvAxisRange::TickMin: return MinTick_;
    case TKvAxisRange::UnitMax:
    case TKvAxisRange::TickMax: return MaxTick_;
    default: return TKvDisplayXAxis::ComputeRange(which);
  }
}

std::string TKvWaterfallXAxis::FormatValue(double value) const {
  return std::to_string(static_cast<long long>(std::nearbyint(value)));
}

const TClassInfo& TKvWaterfallYAxis::StaticClassInfo() {
  return DefineClass<TKvWaterfallYAxis, TKvDisplayYAxis>("TKvWaterfallYAxis", [](TPublished<TKvWaterfallYAxis>& p) {
    using C = TKvWaterfallYAxis;
    p.Enumeration("TicksMode", TicksModeNames(), &C::TicksMode, &C::SetTicksMode, TKvDisplayAxisTicksMode::atmAuto);
  });
}

TKvWaterfallYAxis::TKvWaterfallYAxis(TKvBasicWaterfall& waterfall)
    : TKvDisplayYAxis(waterfall, "Y Axis"), Waterfall(waterfall) {}

void TKvWaterfallYAxis::SetTicksMode(TKvDisplayAxisTicksMode mode) {
  if (mode == TicksMode_) return;
  Locked([&] { TicksMode_ = mode; });
  Changed();
}

void TKvWaterfallYAxis::SetTicks(double min, double max) {
  if (min == MinTick_ && max == MaxTick_) return;
  Locked([&] { MinTick_ = min, MaxTick_ = max; });
  Changed();
}

void TKvWaterfallYAxis::SetBinCount(int bins) {
  if (bins == BinCount_) return;
  BinCount_ = bins;
  Changed();
}

bool TKvWaterfallYAxis::IsFrequencyMode() const {
  return TicksMode_ == TKvDisplayAxisTicksMode::atmFrequency ||
         (TicksMode_ == TKvDisplayAxisTicksMode::atmAuto && Waterfall.IsSpectrum());
}

double TKvWaterfallYAxis::ComputeRange(TKvAxisRange which) const {
  const bool maximum = which == TKvAxisRange::UnitMax || which == TKvAxisRange::TickMax;
  switch (which) {
    case TKvAxisRange::UnitMin:
    case TKvAxisRange::TickMin:
    case TKvAxisRange::UnitMax:
    case TKvAxisRange::TickMax: {
      if (!IsFrequencyMode()) return maximum ? MaxTick_ : MinTick_;
      if (!maximum) return 0;
      // Half the rate, in the unit of thousands that keeps the number readable (22.05 for 44100).
      const double rate = Waterfall.StreamRate();
      const int k = rate > 0 ? static_cast<int>(std::trunc(std::log10(rate) / 3)) : 0;
      return rate / 2 / std::pow(10.0, 3 * k);
    }
    default: return TKvDisplayYAxis::ComputeRange(which);
  }
}

void TKvWaterfallYAxis::DefineProperties(TFiler& filer) {
  TKvDisplayYAxis::DefineProperties(filer);
  filer.DefineProperty(
      "MinMax",
      [this](TLayoutReader& reader) {
        reader.ReadListBegin();
        const double min = reader.ReadFloat();
        const double max = reader.ReadFloat();
        reader.ReadListEnd();
        SetTicks(min, max);
      },
      [this](TLayoutWriter& writer) {
        writer.WriteListBegin();
        writer.WriteFloat(MinTick_);
        writer.WriteFloat(MaxTick_);
        writer.WriteListEnd();
      },
      true);
}
