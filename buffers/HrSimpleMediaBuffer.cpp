#include "buffers/HrSimpleMediaBuffer.h"

void THrSmartMediaBuffer::CopyInto(THrSmartMediaBuffer& copy, uint32_t bytes) const {
  TKvSmartBuffer::CopyInto(copy, bytes);
  copy.Flag = Flag;
  copy.Attributes = Attributes;
}

void* THrMediaBuffer::QueryInterface(const TGUID& iid) {
  return iid == IHrMediaBuffer::IID ? static_cast<IHrMediaBuffer*>(this) : TKvGenericBuffer::QueryInterface(iid);
}
