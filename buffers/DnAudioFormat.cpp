#include "buffers/DnAudioFormat.h"

#include "platform/Published.h"

#include <algorithm>

const TClassInfo& TDnAudioFormatBasic::StaticClassInfo() {
  static const TSetNames speakers = {{1u << spFrontLeft, "spFrontLeft"},
                                     {1u << spFrontRight, "spFrontRight"},
                                     {1u << spFrontCenter, "spFrontCenter"},
                                     {1u << spSubwoofer, "spSubwoofer"},
                                     {1u << spBackLeft, "spBackLeft"},
                                     {1u << spBackRight, "spBackRight"},
                                     {1u << spFrontLeftOfCenter, "spFrontLeftOfCenter"},
                                     {1u << spFrontRightOfCenter, "spFrontRightOfCenter"},
                                     {1u << spBackCenter, "spBackCenter"},
                                     {1u << spSideLeft, "spSideLeft"},
                                     {1u << spSideRight, "spSideRight"},
                                     {1u << spTopCenter, "spTopCenter"},
                                     {1u << spTopFrontLeft, "spTopFrontLeft"},
                                     {1u << spTopFrontCenter, "spTopFrontCenter"},
                                     {1u << spTopFrontRight, "spTopFrontRight"},
                                     {1u << spTopBackLeft, "spTopBackLeft"},
                                     {1u << spTopBackCenter, "spTopBackCenter"},
                                     {1u << spTopBackRight, "spTopBackRight"}};
  return DefineClass<TDnAudioFormatBasic, TEzLockedPersistentNotify>(
      "TDnAudioFormatBasic", [](TPublished<TDnAudioFormatBasic>& p) {
        using T = TDnAudioFormatBasic;
        p.Unsigned("Channels", &T::Channels, &T::SetChannels, DefaultChannels)
            .Unsigned("Bits", &T::Bits, &T::SetBits, DefaultBits)
            .Unsigned("SampleRate", &T::SampleRate, &T::SetSampleRate, DefaultSampleRate)
            .Set("ChannelMask", speakers, &T::ChannelMask, &T::SetChannelMask, DefaultChannelMask);
      });
}

void TDnAudioFormatBasic::Recompute(uint32_t channels, uint32_t bits, uint32_t sampleRate, TDnSpeakers channelMask) {
  Format_ = TDnWaveFormat::Pcm(channels, bits, sampleRate, channelMask);
  Changed();
}

void TDnAudioFormatBasic::SetChannels(uint32_t channels) {
  Locked([&] {
    if (ClampChannels(channels) != Channels()) Recompute(channels, Bits(), SampleRate(), ChannelMask());
  });
}

void TDnAudioFormatBasic::SetBits(uint32_t bits) {
  Locked([&] {
    if (ClampBits(bits) != Bits()) Recompute(Channels(), bits, SampleRate(), ChannelMask());
  });
}

void TDnAudioFormatBasic::SetSampleRate(uint32_t sampleRate) {
  Locked([&] { Recompute(Channels(), Bits(), sampleRate, ChannelMask()); });
}

void TDnAudioFormatBasic::SetChannelMask(TDnSpeakers channelMask) {
  Locked([&] { Recompute(Channels(), Bits(), SampleRate(), channelMask); });
}

void TDnAudioFormatBasic::Assign(const TPersistent& source) {
  const auto* format = dynamic_cast<const TDnAudioFormatBasic*>(&source);
  if (!format) return TEzLockedPersistentNotify::Assign(source);
  Locked([&] {
    SetChannels(format->Channels());
    SetBits(format->Bits());
    SetSampleRate(format->SampleRate());
    SetChannelMask(format->ChannelMask());
  });
}

const TClassInfo& TDnAudioFormat::StaticClassInfo() {
  return DefineClass<TDnAudioFormat, TDnAudioFormatBasic>("TDnAudioFormat", [](TPublished<TDnAudioFormat>& p) {
    p.Unsigned("BufferSize", &TDnAudioFormat::BufferSize, &TDnAudioFormat::SetBufferSize, DefaultBufferSize);
  });
}

void TDnAudioFormat::SetBufferSize(uint32_t bufferSize) {
  Locked([&] {
    bufferSize = std::max(bufferSize, 1u);
    if (bufferSize == BufferSize_) return;
    BufferSize_ = bufferSize;
    Changed();
  });
}

void TDnAudioFormat::Assign(const TPersistent& source) {
  Locked([&] {
    TDnAudioFormatBasic::Assign(source);
    if (const auto* format = dynamic_cast<const TDnAudioFormat*>(&source)) SetBufferSize(format->BufferSize());
  });
}
