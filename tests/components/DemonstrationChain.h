#pragma once

// The demonstration chain without its displays, built in code: a generic generator clocks three
// signal generators (520, 10000 and 21500 Hz at amplitudes 5000, 2500 and 1250), whose audio is
// turned into reals, summed, turned back into 16-bit audio and analysed into spectra of 512-sample
// windows. The generic generator is clocked by hand, one Tick per buffer, on the calling thread.

#include "components/DnAudioToReal.h"
#include "components/DnGenericGen.h"
#include "components/DnRealToAudio.h"
#include "components/DnSignalGen.h"
#include "components/DnSpectrum.h"
#include "components/KvAdd.h"

#include <array>
#include <memory>
#include <vector>

// Keeps the spectra that reach it in storage reserved up front, so that taking one allocates
// nothing; beyond the reserve only the count goes on.
class TSpectrumTap : public TComponent {
public:
  TSpectrumTap(TComponent* owner, size_t reserved);
  TKvLkRealSinkPin* Input() const { return Input_.get(); }
  // Every spectrum kept, one after another.
  const std::vector<double>& Values() const { return Values_; }
  size_t Count() const { return Count_; }

protected:
  void Destroying() override;

private:
  TLkLock Lock;
  TLkPinPtr<TKvLkRealSinkPin> Input_;
  std::vector<double> Values_;
  size_t Count_ = 0;
};

struct TDemonstrationChain {
  static constexpr uint32_t SampleRate = 44100;
  static constexpr uint32_t Frames = 1024;
  struct TTone {
    double Frequency;
    int32_t Amplitude;
  };
  static constexpr std::array<TTone, 3> Tones = {{{520, 5000}, {10000, 2500}, {21500, 1250}}};

  // With room for `reservedSpectra` spectra in the tap.
  explicit TDemonstrationChain(size_t reservedSpectra);
  ~TDemonstrationChain();
  // Starts the generic generator, then the signal generators.
  void Start();
  // One buffer of the generic generator, through the whole chain.
  void Tick() { Clock->PumpBuffer(); }

  template <class T>
  using TOwned = std::unique_ptr<T, TComponentDeleter>;
  TOwned<TDnGenericGen> Clock;
  std::array<TOwned<TDnSignalGen>, 3> Signals;
  std::array<TOwned<TDnAudioToReal>, 3> Converters;
  TOwned<TKvAdd> Add;
  TOwned<TDnRealToAudio> ToAudio;
  TOwned<TDnSpectrum> Spectrum;
  TOwned<TSpectrumTap> Tap;
};
