#pragma once

#include <cstdint>

// The sample types, status codes and constants of the vendor vector library's published interface.
// Every entry of the primitive table has the vendor's signature, so these are the types callers
// and both kinds of implementation share.
namespace Primitives {

using Ipp8u = std::uint8_t;
using Ipp16s = std::int16_t;
using Ipp32s = std::int32_t;
using Ipp64f = double;

struct Ipp64fc {
  Ipp64f re;
  Ipp64f im;
};

struct IppiSize {
  int width;
  int height;
};

// Opaque setup records of the real and the complex transform.
struct IppsFFTSpec_R_64f;
struct IppsFFTSpec_C_64fc;

// Accepted by the transform init and the tone generator, and not acted on.
enum IppHintAlgorithm : int { HintNone = 0, HintFast = 1, HintAccurate = 2 };

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
  StsHugeWindow = -39,    // Kaiser window beyond the range of I0
  StsTriangleAsymmetry = -40,
  StsTrianglePhase = -41,
  StsTriangleFrequency = -42,
  StsTriangleMagnitude = -43,
  StsTonePhase = -44,
  StsToneFrequency = -45,
  StsToneMagnitude = -46,
  StsDivByZero = 6,  // warning: an element was divided by 0; the whole vector was processed
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
