#include "components/DnCommonGen.h"

#include "platform/Published.h"

#include <algorithm>
#include <cstdint>

namespace {

// The kind of pump a generator asks for.
constexpr int32_t GeneratorPumpKind = 2;

}  // namespace

const TClassInfo& TDnCommonGen::StaticClassInfo() {
  static const TEnumNames<TKvClockSource> clockSources = {{csInternal, "csInternal"}, {csExternal, "csExternal"}};
  return DefineClass<TDnCommonGen, TComponent>("TDnCommonGen", [](TPublished<TDnCommonGen>& p) {
    using T = TDnCommonGen;
    p.Object("OutputPin", &T::OutputPin)
        .Object("EnablePin", &T::EnablePin)
        .Object("ClockPin", &T::ClockPin)
        .Boolean("Enabled", &T::Enabled, &T::SetEnabled, true)
        .Integer("PumpPriority", &T::PumpPriority, &T::SetPumpPriority)
        .Enumeration("ClockSource", clockSources, &T::ClockSource, &T::SetClockSource)
        .Object("AudioFormat", &T::AudioFormat);
  });
}

TDnCommonGen::TDnCommonGen(TComponent* owner)
    : TComponent(owner),
      OutputPin_(new TDnLkAudioSourcePin(
          this,
          [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) {
            return static_cast<uint8_t>(ProcessOutputOperation(operation));
          },
          &Lock)),
      EnablePin_(new TLkBoolStatePin(
          this, [this](TLkBasicPin*, bool value) { SetEnabled(value); }, &Lock)),
      ClockPin_(new TLkClockSinkPin(
          this, nullptr,
          [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) {
            return ClockPinOperation(operation);
          },
          [this](TLkBasicPin*) { ClockTick(); }, &Lock)),
      AudioFormat_(std::make_unique<TDnAudioFormat>(this)) {
  EnablePin_->SetValue(true);
  GuardWithLock(*AudioFormat_, Lock);
  AudioFormat_->OnChange = [this](TObject*) { FormatChanged(); };
  FormatChanged();
}

void TDnCommonGen::FormatChanged() {
  // A size beyond what a block can hold raises rather than wrapping round to a small block.
  const uint64_t bytes = uint64_t(AudioFormat_->BufferSize()) * 2;
  SampleBlock_ = MakeRef<TKvBlockBuffer>(uint32_t(std::min<uint64_t>(bytes, UINT32_MAX)));
}

void TDnCommonGen::SetEnabled(bool enabled) {
  const TLkLockSection section = Lock.WriteLock();
  if (!section || enabled == Enabled_) return;
  Enabled_ = enabled;
  if (enabled && !IsDesigning()) StartEnabled();
  if (!enabled) DoStop();
  EnablePin_->SetValue(enabled);
}

void TDnCommonGen::StartEnabled() {
  if (ClockSource_ == csExternal) PumpOwner_ = true;
  else if (SendPumpRequest(1)) PumpOwner_ = true;
  DoStart();
}

bool TDnCommonGen::SendPumpRequest(float rate) {
  const TRef<TLkPumpRequestOperation> request =
      MakeRef<TLkPumpRequestOperation>(this, rate, PumpPriority_.load(), GeneratorPumpKind);
  OutputPin_->Notify(*request);
  // No component of this library answers for another pump, but one may.
  return request->Pump == this;
}

void TDnCommonGen::SetPumpPriority(int32_t priority) {
  const TLkLockSection section = Lock.WriteLock();
  if (section) PumpPriority_ = priority;
}

void TDnCommonGen::SetClockSource(TKvClockSource source) {
  const TLkLockSection section = Lock.WriteLock();
  if (section) ClockSource_ = source;
}

void TDnCommonGen::SetAudioFormat(const TDnAudioFormat& format) { AudioFormat_->Assign(format); }

void TDnCommonGen::Loaded() {
  TComponent::Loaded();
  const TLkLockSection section = Lock.WriteLock();
  if (section && Enabled_ && !IsDesigning()) StartEnabled();
}

void TDnCommonGen::RequestPump() {
  if (ClockSource_ == csExternal) {
    PumpOwner_ = true;
    return;
  }
  const auto rate = static_cast<float>(AudioFormat_->SampleRate() / AudioFormat_->BufferSize());
  if (SendPumpRequest(rate)) PumpOwner_ = true;
}

void TDnCommonGen::StartClock() {
  if (!PumpOwner_ || ClockSource_ != csInternal || ClockThread) return;
  const uint64_t interval = TKvClockGen::IntervalFor(AudioFormat_->SampleRate(), AudioFormat_->BufferSize());
  if (interval == 0) return;
  ClockThread = std::make_unique<TKvClockGen>(
      *this, [this] { PumpBuffer(); }, interval);
}

void TDnCommonGen::DoStart() {
  RequestPump();
  BufferSizeChanged(AudioFormat_->BufferSize());
  SampleRateChanged(AudioFormat_->SampleRate());
  Running_ = true;
  OutputPin_->Notify(*MakeRef<TLkStartWaveOperation>(AudioFormat_->Format(), false));
  StartClock();
}

void TDnCommonGen::DoStop() {
  // Held to the end: a tick on the clock thread that wants the lock meanwhile gives up at once.
  const TLkLockSection stop = Lock.StopLock();
  if (!stop) return;
  ClockThread.reset();
  Running_ = false;
  OutputPin_->Notify(*MakeRef<TLkEndStopOperation>());
}

void TDnCommonGen::PumpBuffer() {
  const TLkLockSection section = Lock.WriteLock();
  if (!section || !Running_) return;
  const TDnAudioFormat& format = *AudioFormat_;
  TRef<IDnAudioBuffer> buffer(new TDnAudioBuffer(format.SampleRate(), format.ChannelMask(), format.BufferSize(),
                                                 format.Channels(), format.Bits()));
  bool send = true, stop = false;
  Generate(buffer, send, stop);
  if (send) OutputPin_->SendBuffer(buffer);
  // The lock was lent away while the buffer travelled; a stop that came meanwhile has done the
  // stopping and holds it now.
  if (stop && section) DoStop();
}

void TDnCommonGen::ClockTick() {
  if (PumpOwner_ && ClockSource_ == csExternal) PumpBuffer();
}

uint8_t TDnCommonGen::ClockPinOperation(TLkNotifyOperation& operation) {
  if (!OperationAs<TLkClockOperation>(operation)) ClockPin_->Notify(*MakeRef<TLkClockNeededOperation>(Enabled_));
  return 0;
}

bool TDnCommonGen::ProcessOutputOperation(TLkNotifyOperation& operation) {
  const TLkLockSection section = Lock.WriteLock();
  if (!section) return false;
  if (auto* start = OperationAs<TLkStartSampleRateOperation>(operation)) {
    RequestPump();
    SampleRateChanged(start->SampleRate);
    StartClock();
  } else if (OperationAs<TLkStopOperation>(operation)) {
    DoStop();
  } else if (OperationAs<TLkQueryStreamOperation>(operation) && !Enabled_) {
    OutputPin_->Notify(*MakeRef<TLkIgnoreStreamOperation>());
  }
  return false;
}

void TDnCommonGen::Destroying() {
  {
    // Destruction goes on even when another thread's stop holds the lock.
    const TLkLockSection stop = Lock.StopLock();
    DoStop();
  }
  // The clock pin first: taking it out waits for a tick that is being delivered through it, which
  // may still be sending from OutputPin on the clock source's thread.
  FreePin(ClockPin_);
  FreePin(OutputPin_);
  FreePin(EnablePin_);
  TComponent::Destroying();
}
