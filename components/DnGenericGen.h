#pragma once

#include "components/DnCommonGen.h"

#include "platform/Event.h"

// Fills the buffer of one tick: (sender, buffer, send, stop), as Generate.
using TDnAudioBufferGenEvent = void(TObject* sender, TRef<IDnAudioBuffer>& buffer, bool& send, bool& stop);

// The plain generator: silence, or whatever OnGenerate puts into each buffer. OnGenerate runs on
// the thread of the tick, with the generator's lock held.
class TDnGenericGen : public TDnCommonGen {
public:
  PUBLISHED_CLASS_INFO
  explicit TDnGenericGen(TComponent* owner) : TDnCommonGen(owner) {}

  TEvent<TDnAudioBufferGenEvent> OnGenerate;

protected:
  void Generate(TRef<IDnAudioBuffer>& buffer, bool& send, bool& stop) override;
};
