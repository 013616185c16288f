#include "DemonstrationChain.h"

#include <stdexcept>

TSpectrumTap::TSpectrumTap(TComponent* owner, size_t reserved)
    : TComponent(owner),
      Input_(new TKvLkRealSinkPin(
          this,
          [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) -> uint8_t {
            auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation);
            auto* real = supplied ? InterfaceOf<IKvRealBuffer>(*supplied->Buffer) : nullptr;
            if (!real) return 0;
            ++Count_;
            if (Values_.size() + real->GetCount() <= Values_.capacity())
              Values_.insert(Values_.end(), real->ReadData(), real->ReadData() + real->GetCount());
            return 0;
          },
          &Lock)) {
  Values_.reserve(reserved * 256);
}

void TSpectrumTap::Destroying() {
  Input_.reset();
  TComponent::Destroying();
}

namespace {

template <class Generator>
void SetUpGenerator(Generator& generator) {
  // Clocked by hand: an internal clock would tick on a thread of its own.
  generator.SetClockSource(csExternal);
  generator.AudioFormat()->SetChannels(1);
  generator.AudioFormat()->SetSampleRate(TDemonstrationChain::SampleRate);
  generator.AudioFormat()->SetBufferSize(TDemonstrationChain::Frames);
  generator.Stop();
}

void Link(TLkBasicPin* source, TLkBasicPin* sink) {
  if (!sink->Connect(source)) throw std::logic_error("a link of the demonstration chain was refused");
}

}  // namespace

TDemonstrationChain::TDemonstrationChain(size_t reservedSpectra)
    : Clock(new TDnGenericGen(nullptr)),
      Add(new TKvAdd(nullptr)),
      ToAudio(new TDnRealToAudio(nullptr)),
      Spectrum(new TDnSpectrum(nullptr)),
      Tap(new TSpectrumTap(nullptr, reservedSpectra)) {
  SetUpGenerator(*Clock);
  Add->InputPins()->SetCount(3);
  ToAudio->AudioFormat()->SetChannels(1);
  ToAudio->AudioFormat()->SetSampleRate(SampleRate);
  Spectrum->SetCountChannels(1);
  Spectrum->SetOrder(9);
  Spectrum->SetSamplingWindowStep(0);
  for (size_t i = 0; i < Tones.size(); ++i) {
    Signals[i].reset(new TDnSignalGen(nullptr));
    SetUpGenerator(*Signals[i]);
    Signals[i]->SetFrequency(Tones[i].Frequency);
    Signals[i]->SetAmplitude(Tones[i].Amplitude);
    Converters[i].reset(new TDnAudioToReal(nullptr));
    Converters[i]->SetCountChannels(1);
    Link(Clock->OutputPin(), Signals[i]->ClockPin());
    Link(Signals[i]->OutputPin(), Converters[i]->InputPin());
    Link(Converters[i]->OutputPins()->GetPin(0), Add->InputPins()->GetPin(int(i)));
  }
  Link(Add->OutputPin(), ToAudio->InputPins()->GetPin(0));
  Link(ToAudio->OutputPin(), Spectrum->InputPin());
  Link(Spectrum->OutputPins()->GetPin(0), Tap->Input());
}

TDemonstrationChain::~TDemonstrationChain() {
  Clock->Stop();
  for (auto& signal : Signals) signal->Stop();
}

void TDemonstrationChain::Start() {
  Clock->Start();
  for (auto& signal : Signals) signal->Start();
}
