#pragma once

// Two components for the stream tests: an audio generator whose buffers say where they belong, and
// a checker of real streams that verifies every sample it is given.

#include "pins/DnStreamTypes.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

// Sends stereo 16-bit buffers of 1024 frames at 44100 Hz: channel 0 of buffer b holds
// Sample(b, frame), channel 1 its negative, so a wrong channel or a stale buffer shows.
class TTestAudioGenerator : public TComponent {
public:
  PUBLISHED_CLASS_INFO
  static constexpr uint32_t Frames = 1024;
  static constexpr uint32_t SampleRate = 44100;
  static int16_t Sample(uint32_t buffer, uint32_t frame) { return static_cast<int16_t>(buffer * 64 + frame % 64); }

  explicit TTestAudioGenerator(TComponent* owner);
  TDnLkAudioSourcePin* OutputPin() const { return OutputPin_.get(); }
  // Sends a start, `count` buffers and a stop, on the calling thread; answers how many buffers
  // SendBuffer reported sent.
  uint32_t Run(uint32_t count);
  // Called after each buffer: a test paces the stream with it.
  std::function<void()> BetweenBuffers;

protected:
  void Destroying() override;

private:
  TLkLock Lock;
  TLkPinPtr<TDnLkAudioSourcePin> OutputPin_;
};

// Counts starts and stops, and checks each real buffer against the generator's channel 0.
class TTestRealChecker : public TComponent {
public:
  PUBLISHED_CLASS_INFO
  explicit TTestRealChecker(TComponent* owner);
  TKvLkRealSinkPin* InputPin() const { return InputPin_.get(); }

  std::atomic<int> Starts{0};
  std::atomic<int> Stops{0};
  // Buffers of the wrong kind, length or content, and starts at another rate.
  std::atomic<int> Faults{0};
  // The generator's number of every buffer received, in order.
  std::vector<uint32_t> Buffers();

protected:
  void Destroying() override;

private:
  uint8_t Receive(TLkNotifyOperation& operation);
  TLkLock Lock;
  TLkPinPtr<TKvLkRealSinkPin> InputPin_;
  std::mutex Guard;
  std::vector<uint32_t> Received;
};

void RegisterStreamTestClasses();
