#pragma once

#include "vector/PrimitiveTypes.h"

#include <memory>

// Zero-padded transforms of 2^order points, through which the long correlations and convolutions
// multiply spectra instead of summing products. E is Ipp64f for the real transform (whose spectrum
// holds the N/2 + 1 bins of the CCS format) or Ipp64fc for the complex one (N bins).
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

template <class E>
class TSpectra {
public:
  // Makes the transform's setup record and the work arrays: `spectra` spectra and one array of N
  // elements; Status() tells whether they could be had.
  TSpectra(int order, int spectra);
  ~TSpectra();
  TSpectra(const TSpectra&) = delete;
  TSpectra& operator=(const TSpectra&) = delete;

  IppStatus Status() const { return Status_; }
  int Points() const { return 1 << Order; }
  int Bins() const;
  Ipp64fc* Spectrum(int which) { return Spectra.get() + which * Bins(); }

  // The spectrum of the first `len` elements of x followed by zeros.
  void Forward(const E* x, int len, Ipp64fc* spectrum);
  // The N elements whose spectrum it is (the spectrum is overwritten), divided by N.
  const E* Inverse(Ipp64fc* spectrum);

  // The smallest order, at least `minimum`, with 2^order >= points.
  static int OrderFor(long points, int minimum);

private:
  int Order;
  void* Setup = nullptr;
  std::unique_ptr<Ipp64fc[]> Spectra;
  std::unique_ptr<E[]> Time;
  IppStatus Status_;
};

// The product of every bin of `into` with the conjugate of the same bin of `by`.
void MultiplyByConjugate(Ipp64fc* into, const Ipp64fc* by, int bins);
// The product of every bin of `into` with the same bin of `by`.
void Multiply(Ipp64fc* into, const Ipp64fc* by, int bins);

}  // namespace Own
}  // namespace Primitives
