#include "components/DnSpectrum.h"

#include "buffers/KvSimpleDataBuffer.h"
#include "pins/LkStdTypes.h"
#include "platform/ErrorHook.h"
#include "platform/Published.h"
#include "vector/PrimitiveBinding.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace Primitives;

namespace {

int FftFlag(TKvFourierNormalization normalization) {
  switch (normalization) {
    case fnNone: return FftNoDivision;
    case fnNormalizeSqrt: return FftDivBySqrtN;
    default: return FftDivForwardByN;
  }
}

// A buffer holds fewer than 2^32 bytes: the largest transform whose complex spectrum (16 bytes an
// element) one buffer can hold.
constexpr int32_t LargestBufferOrder = 27;

}  // namespace

const TClassInfo& TDnSpectrum::StaticClassInfo() {
  static const TEnumNames<TKvFourierNormalization> normalizations = {
      {fnNone, "fnNone"}, {fnNormalize, "fnNormalize"}, {fnNormalizeSqrt, "fnNormalizeSqrt"}};
  static const TEnumNames<TDndBMode> modes = {
      {adbNone, "adbNone"}, {adbPower, "adbPower"}, {adbAmplitude, "adbAmplitude"}};
  return DefineClass<TDnSpectrum, TDnCommonSplitter>("TDnSpectrum", [](TPublished<TDnSpectrum>& p) {
    using T = TDnSpectrum;
    p.Integer("Order", &T::Order, &T::SetOrder, 8)
        .Unsigned("SamplingWindowStep", &T::SamplingWindowStep, &T::SetSamplingWindowStep, 0)
        .Enumeration("Normalization", normalizations, &T::Normalization, &T::SetNormalization, fnNormalize)
        .Enumeration("ModedB", modes, &T::ModedB, &T::SetModedB, adbNone)
        .Boolean("Synchronize", &T::Synchronize, &T::SetSynchronize, true)
        .Object("FrequencyOutputPins", &T::FrequencyOutputPins)
        .Event("OnFrequencyResult", &T::OnFrequencyResult);
  });
}

TDnSpectrum::TDnSpectrum(TComponent* owner)
    : TDnCommonSplitter(owner),
      FrequencyOutputPins_(std::make_unique<TLkPinList>(this, true, &ComponentLock())),
      Notifier([this] { ReportPeaks(); }) {
  SetCountChannels(2);
}

TDnSpectrum::~TDnSpectrum() { FreeRecord(); }

void TDnSpectrum::SetOrder(int32_t order) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (section) Order_ = std::clamp(order, MinOrder, MaxOrder);
}

void TDnSpectrum::SetSamplingWindowStep(uint32_t step) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (section) SamplingWindowStep_ = step;
}

void TDnSpectrum::SetNormalization(TKvFourierNormalization normalization) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (!section || normalization == Normalization_) return;
  Normalization_ = normalization;
  // The windows keep their length: the record is made again for the order in use, not for an
  // Order changed since the start.
  if (Record && !CreateRecord()) TransformSize_ = 0;
}

void TDnSpectrum::SetModedB(TDndBMode mode) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (section) ModedB_ = mode;
}

void TDnSpectrum::SetSynchronize(bool synchronize) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (section) Synchronize_ = synchronize;
}

void TDnSpectrum::SetCountChannels(int32_t count) {
  const TLkLockSection section = ComponentLock().WriteLock();
  if (!section) return;
  TDnCommonSplitter::SetCountChannels(count);
  const int outputs = OutputPins()->GetCount();
  Peaks.resize(size_t(outputs), 0.0);
  TLkPinList& pins = *FrequencyOutputPins_;
  while (pins.GetCount() > outputs) pins.Delete(pins.GetCount() - 1);
  while (pins.GetCount() < outputs) {
    auto* pin = new TLkRealRangedSourcePin(this, &ComponentLock());
    pin->AddDependency(InputPin());
    pins.Add(pin);
  }
  // Channels added while a stream runs get windows of the length in use at once.
  if (TransformSize_ > 0)
    while (Channels.size() < size_t(outputs)) Channels.push_back(FreshChannel());
}

TKvLkSourcePin* TDnSpectrum::CreateOutputPin() {
  return new TKvLkRealSourcePin(this, OutputCallback(), &ComponentLock(), true);
}

bool TDnSpectrum::Affordable(int32_t order) const {
  if (order > LargestBufferOrder) return false;
  // Every channel's window, the record's tables, the spectrum and the magnitudes of one transform;
  // no more than half of the machine's memory.
  const double elements = std::ldexp(1.0, order);
  const double bytes = elements * (8.0 * double(std::max<size_t>(Channels.size(), 1)) + 64.0);
  const double memory = double(sysconf(_SC_PHYS_PAGES)) * double(sysconf(_SC_PAGESIZE));
  return memory <= 0 || bytes <= memory / 2;
}

bool TDnSpectrum::CreateRecord() {
  FreeRecord();
  IppsFFTSpec_R_64f* record = nullptr;
  if (BoundPrimitives().Audio.ippsFFTInitAlloc_R_64f(&record, OrderInUse, FftFlag(Normalization_), HintAccurate) !=
      StsNoError)
    return false;
  Record = record;
  return true;
}

void TDnSpectrum::FreeRecord() {
  if (Record) BoundPrimitives().Audio.ippsFFTFree_R_64f(std::exchange(Record, nullptr));
}

TDnSpectrum::TChannelState TDnSpectrum::FreshChannel() const {
  TChannelState state;
  state.Window = MakeRef<TKvRealBuffer>(TransformSize_);
  state.StepCounter = SamplingWindowStep_;
  return state;
}

void TDnSpectrum::StartStream(const TDnWaveFormat& header) {
  // The state is made before the start goes out: the lock is lent away while it travels.
  Prepare(header.SamplesPerSec / 2.0);
  BeginStream(header, *MakeRef<TLkStartSpectrumOperation>(double(header.SamplesPerSec)));
}

void TDnSpectrum::Prepare(double nyquist) {
  ++Generation;
  Nyquist = nyquist;
  Bins = nullptr;
  TransformSize_ = 0;
  Channels.assign(size_t(CountChannels()), {});
  OrderInUse = Order_;
  // A transform that cannot be had fails the start: the stream runs on without spectra.
  if (!Affordable(OrderInUse) || !CreateRecord()) {
    Channels.clear();
    return;
  }
  TransformSize_ = 1u << OrderInUse;
  try {
    for (TChannelState& channel : Channels) channel = FreshChannel();
    Bins = MakeRef<TKvComplexBuffer>(TransformSize_);
  } catch (const std::exception&) {
    PassErrorToHook("a spectrum's start");
    Release();
  }
}

void TDnSpectrum::Release() {
  ++Generation;
  FreeRecord();
  TransformSize_ = 0;
  Channels.clear();
  Bins = nullptr;
}

void TDnSpectrum::StopStream() {
  Release();
  TDnCommonSplitter::StopStream();
}

bool TDnSpectrum::IsChannelWanted(uint32_t channel) {
  return OnFrequencyResult ||
         (int(channel) < FrequencyOutputPins_->GetCount() && FrequencyOutputPins_->GetPin(int(channel))->IsLinked());
}

void TDnSpectrum::EmitChannel(uint32_t channel, IKvRealBuffer& buffer) {
  if (!Record || channel >= Channels.size()) return;
  const uint32_t n = TransformSize_;
  const uint32_t step = Channels[channel].FilledOnce ? SamplingWindowStep_.load() : 0;
  if (step != 0 && step < n) CollectOverlapping(channel, buffer.ReadData(), buffer.GetCount(), step);
  else CollectSpaced(channel, buffer.ReadData(), buffer.GetCount(), step);
}

bool TDnSpectrum::StillCollecting(uint32_t channel, uint64_t generation) {
  return ComponentLock().HeldByCaller() && generation == Generation && Record && channel < Channels.size() &&
         channel < Peaks.size() && int(channel) < FrequencyOutputPins_->GetCount();
}

void TDnSpectrum::CollectOverlapping(uint32_t channel, const double* samples, uint32_t length, uint32_t step) {
  const uint32_t n = TransformSize_;
  // Re-read after every transform: the channels may have been resized meanwhile.
  const auto state = [&]() -> TChannelState& { return Channels[channel]; };
  const auto window = [&] { return state().Window->ModifyData(); };
  uint32_t offset = 0;
  if (const uint32_t pending = state().Pending; pending != 0) {
    // A buffer shorter than what is missing fills what it can and leaves the rest pending.
    const uint32_t taken = std::min(pending, length);
    std::memcpy(window() + n - pending, samples, taken * sizeof(double));
    state().Pending = pending - taken;
    offset = taken;
    if (state().Pending != 0 || !Transform(channel)) return;
  }
  const uint32_t rest = length - offset;
  for (uint32_t j = 0; j < rest / step; ++j) {
    double* const to = window();
    std::memmove(to, to + step, (n - step) * sizeof(double));
    std::memcpy(to + n - step, samples + offset + j * step, step * sizeof(double));
    if (!Transform(channel)) return;
  }
  if (const uint32_t remainder = rest % step; remainder != 0) {
    double* const to = window();
    std::memmove(to, to + step, (n - step) * sizeof(double));
    std::memcpy(to + n - step, samples + length - remainder, remainder * sizeof(double));
    state().Pending = step - remainder;
  }
}

void TDnSpectrum::CollectSpaced(uint32_t channel, const double* samples, uint32_t length, uint32_t step) {
  const uint32_t n = TransformSize_;
  // Re-read after every transform: the channels may have been resized meanwhile.
  const auto state = [&]() -> TChannelState& { return Channels[channel]; };
  uint32_t offset = 0, remaining = length, space = n - state().Fill;
  if (step != 0) {
    if (state().StepCounter > step) state().StepCounter -= step;
    if (state().Fill == 0) {
      // Between two windows: the gap is skipped first.
      if (remaining < step - state().StepCounter) {
        state().StepCounter += remaining;
        return;
      }
      offset = step - state().StepCounter;
      remaining -= offset;
      space = n;
      state().StepCounter = 0;
    }
  }
  while (remaining > 0) {
    double* const window = state().Window->ModifyData();
    if (remaining < space) {
      std::memcpy(window + state().Fill, samples + offset, remaining * sizeof(double));
      state().Fill += remaining;
      state().StepCounter += remaining;
      return;
    }
    std::memcpy(window + state().Fill, samples + offset, space * sizeof(double));
    state().StepCounter += space;
    remaining -= space;
    offset += space;
    state().FilledOnce = true;
    state().Fill = 0;
    if (!Transform(channel)) return;
    space = n;
    if (step == 0) continue;
    if (state().StepCounter > step) state().StepCounter -= step;
    if (step - state().StepCounter >= remaining) {
      state().StepCounter += remaining;
      return;
    }
    const uint32_t gap = step - state().StepCounter;
    offset += gap;
    remaining -= gap;
    state().StepCounter = 0;
  }
}

bool TDnSpectrum::Transform(uint32_t channel) {
  const uint32_t n = TransformSize_, half = n / 2;
  const uint64_t generation = Generation;
  const TAudioPrimitives& audio = BoundPrimitives().Audio;
  Ipp64fc* bins = Bins->WriteData();
  audio.ippsFFTFwd_RToCCS_64f(Channels[channel].Window->ReadData(), reinterpret_cast<Ipp64f*>(bins), Record, nullptr);
  audio.ippsConjCcs_64fc_I(bins, int(n));
  const TRef<TKvRealBuffer> magnitudes = MakeRef<TKvRealBuffer>(half);
  double* values = magnitudes->WriteData();
  BoundPrimitives().Buffer.ippsMagnitude_64fc(bins, values, int(half));
  values[0] = 0;
  if (const TDndBMode mode = ModedB_; mode != adbNone) {
    const double factor = mode == adbPower ? 10 : 20;
    for (uint32_t k = 1; k < half; ++k) values[k] = values[k] > 0 ? factor * std::log10(values[k]) : DecibelFloor;
  }
  // The lock is lent away while a send travels: whatever another thread changed meanwhile (a
  // stop, a new start, fewer channels) ends the collection of this buffer.
  static_cast<TKvLkRealSourcePin*>(OutputPin(channel))->SendBuffer(magnitudes);
  if (!StillCollecting(channel, generation)) return false;

  auto* frequencyPin = static_cast<TLkRealRangedSourcePin*>(FrequencyOutputPins_->GetPin(int(channel)));
  if (!OnFrequencyResult && !frequencyPin->IsLinked()) {
    Peaks[channel] = 0;
    return true;
  }
  // The first of equal maxima wins.
  const uint32_t peak = uint32_t(std::max_element(values, values + half) - values);
  const double frequency = Peaks[channel] = peak * Nyquist / half;
  if (Synchronize_) Notifier.Notify(true);
  else OnFrequencyResult(this, int32_t(channel), frequency, Nyquist);
  if (!StillCollecting(channel, generation)) return false;
  static_cast<TLkRealRangedSourcePin*>(FrequencyOutputPins_->GetPin(int(channel)))->SetValue(frequency, 0, Nyquist);
  return StillCollecting(channel, generation);
}

void TDnSpectrum::ReportPeaks() {
  const TLkLockSection section = ComponentLock().ReadLock();
  if (!section) return;
  for (size_t channel = 0; channel < Peaks.size(); ++channel)
    OnFrequencyResult(this, int32_t(channel), Peaks[channel], Nyquist);
}

void TDnSpectrum::Destroying() {
  // The frequency outputs are fed from the input's deliveries too.
  FreeInput();
  FrequencyOutputPins_->Clear();
  TDnCommonSplitter::Destroying();
}
