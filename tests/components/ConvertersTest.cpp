#include "ComponentTestKit.h"

#include "components/DnAudioToReal.h"
#include "components/DnRealToAudio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

// One channel's samples (stored values as GetSample gives them) in a buffer of `channels`.
TRef<IDnAudioBuffer> Audio(uint32_t bits, uint32_t channels, const std::vector<std::vector<int32_t>>& samples) {
  const auto frames = uint32_t(samples.front().size());
  const TRef<TDnAudioBuffer> buffer = MakeRef<TDnAudioBuffer>(44100, 0, frames, channels, bits);
  for (uint32_t channel = 0; channel < samples.size(); ++channel)
    for (uint32_t frame = 0; frame < frames; ++frame) buffer->SetSample(frame, channel, samples[channel][frame]);
  return buffer;
}

TDnWaveFormat Header(uint32_t bits, uint32_t channels) { return TDnWaveFormat::Pcm(channels, bits, 44100, 0); }

struct AudioToReal : ::testing::Test {
  TOwned<TAudioSource> Source{new TAudioSource};
  TOwned<TDnAudioToReal> Split{new TDnAudioToReal(nullptr)};
  TOwned<TRealRecorder> Out0{new TRealRecorder}, Out1{new TRealRecorder};

  void SetUp() override {
    ASSERT_TRUE(Split->InputPin()->Connect(Source->Output()));
    ASSERT_TRUE(Out0->Input()->Connect(Split->OutputPins()->GetPin(0)));
    ASSERT_TRUE(Out1->Input()->Connect(Split->OutputPins()->GetPin(1)));
  }
};

TEST_F(AudioToReal, EveryContainerIsCodedAsTheTableSaysWithAndWithoutNormalising) {
  const struct {
    uint32_t Bits;
    int32_t Stored;
    double Raw, Normalised;
  } cases[] = {{8, 127, 0, 0},
               {8, 255, 128, 1},
               {8, 0, -127, -127.0 / 128},
               {16, 16384, 16384, 0.5},
               {16, -32768, -32768, -1},
               {24, 0xC00000, -4194304, -0.5},
               {24, 0x7FFFFF, 8388607, 8388607.0 / 8388608},
               {32, INT32_MIN, INT32_MIN, -1},
               {32, 1 << 30, 1 << 30, 0.5}};
  // Mono streams (one contiguous run of samples) and stereo ones (every other sample).
  for (uint32_t channels : {1u, 2u}) {
    for (const auto& c : cases) {
      for (bool normalise : {false, true}) {
        Split->SetNormalize(normalise);
        Out0->Clear();
        Source->Start(Header(c.Bits, channels));
        const std::vector<int32_t> stored(9, c.Stored), zeros(9, 0);
        Source->Send(Audio(c.Bits, channels,
                           channels == 1 ? std::vector<std::vector<int32_t>>{stored}
                                         : std::vector<std::vector<int32_t>>{stored, zeros}));
        ASSERT_EQ(Out0->BufferCount(), 1u) << c.Bits;
        EXPECT_EQ(Out0->Buffers()[0], std::vector<double>(9, normalise ? c.Normalised : c.Raw))
            << channels << " channels of " << c.Bits << " bits, stored " << c.Stored
            << (normalise ? " normalised" : "");
      }
    }
  }
}

TEST_F(AudioToReal, EachChannelGoesToItsOwnPinAtTheStreamRate) {
  Source->Start(TDnWaveFormat::Pcm(2, 16, 48000, 3));
  EXPECT_EQ(Out1->Events(), std::vector<std::string>{"start sample rate 48000"});
  Source->Send(Audio(16, 2, {{1, 2, 3, 4}, {-5, -6, -7, -8}}));
  EXPECT_EQ(Out0->Buffers(), (std::vector<std::vector<double>>{{1, 2, 3, 4}}));
  EXPECT_EQ(Out1->Buffers(), (std::vector<std::vector<double>>{{-5, -6, -7, -8}}));
  Source->Stop();
  EXPECT_EQ(Out1->Events().back(), "stop");
}

TEST_F(AudioToReal, ChannelCountsAreClampedAndAMonoStreamTellsTheSecondOutputToIgnoreIt) {
  for (const auto& [asked, pins] : {std::pair{0, 1}, {40, 32}, {-3, 1}, {3, 3}}) {
    Split->SetCountChannels(asked);
    EXPECT_EQ(Split->OutputPins()->GetCount(), pins) << asked;
    EXPECT_EQ(Split->CountChannels(), pins);
  }
  Split->SetCountChannels(2);
  ASSERT_TRUE(Out1->Input()->Connect(Split->OutputPins()->GetPin(1)));
  Source->Start(Header(16, 1));
  Out0->Clear();
  Out1->Clear();
  Out1->Input()->Notify(*MakeRef<TLkQueryStreamOperation>());
  Out0->Input()->Notify(*MakeRef<TLkQueryStreamOperation>());
  EXPECT_EQ(Out1->Events(), std::vector<std::string>{"ignore stream"});
  EXPECT_TRUE(Out0->Events().empty());
  // Anything else from downstream goes upstream.
  Out0->Input()->Notify(*MakeRef<TLkPumpRequestOperation>(nullptr, 43.0f, 0, 2));
  EXPECT_EQ(Source->Upstream(), std::vector<std::string>{"pump request 43 priority 0 kind 2"});
}

TEST_F(AudioToReal, BuffersBeforeAStartOrUnderAHeaderThatCannotHoldItsChannelsAreDropped) {
  Source->Send(Audio(16, 2, {{1, 2}, {3, 4}}));
  EXPECT_EQ(Out0->BufferCount(), 0u);
  // Four 32-bit channels claimed in frames of 4 bytes: reading them would pass the samples' end.
  TDnWaveFormat lying = Header(32, 4);
  lying.BlockAlign = 4;
  Source->Start(lying);
  Source->Send(Audio(32, 1, {{1, 2}}));
  EXPECT_EQ(Out0->BufferCount(), 0u);
}

struct RealToAudio : ::testing::Test {
  TOwned<TRealSource> In0{new TRealSource}, In1{new TRealSource};
  TOwned<TDnRealToAudio> Join{new TDnRealToAudio(nullptr)};
  TOwned<TAudioRecorder> Out{new TAudioRecorder};

  void SetUp() override { ASSERT_TRUE(Out->Input()->Connect(Join->OutputPin())); }
  void Format(uint32_t channels, uint32_t bits, uint32_t frames) {
    Join->AudioFormat()->SetChannels(channels);
    Join->AudioFormat()->SetBits(bits);
    Join->AudioFormat()->SetBufferSize(frames);
  }
  void Link(TRealSource& source, int input) { ASSERT_TRUE(Join->InputPins()->GetPin(input)->Connect(source.Output())); }
  // The stored sample values of one channel of every buffer received, one after another.
  std::vector<int32_t> Channel(uint32_t channel) {
    std::vector<int32_t> values;
    for (const auto& buffer : Out->Buffers()) {
      const uint32_t bytes = buffer.Bits / 8;
      for (uint32_t frame = 0; frame < buffer.Frames; ++frame) {
        int32_t value = 0;
        std::memcpy(&value, &buffer.Bytes[(frame * buffer.Channels + channel) * bytes], bytes);
        if (bytes == 2) value = int16_t(value);
        values.push_back(value);
      }
    }
    return values;
  }
};

TEST_F(RealToAudio, OneInputEmitsOneBufferPerBufferSizeSamplesAtItsRate) {
  Format(1, 16, 1024);
  EXPECT_EQ(Join->InputPins()->GetCount(), 1);
  Link(*In0, 0);
  In0->Start(44100);
  EXPECT_EQ(Join->AudioFormat()->SampleRate(), 44100u);
  EXPECT_EQ(Out->Events(), std::vector<std::string>{"start wave 44100"});
  std::vector<double> samples(1536);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = double(i) - 700;
  In0->Send(samples);
  ASSERT_EQ(Out->BufferCount(), 1u);
  In0->Send(samples);
  ASSERT_EQ(Out->BufferCount(), 3u);
  const std::vector<int32_t> values = Channel(0);
  for (size_t i = 0; i < values.size(); ++i) ASSERT_EQ(values[i], int32_t(i % 1536) - 700) << i;
  EXPECT_EQ(Out->Buffers()[0].SampleRate, 44100u);
  In0->Stop();
  EXPECT_EQ(Out->Events().back(), "stop");
  EXPECT_FALSE(Join->Started());
}

TEST_F(RealToAudio, ASlowerInputIsStretchedAndAnUnlinkedInputIsSilent) {
  Format(3, 8, 1024);
  Link(*In0, 0);
  Link(*In1, 1);
  In0->Start(44100);
  In1->Start(22050);
  std::vector<double> full(1024), half(512);
  for (int i = 0; i < 1024; ++i) full[size_t(i)] = i % 100;
  for (int i = 0; i < 512; ++i) half[size_t(i)] = -(i % 120);
  In0->Send(full);
  EXPECT_EQ(Out->BufferCount(), 0u);
  In1->Send(half);
  ASSERT_EQ(Out->BufferCount(), 1u);
  const std::vector<int32_t> first = Channel(0), second = Channel(1), third = Channel(2);
  for (int k = 0; k < 1024; ++k) {
    ASSERT_EQ(first[size_t(k)], (k % 100) + 127) << k;
    const auto at = std::min<size_t>(511, size_t(std::nearbyint(k * 511.0 / 1024)));
    ASSERT_EQ(second[size_t(k)], int32_t(half[at]) + 127) << k;
    ASSERT_EQ(third[size_t(k)], 127) << k;  // the zero level of 8 bits
  }
}

TEST_F(RealToAudio, ValuesRoundToNearestEvenAndKeepTheLowBits) {
  Format(1, 16, 8);
  Link(*In0, 0);
  In0->Start(44100);
  // Beyond 32-bit integers too, and after such a value (the rest of a buffer is coded alike).
  In0->Send({2.5, 3.5, -2.5, 70000, -0.5, 32767.4, 4294967301.0, -1.5});
  EXPECT_EQ(Channel(0), (std::vector<int32_t>{2, 4, -2, int16_t(70000 & 0xFFFF), 0, 32767, 5, -2}));
  Out->Clear();
  In0->Send({1.5, -2147483648.5, 2147483647.5, -7.5, 1e300, -0.0, 65537.5, std::nan("")});
  EXPECT_EQ(Channel(0), (std::vector<int32_t>{2, 0, 0, -8, 0, 0, 2, 0}));
  Out->Clear();
  Join->SetNormalize(true);
  In0->Send({1.0, -1.0, 0.5, -0.25, 0, 0, 0, 0});
  EXPECT_EQ(Channel(0), (std::vector<int32_t>{-32768, -32768, 16384, -8192, 0, 0, 0, 0}));
}

TEST_F(RealToAudio, NothingIsEmittedUntilEveryLinkedInputHasStarted) {
  Format(2, 16, 4);
  Link(*In0, 0);
  Link(*In1, 1);
  In0->Start(44100);
  In0->Send({1, 2, 3, 4});
  In1->Send({5, 6, 7, 8});
  EXPECT_EQ(Out->BufferCount(), 0u);
  EXPECT_TRUE(Out->Events().empty());
  In1->Start(44100);
  In1->Send({9, 9, 9, 9});
  ASSERT_EQ(Out->BufferCount(), 1u);
  EXPECT_EQ(Channel(0), (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(Channel(1), (std::vector<int32_t>{5, 6, 7, 8}));
}

TEST_F(RealToAudio, APumpRequestGoesUpstreamThroughEveryInputThatHasNotDelivered) {
  Format(2, 16, 4);
  Link(*In0, 0);
  Link(*In1, 1);
  Out->Input()->Notify(*MakeRef<TLkPumpRequestOperation>(nullptr, 43.0f, 0, 2));
  EXPECT_EQ(In0->Upstream(), std::vector<std::string>{"pump request 43 priority 0 kind 2"});
  EXPECT_EQ(In1->Upstream(), std::vector<std::string>{"pump request 43 priority 0 kind 2"});
}

}  // namespace
