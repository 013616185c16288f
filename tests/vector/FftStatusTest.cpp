#include "vector/Fft.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

// Stands for "not written" in an out argument.
template <typename Record>
Record* Untouched() {
  static char place;
  return reinterpret_cast<Record*>(&place);
}

TEST(FftInit, StatusesInTheOrderTheyAreChecked) {
  struct TCase {
    bool NullOut;
    int Order, Flag;
    IppStatus Expected;
  };
  const TCase cases[] = {
      {true, 31, 3, StsNullPointer},  // the out pointer first
      {false, 31, 3, StsFftOrder},    // then the order
      {false, -1, FftNoDivision, StsFftOrder},
      {false, 31, FftNoDivision, StsFftOrder},
      {false, 4, 3, StsFftFlag},  // then the flag
      {false, 4, 0, StsFftFlag},
      {false, 4, 5, StsFftFlag},
      {false, 4, 16, StsFftFlag},
      {false, 0, FftDivBySqrtN, StsNoError},
      {false, 12, FftDivForwardByN, StsNoError},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE("order " + std::to_string(c.Order) + ", flag " + std::to_string(c.Flag));
    IppsFFTSpec_R_64f* real = Untouched<IppsFFTSpec_R_64f>();
    IppsFFTSpec_C_64fc* complex = Untouched<IppsFFTSpec_C_64fc>();
    EXPECT_EQ(ippsFFTInitAlloc_R_64f(c.NullOut ? nullptr : &real, c.Order, c.Flag, HintNone), c.Expected);
    EXPECT_EQ(ippsFFTInitAlloc_C_64fc(c.NullOut ? nullptr : &complex, c.Order, c.Flag, HintNone), c.Expected);
    if (c.Expected == StsNoError) {
      EXPECT_EQ(ippsFFTFree_R_64f(real), StsNoError);
      EXPECT_EQ(ippsFFTFree_C_64fc(complex), StsNoError);
    } else {
      EXPECT_EQ(real, Untouched<IppsFFTSpec_R_64f>());
      EXPECT_EQ(complex, Untouched<IppsFFTSpec_C_64fc>());
    }
  }
}

// A real and a complex record of order 3; each primitive must refuse the other kind.
class FftRecordKinds : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(ippsFFTInitAlloc_R_64f(&Real, 3, FftNoDivision, HintNone), StsNoError);
    ASSERT_EQ(ippsFFTInitAlloc_C_64fc(&Complex, 3, FftNoDivision, HintNone), StsNoError);
  }
  void TearDown() override {
    EXPECT_EQ(ippsFFTFree_R_64f(Real), StsNoError);
    EXPECT_EQ(ippsFFTFree_C_64fc(Complex), StsNoError);
  }
  IppsFFTSpec_R_64f* Real = nullptr;
  IppsFFTSpec_C_64fc* Complex = nullptr;
  // Records passed as the other kind, as a caller's mix-up would.
  IppsFFTSpec_R_64f* ComplexAsReal() { return reinterpret_cast<IppsFFTSpec_R_64f*>(Complex); }
  IppsFFTSpec_C_64fc* RealAsComplex() { return reinterpret_cast<IppsFFTSpec_C_64fc*>(Real); }
};

TEST_F(FftRecordKinds, FreeRefusesNullAndTheOtherKind) {
  EXPECT_EQ(ippsFFTFree_R_64f(nullptr), StsNullPointer);
  EXPECT_EQ(ippsFFTFree_C_64fc(nullptr), StsNullPointer);
  EXPECT_EQ(ippsFFTFree_R_64f(ComplexAsReal()), StsContextMatch);
  EXPECT_EQ(ippsFFTFree_C_64fc(RealAsComplex()), StsContextMatch);
  // Both are still whole: the fixture frees them, and they still transform.
  std::vector<double> x(8, 1.0), X(10);
  EXPECT_EQ(ippsFFTFwd_RToCCS_64f(x.data(), X.data(), Real, nullptr), StsNoError);
  EXPECT_EQ(X[0], 8.0);
}

TEST_F(FftRecordKinds, TransformsCheckPointersThenTheKindAndWriteNothingOnError) {
  std::vector<double> src(10, 1.0);
  std::vector<Ipp64fc> complexSrc(8, Ipp64fc{1, 1});
  struct TCase {
    const char* What;
    IppStatus Expected;
    std::function<IppStatus(double*, Ipp64fc*)> Call;  // writes into the given outputs
  };
  const TCase cases[] = {
      {"forward real, null source", StsNullPointer,
       [&](double* d, Ipp64fc*) { return ippsFFTFwd_RToCCS_64f(nullptr, d, Real, nullptr); }},
      {"forward real, null record", StsNullPointer,
       [&](double* d, Ipp64fc*) { return ippsFFTFwd_RToCCS_64f(src.data(), d, nullptr, nullptr); }},
      {"forward real, complex record", StsContextMatch,
       [&](double* d, Ipp64fc*) { return ippsFFTFwd_RToCCS_64f(src.data(), d, ComplexAsReal(), nullptr); }},
      {"forward real, null source and complex record", StsNullPointer,
       [&](double* d, Ipp64fc*) { return ippsFFTFwd_RToCCS_64f(nullptr, d, ComplexAsReal(), nullptr); }},
      {"inverse real, null source", StsNullPointer,
       [&](double* d, Ipp64fc*) { return ippsFFTInv_CCSToR_64f(nullptr, d, Real, nullptr); }},
      {"inverse real, complex record", StsContextMatch,
       [&](double* d, Ipp64fc*) { return ippsFFTInv_CCSToR_64f(src.data(), d, ComplexAsReal(), nullptr); }},
      {"forward complex, null source", StsNullPointer,
       [&](double*, Ipp64fc* d) { return ippsFFTFwd_CToC_64fc(nullptr, d, Complex, nullptr); }},
      {"forward complex, null record", StsNullPointer,
       [&](double*, Ipp64fc* d) { return ippsFFTFwd_CToC_64fc(complexSrc.data(), d, nullptr, nullptr); }},
      {"forward complex, real record", StsContextMatch,
       [&](double*, Ipp64fc* d) { return ippsFFTFwd_CToC_64fc(complexSrc.data(), d, RealAsComplex(), nullptr); }},
      {"inverse complex, real record", StsContextMatch,
       [&](double*, Ipp64fc* d) { return ippsFFTInv_CToC_64fc(complexSrc.data(), d, RealAsComplex(), nullptr); }},
  };
  for (const TCase& c : cases) {
    std::vector<double> realOut(10, 5.0);
    std::vector<Ipp64fc> complexOut(8, Ipp64fc{5, 5});
    EXPECT_EQ(c.Call(realOut.data(), complexOut.data()), c.Expected) << c.What;
    EXPECT_EQ(realOut, std::vector<double>(10, 5.0)) << c.What;
    for (const Ipp64fc& v : complexOut) EXPECT_TRUE(v.re == 5 && v.im == 5) << c.What;
  }
  // A null destination is refused as well.
  EXPECT_EQ(ippsFFTFwd_RToCCS_64f(src.data(), nullptr, Real, nullptr), StsNullPointer);
  EXPECT_EQ(ippsFFTInv_CCSToR_64f(src.data(), nullptr, Real, nullptr), StsNullPointer);
  EXPECT_EQ(ippsFFTFwd_CToC_64fc(complexSrc.data(), nullptr, Complex, nullptr), StsNullPointer);
  EXPECT_EQ(ippsFFTInv_CToC_64fc(complexSrc.data(), nullptr, Complex, nullptr), StsNullPointer);
}

TEST(ConjCcs, CompletesTheUpperHalfWithConjugates) {
  for (int length : {8, 7, 2, 1}) {
    std::vector<Ipp64fc> x(length);
    for (int k = 0; k < length; ++k) x[k] = {10.0 + k, -20.0 - k};
    const std::vector<Ipp64fc> given = x;
    ASSERT_EQ(ippsConjCcs_64fc_I(x.data(), length), StsNoError);
    for (int k = 0; k < length; ++k) {
      const Ipp64fc expected = k <= length / 2 ? given[k] : Ipp64fc{given[length - k].re, -given[length - k].im};
      EXPECT_EQ(x[k].re, expected.re) << "length " << length << ", element " << k;
      EXPECT_EQ(x[k].im, expected.im) << "length " << length << ", element " << k;
    }
  }
}

TEST(ConjCcs, Statuses) {
  Ipp64fc x{1, 2};
  EXPECT_EQ(ippsConjCcs_64fc_I(nullptr, 0), StsNullPointer);
  EXPECT_EQ(ippsConjCcs_64fc_I(&x, 0), StsSize);
  EXPECT_EQ(ippsConjCcs_64fc_I(&x, -3), StsSize);
}

}  // namespace
