#include "components/DnSignalGen.h"

#include "buffers/DnSampleCoding.h"
#include "components/DnSignalPhase.h"
#include "platform/Published.h"
#include "vector/PrimitiveBinding.h"

#include <algorithm>
#include <cmath>

using namespace Primitives;

namespace {

// The largest float within +-pi of the triangle primitive: float(pi) itself lies beyond it.
constexpr float SawtoothAsymmetry = 3.1415925f;
constexpr Ipp16s FullScale = 32767;

// Whether a wave is defined at the relative frequency r (cycles per sample).
bool Periodic(double r) { return r > 0 && r < 0.5; }

}  // namespace

const TClassInfo& TDnSignalGen::StaticClassInfo() {
  static const TEnumNames<TDnSignalType> types = {{atTone, "atTone"},
                                                  {atTriangle, "atTriangle"},
                                                  {atSquare, "atSquare"},
                                                  {atSawToothUp, "atSawToothUp"},
                                                  {atSawToothDown, "atSawToothDown"}};
  return DefineClass<TDnSignalGen, TDnCommonGen>("TDnSignalGen", [](TPublished<TDnSignalGen>& p) {
    using T = TDnSignalGen;
    p.Enumeration("SignalType", types, &T::SignalType, &T::SetSignalType, atTone)
        .Float("Phase", &T::Phase, &T::SetPhase)
        .Integer("Amplitude", &T::Amplitude, &T::SetAmplitude)
        .Float("Frequency", &T::Frequency, &T::SetFrequency)
        .Float("Asymmetry", &T::Asymmetry, &T::SetAsymmetry)
        .Object("FrequencyPin", &T::FrequencyPin);
  });
}

TDnSignalGen::TDnSignalGen(TComponent* owner)
    : TDnCommonGen(owner),
      FrequencyPin_(new TLkFloatIntStatePin(
          this, [this](TLkBasicPin*, float value) { SetFrequency(value); }, &ComponentLock())) {
  FrequencyPin_->SetValue(static_cast<float>(Frequency_));
  DeriveSecondPhase();
}

void TDnSignalGen::DeriveSecondPhase() { SecondPhase = DnSignalPhase::Wrap(double(RunningPhase) + DnSignalPhase::Pi); }

void TDnSignalGen::SetSignalType(TDnSignalType type) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (!section || type == SignalType_) return;
  SignalType_ = type;
  DeriveSecondPhase();
}

void TDnSignalGen::SetPhase(float phase) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (!section || phase == Phase_) return;
  Phase_ = phase;
  RunningPhase = DnSignalPhase::Wrap(phase);
  DeriveSecondPhase();
}

void TDnSignalGen::SetAmplitude(int32_t amplitude) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (section) Amplitude_ = std::clamp(amplitude, 0, int32_t(FullScale));
}

void TDnSignalGen::SetFrequency(double frequency) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (!section) return;
  if (!(frequency >= 0)) frequency = 0;
  if (frequency == Frequency_) return;
  Frequency_ = frequency;
  FrequencyPin_->SetValue(static_cast<float>(frequency));
}

void TDnSignalGen::SetAsymmetry(double asymmetry) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (section) Asymmetry_ = std::isnan(asymmetry) ? 0 : std::clamp(asymmetry, -DnSignalPhase::Pi, DnSignalPhase::Pi);
}

void TDnSignalGen::DoStart() {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (!section) return;
  Sawtooth.Reset();
  RunningPhase = DnSignalPhase::Wrap(Phase_);
  DeriveSecondPhase();
  TDnCommonGen::DoStart();
}

void TDnSignalGen::SampleRateChanged(double rate) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (!section) return;
  SampleRate = rate;
  UpdatePeriod();
}

void TDnSignalGen::UpdatePeriod() {
  RelativeFrequency = Frequency_ / SampleRate;
  // Only where it is defined: at 0 Hz, or at half the sample rate and above, there is no wave.
  PeriodLength = Periodic(RelativeFrequency) ? static_cast<int32_t>(std::nearbyint(1 / RelativeFrequency)) : 0;
}

void TDnSignalGen::Generate(TRef<IDnAudioBuffer>& buffer, bool&, bool&) {
  const int length = static_cast<int>(SampleBlock().GetCount() / 2);
  auto* block = reinterpret_cast<Ipp16s*>(SampleBlock().WriteData());
  UpdatePeriod();
  if (!PeriodLength || !Compose(block, length, RelativeFrequency)) BoundPrimitives().Buffer.ippsZero_16s(block, length);

  const uint32_t frames = std::min<uint32_t>(buffer->GetCount(), length);
  const uint32_t bytes = buffer->GetContainerBits() / 8;
  uint8_t* data = buffer->WriteData();
  for (uint32_t channel = 0; channel < buffer->GetChannels(); ++channel)
    DnSamples::CopyChannel({reinterpret_cast<const uint8_t*>(block), 2, 16},
                           {data + channel * bytes, int(buffer->GetBlockAlign()), buffer->GetContainerBits()},
                           int(frames));
}

bool TDnSignalGen::Compose(Ipp16s* block, int length, double r) {
  const TAudioPrimitives& audio = BoundPrimitives().Audio;
  const auto amplitude = static_cast<Ipp16s>(Amplitude_.load());
  switch (SignalType_) {
    case atTone:
      return audio.ippsTone_Direct_16s(block, length, amplitude, float(r), &RunningPhase, HintNone) == StsNoError;
    case atTriangle:
      return audio.ippsTriangle_Direct_16s(block, length, amplitude, float(r), float(Asymmetry_.load()),
                                           &RunningPhase) == StsNoError;
    case atSquare: return Square(block, length, float(r));
    case atSawToothUp: Sawtooth.Fill(block, length, amplitude, r, PeriodLength, RunningPhase); return true;
    case atSawToothDown: Sawtooth.Fill(block, length, -amplitude, r, PeriodLength, RunningPhase); return true;
  }
  return false;
}

// Two near-sawtooth triangles half a period apart and of opposite slope sum to +full scale over
// the first half of each period and -full scale over the second; the clamp brings that to the
// amplitude.
bool TDnSignalGen::Square(Ipp16s* block, int length, float r) {
  if (!SecondBlock || int(SecondBlock->GetCount()) != 2 * length) SecondBlock = MakeRef<TKvBlockBuffer>(2 * length);
  auto* second = reinterpret_cast<Ipp16s*>(SecondBlock->WriteData());
  const TAudioPrimitives& audio = BoundPrimitives().Audio;
  const IppStatus falling =
      audio.ippsTriangle_Direct_16s(block, length, FullScale, r, SawtoothAsymmetry, &RunningPhase);
  const IppStatus rising =
      audio.ippsTriangle_Direct_16s(second, length, FullScale, r, -SawtoothAsymmetry, &SecondPhase);
  if (falling != StsNoError || rising != StsNoError) return false;
  audio.ippsAdd_16s_I(second, block, length);
  const auto amplitude = static_cast<Ipp16s>(Amplitude_.load());
  audio.ippsThreshold_LTValGTVal_16s_I(block, length, Ipp16s(-amplitude), Ipp16s(-amplitude), amplitude, amplitude);
  return true;
}

void TDnSignalGen::Destroying() {
  FreePin(FrequencyPin_);
  TDnCommonGen::Destroying();
}
