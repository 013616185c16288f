#include "FftReference.h"
#include "vector/Fft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>
#include <string>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

constexpr int Flags[] = {FftDivForwardByN, FftDivInverseByN, FftDivBySqrtN, FftNoDivision};

long double ScaleOf(int flag, bool forward, std::size_t n) {
  switch (flag) {
    case FftDivForwardByN: return forward ? 1.0L / n : 1.0L;
    case FftDivInverseByN: return forward ? 1.0L : 1.0L / n;
    case FftDivBySqrtN: return 1 / std::sqrt(static_cast<long double>(n));
    default: return 1;
  }
}

std::vector<TComplexL> RandomComplex(std::size_t n, std::mt19937_64& random) {
  std::uniform_real_distribution<double> value(-1, 1);
  std::vector<TComplexL> x(n);
  for (auto& v : x) v = {value(random), value(random)};
  return x;
}

std::vector<Ipp64fc> AsIpp(const std::vector<TComplexL>& x) {
  std::vector<Ipp64fc> result;
  for (const auto& v : x) result.push_back({double(v.Re), double(v.Im)});
  return result;
}

// Compares got(i) with expected[i] * scale for every i. The error of an FFT grows like log2 N
// times the rounding unit, relative to the size of the values (their root mean square).
template <typename Got>
void ExpectMatches(const std::vector<TComplexL>& expected, long double scale, int order, Got got,
                   const std::string& what) {
  long double squares = 0;
  for (const auto& e : expected) squares += e.Re * e.Re + e.Im * e.Im;
  const long double rms = scale * std::sqrt(squares / expected.size());
  const long double bound = 2 * DBL_EPSILON * std::max(1, order) * rms;
  long double worst = 0;
  std::size_t worstAt = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Ipp64fc g = got(i);
    const long double error = std::hypot(g.re - expected[i].Re * scale, g.im - expected[i].Im * scale);
    if (!(error <= worst)) worst = error, worstAt = i;
  }
  EXPECT_LE(worst, bound) << what << ": worst at checked value " << worstAt << ", error " << double(worst / rms)
                          << " of the rms value";
}

class FftAgainstReference : public testing::TestWithParam<int> {
protected:
  const int Order = GetParam();
  const std::size_t N = std::size_t(1) << Order;
  const std::vector<std::size_t> Bins = BinsToCheck(N);
  std::mt19937_64 Random{std::uint64_t(Order) + 1};
};

TEST_P(FftAgainstReference, Complex) {
  const std::vector<TComplexL> x = RandomComplex(N, Random);
  const std::vector<TComplexL> forward = ReferenceDft(x, -1, Bins), inverse = ReferenceDft(x, +1, Bins);
  for (int flag : Flags) {
    IppsFFTSpec_C_64fc* setup = nullptr;
    ASSERT_EQ(ippsFFTInitAlloc_C_64fc(&setup, Order, flag, HintNone), StsNoError);
    for (bool inPlace : {false, true}) {
      for (bool isForward : {true, false}) {
        std::vector<Ipp64fc> src = AsIpp(x), separate(N);
        Ipp64fc* dst = inPlace ? src.data() : separate.data();
        const auto transform = isForward ? ippsFFTFwd_CToC_64fc : ippsFFTInv_CToC_64fc;
        ASSERT_EQ(transform(src.data(), dst, setup, nullptr), StsNoError);
        ExpectMatches(
            isForward ? forward : inverse, ScaleOf(flag, isForward, N), Order,
            [&](std::size_t i) { return dst[Bins[i]]; },
            std::string(isForward ? "forward" : "inverse") + (inPlace ? " in place" : "") + ", flag " +
                std::to_string(flag));
      }
    }
    EXPECT_EQ(ippsFFTFree_C_64fc(setup), StsNoError);
  }
}

TEST_P(FftAgainstReference, RealForwardGivesCcs) {
  std::vector<TComplexL> x = RandomComplex(N, Random);
  for (auto& v : x) v.Im = 0;
  std::vector<std::size_t> halfBins;
  std::copy_if(Bins.begin(), Bins.end(), std::back_inserter(halfBins), [&](std::size_t k) { return k <= N / 2; });
  const std::vector<TComplexL> expected = ReferenceDft(x, -1, halfBins);
  for (int flag : Flags) {
    IppsFFTSpec_R_64f* setup = nullptr;
    ASSERT_EQ(ippsFFTInitAlloc_R_64f(&setup, Order, flag, HintNone), StsNoError);
    for (bool inPlace : {false, true}) {
      std::vector<double> src(N + 2, 7.0), separate(N + 2, 7.0);  // 7: not a value the transform writes
      for (std::size_t i = 0; i < N; ++i) src[i] = double(x[i].Re);
      double* dst = inPlace ? src.data() : separate.data();
      ASSERT_EQ(ippsFFTFwd_RToCCS_64f(src.data(), dst, setup, nullptr), StsNoError);
      ExpectMatches(
          expected, ScaleOf(flag, true, N), Order,
          [&](std::size_t i) {
            return Ipp64fc{dst[2 * halfBins[i]], dst[2 * halfBins[i] + 1]};
          },
          std::string(inPlace ? "in place" : "") + ", flag " + std::to_string(flag));
      EXPECT_EQ(dst[1], 0.0);
      EXPECT_EQ(dst[2 * (N / 2) + 1], 0.0);
    }
    EXPECT_EQ(ippsFFTFree_R_64f(setup), StsNoError);
  }
}

TEST_P(FftAgainstReference, RealInverseFromCcs) {
  // Random X[0 .. N/2]; the imaginary parts of X[0] and X[N/2] are random too, and must be ignored.
  const std::vector<TComplexL> half = RandomComplex(N / 2 + 1, Random);
  std::vector<TComplexL> spectrum(N);
  for (std::size_t k = 0; k <= N / 2; ++k) {
    spectrum[k] = half[k];
    spectrum[(N - k) % N] = {half[k].Re, -half[k].Im};
  }
  spectrum[0].Im = 0;
  spectrum[N / 2].Im = 0;
  const std::vector<TComplexL> expected = ReferenceDft(spectrum, +1, Bins);
  for (int flag : Flags) {
    IppsFFTSpec_R_64f* setup = nullptr;
    ASSERT_EQ(ippsFFTInitAlloc_R_64f(&setup, Order, flag, HintNone), StsNoError);
    for (bool inPlace : {false, true}) {
      std::vector<double> src, separate(N);
      for (const auto& v : half) src.insert(src.end(), {double(v.Re), double(v.Im)});
      double* dst = inPlace ? src.data() : separate.data();
      ASSERT_EQ(ippsFFTInv_CCSToR_64f(src.data(), dst, setup, nullptr), StsNoError);
      ExpectMatches(
          expected, ScaleOf(flag, false, N), Order,
          [&](std::size_t i) {
            return Ipp64fc{dst[Bins[i]], 0};
          },
          std::string(inPlace ? "in place" : "") + ", flag " + std::to_string(flag));
    }
    EXPECT_EQ(ippsFFTFree_R_64f(setup), StsNoError);
  }
}

INSTANTIATE_TEST_SUITE_P(Orders, FftAgainstReference, testing::Values(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16),
                         [](const testing::TestParamInfo<int>& info) { return "Order" + std::to_string(info.param); });

// The worked cases: a transform of N = 512 real samples, each flag.
TEST(FftRealForward, ConstantAndCosineInputs) {
  struct TCase {
    const char* Input;
    int Flag;
    std::size_t Bin;  // the one bin that is not zero
    double Re;
  };
  const TCase cases[] = {
      {"ones", FftNoDivision, 0, 512},
      {"ones", FftDivForwardByN, 0, 1},
      {"ones", FftDivBySqrtN, 0, std::sqrt(512.0)},
      {"cos at bin 8", FftNoDivision, 8, 256},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Input) + ", flag " + std::to_string(c.Flag));
    std::vector<double> x(512), X(514);
    for (std::size_t n = 0; n < x.size(); ++n)
      x[n] = c.Bin == 0 ? 1.0 : std::cos(2 * 3.141592653589793 * double(c.Bin * n) / 512);
    IppsFFTSpec_R_64f* setup = nullptr;
    ASSERT_EQ(ippsFFTInitAlloc_R_64f(&setup, 9, c.Flag, HintAccurate), StsNoError);
    ASSERT_EQ(ippsFFTFwd_RToCCS_64f(x.data(), X.data(), setup, nullptr), StsNoError);
    for (std::size_t k = 0; k <= 256; ++k) {
      EXPECT_NEAR(X[2 * k], k == c.Bin ? c.Re : 0.0, 1e-12) << "bin " << k;
      EXPECT_NEAR(X[2 * k + 1], 0.0, 1e-12) << "bin " << k;
    }
    ippsFFTFree_R_64f(setup);
  }
}

TEST(FftRealForward, OrderZeroCopiesTheSampleAndZeroesItsImaginaryPart) {
  for (int flag : Flags) {
    const double x = -3.25;
    double X[2] = {99, 99};
    IppsFFTSpec_R_64f* setup = nullptr;
    ASSERT_EQ(ippsFFTInitAlloc_R_64f(&setup, 0, flag, HintNone), StsNoError);
    ASSERT_EQ(ippsFFTFwd_RToCCS_64f(&x, X, setup, nullptr), StsNoError);
    EXPECT_EQ(X[0], x);  // every scale factor is 1 for N = 1
    EXPECT_EQ(X[1], 0.0);
    ippsFFTFree_R_64f(setup);
  }
}

// Forward then inverse with the flags that scale the pair by 1/N in total gives the input back.
TEST(FftRoundTrip, ScalingFlagsTwoAndFourReturnTheInput) {
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> value(-1000, 1000);
  for (int flag : {FftDivInverseByN, FftDivBySqrtN}) {
    for (int order : {1, 5, 9, 10}) {
      SCOPED_TRACE("flag " + std::to_string(flag) + ", order " + std::to_string(order));
      const std::size_t n = std::size_t(1) << order;
      std::vector<double> x(n), ccs(n + 2), back(n);
      for (double& v : x) v = value(random);
      IppsFFTSpec_R_64f* real = nullptr;
      ASSERT_EQ(ippsFFTInitAlloc_R_64f(&real, order, flag, HintNone), StsNoError);
      ASSERT_EQ(ippsFFTFwd_RToCCS_64f(x.data(), ccs.data(), real, nullptr), StsNoError);
      ASSERT_EQ(ippsFFTInv_CCSToR_64f(ccs.data(), back.data(), real, nullptr), StsNoError);
      for (std::size_t i = 0; i < n; ++i) EXPECT_NEAR(back[i], x[i], 1e-10) << i;
      ippsFFTFree_R_64f(real);

      std::vector<Ipp64fc> z(n), spectrum(n), zBack(n);
      for (auto& v : z) v = {value(random), value(random)};
      IppsFFTSpec_C_64fc* complex = nullptr;
      ASSERT_EQ(ippsFFTInitAlloc_C_64fc(&complex, order, flag, HintNone), StsNoError);
      ASSERT_EQ(ippsFFTFwd_CToC_64fc(z.data(), spectrum.data(), complex, nullptr), StsNoError);
      ASSERT_EQ(ippsFFTInv_CToC_64fc(spectrum.data(), zBack.data(), complex, nullptr), StsNoError);
      for (std::size_t i = 0; i < n; ++i) {
        EXPECT_NEAR(zBack[i].re, z[i].re, 1e-10) << i;
        EXPECT_NEAR(zBack[i].im, z[i].im, 1e-10) << i;
      }
      ippsFFTFree_C_64fc(complex);
    }
  }
}

}  // namespace
