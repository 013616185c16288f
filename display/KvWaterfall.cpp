#include "display/KvWaterfall.h"

#include "buffers/KvSimpleDataBuffer.h"
#include "display/KvStreamStart.h"
#include "pins/LkOperations.h"

const TClassInfo& TKvWaterfall::StaticClassInfo() {
  return DefineClass<TKvWaterfall, TKvBasicWaterfall>("TKvWaterfall", [](TPublished<TKvWaterfall>& p) {
    p.Object("InputPin", &TKvWaterfall::InputPin).Object("Levels", &TKvWaterfall::Levels);
  });
}

TKvWaterfall::TKvWaterfall(TComponent* owner)
    : TKvBasicWaterfall(owner),
      Levels_(*this,
              TKvLevelSource{[this] { return LevelMax(); }, [this] { return LevelMin(); },
                             [this](int x, int y) { return ValueAt(x, y); }},
              DataView()),
      InputPin_(new TKvLkComboRealIntSinkPin(
          this,
          [this](TLkBasicPin*, const TGUID& type, uint8_t, TLkNotifyOperation& operation) {
            return Receive(type, operation);
          },
          &DataLock())) {}

TKvWaterfall::~TKvWaterfall() = default;

void TKvWaterfall::Destroying() {
  {
    // What is delivered meanwhile finds the stop pending and is skipped. The pin goes even when
    // another stop holds the lock: it must not outlive the display.
    const TLkLockSection stop = DataLock().StopLock();
    TLkBasicPin::Free(InputPin_.get());
    (void)InputPin_.release();
  }
  TKvBasicWaterfall::Destroying();
}

uint8_t TKvWaterfall::Receive(const TGUID& type, TLkNotifyOperation& operation) {
  const TLkLockSection section = DataLock().WriteLock();
  if (!section) return 0;
  if (const std::optional<TKvStreamStart> start = StreamStartOf(operation)) {
    Reset(start->Rate, start->Spectrum);
    return 0;
  }
  auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation);
  if (!supplied || !supplied->Buffer) return 0;
  if (type == KvStreamTypes::IntegerArray) {
    if (const TRef<IKvIntegerBuffer> integers = Supports<IKvIntegerBuffer>(supplied->Buffer))
      AppendRow(TRef<IKvRealBuffer>(new TKvRealBuffer(integers->ReadData(), integers->GetCount())));
  } else if (TRef<IKvRealBuffer> reals = Supports<IKvRealBuffer>(supplied->Buffer)) {
    AppendRow(std::move(reals));
  }
  return 0;
}
