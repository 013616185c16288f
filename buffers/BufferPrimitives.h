#pragma once

#include "vector/PrimitiveBinding.h"

// The primitives of the sample buffers: the buffer group of the process's table.
inline const Primitives::TBufferPrimitives& BufferPrimitives() { return Primitives::BoundPrimitives().Buffer; }

// The threshold relation that replaces the values below the level, or those above it.
inline Primitives::IppCmpOp ThresholdRelation(bool below) {
  return below ? Primitives::CmpLess : Primitives::CmpGreater;
}

// The autocorrelation of a kind: 1 divided by the source's count, 2 by the number of terms, any
// other as summed.
template <class Primitive>
Primitive AutoCorrelationOfKind(int kind, Primitive summed, Primitive byCount, Primitive byTerms) {
  return kind == 1 ? byCount : kind == 2 ? byTerms : summed;
}

// A primitive of (first, elements, count, rest...), such as a constant's, as one of (elements,
// count).
template <class Primitive, class First, class... Rest>
auto WithFirst(Primitive primitive, First first, Rest... rest) {
  return [=](auto* x, int n) { primitive(first, x, n, rest...); };
}
