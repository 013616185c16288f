#include "vector/Correlation.h"

#include "PrimitiveTestKit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;
using TExtended = long double;
using TComplexL = std::complex<TExtended>;

TComplexL Wide(Ipp64f x) { return x; }
TComplexL Wide(Ipp64fc x) { return {x.re, x.im}; }
TComplexL Conjugate(Ipp64f x) { return x; }
TComplexL Conjugate(Ipp64fc x) { return {x.re, -x.im}; }

// The sum of the definitions in extended precision: c[n] = sum conj(a[i]) b[i + lag].
template <class E>
TComplexL LagSum(const std::vector<E>& a, const std::vector<E>& b, long lag) {
  TComplexL sum = 0;
  for (long i = 0; i < long(a.size()); ++i)
    if (i + lag >= 0 && i + lag < long(b.size())) sum += Conjugate(a[i]) * Wide(b[i + lag]);
  return sum;
}

template <class E>
TExtended Norm(const std::vector<E>& x) {
  TExtended sum = 0;
  for (const E& e : x) sum += std::norm(Wide(e));
  return std::sqrt(sum);
}

// A transform's rounding grows with the norms of its inputs (each product term is at most their
// product): far below an error in any one term.
template <class E>
void ExpectNear(E value, TComplexL reference, TExtended norms, const char* what, long n) {
  EXPECT_LE(std::abs(Wide(value) - reference), 1e-14L * norms) << what << " at " << n;
}

std::vector<Ipp64f> Signal(std::size_t n, unsigned seed, Ipp64f) { return UniformValues(n, seed); }
std::vector<Ipp64fc> Signal(std::size_t n, unsigned seed, Ipp64fc) { return UniformComplexValues(n, seed); }

template <class E>
void ExpectAutoCorrelations(IppStatus (*plain)(const E*, int, E*, int), IppStatus (*byLength)(const E*, int, E*, int),
                            IppStatus (*byTerms)(const E*, int, E*, int)) {
  // Lengths on both sides of the transform threshold (96 complex, 600 real outputs), with more and
  // fewer outputs than the source has elements.
  for (const auto& [len, lags] : {std::pair{5, 8}, {90, 40}, {150, 100}, {700, 650}, {1000, 1200}}) {
    const std::vector<E> x = Signal(len, unsigned(len), E{});
    std::vector<E> r(lags), a(lags), b(lags);
    ASSERT_EQ(plain(x.data(), len, r.data(), lags), StsNoError);
    ASSERT_EQ(byLength(x.data(), len, a.data(), lags), StsNoError);
    ASSERT_EQ(byTerms(x.data(), len, b.data(), lags), StsNoError);
    const TExtended norms = Norm(x) * Norm(x);
    for (int n = 0; n < lags; ++n) {
      const TComplexL reference = LagSum(x, x, n);
      ExpectNear(r[n], reference, norms, "plain", n);
      ExpectNear(a[n], reference / TExtended(len), norms / len, "by length", n);
      const TExtended terms = n < len ? len - n : 1;
      ExpectNear(b[n], reference / terms, norms / terms, "by terms", n);
    }
  }
}

TEST(Correlation, AutoCorrelationsDirectAndThroughTheTransform) {
  ExpectAutoCorrelations<Ipp64f>(ippsAutoCorr_64f, ippsAutoCorr_NormA_64f, ippsAutoCorr_NormB_64f);
  ExpectAutoCorrelations<Ipp64fc>(ippsAutoCorr_64fc, ippsAutoCorr_NormA_64fc, ippsAutoCorr_NormB_64fc);
  const std::vector<Ipp64f> x = {1, 2, 3};
  std::vector<Ipp64f> r(4);
  ASSERT_EQ(ippsAutoCorr_NormB_64f(x.data(), 3, r.data(), 4), StsNoError);
  EXPECT_EQ(r, (std::vector<Ipp64f>{14.0 / 3, 8.0 / 2, 3.0 / 1, 0}));
}

template <class E>
void ExpectCrossCorrelations(IppStatus (*cross)(const E*, int, const E*, int, E*, int, int)) {
  struct TCase {
    int Len1, Len2, Lags, LowLag;
  };
  // Short and long (through the transform), lags partly and wholly outside the overlap.
  const TCase cases[] = {{2, 3, 4, -1},  {7, 30, 50, -10},      {30, 7, 10, 25},         {5, 5, 3, 10},
                         {5, 5, 3, -12}, {900, 700, 600, -400}, {300, 2000, 1500, -100}, {1000, 1000, 2500, -1200}};
  for (const TCase& c : cases) {
    const std::vector<E> a = Signal(c.Len1, 31, E{}), b = Signal(c.Len2, 32, E{});
    std::vector<E> y(c.Lags);
    ASSERT_EQ(cross(a.data(), c.Len1, b.data(), c.Len2, y.data(), c.Lags, c.LowLag), StsNoError);
    for (int n = 0; n < c.Lags; ++n) ExpectNear(y[n], LagSum(a, b, n + c.LowLag), Norm(a) * Norm(b), "cross", n);
  }
}

TEST(Correlation, CrossCorrelationsDirectAndThroughTheTransform) {
  ExpectCrossCorrelations<Ipp64f>(ippsCrossCorr_64f);
  ExpectCrossCorrelations<Ipp64fc>(ippsCrossCorr_64fc);
  const std::vector<Ipp64f> a = {1, 2}, b = {1, 1, 1};
  std::vector<Ipp64f> y(4);
  ASSERT_EQ(ippsCrossCorr_64f(a.data(), 2, b.data(), 3, y.data(), 4, -1), StsNoError);
  EXPECT_EQ(y, (std::vector<Ipp64f>{2, 3, 3, 1}));
}

TEST(Correlation, ConvolutionDirectAtOnceAndByBlocks) {
  // Direct (short), one transform (similar lengths), overlap-add (one much longer), either first.
  for (const auto& [len1, len2] :
       {std::pair{2, 3}, {100, 40}, {200, 31}, {200, 100}, {300, 500}, {3000, 64}, {40, 2500}}) {
    const std::vector<Ipp64f> a = UniformValues(len1, 41), b = UniformValues(len2, 42);
    std::vector<Ipp64f> y(len1 + len2);
    y.back() = 77;
    ASSERT_EQ(ippsConv_64f(a.data(), len1, b.data(), len2, y.data()), StsNoError);
    const std::vector<Ipp64f> reversed(b.rbegin(), b.rend());
    for (int n = 0; n < len1 + len2 - 1; ++n) {
      // y[n] = sum a[k] b[n - k] = the correlation of a with b reversed at lag n - (len2 - 1).
      ExpectNear(y[n], LagSum(reversed, a, n - (len2 - 1)), Norm(a) * Norm(b), "convolution", n);
    }
    EXPECT_EQ(y.back(), 77) << "beyond len1 + len2 - 1";
  }
  const std::vector<Ipp64f> a = {1, 2}, b = {1, 1, 1};
  std::vector<Ipp64f> y(4);
  ASSERT_EQ(ippsConv_64f(a.data(), 2, b.data(), 3, y.data()), StsNoError);
  EXPECT_EQ(y, (std::vector<Ipp64f>{1, 3, 3, 2}));
}

TEST(Correlation, StatusesInCheckOrderAndNothingWrittenOnError) {
  std::vector<Ipp64f> d(4, 55);
  std::vector<Ipp64fc> z(4, Ipp64fc{55, 55});
  Ipp64f* p = d.data();
  Ipp64fc* q = z.data();
  struct TCase {
    const char* What;
    IppStatus Status, Expected;
  };
  const TCase cases[] = {
      {"AutoCorr, null", ippsAutoCorr_64f(nullptr, 0, p, 4), StsNullPointer},
      {"AutoCorr, source length", ippsAutoCorr_64f(p, 0, p, 4), StsSize},
      {"AutoCorr_NormA, destination length", ippsAutoCorr_NormA_64f(p, 4, p, -1), StsSize},
      {"AutoCorr_NormB_64fc, null", ippsAutoCorr_NormB_64fc(q, 4, nullptr, 0), StsNullPointer},
      {"AutoCorr_64fc, length", ippsAutoCorr_64fc(q, 0, q, 0), StsSize},
      {"CrossCorr, null", ippsCrossCorr_64f(p, 4, nullptr, 4, p, 4, 0), StsNullPointer},
      {"CrossCorr, first length", ippsCrossCorr_64f(p, 0, p, 4, p, 4, 0), StsSize},
      {"CrossCorr, second length", ippsCrossCorr_64f(p, 4, p, -2, p, 4, 0), StsSize},
      {"CrossCorr_64fc, destination length", ippsCrossCorr_64fc(q, 4, q, 4, q, 0, 0), StsSize},
      {"Conv, null destination", ippsConv_64f(p, 0, p, 4, nullptr), StsNullPointer},
      {"Conv, length", ippsConv_64f(p, 4, p, 0, p), StsSize},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Status, c.Expected) << c.What;
  EXPECT_EQ(d, std::vector<Ipp64f>(4, 55));
  for (const Ipp64fc& x : z) EXPECT_EQ(x.re, 55);
}

}  // namespace
