#pragma once

// Queued stream inputs: every one owns the state of a queued input (its buffer queue and flags),
// which the owning component fills from its receive callback and reads when it emits.

#include "pins/KvQueuedPin.h"
#include "pins/KvStreamTypes.h"

// Real buffers, queued.
class TKvLkQueuedRealSinkPin : public TKvLkRealSinkPin {
public:
  PUBLISHED_CLASS_INFO
  TKvLkQueuedRealSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock = nullptr,
                         TLkPinList* ownerList = nullptr);
  TKvLkQueuedPinImpl& Queued() const { return *Queued_; }

private:
  const TRef<TKvLkQueuedPinImpl> Queued_;
};

// What the queued combined inputs share: the take makes a buffer of the kind the link carries.
namespace KvQueuedTake {
// A real buffer of `count` for a link of real arrays, an integer buffer for one of integer arrays,
// filled by the queued take; none for another link, or when the take gives nothing.
TRef<IKvDataBuffer> ByLinkType(const TGUID& linkType, TKvLkQueuedPinImpl& queued, uint32_t count);
}  // namespace KvQueuedTake

// Real and integer buffers and single values, queued.
class TKvLkQueuedIntegerRealSinkPin : public TKvLkComboRealIntSinkPin {
public:
  PUBLISHED_CLASS_INFO
  TKvLkQueuedIntegerRealSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock = nullptr,
                                TLkPinList* ownerList = nullptr);
  TKvLkQueuedPinImpl& Queued() const { return *Queued_; }
  TRef<IKvDataBuffer> Take(uint32_t count) { return KvQueuedTake::ByLinkType(GetCurrentType(), *Queued_, count); }

private:
  const TRef<TKvLkQueuedPinImpl> Queued_;
};

// ... and paired and complex buffers and single complex values, queued.
class TKvLkComboRealIntComplexPairedQueuedSinkPin : public TKvLkComboRealIntComplexPairedSinkPin {
public:
  PUBLISHED_CLASS_INFO
  TKvLkComboRealIntComplexPairedQueuedSinkPin(TComponent* owner, TLkReceiveCallback receive,
                                              ILkLock* componentLock = nullptr, TLkPinList* ownerList = nullptr);
  TKvLkQueuedPinImpl& Queued() const { return *Queued_; }
  TRef<IKvDataBuffer> Take(uint32_t count) { return KvQueuedTake::ByLinkType(GetCurrentType(), *Queued_, count); }

private:
  const TRef<TKvLkQueuedPinImpl> Queued_;
};
