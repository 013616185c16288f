// Stands in for the vendor's signal library.
#include "FakeExport.h"

// A name of each group that has signal names; those listed in two groups bind in both.
FAKE_EXPORT(ippsAdd_64f_I)
FAKE_EXPORT(ippsConvert_64f32f)
FAKE_EXPORT(ippsDivC_16s_ISfs)
FAKE_EXPORT(ippsTone_Direct_16s)
FAKE_EXPORT(ippsVectorRamp_16s)
FAKE_EXPORT(ippsMove_8u)

// The whole complex-transform family and the whole FIR family: they bind from here.
FAKE_EXPORT(ippsFFTInitAlloc_C_64fc)
FAKE_EXPORT(ippsFFTFree_C_64fc)
FAKE_EXPORT(ippsFFTFwd_CToC_64fc)
FAKE_EXPORT(ippsFFTInv_CToC_64fc)
FAKE_EXPORT(ippsFIRInitAlloc_64f)
FAKE_EXPORT(ippsFIRFree_64f)
FAKE_EXPORT(ippsFIR_64f)
FAKE_EXPORT(ippsFIROne_64f)

// Only part of the real-transform and the IIR family: all of each must bind to our own code.
FAKE_EXPORT(ippsFFTInitAlloc_R_64f)
FAKE_EXPORT(ippsFFTFwd_RToCCS_64f)
FAKE_EXPORT(ippsIIRInitAlloc_32f)
FAKE_EXPORT(ippsIIR_32f)
FAKE_EXPORT(ippsIIRFree_32f)
FAKE_EXPORT(ippsIIR_32f_I)
FAKE_EXPORT(ippsIIRInit_BiQuad_32f)
