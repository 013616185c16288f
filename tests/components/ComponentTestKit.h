#pragma once

// What the component tests share: a master clock timer stepped by hand, a recorder of what a
// generator sends, a source that clocks generators by hand, and waiting on a condition.

#include "components/DnGenericGen.h"
#include "components/DnSignalGen.h"
#include "components/KvMediaMasterClock.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// Waits until `condition` holds, checking it now and then; false when it still does not after
// `timeout` (generous: a loaded machine must not fail a test, only a fault should).
bool WaitUntil(const std::function<bool()>& condition, std::chrono::seconds timeout = std::chrono::seconds(60));

// Puts itself in place of the master clock's system timer while it lives: each Step(ms) is as many
// milliseconds of the timer, elapsed at once on the calling thread.
class TSteppedTimer {
public:
  TSteppedTimer();
  ~TSteppedTimer();
  void Step(int milliseconds);
  // Timers the master clock has started through it.
  int Started();

private:
  struct TState {
    std::mutex Guard;
    TPeriodicTimer::TTick Tick;
    int Started = 0;
  };
  std::shared_ptr<TState> State = std::make_shared<TState>();
  TKvMediaMasterClock::TTimerFactory Previous;
};

// Records what reaches its audio input, in order: every operation by kind, and the samples of
// every buffer. Upstream sends go out through Input().
class TAudioRecorder : public TComponent {
public:
  explicit TAudioRecorder(TComponent* owner = nullptr);
  TDnLkAudioSinkPin* Input() const { return Input_.get(); }

  struct TBuffer {
    uint32_t Frames, Channels, Bits, SampleRate;
    std::vector<uint8_t> Bytes;  // the interleaved samples
    // Channel 0 of a 16-bit buffer.
    std::vector<int16_t> Channel0() const;
  };
  // "start wave 44100", "end stop", "stop", "pump request <rate>", "ignore stream", "buffer", ...
  std::vector<std::string> Events();
  std::vector<TBuffer> Buffers();
  size_t BufferCount();
  void Clear();
  // Channel 0 of every buffer received, one after another.
  std::vector<int16_t> Stream();
  // Called on the receiving thread for every buffer, after it is recorded.
  std::function<void()> OnBuffer;

protected:
  void Destroying() override;

private:
  uint8_t Receive(TLkNotifyOperation& operation);
  TLkLock Lock;
  TLkPinPtr<TDnLkAudioSinkPin> Input_;
  std::mutex Guard;
  std::vector<std::string> Events_;
  std::vector<TBuffer> Buffers_;
};

// Sends clock buffers by hand, to clock externally clocked generators.
class TManualClock : public TComponent {
public:
  explicit TManualClock(TComponent* owner = nullptr);
  TDnLkAudioSourcePin* Output() const { return Output_.get(); }
  // One tick: a buffer of silence.
  void Tick();

protected:
  void Destroying() override;

private:
  TLkLock Lock;
  TLkPinPtr<TDnLkAudioSourcePin> Output_;
};

// Sends audio streams by hand: a start-wave with a header, buffers, a stop. Records what comes
// back upstream.
class TAudioSource : public TComponent {
public:
  explicit TAudioSource(TComponent* owner = nullptr);
  TDnLkAudioSourcePin* Output() const { return Output_.get(); }
  void Start(const TDnWaveFormat& header);
  void Send(const TRef<IDnAudioBuffer>& buffer);
  void Stop();
  std::vector<std::string> Upstream();

protected:
  void Destroying() override;

private:
  TLkLock Lock;
  TLkPinPtr<TDnLkAudioSourcePin> Output_;
  std::mutex Guard;
  std::vector<std::string> Upstream_;
};

// Sends real streams by hand: starts at a rate, buffers of given samples, stops. Records what
// comes back upstream.
class TRealSource : public TComponent {
public:
  explicit TRealSource(TComponent* owner = nullptr);
  TKvLkRealSourcePin* Output() const { return Output_.get(); }
  void Start(double sampleRate);
  void Send(const std::vector<double>& samples);
  void Stop();
  std::vector<std::string> Upstream();

protected:
  void Destroying() override;

private:
  TLkLock Lock;
  TLkPinPtr<TKvLkRealSourcePin> Output_;
  std::mutex Guard;
  std::vector<std::string> Upstream_;
};

// Records what reaches its real input: every operation by kind, and the samples of every buffer.
class TRealRecorder : public TComponent {
public:
  explicit TRealRecorder(TComponent* owner = nullptr);
  TKvLkRealSinkPin* Input() const { return Input_.get(); }
  std::vector<std::string> Events();
  std::vector<std::vector<double>> Buffers();
  size_t BufferCount();
  void Clear();

protected:
  void Destroying() override;

private:
  TLkLock Lock;
  TLkPinPtr<TKvLkRealSinkPin> Input_;
  std::mutex Guard;
  std::vector<std::string> Events_;
  std::vector<std::vector<double>> Buffers_;
};

// How the tests name an operation.
std::string Describe(TLkNotifyOperation& operation);

template <class T>
using TOwned = std::unique_ptr<T, TComponentDeleter>;

// A generator as a user sets one up in code: mono 16 bits at 44100 Hz, disabled, so that Start
// starts it.
template <class Generator>
TOwned<Generator> MakeGenerator(TKvClockSource source, uint32_t bufferSize = 1024) {
  TOwned<Generator> generator(new Generator(nullptr));
  generator->SetClockSource(source);
  generator->AudioFormat()->SetChannels(1);
  generator->AudioFormat()->SetSampleRate(44100);
  generator->AudioFormat()->SetBufferSize(bufferSize);
  generator->Stop();
  return generator;
}
