#include "pins/DnStreamTypes.h"

#include "buffers/DnSimpleAudioBuffer.h"
#include "platform/Published.h"

#include <mutex>

void DnStreamTypes::Register() {
  static std::once_flag once;
  std::call_once(once, [] {
    KvStreamTypes::Register();
    RegisterStreamType(Audio, "Dn Audio stream");
    SetStreamTypeHandler(Audio, KvStreamTypes::DefaultHandler());
  });
}

const TClassInfo& TDnLkAudioSourcePin::StaticClassInfo() {
  return DefineClass<TDnLkAudioSourcePin, TKvLkSourcePin>("TDnLkAudioSourcePin");
}

TDnLkAudioSourcePin::TDnLkAudioSourcePin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock)
    : TKvLkSourcePin(owner, std::move(receive), componentLock) {
  DnStreamTypes::Register();
  AddType(DnStreamTypes::Audio);
  Implement(DnStreamTypes::Audio);
}

TRef<TLkNotifyOperation> TDnLkAudioSourcePin::RememberedResume() { return Remembered(LastResume); }

void TDnLkAudioSourcePin::CatchUpAfterLink(TLkBasicPin* sink) { SendTo(sink, RememberedResume()); }

void TDnLkAudioSourcePin::Remember(TLkNotifyOperation& operation) {
  TKvLkSourcePin::Remember(operation);
  if (OperationAs<TLkKvResumeOperation>(operation)) SetRemembered(LastResume, &operation);
  else if (OperationAs<TLkStopOperation>(operation)) SetRemembered(LastResume, nullptr);
}

const TClassInfo& TDnLkAudioSinkPin::StaticClassInfo() {
  return DefineClass<TDnLkAudioSinkPin, TKvLkSinkPin>("TDnLkAudioSinkPin");
}

TDnLkAudioSinkPin::TDnLkAudioSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock,
                                     TLkPinList* ownerList)
    : TKvLkSinkPin(owner, std::move(receive), componentLock, ownerList) {
  DnStreamTypes::Register();
  Accept(DnStreamTypes::Audio);
}

namespace {

template <class Interface, void (IDnAudioBuffer::*Extract)(uint32_t, TRef<Interface>&)>
TRef<IKvData> FirstChannel(IKvDataBuffer& buffer) {
  auto* audio = InterfaceOf<IDnAudioBuffer>(buffer);
  if (!audio) return nullptr;
  TRef<Interface> channel;
  (audio->*Extract)(0, channel);
  return channel;
}

}  // namespace

TLkAudioToRealFormatConverter::TLkAudioToRealFormatConverter()
    : TKvLkBufferFormatConverter(&FirstChannel<IKvRealBuffer, &IDnAudioBuffer::ChannelToReal>) {
  SetStreamPins(new TDnLkAudioSinkPin(this, InputCallback()),
                new TKvLkRealSourcePin(this, UpstreamCallback(), nullptr, true));
}

TLkAudioToIntFormatConverter::TLkAudioToIntFormatConverter()
    : TKvLkBufferFormatConverter(&FirstChannel<IKvIntegerBuffer, &IDnAudioBuffer::ChannelToInteger>) {
  SetStreamPins(new TDnLkAudioSinkPin(this, InputCallback()), new TKvLkIntegerSourcePin(this, UpstreamCallback()));
}
