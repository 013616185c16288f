#pragma once

// The hidden component that converts between two stream types.

#include "pins/LkSinkPin.h"
#include "pins/LkSourcePin.h"
#include "platform/Component.h"

// A hidden component between two stream types: its input takes what the source sends and its
// output sends the converted operations on to the sinks.
class TLkFormatConverter : public TComponent {
public:
  PUBLISHED_CLASS_INFO

  TLkSinkPin& Input() const { return *Input_; }
  TLkSourcePin& Output() const { return *Output_; }

protected:
  TLkFormatConverter() : TComponent(nullptr) {}
  // Called once by the constructor of each converter class; the output depends on the input.
  void SetPins(TLkPinPtr<TLkSinkPin> input, TLkPinPtr<TLkSourcePin> output);
  void Destroying() override;

private:
  TLkPinPtr<TLkSinkPin> Input_;
  TLkPinPtr<TLkSourcePin> Output_;
};
