#pragma once

#include "vector/PrimitiveTypes.h"

#include <algorithm>

namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// The first checks of every vector primitive, in their order: a null pointer gives -8, then a
// length below 1 gives -6.
template <typename... Pointee>
IppStatus CheckVector(int len, const Pointee*... pointers) {
  if ((!pointers || ...)) return StsNullPointer;
  if (len < 1) return StsSize;
  return StsNoError;
}

// The same for a region primitive, whose width and height must both be 1 or more.
template <typename... Pointee>
IppStatus CheckRegion(IppiSize roiSize, const Pointee*... pointers) {
  return CheckVector(std::min(roiSize.width, roiSize.height), pointers...);
}

// Then, for the primitives that test their steps: a step below 1 gives -14.
template <typename... Step>
IppStatus CheckSteps(Step... steps) {
  return ((steps < 1) || ...) ? StsStep : StsNoError;
}

}  // namespace Own
}  // namespace Primitives
