#include "GeneratorReference.h"
#include "vector/Generators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

// The generators' constants: the double values of pi and 2 pi, used in extended precision.
constexpr long double Pi = 3.141592653589793;
constexpr long double TwoPi = 6.283185307179586;

// The phase after `len` samples, as the generators store it.
float ExpectedPhase(float phase, float rFreq, int len) {
  long double g = phase + rFreq * TwoPi * len;
  g -= std::floor(g / TwoPi) * TwoPi;
  const float stored = static_cast<float>(g);
  return g < 0 || g >= TwoPi || stored >= TwoPi ? 0.0f : stored;
}

// Compares generated samples with exact values truncated toward zero; where an exact value lies
// within rounding of an integer, either neighbour is accepted.
void ExpectTruncated(const std::vector<Ipp16s>& got, const std::vector<long double>& exact, const std::string& what) {
  ASSERT_EQ(got.size(), exact.size());
  for (std::size_t n = 0; n < got.size(); ++n) {
    const long double below = std::trunc(exact[n] - 1e-6L), above = std::trunc(exact[n] + 1e-6L);
    EXPECT_TRUE(got[n] == below || got[n] == above)
        << what << ": sample " << n << " is " << got[n] << ", exact " << double(exact[n]);
  }
}

struct TToneCase {
  Ipp16s Magnitude;
  float RFreq, Phase;
  int Length;
};

TEST(Tone, IsTheTruncatedCosineAndCarriesThePhaseOn) {
  const TToneCase cases[] = {
      {1000, 0.25f, 0.0f, 8}, {32767, 0.01f, 1.0f, 1024}, {5000, 520.0f / 44100, 0.3f, 1024},
      {1, 0.49f, 6.2f, 100},  {12345, 0.0f, 3.0f, 16},    {20000, 0.4999f, 0.001f, 333},
  };
  for (const TToneCase& c : cases) {
    const std::string what = "magnitude " + std::to_string(c.Magnitude) + ", r " + std::to_string(c.RFreq);
    std::vector<Ipp16s> samples(c.Length);
    float phase = c.Phase;
    ASSERT_EQ(ippsTone_Direct_16s(samples.data(), c.Length, c.Magnitude, c.RFreq, &phase, HintNone), StsNoError)
        << what;
    std::vector<long double> exact;
    for (int n = 0; n < c.Length; ++n) exact.push_back(c.Magnitude * std::cos(c.Phase + n * (TwoPi * c.RFreq)));
    ExpectTruncated(samples, exact, what);
    EXPECT_EQ(phase, ExpectedPhase(c.Phase, c.RFreq, c.Length)) << what;
  }
}

TEST(Tone, TheWorkedQuarterRateCase) {
  std::vector<Ipp16s> samples(8);
  float phase = 0;
  ASSERT_EQ(ippsTone_Direct_16s(samples.data(), 8, 1000, 0.25f, &phase, HintNone), StsNoError);
  EXPECT_EQ(samples, (std::vector<Ipp16s>{1000, 0, -1000, 0, 1000, 0, -1000, 0}));
  EXPECT_EQ(phase, 0.0f);
}

// A phase just below 2 pi that becomes 2 pi when stored as a float would be rejected by every
// later call, and the generator would stay silent; it is stored as 0 instead.
TEST(Tone, APhaseThatRoundsUpToTwoPiIsStoredAsZero) {
  const float highest = std::nextafter(static_cast<float>(TwoPi), 0.0f);  // the last float below 2 pi
  ASSERT_LT(highest, TwoPi);
  const float rFreq = 4.3e-8f;  // moves it to within half a float step of 2 pi
  ASSERT_LT(highest + rFreq * TwoPi, TwoPi);
  ASSERT_GE(static_cast<float>(highest + rFreq * TwoPi), TwoPi);
  Ipp16s sample = 0;
  float phase = highest;
  ASSERT_EQ(ippsTone_Direct_16s(&sample, 1, 100, rFreq, &phase, HintNone), StsNoError);
  EXPECT_EQ(phase, 0.0f);
  EXPECT_EQ(ippsTone_Direct_16s(&sample, 1, 100, rFreq, &phase, HintNone), StsNoError);
  EXPECT_EQ(sample, 100);

  phase = highest;
  ASSERT_EQ(ippsTriangle_Direct_16s(&sample, 1, 100, rFreq, 0.0f, &phase), StsNoError);
  EXPECT_EQ(phase, 0.0f);
}

struct TTriangleCase {
  Ipp16s Magnitude;
  float RFreq, Asymmetry, Phase;
  int Length;
};

TEST(Triangle, FollowsTheTriangleOfItsPhase) {
  const TTriangleCase cases[] = {
      {1000, 0.01f, 0.0f, 0.0f, 256},                   // symmetric
      {30000, 0.05f, 1.0f, 5.0f, 500},                  // asymmetric
      {32767, 520.0f / 44100, 3.1415925f, 0.0f, 1024},  // nearly a falling sawtooth
      {32767, 0.2f, -3.1415925f, 1.0f, 1024},           // nearly a rising sawtooth
      {5000, 0.37f, 1.0f, 2.0f, 300},                   // the rising step overshoots the whole height
      {5000, 0.45f, -2.5f, 0.5f, 300},                  // and the falling one
      {12345, 0.0f, 0.5f, 4.0f, 10},                    // frequency 0: constant
  };
  for (const TTriangleCase& c : cases) {
    const std::string what = "asymmetry " + std::to_string(c.Asymmetry) + ", r " + std::to_string(c.RFreq);
    std::vector<Ipp16s> samples(c.Length);
    float phase = c.Phase;
    ASSERT_EQ(ippsTriangle_Direct_16s(samples.data(), c.Length, c.Magnitude, c.RFreq, c.Asymmetry, &phase), StsNoError)
        << what;
    // +M at phase 0, falling to -M at phase pi + h, rising back to +M at 2 pi.
    const long double m = c.Magnitude, fall = Pi + c.Asymmetry, rise = Pi - c.Asymmetry;
    std::vector<long double> exact;
    for (int n = 0; n < c.Length; ++n) {
      long double theta = c.Phase + n * (TwoPi * c.RFreq);
      theta -= std::floor(theta / TwoPi) * TwoPi;
      exact.push_back(theta < fall ? m * (1 - 2 * theta / fall) : m * (2 * (theta - fall) / rise - 1));
    }
    ExpectTruncated(samples, exact, what);
    EXPECT_EQ(phase, ExpectedPhase(c.Phase, c.RFreq, c.Length)) << what;
  }
}

TEST(Triangle, SymmetricIsAtItsPeaksAtPhasesZeroAndPi) {
  Ipp16s sample = 0;
  float phase = 0;
  ASSERT_EQ(ippsTriangle_Direct_16s(&sample, 1, 1000, 0.125f, 0.0f, &phase), StsNoError);
  EXPECT_EQ(sample, 1000);
  phase = static_cast<float>(Pi);  // the float nearest pi lies a little past it
  ASSERT_EQ(ippsTriangle_Direct_16s(&sample, 1, 1000, 0.125f, 0.0f, &phase), StsNoError);
  EXPECT_GE(sample, -1000);
  EXPECT_LE(sample, -999);
}

// Checks of both generators, in their order; on error nothing is written and the phase stays.
struct TCheckCase {
  const char* What;
  bool NullPhase, NullDst;
  Ipp16s Magnitude;
  float RFreq, Asymmetry, Phase;
  int Length;
  IppStatus Tone, Triangle;
};

TEST(Generators, ArgumentChecksInOrderAndNothingWrittenOnError) {
  const float nan = std::nanf("");
  const TCheckCase cases[] = {
      {"null phase before magnitude", true, false, 0, 0.1f, 0, 1, 4, StsNullPointer, StsNullPointer},
      {"magnitude 0 before frequency", false, false, 0, 0.5f, 0, 1, 4, StsToneMagnitude, StsTriangleMagnitude},
      {"negative magnitude", false, false, -5, 0.1f, 0, 1, 4, StsToneMagnitude, StsTriangleMagnitude},
      {"frequency 0.5 before asymmetry and phase", false, false, 100, 0.5f, 4, 7, 4, StsToneFrequency,
       StsTriangleFrequency},
      {"negative frequency", false, false, 100, -0.1f, 0, 1, 4, StsToneFrequency, StsTriangleFrequency},
      {"NaN frequency", false, false, 100, nan, 0, 1, 4, StsToneFrequency, StsTriangleFrequency},
      {"asymmetry pi before phase", false, false, 100, 0.1f, float(Pi), 7, 4, StsTonePhase, StsTriangleAsymmetry},
      {"asymmetry below -pi", false, false, 100, 0.1f, -float(Pi), 1, 4, StsNoError, StsTriangleAsymmetry},
      {"phase 2 pi as a float", false, false, 100, 0.1f, 0, float(TwoPi), 4, StsTonePhase, StsTrianglePhase},
      {"negative phase before the destination", false, true, 100, 0.1f, 0, -0.1f, 4, StsTonePhase, StsTrianglePhase},
      {"null destination before length", false, true, 100, 0.1f, 0, 1, 0, StsNullPointer, StsNullPointer},
      {"length 0", false, false, 100, 0.1f, 0, 1, 0, StsSize, StsSize},
      {"negative length", false, false, 100, 0.1f, 0, 1, -4, StsSize, StsSize},
  };
  for (const TCheckCase& c : cases) {
    for (bool tone : {true, false}) {
      std::vector<Ipp16s> samples(4, 77);
      float phase = c.Phase;
      Ipp16s* dst = c.NullDst ? nullptr : samples.data();
      float* phaseArg = c.NullPhase ? nullptr : &phase;
      const IppStatus status =
          tone ? ippsTone_Direct_16s(dst, c.Length, c.Magnitude, c.RFreq, phaseArg, HintNone)
               : ippsTriangle_Direct_16s(dst, c.Length, c.Magnitude, c.RFreq, c.Asymmetry, phaseArg);
      EXPECT_EQ(status, tone ? c.Tone : c.Triangle) << c.What << (tone ? ", tone" : ", triangle");
      if (status != StsNoError) {
        EXPECT_EQ(samples, std::vector<Ipp16s>(4, 77)) << c.What;
        EXPECT_TRUE(phase == c.Phase || (std::isnan(phase) && std::isnan(c.Phase))) << c.What;
      }
    }
  }
}

// How a generator's samples compare with the step-by-step extended-precision computation and with
// the exact wave truncated: both must stay within one unit everywhere, and differ from the exact
// wave only where it lies next to an integer (where a last rounding decides): within a millionth,
// or where the wave is steep, within what 1e-12 radians of phase (the uncertainty of the phase of
// a sample far into a run) move it.
struct TAgreement {
  int WorstReference = 0, WorstExact = 0;
  long OffExactAwayFromIntegers = 0;
  // The exact wave's value at the sample, and its slope per radian there.
  void Add(Ipp16s got, Ipp16s reference, long double exact, long double slope) {
    const int fromExact = std::abs(got - static_cast<int>(std::trunc(exact)));
    WorstReference = std::max(WorstReference, std::abs(got - reference));
    WorstExact = std::max(WorstExact, fromExact);
    const long double decided = 1e-6L + std::abs(slope) * 1e-12L;
    OffExactAwayFromIntegers += fromExact != 0 && std::abs(exact - std::nearbyint(exact)) > decided;
  }
  void Expect(const std::string& what) const {
    EXPECT_LE(WorstReference, 1) << what;
    EXPECT_LE(WorstExact, 1) << what;
    EXPECT_EQ(OffExactAwayFromIntegers, 0) << what;
  }
};

// A generator run on: `buffers` calls of `length` samples each, every call starting from the phase
// the previous one left, checked sample by sample.
template <class Generate, class Reference, class Exact>
void RunOn(TAgreement& agreement, int buffers, int length, float rFreq, float phase, Generate generate,
           Reference reference, Exact exact) {
  std::vector<Ipp16s> got(length), expected(length);
  for (int b = 0; b < buffers; ++b) {
    const float start = phase;
    ASSERT_EQ(generate(got.data(), length, &phase), StsNoError);
    reference(expected.data(), length, start);
    for (int n = 0; n < length; ++n) {
      const auto [value, slope] = exact(start + n * (TwoPi * rFreq));
      agreement.Add(got[n], expected[n], value, slope);
    }
    EXPECT_EQ(phase, ExpectedPhase(start, rFreq, length));
  }
}

const float RelativeFrequencies[] = {
    1e-9f, 1e-7f,      2.3e-5f,          520.0f / 44100, 0.0625f, 0.1f, 10000.0f / 44100,
    0.25f, 0.3333333f, 21500.0f / 44100, 0.4999f};

TEST(Tone, StaysWithinAUnitOfTheExtendedStepsAndOfTheExactCosineOverLongRuns) {
  for (const float r : RelativeFrequencies)
    for (const Ipp16s magnitude : {Ipp16s(1), Ipp16s(5000), Ipp16s(32767)})
      for (const float phase : {0.0f, 1.0f, 3.1415926f, 6.2831850f}) {
        const std::string what =
            "r " + std::to_string(r) + ", magnitude " + std::to_string(magnitude) + ", phase " + std::to_string(phase);
        TAgreement agreement;
        const auto exact = [&](long double theta) {
          return std::pair(magnitude * std::cos(theta), -magnitude * std::sin(theta));
        };
        RunOn(
            agreement, 20, 1024, r, phase,
            [&](Ipp16s* dst, int len, float* p) { return ippsTone_Direct_16s(dst, len, magnitude, r, p, HintNone); },
            [&](Ipp16s* dst, int len, float p) { GeneratorReference::Tone(dst, len, magnitude, r, p); }, exact);
        // One long call at full scale, and lengths that end within a block.
        if (magnitude == 32767)
          RunOn(
              agreement, 1, 1 << 17, r, phase,
              [&](Ipp16s* dst, int len, float* p) { return ippsTone_Direct_16s(dst, len, magnitude, r, p, HintNone); },
              [&](Ipp16s* dst, int len, float p) { GeneratorReference::Tone(dst, len, magnitude, r, p); }, exact);
        for (int length = 1; length < 40; length += 3)
          RunOn(
              agreement, 1, length, r, phase,
              [&](Ipp16s* dst, int len, float* p) { return ippsTone_Direct_16s(dst, len, magnitude, r, p, HintNone); },
              [&](Ipp16s* dst, int len, float p) { GeneratorReference::Tone(dst, len, magnitude, r, p); }, exact);
        agreement.Expect(what);
      }
}

TEST(Triangle, StaysWithinAUnitOfTheExtendedStepsAndOfTheExactTriangleOverLongRuns) {
  for (const float r : RelativeFrequencies)
    for (const float asymmetry : {0.0f, 1.0f, -2.5f, 3.1415925f, -3.1415925f})
      for (const float phase : {0.0f, 2.0f, 4.5f, 6.2831850f}) {
        const Ipp16s magnitude = 32767;
        const std::string what =
            "r " + std::to_string(r) + ", asymmetry " + std::to_string(asymmetry) + ", phase " + std::to_string(phase);
        const long double m = magnitude, fall = Pi + asymmetry, rise = Pi - asymmetry;
        const auto exact = [&](long double theta) {
          theta -= std::floor(theta / TwoPi) * TwoPi;
          return theta < fall ? std::pair(m * (1 - 2 * theta / fall), -2 * m / fall)
                              : std::pair(m * (2 * (theta - fall) / rise - 1), 2 * m / rise);
        };
        const auto generate = [&](Ipp16s* dst, int len, float* p) {
          return ippsTriangle_Direct_16s(dst, len, magnitude, r, asymmetry, p);
        };
        const auto reference = [&](Ipp16s* dst, int len, float p) {
          GeneratorReference::Triangle(dst, len, magnitude, r, asymmetry, p);
        };
        TAgreement agreement;
        RunOn(agreement, 20, 1024, r, phase, generate, reference, exact);
        if (phase == 0.0f || phase == 4.5f) RunOn(agreement, 1, 1 << 17, r, phase, generate, reference, exact);
        for (int length = 1; length < 40; length += 3)
          RunOn(agreement, 1, length, r, phase, generate, reference, exact);
        agreement.Expect(what);
      }
}

// offset + i slope rounded half away from zero, then saturated to 16 bits.
Ipp16s ExpectedRamp(float offset, float slope, int i) {
  const long double y = offset + i * static_cast<long double>(slope);
  if (std::isnan(y)) return -32768;
  const long double rounded = y > 0 ? std::floor(y + 0.5L) : std::ceil(y - 0.5L);
  return static_cast<Ipp16s>(std::fmax(-32768.0L, std::fmin(32767.0L, rounded)));
}

TEST(VectorRamp, RoundsHalfAwayFromZeroAndSaturates) {
  struct TCase {
    float Offset, Slope;
    int Length;
  };
  const TCase cases[] = {{-0.5f, 1.0f, 8},      {0.5f, -1.0f, 8},    {40000.0f, 1.0f, 4},
                         {-40000.0f, -3.0f, 4}, {-3.05f, 0.1f, 100}, {-32767.0f, -0.25f, 8},
                         {32000.0f, 250.0f, 8}, {0.0f, 0.0f, 3},     {std::nanf(""), 1.0f, 3}};
  for (const TCase& c : cases) {
    std::vector<Ipp16s> samples(c.Length);
    ASSERT_EQ(ippsVectorRamp_16s(samples.data(), c.Length, c.Offset, c.Slope), StsNoError);
    for (int i = 0; i < c.Length; ++i)
      EXPECT_EQ(samples[i], ExpectedRamp(c.Offset, c.Slope, i))
          << "offset " << c.Offset << ", slope " << c.Slope << ", i " << i;
  }
  std::vector<Ipp16s> worked(3);
  ASSERT_EQ(ippsVectorRamp_16s(worked.data(), 3, -0.5f, 1.0f), StsNoError);
  EXPECT_EQ(worked, (std::vector<Ipp16s>{-1, 1, 2}));
}

TEST(VectorRamp, Statuses) {
  Ipp16s sample = 5;
  EXPECT_EQ(ippsVectorRamp_16s(nullptr, 0, 0, 1), StsNullPointer);
  EXPECT_EQ(ippsVectorRamp_16s(&sample, 0, 0, 1), StsSize);
  EXPECT_EQ(ippsVectorRamp_16s(&sample, -1, 0, 1), StsSize);
  EXPECT_EQ(sample, 5);
}

}  // namespace
