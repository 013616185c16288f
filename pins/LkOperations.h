#pragma once

#include "buffers/DnWaveFormat.h"
#include "buffers/KvDataInterfaces.h"
#include "buffers/KvSmartBufferManager.h"
#include "platform/Guid.h"
#include "platform/RefCounted.h"

#include <cstdint>
#include <string>

class TComponent;

// Something sent over a link: a tick, a value, a buffer, a request. Receivers test the class
// (dynamic_cast), so a descendant counts as its ancestors: a supplied buffer is a clock tick, an
// end-stop is a stop. Every operation gets an id from a process-wide counter; the first is 1. A
// plain instance is the connect notice and the state-group re-sync notice. Operations come from
// the buffer pool, so that a send of a new operation per buffer touches no heap.
class TLkNotifyOperation : public TRefCounted, public TKvPooled {
public:
  static constexpr TGUID IID = "{AC2714E1-1E70-4C60-ABBB-EA27737CEE74}"_guid;

  TLkNotifyOperation();
  uint32_t Id() const { return Id_; }

private:
  uint32_t Id_;
};

// One clock tick.
class TLkClockOperation : public TLkNotifyOperation {};

// A tick that carries a value.
class TLkSuppliedOperation : public TLkClockOperation {};

// A supplied value of type T.
template <class T>
class TLkSuppliedValueOperation : public TLkSuppliedOperation {
public:
  explicit TLkSuppliedValueOperation(T value) : Value(std::move(value)) {}
  const T Value;
};

class TLkSuppliedBoolOperation : public TLkSuppliedValueOperation<bool> {
  using TLkSuppliedValueOperation::TLkSuppliedValueOperation;
};
class TLkSuppliedIntegerOperation : public TLkSuppliedValueOperation<int32_t> {
  using TLkSuppliedValueOperation::TLkSuppliedValueOperation;
};
class TLkSuppliedInt64Operation : public TLkSuppliedValueOperation<int64_t> {
  using TLkSuppliedValueOperation::TLkSuppliedValueOperation;
};
class TLkSuppliedSingleOperation : public TLkSuppliedValueOperation<float> {
  using TLkSuppliedValueOperation::TLkSuppliedValueOperation;
};
class TLkSuppliedRealOperation : public TLkSuppliedValueOperation<double> {
  using TLkSuppliedValueOperation::TLkSuppliedValueOperation;
};
// A date and time: days since 1899-12-30, the fraction being the time of day.
class TLkSuppliedDateTimeOperation : public TLkSuppliedValueOperation<double> {
  using TLkSuppliedValueOperation::TLkSuppliedValueOperation;
};
class TLkSuppliedStringOperation : public TLkSuppliedValueOperation<std::string> {
  using TLkSuppliedValueOperation::TLkSuppliedValueOperation;
};

// A real value within a range.
class TLkSuppliedRealValueRangeOperation : public TLkSuppliedRealOperation {
public:
  TLkSuppliedRealValueRangeOperation(double value, double low, double high)
      : TLkSuppliedRealOperation(value), Low(low), High(high) {}
  const double Low;
  const double High;
};

// An integer value within a range (32 or 64 bits).
template <class T>
class TLkSuppliedRangeOperation : public TLkSuppliedValueOperation<T> {
public:
  TLkSuppliedRangeOperation(T value, T low, T high) : TLkSuppliedValueOperation<T>(value), Low(low), High(high) {}
  const T Low;
  const T High;
};
using TLkSuppliedIntegerRangeOperation = TLkSuppliedRangeOperation<int32_t>;
using TLkSuppliedInt64RangeOperation = TLkSuppliedRangeOperation<int64_t>;

// Each recipient turns it into a supplied value of its own type, carrying the sender's value.
class TLkSuppliedMulticastOperation : public TLkSuppliedOperation {};

// A supplied buffer: the buffer travels by reference, never copied by the pin layer. Any buffer
// interface is taken; the operation keeps its data-buffer interface (none for none).
class TLkSuppliedBufferOperation : public TLkSuppliedOperation {
public:
  explicit TLkSuppliedBufferOperation(const TRef<IKvData>& buffer) : Buffer(Supports<IKvDataBuffer>(buffer)) {}
  const TRef<IKvDataBuffer> Buffer;
};

// Tells the clock whether a component still needs ticks.
class TLkClockNeededOperation : public TLkNotifyOperation {
public:
  explicit TLkClockNeededOperation(bool enabled) : Enabled(enabled) {}
  const bool Enabled;
};

// Asks for a pump: who asks, at which rate, priority and kind.
class TLkPumpRequestOperation : public TLkNotifyOperation {
public:
  TLkPumpRequestOperation(TComponent* pump, float rate, int32_t priority, int32_t kind)
      : Pump(pump), Rate(rate), Priority(priority), Kind(kind) {}
  TComponent* const Pump;
  const float Rate;
  const int32_t Priority;
  const int32_t Kind;
};

// A stream starts.
class TLkStartOperation : public TLkNotifyOperation {};

class TLkStartRateOperation : public TLkStartOperation {
public:
  explicit TLkStartRateOperation(float rate) : Rate(rate) {}
  const float Rate;
};

// The rate field holds the same sample rate, narrowed.
class TLkStartSampleRateOperation : public TLkStartRateOperation {
public:
  explicit TLkStartSampleRateOperation(double sampleRate)
      : TLkStartRateOperation(static_cast<float>(sampleRate)), SampleRate(sampleRate) {}
  const double SampleRate;
};

class TLkStartSpectrumOperation : public TLkStartSampleRateOperation {
  using TLkStartSampleRateOperation::TLkStartSampleRateOperation;
};

// A wave stream starts: a copy of its 40-byte format header; the sample rate is the header's.
class TLkStartWaveOperation : public TLkStartSampleRateOperation {
public:
  TLkStartWaveOperation(const TDnWaveFormat& header, bool flag)
      : TLkStartSampleRateOperation(header.SamplesPerSec), Header(header), Flag(flag) {}
  const TDnWaveFormat Header;
  const bool Flag;
};

class TLkStartPumpOperation : public TLkNotifyOperation {};

// A stream stops.
class TLkStopOperation : public TLkNotifyOperation {};
class TLkEndStopOperation : public TLkStopOperation {};

class TLkQueryStreamOperation : public TLkNotifyOperation {};
class TLkIgnoreStreamOperation : public TLkNotifyOperation {};
class TLkKvResumeOperation : public TLkNotifyOperation {};

// The operation as T when it is one (or a descendant), else none.
template <class T>
T* OperationAs(TLkNotifyOperation& operation) {
  return dynamic_cast<T*>(&operation);
}
