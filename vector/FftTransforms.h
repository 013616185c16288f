#pragma once

#include "vector/FftRecord.h"

namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// The transforms of a checked record with a given kernel set (the primitives pass the record's
// own). src == dst is in place; the real forward transform writes N + 2 doubles (CCS).
void ForwardReal(const TFftRecord& record, const TFftKernels& kernels, const Ipp64f* src, Ipp64f* dst);
void InverseReal(const TFftRecord& record, const TFftKernels& kernels, const Ipp64f* src, Ipp64f* dst);
void ForwardComplex(const TFftRecord& record, const TFftKernels& kernels, const Ipp64fc* src, Ipp64fc* dst);
void InverseComplex(const TFftRecord& record, const TFftKernels& kernels, const Ipp64fc* src, Ipp64fc* dst);

}  // namespace Own
}  // namespace Primitives
