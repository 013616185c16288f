#pragma once

#include "display/KvDisplayChannel.h"

#include <cstdint>
#include <limits>

class TKvScopeTrace;

// How near a point lies to a drawn trace: the distance in pixels, the sample of the nearest point
// or segment start, and where along that segment (0 at its start, 1 at its end) the point falls,
// so that the hover can interpolate between two samples.
struct TKvTraceHit {
  static constexpr double Miss = std::numeric_limits<double>::infinity();
  double Distance = Miss;
  uint32_t Sample = 0;
  double Along = 0;
  // The drawn point hit, or the first of the segment hit; Along runs from it to the next one.
  size_t Point = 0;
};

// Pixels around a trace within which it is found at all.
inline constexpr int KvHitTolerance = 3;

// The distance from (x, y) to a trace drawn in `mode` with `width`: 0 within `reach` pixels of a
// drawn point when points count (`cmPoint`, `cmStep` or visible marks, `reach` the marks' half size,
// at least 2), otherwise the distance to the nearest drawn segment less half the pen width, never
// below 0. A point outside the trace's box widened by the tolerance misses at once.
TKvTraceHit HitTrace(const TKvScopeTrace& trace, int x, int y, TKvChannelMode mode, bool marks, int reach, int width);
