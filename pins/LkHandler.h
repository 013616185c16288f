#pragma once

#include "platform/Guid.h"

#include <cstdint>

class TLkBasicPin;
class TLkNotifyOperation;

// Flags of one delivery.
enum TLkDeliveryFlag : uint8_t {
  lkNotice = 1,  // a connect notice or a state-group re-sync, not data
  lkLast = 2,    // the last recipient of one send
};

// Result bit of a handler: serve this recipient later next time.
constexpr uint8_t lkServeLater = 1;

// A stream type's handler, bound to the object it belongs to: called by the sender for each
// recipient with (peer pin, stream type, flags, operation). Plain data, so that entry lists copy
// without allocating.
struct TLkHandler {
  using TCode = uint8_t (*)(void* context, TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                            TLkNotifyOperation& operation);
  TCode Code = nullptr;
  void* Context = nullptr;

  explicit operator bool() const { return Code != nullptr; }
  uint8_t operator()(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation) const {
    return Code(Context, peer, type, flags, operation);
  }
  friend bool operator==(const TLkHandler&, const TLkHandler&) = default;

  // The handler that calls `object->*Method(peer, type, flags, operation)`.
  template <auto Method, class C>
  static TLkHandler Of(C* object) {
    return {[](void* context, TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation)
                -> uint8_t { return (static_cast<C*>(context)->*Method)(peer, type, flags, operation); },
            object};
  }
};
