#pragma once

// Magnitude spectra of an audio stream: each channel's samples are collected into windows of
// 2^Order samples (contiguous, overlapping or spaced by SamplingWindowStep), every complete window
// is transformed by the real FFT without tapering, and its first N/2 magnitudes (bin 0 set to 0)
// go out on the channel's output pin. The strongest bin's frequency goes to the channel's
// frequency pin and to OnFrequencyResult.

#include "buffers/KvSimpleDataBuffer.h"
#include "components/DnCommonSplitter.h"
#include "platform/Event.h"
#include "platform/KvMainThreadNotify.h"
#include "vector/PrimitiveTypes.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

enum TKvFourierNormalization { fnNone = 0, fnNormalize = 1, fnNormalizeSqrt = 2 };
enum TDndBMode { adbNone = 0, adbPower = 1, adbAmplitude = 2 };

// (Sender, channel, peak frequency in Hz, Nyquist frequency).
using TDnFrequencyEvent = void(TObject* Sender, int32_t AChannel, double Frequency, double MaxFrequency);

class TDnSpectrum : public TDnCommonSplitter {
public:
  PUBLISHED_CLASS_INFO

  static constexpr int32_t MinOrder = 2;
  static constexpr int32_t MaxOrder = 30;
  // The floor of the decibel modes, for magnitudes that have no logarithm.
  static constexpr double DecibelFloor = -1.7e308;

  explicit TDnSpectrum(TComponent* owner);
  ~TDnSpectrum() override;

  // Kept to 2..30; takes effect at the next start, which fails (produces nothing) when the
  // transform cannot be allocated.
  int32_t Order() const { return Order_; }
  void SetOrder(int32_t order);
  // Samples between the starts of successive windows once the first is filled; 0: contiguous.
  uint32_t SamplingWindowStep() const { return SamplingWindowStep_; }
  void SetSamplingWindowStep(uint32_t step);
  // Takes effect at once, with the transform size in use.
  TKvFourierNormalization Normalization() const { return Normalization_; }
  void SetNormalization(TKvFourierNormalization normalization);
  TDndBMode ModedB() const { return ModedB_; }
  void SetModedB(TDndBMode mode);
  // OnFrequencyResult on the main thread.
  bool Synchronize() const { return Synchronize_; }
  void SetSynchronize(bool synchronize);
  TLkPinList* FrequencyOutputPins() const { return FrequencyOutputPins_.get(); }
  TEvent<TDnFrequencyEvent> OnFrequencyResult;

  // The window length of the running stream; 0 while no transform runs.
  uint32_t TransformSize() const { return TransformSize_; }
  // Also sizes the peaks and the frequency pins to the outputs, and gives new channels of a
  // running stream their windows.
  void SetCountChannels(int32_t count) override;

protected:
  TKvLkSourcePin* CreateOutputPin() override;
  void StartStream(const TDnWaveFormat& header) override;
  // Stops the outputs and releases the transform.
  void StopStream() override;
  bool IsChannelWanted(uint32_t channel) override;
  void EmitChannel(uint32_t channel, IKvRealBuffer& buffer) override;
  void Destroying() override;

private:
  struct TChannelState {
    TRef<TKvRealBuffer> Window;
    uint32_t Fill = 0;
    bool FilledOnce = false;
    uint32_t Pending = 0;
    uint32_t StepCounter = 0;
  };

  // A new stream's windows and transform, or none when they cannot be had.
  void Prepare(double nyquist);
  // No transform runs any more.
  void Release();
  // The transform record for the order in use; false when it cannot be made.
  bool CreateRecord();
  void FreeRecord();
  // Whether windows of 2^order samples for every channel and their transform fit in memory.
  bool Affordable(int32_t order) const;
  TChannelState FreshChannel() const;
  void CollectOverlapping(uint32_t channel, const double* samples, uint32_t length, uint32_t step);
  void CollectSpaced(uint32_t channel, const double* samples, uint32_t length, uint32_t step);
  // Transforms the channel's window and sends its spectrum and peak; false when the collection
  // of the present buffer must end.
  bool Transform(uint32_t channel);
  // Whether, after a send, the lock is still held and the stream and the channel are as they were.
  bool StillCollecting(uint32_t channel, uint64_t generation);
  // Under the lock: the stored peaks to OnFrequencyResult, on the main thread.
  void ReportPeaks();

  std::atomic<int32_t> Order_{8};
  std::atomic<uint32_t> SamplingWindowStep_{0};
  std::atomic<TKvFourierNormalization> Normalization_{fnNormalize};
  std::atomic<TDndBMode> ModedB_{adbNone};
  std::atomic<bool> Synchronize_{true};
  std::unique_ptr<TLkPinList> FrequencyOutputPins_;

  // Under the lock.
  Primitives::IppsFFTSpec_R_64f* Record = nullptr;
  int32_t OrderInUse = 0;
  uint64_t Generation = 0;  // counts starts and stops
  std::atomic<uint32_t> TransformSize_{0};
  double Nyquist = 0;
  std::vector<TChannelState> Channels;
  // The complex spectrum of one transform: made at the start, used by every transform.
  TRef<TKvComplexBuffer> Bins;
  std::vector<double> Peaks;
  TKvMainThreadNotify Notifier;
};
