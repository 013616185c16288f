// Stands in for the vendor's signal library.
#include "FakeExport.h"

FAKE_EXPORT(ippsTone_Direct_16s)

// The whole complex-transform family: it binds from here.
FAKE_EXPORT(ippsFFTInitAlloc_C_64fc)
FAKE_EXPORT(ippsFFTFree_C_64fc)
FAKE_EXPORT(ippsFFTFwd_CToC_64fc)
FAKE_EXPORT(ippsFFTInv_CToC_64fc)

// Only part of the real-transform family: all of it must bind to our own code.
FAKE_EXPORT(ippsFFTInitAlloc_R_64f)
FAKE_EXPORT(ippsFFTFwd_RToCCS_64f)
