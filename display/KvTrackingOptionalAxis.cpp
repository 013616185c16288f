#include "display/KvTrackingOptionalAxis.h"

#include "display/KvDataDisplay.h"

const TClassInfo& TKvTrackingOptionalAxis::StaticClassInfo() {
  return DefineClass<TKvTrackingOptionalAxis, TKvOptionalView>(
      "TKvTrackingOptionalAxis", [](TPublished<TKvTrackingOptionalAxis>& p) {
        using C = TKvTrackingOptionalAxis;
        p.Boolean("TrackCursor", &C::TrackCursor, &C::SetTrackCursor, true)
            .Colour("TrackColor", &C::TrackColor, &C::SetTrackColor, clRed)
            .Object("MajorTicks", &C::MajorTicks)
            .Object("MinorTicks", &C::MinorTicks)
            .Event("OnCustomStep", &C::OnCustomStep);
      });
}

TKvTrackingOptionalAxis::TKvTrackingOptionalAxis(TKvDataDisplay& display, TKvViewAlign align, TKvDisplayView* before)
    : TKvOptionalView(display, align, before), MajorTicks_(display, this), MinorTicks_(display, this) {
  MajorTicks_.OnChange = MinorTicks_.OnChange = [this](TObject*) { InvalidateTicks(); };
}

void TKvTrackingOptionalAxis::SetTrackCursor(bool track) {
  if (track == TrackCursor_) return;
  Locked([&] { TrackCursor_ = track; });
  Display().Redraw();
}

void TKvTrackingOptionalAxis::SetTrackColor(TColor color) {
  if (color == TrackColor_) return;
  Locked([&] { TrackColor_ = color; });
  Display().Redraw();
}

void TKvTrackingOptionalAxis::InvalidateTicks() {
  StepCache.Valid = false;
  Display().Relayout();
}

double TKvTrackingOptionalAxis::GetStep() const {
  const int pixels = GetAxisPixels();
  switch (MajorTicks_.Mode()) {
    case TKvMajorTicksMode::mtmCustom:
      return DoubledTickStep(MajorTicks_.Step(), GetSpan(false), pixels, GetLabelExtent() + 2);
    case TKvMajorTicksMode::mtmOverride: return DoubledTickStep(MajorTicks_.Step(), GetSpan(false), pixels, 1);
    default: break;
  }
  const TKvScaleMode scale = GetScaleMode();
  const double span = GetSpan(scale != TKvScaleMode::smLinear);
  if (CachesStep() && StepCache.Valid && StepCache.Scale == scale && StepCache.Span == span &&
      StepCache.Pixels == pixels)
    return StepCache.Step;
  const double step = AutoTickStep(span, pixels, GetMinTickSpacing(), GetLabelExtent(), scale);
  if (CachesStep()) {
    const bool changed = StepCache.Valid && StepCache.Step != step;
    StepCache = {true, step, scale, span, pixels};
    // Labels of another step may be wider or narrower.
    if (changed) Display().Relayout();
  }
  return step;
}

void TKvTrackingOptionalAxis::ForEachTick(const std::function<void(const TKvTick&)>& onTick) const {
  const TKvAxisMapping mapping = GetMapping();
  const TKvScaleMode scale = GetScaleMode();
  const bool overriding = MajorTicks_.Mode() == TKvMajorTicksMode::mtmOverride;
  const int extent = GetLabelExtent();
  TKvTickWalk walk;
  walk.Min = GetVisibleUnitMin();
  walk.Max = GetVisibleUnitMax();
  walk.Step = GetStep();
  walk.Scale = scale;
  walk.UseStartFrom = MajorTicks_.StartFrom()->Mode() != TKvMajorTicksMode::mtmAuto;
  walk.StartFrom = MajorTicks_.StartFrom()->StartFrom();
  walk.MinorCount = MinorTicks_.Count();
  walk.MinDistance = overriding || scale == TKvScaleMode::smLogDecascale ? 1 : extent;
  walk.PixelOf = [&mapping](double value) { return mapping.TickPixel(value); };
  walk.Inside = [this](int pixel) { return IsInsideExtent(pixel); };
  if (OnCustomStep) {
    walk.CustomStep = [this, extent, overriding](double& step, bool& draw, double value) {
      const double before = step;
      OnCustomStep(const_cast<TKvTrackingOptionalAxis*>(this), step, draw, value);
      if (step != before) step = DoubledTickStep(step, GetSpan(false), GetAxisPixels(), overriding ? 1 : extent + 2);
    };
  }
  WalkTicks(walk, onTick);
}
