#include "buffers/KvSimpleDataBuffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

using Primitives::Ipp64fc;
using TComplexRef = TRef<IKvComplexBuffer>;
using TRealRef = TRef<IKvRealBuffer>;

TComplexRef ComplexOf(const std::vector<Ipp64fc>& values) {
  auto buffer = MakeRef<TKvComplexBuffer>(uint32_t(values.size()));
  std::copy(values.begin(), values.end(), buffer->WriteData());
  return buffer;
}

TRealRef RealOf(const std::vector<double>& values) {
  return MakeRef<TKvRealBuffer>(values.data(), uint32_t(values.size()));
}

std::vector<double> ValuesOf(IKvRealBuffer& buffer) {
  return std::vector<double>(buffer.ReadData(), buffer.ReadData() + buffer.GetCount());
}

// Parts interleaved: re0, im0, re1, im1, ...
std::vector<double> PartsOf(IKvComplexBuffer& buffer) {
  std::vector<double> parts;
  for (uint32_t i = 0; i < buffer.GetCount(); ++i)
    parts.push_back(buffer.ReadData()[i].re), parts.push_back(buffer.ReadData()[i].im);
  return parts;
}

const TKvSmartBuffer* BlockOf(IKvDataBuffer& buffer) { return &buffer.GetInstance().Block(); }

TEST(ComplexBufferOperations, ArithmeticOverTheCommonLength) {
  struct TCase {
    const char* Name;
    std::function<void(IKvComplexBuffer&, IKvComplexBuffer&)> Operation;
    std::vector<double> Expected;
  };
  const std::vector<Ipp64fc> own = {{1, 2}, {3, -4}, {5, 5}}, other = {{2, 0}, {0, 1}};
  const TCase cases[] = {
      {"Add", [](auto& a, auto& b) { a.Add(b); }, {3, 2, 3, -3, 5, 5}},
      {"Sub", [](auto& a, auto& b) { a.Sub(b); }, {-1, 2, 3, -5, 5, 5}},
      {"Mul", [](auto& a, auto& b) { a.Mul(b); }, {2, 4, 4, 3, 5, 5}},
      {"Div", [](auto& a, auto& b) { a.Div(b); }, {0.5, 1, -4, -3, 5, 5}},
      {"NormalizeFrom",
       [](auto& a, auto& b) {
         a.NormalizeFrom(b, {1, 1}, 2);
       },
       {0.5, -0.5, -0.5, 0, 5, 5}},
      {"SqrFrom", [](auto& a, auto& b) { a.SqrFrom(b); }, {4, 0, -1, 0, 5, 5}},
      {"SqrtFrom", [](auto& a, auto& b) { a.SqrtFrom(b); }, {std::sqrt(2.0), 0, std::sqrt(0.5), std::sqrt(0.5), 5, 5}},
      {"ThresholdFrom below", [](auto& a, auto& b) { a.ThresholdFrom(b, true, 1.5); }, {2, 0, 0, 1.5, 5, 5}},
      {"ThresholdFrom above", [](auto& a, auto& b) { a.ThresholdFrom(b, false, 1.5); }, {1.5, 0, 0, 1, 5, 5}},
  };
  for (const TCase& c : cases) {
    const TComplexRef a = ComplexOf(own), b = ComplexOf(other);
    c.Operation(*a, *b);
    const std::vector<double> parts = PartsOf(*a);
    ASSERT_EQ(parts.size(), c.Expected.size()) << c.Name;
    for (std::size_t i = 0; i < parts.size(); ++i) EXPECT_DOUBLE_EQ(parts[i], c.Expected[i]) << c.Name << i;
  }
  const TComplexRef a = ComplexOf(own);
  const Ipp64fc dot = a->DotProduct(*ComplexOf(other));
  EXPECT_EQ(dot.re, 6);  // (1 + 2i) 2 + (3 - 4i) i = 2 + 4i + 3i + 4
  EXPECT_EQ(dot.im, 7);
  const Ipp64fc none = a->DotProduct(*MakeRef<TKvComplexBuffer>(0));
  EXPECT_EQ(none.re, 0);
  EXPECT_EQ(none.im, 0);
}

TEST(ComplexBufferOperations, ConstantsFillsAndInPlaceFunctions) {
  struct TCase {
    const char* Name;
    std::function<void(IKvComplexBuffer&)> Operation;
    std::vector<double> Expected;
  };
  const std::vector<Ipp64fc> values = {{3, 4}, {-4, 0}};
  const TCase cases[] = {
      {"AddConst",
       [](auto& a) {
         a.AddConst({1, -1});
       },
       {4, 3, -3, -1}},
      {"SubConst",
       [](auto& a) {
         a.SubConst({1, -1});
       },
       {2, 5, -5, 1}},
      {"MulConst",
       [](auto& a) {
         a.MulConst({0, 1});
       },
       {-4, 3, 0, -4}},
      {"DivConst",
       [](auto& a) {
         a.DivConst({0, 2});
       },
       {2, -1.5, 0, 2}},
      {"DivConst 0 (nothing happens)",
       [](auto& a) {
         a.DivConst({0, 0});
       },
       {3, 4, -4, 0}},
      {"Fill",
       [](auto& a) {
         a.Fill({7, -7});
       },
       {7, -7, 7, -7}},
      {"Zero", [](auto& a) { a.Zero(); }, {0, 0, 0, 0}},
      {"Normalize",
       [](auto& a) {
         a.Normalize({1, 0}, 0.5);
       },
       {4, 8, -10, 0}},
      {"Sqr", [](auto& a) { a.Sqr(); }, {-7, 24, 16, 0}},
      {"Sqrt", [](auto& a) { a.Sqrt(); }, {2, 1, 0, 2}},
      {"Threshold above", [](auto& a) { a.Threshold(false, 2); }, {1.2, 1.6, -2, 0}},
      {"Threshold below", [](auto& a) { a.Threshold(true, 6); }, {3.6, 4.8, -6, 0}},
      {"Threshold negative level (nothing happens)", [](auto& a) { a.Threshold(true, -1); }, {3, 4, -4, 0}},
  };
  for (const TCase& c : cases) {
    const TComplexRef a = ComplexOf(values);
    c.Operation(*a);
    const std::vector<double> parts = PartsOf(*a);
    for (std::size_t i = 0; i < parts.size(); ++i) EXPECT_DOUBLE_EQ(parts[i], c.Expected[i]) << c.Name << i;
  }
  // What the primitive refuses leaves a shared block shared.
  const TComplexRef a = ComplexOf(values);
  const auto sharer = Supports<IKvComplexBuffer>(a->Clone());
  a->DivConst({0, 0});
  a->Threshold(false, -2);
  a->ThresholdFrom(*sharer, true, -2);
  a->NormalizeFrom(*sharer, {0, 0}, 0);
  EXPECT_EQ(BlockOf(*a), BlockOf(*sharer));
}

TEST(ComplexBufferOperations, RealResultsAreNewBuffersOfTheSameCount) {
  const TComplexRef a = ComplexOf({{3, 4}, {0, -2}, {-1, 0}});
  struct TCase {
    const char* Name;
    void (IKvComplexBuffer::*Operation)(TRef<IKvRealBuffer>&);
    std::vector<double> Expected;
  };
  const double pi = std::acos(-1.0);
  const TCase cases[] = {
      {"RealPart", &IKvComplexBuffer::RealPart, {3, 0, -1}},
      {"ImagPart", &IKvComplexBuffer::ImagPart, {4, -2, 0}},
      {"Phase", &IKvComplexBuffer::Phase, {std::atan2(4.0, 3.0), -pi / 2, pi}},
      {"Magnitude", &IKvComplexBuffer::Magnitude, {5, 2, 1}},
      {"PowerSpectrum", &IKvComplexBuffer::PowerSpectrum, {25, 4, 1}},
  };
  for (const TCase& c : cases) {
    TRealRef result;
    ((*a).*c.Operation)(result);
    ASSERT_TRUE(result) << c.Name;
    EXPECT_EQ(ValuesOf(*result), c.Expected) << c.Name;
  }
  TRealRef empty;
  MakeRef<TKvComplexBuffer>(0)->Magnitude(empty);
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->GetCount(), 0u);
}

TEST(ComplexBufferOperations, FromRealAndImaginaryPartsTakesTheShorterCount) {
  const TComplexRef a = ComplexOf({{9, 9}});
  a->FromRealImag(*RealOf({1, 2, 3}), *RealOf({-1, -2}));
  EXPECT_EQ(PartsOf(*a), (std::vector<double>{1, -1, 2, -2}));
}

TEST(ComplexBufferOperations, Correlations) {
  // r[n] = sum conj(x[i]) x[i + n] of x = (1, i): r[0] = 2, r[1] = 1 * i.
  const TComplexRef x = ComplexOf({{1, 0}, {0, 1}});
  const TComplexRef r = MakeRef<TKvComplexBuffer>(3);
  r->AutoCorrelation(*x, 0);
  EXPECT_EQ(PartsOf(*r), (std::vector<double>{2, 0, 0, 1, 0, 0}));
  r->AutoCorrelation(*x, 2);
  EXPECT_EQ(PartsOf(*r), (std::vector<double>{1, 0, 0, 1, 0, 0}));
  x->AutoCorrelation(*x, 1);
  EXPECT_EQ(PartsOf(*x), (std::vector<double>{1, 0, 0, 0.5}));
  // c[n] = sum conj(a[i]) b[i + n - 1] of a = (i), b = (1, 2): c = (0, -i, -2i).
  const TComplexRef c = MakeRef<TKvComplexBuffer>(3);
  c->CrossCorrelation(*ComplexOf({{0, 1}}), *ComplexOf({{1, 0}, {2, 0}}), -1);
  EXPECT_EQ(PartsOf(*c), (std::vector<double>{0, 0, 0, -1, 0, -2}));
}

}  // namespace
