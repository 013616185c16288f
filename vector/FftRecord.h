#pragma once

#include "vector/FftKernels.h"

#include <cstdint>

namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

constexpr std::uint32_t RealFftKind = 9;
constexpr std::uint32_t ComplexFftKind = 7;

// The setup record behind IppsFFTSpec_R_64f and IppsFFTSpec_C_64fc, allocated in one
// block with all its tables. Read-only after init, so threads may share it.
struct TFftRecord {
  std::uint32_t Kind;  // RealFftKind, ComplexFftKind, or 0 once freed
  int Order;
  bool ScaleForward;
  bool ScaleInverse;
  double Scale;  // 1/N or 1/sqrt(N); 1 without scaling
  const TFftKernels* Kernels;
  TFftKernelTables Kernel;  // real transforms: the complex kernel of N/2 points
  TFftSplit ForwardSplit;   // real transforms only, with the direction's scale folded in
  TFftSplit InverseSplit;
};

// A record with every table computed; null when its memory cannot be had. The order is 0..30 and
// the flag one of the four scaling flags.
TFftRecord* CreateFftRecord(std::uint32_t kind, int order, int flag);

// Marks the record freed (kind 0), then releases it.
void DestroyFftRecord(TFftRecord* record);

}  // namespace Own
}  // namespace Primitives
