#include "components/KvMultiInput.h"

#include "components/ComponentPins.h"
#include "platform/Published.h"

#include <algorithm>
#include <cmath>

namespace {

// The kind of pump a multi-input component asks for on behalf of its inputs.
constexpr int32_t MultiInputPumpKind = 0;

}  // namespace

const TClassInfo& TKvMultiInput::StaticClassInfo() {
  return DefineClass<TKvMultiInput, TComponent>("TKvMultiInput", [](TPublished<TKvMultiInput>& p) {
    p.Integer("BufferSize", &TKvMultiInput::BufferSize, &TKvMultiInput::SetBufferSize, 1024);
  });
}

TKvMultiInput::TKvMultiInput(TComponent* owner) : TComponent(owner) {}

void TKvMultiInput::SetBufferSize(int32_t size) {
  const TLkLockSection section = Lock.WriteLock();
  if (!section) return;
  size = std::max(size, 1);
  if (size == BufferSize_) return;
  BufferSize_ = size;
  if (Started_) AssignNeeded();
}

bool TKvMultiInput::Contributes(TKvLkQueuedRealSinkPin& pin) { return pin.IsLinked() && pin.Queued().IsStarted(); }

TKvLkQueuedRealSinkPin* TKvMultiInput::CreateInputPin(TLkPinList* list) {
  const TLkLockSection section = Lock.WriteLock();
  if (!section) return nullptr;
  auto* pin = new TKvLkQueuedRealSinkPin(
      this,
      [this](TLkBasicPin* pin, const TGUID&, uint8_t, TLkNotifyOperation& operation) {
        return InputHandler(static_cast<TKvLkQueuedRealSinkPin*>(pin), operation);
      },
      &Lock, list);
  Inputs_.push_back(pin);
  return pin;
}

void TKvMultiInput::RemoveInputPin(TLkBasicPin* pin) {
  const TLkLockSection section = Lock.WriteLock();
  if (section) std::erase(Inputs_, pin);
}

void TKvMultiInput::ForgetInputs() {
  const TLkLockSection section = Lock.WriteLock();
  if (section) Inputs_.clear();
}

uint8_t TKvMultiInput::InputHandler(TKvLkQueuedRealSinkPin* pin, TLkNotifyOperation& operation) {
  const TLkLockSection section = Lock.WriteLock();
  if (!section) return 0;
  TKvLkQueuedPinImpl& queued = pin->Queued();
  if (auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation)) {
    // Only real samples can be summed; anything else would be copied as bytes.
    if (supplied->Buffer && InterfaceOf<IKvRealBuffer>(*supplied->Buffer)) {
      queued.Push(supplied->Buffer);
      TryEmit();
    }
  } else if (auto* start = OperationAs<TLkStartSampleRateOperation>(operation)) {
    queued.SetSampleRate(start->SampleRate);
    StartStream();
  } else if (OperationAs<TLkStopOperation>(operation)) {
    if (ResetOnStop()) queued.Reset();
    else queued.Stop();
    // An input that never started (one unlinked before any start) stops no stream.
    const bool anyStarted = std::any_of(Inputs_.begin(), Inputs_.end(),
                                        [](TKvLkQueuedRealSinkPin* input) { return input->Queued().IsStarted(); });
    if (!anyStarted && Started_) StopStream();
  } else if (OperationAs<TLkStartPumpOperation>(operation)) {
    if (!Started_) PumpWanted = true;
  } else if (OperationAs<TLkIgnoreStreamOperation>(operation)) {
    queued.SetIgnored(true);
  } else if (!OperationAs<TLkPumpRequestOperation>(operation)) {
    if (TKvLkSourcePin* output = GetOutputPin()) return output->Notify(operation);
  }
  return 0;
}

void TKvMultiInput::StopStream() {
  const TLkLockSection section = Lock.WriteLock();
  if (!section) return;
  Started_ = false;
  RateFixed = false;
  StreamRate_ = 0;
  if (TKvLkSourcePin* output = GetOutputPin()) output->SendStop();
}

void TKvMultiInput::AssignNeeded() {
  for (TKvLkQueuedRealSinkPin* pin : Inputs_) {
    if (Contributes(*pin)) pin->Queued().SetNeeded(BufferSize_, float(StreamRate_));
    else pin->Queued().SetPassive(true);
  }
}

void TKvMultiInput::StartStream() {
  const TLkLockSection section = Lock.WriteLock();
  if (!section) return;
  if (Started_) {
    AssignNeeded();
    return;
  }
  if (!RateFixed) {
    double rate = 0;
    for (TKvLkQueuedRealSinkPin* pin : Inputs_)
      if (Contributes(*pin)) rate = std::max(rate, pin->Queued().GetSampleRate());
    StreamRate_ = rate;
    RateFixed = true;
  }
  AssignNeeded();
  StreamRate_ = std::nearbyint(StreamRate_.load());
  Started_ = true;
  TKvLkSourcePin* output = GetOutputPin();
  if (!output) return;
  output->Notify(*MakeRef<TLkStartSampleRateOperation>(StreamRate_));
  if (std::exchange(PumpWanted, false))
    output->Notify(*MakeRef<TLkPumpRequestOperation>(this, float(StreamRate_ / BufferSize_), 0, MultiInputPumpKind));
}

bool TKvMultiInput::AllReady() {
  for (TKvLkQueuedRealSinkPin* pin : Inputs_) {
    if (!pin->IsLinked()) continue;
    TKvLkQueuedPinImpl& queued = pin->Queued();
    if (queued.IsStarted() ? !queued.IsReady() : !queued.IsIgnored() && !queued.IsPassive()) return false;
  }
  return true;
}

void TKvMultiInput::TryEmit() {
  const TLkLockSection section = Lock.WriteLock();
  if (!section) return;
  // Upstream buffers longer than BufferSize make more than one emit; a pass that takes nothing
  // (no input contributes) ends the loop, and so does a section that lost its lock while a buffer
  // travelled downstream (a stop came meanwhile).
  while (section && AllReady() && Process()) {}
}

// TKvRealMultiInput ------------------------------------------------------------------------------

const TClassInfo& TKvRealMultiInput::StaticClassInfo() {
  return DefineClass<TKvRealMultiInput, TKvMultiInput>("TKvRealMultiInput", [](TPublished<TKvRealMultiInput>& p) {
    p.Object("OutputPin", &TKvRealMultiInput::OutputPin);
  });
}

TKvRealMultiInput::TKvRealMultiInput(TComponent* owner)
    : TKvMultiInput(owner),
      OutputPin_(new TKvLkRealSourcePin(
          this,
          [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) {
            return OutputHandler(operation);
          },
          &ComponentLock())) {}

TKvLkQueuedRealSinkPin* TKvRealMultiInput::CreateInputPin(TLkPinList* list) {
  TKvLkQueuedRealSinkPin* pin = TKvMultiInput::CreateInputPin(list);
  if (pin) OutputPin_->AddDependency(pin);
  return pin;
}

uint8_t TKvRealMultiInput::OutputHandler(TLkNotifyOperation& operation) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (!section) return 0;
  bool anyLinked = false;
  uint8_t result = 0;
  for (TKvLkQueuedRealSinkPin* pin : Inputs()) {
    if (!pin->IsLinked()) continue;
    anyLinked = true;
    result = pin->Notify(operation);
  }
  if (anyLinked) return result;
  if (OperationAs<TLkStartOperation>(operation))
    OutputPin_->Notify(*MakeRef<TLkPumpRequestOperation>(this, 0.0f, 0, MultiInputPumpKind));
  return OutputPin_->Notify(operation);
}

void TKvRealMultiInput::Destroying() {
  FreePin(OutputPin_);
  TKvMultiInput::Destroying();
}
