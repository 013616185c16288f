#pragma once

// Generators: the components that put data into a signal chain. Each tick of a generator's clock
// becomes one audio buffer of BufferSize frames, sent from its OutputPin. The clock is a thread of
// its own (internal) or the buffers arriving at its ClockPin (external).

#include "buffers/DnAudioFormat.h"
#include "buffers/DnSimpleAudioBuffer.h"
#include "buffers/KvSimpleDataBuffer.h"
#include "components/ComponentPins.h"
#include "components/KvClockGen.h"
#include "pins/DnStreamTypes.h"
#include "pins/LkStdTypes.h"

#include <atomic>
#include <cstdint>
#include <memory>

enum TKvClockSource { csInternal = 0, csExternal = 1 };

class TDnCommonGen : public TComponent {
public:
  PUBLISHED_CLASS_INFO

  explicit TDnCommonGen(TComponent* owner);

  // Audio buffers leave here.
  TDnLkAudioSourcePin* OutputPin() const { return OutputPin_.get(); }
  // Mirrors Enabled; a value set on it from a linked pin sets Enabled.
  TLkBoolStatePin* EnablePin() const { return EnablePin_.get(); }
  // The external clock: one tick per buffer (or other clock operation) that arrives.
  TLkClockSinkPin* ClockPin() const { return ClockPin_.get(); }

  bool Enabled() const { return Enabled_; }
  // A new value starts the generator (True, unless it is being designed) or stops it (False); the
  // current value changes nothing. A generator is made enabled but idle: it starts when the layout
  // it was read from is in place (Loaded), or with Start after a Stop.
  void SetEnabled(bool enabled);
  void Start() { SetEnabled(true); }
  void Stop() { SetEnabled(false); }
  // Carried in the pump request only.
  int32_t PumpPriority() const { return PumpPriority_; }
  void SetPumpPriority(int32_t priority);
  TKvClockSource ClockSource() const { return ClockSource_; }
  void SetClockSource(TKvClockSource source);
  // The format of the buffers produced; assigning copies the other format's settings.
  TDnAudioFormat* AudioFormat() const { return AudioFormat_.get(); }
  void SetAudioFormat(const TDnAudioFormat& format);

  // Buffers are produced only while the generator runs.
  bool Running() const { return Running_; }
  // Whether the generator drives itself (internal clock) or has been enabled (external clock).
  bool PumpOwner() const { return PumpOwner_; }

  // Starts the generator if it is enabled and not being designed.
  void Loaded() override;

  // One tick: creates a buffer, lets Generate fill it and sends it. Does nothing while the
  // generator does not run or its lock is refused (a stop is pending).
  void PumpBuffer();
  // A tick at the ClockPin: pumps when the generator is externally clocked and has been enabled.
  void ClockTick();
  // Any operation at the ClockPin: anything but a tick is answered upstream with whether the
  // generator is enabled.
  uint8_t ClockPinOperation(TLkNotifyOperation& operation);

protected:
  // What comes back upstream to OutputPin: a start at a sample rate, a stop, a stream query.
  // Answers false.
  virtual bool ProcessOutputOperation(TLkNotifyOperation& operation);
  // Externally clocked: becomes pump owner. Internally clocked: asks downstream for the pump at
  // the buffer rate, and becomes pump owner when the request comes back naming it.
  virtual void RequestPump();
  // Starts the clock thread when the generator owns the pump, is internally clocked, has none
  // yet and its sample rate is above 0.
  virtual void StartClock();
  virtual void BufferSizeChanged(uint32_t) {}
  // Requests the pump, tells the sizes, runs, announces the format downstream and starts the clock.
  virtual void DoStart();
  virtual void SampleRateChanged(double) {}
  // Fills the buffer of one tick; clearing `send` keeps it from being sent, setting `stop` stops
  // the generator after it.
  virtual void Generate(TRef<IDnAudioBuffer>& buffer, bool& send, bool& stop) = 0;
  // Under the stop lock: ends the clock thread (waiting for it unless called from its own tick),
  // stops running and sends an end-stop downstream.
  virtual void DoStop();

  // Stops and lets the pins go while the generator is whole.
  void Destroying() override;

  // The component lock, shared with the pins and the audio format.
  TLkLock& ComponentLock() { return Lock; }
  // One 16-bit mono sample per frame of the format: subclasses compose their signal in it. Made
  // anew whenever the format changes.
  TKvBlockBuffer& SampleBlock() { return *SampleBlock_; }

private:
  // Step two of enabling: becomes pump owner (or asks for the pump) and starts.
  void StartEnabled();
  // Sends a pump request at `rate` buffers per second and answers whether it came back naming
  // this generator.
  bool SendPumpRequest(float rate);
  void FormatChanged();

  TLkLock Lock;
  TLkPinPtr<TDnLkAudioSourcePin> OutputPin_;
  TLkPinPtr<TLkBoolStatePin> EnablePin_;
  TLkPinPtr<TLkClockSinkPin> ClockPin_;
  std::unique_ptr<TDnAudioFormat> AudioFormat_;
  TRef<TKvBlockBuffer> SampleBlock_;
  std::atomic<bool> Enabled_{true};
  std::atomic<int32_t> PumpPriority_{0};
  std::atomic<TKvClockSource> ClockSource_{csInternal};
  std::atomic<bool> Running_{false};
  std::atomic<bool> PumpOwner_{false};
  std::unique_ptr<TKvClockGen> ClockThread;
};
