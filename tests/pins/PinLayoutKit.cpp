#include "PinLayoutKit.h"

#include "platform/Published.h"

const TClassInfo& TTestNode::StaticClassInfo() {
  return DefineClass<TTestNode, TComponent>("TTestNode", [](TPublished<TTestNode>& p) {
    p.Object("InputPin", &TTestNode::InputPin)
        .Object("OutputPin", &TTestNode::OutputPin)
        .Object("InputPins", &TTestNode::InputPins)
        .Object("OutputPins", &TTestNode::OutputPins)
        .Object("Taps", &TTestNode::Taps)
        .Object("StatePin", &TTestNode::StatePin);
  });
}

TTestNode::TTestNode(TComponent* owner)
    : TComponent(owner),
      InputPin_(new TTestSink(this, {TypeA}, &Lock)),
      OutputPin_(new TTestSource(this, {TypeA}, &Lock)),
      StatePin_(new TLkBoolStatePin(this, nullptr, &Lock)),
      InputPins_(std::make_unique<TLkPinListOwner>(
          this, &Lock, 0, 3, [this](TLkPinListOwner&) -> TLkBasicPin* { return new TTestSink(this, {TypeA}, &Lock); },
          [this](TLkPinListOwner&, TLkBasicPin* pin) { Destroyed.push_back(pin); })),
      OutputPins_(std::make_unique<TLkPinListOwner>(
          this, &Lock, 0, 4, [this](TLkPinListOwner&) -> TLkBasicPin* { return new TTestSource(this, {TypeA}, &Lock); },
          nullptr)),
      Taps_(std::make_unique<TLkPinList>(this, false, &Lock)) {}

TTestSink& TTestNode::AddTap() {
  TTestSink& pin = *TapPins.emplace_back(new TTestSink(this, {TypeA}, &Lock));
  Taps_->Add(&pin);
  return pin;
}

void TTestNode::Destroying() {
  InputPins_->Clear();
  OutputPins_->Clear();
  Taps_->Clear();
  TapPins.clear();
  InputPin_.reset();
  OutputPin_.reset();
  StatePin_.reset();
  TComponent::Destroying();
}

const TClassInfo& TTestLinkRoot::StaticClassInfo() { return DefineClass<TTestLinkRoot, TComponent>("TTestLinkRoot"); }

void TTestLinkRoot::GetChildren(const std::function<void(TComponent*)>& visit, TComponent*) const {
  for (int i = 0; i < ComponentCount(); ++i) visit(Components(i));
}

void RegisterPinLayoutClasses() { RegisterClasses<TTestNode>(); }
