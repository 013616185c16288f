#include "AudioTestKit.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using TOperation = void (IDnAudioBuffer::*)(IDnAudioBuffer&);

// Element-wise operations on one mono frame per case: the stored samples before and after.
struct TElementCase {
  const char* Name;
  uint32_t Bits;
  TOperation Operation;
  int32_t Own, Other, Expected;
};

TEST(AudioArithmetic, ElementWiseFollowsEachContainersRules) {
  const TElementCase cases[] = {
      // 8 bits work on byte - 127 and keep the low 8 bits.
      {"8-bit add", 8, &IDnAudioBuffer::Add, 200, 150, 223},
      {"8-bit add, wrapping", 8, &IDnAudioBuffer::Add, 250, 250, 117},
      {"8-bit subtract", 8, &IDnAudioBuffer::Sub, 100, 130, 97},
      {"8-bit multiply", 8, &IDnAudioBuffer::Mul, 130, 125, 121},
      {"8-bit divide", 8, &IDnAudioBuffer::Div, 137, 122, 125},
      {"8-bit divide by zero", 8, &IDnAudioBuffer::Div, 200, 127, 127},
      // 16 bits saturate (the image primitives).
      {"16-bit add", 16, &IDnAudioBuffer::Add, 30000, 10000, 32767},
      {"16-bit subtract", 16, &IDnAudioBuffer::Sub, -30000, 10000, -32768},
      {"16-bit multiply", 16, &IDnAudioBuffer::Mul, -300, 3, -900},
      {"16-bit divide", 16, &IDnAudioBuffer::Div, 7, 2, 4},
      {"16-bit divide by zero", 16, &IDnAudioBuffer::Div, -5, 0, 0},
      {"16-bit divide zero by zero", 16, &IDnAudioBuffer::Div, 0, 0, 0},
      // 24 bits on sign-extended values, low 24 bits kept.
      {"24-bit add", 24, &IDnAudioBuffer::Add, 0xFFFFFF, 3, 2},
      {"24-bit add, wrapping", 24, &IDnAudioBuffer::Add, 0x7FFFFF, 1, 0x800000},
      {"24-bit multiply", 24, &IDnAudioBuffer::Mul, 0xFFFFFE, 0xFFFFFD, 6},
      {"24-bit divide", 24, &IDnAudioBuffer::Div, 0xFFFFF9, 2, 0xFFFFFD},
      {"24-bit divide by zero", 24, &IDnAudioBuffer::Div, 0x123456, 0, 0},
      // 32 bits in two's complement.
      {"32-bit add", 32, &IDnAudioBuffer::Add, INT_MAX, 1, INT_MIN},
      {"32-bit subtract", 32, &IDnAudioBuffer::Sub, INT_MIN, 1, INT_MAX},
      {"32-bit multiply", 32, &IDnAudioBuffer::Mul, 65536, 65536, 0},
      {"32-bit divide", 32, &IDnAudioBuffer::Div, -7, 2, -3},
      {"32-bit divide by zero", 32, &IDnAudioBuffer::Div, INT_MIN, 0, 0},
      {"32-bit divide of the minimum by -1", 32, &IDnAudioBuffer::Div, INT_MIN, -1, INT_MIN},
  };
  for (const TElementCase& c : cases) {
    const auto own = AudioBufferOf(1, c.Bits, {c.Own});
    const auto other = AudioBufferOf(1, c.Bits, {c.Other});
    ((*own).*c.Operation)(*other);
    EXPECT_EQ(own->GetSample(0, 0), c.Expected) << c.Name;
    EXPECT_EQ(other->GetSample(0, 0), c.Other) << c.Name;
  }
}

TEST(AudioArithmetic, AMonoOtherAppliesToEveryChannelOverTheCommonFrames) {
  const auto own = AudioBufferOf(2, 16, {1, 2, 3, 4, 5, 6});
  const auto other = AudioBufferOf(1, 16, {10, 20});
  own->Add(*other);
  EXPECT_EQ(Samples(*own), (std::vector<int32_t>{11, 12, 23, 24, 5, 6}));
}

TEST(AudioArithmetic, ChannelsPairBySpeakerAndTheUnpairedStay) {
  // Own: left, right, centre. Other: right, centre, back left.
  const auto own = AudioBufferOf(3, 32, {1, 2, 3}, Stereo | 1u << spFrontCenter);
  const auto other = AudioBufferOf(3, 32, {10, 20, 30}, 1u << spFrontRight | 1u << spFrontCenter | 1u << spBackLeft);
  own->Mul(*other);
  EXPECT_EQ(Samples(*own), (std::vector<int32_t>{1, 20, 60}));
}

TEST(AudioArithmetic, WritesItsOwnCopyAndRefusesOtherContainers) {
  const auto own = AudioBufferOf(1, 16, {5});
  const auto sharer = Supports<IDnAudioBuffer>(own->Clone());
  own->Add(*own);
  EXPECT_EQ(own->GetSample(0, 0), 10);
  EXPECT_EQ(sharer->GetSample(0, 0), 5);
  EXPECT_THROW(own->Add(*AudioBufferOf(1, 24, {1})), EAudioFormatError);
}

// Constant operations on a stereo buffer of two frames, on every sample or on channel 1.
struct TConstCase {
  const char* Name;
  uint32_t Bits;
  void (IDnAudioBuffer::*All)(int32_t);
  void (IDnAudioBuffer::*Channel)(uint32_t, int32_t);
  int32_t Value;
  std::vector<int32_t> Before, After;
};

TEST(AudioArithmetic, ConstantsFollowEachContainersRules) {
  // clang-format off
  const TConstCase cases[] = {
      {"8-bit add saturates", 8, &IDnAudioBuffer::AddConst, &IDnAudioBuffer::AddConstChannel, 100,
       {100, 200, 0, 255}, {200, 255, 100, 255}},
      {"8-bit subtract", 8, &IDnAudioBuffer::SubConst, &IDnAudioBuffer::SubConstChannel, 50, {100, 20, 50, 51},
       {50, 0, 0, 1}},
      {"8-bit multiply", 8, &IDnAudioBuffer::MulConst, &IDnAudioBuffer::MulConstChannel, 2, {100, 200, 1, 0},
       {200, 255, 2, 0}},
      {"8-bit divide", 8, &IDnAudioBuffer::DivConst, &IDnAudioBuffer::DivConstChannel, 6, {3, 12, 255, 0},
       {1, 2, 43, 0}},
      {"16-bit add", 16, &IDnAudioBuffer::AddConst, &IDnAudioBuffer::AddConstChannel, 1000, {32000, -1, 0, 5},
       {32767, 999, 1000, 1005}},
      {"16-bit divide, ties to even", 16, &IDnAudioBuffer::DivConst, &IDnAudioBuffer::DivConstChannel, 2,
       {3, 5, -3, 6}, {2, 2, -2, 3}},
      {"24-bit subtract wraps", 24, &IDnAudioBuffer::SubConst, &IDnAudioBuffer::SubConstChannel, 1,
       {0x800000, 0, 5, 1}, {0x7FFFFF, 0xFFFFFF, 4, 0}},
      {"24-bit divide truncates", 24, &IDnAudioBuffer::DivConst, &IDnAudioBuffer::DivConstChannel, 2,
       {0xFFFFF9, 7, 1, 3}, {0xFFFFFD, 3, 0, 1}},
      {"32-bit multiply wraps", 32, &IDnAudioBuffer::MulConst, &IDnAudioBuffer::MulConstChannel, 65536,
       {65536, 3, -1, 1}, {0, 196608, -65536, 65536}},
      {"32-bit add wraps", 32, &IDnAudioBuffer::AddConst, &IDnAudioBuffer::AddConstChannel, 1, {INT_MAX, 0, -1, 1},
       {INT_MIN, 1, 0, 2}},
  };
  // clang-format on
  for (const TConstCase& c : cases) {
    const auto all = AudioBufferOf(2, c.Bits, c.Before);
    ((*all).*c.All)(c.Value);
    EXPECT_EQ(Samples(*all), c.After) << c.Name;
    // On channel 1 only: channel 0 keeps its samples.
    const auto one = AudioBufferOf(2, c.Bits, c.Before);
    ((*one).*c.Channel)(1, c.Value);
    EXPECT_EQ(Samples(*one), (std::vector<int32_t>{c.Before[0], c.After[1], c.Before[2], c.After[3]})) << c.Name;
  }
}

TEST(AudioArithmetic, DividingByZeroChangesNothing) {
  for (uint32_t bits : {8u, 16u, 24u, 32u}) {
    const auto buffer = AudioBufferOf(1, bits, {3, 100});
    buffer->DivConst(0);
    buffer->DivConstChannel(0, 0);
    EXPECT_EQ(Samples(*buffer), (std::vector<int32_t>{3, 100})) << bits;
  }
}

TEST(AudioFill, StoresTheLevelByContainer) {
  struct TCase {
    uint32_t Bits;
    int32_t Value, Stored;
  };
  const TCase cases[] = {{8, 0, 127},  {8, -127, 0},       {8, 200, 71},
                         {16, -5, -5}, {24, -1, 0xFFFFFF}, {32, INT_MIN, INT_MIN}};
  for (const TCase& c : cases) {
    const auto buffer = AudioBufferOf(2, c.Bits, {1, 2, 3, 4});
    buffer->FillChannel(0, c.Value);
    EXPECT_EQ(Samples(*buffer), (std::vector<int32_t>{c.Stored, 2, c.Stored, 4})) << c.Bits << " bits, " << c.Value;
    buffer->Fill(c.Value);
    EXPECT_EQ(Samples(*buffer), std::vector<int32_t>(4, c.Stored)) << c.Bits << " bits, " << c.Value;
  }
}

TEST(AudioFill, SilenceIsTheZeroLevel) {
  for (uint32_t bits : {8u, 16u, 24u, 32u}) {
    const auto buffer = AudioBufferOf(3, bits, {1, 2, 3, 4, 5, 6});
    const auto sharer = Supports<IDnAudioBuffer>(buffer->Clone());
    buffer->Silence();
    EXPECT_EQ(Samples(*buffer), std::vector<int32_t>(6, bits == 8 ? 127 : 0)) << bits;
    EXPECT_EQ(Samples(*sharer), (std::vector<int32_t>{1, 2, 3, 4, 5, 6})) << bits;
  }
}

TEST(AudioScale, RoundsToNearestAndKeepsTheLowBits) {
  struct TCase {
    uint32_t Bits;
    double Factor;
    int32_t Stored, Scaled;
  };
  const TCase cases[] = {
      {16, 0.5, 3, 2},
      {16, 0.5, 5, 2},
      {16, 0.5, -3, -2},
      {16, 2, 20000, -25536},
      {8, 2, 200, 144},  // the raw byte
      {24, 3, 0xFFFFFE, 0xFFFFFA},
      {32, -1, INT_MIN, INT_MIN},
      {32, 1e30, 7, 0},
      // Large values keep the low bits of the exact nearest integer, on either side of 2^62.
      {32, 1099511627777.0, 3, 3},
      {32, 4294967297.0, -1, -1},
      {32, -1.5, 5, -8},
      {32, 0x1p61, -3, 0},
      {32, 0x1p62 + 0x1p40, 1, 0},
      {16, 0x1p61 + 0x1p12, 1, 4096},
  };
  for (const TCase& c : cases) {
    const auto buffer = AudioBufferOf(1, c.Bits, {c.Stored});
    buffer->Scale(c.Factor);
    EXPECT_EQ(buffer->GetSample(0, 0), c.Scaled) << c.Bits << " bits, " << c.Stored << " x " << c.Factor;
  }
  // Nothing happens for 1: a shared block stays shared.
  const auto buffer = AudioBufferOf(1, 16, {9});
  const TRef<IKvDataBuffer> sharer = buffer->Clone();
  buffer->Scale(1);
  EXPECT_EQ(&sharer->GetInstance().Block(), &buffer->GetInstance().Block());
}

}  // namespace
