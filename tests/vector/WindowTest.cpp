#include "vector/Windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

constexpr long double Pi = 3.14159265358979323846264338327950288L;

// A window in its three forms, with its weights written from the definitions.
struct TWindow {
  std::string Name;
  int MinLength;
  int MaxLength;     // Kaiser: 0.5 |alpha| (N - 1) within 308
  double Tolerance;  // relative to the weight
  std::function<long double(int n, int len)> Weight;
  std::function<IppStatus(Ipp64f*, int)> InPlace;
  std::function<IppStatus(const Ipp64f*, Ipp64f*, int)> OutOfPlace;
  std::function<IppStatus(Ipp64fc*, int)> Complex;
};

long double Cosine(int n, int len, int multiple) { return std::cos(multiple * 2 * Pi * n / (len - 1)); }

TWindow Blackman(double alpha) {
  return {"Blackman " + std::to_string(alpha),
          3,
          512,
          1e-13,
          [alpha](int n, int len) {
            if (len == 3) return n == 1 ? 1.0L : 0.0L;
            return (alpha + 1) / 2 - 0.5L * Cosine(n, len, 1) - alpha / 2 * Cosine(n, len, 2);
          },
          [alpha](Ipp64f* x, int len) { return ippsWinBlackman_64f_I(x, len, alpha); },
          [alpha](const Ipp64f* x, Ipp64f* y, int len) { return ippsWinBlackman_64f(x, y, len, alpha); },
          [alpha](Ipp64fc* x, int len) { return ippsWinBlackman_64fc_I(x, len, alpha); }};
}

// The Kaiser window against the exact I0. The approximation it uses is good to 1.5e-9 below 4
// and to 5.6e-6 from 4 on (its fourth coefficient there, 0.00026, has two digits only), and a
// weight is the ratio of two approximations.
TWindow Kaiser(float alpha) {
  return {"Kaiser " + std::to_string(alpha),
          1,
          alpha == 0 ? 512 : int(616 / std::fabs(alpha)) + 1,
          1.2e-5,
          [alpha](int n, int len) {
            const long double a = std::fabs(alpha);
            return std::cyl_bessel_i(0.0L, a * std::sqrt(static_cast<long double>(n) * (len - 1 - n))) /
                   std::cyl_bessel_i(0.0L, a * (len - 1) / 2);
          },
          [alpha](Ipp64f* x, int len) { return ippsWinKaiser_64f_I(x, len, alpha); },
          [alpha](const Ipp64f* x, Ipp64f* y, int len) { return ippsWinKaiser_64f(x, y, len, alpha); },
          [alpha](Ipp64fc* x, int len) { return ippsWinKaiser_64fc_I(x, len, alpha); }};
}

std::vector<TWindow> Windows() {
  return {
      {"Bartlett", 3, 512, 1e-14,
       [](int n, int len) { return 2.0L * n / (len - 1) <= 1 ? 2.0L * n / (len - 1) : 2 - 2.0L * n / (len - 1); },
       ippsWinBartlett_64f_I, ippsWinBartlett_64f, ippsWinBartlett_64fc_I},
      {"Hann", 3, 512, 1e-13, [](int n, int len) { return 0.5L - 0.5L * Cosine(n, len, 1); }, ippsWinHann_64f_I,
       ippsWinHann_64f, ippsWinHann_64fc_I},
      {"Hamming", 3, 512, 1e-13, [](int n, int len) { return 0.54L - 0.46L * Cosine(n, len, 1); }, ippsWinHamming_64f_I,
       ippsWinHamming_64f, ippsWinHamming_64fc_I},
      Blackman(-0.16),
      Blackman(0.5),
      Kaiser(0),
      Kaiser(2.5f),
      Kaiser(-6),
      Kaiser(40),
  };
}

TEST(Windows, MultiplyByTheWeightsInEveryForm) {
  std::mt19937_64 random(9);
  std::uniform_real_distribution<double> value(-2, 2);
  for (const TWindow& window : Windows()) {
    for (int len : {1, 2, 3, 4, 5, 16, 64, 255, 512}) {
      if (len < window.MinLength || len > window.MaxLength) continue;
      const std::string what = window.Name + ", length " + std::to_string(len);
      std::vector<Ipp64f> x(len);
      std::vector<Ipp64fc> z(len);
      for (auto& v : x) v = value(random);
      for (auto& v : z) v = {value(random), value(random)};
      std::vector<Ipp64f> inPlace = x, outOfPlace(len);
      std::vector<Ipp64fc> complex = z;
      ASSERT_EQ(window.InPlace(inPlace.data(), len), StsNoError) << what;
      ASSERT_EQ(window.OutOfPlace(x.data(), outOfPlace.data(), len), StsNoError) << what;
      ASSERT_EQ(window.Complex(complex.data(), len), StsNoError) << what;
      for (int n = 0; n < len; ++n) {
        const long double w = window.Weight(n, len);
        const double tolerance = window.Tolerance * 2 * std::fabs(w) + 1e-15;
        EXPECT_NEAR(inPlace[n], x[n] * w, tolerance) << what << ", n " << n;
        EXPECT_EQ(outOfPlace[n], inPlace[n]) << what << ", n " << n;
        EXPECT_NEAR(complex[n].re, z[n].re * w, tolerance) << what << ", n " << n;
        EXPECT_NEAR(complex[n].im, z[n].im * w, tolerance) << what << ", n " << n;
      }
    }
  }
}

TEST(Windows, WorkedCases) {
  const std::vector<double> ones(5, 1.0);
  std::vector<double> hann(5), bartlett(5), blackman(3), kaiser(7);
  ASSERT_EQ(ippsWinHann_64f(ones.data(), hann.data(), 5), StsNoError);
  ASSERT_EQ(ippsWinBartlett_64f(ones.data(), bartlett.data(), 5), StsNoError);
  for (std::size_t n = 0; n < 5; ++n) {
    EXPECT_NEAR(hann[n], (std::vector<double>{0, 0.5, 1, 0.5, 0}[n]), 1e-16) << n;
    EXPECT_EQ(bartlett[n], (std::vector<double>{0, 0.5, 1, 0.5, 0}[n])) << n;
  }
  // Blackman of length 3: the ends are 0 exactly and the middle is unchanged, whatever alpha.
  std::vector<double> three = {3, -7, 11};
  ASSERT_EQ(ippsWinBlackman_64f_I(three.data(), 3, 0.123), StsNoError);
  EXPECT_EQ(three, (std::vector<double>{0, -7, 0}));
  // Kaiser with alpha 0 leaves every element as it was, exactly.
  std::vector<double> values = {1.5, -2.25, 1e300, 3, 0.1, -7, 42};
  const std::vector<double> before = values;
  ASSERT_EQ(ippsWinKaiser_64f_I(values.data(), 7, 0.0f), StsNoError);
  EXPECT_EQ(values, before);
}

TEST(Windows, StatusesAndNothingWrittenOnError) {
  for (const TWindow& window : Windows()) {
    std::vector<Ipp64f> x(4, 9.0), y(4, 9.0);
    std::vector<Ipp64fc> z(4, Ipp64fc{9, 9});
    const int tooShort = window.MinLength - 1;
    EXPECT_EQ(window.InPlace(nullptr, tooShort), StsNullPointer) << window.Name;
    EXPECT_EQ(window.OutOfPlace(x.data(), nullptr, 4), StsNullPointer) << window.Name;
    EXPECT_EQ(window.OutOfPlace(nullptr, y.data(), 4), StsNullPointer) << window.Name;
    EXPECT_EQ(window.Complex(nullptr, 4), StsNullPointer) << window.Name;
    for (int len : {tooShort, -1}) {
      EXPECT_EQ(window.InPlace(x.data(), len), StsSize) << window.Name << " " << len;
      EXPECT_EQ(window.OutOfPlace(x.data(), y.data(), len), StsSize) << window.Name << " " << len;
      EXPECT_EQ(window.Complex(z.data(), len), StsSize) << window.Name << " " << len;
    }
    EXPECT_EQ(x, std::vector<Ipp64f>(4, 9.0)) << window.Name;
    EXPECT_EQ(y, std::vector<Ipp64f>(4, 9.0)) << window.Name;
  }
}

// 0.5 |alpha| (N - 1) above 308 is beyond the range of I0 in a double.
TEST(Windows, KaiserBeyondTheRangeOfI0) {
  struct TCase {
    int Len;
    float Alpha;
    IppStatus Status;
  };
  const TCase cases[] = {{619, 1.0f, StsHugeWindow}, {619, -1.0f, StsHugeWindow}, {617, 1.0f, StsNoError},
                         {2, 616.0f, StsNoError},    {2, 618.0f, StsHugeWindow},  {5, std::nanf(""), StsHugeWindow},
                         {0, 1e9f, StsSize}};
  for (const TCase& c : cases) {
    std::vector<Ipp64f> x(std::max(c.Len, 1), 2.0);
    EXPECT_EQ(ippsWinKaiser_64f_I(x.data(), c.Len, c.Alpha), c.Status) << c.Len << " " << c.Alpha;
    if (c.Status != StsNoError) {
      EXPECT_EQ(x, std::vector<Ipp64f>(x.size(), 2.0)) << c.Len << " " << c.Alpha;
    }
  }
}

}  // namespace
