#include "buffers/KvSimpleDataBuffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

namespace {

using TIntegerRef = TRef<IKvIntegerBuffer>;

TIntegerRef IntegersOf(const std::vector<int32_t>& values) {
  auto buffer = MakeRef<TKvIntegerBuffer>(uint32_t(values.size()));
  std::copy(values.begin(), values.end(), buffer->WriteData());
  return buffer;
}

std::vector<int32_t> ValuesOf(IKvIntegerBuffer& buffer) {
  return std::vector<int32_t>(buffer.ReadData(), buffer.ReadData() + buffer.GetCount());
}

const TKvSmartBuffer* BlockOf(IKvDataBuffer& buffer) { return &buffer.GetInstance().Block(); }

TEST(IntegerBufferOperations, WithAnotherBufferOverTheCommonLength) {
  struct TCase {
    const char* Name;
    std::function<void(IKvIntegerBuffer&, IKvIntegerBuffer&)> Operation;
    std::vector<int32_t> Expected;
  };
  // Own elements, then those of the other buffer; the last own element has no partner.
  const std::vector<int32_t> own = {INT_MAX, INT_MIN, 7, -7, 12, INT_MIN, 0, 5, 99};
  const std::vector<int32_t> other = {1, -1, 2, 2, 0, -1, 0, 33};
  const TCase cases[] = {
      {"Add", [](auto& a, auto& b) { a.Add(b); }, {INT_MAX, INT_MIN, 9, -5, 12, INT_MIN, 0, 38, 99}},
      {"Sub", [](auto& a, auto& b) { a.Sub(b); }, {INT_MAX - 1, INT_MIN + 1, 5, -9, 12, INT_MIN + 1, 0, -28, 99}},
      {"Mul", [](auto& a, auto& b) { a.Mul(b); }, {INT_MAX, INT_MAX, 14, -14, 0, INT_MAX, 0, 165, 99}},
      // To nearest with ties to even; a zero divisor saturates by the dividend's sign, INT_MIN / -1 too.
      {"Div", [](auto& a, auto& b) { a.Div(b); }, {INT_MAX, INT_MAX, 4, -4, INT_MAX, INT_MAX, 0, 0, 99}},
      {"Mod", [](auto& a, auto& b) { a.Mod(b); }, {0, 0, 1, -1, 12, 0, 0, 5, 99}},
      {"And", [](auto& a, auto& b) { a.And(b); }, {1, INT_MIN, 2, 0, 0, INT_MIN, 0, 1, 99}},
      {"Or", [](auto& a, auto& b) { a.Or(b); }, {INT_MAX, -1, 7, -5, 12, -1, 0, 37, 99}},
      {"Xor", [](auto& a, auto& b) { a.Xor(b); }, {INT_MAX - 1, INT_MAX, 5, -5, 12, INT_MAX, 0, 36, 99}},
      // Shift counts masked to 0 .. 31: -1 is 31, 33 is 1.
      {"ShiftLeftBy", [](auto& a, auto& b) { a.ShiftLeftBy(b); }, {-2, 0, 28, -28, 12, 0, 0, 10, 99}},
      {"ShiftRightBy", [](auto& a, auto& b) { a.ShiftRightBy(b); }, {INT_MAX / 2, -1, 1, -2, 12, -1, 0, 2, 99}},
  };
  for (const TCase& c : cases) {
    const TIntegerRef a = IntegersOf(own), b = IntegersOf(other);
    c.Operation(*a, *b);
    EXPECT_EQ(ValuesOf(*a), c.Expected) << c.Name;
    EXPECT_EQ(ValuesOf(*b), other) << c.Name;
  }
}

TEST(IntegerBufferOperations, WithAConstant) {
  struct TCase {
    const char* Name;
    std::function<void(IKvIntegerBuffer&)> Operation;
    std::vector<int32_t> Expected;
  };
  const std::vector<int32_t> values = {INT_MAX, INT_MIN, 7, -7, 0};
  const TCase cases[] = {
      {"AddConst", [](auto& a) { a.AddConst(5); }, {INT_MAX, INT_MIN + 5, 12, -2, 5}},
      {"SubConst", [](auto& a) { a.SubConst(5); }, {INT_MAX - 5, INT_MIN, 2, -12, -5}},
      {"MulConst", [](auto& a) { a.MulConst(-2); }, {INT_MIN, INT_MAX, -14, 14, 0}},
      {"DivConst truncates", [](auto& a) { a.DivConst(2); }, {INT_MAX / 2, INT_MIN / 2, 3, -3, 0}},
      {"DivConst -1 saturates", [](auto& a) { a.DivConst(-1); }, {-INT_MAX, INT_MAX, -7, 7, 0}},
      {"ModConst", [](auto& a) { a.ModConst(4); }, {3, 0, 3, -3, 0}},
      {"ModConst -1", [](auto& a) { a.ModConst(-1); }, {0, 0, 0, 0, 0}},
      {"AndConst", [](auto& a) { a.AndConst(6); }, {6, 0, 6, 0, 0}},
      {"OrConst", [](auto& a) { a.OrConst(1); }, {INT_MAX, INT_MIN + 1, 7, -7, 1}},
      {"XorConst", [](auto& a) { a.XorConst(-1); }, {INT_MIN, INT_MAX, -8, 6, -1}},
      {"ShiftLeft", [](auto& a) { a.ShiftLeft(1); }, {-2, 0, 14, -14, 0}},
      {"ShiftLeft 32", [](auto& a) { a.ShiftLeft(32); }, {0, 0, 0, 0, 0}},
      {"ShiftRight", [](auto& a) { a.ShiftRight(1); }, {INT_MAX / 2, INT_MIN / 2, 3, -4, 0}},
      {"ShiftRight 40", [](auto& a) { a.ShiftRight(40); }, {0, -1, 0, -1, 0}},
      {"Fill", [](auto& a) { a.Fill(-3); }, {-3, -3, -3, -3, -3}},
      {"Zero", [](auto& a) { a.Zero(); }, {0, 0, 0, 0, 0}},
  };
  for (const TCase& c : cases) {
    const TIntegerRef a = IntegersOf(values);
    c.Operation(*a);
    EXPECT_EQ(ValuesOf(*a), c.Expected) << c.Name;
  }
}

TEST(IntegerBufferOperations, ConstantsThatChangeNothingDoNotCopyASharedBlock) {
  const std::function<void(IKvIntegerBuffer&)> noChanges[] = {
      [](auto& a) { a.AddConst(0); },  [](auto& a) { a.SubConst(0); },    [](auto& a) { a.MulConst(1); },
      [](auto& a) { a.DivConst(0); },  [](auto& a) { a.DivConst(1); },    [](auto& a) { a.ModConst(0); },
      [](auto& a) { a.AndConst(-1); }, [](auto& a) { a.OrConst(0); },     [](auto& a) { a.XorConst(0); },
      [](auto& a) { a.ShiftLeft(0); }, [](auto& a) { a.ShiftRight(-3); },
  };
  for (const auto& operation : noChanges) {
    const TIntegerRef a = IntegersOf({1, -2, 3});
    const auto sharer = Supports<IKvIntegerBuffer>(a->Clone());
    operation(*a);
    EXPECT_EQ(BlockOf(*a), BlockOf(*sharer));
    EXPECT_EQ(ValuesOf(*a), (std::vector<int32_t>{1, -2, 3}));
  }
  const TIntegerRef a = IntegersOf({1, -2, 3});
  const auto sharer = Supports<IKvIntegerBuffer>(a->Clone());
  a->ModConst(2);
  EXPECT_EQ(ValuesOf(*a), (std::vector<int32_t>{1, 0, 1}));
  EXPECT_EQ(ValuesOf(*sharer), (std::vector<int32_t>{1, -2, 3}));
}

TEST(IntegerBufferOperations, DotProductAndExtremes) {
  const TIntegerRef a = IntegersOf({3, -1, 4, 1}), b = IntegersOf({2, 2, 2});
  EXPECT_EQ(a->DotProduct(*b), 12);
  EXPECT_EQ(IntegersOf({INT_MAX, INT_MAX})->DotProduct(*IntegersOf({2, 2})), INT_MAX);
  EXPECT_EQ(a->Min(), -1);
  EXPECT_EQ(a->Max(), 4);
  const TIntegerRef empty = MakeRef<TKvIntegerBuffer>(0);
  EXPECT_EQ(empty->Min(), 0);
  EXPECT_EQ(empty->Max(), 0);
  EXPECT_EQ(empty->DotProduct(*a), 0);
}

}  // namespace
