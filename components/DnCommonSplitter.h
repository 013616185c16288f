#pragma once

// The base of components that split an audio stream into per-channel real data: audio arrives on
// InputPin, each wanted channel becomes a real buffer of its samples, and the derived class emits
// it. The format used is the stream header of the last start, not the header of each buffer.

#include "buffers/DnSimpleAudioBuffer.h"
#include "pins/DnStreamTypes.h"

#include <cstdint>
#include <memory>

class TDnCommonSplitter : public TComponent {
public:
  PUBLISHED_CLASS_INFO

  static constexpr int32_t MaxChannels = 32;

  explicit TDnCommonSplitter(TComponent* owner);

  TDnLkAudioSinkPin* InputPin() const { return InputPin_.get(); }
  TLkPinList* OutputPins() const { return OutputPins_.get(); }
  int32_t CountChannels() const { return CountChannels_; }
  // Kept to 1..32: surplus outputs go from the end, new ones are appended.
  virtual void SetCountChannels(int32_t count);
  // A copy of the header of the stream last started; no channels before any start.
  const TDnWaveFormat& StreamHeader() const { return StreamHeader_; }

protected:
  // A new output pin, handled by OutputHandler.
  virtual TKvLkSourcePin* CreateOutputPin() = 0;
  virtual void StartStream(const TDnWaveFormat& header) = 0;
  virtual void StopStream();
  virtual void ResumeStream();
  virtual void ProcessBuffer(IDnAudioBuffer& buffer);
  virtual void SendToAllOutputs(TLkNotifyOperation& operation);
  // Whether a channel is converted even when its output is not linked.
  virtual bool IsChannelWanted(uint32_t) { return false; }
  // Samples scaled to -1..1.
  virtual bool GetNormalize() { return false; }
  // Channel `channel` of the buffer as reals, by container (under the lock).
  virtual TRef<IKvRealBuffer> Convert8(uint32_t channel, IDnAudioBuffer& buffer);
  virtual TRef<IKvRealBuffer> Convert16(uint32_t channel, IDnAudioBuffer& buffer);
  virtual TRef<IKvRealBuffer> Convert24(uint32_t channel, IDnAudioBuffer& buffer);
  virtual TRef<IKvRealBuffer> Convert32(uint32_t channel, IDnAudioBuffer& buffer);
  virtual void EmitChannel(uint32_t, IKvRealBuffer&) {}

  // What arrives on InputPin.
  uint8_t InputHandler(TLkNotifyOperation& operation);
  // What arrives from downstream on output `pin`.
  uint8_t OutputHandler(TLkBasicPin* pin, TLkNotifyOperation& operation);
  // The receive callback of output pins.
  TLkReceiveCallback OutputCallback();
  // Copies the header and sends `start` on every output.
  void BeginStream(const TDnWaveFormat& header, TLkNotifyOperation& start);
  TKvLkSourcePin* OutputPin(uint32_t index) const;
  TLkLock& ComponentLock() { return Lock; }
  // Takes the input out, waiting for a buffer being delivered through it: until then the source's
  // thread may be sending from this splitter's outputs. Destruction does it before anything else.
  void FreeInput();
  void Destroying() override;

private:
  template <uint32_t Container>
  TRef<IKvRealBuffer> ConvertChannel(uint32_t channel, IDnAudioBuffer& buffer);

  TLkLock Lock;
  TLkPinPtr<TDnLkAudioSinkPin> InputPin_;
  std::unique_ptr<TLkPinList> OutputPins_;
  int32_t CountChannels_ = 0;
  TDnWaveFormat StreamHeader_{};
};
