#pragma once

#include "display/KvBasicWaterfall.h"
#include "pins/KvStreamTypes.h"
#include "pins/LkPins.h"

// The waterfall with its input pin, which takes real and integer buffers from any thread, and its
// level scale. A start through the pin empties the history and tells the rate and whether the rows
// are spectra. A legend made later is laid out before the level scale.
class TKvWaterfall : public TKvBasicWaterfall {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvWaterfall(TComponent* owner);
  ~TKvWaterfall() override;

  TKvLkComboRealIntSinkPin* InputPin() const { return InputPin_.get(); }
  TKvWaterfallDisplayLevelView* Levels() const { return const_cast<TKvWaterfallDisplayLevelView*>(&Levels_); }
  TKvAxisDisplayLevelView& LevelScale() const override { return *Levels(); }

protected:
  void Destroying() override;

private:
  // What arrives through the input pin.
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation);

  TKvWaterfallDisplayLevelView Levels_;
  TLkPinPtr<TKvLkComboRealIntSinkPin> InputPin_;
};
