#pragma once

// The standard pins: clock source and sink, value sources and sinks of the basic number types,
// and state pins for a boolean and for a float-or-integer value; the basic stream types with their
// names and the converters between them, registered when the first of these pins is made.

#include "pins/LkPins.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

namespace LkStdTypes {
inline constexpr TGUID Int32 = "{92F6B47E-B46E-49BB-9A8E-676D3C2F2E66}"_guid;
inline constexpr TGUID Int64 = "{6D054E38-F733-4212-8D5A-0E866802F866}"_guid;
inline constexpr TGUID Float = "{67F6997B-7EB4-4E2F-8320-4A512B5F2BC7}"_guid;
inline constexpr TGUID Real = "{208F9564-3C20-4C97-BB77-2FC5AE6E4194}"_guid;
inline constexpr TGUID RealComplex = "{4CC4ADE6-E5AE-4E27-A9E7-42C14E062F41}"_guid;
inline constexpr TGUID Boolean = "{7AA677AE-F983-4714-8E64-EC6F3D17695B}"_guid;
inline constexpr TGUID Character = "{3241B885-95E1-495F-ACEC-4A1C98872B63}"_guid;
inline constexpr TGUID String = "{25C048B4-89D4-4277-AA98-A835EB29F5C1}"_guid;
inline constexpr TGUID RangedInt32 = "{836EE1EA-B8BD-4E04-8225-6AB547D1A3C4}"_guid;
inline constexpr TGUID RangedInt64 = "{B201C2F8-CA4D-4CF3-8E6D-E620D2B9D7EF}"_guid;
inline constexpr TGUID RangedReal = "{648AC95D-2772-427C-AD9D-2B7F1EDDE1A7}"_guid;
inline constexpr TGUID DateTime = "{475D7D8B-4796-42A5-8F8E-B512B8FD2704}"_guid;
// A type whose default handler passes the operation to a peer that implements it.
inline constexpr TGUID Forwarded = "{CFDF94D7-5134-49D9-AC65-902BBC1CD140}"_guid;
inline constexpr TGUID Clock = "{48CDAF9F-00C7-4B45-999D-4EE25353A952}"_guid;

// Registers the types and converters of this unit; the standard pins call it themselves.
void Register();
}  // namespace LkStdTypes

// The owner's callback for what a pin receives: (pin, type, flags, operation).
using TLkReceiveCallback =
    std::function<uint8_t(TLkBasicPin* pin, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation)>;

// The handler of the clock type, on both sides: the operation goes unchanged to a peer that
// implements the clock interface (a notice as a plain operation: there is no value to put in).
TLkHandler LkClockHandler();

// A float rounded to the nearest 32-bit integer, ties to even; NaN gives 0 and values out of
// range give the nearest end of the range.
int32_t LkRoundToInt32(double value);

// Clock -------------------------------------------------------------------------------------

// Passes every operation unchanged to clock sinks; what they send upstream goes to the owner's
// request callback.
class TLkClockSourcePin : public TLkSourcePin {
public:
  PUBLISHED_CLASS_INFO
  TLkClockSourcePin(TComponent* owner, TLkReceiveCallback request, ILkLock* componentLock = nullptr);
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;

private:
  TLkReceiveCallback Request;
};

// Hands every operation to the operation callback, and every tick (any clock operation) to the
// clock callback too.
class TLkClockSinkPin : public TLkSinkPin {
public:
  PUBLISHED_CLASS_INFO
  using TClockCallback = std::function<void(TLkBasicPin* pin)>;
  TLkClockSinkPin(TComponent* owner, TLkPinList* ownerList, TLkReceiveCallback operation, TClockCallback clock,
                  ILkLock* componentLock = nullptr);
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;

private:
  TLkReceiveCallback OperationCallback;
  TClockCallback ClockCallback;
};

// Value sources ------------------------------------------------------------------------------

// A custom notification handler replaces the standard delivery of a value pin.
using TLkCustomHandler =
    std::function<uint8_t(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation)>;

class TLkFloatSourcePin : public TLkClockSourcePin {
public:
  PUBLISHED_CLASS_INFO
  explicit TLkFloatSourcePin(TComponent* owner, ILkLock* componentLock = nullptr);
  float Value() const { return Value_; }
  // Stores the value and sends it as a supplied single.
  void SetValue(float value);
  uint8_t Notify(TLkNotifyOperation& operation) override;
  TLkCustomHandler CustomHandler;

private:
  uint8_t FloatHandler(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation);
  std::atomic<float> Value_{0};
};

class TLkRealSourcePin : public TLkClockSourcePin {
public:
  PUBLISHED_CLASS_INFO
  explicit TLkRealSourcePin(TComponent* owner, ILkLock* componentLock = nullptr);
  double Value() const { return Value_; }
  void SetValue(double value);
  uint8_t Notify(TLkNotifyOperation& operation) override;
  TLkCustomHandler CustomHandler;

protected:
  uint8_t RealHandler(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation);
  // A peer that takes only singles gets the value narrowed.
  uint8_t FloatHandler(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation);
  std::atomic<double> Value_{0};
};

class TLkRealRangedSourcePin : public TLkRealSourcePin {
public:
  PUBLISHED_CLASS_INFO
  explicit TLkRealRangedSourcePin(TComponent* owner, ILkLock* componentLock = nullptr);
  double Low() const;
  double High() const;
  // Stores the three numbers and sends a supplied real value range to all sinks.
  void SetValue(double value, double low, double high);

private:
  uint8_t RangedHandler(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation);
  mutable std::mutex RangeGuard;
  double Low_ = 0;
  double High_ = 0;
};

// Value sinks --------------------------------------------------------------------------------

// Stores what it receives and passes it on to the owner's value callback, if there is one.
template <class T>
class TLkValueSinkPin : public TLkSinkPin {
public:
  using TValueCallback = std::function<void(TLkBasicPin* pin, T value)>;
  T Value() const { return Value_; }

protected:
  TLkValueSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback, ILkLock* componentLock,
                  std::initializer_list<TGUID> accepted)
      : TLkSinkPin(owner, ownerList, componentLock), Callback(std::move(callback)) {
    LkStdTypes::Register();
    for (const TGUID& type : accepted) Implement(type);
  }
  void Store(T value) {
    Value_ = value;
    if (Callback) Callback(this, value);
  }

private:
  TValueCallback Callback;
  std::atomic<T> Value_{T()};
};

class TLkFloatSinkPin : public TLkValueSinkPin<float> {
public:
  PUBLISHED_CLASS_INFO
  TLkFloatSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback, ILkLock* componentLock = nullptr);
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;
};

class TLkIntegerSinkPin : public TLkValueSinkPin<int32_t> {
public:
  PUBLISHED_CLASS_INFO
  TLkIntegerSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback,
                    ILkLock* componentLock = nullptr);
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;
};

class TLkInt64SinkPin : public TLkValueSinkPin<int64_t> {
public:
  PUBLISHED_CLASS_INFO
  TLkInt64SinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback, ILkLock* componentLock = nullptr);
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;
};

// Takes reals, and singles widened.
class TLkRealSinkPin : public TLkValueSinkPin<double> {
public:
  PUBLISHED_CLASS_INFO
  TLkRealSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback, ILkLock* componentLock = nullptr);
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;
};

// A date and time as days since 1899-12-30.
class TLkDateTimeSinkPin : public TLkValueSinkPin<double> {
public:
  PUBLISHED_CLASS_INFO
  TLkDateTimeSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback,
                     ILkLock* componentLock = nullptr);
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;
};

// Takes plain and ranged integers; a ranged one also sets the range.
template <class T>
class TLkRangedSinkPin : public TLkValueSinkPin<T> {
public:
  using typename TLkValueSinkPin<T>::TValueCallback;
  T Low() const {
    std::lock_guard lock(RangeGuard);
    return Low_;
  }
  T High() const {
    std::lock_guard lock(RangeGuard);
    return High_;
  }
  // Whether the last value came with a range.
  bool Ranged() const { return Ranged_; }
  uint8_t Receive(const TGUID&, TLkNotifyOperation& operation, uint8_t) override {
    if (auto* ranged = OperationAs<TLkSuppliedRangeOperation<T>>(operation)) {
      {
        std::lock_guard lock(RangeGuard);
        Low_ = ranged->Low;
        High_ = ranged->High;
      }
      Ranged_ = true;
      this->Store(ranged->Value);
    } else if (auto* plain = OperationAs<TLkSuppliedValueOperation<T>>(operation)) {
      Ranged_ = false;
      this->Store(plain->Value);
    }
    return 0;
  }

protected:
  TLkRangedSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback, ILkLock* componentLock, T low,
                   T high, std::initializer_list<TGUID> accepted)
      : TLkValueSinkPin<T>(owner, ownerList, std::move(callback), componentLock, accepted), Low_(low), High_(high) {}

private:
  mutable std::mutex RangeGuard;
  T Low_;
  T High_;
  std::atomic<bool> Ranged_{false};
};

class TLkIntAndRangedSinkPin : public TLkRangedSinkPin<int32_t> {
public:
  PUBLISHED_CLASS_INFO
  TLkIntAndRangedSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback,
                         ILkLock* componentLock = nullptr, int32_t low = 0, int32_t high = 0);
};

class TLkInt64AndRangedSinkPin : public TLkRangedSinkPin<int64_t> {
public:
  PUBLISHED_CLASS_INFO
  TLkInt64AndRangedSinkPin(TComponent* owner, TLkPinList* ownerList, TValueCallback callback,
                           ILkLock* componentLock = nullptr, int64_t low = 0, int64_t high = 0);
};

// State pins ---------------------------------------------------------------------------------

// A boolean shared by a group: SetValue tells the group, a received value is taken and passed to
// the value callback, and a pin that joins learns the group's value at once.
class TLkBoolStatePin : public TLkStatePin {
public:
  PUBLISHED_CLASS_INFO
  using TValueCallback = std::function<void(TLkBasicPin* pin, bool value)>;
  TLkBoolStatePin(TComponent* owner, TValueCallback callback, ILkLock* componentLock = nullptr);
  bool Value() const { return Value_; }
  // Sends only when the value changes.
  void SetValue(bool value);
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;
  TLkCustomHandler CustomHandler;

private:
  uint8_t StateSend(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation);
  TValueCallback Callback;
  std::atomic<bool> Value_{false};
};

// A float shared by a group, delivered as a single, or as an integer (rounded, ties to even) to
// pins that take only integers.
class TLkFloatIntStatePin : public TLkStatePin {
public:
  PUBLISHED_CLASS_INFO
  using TValueCallback = std::function<void(TLkBasicPin* pin, float value)>;
  TLkFloatIntStatePin(TComponent* owner, TValueCallback callback, ILkLock* componentLock = nullptr);
  float Value() const { return Value_; }
  // Sends only when the value changes; a stored NaN counts as different from any number.
  void SetValue(float value);
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;
  TLkCustomHandler CustomFloatHandler;
  TLkCustomHandler CustomIntegerHandler;

private:
  uint8_t StateSend(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation);
  TValueCallback Callback;
  std::atomic<float> Value_{0};
};

// Converters -----------------------------------------------------------------------------------

// A converter whose input is the value sink InputPin and whose output is the value source
// OutputPin; Convert turns each received value into the operation the output sends. (The names
// differ from the base's Input and Output, which would hide them.)
template <class InputPin, class OutputPin, class Value>
class TLkValueFormatConverter : public TLkFormatConverter {
protected:
  using TConvert = std::function<TRef<TLkNotifyOperation>(InputPin&, Value)>;
  explicit TLkValueFormatConverter(TConvert convert) {
    auto* output = new OutputPin(this);
    auto* input = new InputPin(this, nullptr, [output, convert](TLkBasicPin* pin, Value value) {
      const TRef<TLkNotifyOperation> converted = convert(static_cast<InputPin&>(*pin), value);
      output->Notify(*converted);
    });
    SetPins(TLkPinPtr<TLkSinkPin>(input), TLkPinPtr<TLkSourcePin>(output));
  }
};

class TLkIntToFloatFormatConverter : public TLkValueFormatConverter<TLkIntegerSinkPin, TLkFloatSourcePin, int32_t> {
public:
  TLkIntToFloatFormatConverter();
};
class TLkIntToRealFormatConverter : public TLkValueFormatConverter<TLkIntegerSinkPin, TLkRealSourcePin, int32_t> {
public:
  TLkIntToRealFormatConverter();
};
class TLkInt64ToFloatFormatConverter : public TLkValueFormatConverter<TLkInt64SinkPin, TLkFloatSourcePin, int64_t> {
public:
  TLkInt64ToFloatFormatConverter();
};
class TLkInt64ToRealFormatConverter : public TLkValueFormatConverter<TLkInt64SinkPin, TLkRealSourcePin, int64_t> {
public:
  TLkInt64ToRealFormatConverter();
};
class TLkFloatToRealFormatConverter : public TLkValueFormatConverter<TLkFloatSinkPin, TLkRealSourcePin, float> {
public:
  TLkFloatToRealFormatConverter();
};
// A ranged value goes on as a supplied real value range, a plain one as a supplied single.
class TLkIntToRealRangedFormatConverter
    : public TLkValueFormatConverter<TLkIntAndRangedSinkPin, TLkRealRangedSourcePin, int32_t> {
public:
  TLkIntToRealRangedFormatConverter();
};
class TLkInt64ToRealRangedFormatConverter
    : public TLkValueFormatConverter<TLkInt64AndRangedSinkPin, TLkRealRangedSourcePin, int64_t> {
public:
  TLkInt64ToRealRangedFormatConverter();
};
