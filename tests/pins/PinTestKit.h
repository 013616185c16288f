#pragma once

// Small pins and components for the pin tests: sources offering chosen types, sinks accepting
// chosen types, a converter between two test types, all recording what reaches them.

#include "pins/LkPins.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

inline constexpr TGUID TypeA = "{0A000000-0000-0000-0000-00000000000A}"_guid;
inline constexpr TGUID TypeB = "{0B000000-0000-0000-0000-00000000000B}"_guid;
inline constexpr TGUID TypeC = "{0C000000-0000-0000-0000-00000000000C}"_guid;

// One delivery a test pin received: through which type, with which flags.
struct TDelivery {
  TGUID Type;
  uint8_t Flags;
  uint32_t OperationId;
};

class TTestSource : public TLkSourcePin {
public:
  TTestSource(TComponent* owner, std::vector<TGUID> offered, ILkLock* componentLock = nullptr);
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;
  // Every handler call of this source, with the pin it reached.
  std::vector<std::pair<TLkBasicPin*, TDelivery>> Sent;
  // What reached it upstream from its sinks.
  std::vector<TDelivery> Received;
  // Guards the records: connect notices and sends may come from different threads.
  std::mutex Records;

private:
  uint8_t Deliver(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation);
};

class TTestSink : public TLkSinkPin {
public:
  // The sink also registers the accepted types with a handler that sends upstream.
  TTestSink(TComponent* owner, std::vector<TGUID> accepted, ILkLock* componentLock = nullptr);
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;
  std::vector<TDelivery> Received;
  std::mutex Records;
  // What Receive answers (set bit 0 to be served later).
  uint8_t Answer = 0;
  // Called on every receipt, after it is recorded.
  std::function<void(TLkNotifyOperation&)> OnReceive;

private:
  uint8_t Upstream(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation);
};

// A component with its own lock and pins made on request.
class TTestComponent : public TComponent {
public:
  explicit TTestComponent(TComponent* owner = nullptr) : TComponent(owner) {}
  TTestSource& AddSource(std::vector<TGUID> offered);
  TTestSink& AddSink(std::vector<TGUID> accepted);
  TLkLock Lock;
  std::vector<TLkPinPtr<TLkBasicPin>> Pins;

protected:
  void Destroying() override;
};

// Converts TypeA into TypeB: what reaches its input is sent on from its output. Registered with
// the converter registry by RegisterTestConverter.
class TTestConverter : public TLkFormatConverter {
public:
  TTestConverter();
  static std::atomic<int> Alive;
  static std::atomic<int> Forwarded;
  ~TTestConverter() override { --Alive; }
};

void RegisterTestConverter();
