#include "PinTestKit.h"

TTestSource::TTestSource(TComponent* owner, std::vector<TGUID> offered, ILkLock* componentLock)
    : TLkSourcePin(owner, componentLock) {
  for (const TGUID& type : offered) AddType(type, TLkHandler::Of<&TTestSource::Deliver>(this));
}

uint8_t TTestSource::Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) {
  std::lock_guard lock(Records);
  Received.push_back({type, flags, operation.Id()});
  return 0;
}

uint8_t TTestSource::Deliver(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation) {
  {
    std::lock_guard lock(Records);
    Sent.push_back({peer, {type, flags, operation.Id()}});
  }
  return peer->Receive(type, operation, flags);
}

TTestSink::TTestSink(TComponent* owner, std::vector<TGUID> accepted, ILkLock* componentLock)
    : TLkSinkPin(owner, nullptr, componentLock) {
  // Like the stream sinks: any source whose type negotiation succeeds is accepted.
  SetSkipAcceptance(true);
  for (const TGUID& type : accepted) {
    Implement(type);
    AddType(type, TLkHandler::Of<&TTestSink::Upstream>(this));
  }
}

uint8_t TTestSink::Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) {
  {
    std::lock_guard lock(Records);
    Received.push_back({type, flags, operation.Id()});
  }
  if (OnReceive) OnReceive(operation);
  return Answer;
}

uint8_t TTestSink::Upstream(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation) {
  return peer->Receive(type, operation, flags);
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

std::atomic<int> TTestConverter::Alive = 0;
std::atomic<int> TTestConverter::Forwarded = 0;

TTestConverter::TTestConverter() {
  ++Alive;
  auto* input = new TTestSink(this, {TypeA});
  auto* output = new TTestSource(this, {TypeB});
  input->OnReceive = [output](TLkNotifyOperation& operation) {
    ++Forwarded;
    output->Notify(operation);
  };
  SetPins(TLkPinPtr<TLkSinkPin>(input), TLkPinPtr<TLkSourcePin>(output));
}

void RegisterTestConverter() {
  RegisterFormatConverter(TypeA, TypeB, []() -> TLkFormatConverter* { return new TTestConverter; });
}
