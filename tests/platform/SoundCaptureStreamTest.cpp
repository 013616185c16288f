#include "platform/SoundCaptureStream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <stdexcept>

namespace {

// A capture service whose outcome the test chooses; it records what the stream does with it.
struct TFakeService : ISoundCaptureService {
  struct TLog {
    int Opened = 0;
    std::vector<void*> Closed;
  };
  TLog& Log;
  int Status;
  bool Throws;
  int DeviceToken = 0;

  TFakeService(TLog& log, int status, bool throws = false) : Log(log), Status(status), Throws(throws) {}
  int OpenDefaultDevice(void*& device) override {
    ++Log.Opened;
    if (Throws) throw std::runtime_error("service unreachable");
    if (Status == 0) device = &DeviceToken;
    return Status;
  }
  void CloseDevice(void* device) noexcept override { Log.Closed.push_back(device); }
};

TEST(SoundCaptureStream, ListsTheTwentyEightCandidatesRateSlowestChannelsFastest) {
  TFakeService::TLog log;
  TSoundCaptureStream stream(std::make_unique<TFakeService>(log, 0));
  const TSoundCaptureFormats& formats = stream.Formats();
  ASSERT_EQ(formats.Count(), 28);
  const int rates[] = {8000, 11025, 22050, 33075, 44100, 48000, 96000};
  int n = 0;
  for (int rate : rates)
    for (int bits : {8, 16})
      for (int channels : {1, 2}) {
        const TSoundCaptureFormat& format = formats.Items(n++);
        EXPECT_EQ(format.SamplesPerSec, rate);
        EXPECT_EQ(format.BitsPerSample, bits);
        EXPECT_EQ(format.Channels, channels);
      }
  EXPECT_EQ(formats.Items(19).SamplesPerSec, 44100);
  EXPECT_EQ(formats.Items(19).BitsPerSample, 16);
  EXPECT_EQ(formats.Items(19).Channels, 2);
  EXPECT_THROW(formats.Items(28), EListError);
  EXPECT_THROW(formats.Items(-1), EListError);
}

TEST(SoundCaptureStream, ClosesTheDeviceItOpenedWhenDestroyed) {
  TFakeService::TLog log;
  void* device = nullptr;
  {
    auto service = std::make_unique<TFakeService>(log, 0);
    device = &service->DeviceToken;
    TSoundCaptureStream stream(std::move(service));
    EXPECT_EQ(log.Opened, 1);
    EXPECT_TRUE(log.Closed.empty());
  }
  EXPECT_EQ(log.Closed, std::vector<void*>{device});
}

TEST(SoundCaptureStream, RefusedDeviceAndUnreachableServiceRaiseTheirOwnErrors) {
  TFakeService::TLog refusedLog;
  try {
    TSoundCaptureStream stream(std::make_unique<TFakeService>(refusedLog, -19));
    ADD_FAILURE() << "a refused device built a stream";
  } catch (const ESoundCaptureStreamError& error) {
    EXPECT_STREQ(error.what(), "ALSA capture cannot be initialized");
  }
  TFakeService::TLog unreachableLog;
  try {
    TSoundCaptureStream stream(std::make_unique<TFakeService>(unreachableLog, 0, true));
    ADD_FAILURE() << "an unreachable service built a stream";
  } catch (const EDirectXError& error) {
    EXPECT_STREQ(error.what(), "Requires libasound.so.2");
  }
  // No device was opened, so none is closed.
  EXPECT_TRUE(refusedLog.Closed.empty());
  EXPECT_TRUE(unreachableLog.Closed.empty());
}

TEST(SoundCaptureStream, MissingAlsaLibraryIsAnUnreachableService) {
  EXPECT_THROW(TSoundCaptureStream(std::make_unique<TAlsaCaptureService>("libasound-missing.so.2")), EDirectXError);
}

TEST(SoundCaptureStream, ReplacedFactoryServesStreamsBuiltWithoutAService) {
  TFakeService::TLog log;
  auto previous = SetSoundCaptureServiceFactory([&log] { return std::make_unique<TFakeService>(log, 0); });
  {
    TSoundCaptureStream stream;
    EXPECT_EQ(stream.Formats().Count(), 28);
  }
  SetSoundCaptureServiceFactory(previous);
  EXPECT_EQ(log.Opened, 1);
  EXPECT_EQ(log.Closed.size(), 1u);
}

// Real ALSA, steered by the configuration it reads: a null default device opens, a default device
// on a card that does not exist is refused.
class AlsaCapture : public ::testing::Test {
protected:
  void UseConfiguration(const std::string& path) { setenv("ALSA_CONFIG_PATH", path.c_str(), 1); }
  void TearDown() override {
    if (Saved) setenv("ALSA_CONFIG_PATH", Saved->c_str(), 1);
    else unsetenv("ALSA_CONFIG_PATH");
  }
  std::optional<std::string> Saved =
      std::getenv("ALSA_CONFIG_PATH") ? std::optional<std::string>(std::getenv("ALSA_CONFIG_PATH")) : std::nullopt;
};

TEST_F(AlsaCapture, NullDefaultDeviceOpens) {
  UseConfiguration(ALSA_NULL_DEVICE_CONF);
  TSoundCaptureStream stream(std::make_unique<TAlsaCaptureService>());
  EXPECT_EQ(stream.Formats().Count(), 28);
}

TEST_F(AlsaCapture, DefaultDeviceOnAMissingCardIsRefused) {
  const std::string path = ::testing::TempDir() + "alsa-missing-card.conf";
  std::ofstream(path) << "pcm.!default { type hw card 63 }\n";
  UseConfiguration(path);
  EXPECT_THROW(TSoundCaptureStream(std::make_unique<TAlsaCaptureService>()), ESoundCaptureStreamError);
}

}  // namespace
