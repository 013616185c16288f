#pragma once

// Audio stream pins: multi-channel audio buffers travel through them. An audio source remembers the
// resume it sent as well as the start, and repeats both to sinks linked later.

#include "pins/KvStreamTypes.h"

namespace DnStreamTypes {
inline constexpr TGUID Audio = "{1D5BD085-492E-4979-8F76-9C97D5C3C5B6}"_guid;

// Registers the audio stream type (with the stream types); the audio pins call it themselves.
void Register();
}  // namespace DnStreamTypes

class TDnLkAudioSourcePin : public TKvLkSourcePin {
public:
  PUBLISHED_CLASS_INFO
  TDnLkAudioSourcePin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock = nullptr);
  // The resume last sent and not yet stopped.
  TRef<TLkNotifyOperation> RememberedResume();

protected:
  void CatchUpAfterLink(TLkBasicPin* sink) override;
  void Remember(TLkNotifyOperation& operation) override;

private:
  TRef<TLkNotifyOperation> LastResume;
};

class TDnLkAudioSinkPin : public TKvLkSinkPin {
public:
  PUBLISHED_CLASS_INFO
  TDnLkAudioSinkPin(TComponent* owner, TLkReceiveCallback receive, ILkLock* componentLock = nullptr,
                    TLkPinList* ownerList = nullptr);
};

// Channel 0 of audio buffers as real buffers, ...
class TLkAudioToRealFormatConverter : public TKvLkBufferFormatConverter {
public:
  TLkAudioToRealFormatConverter();
};

// ... and as integer buffers, unscaled.
class TLkAudioToIntFormatConverter : public TKvLkBufferFormatConverter {
public:
  TLkAudioToIntFormatConverter();
};
