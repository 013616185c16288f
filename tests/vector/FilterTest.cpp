#include "vector/Fft.h"
#include "vector/Fir.h"
#include "vector/Iir.h"

#include "PrimitiveTestKit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

// y(n) = sum h(k) x(n - k) with x(n) for n < 0 from the delay line (oldest first).
std::vector<double> ReferenceFir(const std::vector<double>& taps, const std::vector<double>& line,
                                 const std::vector<double>& x) {
  std::vector<double> history = line;
  history.insert(history.end(), x.begin(), x.end());
  std::vector<double> y(x.size());
  for (std::size_t n = 0; n < x.size(); ++n) {
    long double sum = 0;
    for (std::size_t k = 0; k < taps.size(); ++k) sum += (long double)taps[k] * history[line.size() + n - k];
    y[n] = double(sum);
  }
  return y;
}

TEST(Fir, FiltersWithTheDelayLineAndCarriesItOn) {
  for (const int tapsLen : {1, 2, 5, 16}) {
    const std::vector<double> taps = MixedValues(tapsLen, 50), line = MixedValues(tapsLen, 51);
    const std::vector<double> x = MixedValues(40, 52);
    const std::vector<double> expected = ReferenceFir(taps, line, x);
    IppsFIRState_64f* state = nullptr;
    ASSERT_EQ(ippsFIRInitAlloc_64f(&state, taps.data(), tapsLen, line.data()), StsNoError);
    // In three calls, in place for the second, one sample at a time for the last.
    std::vector<double> y(40);
    ASSERT_EQ(ippsFIR_64f(x.data(), y.data(), 17, state), StsNoError);
    std::copy(x.begin() + 17, x.begin() + 30, y.begin() + 17);
    ASSERT_EQ(ippsFIR_64f(y.data() + 17, y.data() + 17, 13, state), StsNoError);
    for (int n = 30; n < 40; ++n) ASSERT_EQ(ippsFIROne_64f(x[n], &y[n], state), StsNoError);
    for (int n = 0; n < 40; ++n) EXPECT_NEAR(y[n], expected[n], 1e-15 * std::fabs(expected[n]) + 1e-300) << n;
    EXPECT_EQ(ippsFIRFree_64f(state), StsNoError);
  }
  // Without a delay line the past is zeros: the impulse response is the taps.
  const std::vector<double> taps = {0.5, -1, 2};
  IppsFIRState_64f* state = nullptr;
  ASSERT_EQ(ippsFIRInitAlloc_64f(&state, taps.data(), 3, nullptr), StsNoError);
  const std::vector<double> impulse = {1, 0, 0, 0};
  std::vector<double> response(4);
  ASSERT_EQ(ippsFIR_64f(impulse.data(), response.data(), 4, state), StsNoError);
  EXPECT_EQ(response, (std::vector<double>{0.5, -1, 2, 0}));
  EXPECT_EQ(ippsFIRFree_64f(state), StsNoError);
}

TEST(Fir, StatusesInCheckOrder) {
  const double taps[2] = {1, 1};
  double x[2] = {55, 55};
  IppsFIRState_64f* state = nullptr;
  EXPECT_EQ(ippsFIRInitAlloc_64f(nullptr, taps, 2, nullptr), StsNullPointer);
  EXPECT_EQ(ippsFIRInitAlloc_64f(&state, nullptr, 0, nullptr), StsNullPointer);
  EXPECT_EQ(ippsFIRInitAlloc_64f(&state, taps, 0, nullptr), StsFirLength);
  EXPECT_EQ(state, nullptr);
  ASSERT_EQ(ippsFIRInitAlloc_64f(&state, taps, 2, nullptr), StsNoError);
  EXPECT_EQ(ippsFIR_64f(x, x, 2, nullptr), StsNullPointer);
  EXPECT_EQ(ippsFIR_64f(nullptr, x, 0, state), StsNullPointer);
  EXPECT_EQ(ippsFIR_64f(x, x, 0, state), StsSize);
  EXPECT_EQ(ippsFIROne_64f(1, nullptr, state), StsNullPointer);
  // A record of another family is refused.
  IppsFFTSpec_R_64f* transform = nullptr;
  ASSERT_EQ(ippsFFTInitAlloc_R_64f(&transform, 3, FftNoDivision, HintNone), StsNoError);
  auto* foreign = reinterpret_cast<IppsFIRState_64f*>(transform);
  EXPECT_EQ(ippsFIR_64f(x, x, 2, foreign), StsContextMatch);
  EXPECT_EQ(ippsFIROne_64f(1, x, foreign), StsContextMatch);
  EXPECT_EQ(ippsFIRFree_64f(foreign), StsContextMatch);
  EXPECT_EQ(ippsFFTFree_R_64f(transform), StsNoError);
  EXPECT_EQ(x[0], 55);
  EXPECT_EQ(ippsFIRFree_64f(nullptr), StsNullPointer);
  EXPECT_EQ(ippsFIRFree_64f(state), StsNoError);
}

// The difference equation a0 y(n) = sum b(k) x(n - k) - sum_{k >= 1} a(k) y(n - k), from rest.
std::vector<double> ReferenceIir(const std::vector<float>& b, const std::vector<float>& a,
                                 const std::vector<double>& x) {
  std::vector<double> y(x.size());
  for (std::size_t n = 0; n < x.size(); ++n) {
    long double sum = 0;
    for (std::size_t k = 0; k < b.size() && k <= n; ++k) sum += (long double)b[k] * x[n - k];
    for (std::size_t k = 1; k < a.size() && k <= n; ++k) sum -= (long double)a[k] * y[n - k];
    y[n] = double(sum / a[0]);
  }
  return y;
}

std::vector<double> Widened(const std::vector<float>& x) { return std::vector<double>(x.begin(), x.end()); }

TEST(Iir, ArbitraryOrderFollowsTheDifferenceEquation) {
  const std::vector<float> b = {0.2f, 0.3f, -0.1f, 0.05f}, a = {2, -0.6f, 0.2f, -0.04f};
  std::vector<float> taps = b;
  taps.insert(taps.end(), a.begin(), a.end());
  std::vector<float> x(64);
  for (int n = 0; n < 64; ++n) x[n] = float(std::sin(0.3 * n) + (n == 0 ? 1 : 0));
  const std::vector<double> expected = ReferenceIir(b, a, Widened(x));
  IppsIIRState_32f* state = nullptr;
  ASSERT_EQ(ippsIIRInitAlloc_32f(&state, taps.data(), 3, nullptr), StsNoError);
  std::vector<float> y(64);
  ASSERT_EQ(ippsIIR_32f(x.data(), y.data(), 20, state), StsNoError);
  std::copy(x.begin() + 20, x.end(), y.begin() + 20);
  ASSERT_EQ(ippsIIR_32f_I(y.data() + 20, 44, state), StsNoError);  // the state carries on
  for (int n = 0; n < 64; ++n) EXPECT_NEAR(y[n], expected[n], 1e-6 * (1 + std::fabs(expected[n]))) << n;
  EXPECT_EQ(ippsIIRFree_32f(state), StsNoError);
}

TEST(Iir, BiquadsCascadeInTheCallersBuffer) {
  // Two sections; their cascade is the single section of the product polynomials.
  const std::vector<float> b1 = {1, 0.5f, 0.25f}, a1 = {1, -0.5f, 0.1f}, b2 = {0.3f, 0, -0.3f}, a2 = {2, 0.4f, 0.2f};
  std::vector<float> taps;
  for (const auto* part : {&b1, &a1, &b2, &a2}) taps.insert(taps.end(), part->begin(), part->end());
  std::vector<double> x(50, 0);
  x[0] = 1;
  const std::vector<double> expected = ReferenceIir(b2, a2, ReferenceIir(b1, a1, x));
  int size = 0;
  ASSERT_EQ(ippsIIRGetStateSize_BiQuad_32f(2, &size), StsNoError);
  // An odd address: the state is aligned inside the buffer.
  std::vector<Ipp8u> buffer(size + 1);
  IppsIIRState_32f* state = nullptr;
  ASSERT_EQ(ippsIIRInit_BiQuad_32f(&state, taps.data(), 2, nullptr, buffer.data() + 1), StsNoError);
  std::vector<float> y(50), input(x.begin(), x.end());
  ASSERT_EQ(ippsIIR_32f(input.data(), y.data(), 50, state), StsNoError);
  for (int n = 0; n < 50; ++n) EXPECT_NEAR(y[n], expected[n], 1e-6) << n;
  // The caller owns the buffer: the free primitive refuses the state.
  EXPECT_EQ(ippsIIRFree_32f(state), StsContextMatch);
}

TEST(Iir, DelayLinesContinueAFilteredSignal) {
  // A first-order section y = x + 0.5 y(-1) with its delay holding 2: the output starts from there.
  const std::vector<float> taps = {1, 0, 1, -0.5f};
  const std::vector<float> line = {2};
  IppsIIRState_32f* state = nullptr;
  ASSERT_EQ(ippsIIRInitAlloc_32f(&state, taps.data(), 1, line.data()), StsNoError);
  std::vector<float> y = {0, 0, 0};
  ASSERT_EQ(ippsIIR_32f_I(y.data(), 3, state), StsNoError);
  EXPECT_EQ(y, (std::vector<float>{2, 1, 0.5f}));
  EXPECT_EQ(ippsIIRFree_32f(state), StsNoError);
}

TEST(Iir, StatusesInCheckOrder) {
  const float taps[6] = {1, 0, 0, 1, 0, 0}, zeroA0[6] = {1, 0, 0, 0, 1, 1};
  float x[2] = {55, 55};
  IppsIIRState_32f* state = nullptr;
  int size = 0;
  EXPECT_EQ(ippsIIRInitAlloc_32f(nullptr, taps, 1, nullptr), StsNullPointer);
  EXPECT_EQ(ippsIIRInitAlloc_32f(&state, nullptr, 0, nullptr), StsNullPointer);
  EXPECT_EQ(ippsIIRInitAlloc_32f(&state, taps, 0, nullptr), StsIirOrder);
  EXPECT_EQ(ippsIIRInitAlloc_32f(&state, zeroA0, 2, nullptr), StsDivByZeroErr);
  EXPECT_EQ(state, nullptr);
  EXPECT_EQ(ippsIIRGetStateSize_BiQuad_32f(1, nullptr), StsNullPointer);
  EXPECT_EQ(ippsIIRGetStateSize_BiQuad_32f(0, &size), StsIirOrder);
  std::vector<Ipp8u> buffer(4096);
  EXPECT_EQ(ippsIIRInit_BiQuad_32f(&state, taps, 1, nullptr, nullptr), StsNullPointer);
  EXPECT_EQ(ippsIIRInit_BiQuad_32f(&state, taps, 0, nullptr, buffer.data()), StsIirOrder);
  const float biquadZeroA0[6] = {1, 0, 0, 0, 0.5f, 0};
  EXPECT_EQ(ippsIIRInit_BiQuad_32f(&state, biquadZeroA0, 1, nullptr, buffer.data()), StsDivByZeroErr);
  EXPECT_EQ(state, nullptr);
  const float firstOrder[4] = {1, 0, 1, 0};
  ASSERT_EQ(ippsIIRInitAlloc_32f(&state, firstOrder, 1, nullptr), StsNoError);
  EXPECT_EQ(ippsIIR_32f(x, x, 2, nullptr), StsNullPointer);
  EXPECT_EQ(ippsIIR_32f(x, nullptr, 0, state), StsNullPointer);
  EXPECT_EQ(ippsIIR_32f_I(x, 0, state), StsSize);
  IppsFFTSpec_C_64fc* transform = nullptr;
  ASSERT_EQ(ippsFFTInitAlloc_C_64fc(&transform, 2, FftNoDivision, HintNone), StsNoError);
  EXPECT_EQ(ippsIIR_32f_I(x, 2, reinterpret_cast<IppsIIRState_32f*>(transform)), StsContextMatch);
  EXPECT_EQ(ippsFFTFree_C_64fc(transform), StsNoError);
  EXPECT_EQ(x[0], 55);
  EXPECT_EQ(ippsIIRFree_32f(nullptr), StsNullPointer);
  EXPECT_EQ(ippsIIRFree_32f(state), StsNoError);
}

}  // namespace
