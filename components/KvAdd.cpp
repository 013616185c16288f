#include "components/KvAdd.h"

#include "buffers/KvSimpleDataBuffer.h"
#include "platform/Published.h"

const TClassInfo& TKvAdd::StaticClassInfo() {
  return DefineClass<TKvAdd, TKvRealMultiInput>(
      "TKvAdd", [](TPublished<TKvAdd>& p) { p.Object("InputPins", &TKvAdd::InputPins); });
}

TKvAdd::TKvAdd(TComponent* owner)
    : TKvRealMultiInput(owner),
      InputPins_(std::make_unique<TLkPinListOwner>(
          this, &ComponentLock(), 2, 100, [this](TLkPinListOwner& list) { return CreateInputPin(&list); },
          [this](TLkPinListOwner&, TLkBasicPin* pin) { RemoveInputPin(pin); })) {}

bool TKvAdd::Process() {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (!section) return false;
  const auto size = uint32_t(BufferSize());
  TRef<TKvRealBuffer> sum, scratch;
  for (TKvLkQueuedRealSinkPin* pin : Inputs()) {
    if (!Contributes(*pin)) continue;
    if (!sum) {
      sum = MakeRef<TKvRealBuffer>(size);
      // An input with nothing to give (a needed count of 0) leaves the sum to the next one.
      if (!pin->Queued().Take(*sum)) sum = nullptr;
      continue;
    }
    if (!scratch) scratch = MakeRef<TKvRealBuffer>(size);
    if (pin->Queued().Take(*scratch)) sum->Add(*scratch);
  }
  if (!sum) return false;
  OutputPin()->SendBuffer(sum);
  return true;
}

void TKvAdd::Destroying() {
  ForgetInputs();
  InputPins_->Clear();
  TKvRealMultiInput::Destroying();
}
