#include "buffers/KvSimpleDataBuffer.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <functional>
#include <vector>

namespace {

using TRealRef = TRef<IKvRealBuffer>;

TRealRef RealOf(const std::vector<double>& values) {
  return MakeRef<TKvRealBuffer>(values.data(), uint32_t(values.size()));
}

std::vector<double> ValuesOf(IKvRealBuffer& buffer) {
  return std::vector<double>(buffer.ReadData(), buffer.ReadData() + buffer.GetCount());
}

const TKvSmartBuffer* BlockOf(IKvDataBuffer& buffer) { return &buffer.GetInstance().Block(); }

TRealRef CloneOf(IKvRealBuffer& buffer) { return Supports<IKvRealBuffer>(buffer.Clone()); }

// 0.5, 1.5, 2.5, ... and 3, 2, 1, ... : no zeros, so every operation is defined.
std::vector<double> Halves(std::size_t count) {
  std::vector<double> values(count);
  for (std::size_t i = 0; i < count; ++i) values[i] = double(i) + 0.5;
  return values;
}

TEST(RealBufferOperations, WithAnotherBufferOverTheCommonLengthOnly) {
  struct TCase {
    const char* Name;
    std::function<void(IKvRealBuffer& own, IKvRealBuffer& other)> Operation;
    std::function<double(double own, double other)> Expected;
  };
  const TCase cases[] = {
      {"Add", [](IKvRealBuffer& a, IKvRealBuffer& b) { a.Add(b); }, [](double a, double b) { return a + b; }},
      {"Sub", [](IKvRealBuffer& a, IKvRealBuffer& b) { a.Sub(b); }, [](double a, double b) { return a - b; }},
      {"Mul", [](IKvRealBuffer& a, IKvRealBuffer& b) { a.Mul(b); }, [](double a, double b) { return a * b; }},
      {"Div", [](IKvRealBuffer& a, IKvRealBuffer& b) { a.Div(b); }, [](double a, double b) { return a / b; }},
      {"NormalizeFrom", [](IKvRealBuffer& a, IKvRealBuffer& b) { a.NormalizeFrom(b, 0.5, 4); },
       [](double, double b) { return double((b - 0.5L) * (1 / 4.0L)); }},
      {"ThresholdFrom below", [](IKvRealBuffer& a, IKvRealBuffer& b) { a.ThresholdFrom(b, true, 40); },
       [](double, double b) { return std::max(b, 40.0); }},
      {"ThresholdFrom above", [](IKvRealBuffer& a, IKvRealBuffer& b) { a.ThresholdFrom(b, false, 40); },
       [](double, double b) { return std::min(b, 40.0); }},
      {"SqrFrom", [](IKvRealBuffer& a, IKvRealBuffer& b) { a.SqrFrom(b); }, [](double, double b) { return b * b; }},
      {"SqrtFrom", [](IKvRealBuffer& a, IKvRealBuffer& b) { a.SqrtFrom(b); },
       [](double, double b) { return std::sqrt(b); }},
      {"AbsFrom", [](IKvRealBuffer& a, IKvRealBuffer& b) { a.AbsFrom(b); }, [](double, double b) { return b; }},
      {"ExpFrom", [](IKvRealBuffer& a, IKvRealBuffer& b) { a.ExpFrom(b); },
       [](double, double b) { return std::exp(b); }},
      {"LnFrom", [](IKvRealBuffer& a, IKvRealBuffer& b) { a.LnFrom(b); }, [](double, double b) { return std::log(b); }},
  };
  const std::vector<double> own = Halves(1024), other = Halves(100);
  for (const TCase& c : cases) {
    // The longer buffer changes only where the shorter one has elements; the count stays.
    const TRealRef a = RealOf(own), b = RealOf(other);
    c.Operation(*a, *b);
    ASSERT_EQ(a->GetCount(), 1024u) << c.Name;
    for (int i = 0; i < 100; ++i) EXPECT_DOUBLE_EQ(a->GetValue(i), c.Expected(own[i], other[i])) << c.Name << i;
    for (int i = 100; i < 1024; ++i) ASSERT_EQ(a->GetValue(i), own[i]) << c.Name << i;
    EXPECT_EQ(ValuesOf(*b), other) << c.Name << ": the other buffer is only read";
    // The other way round: the shorter buffer changes throughout.
    const TRealRef shorter = RealOf(other), longer = RealOf(own);
    c.Operation(*shorter, *longer);
    ASSERT_EQ(shorter->GetCount(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_DOUBLE_EQ(shorter->GetValue(i), c.Expected(other[i], own[i])) << c.Name;
  }
}

TEST(RealBufferOperations, InPlaceFunctionsAndFills) {
  struct TCase {
    const char* Name;
    std::function<void(IKvRealBuffer&)> Operation;
    std::function<double(double)> Expected;
  };
  const TCase cases[] = {
      {"Sqr", [](IKvRealBuffer& a) { a.Sqr(); }, [](double x) { return x * x; }},
      {"Sqrt", [](IKvRealBuffer& a) { a.Sqrt(); }, [](double x) { return x < 0 ? NAN : std::sqrt(x); }},
      {"Abs", [](IKvRealBuffer& a) { a.Abs(); }, [](double x) { return std::fabs(x); }},
      {"Exp", [](IKvRealBuffer& a) { a.Exp(); }, [](double x) { return std::exp(x); }},
      {"Ln", [](IKvRealBuffer& a) { a.Ln(); }, [](double x) { return x < 0 ? NAN : std::log(x); }},
      {"Threshold below", [](IKvRealBuffer& a) { a.Threshold(true, 0.5); }, [](double x) { return std::max(x, 0.5); }},
      {"Threshold above", [](IKvRealBuffer& a) { a.Threshold(false, 0.5); }, [](double x) { return std::min(x, 0.5); }},
      {"Normalize", [](IKvRealBuffer& a) { a.Normalize(1, 0.5); }, [](double x) { return (x - 1) * 2; }},
      {"AddConst", [](IKvRealBuffer& a) { a.AddConst(0.25); }, [](double x) { return x + 0.25; }},
      {"SubConst", [](IKvRealBuffer& a) { a.SubConst(0.25); }, [](double x) { return x - 0.25; }},
      {"MulConst", [](IKvRealBuffer& a) { a.MulConst(-3); }, [](double x) { return x * -3; }},
      {"DivConst", [](IKvRealBuffer& a) { a.DivConst(4); }, [](double x) { return x / 4; }},
      {"Fill", [](IKvRealBuffer& a) { a.Fill(-7.5); }, [](double) { return -7.5; }},
      {"Zero", [](IKvRealBuffer& a) { a.Zero(); }, [](double) { return 0.0; }},
  };
  const std::vector<double> values = {2.25, -1, 0.5, 100, 1e-3};
  for (const TCase& c : cases) {
    const TRealRef a = RealOf(values);
    c.Operation(*a);
    ASSERT_EQ(a->GetCount(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
      const double expected = c.Expected(values[i]);
      if (std::isnan(expected)) EXPECT_TRUE(std::isnan(a->GetValue(i))) << c.Name << i;
      else EXPECT_DOUBLE_EQ(a->GetValue(i), expected) << c.Name << i;
    }
  }
}

TEST(RealBufferOperations, DivisionByZeroGivesFiniteStandIns) {
  const TRealRef a = RealOf({6, -6, 0, 8, 5}), divisors = RealOf({0, 0, 0, 2, -0.0});
  a->Div(*divisors);
  EXPECT_EQ(ValuesOf(*a), (std::vector<double>{1e15, -1e14, 0, 4, 1e15}));
  // Also when the divisors are the buffer itself.
  const TRealRef self = RealOf({0, 3, -2});
  self->Div(*self);
  EXPECT_EQ(ValuesOf(*self), (std::vector<double>{0, 1, 1}));
}

// The constants that change nothing, and arguments the primitives refuse, leave a shared block
// shared; every other operation that changes the buffer writes a block of its own, and the sharer
// keeps the old values.
TEST(RealBufferOperations, ShortCutsDoNotCopyASharedBlock) {
  const TRealRef a = RealOf({1, 2, 3});
  const TRealRef sharer = CloneOf(*a);
  a->MulConst(1);
  a->AddConst(0);
  a->SubConst(0);
  a->DivConst(0);
  a->DivConst(1);
  a->AddConst(-0.0);
  // What the primitives refuse changes nothing either.
  a->FillJaehne(-1);
  a->NormalizeFrom(*sharer, 1, 0);
  a->Normalize(1, 1e-310);
  EXPECT_EQ(BlockOf(*a), BlockOf(*sharer));
  EXPECT_EQ(ValuesOf(*a), (std::vector<double>{1, 2, 3}));
  a->MulConst(2);
  EXPECT_NE(BlockOf(*a), BlockOf(*sharer));
  EXPECT_EQ(ValuesOf(*a), (std::vector<double>{2, 4, 6}));
  EXPECT_EQ(ValuesOf(*sharer), (std::vector<double>{1, 2, 3}));
}

TEST(RealBufferOperations, ReadingOperationsNeverCopyAndWritingOnesLeaveSharersAlone) {
  const std::vector<double> values = {3, 1, 4, 1, 5};
  const std::function<void(IKvRealBuffer&)> readers[] = {
      [](IKvRealBuffer& a) { a.Mean(); },
      [](IKvRealBuffer& a) { a.StdDev(); },
      [](IKvRealBuffer& a) { a.Min(); },
      [](IKvRealBuffer& a) { a.MaxInRange(1, 3); },
      [](IKvRealBuffer& a) { a.DotProduct(a); },
      [](IKvRealBuffer& a) { a.NormDiff(a, 1); },
      [](IKvRealBuffer& a) { a.MinValidInRange(0, 5); },
      [](IKvRealBuffer& a) {
        int32_t ints[5];
        a.ToInt32(ints, true);
      },
  };
  for (const auto& read : readers) {
    const TRealRef a = RealOf(values), sharer = CloneOf(*a);
    read(*a);
    EXPECT_EQ(BlockOf(*a), BlockOf(*sharer));
  }
  const std::function<void(IKvRealBuffer&, IKvRealBuffer&)> writers[] = {
      [](IKvRealBuffer& a, IKvRealBuffer& b) { a.Add(b); },
      [](IKvRealBuffer& a, IKvRealBuffer& b) { a.SqrFrom(b); },
      [](IKvRealBuffer& a, IKvRealBuffer&) { a.Fill(1); },
      [](IKvRealBuffer& a, IKvRealBuffer&) { a.Zero(); },
      [](IKvRealBuffer& a, IKvRealBuffer&) { a.FillJaehne(1); },
      [](IKvRealBuffer& a, IKvRealBuffer&) { a.Normalize(1, 2); },
      [](IKvRealBuffer& a, IKvRealBuffer& b) { a.AutoCorrelation(b, 0); },
      [](IKvRealBuffer& a, IKvRealBuffer& b) { a.CrossCorrelation(b, b, -1); },
      [](IKvRealBuffer& a, IKvRealBuffer& b) { a.Threshold(true, 2), (void)b; },
  };
  for (const auto& write : writers) {
    const TRealRef a = RealOf(values), sharer = CloneOf(*a), other = RealOf({1, 1, 1});
    write(*a, *other);
    EXPECT_NE(BlockOf(*a), BlockOf(*sharer));
    EXPECT_EQ(ValuesOf(*sharer), values);
  }
}

TEST(RealBufferOperations, ConversionsToAndFromTheCallersArrays) {
  const TRealRef a = RealOf({2.5, 3.5, -2.5, 40000, -2.7, 1e10, -1e10, 65536.0 * 70000 + 3});
  int16_t words[8];
  a->ToInt16(words, true);
  EXPECT_EQ(
      std::vector<int16_t>(words, words + 8),
      (std::vector<int16_t>{2, 4, -2, -25536, -3, int16_t(10000000000 % 65536), int16_t(-10000000000 % 65536), 3}));
  a->ToInt16(words, false);
  EXPECT_EQ(std::vector<int16_t>(words, words + 5), (std::vector<int16_t>{2, 3, -2, -25536, -2}));
  int32_t longs[8];
  a->ToInt32(longs, true);
  EXPECT_EQ(std::vector<int32_t>(longs, longs + 7), (std::vector<int32_t>{2, 4, -2, 40000, -3, INT_MAX, INT_MIN}));
  a->ToInt32(longs, false);
  EXPECT_EQ(longs[4], -2);
  float singles[8];
  a->ToSingle(singles);
  EXPECT_EQ(singles[4], -2.7f);
  const TRealRef nonFinite = RealOf({HUGE_VAL, NAN});
  nonFinite->ToInt16(words, true);
  EXPECT_EQ(words[0], 0);
  EXPECT_EQ(words[1], 0);

  const int32_t fromLongs[] = {INT_MIN, 7, INT_MAX};
  const int16_t fromWords[] = {-32768, 1, 32767};
  const float fromSingles[] = {0.1f, -1e30f, 3};
  const TRealRef b = MakeRef<TKvRealBuffer>(3);
  b->FromInt32(fromLongs);
  EXPECT_EQ(ValuesOf(*b), (std::vector<double>{-2147483648.0, 7, 2147483647}));
  b->FromInt16(fromWords);
  EXPECT_EQ(ValuesOf(*b), (std::vector<double>{-32768, 1, 32767}));
  b->FromSingle(fromSingles);
  EXPECT_EQ(ValuesOf(*b), (std::vector<double>{0.1f, -1e30f, 3}));
}

TEST(RealBufferOperations, StatisticsAndEmptyBuffers) {
  const TRealRef a = RealOf({1, 2, 3, 4}), b = RealOf({2, 2, 2});
  EXPECT_EQ(a->Mean(), 2.5);
  EXPECT_DOUBLE_EQ(a->StdDev(), std::sqrt(5.0 / 3));
  EXPECT_EQ(a->DotProduct(*b), 12);
  EXPECT_EQ(a->NormDiff(*b, 0), 2);
  EXPECT_DOUBLE_EQ(a->NormDiff(*b, 1), std::sqrt(2.0));
  EXPECT_EQ(a->NormDiff(*b, 2), 1);
  EXPECT_EQ(a->NormDiff(*b, 3), 0);
  EXPECT_EQ(a->NormDiff(*b, -1), 0);
  uint32_t index = 99;
  EXPECT_EQ(a->MaxIndex(index), 4);
  EXPECT_EQ(index, 3u);
  EXPECT_EQ(a->MinIndex(index), 1);
  EXPECT_EQ(index, 0u);

  const TRealRef empty = MakeRef<TKvRealBuffer>(0), single = RealOf({5});
  EXPECT_EQ(empty->Min(), 0);
  EXPECT_EQ(empty->Max(), 0);
  EXPECT_EQ(empty->Mean(), 0);
  EXPECT_EQ(empty->StdDev(), 0);
  EXPECT_EQ(single->StdDev(), 0);
  EXPECT_EQ(empty->DotProduct(*a), 0);
  EXPECT_EQ(a->NormDiff(*empty, 1), 0);
  index = 99;
  EXPECT_EQ(empty->MinIndex(index), 0);
  EXPECT_EQ(index, 0u);
  EXPECT_EQ(empty->MaxIndex(index), 0);
}

TEST(RealBufferOperations, RangeQueriesClampTheirIndices) {
  const TRealRef a = RealOf({5, -1, 8, HUGE_VAL, -1.75e308, 3});
  struct TCase {
    int From, To;
    double Min, Max, MinValid, MaxValid;
  };
  const TCase cases[] = {
      {0, 6, -1.75e308, HUGE_VAL, -1, 8},
      {-5, 2, -1, 5, -1, 5},
      {2, 100, -1.75e308, HUGE_VAL, 3, 8},
      {3, 5, -1.75e308, HUGE_VAL, 0, 0},  // nothing valid
      {9, 12, 3, 3, 3, 3},                // from clamped to the last element
      {4, 4, 0, 0, 0, 0},                 // empty range
      {4, 2, 0, 0, 0, 0},
      {3, 6, -1.75e308, HUGE_VAL, 3, 3},  // an invalid first element is skipped, not taken as 0
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(a->MinInRange(c.From, c.To), c.Min) << c.From << ".." << c.To;
    EXPECT_EQ(a->MaxInRange(c.From, c.To), c.Max) << c.From << ".." << c.To;
    EXPECT_EQ(a->MinValidInRange(c.From, c.To), c.MinValid) << c.From << ".." << c.To;
    EXPECT_EQ(a->MaxValidInRange(c.From, c.To), c.MaxValid) << c.From << ".." << c.To;
  }
  const TRealRef huge = RealOf({1.7e308, -1.7e308, HUGE_VAL});
  EXPECT_EQ(huge->MinValidInRange(0, 3), 0);
  EXPECT_EQ(huge->MaxValidInRange(0, 3), 0);
  // An empty buffer answers 0 and reads nothing.
  const TRealRef empty = MakeRef<TKvRealBuffer>(0);
  for (const auto& [from, to] : {std::pair{0, 0}, {0, 5}, {-3, 2}, {4, 1}}) {
    EXPECT_EQ(empty->MinInRange(from, to), 0);
    EXPECT_EQ(empty->MaxInRange(from, to), 0);
    EXPECT_EQ(empty->MinValidInRange(from, to), 0);
    EXPECT_EQ(empty->MaxValidInRange(from, to), 0);
  }
}

TEST(RealBufferOperations, CorrelationsAndConvolution) {
  const TRealRef x = RealOf({1, 2, 3});
  const TRealRef autoCorrelation = MakeRef<TKvRealBuffer>(4);
  autoCorrelation->AutoCorrelation(*x, 2);
  EXPECT_EQ(ValuesOf(*autoCorrelation), (std::vector<double>{14.0 / 3, 4, 3, 0}));
  autoCorrelation->AutoCorrelation(*x, 1);
  EXPECT_EQ(ValuesOf(*autoCorrelation), (std::vector<double>{14.0 / 3, 8.0 / 3, 1, 0}));
  autoCorrelation->AutoCorrelation(*x, 7);
  EXPECT_EQ(ValuesOf(*autoCorrelation), (std::vector<double>{14, 8, 3, 0}));

  const TRealRef cross = MakeRef<TKvRealBuffer>(4);
  cross->CrossCorrelation(*RealOf({1, 2}), *RealOf({1, 1, 1}), -1);
  EXPECT_EQ(ValuesOf(*cross), (std::vector<double>{2, 3, 3, 1}));

  const TRealRef convolution = RealOf({9, 9, 9, 9, 9});
  convolution->Convolve(*RealOf({1, 2}), *RealOf({1, 1, 1}));
  EXPECT_EQ(ValuesOf(*convolution), (std::vector<double>{1, 3, 3, 2, 9}));
}

TEST(RealBufferOperations, AConvolutionThatDoesNotFitIsAnErrorBeforeAnythingIsWritten) {
  const TRealRef y = RealOf({9, 9, 9});
  const TRealRef sharer = CloneOf(*y);
  try {
    y->Convolve(*RealOf({1, 2}), *RealOf({1, 1, 1}));
    FAIL() << "no error";
  } catch (const ERangeError& error) {
    EXPECT_STREQ(error.what(), "Index out of range = 3");
  }
  EXPECT_EQ(ValuesOf(*y), (std::vector<double>{9, 9, 9}));
  EXPECT_EQ(BlockOf(*y), BlockOf(*sharer));
}

// Correlations read other elements than the one they write: a source on this buffer's block is
// read as it was.
TEST(RealBufferOperations, ASourceOnTheBuffersOwnBlockIsReadAsItWas) {
  const TRealRef x = RealOf({1, 2, 3});
  x->AutoCorrelation(*x, 0);
  EXPECT_EQ(ValuesOf(*x), (std::vector<double>{14, 8, 3}));
  const TRealRef z = RealOf({2, 5, 7});
  z->CrossCorrelation(*RealOf({1, 1}), *z, -1);
  EXPECT_EQ(ValuesOf(*z), (std::vector<double>{2, 7, 12}));
  // A reader on the block that does not count as a writer: the buffer writes in place.
  const TRealRef y = RealOf({1, 2, 3});
  const TRealRef reader = CloneOf(*y);
  reader->GetInstance().DropWriterFlag();
  y->AutoCorrelation(*reader, 0);
  EXPECT_EQ(ValuesOf(*y), (std::vector<double>{14, 8, 3}));
  // Element-wise operations may read themselves.
  const TRealRef w = RealOf({1, -2, 3});
  w->Add(*w);
  w->Mul(*w);
  EXPECT_EQ(ValuesOf(*w), (std::vector<double>{4, 16, 36}));
}

}  // namespace
