#include "PinTestKit.h"

TTestSource::TTestSource(TComponent* owner, std::vector<TGUID> offered, ILkLock* componentLock)
    : TLkSourcePin(owner, componentLock) {
  for (const TGUID& type : offered) AddType(type, TLkHandler::Of<&TTestSource::Deliver>(this));
}

uint8_t TTestSource::Deliver(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation) {
  Sent.push_back({peer, {type, flags, operation.Id()}});
  return peer->Receive(type, operation, flags);
}

TTestSink::TTestSink(TComponent* owner, std::vector<TGUID> accepted, ILkLock* componentLock)
    : TLkSinkPin(owner, nullptr, componentLock) {
  for (const TGUID& type : accepted) Implement(type);
}

uint8_t TTestSink::Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) {
  Received.push_back({type, flags, operation.Id()});
  return 0;
}

TTestSource& TTestComponent::AddSource(std::vector<TGUID> offered) {
  auto* pin = new TTestSource(this, std::move(offered), &Lock);
  Pins.emplace_back(pin);
  return *pin;
}

TTestSink& TTestComponent::AddSink(std::vector<TGUID> accepted) {
  auto* pin = new TTestSink(this, std::move(accepted), &Lock);
  Pins.emplace_back(pin);
  return *pin;
}

void TTestComponent::Destroying() {
  Pins.clear();
  TComponent::Destroying();
}

int TTestConverter::Alive = 0;

TTestConverter::TTestConverter() {
  ++Alive;
  SetPins(TLkPinPtr<TLkSinkPin>(new TTestSink(this, {TypeA})), TLkPinPtr<TLkSourcePin>(new TTestSource(this, {TypeB})));
}

void RegisterTestConverter() {
  RegisterFormatConverter(TypeA, TypeB, []() -> TLkFormatConverter* { return new TTestConverter; });
}
