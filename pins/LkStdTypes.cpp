#include "pins/LkStdTypes.h"

#include "platform/Published.h"

#include <climits>
#include <cmath>
#include <mutex>

using namespace LkStdTypes;

int32_t LkRoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded >= static_cast<double>(INT32_MAX)) return INT32_MAX;
  if (rounded <= static_cast<double>(INT32_MIN)) return INT32_MIN;
  return static_cast<int32_t>(rounded);
}

namespace {

uint8_t ForwardToImplementer(TLkBasicPin*, TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                             TLkNotifyOperation& operation) {
  return peer && peer->QueryPeerInterface(type) ? peer->Receive(type, operation, flags) : 0;
}

template <class Converter>
TLkFormatConverter* Make() {
  return new Converter;
}

// The delivery of every value pin: nothing to a peer without the type; the custom handler when
// there is one; a notice replaced by the pin's current value; then the peer's Receive.
template <class MakeCurrent>
uint8_t Deliver(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation,
                const TLkCustomHandler& custom, MakeCurrent makeCurrent) {
  if (!peer->QueryPeerInterface(type)) return 0;
  if (custom) return custom(peer, type, flags, operation);
  if (flags & lkNotice) return peer->Receive(type, *makeCurrent(), flags);
  return peer->Receive(type, operation, flags);
}

}  // namespace

void LkStdTypes::Register() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterStreamType(Int32, "32 bit Integer single");
    RegisterStreamType(Int64, "64 bit Integer single");
    RegisterStreamType(Float, "Float single");
    RegisterStreamType(Real, "Real single");
    RegisterStreamType(RealComplex, "Real Complex single");
    RegisterStreamType(Boolean, "Boolean single");
    RegisterStreamType(Character, "Character single");
    RegisterStreamType(String, "Sting");
    RegisterStreamType(RangedInt32, "Ranged 32 bit Integer single");
    RegisterStreamType(RangedInt64, "Ranged 64 bit Integer single");
    RegisterStreamType(RangedReal, "Ranged Real single");
    RegisterStreamType(DateTime, "Date/Time");
    SetStreamTypeHandler(Forwarded, &ForwardToImplementer);
    RegisterFormatConverter(Int32, Float, &Make<TLkIntToFloatFormatConverter>);
    RegisterFormatConverter(Int32, Real, &Make<TLkIntToRealFormatConverter>);
    RegisterFormatConverter(Int64, Float, &Make<TLkInt64ToFloatFormatConverter>);
    RegisterFormatConverter(Int64, Real, &Make<TLkInt64ToRealFormatConverter>);
    RegisterFormatConverter(Float, Real, &Make<TLkFloatToRealFormatConverter>);
    RegisterFormatConverter(RangedInt32, RangedReal, &Make<TLkIntToRealRangedFormatConverter>);
    RegisterFormatConverter(RangedInt64, RangedReal, &Make<TLkInt64ToRealRangedFormatConverter>);
  });
}

// Clock -------------------------------------------------------------------------------------

const TClassInfo& TLkClockSourcePin::StaticClassInfo() {
  return DefineClass<TLkClockSourcePin, TLkSourcePin>("TLkClockSourcePin");
}

TLkHandler LkClockHandler() {
  return {[](void*, TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation) -> uint8_t {
            return peer->QueryPeerInterface(Clock) ? peer->Receive(type, operation, flags) : 0;
          },
          nullptr};
}

TLkClockSourcePin::TLkClockSourcePin(TComponent* owner, TLkReceiveCallback request, ILkLock* componentLock)
    : TLkSourcePin(owner, componentLock), Request(std::move(request)) {
  Register();
  Implement(Clock);
  AddType(Clock, LkClockHandler());
}

uint8_t TLkClockSourcePin::Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) {
  return Request ? Request(this, type, flags, operation) : 0;
}

const TClassInfo& TLkClockSinkPin::StaticClassInfo() {
  return DefineClass<TLkClockSinkPin, TLkSinkPin>("TLkClockSinkPin");
}

TLkClockSinkPin::TLkClockSinkPin(TComponent* owner, TLkPinList* ownerList, TLkReceiveCallback operation,
                                 TClockCallback clock, ILkLock* componentLock)
    : TLkSinkPin(owner, ownerList, componentLock),
      OperationCallback(std::move(operation)),
      ClockCallback(std::move(clock)) {
  Register();
  Implement(Clock);
  AddType(Clock, LkClockHandler());
}

uint8_t TLkClockSinkPin::Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) {
  const uint8_t result = OperationCallback ? OperationCallback(this, type, flags, operation) : 0;
  if (ClockCallback && OperationAs<TLkClockOperation>(operation)) ClockCallback(this);
  return result;
}

// Value sources ------------------------------------------------------------------------------

const TClassInfo& TLkFloatSourcePin::StaticClassInfo() {
  return DefineClass<TLkFloatSourcePin, TLkClockSourcePin>("TLkFloatSourcePin");
}

TLkFloatSourcePin::TLkFloatSourcePin(TComponent* owner, ILkLock* componentLock)
    : TLkClockSourcePin(owner, nullptr, componentLock) {
  AddType(Float, TLkHandler::Of<&TLkFloatSourcePin::FloatHandler>(this));
}

void TLkFloatSourcePin::SetValue(float value) { Notify(*MakeRef<TLkSuppliedSingleOperation>(value)); }

uint8_t TLkFloatSourcePin::Notify(TLkNotifyOperation& operation) {
  if (auto* single = OperationAs<TLkSuppliedSingleOperation>(operation)) Value_ = single->Value;
  return TLkClockSourcePin::Notify(operation);
}

uint8_t TLkFloatSourcePin::FloatHandler(TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                                        TLkNotifyOperation& operation) {
  return Deliver(peer, type, flags, operation, CustomHandler,
                 [this] { return MakeRef<TLkSuppliedSingleOperation>(Value_.load()); });
}

const TClassInfo& TLkRealSourcePin::StaticClassInfo() {
  return DefineClass<TLkRealSourcePin, TLkClockSourcePin>("TLkRealSourcePin");
}

TLkRealSourcePin::TLkRealSourcePin(TComponent* owner, ILkLock* componentLock)
    : TLkClockSourcePin(owner, nullptr, componentLock) {
  AddType(Float, TLkHandler::Of<&TLkRealSourcePin::FloatHandler>(this));
  AddType(Real, TLkHandler::Of<&TLkRealSourcePin::RealHandler>(this));
}

void TLkRealSourcePin::SetValue(double value) { Notify(*MakeRef<TLkSuppliedRealOperation>(value)); }

uint8_t TLkRealSourcePin::Notify(TLkNotifyOperation& operation) {
  if (auto* real = OperationAs<TLkSuppliedRealOperation>(operation)) Value_ = real->Value;
  return TLkClockSourcePin::Notify(operation);
}

uint8_t TLkRealSourcePin::RealHandler(TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                                      TLkNotifyOperation& operation) {
  return Deliver(peer, type, flags, operation, CustomHandler,
                 [this] { return MakeRef<TLkSuppliedRealOperation>(Value_.load()); });
}

uint8_t TLkRealSourcePin::FloatHandler(TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                                       TLkNotifyOperation& operation) {
  if (!peer->QueryPeerInterface(type)) return 0;
  if (CustomHandler) return CustomHandler(peer, type, flags, operation);
  if (flags & lkNotice) return peer->Receive(type, *MakeRef<TLkSuppliedSingleOperation>(float(Value_.load())), flags);
  if (auto* real = OperationAs<TLkSuppliedRealOperation>(operation))
    return peer->Receive(type, *MakeRef<TLkSuppliedSingleOperation>(float(real->Value)), flags);
  return peer->Receive(type, operation, flags);
}

const TClassInfo& TLkRealRangedSourcePin::StaticClassInfo() {
  return DefineClass<TLkRealRangedSourcePin, TLkRealSourcePin>("TLkRealRangedSourcePin");
}

TLkRealRangedSourcePin::TLkRealRangedSourcePin(TComponent* owner, ILkLock* componentLock)
    : TLkRealSourcePin(owner, componentLock) {
  AddType(RangedReal, TLkHandler::Of<&TLkRealRangedSourcePin::RangedHandler>(this));
}

double TLkRealRangedSourcePin::Low() const {
  std::lock_guard lock(RangeGuard);
  return Low_;
}

double TLkRealRangedSourcePin::High() const {
  std::lock_guard lock(RangeGuard);
  return High_;
}

void TLkRealRangedSourcePin::SetValue(double value, double low, double high) {
  {
    std::lock_guard lock(RangeGuard);
    Low_ = low;
    High_ = high;
  }
  Notify(*MakeRef<TLkSuppliedRealValueRangeOperation>(value, low, high));
}

uint8_t TLkRealRangedSourcePin::RangedHandler(TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                                              TLkNotifyOperation& operation) {
  return Deliver(peer, type, flags, operation, CustomHandler,
                 [this] { return MakeRef<TLkSuppliedRealValueRangeOperation>(Value_.load(), Low(), High()); });
}

// Value sinks --------------------------------------------------------------------------------

const TClassInfo& TLkFloatSinkPin::StaticClassInfo() {
  return DefineClass<TLkFloatSinkPin, TLkSinkPin>("TLkFloatSinkPin");
}

TLkFloatSinkPin::TLkFloatSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback,
                                 ILkLock* componentLock)
    : TLkValueSinkPin(owner, ownerList, std::move(callback), componentLock, {Float}) {}

uint8_t TLkFloatSinkPin::Receive(const TGUID&, TLkNotifyOperation& operation, uint8_t) {
  if (auto* single = OperationAs<TLkSuppliedSingleOperation>(operation)) Store(single->Value);
  return 0;
}

const TClassInfo& TLkIntegerSinkPin::StaticClassInfo() {
  return DefineClass<TLkIntegerSinkPin, TLkSinkPin>("TLkIntegerSinkPin");
}

TLkIntegerSinkPin::TLkIntegerSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback,
                                     ILkLock* componentLock)
    : TLkValueSinkPin(owner, ownerList, std::move(callback), componentLock, {Int32}) {}

uint8_t TLkIntegerSinkPin::Receive(const TGUID&, TLkNotifyOperation& operation, uint8_t) {
  if (auto* integer = OperationAs<TLkSuppliedIntegerOperation>(operation)) Store(integer->Value);
  return 0;
}

const TClassInfo& TLkInt64SinkPin::StaticClassInfo() {
  return DefineClass<TLkInt64SinkPin, TLkSinkPin>("TLkInt64SinkPin");
}

TLkInt64SinkPin::TLkInt64SinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback,
                                 ILkLock* componentLock)
    : TLkValueSinkPin(owner, ownerList, std::move(callback), componentLock, {Int64}) {}

uint8_t TLkInt64SinkPin::Receive(const TGUID&, TLkNotifyOperation& operation, uint8_t) {
  if (auto* integer = OperationAs<TLkSuppliedInt64Operation>(operation)) Store(integer->Value);
  return 0;
}

const TClassInfo& TLkRealSinkPin::StaticClassInfo() {
  return DefineClass<TLkRealSinkPin, TLkSinkPin>("TLkRealSinkPin");
}

TLkRealSinkPin::TLkRealSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback,
                               ILkLock* componentLock)
    : TLkValueSinkPin(owner, ownerList, std::move(callback), componentLock, {Real, Float}) {}

uint8_t TLkRealSinkPin::Receive(const TGUID&, TLkNotifyOperation& operation, uint8_t) {
  if (auto* real = OperationAs<TLkSuppliedRealOperation>(operation)) Store(real->Value);
  else if (auto* single = OperationAs<TLkSuppliedSingleOperation>(operation)) Store(single->Value);
  return 0;
}

const TClassInfo& TLkDateTimeSinkPin::StaticClassInfo() {
  return DefineClass<TLkDateTimeSinkPin, TLkSinkPin>("TLkDateTimeSinkPin");
}

TLkDateTimeSinkPin::TLkDateTimeSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback,
                                       ILkLock* componentLock)
    : TLkValueSinkPin(owner, ownerList, std::move(callback), componentLock, {DateTime}) {}

uint8_t TLkDateTimeSinkPin::Receive(const TGUID&, TLkNotifyOperation& operation, uint8_t) {
  if (auto* moment = OperationAs<TLkSuppliedDateTimeOperation>(operation)) Store(moment->Value);
  return 0;
}

const TClassInfo& TLkIntAndRangedSinkPin::StaticClassInfo() {
  return DefineClass<TLkIntAndRangedSinkPin, TLkSinkPin>("TLkIntAndRangedSinkPin");
}

TLkIntAndRangedSinkPin::TLkIntAndRangedSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback,
                                               ILkLock* componentLock, int32_t low, int32_t high)
    : TLkRangedSinkPin(owner, ownerList, std::move(callback), componentLock, low, high, {RangedInt32, Int32}) {}

const TClassInfo& TLkInt64AndRangedSinkPin::StaticClassInfo() {
  return DefineClass<TLkInt64AndRangedSinkPin, TLkSinkPin>("TLkInt64AndRangedSinkPin");
}

TLkInt64AndRangedSinkPin::TLkInt64AndRangedSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback,
                                                   ILkLock* componentLock, int64_t low, int64_t high)
    : TLkRangedSinkPin(owner, ownerList, std::move(callback), componentLock, low, high, {RangedInt64, Int64}) {}

// State pins ---------------------------------------------------------------------------------

const TClassInfo& TLkBoolStatePin::StaticClassInfo() {
  return DefineClass<TLkBoolStatePin, TLkStatePin>("TLkBoolStatePin");
}

TLkBoolStatePin::TLkBoolStatePin(TComponent* owner, TValueCallback callback, ILkLock* componentLock)
    : TLkStatePin(owner, componentLock), Callback(std::move(callback)) {
  Register();
  Implement(Boolean);
  AddType(Boolean, TLkHandler::Of<&TLkBoolStatePin::StateSend>(this));
}

void TLkBoolStatePin::SetValue(bool value) {
  if (value == Value_) return;
  Value_ = value;
  SendToGroup(*MakeRef<TLkSuppliedBoolOperation>(value), 0, nullptr);
}

uint8_t TLkBoolStatePin::StateSend(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation) {
  if (auto* supplied = OperationAs<TLkSuppliedBoolOperation>(operation)) Value_ = supplied->Value;
  return Deliver(peer, type, flags, operation, CustomHandler,
                 [this] { return MakeRef<TLkSuppliedBoolOperation>(Value_.load()); });
}

uint8_t TLkBoolStatePin::Receive(const TGUID&, TLkNotifyOperation& operation, uint8_t) {
  auto* supplied = OperationAs<TLkSuppliedBoolOperation>(operation);
  if (!supplied) return 0;
  Value_ = supplied->Value;
  if (Callback) Callback(this, supplied->Value);
  return 0;
}

const TClassInfo& TLkFloatIntStatePin::StaticClassInfo() {
  return DefineClass<TLkFloatIntStatePin, TLkStatePin>("TLkFloatIntStatePin");
}

TLkFloatIntStatePin::TLkFloatIntStatePin(TComponent* owner, TValueCallback callback, ILkLock* componentLock)
    : TLkStatePin(owner, componentLock), Callback(std::move(callback)) {
  Register();
  Implement(Int32);
  Implement(Float);
  AddType(Float, TLkHandler::Of<&TLkFloatIntStatePin::StateSend>(this));
  AddType(Int32, TLkHandler::Of<&TLkFloatIntStatePin::StateSend>(this));
}

void TLkFloatIntStatePin::SetValue(float value) {
  const float current = Value_;
  // Equal values send nothing; two NaNs count as equal, a NaN and a number do not.
  if (value == current || (std::isnan(value) && std::isnan(current))) return;
  Value_ = value;
  SendToGroup(*MakeRef<TLkSuppliedMulticastOperation>(), 0, nullptr);
}

uint8_t TLkFloatIntStatePin::StateSend(TLkBasicPin* peer, const TGUID&, uint8_t flags, TLkNotifyOperation& operation) {
  const bool asValue = (flags & lkNotice) || OperationAs<TLkSuppliedMulticastOperation>(operation);
  if (peer->QueryPeerInterface(Float)) {
    if (CustomFloatHandler) return CustomFloatHandler(peer, Float, flags, operation);
    if (!asValue) return peer->Receive(Float, operation, flags);
    return peer->Receive(Float, *MakeRef<TLkSuppliedSingleOperation>(Value_.load()), flags);
  }
  if (peer->QueryPeerInterface(Int32)) {
    if (CustomIntegerHandler) return CustomIntegerHandler(peer, Int32, flags, operation);
    if (!asValue) return peer->Receive(Int32, operation, flags);
    return peer->Receive(Int32, *MakeRef<TLkSuppliedIntegerOperation>(LkRoundToInt32(Value_.load())), flags);
  }
  return 0;
}

uint8_t TLkFloatIntStatePin::Receive(const TGUID&, TLkNotifyOperation& operation, uint8_t) {
  float value;
  if (auto* integer = OperationAs<TLkSuppliedIntegerOperation>(operation)) value = static_cast<float>(integer->Value);
  else if (auto* single = OperationAs<TLkSuppliedSingleOperation>(operation)) value = single->Value;
  else return 0;
  Value_ = value;
  if (Callback) Callback(this, value);
  return 0;
}

// Converters -----------------------------------------------------------------------------------

TLkIntToFloatFormatConverter::TLkIntToFloatFormatConverter()
    : TLkValueFormatConverter([](TLkIntegerSinkPin&, int32_t v) -> TRef<TLkNotifyOperation> {
        return MakeRef<TLkSuppliedSingleOperation>(static_cast<float>(v));
      }) {}

TLkIntToRealFormatConverter::TLkIntToRealFormatConverter()
    : TLkValueFormatConverter([](TLkIntegerSinkPin&, int32_t v) -> TRef<TLkNotifyOperation> {
        return MakeRef<TLkSuppliedRealOperation>(v);
      }) {}

TLkInt64ToFloatFormatConverter::TLkInt64ToFloatFormatConverter()
    : TLkValueFormatConverter([](TLkInt64SinkPin&, int64_t v) -> TRef<TLkNotifyOperation> {
        return MakeRef<TLkSuppliedSingleOperation>(static_cast<float>(v));
      }) {}

TLkInt64ToRealFormatConverter::TLkInt64ToRealFormatConverter()
    : TLkValueFormatConverter([](TLkInt64SinkPin&, int64_t v) -> TRef<TLkNotifyOperation> {
        return MakeRef<TLkSuppliedRealOperation>(static_cast<double>(v));
      }) {}

TLkFloatToRealFormatConverter::TLkFloatToRealFormatConverter()
    : TLkValueFormatConverter(
          [](TLkFloatSinkPin&, float v) -> TRef<TLkNotifyOperation> { return MakeRef<TLkSuppliedRealOperation>(v); }) {}

TLkIntToRealRangedFormatConverter::TLkIntToRealRangedFormatConverter()
    : TLkValueFormatConverter([](TLkIntAndRangedSinkPin& input, int32_t v) -> TRef<TLkNotifyOperation> {
        if (input.Ranged()) return MakeRef<TLkSuppliedRealValueRangeOperation>(v, input.Low(), input.High());
        return MakeRef<TLkSuppliedSingleOperation>(static_cast<float>(v));
      }) {}

TLkInt64ToRealRangedFormatConverter::TLkInt64ToRealRangedFormatConverter()
    : TLkValueFormatConverter([](TLkInt64AndRangedSinkPin& input, int64_t v) -> TRef<TLkNotifyOperation> {
        if (input.Ranged()) {
          return MakeRef<TLkSuppliedRealValueRangeOperation>(static_cast<double>(v), static_cast<double>(input.Low()),
                                                             static_cast<double>(input.High()));
        }
        return MakeRef<TLkSuppliedSingleOperation>(static_cast<float>(v));
      }) {}
