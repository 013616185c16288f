#include "components/DnGenericGen.h"

#include "platform/Published.h"

const TClassInfo& TDnGenericGen::StaticClassInfo() {
  return DefineClass<TDnGenericGen, TDnCommonGen>(
      "TDnGenericGen", [](TPublished<TDnGenericGen>& p) { p.Event("OnGenerate", &TDnGenericGen::OnGenerate); });
}

void TDnGenericGen::Generate(TRef<IDnAudioBuffer>& buffer, bool& send, bool& stop) {
  if (OnGenerate) OnGenerate(this, buffer, send, stop);
  else buffer->Silence();
}
