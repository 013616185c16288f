#include "pins/KvStreamTypes.h"

#include "buffers/KvSimpleDataBuffer.h"
#include "pins/DnStreamTypes.h"
#include "platform/ErrorHook.h"
#include "platform/Published.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>

using namespace KvStreamTypes;

namespace {

uint8_t DeliverToStreamPin(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation) {
  if (flags & lkNotice) return 0;
  return peer && peer->QueryPeerInterface(StreamPin) ? peer->Receive(type, operation, flags) : 0;
}

uint8_t DefaultStreamHandler(TLkBasicPin*, TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                             TLkNotifyOperation& operation) {
  return DeliverToStreamPin(peer, type, flags, operation);
}

template <class Converter>
TLkFormatConverter* Make() {
  return new Converter;
}

}  // namespace

TLkHandler KvStreamTypes::StreamHandler() {
  return {[](void*, TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation) -> uint8_t {
            return DeliverToStreamPin(peer, type, flags, operation);
          },
          nullptr};
}

TLkDefaultHandler KvStreamTypes::DefaultHandler() { return &DefaultStreamHandler; }

void KvStreamTypes::Register() {
  static std::once_flag once;
  std::call_once(once, [] {
    LkStdTypes::Register();
    const struct {
      TGUID Type;
      const char* Name;
    } types[] = {{BinaryArray, "Kv binary array"},
                 {RealArray, "Kv real array"},
                 {IntegerArray, "Kv integer array"},
                 {ComplexArray, "Kv complex array"},
                 {Universal, "Kv Universal stream"},
                 {Generic, "Kv Generic stream"},
                 {PairedBuffers, "Kv Paired Buffers stream"},
                 {StringStream, "Kv String stream"}};
    for (const auto& [type, name] : types) {
      RegisterStreamType(type, name);
      if (type != Universal) SetStreamTypeHandler(type, &DefaultStreamHandler);
    }
    RegisterFormatConverter(IntegerArray, RealArray, &Make<TKvLkIntToRealFormatConverter>);
    RegisterFormatConverter(LkStdTypes::DateTime, StringStream, &Make<TKvLkTimeToStringFormatConverter>);
    RegisterFormatConverter(LkStdTypes::Int32, StringStream, &Make<TKvLkIntegerToStringFormatConverter>);
    RegisterFormatConverter(LkStdTypes::Real, StringStream, &Make<TKvLkRealToStringFormatConverter>);
    RegisterFormatConverter(DnStreamTypes::Audio, IntegerArray, &Make<TLkAudioToIntFormatConverter>);
    RegisterFormatConverter(DnStreamTypes::Audio, RealArray, &Make<TLkAudioToRealFormatConverter>);
  });
}

// Sources ------------------------------------------------------------------------------------

const TClassInfo& TKvLkSourcePin::StaticClassInfo() {
  return DefineClass<TKvLkSourcePin, TLkSourcePin>("TKvLkSourcePin");
}

TKvLkSourcePin::TKvLkSourcePin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock)
    : TLkSourcePin(owner, componentLock), ReceiveCallback(std::move(receive)) {
  KvStreamTypes::Register();
  Implement(StreamPin);
  AddType(LkStdTypes::Clock, LkClockHandler());
  AddType(Universal, StreamHandler());
}

bool TKvLkSourcePin::SendBuffer(const TRef<IKvData>& buffer) {
  try {
    Notify(*MakeRef<TLkSuppliedBufferOperation>(buffer));
    return true;
  } catch (const ELkException&) {
    PassErrorToHook("a buffer send");  // a pin that depends on itself is a fault, not a refusal
  } catch (const Exception&) {
    // The library's own refusal (a sink that cannot take this buffer): the answer says it.
  } catch (...) {
    PassErrorToHook("a buffer send");  // out of memory, a logic error, a sink's own failure
  }
  return false;
}

void TKvLkSourcePin::SendStop() { Notify(*MakeRef<TLkStopOperation>()); }

uint8_t TKvLkSourcePin::Notify(TLkNotifyOperation& operation) {
  // Remembered before it goes out: a sink linked while a start is on its way then finds it in the
  // memory or is among its recipients, and never misses it.
  Remember(operation);
  return TLkSourcePin::Notify(operation);
}

void TKvLkSourcePin::Remember(TLkNotifyOperation& operation) {
  // Buffers pass here by the thousand: the lock is taken only for what changes the memory.
  if (OperationAs<TLkStartOperation>(operation)) SetRemembered(LastStart, &operation);
  else if (OperationAs<TLkStopOperation>(operation)) SetRemembered(LastStart, nullptr);
}

void TKvLkSourcePin::SetRemembered(TRef<TLkNotifyOperation>& slot, TLkNotifyOperation* operation) {
  // Only an operation held by counted references can be kept past its send.
  TRef<TLkNotifyOperation> kept(operation && operation->RefCount() > 0 ? operation : nullptr);
  const TLkLockSection write = WriteLock();
  if (write) std::swap(slot, kept);  // refused under a pending stop, like the send that follows
}

TRef<TLkNotifyOperation> TKvLkSourcePin::Remembered(const TRef<TLkNotifyOperation>& slot) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return slot;
}

TRef<TLkNotifyOperation> TKvLkSourcePin::RememberedStart() { return Remembered(LastStart); }

uint8_t TKvLkSourcePin::Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) {
  return ReceiveCallback ? ReceiveCallback(this, type, flags, operation) : 0;
}

void TKvLkSourcePin::SendTo(TLkBasicPin* sink, const TRef<TLkNotifyOperation>& operation) {
  if (operation) NotifyOne(sink, *operation);
}

void TKvLkSourcePin::SinkLinked(TLkBasicPin* sink) {
  SendTo(sink, RememberedStart());
  if (OnLink) OnLink(this);
  CatchUpAfterLink(sink);
}

void TKvLkSourcePin::SinkLinkedFromSource(TLkBasicPin* sink) {
  if (OnLink) OnLink(this);
  SendTo(sink, RememberedStart());
}

void TKvLkSourcePin::RemoveLink(TLkBasicPin* pin, bool keepPlaceholder) {
  if (pin && IsLinkedTo(pin)) {
    try {
      NotifyOne(pin, *MakeRef<TLkStopOperation>());
    } catch (...) {
      // The link goes all the same: a sink that fails on its stop is not kept linked by it.
      PassErrorToHook("a stop sent to a sink that is unlinked");
    }
  }
  TLkSourcePin::RemoveLink(pin, keepPlaceholder);
}

const TClassInfo& TKvLkRealSourcePin::StaticClassInfo() {
  return DefineClass<TKvLkRealSourcePin, TKvLkSourcePin>("TKvLkRealSourcePin");
}

TKvLkRealSourcePin::TKvLkRealSourcePin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock,
                                       bool floatSingle)
    : TKvLkSourcePin(owner, std::move(receive), componentLock) {
  if (floatSingle) AddType(LkStdTypes::Float, TLkHandler::Of<&TKvLkRealSourcePin::FloatValueHandler>(this));
  AddType(RealArray);
  Implement(RealArray);
}

uint8_t TKvLkRealSourcePin::FloatValueHandler(TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                                              TLkNotifyOperation& operation) {
  // Only a real buffer with a first element has a value to give; anything else is passed over.
  auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation);
  if ((flags & lkNotice) || !supplied || !supplied->Buffer || !peer->QueryPeerInterface(LkStdTypes::Float)) return 0;
  auto* real = InterfaceOf<IKvRealBuffer>(*supplied->Buffer);
  if (!real || real->GetCount() == 0) return 0;
  return peer->Receive(type, *MakeRef<TLkSuppliedSingleOperation>(static_cast<float>(real->ReadData()[0])), flags);
}

const TClassInfo& TKvLkIntegerSourcePin::StaticClassInfo() {
  return DefineClass<TKvLkIntegerSourcePin, TKvLkSourcePin>("TKvLkIntegerSourcePin");
}

TKvLkIntegerSourcePin::TKvLkIntegerSourcePin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock)
    : TKvLkSourcePin(owner, std::move(receive), componentLock) {
  AddType(IntegerArray);
  Implement(IntegerArray);
}

const TClassInfo& TKvLkStringSourcePin::StaticClassInfo() {
  return DefineClass<TKvLkStringSourcePin, TKvLkSourcePin>("TKvLkStringSourcePin");
}

TKvLkStringSourcePin::TKvLkStringSourcePin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock)
    : TKvLkSourcePin(owner, std::move(receive), componentLock) {
  AddType(LkStdTypes::String, TLkHandler::Of<&TKvLkStringSourcePin::StringValueHandler>(this));
  AddType(StringStream);
  Implement(StringStream);
}

uint8_t TKvLkStringSourcePin::StringValueHandler(TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                                                 TLkNotifyOperation& operation) {
  if ((flags & lkNotice) || !OperationAs<TLkSuppliedOperation>(operation)) return 0;
  return peer->QueryPeerInterface(LkStdTypes::String) ? peer->Receive(type, operation, flags) : 0;
}

// Sinks --------------------------------------------------------------------------------------

const TClassInfo& TKvLkSinkPin::StaticClassInfo() { return DefineClass<TKvLkSinkPin, TLkSinkPin>("TKvLkSinkPin"); }

TKvLkSinkPin::TKvLkSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock, TLkPinList* ownerList)
    : TLkSinkPin(owner, ownerList, componentLock), ReceiveCallback(std::move(receive)) {
  KvStreamTypes::Register();
  SetSkipAcceptance(true);
  Implement(StreamPin);
  AddType(Universal, StreamHandler());
}

void TKvLkSinkPin::Accept(const TGUID& type) {
  AddType(type, StreamHandler());
  Implement(type);
}

uint8_t TKvLkSinkPin::Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) {
  if (DestructionBegun() || !ReceiveCallback) return 0;
  return ReceiveCallback(this, type, flags, operation);
}

const TClassInfo& TKvLkRealSinkPin::StaticClassInfo() {
  return DefineClass<TKvLkRealSinkPin, TKvLkSinkPin>("TKvLkRealSinkPin");
}

TKvLkRealSinkPin::TKvLkRealSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock,
                                   TLkPinList* ownerList)
    : TKvLkSinkPin(owner, std::move(receive), componentLock, ownerList) {
  Accept(RealArray);
}

const TClassInfo& TKvLkComboRealSinkPin::StaticClassInfo() {
  return DefineClass<TKvLkComboRealSinkPin, TKvLkRealSinkPin>("TKvLkComboRealSinkPin");
}

TKvLkComboRealSinkPin::TKvLkComboRealSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock,
                                             TLkPinList* ownerList)
    : TKvLkRealSinkPin(owner, std::move(receive), componentLock, ownerList) {
  Accept(LkStdTypes::Float);
  Accept(LkStdTypes::Real);
}

const TClassInfo& TKvLkComboRealIntSinkPin::StaticClassInfo() {
  return DefineClass<TKvLkComboRealIntSinkPin, TKvLkComboRealSinkPin>("TKvLkComboRealIntSinkPin");
}

TKvLkComboRealIntSinkPin::TKvLkComboRealIntSinkPin(TComponent* owner, TLkReceiveCallback receive,
                                                   ILkLock* componentLock, TLkPinList* ownerList)
    : TKvLkComboRealSinkPin(owner, std::move(receive), componentLock, ownerList) {
  Accept(IntegerArray);
  Accept(LkStdTypes::Int32);
}

const TClassInfo& TKvLkComboRealIntComplexPairedSinkPin::StaticClassInfo() {
  return DefineClass<TKvLkComboRealIntComplexPairedSinkPin, TKvLkComboRealIntSinkPin>(
      "TKvLkComboRealIntComplexPairedSinkPin");
}

TKvLkComboRealIntComplexPairedSinkPin::TKvLkComboRealIntComplexPairedSinkPin(TComponent* owner,
                                                                             TLkReceiveCallback receive,
                                                                             ILkLock* componentLock,
                                                                             TLkPinList* ownerList)
    : TKvLkComboRealIntSinkPin(owner, std::move(receive), componentLock, ownerList) {
  // Complex singles are taken, but not offered as a link type of this pin's own.
  Implement(LkStdTypes::RealComplex);
  Accept(PairedBuffers);
  Accept(ComplexArray);
}

const TClassInfo& TKvLkIntegerSinkPin::StaticClassInfo() {
  return DefineClass<TKvLkIntegerSinkPin, TKvLkSinkPin>("TKvLkIntegerSinkPin");
}

TKvLkIntegerSinkPin::TKvLkIntegerSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock,
                                         TLkPinList* ownerList)
    : TKvLkSinkPin(owner, std::move(receive), componentLock, ownerList) {
  Accept(IntegerArray);
}

// Converters ---------------------------------------------------------------------------------

TLkReceiveCallback TKvLkBufferFormatConverter::InputCallback() {
  return [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) { return Pass(operation); };
}

TLkReceiveCallback TKvLkBufferFormatConverter::UpstreamCallback() {
  return
      [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) { return Input().Notify(operation); };
}

void TKvLkBufferFormatConverter::SetStreamPins(TKvLkSinkPin* input, TKvLkSourcePin* output) {
  Out = output;
  SetPins(TLkPinPtr<TLkSinkPin>(input), TLkPinPtr<TLkSourcePin>(output));
}

uint8_t TKvLkBufferFormatConverter::Pass(TLkNotifyOperation& operation) {
  auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation);
  if (!supplied) return Out->Notify(operation);
  const TRef<IKvData> converted = supplied->Buffer ? Convert(*supplied->Buffer) : nullptr;
  return converted ? Out->Notify(*MakeRef<TLkSuppliedBufferOperation>(converted)) : 0;
}

namespace {

TRef<IKvData> IntegersToReals(IKvDataBuffer& buffer) {
  auto* integers = InterfaceOf<IKvIntegerBuffer>(buffer);
  if (!integers) return nullptr;
  return TRef<IKvData>(new TKvRealBuffer(integers->ReadData(), integers->GetCount()));
}

}  // namespace

TKvLkIntToRealFormatConverter::TKvLkIntToRealFormatConverter() : TKvLkBufferFormatConverter(&IntegersToReals) {
  SetStreamPins(new TKvLkIntegerSinkPin(this, InputCallback()),
                new TKvLkRealSourcePin(this, UpstreamCallback(), nullptr, true));
}

// Value-to-string converters -------------------------------------------------------------------

namespace {

std::string DateTimeText(double dateTime) {
  using namespace std::chrono;
  if (!(dateTime > -693594.0 && dateTime < 2958466.0)) return {};  // 0001-01-01 .. 9999-12-31
  // Days count from 1899-12-30; before it the time of day still counts forwards from midnight.
  double day = std::trunc(dateTime);
  auto seconds = static_cast<int64_t>(std::llround(std::fabs(dateTime - day) * 86400.0));
  if (seconds == 86400) {
    seconds = 0;
    day += 1;
  }
  const sys_days date = sys_days{1899y / December / 30} + days{static_cast<int64_t>(day)};
  const year_month_day ymd{date};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()), static_cast<int>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return text;
}

template <class Number>
std::string NumberText(Number value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

}  // namespace

TKvLkTimeToStringFormatConverter::TKvLkTimeToStringFormatConverter() : TKvLkToStringFormatConverter(&DateTimeText) {}
TKvLkIntegerToStringFormatConverter::TKvLkIntegerToStringFormatConverter()
    : TKvLkToStringFormatConverter(&NumberText<int32_t>) {}
TKvLkRealToStringFormatConverter::TKvLkRealToStringFormatConverter()
    : TKvLkToStringFormatConverter(&NumberText<double>) {}
