#pragma once

#include "vector/PrimitiveBinding.h"

// The primitives of the sample buffers: the buffer group of the process's table.
inline const Primitives::TBufferPrimitives& BufferPrimitives() { return Primitives::BoundPrimitives().Buffer; }

// A scaled primitive (source, vector, length, scale factor) run with scale factor 0, which only
// saturates.
template <class Primitive>
auto Unscaled(Primitive primitive) {
  return [primitive](const auto* source, auto* x, int n) { primitive(source, x, n, 0); };
}
