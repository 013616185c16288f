#pragma once

#include "platform/Guid.h"
#include "platform/RefCounted.h"

#include <cstdint>

// Something sent over a link: a tick, a value, a buffer, a request. Receivers test the class.
// Every operation gets an id from a process-wide counter; the first is 1.
class TLkNotifyOperation : public TRefCounted {
public:
  static constexpr TGUID IID = "{AC2714E1-1E70-4C60-ABBB-EA27737CEE74}"_guid;

  TLkNotifyOperation();
  uint32_t Id() const { return Id_; }

private:
  uint32_t Id_;
};
