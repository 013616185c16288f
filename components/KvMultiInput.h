#pragma once

// Components with any number of queued real inputs that emit one buffer of BufferSize samples
// whenever every participating input holds enough. Each input queues what it receives, so
// producers on other threads, with buffers of any length, feed one output stream.

#include "pins/KvQueuedSinkPins.h"

#include <atomic>
#include <cstdint>
#include <vector>

class TKvMultiInput : public TComponent {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvMultiInput(TComponent* owner);

  int32_t BufferSize() const { return BufferSize_; }
  // At least 1; while started, the inputs' needed counts follow at once.
  virtual void SetBufferSize(int32_t size);
  // The rate of the output stream, fixed by the inputs started first; 0 before.
  double StreamRate() const { return StreamRate_; }
  bool Started() const { return Started_; }

protected:
  // What arrives on input `pin`.
  virtual uint8_t InputHandler(TKvLkQueuedRealSinkPin* pin, TLkNotifyOperation& operation);
  // What arrives from downstream on the output.
  virtual uint8_t OutputHandler(TLkNotifyOperation& operation) = 0;
  // A stopped input is reset (no longer started) rather than only made passive.
  virtual bool ResetOnStop() const { return true; }
  // Clears the started and rate-fixed flags and the stream rate, and sends a stop downstream.
  virtual void StopStream();
  // Emits while every participating input is ready and something was emitted.
  virtual void TryEmit();
  // After every start of an input: fixes the rate and starts the output stream once.
  virtual void StartStream();
  // Makes one output buffer from the inputs' queues; false when nothing was taken or sent. Runs
  // within TryEmit's section of the lock.
  virtual bool Process() { return false; }
  virtual TKvLkSourcePin* GetOutputPin() = 0;
  // A new queued input of `list`, handled by InputHandler.
  virtual TKvLkQueuedRealSinkPin* CreateInputPin(TLkPinList* list);
  // The input leaves the component (its list frees it).
  virtual void RemoveInputPin(TLkBasicPin* pin);

  TLkLock& ComponentLock() { return Lock; }
  // Under the lock.
  const std::vector<TKvLkQueuedRealSinkPin*>& Inputs() const { return Inputs_; }
  // An input that takes part in an emit: linked and started.
  static bool Contributes(TKvLkQueuedRealSinkPin& pin);
  // Forgets every input: the derived class frees them as it goes.
  void ForgetInputs();

private:
  // Every linked, started input gets its needed count; every other input becomes passive.
  void AssignNeeded();
  // Whether no linked input holds the next emit back.
  bool AllReady();

  TLkLock Lock;
  std::vector<TKvLkQueuedRealSinkPin*> Inputs_;
  std::atomic<int32_t> BufferSize_{1024};
  std::atomic<double> StreamRate_{0};
  std::atomic<bool> Started_{false};
  bool RateFixed = false;
  bool PumpWanted = false;
};

// A multi-input component with one real output.
class TKvRealMultiInput : public TKvMultiInput {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvRealMultiInput(TComponent* owner);
  TKvLkRealSourcePin* OutputPin() const { return OutputPin_.get(); }

protected:
  // Passed upstream through every linked input (the answer is the last one's); with none linked,
  // a start first asks for a pump downstream, and the operation goes on downstream.
  uint8_t OutputHandler(TLkNotifyOperation& operation) override;
  TKvLkSourcePin* GetOutputPin() override { return OutputPin_.get(); }
  // The output depends on every input.
  TKvLkQueuedRealSinkPin* CreateInputPin(TLkPinList* list) override;
  void Destroying() override;

private:
  TLkPinPtr<TKvLkRealSourcePin> OutputPin_;
};
