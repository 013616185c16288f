#include "components/ComponentClasses.h"

#include "components/DnGenericGen.h"
#include "components/DnSignalGen.h"
#include "platform/Published.h"

void RegisterComponentClasses() { RegisterClasses<TDnGenericGen, TDnSignalGen>(); }
