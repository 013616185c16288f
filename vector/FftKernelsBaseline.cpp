#include "vector/FftKernelTemplates.h"

namespace Primitives::Own {

constinit const TFftKernels BaselineFftKernels = MakeFftKernels<TVec128>("x86-64-v2");

}  // namespace Primitives::Own
