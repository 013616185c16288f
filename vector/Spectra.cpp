#include "vector/Spectra.h"

#include "vector/Fft.h"

#include <algorithm>
#include <new>
#include <type_traits>

namespace Primitives::Own {

template <class E>
TSpectra<E>::TSpectra(int order, int spectra) : Order(order) {
  if constexpr (std::is_same_v<E, Ipp64f>) {
    IppsFFTSpec_R_64f* setup = nullptr;
    Status_ = ippsFFTInitAlloc_R_64f(&setup, order, FftDivInverseByN, HintNone);
    Setup = setup;
  } else {
    IppsFFTSpec_C_64fc* setup = nullptr;
    Status_ = ippsFFTInitAlloc_C_64fc(&setup, order, FftDivInverseByN, HintNone);
    Setup = setup;
  }
  if (Status_ != StsNoError) return;
  Spectra.reset(new (std::nothrow) Ipp64fc[std::size_t(spectra) * Bins()]);
  Time.reset(new (std::nothrow) E[std::size_t(Points())]);
  if (!Spectra || !Time) Status_ = StsMemoryAllocation;
}

template <class E>
TSpectra<E>::~TSpectra() {
  if (!Setup) return;
  if constexpr (std::is_same_v<E, Ipp64f>) ippsFFTFree_R_64f(static_cast<IppsFFTSpec_R_64f*>(Setup));
  else ippsFFTFree_C_64fc(static_cast<IppsFFTSpec_C_64fc*>(Setup));
}

template <class E>
int TSpectra<E>::Bins() const {
  if constexpr (std::is_same_v<E, Ipp64f>) return Points() / 2 + 1;
  else return Points();
}

template <class E>
void TSpectra<E>::Forward(const E* x, int len, Ipp64fc* spectrum) {
  std::copy_n(x, len, Time.get());
  std::fill(Time.get() + len, Time.get() + Points(), E{});
  if constexpr (std::is_same_v<E, Ipp64f>)
    ippsFFTFwd_RToCCS_64f(Time.get(), reinterpret_cast<Ipp64f*>(spectrum), static_cast<IppsFFTSpec_R_64f*>(Setup),
                          nullptr);
  else ippsFFTFwd_CToC_64fc(Time.get(), spectrum, static_cast<IppsFFTSpec_C_64fc*>(Setup), nullptr);
}

template <class E>
const E* TSpectra<E>::Inverse(Ipp64fc* spectrum) {
  if constexpr (std::is_same_v<E, Ipp64f>)
    ippsFFTInv_CCSToR_64f(reinterpret_cast<const Ipp64f*>(spectrum), Time.get(), static_cast<IppsFFTSpec_R_64f*>(Setup),
                          nullptr);
  else ippsFFTInv_CToC_64fc(spectrum, Time.get(), static_cast<IppsFFTSpec_C_64fc*>(Setup), nullptr);
  return Time.get();
}

template <class E>
int TSpectra<E>::OrderFor(long points, int minimum) {
  int order = minimum;
  while ((1L << order) < points) ++order;
  return order;
}

template class TSpectra<Ipp64f>;
template class TSpectra<Ipp64fc>;

void MultiplyByConjugate(Ipp64fc* into, const Ipp64fc* by, int bins) {
  for (int k = 0; k < bins; ++k) {
    const Ipp64fc a = into[k], b = by[k];
    into[k] = {a.re * b.re + a.im * b.im, a.im * b.re - a.re * b.im};
  }
}

void Multiply(Ipp64fc* into, const Ipp64fc* by, int bins) {
  for (int k = 0; k < bins; ++k) {
    const Ipp64fc a = into[k], b = by[k];
    into[k] = {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
  }
}

}  // namespace Primitives::Own
