#include "components/ComponentClasses.h"

#include "components/DnAudioToReal.h"
#include "components/DnGenericGen.h"
#include "components/DnRealToAudio.h"
#include "components/DnSignalGen.h"
#include "components/DnSpectrum.h"
#include "components/KvAdd.h"
#include "platform/Published.h"

void RegisterComponentClasses() {
  RegisterClasses<TDnGenericGen, TDnSignalGen, TDnAudioToReal, TDnRealToAudio, TDnSpectrum, TKvAdd>();
}
