// Stands in for the vendor's colour-conversion library.
#include "FakeExport.h"

FAKE_EXPORT(ippiCopy_16s_C1R)
// In the buffer and the display group.
FAKE_EXPORT(ippiSet_8u_C4R)
