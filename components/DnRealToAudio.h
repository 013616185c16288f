#pragma once

// Interleaves real streams, one queued input per channel, into audio buffers of its AudioFormat.

#include "buffers/DnAudioFormat.h"
#include "buffers/DnSimpleAudioBuffer.h"
#include "buffers/KvSimpleDataBuffer.h"
#include "pins/DnStreamTypes.h"
#include "pins/KvQueuedSinkPins.h"

#include <atomic>
#include <memory>

class TDnRealToAudio : public TComponent {
public:
  PUBLISHED_CLASS_INFO

  explicit TDnRealToAudio(TComponent* owner);

  TDnLkAudioSourcePin* OutputPin() const { return OutputPin_.get(); }
  // One input per channel of AudioFormat.
  TLkPinList* InputPins() const { return InputPins_.get(); }
  TDnAudioFormat* AudioFormat() const { return AudioFormat_.get(); }
  void SetAudioFormat(const TDnAudioFormat& format) { AudioFormat_->Assign(format); }
  // Real values in -1..1, scaled to the container's full scale.
  bool Normalize() const { return Normalize_; }
  void SetNormalize(bool normalize);
  // The highest rate of the linked, started inputs.
  double StreamRate() const { return StreamRate_; }
  bool Started() const { return Started_; }

protected:
  void Destroying() override;

private:
  TKvLkQueuedRealSinkPin* Input(int index) const;
  uint8_t InputHandler(TKvLkQueuedRealSinkPin* pin, TLkNotifyOperation& operation);
  uint8_t OutputHandler(TLkNotifyOperation& operation);
  // Inputs follow the format's channel count, then the rate rule runs.
  void FormatChanged();
  // The stream rate from the started inputs, and once all linked inputs started, their needed
  // counts; false while a linked input has not started.
  bool RateRule();
  // Starts the output stream once every linked input has started.
  void StartRule();
  // Emits while every linked input holds its needed count and `section` holds the lock.
  void EmitRule(const TLkLockSection& section);
  bool AllReady();
  // One audio buffer from the queues; false, sending nothing, when no input gave samples.
  bool Emit();
  // Writes the samples into channel `channel` of the audio buffer's frames.
  void WriteChannel(uint32_t channel, IKvRealBuffer& samples, IDnAudioBuffer& audio);

  TLkLock Lock;
  TLkPinPtr<TDnLkAudioSourcePin> OutputPin_;
  std::unique_ptr<TLkPinList> InputPins_;
  std::unique_ptr<TDnAudioFormat> AudioFormat_;
  std::atomic<bool> Normalize_{false};
  std::atomic<double> StreamRate_{0};
  std::atomic<bool> Started_{false};
  TRef<TKvRealBuffer> Samples;  // one channel of an emit; under the lock
};
