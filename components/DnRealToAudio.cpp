#include "components/DnRealToAudio.h"

#include "buffers/DnSampleCoding.h"
#include "components/ComponentPins.h"
#include "platform/Published.h"

#include <smmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>

const TClassInfo& TDnRealToAudio::StaticClassInfo() {
  return DefineClass<TDnRealToAudio, TComponent>("TDnRealToAudio", [](TPublished<TDnRealToAudio>& p) {
    using T = TDnRealToAudio;
    p.Object("OutputPin", &T::OutputPin)
        .Object("InputPins", &T::InputPins)
        .Object("AudioFormat", &T::AudioFormat)
        .Boolean("Normalize", &T::Normalize, &T::SetNormalize, false);
  });
}

TDnRealToAudio::TDnRealToAudio(TComponent* owner)
    : TComponent(owner),
      OutputPin_(new TDnLkAudioSourcePin(
          this,
          [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) {
            return OutputHandler(operation);
          },
          &Lock)),
      InputPins_(std::make_unique<TLkPinList>(this, true, &Lock)),
      AudioFormat_(std::make_unique<TDnAudioFormat>(this)) {
  GuardWithLock(*AudioFormat_, Lock);
  AudioFormat_->OnChange = [this](TObject*) { FormatChanged(); };
  FormatChanged();
}

void TDnRealToAudio::SetNormalize(bool normalize) {
  const TLkLockSection section = Lock.WriteLock();
  if (section) Normalize_ = normalize;
}

TKvLkQueuedRealSinkPin* TDnRealToAudio::Input(int index) const {
  return static_cast<TKvLkQueuedRealSinkPin*>(InputPins_->GetPin(index));
}

void TDnRealToAudio::FormatChanged() {
  const TLkLockSection section = Lock.WriteLock();
  if (!section) return;
  const int channels = int(AudioFormat_->Channels());
  while (InputPins_->GetCount() > channels) InputPins_->Delete(InputPins_->GetCount() - 1);
  while (InputPins_->GetCount() < channels) {
    auto* pin = new TKvLkQueuedRealSinkPin(
        this,
        [this](TLkBasicPin* pin, const TGUID&, uint8_t, TLkNotifyOperation& operation) {
          return InputHandler(static_cast<TKvLkQueuedRealSinkPin*>(pin), operation);
        },
        &Lock, InputPins_.get());
    OutputPin_->AddDependency(pin);
    InputPins_->Add(pin);
  }
  RateRule();
}

uint8_t TDnRealToAudio::InputHandler(TKvLkQueuedRealSinkPin* pin, TLkNotifyOperation& operation) {
  const TLkLockSection section = Lock.WriteLock();
  if (!section) return 0;
  TKvLkQueuedPinImpl& queued = pin->Queued();
  if (auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation)) {
    if (supplied->Buffer && InterfaceOf<IKvRealBuffer>(*supplied->Buffer)) {
      queued.Push(supplied->Buffer);
      queued.SetReceived(true);
      EmitRule(section);
    }
    return 0;
  }
  // A start or stop of an input is answered by the output stream's own start or stop: passing
  // the input's on as well would replace the start-wave the audio output remembers for sinks
  // linked later, or stop the stream twice.
  if (auto* start = OperationAs<TLkStartSampleRateOperation>(operation)) {
    queued.SetSampleRate(start->SampleRate);
    StartRule();
    return 0;
  }
  if (OperationAs<TLkStopOperation>(operation)) {
    queued.Reset();
    if (Started_.exchange(false)) OutputPin_->SendStop();
    return 0;
  }
  return OutputPin_->Notify(operation);
}

uint8_t TDnRealToAudio::OutputHandler(TLkNotifyOperation& operation) {
  const TLkLockSection section = Lock.WriteLock();
  if (!section) return 0;
  const int count = InputPins_->GetCount();
  for (int i = 0; i < count; ++i) Input(i)->Queued().SetReceived(false);
  uint8_t result = 0;
  // An input whose upstream delivered while an earlier input passed the request on is not asked.
  for (int i = 0; i < count; ++i)
    if (!Input(i)->Queued().IsReceived()) result = Input(i)->Notify(operation);
  return result;
}

bool TDnRealToAudio::RateRule() {
  const int count = InputPins_->GetCount();
  double rate = 0;
  bool allStarted = true;
  for (int i = 0; i < count; ++i) {
    TKvLkQueuedRealSinkPin* pin = Input(i);
    if (!pin->IsLinked()) continue;
    if (pin->Queued().IsStarted()) rate = std::max(rate, pin->Queued().GetSampleRate());
    else allStarted = false;
  }
  StreamRate_ = rate;
  if (!allStarted) return false;
  const auto size = int32_t(AudioFormat_->BufferSize());
  for (int i = 0; i < count; ++i)
    if (Input(i)->IsLinked()) Input(i)->Queued().SetNeeded(size, float(rate));
  return true;
}

void TDnRealToAudio::StartRule() {
  if (!RateRule() || Started_) return;
  AudioFormat_->SetSampleRate(uint32_t(std::nearbyint(StreamRate_.load())));
  // Started before the start goes out: a stop that comes while it travels clears it again.
  Started_ = true;
  OutputPin_->Notify(*MakeRef<TLkStartWaveOperation>(AudioFormat_->Format(), false));
}

bool TDnRealToAudio::AllReady() {
  for (int i = 0; i < InputPins_->GetCount(); ++i)
    if (Input(i)->IsLinked() && !Input(i)->Queued().IsReady()) return false;
  return true;
}

void TDnRealToAudio::EmitRule(const TLkLockSection& section) {
  // Longer upstream buffers give more than one emit; a pass that takes nothing ends the loop, and
  // so does a section that lost its lock while a buffer travelled downstream (a stop came).
  while (section && Started_ && AllReady() && Emit()) {}
}

bool TDnRealToAudio::Emit() {
  const TDnAudioFormat& format = *AudioFormat_;
  const uint32_t frames = format.BufferSize();
  const TRef<TDnAudioBuffer> audio =
      MakeRef<TDnAudioBuffer>(format.SampleRate(), format.ChannelMask(), frames, format.Channels(), format.Bits());
  // The audio goes downstream and is new each time; the real samples stay here and are reused.
  if (!Samples || Samples->GetCount() != frames) Samples = MakeRef<TKvRealBuffer>(frames);
  TKvRealBuffer& samples = *Samples;
  bool taken = false;
  for (int i = 0; i < InputPins_->GetCount(); ++i) {
    TKvLkQueuedRealSinkPin* pin = Input(i);
    // An unlinked input, or one with no needed count (linked after the rates were set), is silent
    // rather than a repeat of the previous channel.
    const bool took = pin->IsLinked() && pin->Queued().Take(samples);
    if (!took) samples.Zero();
    taken = taken || took;
    WriteChannel(uint32_t(i), samples, *audio);
  }
  if (taken) OutputPin_->SendBuffer(audio);
  return taken;
}

namespace {

// The container is a constant, so that each sample is one conversion and one store.
template <uint32_t Container>
void WriteSamples(const double* from, uint8_t* to, uint32_t step, uint32_t frames, double scale) {
  uint32_t frame = 0;
  if constexpr (Container == 16) {
    // Contiguous 16-bit samples (a mono stream), two at a time while they lie within 32-bit
    // integers: there the conversion rounds to nearest, ties to even (the default rounding mode)
    // exactly as Nearest does, and its low 16 bits are the sample.
    if (step == 2) {
      const __m128d factor = _mm_set1_pd(scale), limit = _mm_set1_pd(0x1p31), sign = _mm_set1_pd(-0.0);
      for (; frame + 2 <= frames; frame += 2) {
        const __m128d x = _mm_mul_pd(_mm_loadu_pd(from + frame), factor);
        if (_mm_movemask_pd(_mm_cmplt_pd(_mm_andnot_pd(sign, x), limit)) != 3) break;  // NaN fails too
        const __m128i integers = _mm_cvtpd_epi32(x);
        const int16_t pair[2] = {int16_t(_mm_cvtsi128_si32(integers)), int16_t(_mm_extract_epi32(integers, 1))};
        std::memcpy(to + frame * 2, pair, sizeof pair);
      }
      to += frame * 2;
    }
  }
  for (; frame < frames; ++frame, to += step)
    DnSamples::WriteValue(to, Container, DnSamples::Nearest(from[frame] * scale));
}

}  // namespace

void TDnRealToAudio::WriteChannel(uint32_t channel, IKvRealBuffer& samples, IDnAudioBuffer& audio) {
  const uint32_t container = audio.GetContainerBits(), step = audio.GetBlockAlign();
  const uint32_t frames = std::min(audio.GetCount(), samples.GetCount());
  const double scale = Normalize_ ? double(int64_t(1) << (container - 1)) : 1.0;
  const double* from = samples.ReadData();
  uint8_t* to = audio.ModifyData() + channel * (container / 8);
  switch (container) {
    case 8: WriteSamples<8>(from, to, step, frames, scale); break;
    case 16: WriteSamples<16>(from, to, step, frames, scale); break;
    case 24: WriteSamples<24>(from, to, step, frames, scale); break;
    default: WriteSamples<32>(from, to, step, frames, scale); break;
  }
}

void TDnRealToAudio::Destroying() {
  InputPins_->Clear();
  FreePin(OutputPin_);
  TComponent::Destroying();
}
