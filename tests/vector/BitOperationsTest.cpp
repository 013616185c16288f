#include "vector/BitOperations.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

TEST(BitOperations, WithAnotherVectorAndWithAConstant) {
  const std::vector<Ipp32u> source = {0xF0F0F0F0, 0x0000FFFF};
  const std::vector<Ipp32u> values = {0xFF00FF00, 0x12345678};
  struct TCase {
    const char* Name;
    IppStatus (*Primitive)(const Ipp32u*, Ipp32u*, int);
    std::vector<Ipp32u> Expected;
  };
  const TCase vectors[] = {
      {"And", ippsAnd_32u_I, {0xF000F000, 0x00005678}},
      {"Or", ippsOr_32u_I, {0xFFF0FFF0, 0x1234FFFF}},
      {"Xor", ippsXor_32u_I, {0x0FF00FF0, 0x1234A987}},
  };
  for (const TCase& c : vectors) {
    std::vector<Ipp32u> x = values;
    ASSERT_EQ(c.Primitive(source.data(), x.data(), 2), StsNoError) << c.Name;
    EXPECT_EQ(x, c.Expected) << c.Name;
  }
  struct TConstCase {
    const char* Name;
    IppStatus (*InPlace)(Ipp32u, Ipp32u*, int);
    IppStatus (*Copying)(const Ipp32u*, Ipp32u, Ipp32u*, int);
    Ipp32u Value;
    std::vector<Ipp32u> Expected;
  };
  const TConstCase constants[] = {
      {"AndC", ippsAndC_32u_I, ippsAndC_32u, 0x0F0F0F0F, {0x0F000F00, 0x02040608}},
      {"AndC 0 zero-fills", ippsAndC_32u_I, ippsAndC_32u, 0, {0, 0}},
      {"OrC", ippsOrC_32u_I, ippsOrC_32u, 1, {0xFF00FF01, 0x12345679}},
      {"OrC 0", ippsOrC_32u_I, ippsOrC_32u, 0, values},
      {"XorC", ippsXorC_32u_I, ippsXorC_32u, 0xFFFFFFFF, {0x00FF00FF, 0xEDCBA987}},
      {"XorC 0", ippsXorC_32u_I, ippsXorC_32u, 0, values},
  };
  for (const TConstCase& c : constants) {
    std::vector<Ipp32u> x = values, y(2);
    ASSERT_EQ(c.InPlace(c.Value, x.data(), 2), StsNoError) << c.Name;
    ASSERT_EQ(c.Copying(values.data(), c.Value, y.data(), 2), StsNoError) << c.Name;
    EXPECT_EQ(x, c.Expected) << c.Name;
    EXPECT_EQ(y, c.Expected) << c.Name;
  }
}

TEST(BitOperations, Shifts) {
  const std::vector<Ipp32s> values = {5, -5, INT_MIN, INT_MAX};
  struct TCase {
    const char* Name;
    IppStatus (*InPlace)(int, Ipp32s*, int);
    IppStatus (*Copying)(const Ipp32s*, int, Ipp32s*, int);
    int Shift;
    std::vector<Ipp32s> Expected;
  };
  const TCase cases[] = {
      {"left 0", ippsLShiftC_32s_I, ippsLShiftC_32s, 0, values},
      {"left 1, bits lost", ippsLShiftC_32s_I, ippsLShiftC_32s, 1, {10, -10, 0, -2}},
      {"left 31", ippsLShiftC_32s_I, ippsLShiftC_32s, 31, {INT_MIN, INT_MIN, 0, INT_MIN}},
      {"left 33 zero-fills", ippsLShiftC_32s_I, ippsLShiftC_32s, 33, {0, 0, 0, 0}},
      {"right 0", ippsRShiftC_32s_I, ippsRShiftC_32s, 0, values},
      {"right 1, arithmetic", ippsRShiftC_32s_I, ippsRShiftC_32s, 1, {2, -3, INT_MIN / 2, INT_MAX / 2}},
      {"right 31", ippsRShiftC_32s_I, ippsRShiftC_32s, 31, {0, -1, -1, 0}},
      {"right 40 keeps the sign", ippsRShiftC_32s_I, ippsRShiftC_32s, 40, {0, -1, -1, 0}},
  };
  for (const TCase& c : cases) {
    std::vector<Ipp32s> x = values, y(4);
    ASSERT_EQ(c.InPlace(c.Shift, x.data(), 4), StsNoError) << c.Name;
    ASSERT_EQ(c.Copying(values.data(), c.Shift, y.data(), 4), StsNoError) << c.Name;
    EXPECT_EQ(x, c.Expected) << c.Name;
    EXPECT_EQ(y, c.Expected) << c.Name;
  }
}

TEST(BitOperations, StatusesInCheckOrderAndNothingWrittenOnError) {
  std::vector<Ipp32u> u(2, 55);
  std::vector<Ipp32s> s(2, 55);
  struct TCase {
    const char* What;
    IppStatus Status, Expected;
  };
  const TCase cases[] = {
      {"And_I, null", ippsAnd_32u_I(nullptr, u.data(), 2), StsNullPointer},
      {"Or_I, length", ippsOr_32u_I(u.data(), u.data(), 0), StsSize},
      {"AndC_I 0, null", ippsAndC_32u_I(0, nullptr, 2), StsNullPointer},
      {"XorC, length", ippsXorC_32u(u.data(), 1, u.data(), -1), StsSize},
      {"LShiftC_I 40, null first", ippsLShiftC_32s_I(40, nullptr, 2), StsNullPointer},
      {"LShiftC_I 40, length before the shift", ippsLShiftC_32s_I(40, s.data(), 0), StsSize},
      {"LShiftC_I -1", ippsLShiftC_32s_I(-1, s.data(), 2), StsShift},
      {"RShiftC -1, length first", ippsRShiftC_32s(s.data(), -1, s.data(), 0), StsSize},
      {"RShiftC_I -1", ippsRShiftC_32s_I(-1, s.data(), 2), StsShift},
      {"LShiftC -3", ippsLShiftC_32s(s.data(), -3, s.data(), 2), StsShift},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Status, c.Expected) << c.What;
  EXPECT_EQ(u, std::vector<Ipp32u>(2, 55));
  EXPECT_EQ(s, std::vector<Ipp32s>(2, 55));
}

}  // namespace
