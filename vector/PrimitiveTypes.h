#pragma once

#include <cstdint>

// The sample types, status codes and constants of the vendor vector library's published interface.
// Every entry of the primitive table has the vendor's signature, so these are the types callers
// and both kinds of implementation share.
namespace Primitives {

using Ipp8u = std::uint8_t;
using Ipp8s = std::int8_t;
using Ipp16u = std::uint16_t;
using Ipp16s = std::int16_t;
using Ipp32u = std::uint32_t;
using Ipp32s = std::int32_t;
using Ipp32f = float;
using Ipp64f = double;

struct Ipp64fc {
  Ipp64f re;
  Ipp64f im;
};

struct IppiSize {
  int width;
  int height;
};

// Opaque setup records of the real and the complex transform, and the states of the filters.
struct IppsFFTSpec_R_64f;
struct IppsFFTSpec_C_64fc;
struct IppsFIRState_64f;
struct IppsIIRState_32f;

// Accepted by the transform init, the tone generator and the single-precision sums, and not acted
// on; the depth conversions to bytes take HintAccurate for the exact proportion.
enum IppHintAlgorithm : int { HintNone = 0, HintFast = 1, HintAccurate = 2 };

// Rounding of the conversions to integers: RndNear to nearest with ties to even, any other value
// towards zero.
enum IppRoundMode : int { RndZero = 0, RndNear = 1 };

// Relation of the thresholds: CmpGreater replaces the elements above the level, any other value
// those below it.
enum IppCmpOp : int { CmpLess = 0, CmpLessEq = 1, CmpEq = 2, CmpGreaterEq = 3, CmpGreater = 4 };

// The axis an image is mirrored about: rows swap top for bottom (horizontal), columns left for
// right (vertical), or both.
enum IppiAxis : int { AxsHorizontal = 0, AxsVertical = 1, AxsBoth = 2 };

// Porter-Duff composition of a first image A over, in, out of ... a second image B; the Premul
// kinds take colours already multiplied by their alpha.
enum IppiAlphaType : int {
  AlphaOver = 0,
  AlphaIn = 1,
  AlphaOut = 2,
  AlphaATop = 3,
  AlphaXor = 4,
  AlphaPlus = 5,
  AlphaOverPremul = 6,
  AlphaInPremul = 7,
  AlphaOutPremul = 8,
  AlphaATopPremul = 9,
  AlphaXorPremul = 10,
  AlphaPlusPremul = 11,
};

// 0 success, negative an error (nothing was written), positive a warning.
using IppStatus = int;

enum : IppStatus {
  StsNoError = 0,
  StsSize = -6,  // a length or region size is not positive, or too short
  StsNullPointer = -8,
  StsMemoryAllocation = -9,
  StsDivByZeroErr = -10,  // a constant divisor is 0
  StsStep = -14,          // an image step is not positive, where the primitive checks it
  StsFftOrder = -15,      // transform order outside 0..30
  StsFftFlag = -16,       // scaling flag other than the four below
  StsContextMatch = -17,  // setup record of another kind
  StsThreshold = -18,     // threshold levels in the wrong order
  StsThreshNegLevel = -19,
  StsMirrorFlip = -21,  // an axis other than the three
  StsIirOrder = -25,    // an order or a count of biquads below 1
  StsFirLength = -26,   // a tap count below 1
  StsSamplePhase = -30,
  StsSampleFactor = -31,
  StsShift = -32,       // a negative shift count
  StsJaehne = -38,      // a negative magnitude
  StsHugeWindow = -39,  // Kaiser window beyond the range of I0
  StsTriangleAsymmetry = -40,
  StsTrianglePhase = -41,
  StsTriangleFrequency = -42,
  StsTriangleMagnitude = -43,
  StsTonePhase = -44,
  StsToneFrequency = -45,
  StsToneMagnitude = -46,
  StsAlphaType = -50,
  StsLutLevels = -106,  // fewer than two levels in a lookup table
  // Warnings: the whole vector was processed.
  StsSqrtNegArg = 3,
  StsDivByZero = 6,  // an element was divided by 0
  StsLnZeroArg = 7,
  StsLnNegArg = 8,
};

// Scaling flags of a transform record (N = 2^order).
enum : int {
  FftDivForwardByN = 1,
  FftDivInverseByN = 2,
  FftDivBySqrtN = 4,
  FftNoDivision = 8,
};

constexpr int FftMaxOrder = 30;

}  // namespace Primitives
