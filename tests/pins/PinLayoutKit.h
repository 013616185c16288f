#pragma once

// A component with every way of holding pins, for the layout tests of links and for the fuzzer:
// an input and an output pin, owning lists of inputs (at most 3) and outputs (at most 4), a
// non-owning list of inputs that it adds itself, and a boolean state pin.

#include "PinTestKit.h"

#include "pins/LkStdTypes.h"

#include <vector>

class TTestNode : public TComponent {
public:
  PUBLISHED_CLASS_INFO
  explicit TTestNode(TComponent* owner);

  TTestSink* InputPin() const { return InputPin_.get(); }
  TTestSource* OutputPin() const { return OutputPin_.get(); }
  TLkPinListOwner* InputPins() const { return InputPins_.get(); }
  TLkPinListOwner* OutputPins() const { return OutputPins_.get(); }
  TLkPinList* Taps() const { return Taps_.get(); }
  TLkBoolStatePin* StatePin() const { return StatePin_.get(); }
  // Creates one pin of the non-owning list, as a component does when it makes a channel.
  TTestSink& AddTap();
  // What the inputs' destroy callback was called with, in order.
  std::vector<TLkBasicPin*> Destroyed;

protected:
  void Destroying() override;

private:
  TLkLock Lock;
  TLkPinPtr<TTestSink> InputPin_;
  TLkPinPtr<TTestSource> OutputPin_;
  TLkPinPtr<TLkBoolStatePin> StatePin_;
  std::unique_ptr<TLkPinListOwner> InputPins_;
  std::unique_ptr<TLkPinListOwner> OutputPins_;
  std::unique_ptr<TLkPinList> Taps_;
  std::vector<TLkPinPtr<TTestSink>> TapPins;
};

// The root of the link layouts: writes its owned components.
class TTestLinkRoot : public TComponent {
public:
  PUBLISHED_CLASS_INFO
  explicit TTestLinkRoot(TComponent* owner = nullptr) : TComponent(owner) {}
  void GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const override;
};

void RegisterPinLayoutClasses();
