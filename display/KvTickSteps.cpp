#include "display/KvTickSteps.h"

#include <array>
#include <cmath>
#include <optional>

const TEnumNames<TKvScaleMode>& ScaleModeNames() {
  static const TEnumNames<TKvScaleMode> names = {{TKvScaleMode::smLinear, "smLinear"},
                                                 {TKvScaleMode::smLogarithmic, "smLogarithmic"},
                                                 {TKvScaleMode::smLogDecascale, "smLogDecascale"}};
  return names;
}

const TEnumNames<TKvMajorTicksMode>& MajorTicksModeNames() {
  static const TEnumNames<TKvMajorTicksMode> names = {{TKvMajorTicksMode::mtmAuto, "mtmAuto"},
                                                      {TKvMajorTicksMode::mtmCustom, "mtmCustom"},
                                                      {TKvMajorTicksMode::mtmOverride, "mtmOverride"}};
  return names;
}

double LogScale(double x) { return std::copysign(std::log10(1 + std::fabs(x)), x); }

double UnlogScale(double y) { return std::copysign(std::pow(10.0, std::fabs(y)) - 1, y); }

namespace {

constexpr std::array<double, 4> Mantissas = {1, 2, 2.5, 5};

// sign(y) × 10^|y|.
double Power(double y) { return std::copysign(std::pow(10.0, std::fabs(y)), y); }

}  // namespace

double AutoTickStep(double span, int pixels, double minSpacing, int labelExtent, TKvScaleMode mode) {
  if (pixels <= 0 || span == 0 || !std::isfinite(span)) return 1;
  const bool logarithmic = mode != TKvScaleMode::smLinear;
  double raw = minSpacing * span / pixels;
  if (logarithmic) raw = LogScale(raw);
  if (mode == TKvScaleMode::smLogDecascale) return 1;
  if (raw == 0 || !std::isfinite(raw)) return 1;
  const double e = std::log10(std::fabs(raw));
  double decade = std::floor(e);
  const double r = e - decade;
  // The first candidate: the smallest mantissa whose logarithm reaches r.
  size_t index = r <= 0 ? 0 : r <= std::log10(2.0) ? 1 : r <= std::log10(2.5) ? 2 : r <= std::log10(5.0) ? 3 : 4;
  if (index == Mantissas.size()) index = 0, decade += 1;
  double extent = labelExtent + 2;
  if (logarithmic) extent = std::nearbyint(LogScale(extent));
  // Each candidate is larger than the one before; a few hundred decades reach any finite span.
  for (int guard = 0; guard < 4000; ++guard) {
    const double candidate = Mantissas[index] * std::pow(10.0, decade);
    if (!(extent > candidate / std::fabs(span) * pixels) || !std::isfinite(candidate))
      return std::copysign(candidate, raw);
    if (++index == Mantissas.size()) index = 0, decade += 1;
  }
  return std::copysign(Mantissas[index] * std::pow(10.0, decade), raw);
}

double DoubledTickStep(double step, double span, int pixels, double limit) {
  if (pixels <= 0 || span == 0 || !std::isfinite(span) || !std::isfinite(step) || step == 0) return step;
  // Doubling reaches the end of the doubles after about 2100 steps.
  for (int guard = 0; guard < 2200 && std::fabs(std::trunc(pixels * step / span)) <= limit; ++guard) {
    const double doubled = step * 2;
    if (!std::isfinite(doubled)) break;
    step = doubled;
  }
  return step;
}

namespace {

class TTickWalker {
public:
  TTickWalker(const TKvTickWalk& walk, const std::function<void(const TKvTick&)>& onTick)
      : Walk(walk), Emit(onTick), Step(std::fabs(walk.Step)) {}

  void Run() {
    if (!(Step > 0) || !std::isfinite(Step) || !std::isfinite(Walk.Min) || !std::isfinite(Walk.Max)) return;
    double up = Walk.StartFrom, down = -Walk.StartFrom;
    if (!Walk.UseStartFrom) {
      up = Walk.Min < 0 && Walk.Max > 0 ? 0
           : Walk.Min >= 0              ? std::trunc(Walk.Min / Step) * Step
                                        : std::trunc(Walk.Max / Step) * Step;
      down = up;
    }
    std::optional<int> sharedStart;
    if (Walk.Min < 0) {
      Go(down, -1);
      sharedStart = FirstEmitted;
    }
    if (Walk.Max > 0) {
      // A start both walks share was drawn by the downward one; the upward walk goes on from it.
      Previous.reset();
      if (sharedStart && up == down) {
        Previous = sharedStart;
        up = Next(up, 1);
      }
      Go(up, 1);
    }
  }

private:
  void Go(double value, int direction) {
    FirstEmitted.reset();
    for (int n = 0; n < KvMaxTickSteps && std::isfinite(value); ++n) {
      if (direction < 0 ? value < Walk.Min - Step : value > Walk.Max + Step) return;
      Visit(value, n == 0);
      const double next = Next(value, direction);
      if (next == value) return;
      value = next;
    }
  }

  void Visit(double value, bool first) {
    bool draw = true;
    if (Walk.CustomStep) {
      double step = Step;
      Walk.CustomStep(step, draw, value);
      if (step != Step && step > 0 && std::isfinite(step)) Step = step;
    }
    const int pixel = Walk.PixelOf(value);
    if (!draw || !Walk.Inside(pixel)) return;
    if (Previous && std::abs(pixel - *Previous) <= Walk.MinDistance) return;
    if (Previous) EmitMinors(*Previous, pixel, value);
    Emit(TKvTick{pixel, value, true, std::fabs(value) < std::min(Step / 2, 1.5e-45)});
    Previous = pixel;
    if (first) FirstEmitted = pixel;
  }

  // Between two major ticks the minor ones divide the distance evenly, in whole pixels.
  void EmitMinors(int from, int to, double value) {
    int at = from;
    for (unsigned k = 0; k < Walk.MinorCount; ++k) {
      at += (to - at) / static_cast<int>(Walk.MinorCount - k + 1);
      if (Walk.Inside(at)) Emit(TKvTick{at, value, false, false});
    }
  }

  double Next(double value, int direction) const {
    if (Walk.Scale == TKvScaleMode::smLinear) return value + direction * Step;
    const double d = Walk.Scale == TKvScaleMode::smLogDecascale ? 1 : 0;
    const double decade = std::trunc(LogScale(value - direction * d));
    return value + direction * std::fabs(Power(decade)) * Step;
  }

  const TKvTickWalk& Walk;
  const std::function<void(const TKvTick&)>& Emit;
  double Step;
  std::optional<int> Previous;
  std::optional<int> FirstEmitted;
};

}  // namespace

void WalkTicks(const TKvTickWalk& walk, const std::function<void(const TKvTick&)>& onTick) {
  TTickWalker walker(walk, onTick);
  walker.Run();
}
