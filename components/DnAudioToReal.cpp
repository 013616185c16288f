#include "components/DnAudioToReal.h"

#include "platform/Published.h"

const TClassInfo& TDnAudioToReal::StaticClassInfo() {
  return DefineClass<TDnAudioToReal, TDnCommonSplitter>("TDnAudioToReal", [](TPublished<TDnAudioToReal>& p) {
    p.Boolean("Normalize", &TDnAudioToReal::Normalize, &TDnAudioToReal::SetNormalize, false);
  });
}

TDnAudioToReal::TDnAudioToReal(TComponent* owner) : TDnCommonSplitter(owner) { SetCountChannels(2); }

void TDnAudioToReal::SetNormalize(bool normalize) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (section) Normalize_ = normalize;
}

TKvLkSourcePin* TDnAudioToReal::CreateOutputPin() {
  return new TKvLkRealSourcePin(this, OutputCallback(), &ComponentLock(), true);
}

void TDnAudioToReal::StartStream(const TDnWaveFormat& header) {
  BeginStream(header, *MakeRef<TLkStartSampleRateOperation>(double(header.SamplesPerSec)));
}

void TDnAudioToReal::EmitChannel(uint32_t channel, IKvRealBuffer& buffer) {
  static_cast<TKvLkRealSourcePin*>(OutputPin(channel))->SendBuffer(TRef<IKvData>(&buffer));
}
