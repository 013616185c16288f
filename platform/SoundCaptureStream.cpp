#include "platform/SoundCaptureStream.h"

#include "platform/DynamicLibraries.h"

#include <array>
#include <mutex>
#include <string>

namespace {

constexpr std::array<int32_t, 7> CandidateRates = {8000, 11025, 22050, 33075, 44100, 48000, 96000};
constexpr std::array<int32_t, 2> CandidateBits = {8, 16};
constexpr std::array<int32_t, 2> CandidateChannels = {1, 2};

// Values of ALSA's snd_pcm_stream_t and open mode; the headers are not needed for two constants.
constexpr int SndPcmStreamCapture = 1;
// Non-blocking, so that a device held by another program fails at once instead of hanging.
constexpr int SndPcmNonBlock = 1;

std::mutex FactoryMutex;
TSoundCaptureServiceFactory Factory;

std::unique_ptr<ISoundCaptureService> DefaultService() {
  std::lock_guard lock(FactoryMutex);
  if (Factory) return Factory();
  return std::make_unique<TAlsaCaptureService>();
}

}  // namespace

const TSoundCaptureFormat& TSoundCaptureFormats::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return Items_[static_cast<size_t>(index)];
}

TAlsaCaptureService::TAlsaCaptureService(std::string library) : Library(std::move(library)) {}

int TAlsaCaptureService::OpenDefaultDevice(void*& device) {
  using OpenFunction = int (*)(void** pcm, const char* name, int stream, int mode);
  auto open = reinterpret_cast<OpenFunction>(DynamicLibraries::EntryPoint(Library, "snd_pcm_open"));
  // Looked up before the device is opened, so that closing cannot fail later.
  Close = reinterpret_cast<int (*)(void*)>(DynamicLibraries::EntryPoint(Library, "snd_pcm_close"));
  return open(&device, "default", SndPcmStreamCapture, SndPcmNonBlock);
}

void TAlsaCaptureService::CloseDevice(void* device) noexcept {
  if (Close && device) Close(device);
}

TSoundCaptureServiceFactory SetSoundCaptureServiceFactory(TSoundCaptureServiceFactory factory) {
  std::lock_guard lock(FactoryMutex);
  std::swap(Factory, factory);
  return factory;
}

TSoundCaptureStream::TSoundCaptureStream(std::unique_ptr<ISoundCaptureService> service)
    : Service(service ? std::move(service) : DefaultService()) {
  // Every candidate is listed; none is tested against the device.
  for (int32_t rate : CandidateRates)
    for (int32_t bits : CandidateBits)
      for (int32_t channels : CandidateChannels)
        Formats_.Items_.push_back({.BitsPerSample = bits, .Channels = channels, .SamplesPerSec = rate});

  int status;
  try {
    status = Service->OpenDefaultDevice(Device);
  } catch (...) {
    throw EDirectXError("Requires " + std::string(TAlsaCaptureService::DefaultLibrary));
  }
  if (status != 0) {
    Device = nullptr;
    throw ESoundCaptureStreamError("ALSA capture cannot be initialized");
  }
}

TSoundCaptureStream::~TSoundCaptureStream() { Service->CloseDevice(Device); }
