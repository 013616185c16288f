#include "components/DnCommonSplitter.h"

#include "buffers/DnSampleCoding.h"
#include "buffers/KvSimpleDataBuffer.h"
#include "components/ComponentPins.h"
#include "platform/Published.h"
#include "vector/PrimitiveBinding.h"

#include <algorithm>
#include <cstring>

const TClassInfo& TDnCommonSplitter::StaticClassInfo() {
  return DefineClass<TDnCommonSplitter, TComponent>("TDnCommonSplitter", [](TPublished<TDnCommonSplitter>& p) {
    using T = TDnCommonSplitter;
    p.Integer("CountChannels", &T::CountChannels, &T::SetCountChannels, 2)
        .Object("InputPin", &T::InputPin)
        .Object("OutputPins", &T::OutputPins);
  });
}

TDnCommonSplitter::TDnCommonSplitter(TComponent* owner)
    : TComponent(owner),
      InputPin_(new TDnLkAudioSinkPin(
          this,
          [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) {
            return InputHandler(operation);
          },
          &Lock)),
      OutputPins_(std::make_unique<TLkPinList>(this, true, &Lock)) {}

TLkReceiveCallback TDnCommonSplitter::OutputCallback() {
  return [this](TLkBasicPin* pin, const TGUID&, uint8_t, TLkNotifyOperation& operation) {
    return OutputHandler(pin, operation);
  };
}

TKvLkSourcePin* TDnCommonSplitter::OutputPin(uint32_t index) const {
  return static_cast<TKvLkSourcePin*>(OutputPins_->GetPin(int(index)));
}

void TDnCommonSplitter::SetCountChannels(int32_t count) {
  const TLkLockSection section = Lock.WriteLock();
  if (!section) return;
  count = std::clamp(count, 1, MaxChannels);
  CountChannels_ = count;
  while (OutputPins_->GetCount() > count) OutputPins_->Delete(OutputPins_->GetCount() - 1);
  while (OutputPins_->GetCount() < count) {
    TKvLkSourcePin* pin = CreateOutputPin();
    pin->AddDependency(InputPin_.get());
    OutputPins_->Add(pin);
  }
}

uint8_t TDnCommonSplitter::InputHandler(TLkNotifyOperation& operation) {
  const TLkLockSection section = Lock.WriteLock();
  if (!section) return 0;
  if (auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation)) {
    if (auto* audio = supplied->Buffer ? InterfaceOf<IDnAudioBuffer>(*supplied->Buffer) : nullptr)
      ProcessBuffer(*audio);
  } else if (auto* start = OperationAs<TLkStartWaveOperation>(operation)) {
    StartStream(start->Header);
  } else if (OperationAs<TLkStopOperation>(operation)) {
    StopStream();
  } else if (OperationAs<TLkKvResumeOperation>(operation)) {
    ResumeStream();
  }
  return 0;
}

uint8_t TDnCommonSplitter::OutputHandler(TLkBasicPin* pin, TLkNotifyOperation& operation) {
  if (OperationAs<TLkQueryStreamOperation>(operation)) {
    const TLkLockSection section = Lock.WriteLock();
    if (!section) return 0;
    // A channel beyond the stream carries nothing: the asking input learns to ignore it.
    if (OutputPins_->IndexOf(pin) >= int(StreamHeader_.Channels)) pin->Notify(*MakeRef<TLkIgnoreStreamOperation>());
    return 0;
  }
  // Without an input (taken out first when the splitter goes) the splitter answers itself.
  if (InputPin_ && InputPin_->IsLinked()) return InputPin_->Notify(operation);
  return InputHandler(operation);
}

void TDnCommonSplitter::SendToAllOutputs(TLkNotifyOperation& operation) {
  for (int i = 0; i < OutputPins_->GetCount(); ++i) OutputPins_->GetPin(i)->Notify(operation);
}

void TDnCommonSplitter::BeginStream(const TDnWaveFormat& header, TLkNotifyOperation& start) {
  StreamHeader_ = header;
  SendToAllOutputs(start);
}

void TDnCommonSplitter::StopStream() { SendToAllOutputs(*MakeRef<TLkStopOperation>()); }

void TDnCommonSplitter::ResumeStream() { SendToAllOutputs(*MakeRef<TLkKvResumeOperation>()); }

void TDnCommonSplitter::ProcessBuffer(IDnAudioBuffer& buffer) {
  const TDnWaveFormat header = StreamHeader_;
  const uint32_t channels = header.Channels, container = header.ContainerBits;
  if (container != 8 && container != 16 && container != 24 && container != 32) return;
  // A header whose frames cannot hold its channels would make the reads run past the samples.
  if (header.BlockAlign < channels * (container / 8)) return;
  for (uint32_t channel = 0; channel < std::min<uint32_t>(channels, uint32_t(OutputPins_->GetCount())); ++channel) {
    if (!IsChannelWanted(channel) && !OutputPin(channel)->IsLinked()) continue;
    TRef<IKvRealBuffer> real;
    switch (container) {
      case 8: real = Convert8(channel, buffer); break;
      case 16: real = Convert16(channel, buffer); break;
      case 24: real = Convert24(channel, buffer); break;
      default: real = Convert32(channel, buffer); break;
    }
    EmitChannel(channel, *real);
    // The lock is lent away while a channel travels: a stop or a new start meanwhile ends the
    // split of this buffer (fewer outputs end the loop by its condition).
    if (!Lock.HeldByCaller() || std::memcmp(&header, &StreamHeader_, sizeof header) != 0) return;
  }
}

template <uint32_t Container>
TRef<IKvRealBuffer> TDnCommonSplitter::ConvertChannel(uint32_t channel, IDnAudioBuffer& buffer) {
  const uint32_t step = StreamHeader_.BlockAlign;
  const uint32_t frames = buffer.GetSize() / step;
  const TRef<TKvRealBuffer> real = MakeRef<TKvRealBuffer>(frames);
  const uint8_t* from = buffer.ReadData() + channel * (Container / 8);
  double* to = real->WriteData();
  if constexpr (Container == 16) {
    // One channel of contiguous 16-bit samples (a mono stream) goes through the conversion
    // primitive; dividing by 32768 is its scale factor 15, exact as the division.
    if (step == 2) {
      Primitives::BoundPrimitives().Buffer.ippsConvert_16s64f_Sfs(reinterpret_cast<const Primitives::Ipp16s*>(from), to,
                                                                  int(frames), GetNormalize() ? 15 : 0);
      return real;
    }
  }
  // The full scale of the container as the table of codings has it: 128, 32768, 8388608, 2^31.
  const double scale = GetNormalize() ? 1.0 / double(int64_t(1) << (Container - 1)) : 1.0;
  for (uint32_t frame = 0; frame < frames; ++frame, from += step)
    to[frame] = DnSamples::ReadValue(from, Container) * scale;
  return real;
}

TRef<IKvRealBuffer> TDnCommonSplitter::Convert8(uint32_t channel, IDnAudioBuffer& buffer) {
  return ConvertChannel<8>(channel, buffer);
}
TRef<IKvRealBuffer> TDnCommonSplitter::Convert16(uint32_t channel, IDnAudioBuffer& buffer) {
  return ConvertChannel<16>(channel, buffer);
}
TRef<IKvRealBuffer> TDnCommonSplitter::Convert24(uint32_t channel, IDnAudioBuffer& buffer) {
  return ConvertChannel<24>(channel, buffer);
}
TRef<IKvRealBuffer> TDnCommonSplitter::Convert32(uint32_t channel, IDnAudioBuffer& buffer) {
  return ConvertChannel<32>(channel, buffer);
}

void TDnCommonSplitter::FreeInput() {
  if (InputPin_) FreePin(InputPin_);
}

void TDnCommonSplitter::Destroying() {
  FreeInput();
  OutputPins_->Clear();
  TComponent::Destroying();
}
