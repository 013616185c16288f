#include "vector/AudioAnalysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

TEST(SampleDown, TakesEveryFactorthSampleAcrossBlocks) {
  std::vector<float> signal(23);
  std::iota(signal.begin(), signal.end(), 0.0f);
  // Blocks of 10, 10 and 3 samples, factor 4 from phase 1: samples 1, 5, 9, 13, 17, 21.
  int phase = 1;
  std::vector<float> taken;
  for (int start = 0; start < 23; start += 10) {
    const int len = std::min(10, 23 - start);
    std::vector<float> block(4, -1);
    int count = -1;
    ASSERT_EQ(ippsSampleDown_32f(signal.data() + start, len, block.data(), &count, 4, &phase), StsNoError);
    taken.insert(taken.end(), block.begin(), block.begin() + count);
    EXPECT_GE(phase, 0);
    EXPECT_LT(phase, 4);
  }
  EXPECT_EQ(taken, (std::vector<float>{1, 5, 9, 13, 17, 21}));
  EXPECT_EQ(phase, 2);  // the next is sample 25, two into the next block
  // A phase beyond a short block takes nothing and moves on.
  int count = -1;
  phase = 3;
  float out[1] = {-1};
  ASSERT_EQ(ippsSampleDown_32f(signal.data(), 2, out, &count, 5, &phase), StsNoError);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(phase, 1);
  EXPECT_EQ(out[0], -1);
}

TEST(SampleDown, StatusesInCheckOrder) {
  float x[4] = {}, y[4] = {55, 55, 55, 55};
  int count = 55, phase = 0, badPhase = 4;
  EXPECT_EQ(ippsSampleDown_32f(x, 4, y, nullptr, 2, &phase), StsNullPointer);
  EXPECT_EQ(ippsSampleDown_32f(x, 4, y, &count, 2, nullptr), StsNullPointer);
  EXPECT_EQ(ippsSampleDown_32f(nullptr, 0, y, &count, 0, &phase), StsNullPointer);
  EXPECT_EQ(ippsSampleDown_32f(x, 0, y, &count, 0, &phase), StsSize);
  EXPECT_EQ(ippsSampleDown_32f(x, 4, y, &count, 0, &badPhase), StsSampleFactor);
  EXPECT_EQ(ippsSampleDown_32f(x, 4, y, &count, 4, &badPhase), StsSamplePhase);
  int negative = -1;
  EXPECT_EQ(ippsSampleDown_32f(x, 4, y, &count, 4, &negative), StsSamplePhase);
  EXPECT_EQ(count, 55);
  EXPECT_EQ(y[0], 55);
  EXPECT_EQ(badPhase, 4);
}

TEST(CompensateOffset, RemovesAConstantAndContinuesAcrossBlocks) {
  std::vector<float> signal(200);
  for (int n = 0; n < 200; ++n) signal[n] = float(100 + std::sin(0.7 * n));
  std::vector<double> expected(200);
  double previousSource = 0, previousResult = 0;
  for (int n = 0; n < 200; ++n) {
    previousResult = float(signal[n] - previousSource + 0.9 * float(previousResult));
    expected[n] = previousResult;
    previousSource = signal[n];
  }
  std::vector<float> x = signal;
  float last = 0;
  ASSERT_EQ(ippsCompensateOffset_32f_I(x.data(), 120, &last, 0, 0.9f), StsNoError);
  EXPECT_EQ(last, signal[119]);
  ASSERT_EQ(ippsCompensateOffset_32f_I(x.data() + 120, 80, &last, x[119], 0.9f), StsNoError);
  for (int n = 0; n < 200; ++n) EXPECT_NEAR(x[n], expected[n], 1e-4) << n;
  // The offset decays away: the end has no mean of 100 left.
  EXPECT_LT(std::fabs(std::accumulate(x.begin() + 150, x.end(), 0.0) / 50), 1.0);
  EXPECT_EQ(ippsCompensateOffset_32f_I(nullptr, 2, &last, 0, 1), StsNullPointer);
  EXPECT_EQ(ippsCompensateOffset_32f_I(x.data(), 2, nullptr, 0, 1), StsNullPointer);
  EXPECT_EQ(ippsCompensateOffset_32f_I(x.data(), 0, &last, 0, 1), StsSize);
}

TEST(PeriodicityLspe, FindsThePeriodOfARepeatedShape) {
  // A shape of period 7 repeated, with a little noise-free variation of level.
  const float shape[7] = {3, -1, 4, -1, -5, 9, -2};
  std::vector<float> x(140);
  for (int n = 0; n < 140; ++n) x[n] = shape[n % 7];
  float periodicity = 0;
  int period = 0;
  ASSERT_EQ(ippsPeriodicityLSPE_32f(x.data(), 140, &periodicity, &period, 20, 4), StsNoError);
  EXPECT_EQ(period, 7);
  EXPECT_NEAR(periodicity, 1, 1e-6);
  // The shortest of equally good periods: 7 before 14.
  ASSERT_EQ(ippsPeriodicityLSPE_32f(x.data(), 140, &periodicity, &period, 15, 7), StsNoError);
  EXPECT_EQ(period, 7);
  // Noise has no strong period.
  std::vector<float> noise(300);
  unsigned state = 1;
  for (float& v : noise) state = state * 1103515245u + 12345u, v = float(int(state >> 16) % 2001 - 1000);
  ASSERT_EQ(ippsPeriodicityLSPE_32f(noise.data(), 300, &periodicity, &period, 40, 10), StsNoError);
  EXPECT_LT(periodicity, 0.3);
  // Silence explains nothing.
  const std::vector<float> silence(50, 0);
  ASSERT_EQ(ippsPeriodicityLSPE_32f(silence.data(), 50, &periodicity, &period, 10, 2), StsNoError);
  EXPECT_EQ(periodicity, 0);
  EXPECT_EQ(period, 2);
}

TEST(PeriodicityLspe, StatusesInCheckOrder) {
  const float x[8] = {};
  float periodicity = 55;
  int period = 55;
  EXPECT_EQ(ippsPeriodicityLSPE_32f(x, 8, nullptr, &period, 4, 2), StsNullPointer);
  EXPECT_EQ(ippsPeriodicityLSPE_32f(x, 0, &periodicity, &period, 4, 2), StsSize);
  EXPECT_EQ(ippsPeriodicityLSPE_32f(x, 8, &periodicity, &period, 9, 2), StsSize);
  EXPECT_EQ(ippsPeriodicityLSPE_32f(x, 8, &periodicity, &period, 4, 0), StsSize);
  EXPECT_EQ(ippsPeriodicityLSPE_32f(x, 8, &periodicity, &period, 2, 4), StsSize);
  EXPECT_EQ(periodicity, 55);
  EXPECT_EQ(period, 55);
}

}  // namespace
