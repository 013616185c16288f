#include "buffers/DnAudioFormat.h"
#include "platform/Component.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"
#include "platform/Published.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Counts the format's change notices.
struct TWatchedFormat {
  TWatchedFormat() {
    Format.OnChange.Bind("Changed", [this](TObject* sender) {
      EXPECT_EQ(sender, &Format);
      ++Changes;
    });
  }
  TDnAudioFormat Format{nullptr};
  int Changes = 0;
};

TEST(AudioFormat, DefaultsToStereo16BitsAt11025Hz) {
  const TDnAudioFormat format(nullptr);
  EXPECT_EQ(format.Channels(), 2u);
  EXPECT_EQ(format.Bits(), 16u);
  EXPECT_EQ(format.SampleRate(), 11025u);
  EXPECT_EQ(format.ChannelMask(), TDnSpeakers(3));
  EXPECT_EQ(format.BufferSize(), 1024u);
  EXPECT_EQ(format.Format().BlockAlign, 4);
  EXPECT_EQ(format.Format().AvgBytesPerSec, 44100u);
  EXPECT_EQ(format.Format().ContainerBits, 16);
  EXPECT_EQ(format.Format().FormatTag, 0xFFFE);
  EXPECT_EQ(format.Format().HeaderSize(), 40u);
}

TEST(AudioFormat, SettersClampAndRecompute) {
  struct TCase {
    const char* Name;
    void (TDnAudioFormat::*Set)(uint32_t);
    uint32_t Value;
    uint32_t Channels, Bits, Container, BlockAlign;
  };
  const TCase cases[] = {
      {"Bits 12", &TDnAudioFormat::SetBits, 12, 2, 12, 16, 4},
      {"Bits 20", &TDnAudioFormat::SetBits, 20, 2, 20, 24, 6},
      {"Bits 0", &TDnAudioFormat::SetBits, 0, 2, 8, 8, 2},
      {"Bits 40", &TDnAudioFormat::SetBits, 40, 2, 32, 32, 8},
      {"Channels 0", &TDnAudioFormat::SetChannels, 0, 1, 16, 16, 2},
      {"Channels 33", &TDnAudioFormat::SetChannels, 33, 32, 16, 16, 64},
  };
  for (const TCase& c : cases) {
    TDnAudioFormat format(nullptr);
    (format.*c.Set)(c.Value);
    EXPECT_EQ(format.Channels(), c.Channels) << c.Name;
    EXPECT_EQ(format.Bits(), c.Bits) << c.Name;
    EXPECT_EQ(format.Format().ContainerBits, c.Container) << c.Name;
    EXPECT_EQ(format.Format().BlockAlign, c.BlockAlign) << c.Name;
    EXPECT_EQ(format.Format().AvgBytesPerSec, c.BlockAlign * 11025) << c.Name;
  }
  TDnAudioFormat format(nullptr);
  format.SetBufferSize(0);
  EXPECT_EQ(format.BufferSize(), 1u);
  format.SetChannelMask(1u << spTopBackRight | 1u << spSubwoofer);  // no check against the channels
  EXPECT_EQ(format.ChannelMask(), (1u << spTopBackRight | 1u << spSubwoofer));
  EXPECT_EQ(format.Channels(), 2u);
}

TEST(AudioFormat, TellsOfChangesByEachPropertysRule) {
  struct TCase {
    const char* Name;
    void (TDnAudioFormat::*Set)(uint32_t);
    uint32_t Value;
    int Changes;
  };
  const TCase cases[] = {
      {"Channels unchanged", &TDnAudioFormat::SetChannels, 2, 0},
      {"Channels changed", &TDnAudioFormat::SetChannels, 1, 1},
      {"Bits clamped to the present value", &TDnAudioFormat::SetBits, 16, 0},
      {"Bits changed", &TDnAudioFormat::SetBits, 24, 1},
      {"SampleRate unchanged", &TDnAudioFormat::SetSampleRate, 11025, 1},
      {"ChannelMask unchanged", &TDnAudioFormat::SetChannelMask, 3, 1},
      {"BufferSize unchanged", &TDnAudioFormat::SetBufferSize, 1024, 0},
      {"BufferSize changed", &TDnAudioFormat::SetBufferSize, 512, 1},
  };
  for (const TCase& c : cases) {
    TWatchedFormat watched;
    (watched.Format.*c.Set)(c.Value);
    EXPECT_EQ(watched.Changes, c.Changes) << c.Name;
  }
  TWatchedFormat watched;
  watched.Format.SetChannels(1);
  watched.Format.SetChannels(0);  // clamps to the 1 it already is
  EXPECT_EQ(watched.Changes, 1);
}

TEST(AudioFormat, ChangesOnlyInsideTheOwnersWriteLock) {
  TWatchedFormat watched;
  bool granted = false;
  int sections = 0;
  watched.Format.SetWriteLock([&](const std::function<void()>& change) {
    ++sections;
    if (!granted) return false;
    change();
    return true;
  });
  watched.Format.SetChannels(1);
  watched.Format.SetSampleRate(8000);
  watched.Format.SetBufferSize(10);
  EXPECT_EQ(sections, 3);
  EXPECT_EQ(watched.Format.Channels(), 2u);
  EXPECT_EQ(watched.Format.SampleRate(), 11025u);
  EXPECT_EQ(watched.Format.BufferSize(), 1024u);
  EXPECT_EQ(watched.Changes, 0);
  granted = true;
  watched.Format.SetSampleRate(8000);
  EXPECT_EQ(watched.Format.SampleRate(), 8000u);
  EXPECT_EQ(watched.Format.Format().AvgBytesPerSec, 32000u);
  EXPECT_EQ(watched.Changes, 1);
}

TEST(AudioFormat, AssignTakesOverTheStoredProperties) {
  TDnAudioFormat source(nullptr);
  source.SetChannels(1);
  source.SetBits(24);
  source.SetSampleRate(48000);
  source.SetChannelMask(1u << spFrontCenter);
  source.SetBufferSize(256);
  TDnAudioFormat target(nullptr);
  target.Assign(source);
  EXPECT_EQ(std::memcmp(&target.Format(), &source.Format(), sizeof(TDnWaveFormat)), 0);
  EXPECT_EQ(target.BufferSize(), 256u);
  // A basic format carries no buffer size: the target keeps its own.
  TDnAudioFormatBasic basic(nullptr);
  TDnAudioFormat other(nullptr);
  other.SetBufferSize(77);
  other.Assign(basic);
  EXPECT_EQ(other.Channels(), 2u);
  EXPECT_EQ(other.BufferSize(), 77u);
}

// A component that produces audio, as the layout stores it.
class TTestAudioSource : public TComponent {
public:
  PUBLISHED_CLASS_INFO
  explicit TTestAudioSource(TComponent* owner = nullptr) : TComponent(owner), AudioFormat_(this) {}
  TDnAudioFormat* AudioFormat() const { return &AudioFormat_; }

private:
  mutable TDnAudioFormat AudioFormat_;
};

const TClassInfo& TTestAudioSource::StaticClassInfo() {
  return DefineClass<TTestAudioSource, TComponent>("TTestAudioSource", [](TPublished<TTestAudioSource>& p) {
    p.Object("AudioFormat", &TTestAudioSource::AudioFormat);
  });
}

TEST(AudioFormat, IsStoredInTheLayoutAsASubObjectOfItsComponent) {
  std::unique_ptr<TTestAudioSource, TComponentDeleter> source(new TTestAudioSource);
  source->SetName("Source");
  source->AudioFormat()->SetChannels(1);
  source->AudioFormat()->SetSampleRate(44100);
  source->AudioFormat()->SetChannelMask(1u << spFrontCenter | 1u << spBackCenter);
  const std::string text = TLayoutWriter::WriteRoot(*source);
  EXPECT_EQ(text, R"(object Source: TTestAudioSource
  AudioFormat.Channels = 1
  AudioFormat.SampleRate = 44100
  AudioFormat.ChannelMask = [spFrontCenter, spBackCenter]
end
)");
  std::unique_ptr<TTestAudioSource, TComponentDeleter> read(new TTestAudioSource);
  TLayoutReader::ReadRoot(*read, text);
  EXPECT_EQ(std::memcmp(&read->AudioFormat()->Format(), &source->AudioFormat()->Format(), sizeof(TDnWaveFormat)), 0);
  EXPECT_EQ(read->AudioFormat()->BufferSize(), 1024u);
  EXPECT_EQ(read->AudioFormat()->GetOwner(), read.get());
}

}  // namespace
