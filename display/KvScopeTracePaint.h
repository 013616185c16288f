#pragma once

#include "display/KvDisplayChannel.h"
#include "display/KvScopePoints.h"

#include <QPoint>

#include <cstddef>
#include <functional>
#include <vector>

class TKvCanvas;
class TKvScopeTrace;

// How one pass over a channel's trace draws it. A highlighted channel is drawn twice: first in
// the highlight colour, wider, then as usual.
struct TKvTraceStyle {
  TKvChannelMode Mode = TKvChannelMode::cmLine;
  TColor Color = clRed;
  int Width = 1;
  // The pass under the trace that marks it as highlighted.
  bool Highlight = false;
  // X runs down the view.
  bool Vertical = false;
  // The pixel across the view where bars start.
  int BarBase = 0;
  const TKvScopePoints* Points = nullptr;
  // Asked before each bar with the index of its point and whether this is the highlighting pass;
  // false leaves the bar out.
  const std::function<bool(size_t, bool)>* KeepBar = nullptr;
};

// The pen (`width` wide) and brush of point marks: the points' own colours, unless they take the
// channel's or this is the highlighting pass, when both are `colour`.
void SetPointMarkColours(TKvCanvas& canvas, const TKvScopePoints& points, TColor colour, bool highlight, int width);
// A point mark of `shape` about (x, y), reaching `size` pixels from it each way, in the canvas's
// pen and brush.
void PaintPointMark(TKvCanvas& canvas, TKvScopePointShape shape, int x, int y, int size);

// Draws the trace's points in the style's mode, then its point marks; `scratch` holds the step
// mode's corners (its memory is kept between paints).
void PaintTrace(TKvCanvas& canvas, const TKvScopeTrace& trace, const TKvTraceStyle& style,
                std::vector<QPoint>& scratch);
