#include "vector/ImageOperations.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

// Interleaved stereo 16-bit frames; the primitives work on one channel: width 1, step 4 bytes.
constexpr int StereoStep = 4;

TEST(ImageArithmetic16s, WorksOnOneChannelOfInterleavedFrames) {
  struct TCase {
    const char* Name;
    IppStatus (*Primitive)(const Ipp16s*, int, Ipp16s*, int, IppiSize, int);
    int ScaleFactor;
    std::vector<Ipp16s> Expected;  // the left channel after the operation
  };
  const std::vector<Ipp16s> other = {3, 30000, -2, 2};
  const std::vector<Ipp16s> frames = {7, 111, 10000, 222, 5, 333, -5, 444};  // left, right, ...
  const TCase cases[] = {
      {"add", ippiAdd_16s_C1IRSfs, 0, {10, 32767, 3, -3}},
      {"add, halved", ippiAdd_16s_C1IRSfs, 1, {5, 20000, 2, -2}},
      {"subtract", ippiSub_16s_C1IRSfs, 0, {4, -20000, 7, -7}},
      {"multiply", ippiMul_16s_C1IRSfs, 0, {21, 32767, -10, -10}},
      {"divide", ippiDiv_16s_C1IRSfs, 0, {2, 0, -2, -2}},
  };
  for (const TCase& c : cases) {
    std::vector<Ipp16s> x = frames;
    ASSERT_EQ(c.Primitive(other.data(), 2, x.data(), StereoStep, {1, 4}, c.ScaleFactor), StsNoError) << c.Name;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(x[2 * i], c.Expected[i]) << c.Name << " frame " << i;
      EXPECT_EQ(x[2 * i + 1], frames[2 * i + 1]) << c.Name << ": the right channel must stay";
    }
  }
}

TEST(ImageArithmetic16s, DivisionByZeroSaturatesByTheDividendsSignAndGoesOn) {
  const std::vector<Ipp16s> divisors = {0, 0, 0, 2};
  std::vector<Ipp16s> x = {-5, 5, 0, 9};
  EXPECT_EQ(ippiDiv_16s_C1IRSfs(divisors.data(), 8, x.data(), 8, {4, 1}, 0), StsDivByZero);
  EXPECT_EQ(x, (std::vector<Ipp16s>{-32768, 32767, 0, 4}));
}

TEST(ImageArithmetic16s, DivisionChecksItsSteps) {
  std::vector<Ipp16s> a = {1, 1}, b = {4, 4};
  EXPECT_EQ(ippiDiv_16s_C1IRSfs(a.data(), 0, b.data(), 4, {2, 1}, 0), StsStep);
  EXPECT_EQ(ippiDiv_16s_C1IRSfs(a.data(), 4, b.data(), -4, {2, 1}, 0), StsStep);
  EXPECT_EQ(b, (std::vector<Ipp16s>{4, 4}));
  // The other operations take any step: 0 applies the first source row to every row.
  std::vector<Ipp16s> rows = {1, 2, 3, 4};
  ASSERT_EQ(ippiAdd_16s_C1IRSfs(a.data(), 0, rows.data(), 4, {2, 2}, 0), StsNoError);
  EXPECT_EQ(rows, (std::vector<Ipp16s>{2, 3, 4, 5}));
}

TEST(ImageConstants, ApplyToTheRegionOnly) {
  struct TCase {
    const char* Name;
    IppStatus (*Primitive)(Ipp8u, Ipp8u*, int, IppiSize, int);
    Ipp8u Value;
    int ScaleFactor;
    std::vector<Ipp8u> Expected;
  };
  const std::vector<Ipp8u> bytes = {100, 1, 250, 1, 3, 1, 10, 1};  // every other byte is outside
  const TCase cases[] = {
      {"add", ippiAddC_8u_C1IRSfs, 10, 0, {110, 255, 13, 20}},
      {"subtract", ippiSubC_8u_C1IRSfs, 5, 0, {95, 245, 0, 5}},
      {"multiply, halved", ippiMulC_8u_C1IRSfs, 3, 1, {150, 255, 4, 15}},
      {"divide", ippiDivC_8u_C1IRSfs, 6, 0, {17, 42, 1, 2}},
  };
  for (const TCase& c : cases) {
    std::vector<Ipp8u> x = bytes;
    ASSERT_EQ(c.Primitive(c.Value, x.data(), 2, {1, 4}, c.ScaleFactor), StsNoError) << c.Name;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(x[2 * i], c.Expected[i]) << c.Name << " row " << i;
      EXPECT_EQ(x[2 * i + 1], 1) << c.Name;
    }
  }
}

TEST(ImageConstants, SixteenBitsSaturateAndDivideWithTiesToEven) {
  std::vector<Ipp16s> x = {32000, -32000};
  ASSERT_EQ(ippiAddC_16s_C1IRSfs(1000, x.data(), 4, {2, 1}, 0), StsNoError);
  EXPECT_EQ(x, (std::vector<Ipp16s>{32767, -31000}));
  ASSERT_EQ(ippiSubC_16s_C1IRSfs(2000, x.data(), 4, {2, 1}, 0), StsNoError);
  EXPECT_EQ(x, (std::vector<Ipp16s>{30767, -32768}));
  ASSERT_EQ(ippiMulC_16s_C1IRSfs(-1, x.data(), 4, {2, 1}, 0), StsNoError);
  EXPECT_EQ(x, (std::vector<Ipp16s>{-30767, 32767}));
  std::vector<Ipp16s> y = {3, 9, -3};
  ASSERT_EQ(ippiDivC_16s_C1IRSfs(6, y.data(), 6, {3, 1}, 0), StsNoError);
  EXPECT_EQ(y, (std::vector<Ipp16s>{0, 2, 0}));
}

TEST(ImageConstants, DivideByTheReciprocalTable) {
  struct TCase {
    Ipp8u X, Value;
    int ScaleFactor;
    Ipp8u Expected;
  };
  const TCase cases[] = {
      {3, 6, 0, 1},      // 3 * 0.166667 is just above a tie
      {1, 2, 0, 0},      // 0.5 exactly: a tie, to even
      {3, 2, 0, 2},      // 1.5: to even
      {5, 2, 0, 2},      // 2.5: to even
      {1, 128, -7, 1},   // 0.007813 * 128 = 1.000064
      {255, 255, 0, 1},  // 255 * 0.003922 = 1.00011
      {255, 1, -1, 255}, {200, 1, 64, 0}, {0, 1, -200, 0}, {1, 1, -200, 255},
  };
  for (const TCase& c : cases) {
    Ipp8u x = c.X;
    ASSERT_EQ(ippiDivC_8u_C1IRSfs(c.Value, &x, 1, {1, 1}, c.ScaleFactor), StsNoError);
    EXPECT_EQ(x, c.Expected) << int(c.X) << " / " << int(c.Value) << " scale factor " << c.ScaleFactor;
  }
}

TEST(ImageConstants, DivisionChecksStepBeforeTheValue) {
  Ipp8u bytes[2] = {9, 9};
  Ipp16s words[2] = {9, 9};
  EXPECT_EQ(ippiDivC_8u_C1IRSfs(0, bytes, 0, {2, 1}, 0), StsStep);
  EXPECT_EQ(ippiDivC_8u_C1IRSfs(0, bytes, 2, {2, 1}, 0), StsDivByZeroErr);
  EXPECT_EQ(ippiDivC_16s_C1IRSfs(0, words, 0, {2, 1}, 0), StsStep);
  EXPECT_EQ(ippiDivC_16s_C1IRSfs(0, words, 4, {2, 1}, 0), StsDivByZeroErr);
  EXPECT_EQ(ippiDivC_16s_C1IRSfs(0, words, 4, {0, 1}, 0), StsSize);
  EXPECT_EQ(ippiDivC_8u_C1IRSfs(1, nullptr, 0, {0, 1}, 0), StsNullPointer);
  EXPECT_EQ(bytes[0], 9);
  EXPECT_EQ(words[0], 9);
}

TEST(ImageFills, SetTheRegionAndCheckTheStep) {
  std::vector<Ipp16s> words(6, 1);
  ASSERT_EQ(ippiSet_16s_C1R(-4, words.data(), 6, {2, 2}), StsNoError);  // rows of 3, region 2 wide
  EXPECT_EQ(words, (std::vector<Ipp16s>{-4, -4, 1, -4, -4, 1}));
  EXPECT_EQ(ippiSet_16s_C1R(-4, words.data(), 0, {2, 2}), StsStep);
  std::vector<Ipp32s> longs(4, 1);
  ASSERT_EQ(ippiSet_32s_C1R(-70000, longs.data(), 8, {1, 2}), StsNoError);
  EXPECT_EQ(longs, (std::vector<Ipp32s>{-70000, 1, -70000, 1}));
  EXPECT_EQ(ippiSet_32s_C1R(0, longs.data(), -8, {1, 2}), StsStep);
  std::vector<Ipp8u> bytes(5, 1);
  ASSERT_EQ(ippiSet_8u_C1R(0, bytes.data() + 1, 3, {1, 2}), StsNoError);
  EXPECT_EQ(bytes, (std::vector<Ipp8u>{1, 0, 1, 1, 0}));
  EXPECT_EQ(ippiSet_8u_C1R(0, nullptr, 0, {0, 0}), StsNullPointer);
  EXPECT_EQ(ippiSet_8u_C1R(0, bytes.data(), 0, {0, 1}), StsSize);
}

TEST(ImageCopy, UsesTheStepsAsGiven) {
  // Three-byte samples of a mono 24-bit channel into the second channel of stereo 24-bit frames.
  const std::vector<Ipp8u> mono = {1, 2, 3, 4, 5, 6};
  std::vector<Ipp8u> stereo(12, 0);
  ASSERT_EQ(ippiCopy_8u_C1R(mono.data(), 3, stereo.data() + 3, 6, {3, 2}), StsNoError);
  EXPECT_EQ(stereo, (std::vector<Ipp8u>{0, 0, 0, 1, 2, 3, 0, 0, 0, 4, 5, 6}));
  // A source step of 0 copies the first source row into every destination row.
  std::vector<Ipp8u> rows(6, 0);
  ASSERT_EQ(ippiCopy_8u_C1R(mono.data(), 0, rows.data(), 3, {3, 2}), StsNoError);
  EXPECT_EQ(rows, (std::vector<Ipp8u>{1, 2, 3, 1, 2, 3}));
  EXPECT_EQ(ippiCopy_8u_C1R(mono.data(), 3, nullptr, 3, {3, 2}), StsNullPointer);
  EXPECT_EQ(ippiCopy_8u_C1R(mono.data(), 3, rows.data(), 3, {3, 0}), StsSize);
}

TEST(ImageArithmetic8u, SaturatesClampsAndDividesWithTheRule) {
  struct TCase {
    const char* Name;
    IppStatus (*Primitive)(const Ipp8u*, int, Ipp8u*, int, IppiSize, int);
    int ScaleFactor;
    std::vector<Ipp8u> Expected;
    IppStatus Status = StsNoError;
  };
  // Two rows of two, in rows of three bytes (the third byte is outside the region).
  const std::vector<Ipp8u> other = {100, 20, 9, 0, 3, 9};
  const std::vector<Ipp8u> image = {200, 10, 7, 0, 7, 7};
  const TCase cases[] = {
      {"add", ippiAdd_8u_C1IRSfs, 0, {255, 30, 7, 0, 10, 7}},
      {"add, halved", ippiAdd_8u_C1IRSfs, 1, {150, 15, 7, 0, 5, 7}},
      {"subtract", ippiSub_8u_C1IRSfs, 0, {100, 0, 7, 0, 4, 7}},
      {"multiply", ippiMul_8u_C1IRSfs, 0, {255, 200, 7, 0, 21, 7}},
      {"divide", ippiDiv_8u_C1IRSfs, 0, {2, 0, 7, 0, 2, 7}, StsDivByZero},
  };
  for (const TCase& c : cases) {
    std::vector<Ipp8u> x = image;
    EXPECT_EQ(c.Primitive(other.data(), 3, x.data(), 3, {2, 2}, c.ScaleFactor), c.Status) << c.Name;
    EXPECT_EQ(x, c.Expected) << c.Name;
  }
  std::vector<Ipp8u> dividends = {5, 0, 255};
  const std::vector<Ipp8u> zeros = {0, 0, 2};
  EXPECT_EQ(ippiDiv_8u_C1IRSfs(zeros.data(), 3, dividends.data(), 3, {3, 1}, 0), StsDivByZero);
  EXPECT_EQ(dividends, (std::vector<Ipp8u>{255, 0, 128}));  // 127.5 to even
  EXPECT_EQ(ippiDiv_8u_C1IRSfs(zeros.data(), -3, dividends.data(), 3, {3, 1}, 0), StsStep);
}

TEST(ImageCopy, ThirtyTwoBitAndFourChannelRows) {
  const std::vector<Ipp32s> longs = {1, 2, 3, 4, 5, 6};
  std::vector<Ipp32s> copy(6, 0);
  ASSERT_EQ(ippiCopy_32s_C1R(longs.data(), 12, copy.data(), 8, {2, 2}), StsNoError);
  EXPECT_EQ(copy, (std::vector<Ipp32s>{1, 2, 4, 5, 0, 0}));
  ASSERT_EQ(ippiCopy_32s_C1R(longs.data(), 0, copy.data(), 12, {3, 2}), StsNoError);
  EXPECT_EQ(copy, (std::vector<Ipp32s>{1, 2, 3, 1, 2, 3}));
  const std::vector<Ipp8u> pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  std::vector<Ipp8u> target(12, 0);
  ASSERT_EQ(ippiCopy_8u_C4R(pixels.data(), 8, target.data(), 4, {1, 2}), StsNoError);
  EXPECT_EQ(target, (std::vector<Ipp8u>{1, 2, 3, 4, 9, 10, 11, 12, 0, 0, 0, 0}));
  ASSERT_EQ(ippiCopy_8u_C4R(pixels.data(), 4, target.data(), 8, {1, 2}), StsNoError);
  EXPECT_EQ(target, (std::vector<Ipp8u>{1, 2, 3, 4, 9, 10, 11, 12, 5, 6, 7, 8}));
  EXPECT_EQ(ippiCopy_8u_C4R(nullptr, 4, target.data(), 4, {1, 1}), StsNullPointer);
  EXPECT_EQ(ippiCopy_32s_C1R(longs.data(), 4, copy.data(), 4, {1, 0}), StsSize);
}

TEST(ImageFills, FourBytesPerPixel) {
  const Ipp8u colour[4] = {10, 20, 30, 255};
  std::vector<Ipp8u> image(20, 0);
  ASSERT_EQ(ippiSet_8u_C4R(colour, image.data() + 1, 10, {2, 2}), StsNoError);
  EXPECT_EQ(image,
            (std::vector<Ipp8u>{0, 10, 20, 30, 255, 10, 20, 30, 255, 0, 0, 10, 20, 30, 255, 10, 20, 30, 255, 0}));
  EXPECT_EQ(ippiSet_8u_C4R(nullptr, image.data(), 0, {0, 0}), StsNullPointer);
  EXPECT_EQ(ippiSet_8u_C4R(colour, image.data(), 8, {0, 2}), StsSize);
  EXPECT_EQ(ippiSet_8u_C4R(colour, image.data(), 0, {1, 1}), StsStep);
}

TEST(ImageMirror, AboutEitherAxisOrBoth) {
  // Two rows of three pixels of three bytes, rows ten bytes apart (one byte outside).
  std::vector<Ipp8u> image(20);
  for (int y = 0; y < 2; ++y)
    for (int i = 0; i < 10; ++i) image[y * 10 + i] = Ipp8u(i < 9 ? 10 * y + i / 3 : 99);
  const auto pixel = [](const std::vector<Ipp8u>& x, int row, int column) {
    return std::vector<Ipp8u>(x.begin() + row * 10 + column * 3, x.begin() + row * 10 + column * 3 + 3);
  };
  struct TCase {
    IppiAxis Axis;
    int FromRow, FromColumn;  // where pixel (0, 0) now comes from, by the axis
  };
  for (const TCase& c : {TCase{AxsHorizontal, 1, 0}, {AxsVertical, 0, 2}, {AxsBoth, 1, 2}}) {
    std::vector<Ipp8u> x = image;
    ASSERT_EQ(ippiMirror_8u_C3IR(x.data(), 10, {3, 2}, c.Axis), StsNoError);
    for (int row = 0; row < 2; ++row)
      for (int column = 0; column < 3; ++column) {
        const int fromRow = c.FromRow ? 1 - row : row, fromColumn = c.FromColumn ? 2 - column : column;
        EXPECT_EQ(pixel(x, row, column), pixel(image, fromRow, fromColumn)) << c.Axis << " " << row << column;
      }
    EXPECT_EQ(x[9], 99);
    EXPECT_EQ(x[19], 99);
  }
  std::vector<Ipp8u> x = image;
  EXPECT_EQ(ippiMirror_8u_C3IR(x.data(), 10, {3, 2}, static_cast<IppiAxis>(3)), StsMirrorFlip);
  EXPECT_EQ(ippiMirror_8u_C3IR(x.data(), 0, {3, 2}, static_cast<IppiAxis>(3)), StsStep);
  EXPECT_EQ(ippiMirror_8u_C3IR(x.data(), 0, {0, 2}, AxsBoth), StsSize);
  EXPECT_EQ(ippiMirror_8u_C3IR(nullptr, 10, {3, 2}, AxsBoth), StsNullPointer);
  EXPECT_EQ(x, image);
}

}  // namespace
