#pragma once

#include "platform/Exception.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The capture service could not be reached at all (library or entry point missing, or the call
// itself failed with an error).
class EDirectXError : public Exception {
public:
  using Exception::Exception;
};

// The capture service was reached but refused to open the default capture device.
class ESoundCaptureStreamError : public Exception {
public:
  using Exception::Exception;
};

struct TSoundCaptureFormat {
  int32_t BitsPerSample = 0;
  int32_t Channels = 0;
  int32_t SamplesPerSec = 0;
};

// The candidate formats of a stream, fixed once the stream is built.
class TSoundCaptureFormats {
public:
  int Count() const { return static_cast<int>(Items_.size()); }
  // Throws EListError when `index` is outside 0 .. Count() - 1.
  const TSoundCaptureFormat& Items(int index) const;

private:
  friend class TSoundCaptureStream;
  std::vector<TSoundCaptureFormat> Items_;
};

// How a stream reaches the platform's capture service. The stream opens the default capture
// device through it when it is built and closes the device when it is destroyed.
class ISoundCaptureService {
public:
  virtual ~ISoundCaptureService() = default;
  // Opens the default capture device. Returns the service's status, 0 on success, and on success
  // the device in `device`. Throws when the service itself cannot be reached.
  virtual int OpenDefaultDevice(void*& device) = 0;
  virtual void CloseDevice(void* device) noexcept = 0;
};

// ALSA, looked up by name in its shared library through the process-wide library list.
class TAlsaCaptureService : public ISoundCaptureService {
public:
  static constexpr const char* DefaultLibrary = "libasound.so.2";

  explicit TAlsaCaptureService(std::string library = DefaultLibrary);
  int OpenDefaultDevice(void*& device) override;
  void CloseDevice(void* device) noexcept override;

private:
  std::string Library;
  int (*Close)(void*) = nullptr;
};

// The service that streams built without one use: ALSA unless replaced (tests substitute their
// own). Returns the factory it replaces.
using TSoundCaptureServiceFactory = std::function<std::unique_ptr<ISoundCaptureService>()>;
TSoundCaptureServiceFactory SetSoundCaptureServiceFactory(TSoundCaptureServiceFactory factory);

// A sound-capture stream on the default capture device. Only its candidate formats are used:
// building it proves that capture is available and lists the 28 formats the window offers.
class TSoundCaptureStream {
public:
  // Throws EDirectXError when the service cannot be reached and ESoundCaptureStreamError when it
  // cannot open the default device.
  explicit TSoundCaptureStream(std::unique_ptr<ISoundCaptureService> service = nullptr);
  ~TSoundCaptureStream();
  TSoundCaptureStream(const TSoundCaptureStream&) = delete;
  TSoundCaptureStream& operator=(const TSoundCaptureStream&) = delete;

  const TSoundCaptureFormats& Formats() const { return Formats_; }

private:
  std::unique_ptr<ISoundCaptureService> Service;
  void* Device = nullptr;
  TSoundCaptureFormats Formats_;
};
