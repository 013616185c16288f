// The real buffer's element-wise operations: arithmetic, fills, conversions from and to the
// caller's arrays and element functions.
#include "buffers/BufferPrimitives.h"
#include "buffers/KvSimpleDataBuffer.h"

#include <cfloat>
#include <cmath>

namespace {

using namespace Primitives;

// A value rounded (to nearest with ties to even, or towards zero) to an integer, of which the low
// 16 bits are kept; infinities and NaNs have none and give 0.
int16_t LowWord(double x, bool nearest) {
  const double whole = nearest ? std::nearbyint(x) : std::trunc(x);
  if (!std::isfinite(whole)) return 0;
  const double low = std::fabs(whole) < 2147483648.0 ? whole : std::fmod(whole, 65536.0);  // both exact
  return static_cast<int16_t>(static_cast<int32_t>(low));
}

}  // namespace

void TKvRealBuffer::FillJaehne(double magnitude) {
  if (magnitude < 0) return;  // the primitive refuses it: keep the content
  SetEach(BufferPrimitives().ippsVectorJaehne_64f, magnitude);
}

void TKvRealBuffer::Add(IKvRealBuffer& other) { CombineWith(other, BufferPrimitives().ippsAdd_64f_I); }
void TKvRealBuffer::Sub(IKvRealBuffer& other) { CombineWith(other, BufferPrimitives().ippsSub_64f_I); }
void TKvRealBuffer::Mul(IKvRealBuffer& other) { CombineWith(other, BufferPrimitives().ippsMul_64f_I); }

void TKvRealBuffer::Div(IKvRealBuffer& other) {
  // The divisors must still be there after the division, also when they are this buffer.
  const TRef<IKvRealBuffer> divisors = Unaliased(other);
  CombineWith(*divisors, [](const double* divisor, double* x, int n) {
    if (BufferPrimitives().ippsDiv_64f_I(divisor, x, n) != StsDivByZero) return;
    // +inf, -inf and the NaN of 0 / 0 become finite stand-ins.
    for (int i = 0; i < n; ++i)
      if (divisor[i] == 0) x[i] = x[i] > 0 ? 1e15 : x[i] < 0 ? -1e14 : 0;
  });
}

void TKvRealBuffer::Fill(double value) { SetEach(WithFirst(BufferPrimitives().ippsSet_64f, value)); }

void TKvRealBuffer::AddConst(double value) {
  if (value != 0) ChangeEach(WithFirst(BufferPrimitives().ippsAddC_64f_I, value));
}
void TKvRealBuffer::SubConst(double value) {
  if (value != 0) ChangeEach(WithFirst(BufferPrimitives().ippsSubC_64f_I, value));
}
void TKvRealBuffer::MulConst(double value) {
  if (value != 1) ChangeEach(WithFirst(BufferPrimitives().ippsMulC_64f_I, value));
}
void TKvRealBuffer::DivConst(double value) {
  if (value != 0 && value != 1) ChangeEach(WithFirst(BufferPrimitives().ippsDivC_64f_I, value));
}

void TKvRealBuffer::Zero() { SetEach(BufferPrimitives().ippsZero_64f); }

void TKvRealBuffer::ToInt32(int32_t* destination, bool nearest) {
  if (GetCount() > 0)
    BufferPrimitives().ippsConvert_64f32s_Sfs(ReadData(), destination, int(GetCount()), nearest ? RndNear : RndZero, 0);
}

void TKvRealBuffer::ToInt16(int16_t* destination, bool nearest) {
  const double* x = ReadData();
  for (uint32_t i = 0; i < GetCount(); ++i) destination[i] = LowWord(x[i], nearest);
}

void TKvRealBuffer::ToSingle(float* destination) {
  if (GetCount() > 0) BufferPrimitives().ippsConvert_64f32f(ReadData(), destination, int(GetCount()));
}

void TKvRealBuffer::FromInt32(const int32_t* source) {
  SetEach(WithFirst(BufferPrimitives().ippsConvert_32s64f, source));
}
void TKvRealBuffer::FromInt16(const int16_t* source) {
  SetEach(WithFirst(BufferPrimitives().ippsConvert_16s64f_Sfs, source, 0));
}
void TKvRealBuffer::FromSingle(const float* source) {
  SetEach(WithFirst(BufferPrimitives().ippsConvert_32f64f, source));
}

void TKvRealBuffer::NormalizeFrom(IKvRealBuffer& other, double subtrahend, double divisor) {
  if (std::fabs(divisor) < DBL_MIN) return;  // the primitive refuses it: keep the content
  MapFrom(other, BufferPrimitives().ippsNormalize_64f, subtrahend, divisor);
}

void TKvRealBuffer::Normalize(double subtrahend, double divisor) {
  NormalizeFrom(*MakeRef<TKvRealBuffer>(*this), subtrahend, divisor);
}

void TKvRealBuffer::Threshold(bool below, double level) {
  ChangeEach(BufferPrimitives().ippsThreshold_64f_I, level, ThresholdRelation(below));
}
void TKvRealBuffer::ThresholdFrom(IKvRealBuffer& other, bool below, double level) {
  MapFrom(other, BufferPrimitives().ippsThreshold_64f, level, ThresholdRelation(below));
}

void TKvRealBuffer::Sqr() { ChangeEach(BufferPrimitives().ippsSqr_64f_I); }
void TKvRealBuffer::SqrFrom(IKvRealBuffer& other) { MapFrom(other, BufferPrimitives().ippsSqr_64f); }
void TKvRealBuffer::Sqrt() { ChangeEach(BufferPrimitives().ippsSqrt_64f_I); }
void TKvRealBuffer::SqrtFrom(IKvRealBuffer& other) { MapFrom(other, BufferPrimitives().ippsSqrt_64f); }
void TKvRealBuffer::Abs() { ChangeEach(BufferPrimitives().ippsAbs_64f_I); }
void TKvRealBuffer::AbsFrom(IKvRealBuffer& other) { MapFrom(other, BufferPrimitives().ippsAbs_64f); }
void TKvRealBuffer::Exp() { ChangeEach(BufferPrimitives().ippsExp_64f_I); }
void TKvRealBuffer::ExpFrom(IKvRealBuffer& other) { MapFrom(other, BufferPrimitives().ippsExp_64f); }
void TKvRealBuffer::Ln() { ChangeEach(BufferPrimitives().ippsLn_64f_I); }
void TKvRealBuffer::LnFrom(IKvRealBuffer& other) { MapFrom(other, BufferPrimitives().ippsLn_64f); }
