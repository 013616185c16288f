#include "AudioTestKit.h"

#include "buffers/DnSimpleAudioBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const TKvSmartBuffer* BlockOf(IKvDataBuffer& buffer) { return &buffer.GetInstance().Block(); }

TEST(AudioBuffer, AMono16BitBufferOf1024FramesIs2088BytesInA4096ByteBlock) {
  const auto buffer = MakeRef<TDnAudioBuffer>(44100, 0, 1024, 1, 16);
  EXPECT_EQ(buffer->GetSize(), 2048u);
  EXPECT_EQ(buffer->GetHeaderSize(), 40u);
  EXPECT_EQ(buffer->GetCount(), 1024u);
  EXPECT_EQ(BlockOf(*buffer)->Capacity(), 4096u);
  // The samples follow the header in the block.
  EXPECT_EQ(buffer->ReadData(), BlockOf(*buffer)->Data() + 40);
}

TEST(AudioBuffer, TheHeaderTravelsInTheBlock) {
  struct TCase {
    uint32_t Channels, Bits;
    TDnSpeakers Mask;
    uint32_t ExpectedChannels, Container, BlockAlign;
    TDnSpeakers ExpectedMask;
  };
  const TCase cases[] = {
      {2, 16, 0, 2, 16, 4, Stereo},      {1, 12, 1u << spFrontCenter, 1, 16, 2, 1u << spFrontCenter},
      {3, 20, 0, 3, 24, 9, 7},           {1, 0, 0, 1, 8, 1, 1},
      {2, 40, Stereo, 2, 32, 8, Stereo}, {40, 8, 0, 32, 8, 32, 0xFFFFFFFF},
  };
  for (const TCase& c : cases) {
    const auto buffer = MakeRef<TDnAudioBuffer>(11025, c.Mask, 3, c.Channels, c.Bits);
    TDnWaveFormat format;
    buffer->GetFormat(format);
    // What a receiver reads from the block itself.
    TDnWaveFormat stored;
    std::memcpy(&stored, BlockOf(*buffer)->Data(), sizeof stored);
    const std::string name = std::to_string(c.Channels) + " x " + std::to_string(c.Bits);
    EXPECT_EQ(std::memcmp(&format, &stored, sizeof stored), 0) << name;
    EXPECT_EQ(format.FormatTag, 0xFFFE) << name;
    EXPECT_EQ(format.ExtraSize, 22) << name;
    EXPECT_EQ(format.SubFormat, TDnWaveFormat::PcmSubFormat) << name;
    EXPECT_EQ(buffer->GetChannels(), c.ExpectedChannels) << name;
    EXPECT_EQ(buffer->GetContainerBits(), c.Container) << name;
    EXPECT_EQ(buffer->GetBlockAlign(), c.BlockAlign) << name;
    EXPECT_EQ(buffer->GetChannelMask(), c.ExpectedMask) << name;
    EXPECT_EQ(buffer->GetSampleRate(), 11025u) << name;
    EXPECT_EQ(format.AvgBytesPerSec, c.BlockAlign * 11025) << name;
    EXPECT_EQ(buffer->GetCount(), 3u) << name;
  }
  EXPECT_EQ(MakeRef<TDnAudioBuffer>(8000, 0, 1, 1, 12)->GetBits(), 12u);
}

TEST(AudioBuffer, SamplesAreStoredAndReadByContainer) {
  struct TCase {
    uint32_t Bits;
    int32_t Stored, Read;
  };
  const TCase cases[] = {
      {8, 254, 254},
      {8, 300, 44},
      {16, -2, -2},
      {16, 40000, -25536},
      {24, -1, 0xFFFFFF},
      {24, 0x7FFFFF, 0x7FFFFF},
      {24, 0x1234567, 0x234567},
      {32, INT32_MIN, INT32_MIN},
  };
  for (const TCase& c : cases) {
    const auto buffer = AudioBuffer(2, 2, c.Bits);
    buffer->Silence();
    buffer->SetSample(1, 1, c.Stored);
    EXPECT_EQ(buffer->GetSample(1, 1), c.Read) << c.Bits << " bits, stored " << c.Stored;
    EXPECT_EQ(buffer->GetSample(1, 0), c.Bits == 8 ? 127 : 0) << c.Bits << " bits: the neighbour stays";
  }
}

TEST(AudioBuffer, RangeErrorsNameTheChannelFirstAndTouchNothing) {
  const auto buffer = AudioBuffer(1024, 1, 16);
  const auto sharer = buffer->Clone();
  struct TCase {
    uint32_t Frame, Channel;
    const char* Message;
  };
  const TCase cases[] = {{0, 1, "Channel out of range = 1"},
                         {5000, 1, "Channel out of range = 1"},
                         {1024, 0, "Index out of range = 1024"}};
  for (const TCase& c : cases) {
    for (bool writing : {false, true}) {
      try {
        if (writing) buffer->SetSample(c.Frame, c.Channel, 1);
        else buffer->GetSample(c.Frame, c.Channel);
        ADD_FAILURE() << "no error: " << c.Message;
      } catch (const ERangeError& error) {
        EXPECT_STREQ(error.what(), c.Message);
      }
    }
  }
  EXPECT_EQ(BlockOf(*sharer), BlockOf(*buffer));  // SetSample never got as far as making a copy
  TRef<IKvRealBuffer> real;
  EXPECT_THROW(buffer->ChannelToReal(1, real), ERangeError);
  EXPECT_THROW(buffer->FillChannel(3, 0), ERangeError);
  EXPECT_THROW(buffer->AddConstChannel(1, 1), ERangeError);
}

TEST(AudioBuffer, CopyOnWriteKeepsTheHeaderInTheCopy) {
  const auto original = AudioBufferOf(2, 16, {1, 2, 3, 4}, Stereo);
  const auto clone = Supports<IDnAudioBuffer>(original->Clone());
  ASSERT_TRUE(clone);
  EXPECT_EQ(BlockOf(*clone), BlockOf(*original));
  clone->SetSample(0, 0, -1);
  EXPECT_NE(BlockOf(*clone), BlockOf(*original));
  EXPECT_EQ(Samples(*clone), (std::vector<int32_t>{-1, 2, 3, 4}));
  EXPECT_EQ(Samples(*original), (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(clone->GetChannelMask(), Stereo);
  // Overwriting access on a shared block: a new block, with its header all the same.
  const auto writer = Supports<IDnAudioBuffer>(original->Clone());
  writer->WriteData();
  EXPECT_NE(BlockOf(*writer), BlockOf(*original));
  EXPECT_EQ(writer->GetCount(), 2u);
  EXPECT_EQ(writer->GetBlockAlign(), 4u);
}

TEST(AudioBuffer, SetCountKeepsTheHeaderAndZeroFramesChangeNothing) {
  const auto buffer = AudioBufferOf(1, 16, {1, 2, 3, 4, 5, 6});
  const TKvSmartBuffer* block = BlockOf(*buffer);
  buffer->SetCount(0, true);
  EXPECT_EQ(buffer->GetCount(), 6u);
  buffer->SetCount(2, true);
  EXPECT_EQ(buffer->GetCount(), 2u);
  buffer->SetCount(6, true);  // exclusive and the block holds it
  EXPECT_EQ(BlockOf(*buffer), block);
  EXPECT_EQ(Samples(*buffer), (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
  const auto sharer = buffer->Clone();
  buffer->SetCount(2000, true);  // beyond the block: a new one with header and samples
  EXPECT_NE(BlockOf(*buffer), block);
  EXPECT_EQ(buffer->GetCount(), 2000u);
  EXPECT_EQ(buffer->GetChannels(), 1u);
  EXPECT_EQ(BlockOf(*buffer)->Capacity(), 4096u);
  EXPECT_EQ(buffer->GetSample(5, 0), 6);
  EXPECT_EQ(sharer->GetCount(), 6u);
  EXPECT_THROW(buffer->SetCount(1u << 30, true), EBufferSizeError);
  EXPECT_EQ(buffer->GetCount(), 2000u);
}

TEST(AudioBuffer, SharesAndAssignsWithOtherBuffers) {
  const auto audio = AudioBufferOf(1, 16, {7, 8});
  const auto shared = MakeRef<TDnAudioBuffer>(static_cast<IKvDataBuffer&>(*audio));
  EXPECT_EQ(Samples(*shared), (std::vector<int32_t>{7, 8}));
  // A byte buffer on the same block sees the header and the samples.
  const auto bytes = MakeRef<TKvBlockBuffer>(static_cast<IKvDataBuffer&>(*audio));
  EXPECT_EQ(bytes->GetCount(), 44u);
  EXPECT_EQ(bytes->GetValue(40), 7);
  // An audio buffer assigned a block without a header has no frames, and nothing to read past.
  shared->Assign(*MakeRef<TKvRealBuffer>(2));
  EXPECT_EQ(shared->GetCount(), 0u);
  EXPECT_THROW(shared->GetSample(0, 0), ERangeError);
  shared->Assign(*audio);
  EXPECT_EQ(Samples(*shared), (std::vector<int32_t>{7, 8}));
  EXPECT_TRUE(Supports<IHrMediaBuffer>(shared));
  EXPECT_EQ(&shared->GetTimeStamp().Buffer(), static_cast<IKvDataBuffer*>(shared.Get()));
}

TEST(AudioCopy, MapsChannelsBySpeakerAndClearsTheDestinationsOwn) {
  const auto stereo = AudioBufferOf(2, 16, {10, 20, 11, 21, 12, 22}, Stereo);
  struct TCase {
    const char* Name;
    TDnSpeakers Mask;
    std::vector<int32_t> Expected;
  };
  const TCase cases[] = {
      {"front centre", 1u << spFrontCenter, {-7, 0, 0, -7}},
      {"front left", 1u << spFrontLeft, {-7, 10, 11, -7}},
      {"front right", 1u << spFrontRight, {-7, 20, 21, -7}},
  };
  for (const TCase& c : cases) {
    const auto mono = AudioBufferOf(1, 16, {-7, -7, -7, -7}, c.Mask);
    stereo->CopyTo(0, *mono, 2, 1);
    EXPECT_EQ(Samples(*mono), c.Expected) << c.Name;
  }
  // Into a buffer whose mask holds both and more: left and right in their places, centre cleared.
  const auto surround = AudioBufferOf(3, 16, {5, 5, 5}, Stereo | 1u << spFrontCenter);
  stereo->CopyTo(2, *surround, 1, 0);
  EXPECT_EQ(Samples(*surround), (std::vector<int32_t>{12, 22, 0}));
}

TEST(AudioCopy, ConvertsDepthWithTheFullScalesOfEachContainer) {
  struct TCase {
    uint32_t From, To;
    int32_t Sample, Expected;
  };
  // clang-format off
  const TCase cases[] = {
      {8, 24, 254, 8388607},          // 127 * 8388607 / 127
      {8, 24, 0, 0x800001},           // -127 * 8388607 / 127, in 24 bits
      {8, 16, 128, 128},              // the scale primitive: 128 * 257 - 32768
      {8, 32, 255, INT32_MAX},
      {16, 8, 32767, 255},            // the scale primitive's shift formula
      {16, 8, -32768, 0},
      {16, 24, 32767, 8388607},
      {16, 24, -16384, 0xBFFF81},     // -16384 * 8388607 / 32767 = -4194431.99..., truncated
      {24, 8, 8388607, 254},          // 8388607 * 127 / 8388607 + 127
      {24, 16, 0xFFFFFF, 0},          // -1 * 32767 / 8388607 truncates to 0
      {32, 8, INT32_MIN, 0},
      {32, 16, INT32_MAX, 32767},
      {24, 24, 0x123456, 0x123456},
      {8, 8, 3, 3},
  };
  // clang-format on
  for (const TCase& c : cases) {
    const auto source = AudioBufferOf(1, c.From, {c.Sample, c.Sample});
    const auto destination = AudioBuffer(2, 1, c.To);
    destination->Silence();
    source->CopyTo(1, *destination, 1, 1);
    EXPECT_EQ(destination->GetSample(1, 0), c.Expected) << c.From << " -> " << c.To << " bits of " << c.Sample;
    EXPECT_EQ(destination->GetSample(0, 0), c.To == 8 ? 127 : 0) << c.From << " -> " << c.To;
  }
}

TEST(AudioCopy, IntoOtherBuffersCopiesBytesAndChecksRangesFirst) {
  const auto source = AudioBufferOf(1, 16, {0x0102, 0x0304});
  const auto bytes = MakeRef<TKvBlockBuffer>(4);
  source->CopyTo(2, *bytes, 2, 1);
  EXPECT_EQ(bytes->GetValue(1), 0x04);
  EXPECT_EQ(bytes->GetValue(2), 0x03);

  const auto destination = AudioBufferOf(1, 16, {9, 9, 9});
  const auto sharer = destination->Clone();
  EXPECT_THROW(source->CopyTo(1, *destination, 2, 0), ERangeError);
  EXPECT_THROW(source->CopyTo(0, *destination, 2, 2), ERangeError);
  EXPECT_EQ(BlockOf(*sharer), BlockOf(*destination));
  source->CopyTo(0, *destination, 2, 1);
  EXPECT_EQ(Samples(*destination), (std::vector<int32_t>{9, 0x0102, 0x0304}));
  EXPECT_EQ(Samples(*Supports<IDnAudioBuffer>(sharer)), (std::vector<int32_t>{9, 9, 9}));
}

TEST(AudioChannels, ComeOutAsIntegersAndRealsWithoutTheOffset) {
  struct TCase {
    uint32_t Bits;
    int32_t Stored, Value;
  };
  const TCase cases[] = {{8, 0, -127}, {8, 255, 128}, {16, -300, -300}, {24, 0xFFFFFE, -2}, {32, INT32_MIN, INT32_MIN}};
  for (const TCase& c : cases) {
    const auto buffer = AudioBufferOf(2, c.Bits, {1, c.Stored, 1, c.Stored});
    TRef<IKvIntegerBuffer> integers;
    TRef<IKvRealBuffer> reals;
    buffer->ChannelToInteger(1, integers);
    buffer->ChannelToReal(1, reals);
    ASSERT_EQ(integers->GetCount(), 2u);
    ASSERT_EQ(reals->GetCount(), 2u);
    EXPECT_EQ(integers->GetValue(1), c.Value) << c.Bits;
    EXPECT_EQ(reals->GetValue(1), c.Value) << c.Bits;
  }
}

}  // namespace
