#pragma once

// The state of a queued input: a buffer queue between the producer and the component that reads
// it, and the flags that decide whether the input holds back the component's next output.

#include "buffers/KvBufferQueue.h"
#include "buffers/KvDataInterfaces.h"
#include "platform/Guid.h"
#include "platform/RefCounted.h"

#include <atomic>
#include <cstdint>

class TLkBasicPin;

class ILkKvQueuedPin : public virtual TRefCounted {
public:
  static constexpr TGUID IID = "{AEE73535-9267-4CB2-ABF7-905245E0EB46}"_guid;

  // Stores the input's rate and marks it started.
  virtual void SetSampleRate(double rate) = 0;
  virtual void Push(const TRef<IKvDataBuffer>& buffer) = 0;
  // Passive and ignored: the input holds nothing back any more.
  virtual void Stop() = 0;
  // Stop, and no longer started.
  virtual void Reset() = 0;
  virtual bool IsStarted() const = 0;
  // The queue holds at least the needed count.
  virtual bool IsReady() = 0;
  virtual double GetSampleRate() const = 0;
  virtual void SetIgnored(bool ignored) = 0;
  virtual bool IsIgnored() const = 0;
  virtual void SetPassive(bool passive) = 0;
  virtual bool IsPassive() const = 0;
  // Needed count = the nearest integer to bufferSize * own rate / streamRate (0 for a stream rate
  // that is not above 0).
  virtual void SetNeeded(int32_t bufferSize, float streamRate) = 0;

protected:
  ~ILkKvQueuedPin() override = default;
};

class TKvLkQueuedPinImpl final : public ILkKvQueuedPin {
public:
  explicit TKvLkQueuedPinImpl(TLkBasicPin* ownerPin) : OwnerPin_(ownerPin) {}

  void SetSampleRate(double rate) override;
  void Push(const TRef<IKvDataBuffer>& buffer) override { Queue_.Push(buffer); }
  void Stop() override;
  void Reset() override;
  bool IsStarted() const override { return Started; }
  bool IsReady() override { return Queue_.GetCollectedSamples() >= Needed_; }
  double GetSampleRate() const override { return SampleRate; }
  void SetIgnored(bool ignored) override { Ignored = ignored; }
  bool IsIgnored() const override { return Ignored; }
  void SetPassive(bool passive) override { Passive = passive; }
  bool IsPassive() const override { return Passive; }
  void SetNeeded(int32_t bufferSize, float streamRate) override;

  TLkBasicPin* OwnerPin() const { return OwnerPin_; }
  int32_t Needed() const { return Needed_; }
  TKvBufferQueue& Queue() { return Queue_; }
  // Marks of the real-to-audio converter: the input got a buffer since the last pump request.
  void SetReceived(bool received) { Received = received; }
  bool IsReceived() const { return Received; }

  // The queued take: fills `destination` (of any count M) with the needed count N taken from the
  // queue, stretched or squeezed by nearest sample when N differs from M. False, leaving the
  // destination unchanged, when N is 0 or fewer than N samples are queued.
  bool Take(IKvRealBuffer& destination);
  bool Take(IKvIntegerBuffer& destination);

private:
  TLkBasicPin* const OwnerPin_;
  TKvBufferQueue Queue_;
  std::atomic<int32_t> Needed_{0};
  std::atomic<bool> Started{false};
  std::atomic<bool> Passive{false};
  std::atomic<bool> Ignored{false};
  std::atomic<bool> Received{false};
  std::atomic<double> SampleRate{0};
};
