#pragma once

#include "vector/PrimitiveTypes.h"

#include <span>

// The loop of ippsConvert_64f32f: doubles rounded to singles, beyond the single range the largest
// single of that sign, a NaN a NaN. One loop per instruction set; the primitive runs the last of
// those the processor supports.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

using TSingleConversion = void (*)(const Ipp64f* pSrc, Ipp32f* pDst, int len);

std::span<const TSingleConversion> SupportedSingleConversions();

}  // namespace Own
}  // namespace Primitives
