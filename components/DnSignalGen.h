#pragma once

#include "components/DnCommonGen.h"
#include "components/DnSawtooth.h"

#include <atomic>
#include <cstdint>

enum TDnSignalType { atTone = 0, atTriangle = 1, atSquare = 2, atSawToothUp = 3, atSawToothDown = 4 };

// A generator of periodic test signals: a tone, a triangle, a square wave or a rising or falling
// sawtooth of a frequency and an amplitude, composed as 16-bit samples in one channel and copied
// into every channel of the buffer (converted to 8, 24 or 32 bits where the format says so). The
// phase runs on from one buffer to the next, also when the frequency or the shape changes between
// them. A frequency of 0, or one at or above half the sample rate, gives silence.
//
// Setters take the component lock, so a change lands between two buffers; they change nothing
// while a stop is pending.
class TDnSignalGen : public TDnCommonGen {
public:
  PUBLISHED_CLASS_INFO
  explicit TDnSignalGen(TComponent* owner);

  TDnSignalType SignalType() const { return SignalType_; }
  void SetSignalType(TDnSignalType type);
  // The start phase in radians, taken up when the generator starts (reduced into [0, 2 pi)).
  float Phase() const { return Phase_; }
  void SetPhase(float phase);
  // Kept within 0..32767.
  int32_t Amplitude() const { return Amplitude_; }
  void SetAmplitude(int32_t amplitude);
  // In hertz; below 0 and NaN become 0. Takes effect with the next buffer, at the running phase.
  double Frequency() const { return Frequency_; }
  void SetFrequency(double frequency);
  // Radians, kept within +-3.141592621 (the triangle's falling part is pi + Asymmetry long, its
  // rising part pi - Asymmetry); NaN becomes 0.
  double Asymmetry() const { return Asymmetry_; }
  void SetAsymmetry(double asymmetry);
  // Mirrors Frequency; a value set on it from a linked pin goes through SetFrequency.
  TLkFloatIntStatePin* FrequencyPin() const { return FrequencyPin_.get(); }

protected:
  // Starts from Phase, without drift.
  void DoStart() override;
  void SampleRateChanged(double rate) override;
  void Generate(TRef<IDnAudioBuffer>& buffer, bool& send, bool& stop) override;
  void Destroying() override;

private:
  // The phase of the second triangle of the square wave: half a period on from the running phase.
  void DeriveSecondPhase();
  // The relative frequency at the present frequency and sample rate, and the period length.
  void UpdatePeriod();
  // Composes `length` samples of the current shape; false when a primitive refused its arguments.
  bool Compose(Primitives::Ipp16s* block, int length, double r);
  bool Square(Primitives::Ipp16s* block, int length, float r);

  std::atomic<TDnSignalType> SignalType_{atTone};
  std::atomic<float> Phase_{0};
  std::atomic<int32_t> Amplitude_{20000};
  std::atomic<double> Frequency_{500};
  std::atomic<double> Asymmetry_{0};
  TLkPinPtr<TLkFloatIntStatePin> FrequencyPin_;

  // Under the component lock.
  float RunningPhase = 0;  // of the next sample
  float SecondPhase = 0;
  double SampleRate = 0;  // as last told
  double RelativeFrequency = 0;
  int32_t PeriodLength = 0;  // round(1 / RelativeFrequency); 0 where that is undefined
  TDnSawtooth Sawtooth;
  TRef<TKvBlockBuffer> SecondBlock;  // the square wave's second triangle
};
