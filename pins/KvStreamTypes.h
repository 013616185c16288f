#pragma once

// Stream pins: buffers and the operations that start, stop and steer a stream travel between
// components through them. A source remembers the start it sent and repeats it to sinks linked
// later; a sink that is unlinked receives a stop. The stream types, their default handler and the
// converters of this unit are registered when the first stream pin is made.

#include "buffers/KvDataInterfaces.h"
#include "pins/LkStdTypes.h"
#include "pins/LkStreamTypeRegistry.h"

#include <functional>

namespace KvStreamTypes {
inline constexpr TGUID BinaryArray = "{BD807B57-05AE-44E0-A99F-3D9BAD83395E}"_guid;
inline constexpr TGUID RealArray = "{58041272-EF20-4696-87E6-9EE46ABFBD89}"_guid;
inline constexpr TGUID IntegerArray = "{473B965F-AB43-4493-B9E3-BEE9CF0803D4}"_guid;
inline constexpr TGUID ComplexArray = "{BD797143-D7C6-4033-B686-9ABA658346CF}"_guid;
inline constexpr TGUID Universal = "{949B7FD0-421F-4F1B-B8D2-87969D3E66E0}"_guid;
inline constexpr TGUID Generic = "{DB6DD866-611D-4DC4-B46F-459CF8F02ECD}"_guid;
inline constexpr TGUID PairedBuffers = "{F4D70F89-B478-4D08-990F-AD03759D0E31}"_guid;
inline constexpr TGUID StringStream = "{939000AB-3C12-4A1D-89B5-33DA284E4929}"_guid;
// The interface every stream pin implements: what arrives through it goes to the pin's Receive.
inline constexpr TGUID StreamPin = "{20ACBC6D-DA0D-4359-8C78-CE0067D009A0}"_guid;

// The stream handler, on both sides: notices are not passed on (a stream learns of a new link
// from the start the source repeats); everything else goes to a peer that is a stream pin.
TLkHandler StreamHandler();
// The same as the default handler of the stream types.
TLkDefaultHandler DefaultHandler();

// Registers the types and converters of this unit; the stream pins call it themselves.
void Register();
}  // namespace KvStreamTypes

// A stream output. It sends through the clock type too (its least preferred type), so linked to a
// clock sink every operation it sends is a tick there.
class TKvLkSourcePin : public TLkSourcePin {
public:
  PUBLISHED_CLASS_INFO

  // Sends the buffer to every sink; false when the send raised an error, so that a chain goes on
  // with its next buffer. The library's own refusals (its Exception classes) say no more; every
  // other error (out of memory, a pin that depends on itself, a sink's own failure) also goes to
  // the error hook.
  bool SendBuffer(const TRef<IKvData>& buffer);
  // Sends a stop to every sink.
  void SendStop();
  // Sends; a start (or descendant) becomes the remembered start, a stop (or descendant) forgets it,
  // just before the send.
  uint8_t Notify(TLkNotifyOperation& operation) override;
  // The start last sent and not yet stopped.
  TRef<TLkNotifyOperation> RememberedStart();
  // What upstream sends from the sinks bring: the owner's receive callback, if there is one.
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;
  // Called with the pin whenever a sink is linked.
  std::function<void(TKvLkSourcePin* pin)> OnLink;

  // An unlinked sink receives a stop first.
  void RemoveLink(TLkBasicPin* pin, bool keepPlaceholder) override;

protected:
  TKvLkSourcePin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock);
  // A sink linked to a running stream is told the remembered start, then the link callback runs.
  void SinkLinked(TLkBasicPin* sink) override;
  // A link the source asked for: the callback runs again and the sink is told the start again.
  void SinkLinkedFromSource(TLkBasicPin* sink) override;
  // What else a newly linked sink is told, after the link callback.
  virtual void CatchUpAfterLink(TLkBasicPin*) {}
  // Remembers what a sent operation changes, under the write lock.
  virtual void Remember(TLkNotifyOperation& operation);
  // Sends to one sink, if there is something to send.
  void SendTo(TLkBasicPin* sink, const TRef<TLkNotifyOperation>& operation);
  // Sets a memory to the operation (or to none) under the write lock, and reads one under the read lock.
  void SetRemembered(TRef<TLkNotifyOperation>& slot, TLkNotifyOperation* operation);
  TRef<TLkNotifyOperation> Remembered(const TRef<TLkNotifyOperation>& slot);

private:
  TLkReceiveCallback ReceiveCallback;
  TRef<TLkNotifyOperation> LastStart;
};

// A stream input: every operation it receives goes to the owner's receive callback; it takes any
// source whose type negotiation succeeds.
class TKvLkSinkPin : public TLkSinkPin {
public:
  PUBLISHED_CLASS_INFO
  // Nothing reaches the owner once the pin is being destroyed: the owner may be half gone.
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override;

protected:
  TKvLkSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock, TLkPinList* ownerList);
  // Registers the type with the stream handler (for upstream sends) and implements it.
  void Accept(const TGUID& type);

private:
  TLkReceiveCallback ReceiveCallback;
};

// Real buffers. With `floatSingle` also a float value source: a supplied real buffer goes to a
// float value sink as its first element.
class TKvLkRealSourcePin : public TKvLkSourcePin {
public:
  PUBLISHED_CLASS_INFO
  TKvLkRealSourcePin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock = nullptr,
                     bool floatSingle = false);

private:
  uint8_t FloatValueHandler(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation);
};

class TKvLkIntegerSourcePin : public TKvLkSourcePin {
public:
  PUBLISHED_CLASS_INFO
  TKvLkIntegerSourcePin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock = nullptr);
};

// Sends strings; also to the string value sinks.
class TKvLkStringSourcePin : public TKvLkSourcePin {
public:
  PUBLISHED_CLASS_INFO
  TKvLkStringSourcePin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock = nullptr);

private:
  uint8_t StringValueHandler(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation);
};

class TKvLkRealSinkPin : public TKvLkSinkPin {
public:
  PUBLISHED_CLASS_INFO
  TKvLkRealSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock = nullptr,
                   TLkPinList* ownerList = nullptr);
};

// Real buffers, and single real and float values.
class TKvLkComboRealSinkPin : public TKvLkRealSinkPin {
public:
  PUBLISHED_CLASS_INFO
  TKvLkComboRealSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock = nullptr,
                        TLkPinList* ownerList = nullptr);
};

// ... and integer buffers and single integers, taken directly.
class TKvLkComboRealIntSinkPin : public TKvLkComboRealSinkPin {
public:
  PUBLISHED_CLASS_INFO
  TKvLkComboRealIntSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock = nullptr,
                           TLkPinList* ownerList = nullptr);
};

// ... and paired and complex buffers and single complex values.
class TKvLkComboRealIntComplexPairedSinkPin : public TKvLkComboRealIntSinkPin {
public:
  PUBLISHED_CLASS_INFO
  TKvLkComboRealIntComplexPairedSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock = nullptr,
                                        TLkPinList* ownerList = nullptr);
};

class TKvLkIntegerSinkPin : public TKvLkSinkPin {
public:
  PUBLISHED_CLASS_INFO
  TKvLkIntegerSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock = nullptr,
                      TLkPinList* ownerList = nullptr);
};

// A converter of buffers: a supplied buffer goes on from the output converted, every other
// operation unchanged; what comes upstream on the output goes on upstream from the input.
class TKvLkBufferFormatConverter : public TLkFormatConverter {
protected:
  // The converted buffer; none for a buffer of another kind than the input takes, which is dropped.
  using TConvert = TRef<IKvData> (*)(IKvDataBuffer& buffer);
  explicit TKvLkBufferFormatConverter(TConvert convert) : Convert(convert) {}
  // The derived constructor makes its pins with these callbacks, then hands them over.
  TLkReceiveCallback InputCallback();
  TLkReceiveCallback UpstreamCallback();
  void SetStreamPins(TKvLkSinkPin* input, TKvLkSourcePin* output);

private:
  uint8_t Pass(TLkNotifyOperation& operation);
  const TConvert Convert;
  TKvLkSourcePin* Out = nullptr;
};

// Integer buffers become real buffers of the same count and values.
class TKvLkIntToRealFormatConverter : public TKvLkBufferFormatConverter {
public:
  TKvLkIntToRealFormatConverter();
};

// Value-to-string converters: each received value goes on as a supplied string with its text.
template <class InputPin, class Value>
class TKvLkToStringFormatConverter : public TLkFormatConverter {
protected:
  explicit TKvLkToStringFormatConverter(std::function<std::string(Value)> text) {
    // What comes upstream on the output goes on upstream from the input.
    auto* output =
        new TKvLkStringSourcePin(this, [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) {
          return Input().Notify(operation);
        });
    auto* input = new InputPin(this, nullptr, [output, text](TLkBasicPin*, Value value) {
      output->Notify(*MakeRef<TLkSuppliedStringOperation>(text(value)));
    });
    SetPins(TLkPinPtr<TLkSinkPin>(input), TLkPinPtr<TLkSourcePin>(output));
  }
};

// The date and time as "yyyy-mm-dd hh:mm:ss"; a value outside years 1..9999 gives an empty text.
class TKvLkTimeToStringFormatConverter : public TKvLkToStringFormatConverter<TLkDateTimeSinkPin, double> {
public:
  TKvLkTimeToStringFormatConverter();
};
class TKvLkIntegerToStringFormatConverter : public TKvLkToStringFormatConverter<TLkIntegerSinkPin, int32_t> {
public:
  TKvLkIntegerToStringFormatConverter();
};
// The shortest text that reads back as the same value.
class TKvLkRealToStringFormatConverter : public TKvLkToStringFormatConverter<TLkRealSinkPin, double> {
public:
  TKvLkRealToStringFormatConverter();
};
