#include "ComponentTestKit.h"

#include "buffers/KvSimpleDataBuffer.h"

#include <cstring>
#include <thread>

bool WaitUntil(const std::function<bool()>& condition, std::chrono::seconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

namespace {

class TSteppedTimerHandle : public TPeriodicTimer {
public:
  TSteppedTimerHandle(std::shared_ptr<void> state, std::function<void()> stop)
      : State(std::move(state)), Stop(std::move(stop)) {}
  ~TSteppedTimerHandle() override { Stop(); }

private:
  std::shared_ptr<void> State;
  std::function<void()> Stop;
};

}  // namespace

TSteppedTimer::TSteppedTimer() {
  Previous = TKvMediaMasterClock::SetTimerFactory([state = State](TPeriodicTimer::TTick tick) {
    std::lock_guard lock(state->Guard);
    state->Tick = std::move(tick);
    ++state->Started;
    return std::make_unique<TSteppedTimerHandle>(state, [state] {
      std::lock_guard lock(state->Guard);
      state->Tick = nullptr;
    });
  });
}

TSteppedTimer::~TSteppedTimer() { TKvMediaMasterClock::SetTimerFactory(Previous); }

void TSteppedTimer::Step(int milliseconds) {
  std::lock_guard lock(State->Guard);
  for (int i = 0; i < milliseconds && State->Tick; ++i) State->Tick(1);
}

int TSteppedTimer::Started() {
  std::lock_guard lock(State->Guard);
  return State->Started;
}

std::string Describe(TLkNotifyOperation& operation) {
  if (auto* start = OperationAs<TLkStartWaveOperation>(operation))
    return "start wave " + std::to_string(start->Header.SamplesPerSec);
  if (auto* start = OperationAs<TLkStartSampleRateOperation>(operation))
    return "start sample rate " + std::to_string(int(start->SampleRate));
  if (auto* pump = OperationAs<TLkPumpRequestOperation>(operation))
    return "pump request " + std::to_string(int(pump->Rate)) + " priority " + std::to_string(pump->Priority) +
           " kind " + std::to_string(pump->Kind);
  if (auto* needed = OperationAs<TLkClockNeededOperation>(operation))
    return std::string("clock needed ") + (needed->Enabled ? "true" : "false");
  if (OperationAs<TLkEndStopOperation>(operation)) return "end stop";
  if (OperationAs<TLkStopOperation>(operation)) return "stop";
  if (OperationAs<TLkIgnoreStreamOperation>(operation)) return "ignore stream";
  if (OperationAs<TLkQueryStreamOperation>(operation)) return "query stream";
  if (OperationAs<TLkSuppliedBufferOperation>(operation)) return "buffer";
  return "other";
}

std::vector<int16_t> TAudioRecorder::TBuffer::Channel0() const {
  std::vector<int16_t> samples(Frames);
  for (uint32_t frame = 0; frame < Frames; ++frame)
    std::memcpy(&samples[frame], &Bytes[size_t(frame) * Channels * 2], 2);
  return samples;
}

TAudioRecorder::TAudioRecorder(TComponent* owner)
    : TComponent(owner),
      Input_(new TDnLkAudioSinkPin(
          this,
          [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) { return Receive(operation); },
          &Lock)) {}

uint8_t TAudioRecorder::Receive(TLkNotifyOperation& operation) {
  auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation);
  {
    std::lock_guard lock(Guard);
    Events_.push_back(Describe(operation));
    if (supplied) {
      auto* audio = InterfaceOf<IDnAudioBuffer>(*supplied->Buffer);
      const auto* data = audio->ReadData();
      Buffers_.push_back({audio->GetCount(), audio->GetChannels(), audio->GetBits(), audio->GetSampleRate(),
                          std::vector<uint8_t>(data, data + audio->GetSize())});
    }
  }
  if (supplied && OnBuffer) OnBuffer();
  return 0;
}

std::vector<std::string> TAudioRecorder::Events() {
  std::lock_guard lock(Guard);
  return Events_;
}

std::vector<TAudioRecorder::TBuffer> TAudioRecorder::Buffers() {
  std::lock_guard lock(Guard);
  return Buffers_;
}

size_t TAudioRecorder::BufferCount() {
  std::lock_guard lock(Guard);
  return Buffers_.size();
}

void TAudioRecorder::Clear() {
  std::lock_guard lock(Guard);
  Events_.clear();
  Buffers_.clear();
}

std::vector<int16_t> TAudioRecorder::Stream() {
  std::vector<int16_t> stream;
  for (const TBuffer& buffer : Buffers()) {
    const std::vector<int16_t> samples = buffer.Channel0();
    stream.insert(stream.end(), samples.begin(), samples.end());
  }
  return stream;
}

void TAudioRecorder::Destroying() {
  Input_.reset();
  TComponent::Destroying();
}

TManualClock::TManualClock(TComponent* owner)
    : TComponent(owner), Output_(new TDnLkAudioSourcePin(this, nullptr, &Lock)) {}

void TManualClock::Tick() {
  const TRef<TDnAudioBuffer> buffer = MakeRef<TDnAudioBuffer>(44100, 1, 1024, 1, 16);
  buffer->Silence();
  Output_->SendBuffer(buffer);
}

void TManualClock::Destroying() {
  Output_.reset();
  TComponent::Destroying();
}

TRealSource::TRealSource(TComponent* owner)
    : TComponent(owner),
      Output_(new TKvLkRealSourcePin(
          this,
          [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) -> uint8_t {
            std::lock_guard lock(Guard);
            Upstream_.push_back(Describe(operation));
            return 0;
          },
          &Lock)) {}

void TRealSource::Start(double sampleRate) { Output_->Notify(*MakeRef<TLkStartSampleRateOperation>(sampleRate)); }

void TRealSource::Send(const std::vector<double>& samples) {
  Output_->SendBuffer(MakeRef<TKvRealBuffer>(samples.data(), uint32_t(samples.size())));
}

void TRealSource::Stop() { Output_->SendStop(); }

std::vector<std::string> TRealSource::Upstream() {
  std::lock_guard lock(Guard);
  return Upstream_;
}

void TRealSource::Destroying() {
  Output_.reset();
  TComponent::Destroying();
}

TRealRecorder::TRealRecorder(TComponent* owner)
    : TComponent(owner),
      Input_(new TKvLkRealSinkPin(
          this,
          [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) -> uint8_t {
            std::lock_guard lock(Guard);
            Events_.push_back(Describe(operation));
            auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation);
            if (auto* real = supplied ? InterfaceOf<IKvRealBuffer>(*supplied->Buffer) : nullptr)
              Buffers_.emplace_back(real->ReadData(), real->ReadData() + real->GetCount());
            return 0;
          },
          &Lock)) {}

std::vector<std::string> TRealRecorder::Events() {
  std::lock_guard lock(Guard);
  return Events_;
}

std::vector<std::vector<double>> TRealRecorder::Buffers() {
  std::lock_guard lock(Guard);
  return Buffers_;
}

size_t TRealRecorder::BufferCount() {
  std::lock_guard lock(Guard);
  return Buffers_.size();
}

void TRealRecorder::Clear() {
  std::lock_guard lock(Guard);
  Events_.clear();
  Buffers_.clear();
}

void TRealRecorder::Destroying() {
  Input_.reset();
  TComponent::Destroying();
}

TAudioSource::TAudioSource(TComponent* owner)
    : TComponent(owner),
      Output_(new TDnLkAudioSourcePin(
          this,
          [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) -> uint8_t {
            std::lock_guard lock(Guard);
            Upstream_.push_back(Describe(operation));
            return 0;
          },
          &Lock)) {}

void TAudioSource::Start(const TDnWaveFormat& header) {
  Output_->Notify(*MakeRef<TLkStartWaveOperation>(header, false));
}

void TAudioSource::Send(const TRef<IDnAudioBuffer>& buffer) { Output_->SendBuffer(buffer); }

void TAudioSource::Stop() { Output_->SendStop(); }

std::vector<std::string> TAudioSource::Upstream() {
  std::lock_guard lock(Guard);
  return Upstream_;
}

void TAudioSource::Destroying() {
  Output_.reset();
  TComponent::Destroying();
}
