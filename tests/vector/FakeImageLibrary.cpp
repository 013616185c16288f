// Stands in for the vendor's image library.
#include "FakeExport.h"

FAKE_EXPORT(ippiCopy_16s_C1R)
FAKE_EXPORT(ippiAlphaComp_8u_AC4R)

// A signal-primitive name here is not the signal library's: it must be ignored.
FAKE_EXPORT(ippsVectorRamp_16s)
