#include "StreamTestKit.h"

#include "buffers/DnSimpleAudioBuffer.h"
#include "platform/Published.h"

const TClassInfo& TTestAudioGenerator::StaticClassInfo() {
  return DefineClass<TTestAudioGenerator, TComponent>("TTestAudioGenerator", [](TPublished<TTestAudioGenerator>& p) {
    p.Object("OutputPin", &TTestAudioGenerator::OutputPin);
  });
}

TTestAudioGenerator::TTestAudioGenerator(TComponent* owner)
    : TComponent(owner), OutputPin_(new TDnLkAudioSourcePin(this, nullptr, &Lock)) {}

uint32_t TTestAudioGenerator::Run(uint32_t count) {
  OutputPin_->Notify(*MakeRef<TLkStartWaveOperation>(TDnWaveFormat::Pcm(2, 16, SampleRate, 3), false));
  uint32_t sent = 0;
  for (uint32_t b = 0; b < count; ++b) {
    const TRef<TDnAudioBuffer> buffer = MakeRef<TDnAudioBuffer>(SampleRate, 3, Frames, 2, 16);
    auto* samples = reinterpret_cast<int16_t*>(buffer->WriteData());
    for (uint32_t f = 0; f < Frames; ++f) {
      samples[2 * f] = Sample(b, f);
      samples[2 * f + 1] = static_cast<int16_t>(-Sample(b, f));
    }
    sent += OutputPin_->SendBuffer(buffer);
    if (BetweenBuffers) BetweenBuffers();
  }
  OutputPin_->SendStop();
  return sent;
}

void TTestAudioGenerator::Destroying() {
  OutputPin_.reset();
  TComponent::Destroying();
}

const TClassInfo& TTestRealChecker::StaticClassInfo() {
  return DefineClass<TTestRealChecker, TComponent>(
      "TTestRealChecker", [](TPublished<TTestRealChecker>& p) { p.Object("InputPin", &TTestRealChecker::InputPin); });
}

TTestRealChecker::TTestRealChecker(TComponent* owner)
    : TComponent(owner),
      InputPin_(new TKvLkRealSinkPin(
          this,
          [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) { return Receive(operation); },
          &Lock)) {}

uint8_t TTestRealChecker::Receive(TLkNotifyOperation& operation) {
  if (auto* start = OperationAs<TLkStartWaveOperation>(operation)) {
    ++Starts;
    if (start->SampleRate != TTestAudioGenerator::SampleRate) ++Faults;
  } else if (OperationAs<TLkStopOperation>(operation)) {
    ++Stops;
  } else if (auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation)) {
    const TRef<IKvRealBuffer> real = Supports<IKvRealBuffer>(supplied->Buffer);
    if (!real || real->GetCount() != TTestAudioGenerator::Frames) return ++Faults, 0;
    const double* values = real->ReadData();
    const auto number = static_cast<uint32_t>(values[0]) / 64;
    for (uint32_t f = 0; f < TTestAudioGenerator::Frames; ++f)
      if (values[f] != TTestAudioGenerator::Sample(number, f)) return ++Faults, 0;
    std::lock_guard lock(Guard);
    Received.push_back(number);
  }
  return 0;
}

std::vector<uint32_t> TTestRealChecker::Buffers() {
  std::lock_guard lock(Guard);
  return Received;
}

void TTestRealChecker::Destroying() {
  InputPin_.reset();
  TComponent::Destroying();
}

void RegisterStreamTestClasses() { RegisterClasses<TTestAudioGenerator, TTestRealChecker>(); }
