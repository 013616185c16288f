#include "vector/FftKernels.h"

namespace Primitives::Own {

std::span<const TFftKernels* const> SupportedFftKernels() {
  static const auto supported = [] {
    struct TList {
      const TFftKernels* Kernels[3];
      std::size_t Count = 0;
    } list{{&BaselineFftKernels}, 1};
    if (__builtin_cpu_supports("avx")) list.Kernels[list.Count++] = &AvxFftKernels;
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq"))
      list.Kernels[list.Count++] = &Avx512FftKernels;
    return list;
  }();
  return {supported.Kernels, supported.Count};
}

const TFftKernels& FastestFftKernels() { return *SupportedFftKernels().back(); }

}  // namespace Primitives::Own
