#pragma once

#include "platform/Published.h"

#include <functional>

// How an axis turns values into positions: linearly, through L(x) = sign(x) × log10(1 + |x|), or
// through L with ticks at 1, 2, … 9, 10, 20, … between decades.
enum class TKvScaleMode { smLinear, smLogarithmic, smLogDecascale };
const TEnumNames<TKvScaleMode>& ScaleModeNames();

// How the major tick step is found: from the spacing the labels need, from a set step that is
// doubled until the labels fit, or from a set step doubled only until ticks are a pixel apart.
enum class TKvMajorTicksMode { mtmAuto, mtmCustom, mtmOverride };
const TEnumNames<TKvMajorTicksMode>& MajorTicksModeNames();

double LogScale(double x);
// The inverse of LogScale.
double UnlogScale(double y);

// The automatic step for `span` (in the scale's units) over `pixels`: the smallest of 1, 2, 2.5 and
// 5 times a power of ten, at least `minSpacing` pixels per step, whose ticks lie more than the
// label extent + 2 pixels apart. 1 when there are no pixels or the span is 0 or not finite.
double AutoTickStep(double span, int pixels, double minSpacing, int labelExtent, TKvScaleMode mode);

// `step` doubled while its ticks lie no more than `limit` pixels apart; unchanged when there is no
// room or the span is 0 or not finite.
double DoubledTickStep(double step, double span, int pixels, double limit);

// One tick the walk emits: its pixel, its value, and whether it is a major tick and the one at 0.
// Minor ticks carry the value of the next major tick.
struct TKvTick {
  int Pixel = 0;
  double Value = 0;
  bool Major = true;
  bool Zero = false;
};

// A walk over the ticks of a range: from 0 (or the start of the range nearest 0, or ±StartFrom)
// down to the minimum and up to the maximum, one step at a time, emitting every major tick that
// lies inside the view and far enough from the previous one, with its minor ticks before it.
struct TKvTickWalk {
  double Min = 0;
  double Max = 0;
  double Step = 1;
  TKvScaleMode Scale = TKvScaleMode::smLinear;
  // Ticks start from ±StartFrom instead of from 0 or the range.
  bool UseStartFrom = false;
  double StartFrom = 0;
  unsigned MinorCount = 0;
  // A major tick must lie more than this many pixels from the previous one.
  int MinDistance = 1;
  std::function<int(double value)> PixelOf;
  std::function<bool(int pixel)> Inside;
  // May change the step from this value on, or leave out the tick at it.
  std::function<void(double& step, bool& draw, double value)> CustomStep;
};

// At most this many values are visited in each direction, so that a step too small for the
// values' precision cannot hang the drawing.
inline constexpr int KvMaxTickSteps = 100000;

void WalkTicks(const TKvTickWalk& walk, const std::function<void(const TKvTick&)>& onTick);
