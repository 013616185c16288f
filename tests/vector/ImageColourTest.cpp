#include "vector/ImageColour.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

using TPixel = std::array<Ipp8u, 4>;  // three colour bytes, then alpha

int Div255(int x) { return (x + (x >> 8) + 1) >> 8; }

TPixel Compose(const TPixel& a, const TPixel& b, IppiAlphaType type) {
  TPixel result{};
  EXPECT_EQ(ippiAlphaComp_8u_AC4R(a.data(), 4, b.data(), 4, result.data(), 4, {1, 1}, type), StsNoError) << type;
  return result;
}

TEST(AlphaComposition, OverAsTheDisplaysUseIt) {
  // Every alpha pair on a coarse grid, against the rule written out.
  for (int alphaA = 0; alphaA < 256; alphaA += 15)
    for (int alphaB = 0; alphaB < 256; alphaB += 17) {
      const TPixel a = {200, 17, 255, Ipp8u(alphaA)}, b = {90, 255, 3, Ipp8u(alphaB)};
      const TPixel over = Compose(a, b, AlphaOver);
      for (int c = 0; c < 3; ++c)
        EXPECT_EQ(over[c], Div255(a[c] * alphaA) + Div255(Div255(b[c] * alphaB) * (255 - alphaA)))
            << alphaA << "/" << alphaB;
      EXPECT_EQ(over[3], alphaA + Div255(alphaB * (255 - alphaA)));
    }
  // Opaque A gives A; transparent A gives B premultiplied.
  EXPECT_EQ(Compose({10, 20, 30, 255}, {90, 90, 90, 128}, AlphaOver), (TPixel{10, 20, 30, 255}));
  EXPECT_EQ(Compose({10, 20, 30, 0}, {200, 100, 50, 128}, AlphaOver),
            (TPixel{Ipp8u(Div255(200 * 128)), Ipp8u(Div255(100 * 128)), Ipp8u(Div255(50 * 128)), 128}));
  // The second source as the destination, in place, over a region with steps.
  std::vector<Ipp8u> a = {10, 20, 30, 255, 1, 1, 1, 0, 7};
  std::vector<Ipp8u> b = {1, 2, 3, 4, 100, 100, 100, 255, 7};
  ASSERT_EQ(ippiAlphaComp_8u_AC4R(a.data(), 9, b.data(), 9, b.data(), 9, {2, 1}, AlphaOver), StsNoError);
  EXPECT_EQ(b, (std::vector<Ipp8u>{10, 20, 30, 255, 100, 100, 100, 255, 7}));
}

TEST(AlphaComposition, TheOtherTypes) {
  const TPixel a = {200, 100, 0, 128}, b = {60, 255, 30, 64};
  const int pa[] = {Div255(200 * 128), Div255(100 * 128), 0};
  const int pb[] = {Div255(60 * 64), Div255(255 * 64), Div255(30 * 64)};
  struct TCase {
    IppiAlphaType Type;
    int FactorA, FactorB;  // result = A * FactorA / 255 + B * FactorB / 255
  };
  const TCase cases[] = {
      {AlphaIn, 64, 0},      {AlphaOut, 255 - 64, 0}, {AlphaATop, 64, 255 - 128}, {AlphaXor, 255 - 64, 255 - 128},
      {AlphaPlus, 255, 255},
  };
  for (const TCase& c : cases) {
    const TPixel result = Compose(a, b, c.Type);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(result[i], Div255(pa[i] * c.FactorA) + Div255(pb[i] * c.FactorB)) << c.Type;
    EXPECT_EQ(result[3], Div255(128 * c.FactorA) + Div255(64 * c.FactorB)) << c.Type;
  }
  // The premultiplied types take the colours as they are; plus saturates.
  const TPixel premultipliedA = {100, 50, 0, 128}, premultipliedB = {15, 64, 8, 64};
  EXPECT_EQ(Compose(premultipliedA, premultipliedB, AlphaOverPremul),
            (TPixel{Ipp8u(100 + Div255(15 * 127)), Ipp8u(50 + Div255(64 * 127)), Ipp8u(Div255(8 * 127)),
                    Ipp8u(128 + Div255(64 * 127))}));
  EXPECT_EQ(Compose(premultipliedA, premultipliedB, AlphaInPremul),
            (TPixel{Ipp8u(Div255(100 * 64)), Ipp8u(Div255(50 * 64)), 0, Ipp8u(Div255(128 * 64))}));
  EXPECT_EQ(Compose({200, 10, 0, 200}, {100, 10, 0, 100}, AlphaPlusPremul), (TPixel{255, 20, 0, 255}));
  EXPECT_EQ(Compose({0, 0, 0, 0}, {1, 2, 3, 4}, AlphaOutPremul), (TPixel{0, 0, 0, 0}));
  EXPECT_EQ(Compose({9, 9, 9, 255}, {1, 2, 3, 255}, AlphaATopPremul), (TPixel{9, 9, 9, 255}));
  EXPECT_EQ(Compose({9, 9, 9, 255}, {1, 2, 3, 255}, AlphaXorPremul), (TPixel{0, 0, 0, 0}));
}

TEST(AlphaComposition, StatusesInCheckOrder) {
  TPixel a{}, result = {5, 5, 5, 5};
  EXPECT_EQ(ippiAlphaComp_8u_AC4R(a.data(), 4, nullptr, 4, result.data(), 4, {0, 1}, IppiAlphaType(12)),
            StsNullPointer);
  EXPECT_EQ(ippiAlphaComp_8u_AC4R(a.data(), 4, a.data(), 4, result.data(), 4, {0, 1}, IppiAlphaType(12)), StsSize);
  EXPECT_EQ(ippiAlphaComp_8u_AC4R(a.data(), 4, a.data(), 4, result.data(), 4, {1, 1}, IppiAlphaType(12)), StsAlphaType);
  EXPECT_EQ(ippiAlphaComp_8u_AC4R(a.data(), 4, a.data(), 4, result.data(), 4, {1, 1}, IppiAlphaType(-1)), StsAlphaType);
  EXPECT_EQ(result, (TPixel{5, 5, 5, 5}));
}

TEST(LookupTable, InterpolatesEachChannelBetweenItsLevels) {
  // Channel 0 inverts; channel 1 maps 0..100 onto 0..50 and 100..200 onto 50..250; channel 2 has
  // levels inside the range only; channel 3 saturates.
  const Ipp32s values0[] = {255, 0}, levels0[] = {0, 256};
  const Ipp32s values1[] = {0, 50, 250}, levels1[] = {0, 100, 200};
  const Ipp32s values2[] = {0, 1}, levels2[] = {10, 14};
  const Ipp32s values3[] = {-100, 400}, levels3[] = {0, 100};
  const Ipp32s* values[4] = {values0, values1, values2, values3};
  const Ipp32s* levels[4] = {levels0, levels1, levels2, levels3};
  int counts[4] = {2, 3, 2, 2};
  struct TCase {
    int Input;
    TPixel Expected;
  };
  // Rounded to nearest with ties to even: 1 / 2 = 0.5 gives 0, 3 / 2 gives 2, 13 / 2 gives 6.
  const TCase cases[] = {
      {0, {255, 0, 0, 0}},        {1, {254, 0, 1, 0}},         {3, {252, 2, 3, 0}},        {10, {245, 5, 0, 0}},
      {12, {243, 6, 0, 0}},       {13, {242, 6, 1, 0}},        {14, {241, 7, 14, 0}},      {30, {225, 15, 30, 50}},
      {100, {155, 50, 100, 100}}, {150, {106, 150, 150, 150}}, {199, {57, 248, 199, 199}}, {200, {56, 200, 200, 200}},
      {255, {1, 255, 255, 255}},
  };
  std::vector<Ipp8u> image, expected;
  for (const TCase& c : cases) {
    for (int i = 0; i < 4; ++i) image.push_back(Ipp8u(c.Input));
    expected.insert(expected.end(), c.Expected.begin(), c.Expected.end());
  }
  std::vector<Ipp8u> result(image.size());
  ASSERT_EQ(ippiLUT_Linear_8u_C4R(image.data(), int(image.size()), result.data(), int(result.size()),
                                  {int(std::size(cases)), 1}, values, levels, counts),
            StsNoError);
  for (std::size_t i = 0; i < std::size(cases); ++i)
    for (int c = 0; c < 4; ++c)
      EXPECT_EQ(int(result[4 * i + c]), int(expected[4 * i + c])) << "input " << cases[i].Input << " channel " << c;
}

TEST(LookupTable, StatusesInCheckOrderAndNothingWrittenOnError) {
  const Ipp32s values[] = {0, 255}, levels[] = {0, 256};
  const Ipp32s* allValues[4] = {values, values, values, values};
  const Ipp32s* allLevels[4] = {levels, levels, levels, levels};
  const Ipp32s* missing[4] = {levels, levels, nullptr, levels};
  int counts[4] = {2, 2, 2, 2}, tooFew[4] = {2, 2, 2, 1};
  const TPixel source = {1, 2, 3, 4};
  TPixel result = {9, 9, 9, 9};
  EXPECT_EQ(ippiLUT_Linear_8u_C4R(source.data(), 4, result.data(), 4, {1, 1}, allValues, missing, tooFew),
            StsNullPointer);
  EXPECT_EQ(ippiLUT_Linear_8u_C4R(source.data(), 4, result.data(), 4, {1, 1}, allValues, allLevels, nullptr),
            StsNullPointer);
  EXPECT_EQ(ippiLUT_Linear_8u_C4R(source.data(), 4, result.data(), 4, {1, 0}, allValues, allLevels, tooFew), StsSize);
  EXPECT_EQ(ippiLUT_Linear_8u_C4R(source.data(), 4, result.data(), 4, {1, 1}, allValues, allLevels, tooFew),
            StsLutLevels);
  EXPECT_EQ(result, (TPixel{9, 9, 9, 9}));
  ASSERT_EQ(ippiLUT_Linear_8u_C4R(source.data(), 4, result.data(), 4, {1, 1}, allValues, allLevels, counts),
            StsNoError);
  EXPECT_EQ(result, (TPixel{1, 2, 3, 4}));  // 255 v / 256 rounds back to v
}

}  // namespace
