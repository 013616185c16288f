#pragma once

#include "components/DnCommonSplitter.h"

#include <atomic>

// Splits audio into one real stream per channel, each on its own output pin.
class TDnAudioToReal : public TDnCommonSplitter {
public:
  PUBLISHED_CLASS_INFO

  explicit TDnAudioToReal(TComponent* owner);
  // Samples scaled to -1..1 by the container's full scale.
  bool Normalize() const { return Normalize_; }
  void SetNormalize(bool normalize);

protected:
  TKvLkSourcePin* CreateOutputPin() override;
  // Every output starts at the header's sample rate.
  void StartStream(const TDnWaveFormat& header) override;
  bool GetNormalize() override { return Normalize_; }
  void EmitChannel(uint32_t channel, IKvRealBuffer& buffer) override;

private:
  std::atomic<bool> Normalize_{false};
};
