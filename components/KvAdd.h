#pragma once

#include "buffers/KvSimpleDataBuffer.h"
#include "components/KvMultiInput.h"

#include <memory>

// Sums its inputs sample by sample: every emit is BufferSize samples, the sum of the linked,
// started inputs' next needed counts, each stretched to BufferSize.
class TKvAdd : public TKvRealMultiInput {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvAdd(TComponent* owner);
  // From 2 to 100 inputs.
  TLkPinListOwner* InputPins() const { return InputPins_.get(); }

protected:
  // Sends nothing when no input contributed: a buffer that nobody wrote holds no sum.
  bool Process() override;
  void Destroying() override;

private:
  std::unique_ptr<TLkPinListOwner> InputPins_;
  TRef<TKvRealBuffer> Scratch;  // under the lock
};
