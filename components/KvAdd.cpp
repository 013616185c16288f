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
  const auto size = uint32_t(BufferSize());
  // The sum goes downstream and is new each time; the scratch buffer stays here and is reused.
  if (!Scratch || Scratch->GetCount() != size) Scratch = MakeRef<TKvRealBuffer>(size);
  TRef<TKvRealBuffer> sum;
  for (TKvLkQueuedRealSinkPin* pin : Inputs()) {
    if (!Contributes(*pin)) continue;
    if (!sum) {
      sum = MakeRef<TKvRealBuffer>(size);
      // An input with nothing to give (a needed count of 0) leaves the sum to the next one.
      if (!pin->Queued().Take(*sum)) sum = nullptr;
    } else if (pin->Queued().Take(*Scratch)) {
      sum->Add(*Scratch);
    }
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
