#pragma once

#include "vector/PrimitiveTypes.h"

namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// The first checks of every vector primitive, in their order: a null pointer gives -8, then a
// length below 1 gives -6.
template <typename... Pointee>
IppStatus CheckVector(int len, const Pointee*... pointers) {
  if (((pointers == nullptr) || ...)) return StsNullPointer;
  if (len < 1) return StsSize;
  return StsNoError;
}

}  // namespace Own
}  // namespace Primitives
