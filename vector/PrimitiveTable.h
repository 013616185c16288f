#pragma once

#include "vector/DepthConversions.h"
#include "vector/Fft.h"
#include "vector/Generators.h"
#include "vector/ImageOperations.h"
#include "vector/IntegerOperations.h"
#include "vector/SampleOperations.h"
#include "vector/Windows.h"

// The table of vector primitives: one entry per name, with the vendor's signature and statuses,
// in the groups that the component families bind at start-up. Each entry points to the vendor
// library's export of that name when the library is present, else to our own implementation.
// Callers call the entries and never know which they got.
//
// Each group is listed once here, X(name) per entry, in binding order. A name in two groups has
// an entry in each.
// clang-format off
#define NOTECHANNELS_BUFFER_PRIMITIVES(X)                                                                   \
  X(ippsConjCcs_64fc_I) X(ippsFFTFree_C_64fc) X(ippsFFTFree_R_64f) X(ippsFFTFwd_RToCCS_64f)                  \
  X(ippsFFTInitAlloc_C_64fc) X(ippsFFTInitAlloc_R_64f) X(ippsFFTInv_CCSToR_64f) X(ippsFFTInv_CToC_64fc)       \
  X(ippsFFTFwd_CToC_64fc) X(ippsWinBartlett_64fc_I) X(ippsWinBlackman_64fc_I) X(ippsWinHamming_64fc_I)        \
  X(ippsWinHann_64fc_I) X(ippsWinKaiser_64fc_I) X(ippsConvert_16s64f_Sfs) X(ippsMagnitude_64fc)              \
  X(ippsAdd_64f_I) X(ippsCopy_64f) X(ippsMove_64f) X(ippsCopy_8u) X(ippsSet_32s) X(ippsSet_8u)                  \
  X(ippsWinBartlett_64f_I) X(ippsWinBartlett_64f) X(ippsWinBlackman_64f_I) X(ippsWinBlackman_64f)            \
  X(ippsWinHamming_64f_I) X(ippsWinHamming_64f) X(ippsWinHann_64f_I) X(ippsWinHann_64f)                      \
  X(ippsWinKaiser_64f_I) X(ippsWinKaiser_64f) X(ippsZero_16s) X(ippsZero_8u)

#define NOTECHANNELS_AUDIO_BUFFER_PRIMITIVES(X)                                                             \
  X(ippiAdd_16s_C1IRSfs) X(ippiSub_16s_C1IRSfs) X(ippiMul_16s_C1IRSfs) X(ippiDiv_16s_C1IRSfs)                \
  X(ippsDivC_16s_ISfs) X(ippsSet_16s) X(ippiSet_8u_C1R) X(ippiSet_16s_C1R) X(ippiSet_32s_C1R)                \
  X(ippsAddC_8u_ISfs) X(ippsAddC_16s_ISfs) X(ippiAddC_8u_C1IRSfs) X(ippiAddC_16s_C1IRSfs) X(ippsSubC_8u_ISfs) \
  X(ippsSubC_16s_ISfs) X(ippiSubC_8u_C1IRSfs) X(ippiSubC_16s_C1IRSfs) X(ippsMulC_8u_ISfs) X(ippsMulC_16s_ISfs) \
  X(ippiMulC_8u_C1IRSfs) X(ippiMulC_16s_C1IRSfs) X(ippiDivC_8u_C1IRSfs) X(ippiDivC_16s_C1IRSfs)              \
  X(ippiCopy_8u_C1R) X(ippiCopy_16s_C1R) X(ippiScale_8u16s_C1R) X(ippiScale_8u32s_C1R)                        \
  X(ippiScale_16s8u_C1R) X(ippiScale_32s8u_C1R)

#define NOTECHANNELS_AUDIO_PRIMITIVES(X)                                                                    \
  X(ippsAdd_16s_I) X(ippsConjCcs_64fc_I) X(ippsFFTFwd_RToCCS_64f) X(ippsFFTInitAlloc_R_64f)                  \
  X(ippsFFTFree_R_64f) X(ippsThreshold_LTValGTVal_16s_I) X(ippsTone_Direct_16s) X(ippsTriangle_Direct_16s)

// clang-format on
#define NOTECHANNELS_RAMP_PRIMITIVES(X) X(ippsVectorRamp_16s)

#define NOTECHANNELS_PRIMITIVE_ENTRY(name) decltype(&Own::name) name = nullptr;

namespace Primitives {

// Sample buffers, the spectrum analyser's magnitudes and copies, the Fourier transforms.
struct TBufferPrimitives {
  NOTECHANNELS_BUFFER_PRIMITIVES(NOTECHANNELS_PRIMITIVE_ENTRY)
};

// The audio buffer and the signal generator's channel copy.
struct TAudioBufferPrimitives {
  NOTECHANNELS_AUDIO_BUFFER_PRIMITIVES(NOTECHANNELS_PRIMITIVE_ENTRY)
};

// The signal generator and the spectrum analyser's transform.
struct TAudioPrimitives {
  NOTECHANNELS_AUDIO_PRIMITIVES(NOTECHANNELS_PRIMITIVE_ENTRY)
};

// The sawtooth.
struct TRampPrimitives {
  NOTECHANNELS_RAMP_PRIMITIVES(NOTECHANNELS_PRIMITIVE_ENTRY)
};

struct TPrimitiveTable {
  TBufferPrimitives Buffer;
  TAudioBufferPrimitives AudioBuffer;
  TAudioPrimitives Audio;
  TRampPrimitives Ramp;
};

}  // namespace Primitives

#undef NOTECHANNELS_PRIMITIVE_ENTRY
