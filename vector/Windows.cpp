#include "vector/Windows.h"

#include "vector/ArgumentChecks.h"

#include <cmath>
#include <cstddef>

namespace Primitives::Own {
namespace {

constexpr long double Pi = 3.14159265358979323846264338327950288L;

Ipp64f Weighted(Ipp64f x, Ipp64f weight) { return x * weight; }
Ipp64fc Weighted(Ipp64fc x, Ipp64f weight) { return {x.re * weight, x.im * weight}; }

// Every window is symmetric: weight(n) is taken for n = 0, 1, ... and applied to elements n and
// len - 1 - n, from both ends towards the middle, the middle element of an odd length last.
template <typename Element, typename Weight>
void ApplySymmetric(const Element* src, Element* dst, int len, Weight weight) {
  for (int n = 0, m = len - 1; n <= m; ++n, --m) {
    const Ipp64f w = static_cast<Ipp64f>(weight(n));
    dst[n] = Weighted(src[n], w);
    if (m != n) dst[m] = Weighted(src[m], w);
  }
}

// cos(2 pi n / (len - 1)) for n = 0, 1, ... by rotation from the first step's cosine and sine.
class TCosineRotation {
public:
  explicit TCosineRotation(int len) : StepCos(std::cos(2 * Pi / (len - 1))), StepSin(std::sin(2 * Pi / (len - 1))) {}

  long double Next() {
    const long double current = Cos;
    const long double nextCos = Cos * StepCos - Sin * StepSin;
    Sin = Sin * StepCos + Cos * StepSin;
    Cos = nextCos;
    return current;
  }

private:
  const long double StepCos, StepSin;
  long double Cos = 1, Sin = 0;
};

// The checks of the windows that need at least three elements.
template <typename Element>
IppStatus CheckWindow(const Element* src, Element* dst, int len) {
  if (IppStatus status = CheckVector(len, src, dst)) return status;
  return len < 3 ? StsSize : StsNoError;
}

// a - b cos(2 pi n / (len - 1)) - c cos(4 pi n / (len - 1)).
struct TCosineSum {
  long double a, b, c;
};
constexpr TCosineSum Hann{0.5L, 0.5L, 0.0L};
constexpr TCosineSum Hamming{0.54L, 0.46L, 0.0L};
TCosineSum Blackman(Ipp64f alpha) { return {(alpha + 1.0L) / 2, 0.5L, alpha / 2.0L}; }

template <typename Element>
IppStatus ApplyCosineSum(const Element* src, Element* dst, int len, TCosineSum window) {
  if (IppStatus status = CheckWindow(src, dst, len)) return status;
  TCosineRotation rotation(len);
  ApplySymmetric(src, dst, len, [&](int) {
    const long double cos1 = rotation.Next();
    return window.a - window.b * cos1 - window.c * (2 * cos1 * cos1 - 1);
  });
  return StsNoError;
}

template <typename Element>
IppStatus ApplyBlackman(const Element* src, Element* dst, int len, Ipp64f alpha) {
  if (len != 3) return ApplyCosineSum(src, dst, len, Blackman(alpha));
  if (IppStatus status = CheckWindow(src, dst, len)) return status;
  // Ends 0 and the middle unchanged: what the formula gives, without its rounding at the ends.
  ApplySymmetric(src, dst, len, [](int n) { return n == 0 ? 0.0L : 1.0L; });
  return StsNoError;
}

template <typename Element>
IppStatus ApplyBartlett(const Element* src, Element* dst, int len) {
  if (IppStatus status = CheckWindow(src, dst, len)) return status;
  ApplySymmetric(src, dst, len, [len](int n) { return 2.0L * n / (len - 1); });
  return StsNoError;
}

// c[0] + x (c[1] + x (c[2] + ...)).
template <std::size_t Count>
long double Polynomial(long double x, const long double (&c)[Count]) {
  long double sum = c[Count - 1];
  for (std::size_t i = Count - 1; i-- > 0;) sum = c[i] + x * sum;
  return sum;
}

// The modified Bessel function of order 0 of x >= 0, by its polynomial approximations.
long double BesselI0(long double x) {
  if (x < 4) {
    constexpr long double near[] = {0.9999999985L, 4.0000001935L, 3.9999959541L, 1.777809969L,
                                    0.4443189384L, 0.0713758187L, 0.0075942968L, 0.0008267816L};
    return Polynomial((x / 4) * (x / 4), near);
  }
  constexpr long double far[] = {0.3989422809L,  0.0124667783L,  0.0017623668L,  0.00026L,      0.0022585672L,
                                 -0.0128314822L, 0.0495811118L,  -0.1209940805L, 0.1895476618L, -0.1867783276L,
                                 0.1113315511L,  -0.0366694767L, 0.0051246015L};
  return std::exp(x) / std::sqrt(x) * Polynomial(4 / x, far);
}

template <typename Element>
IppStatus ApplyKaiser(const Element* src, Element* dst, int len, float alpha) {
  if (IppStatus status = CheckVector(len, src, dst)) return status;
  const long double a = std::fabs(static_cast<long double>(alpha));
  const long double halfSpan = a * (len - 1) / 2;
  // Beyond this I0 leaves the range of a double; NaN counts as beyond.
  if (!(halfSpan <= 308)) return StsHugeWindow;
  const long double denominator = BesselI0(halfSpan);
  ApplySymmetric(src, dst, len, [&](int n) {
    return BesselI0(a * std::sqrt(static_cast<long double>(n) * (len - 1 - n))) / denominator;
  });
  return StsNoError;
}

}  // namespace

IppStatus ippsWinBartlett_64f_I(Ipp64f* pSrcDst, int len) { return ApplyBartlett(pSrcDst, pSrcDst, len); }
IppStatus ippsWinBartlett_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) { return ApplyBartlett(pSrc, pDst, len); }
IppStatus ippsWinBartlett_64fc_I(Ipp64fc* pSrcDst, int len) { return ApplyBartlett(pSrcDst, pSrcDst, len); }

IppStatus ippsWinHann_64f_I(Ipp64f* pSrcDst, int len) { return ApplyCosineSum(pSrcDst, pSrcDst, len, Hann); }
IppStatus ippsWinHann_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) { return ApplyCosineSum(pSrc, pDst, len, Hann); }
IppStatus ippsWinHann_64fc_I(Ipp64fc* pSrcDst, int len) { return ApplyCosineSum(pSrcDst, pSrcDst, len, Hann); }

IppStatus ippsWinHamming_64f_I(Ipp64f* pSrcDst, int len) { return ApplyCosineSum(pSrcDst, pSrcDst, len, Hamming); }
IppStatus ippsWinHamming_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
  return ApplyCosineSum(pSrc, pDst, len, Hamming);
}
IppStatus ippsWinHamming_64fc_I(Ipp64fc* pSrcDst, int len) { return ApplyCosineSum(pSrcDst, pSrcDst, len, Hamming); }

IppStatus ippsWinBlackman_64f_I(Ipp64f* pSrcDst, int len, Ipp64f alpha) {
  return ApplyBlackman(pSrcDst, pSrcDst, len, alpha);
}
IppStatus ippsWinBlackman_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len, Ipp64f alpha) {
  return ApplyBlackman(pSrc, pDst, len, alpha);
}
IppStatus ippsWinBlackman_64fc_I(Ipp64fc* pSrcDst, int len, Ipp64f alpha) {
  return ApplyBlackman(pSrcDst, pSrcDst, len, alpha);
}

IppStatus ippsWinKaiser_64f_I(Ipp64f* pSrcDst, int len, float alpha) {
  return ApplyKaiser(pSrcDst, pSrcDst, len, alpha);
}
IppStatus ippsWinKaiser_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len, float alpha) {
  return ApplyKaiser(pSrc, pDst, len, alpha);
}
IppStatus ippsWinKaiser_64fc_I(Ipp64fc* pSrcDst, int len, float alpha) {
  return ApplyKaiser(pSrcDst, pSrcDst, len, alpha);
}

}  // namespace Primitives::Own
