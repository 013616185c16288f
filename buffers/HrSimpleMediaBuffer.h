#pragma once

#include "buffers/KvSimpleDataBuffer.h"

#include <array>
#include <cstdint>

// The media layer of the audio buffers: a buffer with a time stamp, on a block with attributes.

// Travels with its media buffer; it carries nothing but the way back to it.
class THrTimeStamp final : public TKvSequenceStamp {
public:
  using TKvSequenceStamp::TKvSequenceStamp;
};

class IHrMediaBuffer : public virtual IKvDataBuffer {
public:
  static constexpr TGUID IID = "{D4894B42-BC18-4BDD-9AA0-320612A44E5F}"_guid;
  virtual THrTimeStamp& GetTimeStamp() = 0;
};

// A block with a flag and four attribute words, which its copies keep.
class THrSmartMediaBuffer : public TKvSmartBuffer {
public:
  uint8_t Flag = 0;
  std::array<uint32_t, 4> Attributes{};

protected:
  using TKvSmartBuffer::TKvSmartBuffer;
  // Copies the first `bytes` of the area and the attributes into `copy`.
  void CopyInto(THrSmartMediaBuffer& copy, uint32_t bytes) const;
};

class THrMediaBuffer : public TKvGenericBuffer, public virtual IHrMediaBuffer {
public:
  void* QueryInterface(const TGUID& iid) override;
  THrTimeStamp& GetTimeStamp() override { return Stamp; }

protected:
  using TKvGenericBuffer::TKvGenericBuffer;

private:
  THrTimeStamp Stamp{*this};
};
