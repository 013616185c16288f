#include "pins/KvQueuedSinkPins.h"

#include "buffers/KvSimpleDataBuffer.h"
#include "platform/Published.h"

const TClassInfo& TKvLkQueuedRealSinkPin::StaticClassInfo() {
  return DefineClass<TKvLkQueuedRealSinkPin, TKvLkRealSinkPin>("TKvLkQueuedRealSinkPin");
}

TKvLkQueuedRealSinkPin::TKvLkQueuedRealSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock,
                                               TLkPinList* ownerList)
    : TKvLkRealSinkPin(owner, std::move(receive), componentLock, ownerList),
      Queued_(MakeRef<TKvLkQueuedPinImpl>(this)) {
  Implement(ILkKvQueuedPin::IID);
}

TRef<IKvDataBuffer> KvQueuedTake::ByLinkType(const TGUID& linkType, TKvLkQueuedPinImpl& queued, uint32_t count) {
  if (linkType == KvStreamTypes::RealArray) {
    const TRef<TKvRealBuffer> buffer = MakeRef<TKvRealBuffer>(count);
    return queued.Take(*buffer) ? TRef<IKvDataBuffer>(buffer) : nullptr;
  }
  if (linkType == KvStreamTypes::IntegerArray) {
    const TRef<TKvIntegerBuffer> buffer = MakeRef<TKvIntegerBuffer>(count);
    return queued.Take(*buffer) ? TRef<IKvDataBuffer>(buffer) : nullptr;
  }
  return nullptr;
}

const TClassInfo& TKvLkQueuedIntegerRealSinkPin::StaticClassInfo() {
  return DefineClass<TKvLkQueuedIntegerRealSinkPin, TKvLkComboRealIntSinkPin>("TKvLkQueuedIntegerRealSinkPin");
}

TKvLkQueuedIntegerRealSinkPin::TKvLkQueuedIntegerRealSinkPin(TComponent* owner, TLkReceiveCallback receive,
                                                             ILkLock* componentLock, TLkPinList* ownerList)
    : TKvLkComboRealIntSinkPin(owner, std::move(receive), componentLock, ownerList),
      Queued_(MakeRef<TKvLkQueuedPinImpl>(this)) {
  Implement(ILkKvQueuedPin::IID);
}

const TClassInfo& TKvLkComboRealIntComplexPairedQueuedSinkPin::StaticClassInfo() {
  return DefineClass<TKvLkComboRealIntComplexPairedQueuedSinkPin, TKvLkComboRealIntComplexPairedSinkPin>(
      "TKvLkComboRealIntComplexPairedQueuedSinkPin");
}

TKvLkComboRealIntComplexPairedQueuedSinkPin::TKvLkComboRealIntComplexPairedQueuedSinkPin(TComponent* owner,
                                                                                         TLkReceiveCallback receive,
                                                                                         ILkLock* componentLock,
                                                                                         TLkPinList* ownerList)
    : TKvLkComboRealIntComplexPairedSinkPin(owner, std::move(receive), componentLock, ownerList),
      Queued_(MakeRef<TKvLkQueuedPinImpl>(this)) {
  Implement(ILkKvQueuedPin::IID);
}
