#pragma once

#include "vector/AudioAnalysis.h"
#include "vector/BitOperations.h"
#include "vector/ComplexArithmetic.h"
#include "vector/ComplexFunctions.h"
#include "vector/Conversions.h"
#include "vector/Correlation.h"
#include "vector/DepthConversions.h"
#include "vector/ElementFunctions.h"
#include "vector/Fft.h"
#include "vector/Fir.h"
#include "vector/Generators.h"
#include "vector/Iir.h"
#include "vector/ImageColour.h"
#include "vector/ImageOperations.h"
#include "vector/IntegerOperations.h"
#include "vector/RealArithmetic.h"
#include "vector/SampleOperations.h"
#include "vector/Statistics.h"
#include "vector/TestSignals.h"
#include "vector/Thresholds.h"
#include "vector/Windows.h"

// The table of vector primitives: one entry per name, with the vendor's signature and statuses,
// in the groups that the component families bind at start-up. Each entry points to the vendor
// library's export of that name when the library is present, else to our own implementation.
// Callers call the entries and never know which they got.
//
// Each group is listed once here, X(name) per entry, in binding order. A name in two groups has
// an entry in each.
// clang-format off
#define NOTECHANNELS_BUFFER_PRIMITIVES(X)                                                                         \
  X(ippsConjCcs_64fc_I) X(ippsFFTFree_C_64fc) X(ippsFFTFree_R_64f) X(ippsFFTFwd_RToCCS_64f)                       \
  X(ippsFFTInitAlloc_C_64fc) X(ippsFFTInitAlloc_R_64f) X(ippsFFTInv_CCSToR_64f) X(ippsFFTInv_CToC_64fc)           \
  X(ippsFFTFwd_CToC_64fc) X(ippsWinBartlett_64fc_I) X(ippsWinBlackman_64fc_I) X(ippsWinHamming_64fc_I)            \
  X(ippsWinHann_64fc_I) X(ippsWinKaiser_64fc_I) X(ippsConv_64f) X(ippsNormDiff_L1_64f) X(ippsNormDiff_L2_64f)     \
  X(ippsNormDiff_Inf_64f) X(ippsMean_64f) X(ippsMean_32f) X(ippsStdDev_64f) X(ippsMinIndx_64f) X(ippsMaxIndx_64f) \
  X(ippsAutoCorr_NormA_64f) X(ippsAutoCorr_NormB_64f) X(ippsCrossCorr_64f) X(ippsNormalize_64f)                   \
  X(ippsDotProd_64f) X(ippsThreshold_64f_I) X(ippsThreshold_64f) X(ippsAbs_64f_I) X(ippsAbs_64f) X(ippsSqr_64f_I) \
  X(ippsSqr_64f) X(ippsSqrt_64f_I) X(ippsSqrt_64f) X(ippsExp_64f_I) X(ippsExp_64f) X(ippsLn_64f_I) X(ippsLn_64f)  \
  X(ippsConvert_16s64f_Sfs) X(ippsAndC_32u_I) X(ippsOrC_32u_I) X(ippsOr_32u_I) X(ippsXorC_32u_I) X(ippsXor_32u_I) \
  X(ippsAnd_32u_I) X(ippsDotProd_32s_Sfs) X(ippsPowerSpectr_64fc) X(ippsPhase_64fc) X(ippsMagnitude_64fc)         \
  X(ippsSqr_64fc) X(ippsSqrt_64fc_I) X(ippsSqrt_64fc) X(ippsSqr_64fc_I) X(ippsAutoCorr_64fc)                      \
  X(ippsAutoCorr_NormA_64fc) X(ippsAutoCorr_NormB_64fc) X(ippsCrossCorr_64fc) X(ippsThreshold_64fc)               \
  X(ippsThreshold_64fc_I) X(ippsDotProd_64fc) X(ippsNormalize_64fc) X(ippsDivC_64fc_I) X(ippsMulC_64fc_I)         \
  X(ippsSubC_64fc_I) X(ippsAddC_64fc_I) X(ippsRealToCplx_64f) X(ippsSubC_32s_ISfs) X(ippsAddC_32s_ISfs)           \
  X(ippsAddC_32s_Sfs) X(ippsAddC_64f) X(ippsSubC_64f) X(ippsSubC_64f_I) X(ippsMulC_64f) X(ippsDivC_64f)           \
  X(ippsAddC_64f_I) X(ippsAddC_64fc) X(ippsAndC_32u) X(ippsAdd_32s_ISfs) X(ippsMulC_32s_ISfs) X(ippsAdd_64f)      \
  X(ippsAdd_64f_I) X(ippsAdd_64fc) X(ippsAdd_64fc_I) X(ippsAdd_8u_ISfs) X(ippsConvert_32f64f) X(ippsCopy_64f)     \
  X(ippsMove_64f) X(ippsCopy_8u) X(ippsDiv_32s_ISfs) X(ippsDiv_64f_I) X(ippsDiv_64fc_I) X(ippsDivC_64f_I)         \
  X(ippsMax_64f) X(ippsMin_64f) X(ippsMul_32s_ISfs) X(ippsMul_64f_I) X(ippsMul_64f) X(ippsMul_32f)                \
  X(ippsMul_64fc_I) X(ippsMul_8u_ISfs) X(ippsMulC_64f_I) X(ippsSet_32s) X(ippsSet_64f) X(ippsSet_32f)             \
  X(ippsSet_64fc) X(ippsSet_8u) X(ippsSub_32s_ISfs) X(ippsSub_64f_I) X(ippsSub_64fc_I) X(ippsSub_8u_ISfs)         \
  X(ippsSum_64f) X(ippsVectorJaehne_64f) X(ippsWinBartlett_64f_I) X(ippsWinBartlett_64f) X(ippsWinBlackman_64f_I) \
  X(ippsWinBlackman_64f) X(ippsWinHamming_64f_I) X(ippsWinHamming_64f) X(ippsWinHann_64f_I) X(ippsWinHann_64f)    \
  X(ippsWinKaiser_64f_I) X(ippsWinKaiser_64f) X(ippsZero_16s) X(ippsZero_32s) X(ippsZero_64f) X(ippsZero_32f)     \
  X(ippsZero_64fc) X(ippsZero_8u) X(ippsSubC_32s_Sfs) X(ippsSubC_64fc) X(ippsSubCRev_32s_Sfs) X(ippsSubCRev_64f)  \
  X(ippsSubCRev_64fc) X(ippsDivC_64fc) X(ippsMulC_64fc) X(ippsMulC_32s_Sfs) X(ippsOrC_32u) X(ippsXorC_32u)        \
  X(ippsLShiftC_32s) X(ippsRShiftC_32s) X(ippsLShiftC_32s_I) X(ippsRShiftC_32s_I) X(ippsConvert_64f32f)           \
  X(ippsConvert_64f32s_Sfs) X(ippsConvert_32s64f) X(ippiMirror_8u_C3IR) X(ippsReal_64fc) X(ippsImag_64fc)         \
  X(ippsConvert_32f32s_Sfs) X(ippsConvert_32s32f) X(ippsSwapBytes_16u) X(ippsSwapBytes_24u) X(ippsSwapBytes_32u)  \
  X(ippsSwapBytes_32u_I) X(ippsAutoCorr_64f) X(ippiCopy_32s_C1R) X(ippsFIR_64f) X(ippsFIRFree_64f)                \
  X(ippsFIRInitAlloc_64f) X(ippiAlphaComp_8u_AC4R) X(ippiCopy_8u_C4R) X(ippiSet_8u_C4R) X(ippiLUT_Linear_8u_C4R)

#define NOTECHANNELS_AUDIO_BUFFER_PRIMITIVES(X)                                                                   \
  X(ippiAdd_8u_C1IRSfs) X(ippiAdd_16s_C1IRSfs) X(ippiSub_8u_C1IRSfs) X(ippiSub_16s_C1IRSfs) X(ippiMul_8u_C1IRSfs) \
  X(ippiMul_16s_C1IRSfs) X(ippiDiv_8u_C1IRSfs) X(ippiDiv_16s_C1IRSfs) X(ippsDivC_16s_ISfs) X(ippsSet_16s)         \
  X(ippsConvert_8s16s) X(ippiSet_8u_C1R) X(ippiSet_16s_C1R) X(ippiSet_32s_C1R) X(ippsAddC_8u_ISfs)                \
  X(ippsAddC_16s_ISfs) X(ippiAddC_8u_C1IRSfs) X(ippiAddC_16s_C1IRSfs) X(ippsSubC_8u_ISfs) X(ippsSubC_16s_ISfs)    \
  X(ippiSubC_8u_C1IRSfs) X(ippiSubC_16s_C1IRSfs) X(ippsMulC_8u_ISfs) X(ippsMulC_16s_ISfs) X(ippiMulC_8u_C1IRSfs)  \
  X(ippiMulC_16s_C1IRSfs) X(ippiDivC_8u_C1IRSfs) X(ippiDivC_16s_C1IRSfs) X(ippiCopy_8u_C1R) X(ippiCopy_16s_C1R)   \
  X(ippiConvert_8u16u_C1R) X(ippiConvert_8u32f_C1R) X(ippiScale_8u16s_C1R) X(ippiScale_8u32s_C1R)                 \
  X(ippiScale_16s8u_C1R) X(ippiScale_32s8u_C1R)

#define NOTECHANNELS_AUDIO_PRIMITIVES(X)                                                                          \
  X(ippsAdd_16s_I) X(ippsConjCcs_64fc_I) X(ippsFIRFree_64f) X(ippsFIRInitAlloc_64f) X(ippsFIROne_64f)             \
  X(ippsFFTFwd_RToCCS_64f) X(ippsFFTInitAlloc_R_64f) X(ippsFFTFree_R_64f) X(ippsRandUniform_Direct_16s)           \
  X(ippsRandGauss_Direct_16s) X(ippsThreshold_LTValGTVal_16s_I) X(ippsTone_Direct_16s) X(ippsTriangle_Direct_16s) \
  X(ippsSub_32f_I) X(ippsSum_32f) X(ippsSqr_32f_I) X(ippiConvert_16s32f_C1R) X(ippiConvert_8s32f_C1R)             \
  X(ippiConvert_32f16s_C1R) X(ippiConvert_32f8s_C1R) X(ippsIIRFree_32f) X(ippsIIRInitAlloc_32f) X(ippsIIR_32f)    \
  X(ippsIIR_32f_I) X(ippsMulC_32f) X(ippsMulC_32f_I) X(ippsDivC_32f_I) X(ippsIIRInit_BiQuad_32f)                  \
  X(ippsIIRGetStateSize_BiQuad_32f) X(ippsSampleDown_32f) X(ippsPeriodicityLSPE_32f)                              \
  X(ippsCompensateOffset_32f_I)

#define NOTECHANNELS_RAMP_PRIMITIVES(X) \
  X(ippsVectorRamp_16s)

#define NOTECHANNELS_DISPLAY_PRIMITIVES(X)                                                                 \
  X(ippiSet_8u_C4R) X(ippsConvert_64f32f) X(ippsConvert_64f32s_Sfs) X(ippsMove_8u) X(ippsSubCRev_32s_ISfs) \
  X(ippsSubCRev_64f_I) X(ippsSubCRev_32f_I) X(ippsThreshold_LT_32s_I) X(ippsThreshold_GT_32s_I)
// clang-format on

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

// The scope's channel drawing and tracking axes, and the waterfall.
struct TDisplayPrimitives {
  NOTECHANNELS_DISPLAY_PRIMITIVES(NOTECHANNELS_PRIMITIVE_ENTRY)
};

struct TPrimitiveTable {
  TBufferPrimitives Buffer;
  TAudioBufferPrimitives AudioBuffer;
  TAudioPrimitives Audio;
  TRampPrimitives Ramp;
  TDisplayPrimitives Display;
};

}  // namespace Primitives

#undef NOTECHANNELS_PRIMITIVE_ENTRY
