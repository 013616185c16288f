#include "vector/FftTransforms.h"

#include <cstddef>

namespace Primitives::Own {
namespace {

const Ipp64fc* AsComplex(const Ipp64f* data) { return reinterpret_cast<const Ipp64fc*>(data); }
Ipp64fc* AsComplex(Ipp64f* data) { return reinterpret_cast<Ipp64fc*>(data); }

double ForwardScale(const TFftRecord& record) { return record.ScaleForward ? record.Scale : 1.0; }
double InverseScale(const TFftRecord& record) { return record.ScaleInverse ? record.Scale : 1.0; }

}  // namespace

// The N real samples, taken as N/2 complex values z[m] = x[2m] + i x[2m+1], go through the complex
// transform; the split turns its Z[k] into the real spectrum X[k], k = 0 .. N/2.
void ForwardReal(const TFftRecord& record, const TFftKernels& kernels, const Ipp64f* src, Ipp64f* dst) {
  const double scale = ForwardScale(record);
  if (record.Order == 0) {
    dst[0] = src[0] * scale;
    dst[1] = 0;
    return;
  }
  const std::size_t m = std::size_t(1) << record.Kernel.Order;
  kernels.Forward(AsComplex(src), AsComplex(dst), record.Kernel);
  const double re = dst[0], im = dst[1];
  dst[0] = (re + im) * scale;
  dst[1] = 0;
  dst[2 * m] = (re - im) * scale;
  dst[2 * m + 1] = 0;
  kernels.Split(AsComplex(dst), AsComplex(dst), m, record.ForwardSplit);
}

// The reverse: the split forms Z[k] from X[k] (the imaginary parts of X[0] and X[N/2] unread),
// and the inverse complex transform gives back the samples in pairs.
void InverseReal(const TFftRecord& record, const TFftKernels& kernels, const Ipp64f* src, Ipp64f* dst) {
  const double scale = InverseScale(record);
  if (record.Order == 0) {
    dst[0] = src[0] * scale;
    return;
  }
  const std::size_t m = std::size_t(1) << record.Kernel.Order;
  const double first = src[0], last = src[2 * m];
  kernels.Split(AsComplex(src), AsComplex(dst), m, record.InverseSplit);
  dst[0] = (first + last) * scale;
  dst[1] = (first - last) * scale;
  kernels.Inverse(AsComplex(dst), AsComplex(dst), record.Kernel);
}

void ForwardComplex(const TFftRecord& record, const TFftKernels& kernels, const Ipp64fc* src, Ipp64fc* dst) {
  kernels.Forward(src, dst, record.Kernel);
  if (record.ScaleForward) kernels.Scale(dst, std::size_t(1) << record.Order, record.Scale);
}

void InverseComplex(const TFftRecord& record, const TFftKernels& kernels, const Ipp64fc* src, Ipp64fc* dst) {
  kernels.Inverse(src, dst, record.Kernel);
  if (record.ScaleInverse) kernels.Scale(dst, std::size_t(1) << record.Order, record.Scale);
}

}  // namespace Primitives::Own
