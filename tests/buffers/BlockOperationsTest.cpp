#include "buffers/KvSimpleDataBuffer.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

TRef<IKvBlockBuffer> BytesOf(const std::vector<uint8_t>& values) {
  auto buffer = MakeRef<TKvBlockBuffer>(uint32_t(values.size()));
  std::copy(values.begin(), values.end(), buffer->WriteData());
  return buffer;
}

std::vector<uint8_t> ValuesOf(IKvBlockBuffer& buffer) {
  return std::vector<uint8_t>(buffer.ReadData(), buffer.ReadData() + buffer.GetCount());
}

TEST(BlockBufferOperations, SaturatingArithmeticOverTheCommonLength) {
  struct TCase {
    const char* Name;
    std::function<void(IKvBlockBuffer&, IKvBlockBuffer&)> Operation;
    std::vector<uint8_t> Expected;
  };
  const std::vector<uint8_t> own = {200, 10, 7, 0, 9, 42}, other = {100, 20, 2, 0, 0};
  const TCase cases[] = {
      {"Add", [](auto& a, auto& b) { a.Add(b); }, {255, 30, 9, 0, 9, 42}},
      {"Sub", [](auto& a, auto& b) { a.Sub(b); }, {100, 0, 5, 0, 9, 42}},
      {"Mul", [](auto& a, auto& b) { a.Mul(b); }, {255, 200, 14, 0, 0, 42}},
      // Integer quotients; a zero divisor gives 255, or 0 for 0 / 0.
      {"Div", [](auto& a, auto& b) { a.Div(b); }, {2, 0, 3, 0, 255, 42}},
  };
  for (const TCase& c : cases) {
    const auto a = BytesOf(own), b = BytesOf(other);
    c.Operation(*a, *b);
    EXPECT_EQ(ValuesOf(*a), c.Expected) << c.Name;
  }
  const auto a = BytesOf(own);
  a->Fill(17);
  EXPECT_EQ(ValuesOf(*a), std::vector<uint8_t>(6, 17));
  a->Zero();
  EXPECT_EQ(ValuesOf(*a), std::vector<uint8_t>(6, 0));
  EXPECT_THROW(a->GetValue(6), ERangeError);
}

}  // namespace
