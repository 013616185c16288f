// The complex buffer's whole-buffer operations, and the real buffers it hands out of its parts,
// phases, magnitudes and powers.
#include "buffers/BufferPrimitives.h"
#include "buffers/KvSimpleDataBuffer.h"

#include <cfloat>
#include <cmath>

namespace {

using namespace Primitives;
using TComplex = Ipp64fc;

}  // namespace

template <class Primitive>
void TKvComplexBuffer::ToReal(TRef<IKvRealBuffer>& result, Primitive primitive) {
  const auto real = MakeRef<TKvRealBuffer>(GetCount());
  if (GetCount() > 0) primitive(ReadData(), real->WriteData(), int(GetCount()));
  result = real;
}

void TKvComplexBuffer::RealPart(TRef<IKvRealBuffer>& result) { ToReal(result, BufferPrimitives().ippsReal_64fc); }
void TKvComplexBuffer::ImagPart(TRef<IKvRealBuffer>& result) { ToReal(result, BufferPrimitives().ippsImag_64fc); }
void TKvComplexBuffer::Phase(TRef<IKvRealBuffer>& result) { ToReal(result, BufferPrimitives().ippsPhase_64fc); }
void TKvComplexBuffer::Magnitude(TRef<IKvRealBuffer>& result) { ToReal(result, BufferPrimitives().ippsMagnitude_64fc); }
void TKvComplexBuffer::PowerSpectrum(TRef<IKvRealBuffer>& result) {
  ToReal(result, BufferPrimitives().ippsPowerSpectr_64fc);
}

void TKvComplexBuffer::Add(IKvComplexBuffer& other) { CombineWith(other, BufferPrimitives().ippsAdd_64fc_I); }
void TKvComplexBuffer::Sub(IKvComplexBuffer& other) { CombineWith(other, BufferPrimitives().ippsSub_64fc_I); }
void TKvComplexBuffer::Mul(IKvComplexBuffer& other) { CombineWith(other, BufferPrimitives().ippsMul_64fc_I); }
void TKvComplexBuffer::Div(IKvComplexBuffer& other) { CombineWith(other, BufferPrimitives().ippsDiv_64fc_I); }

void TKvComplexBuffer::AddConst(TComplex value) { ChangeEach(WithFirst(BufferPrimitives().ippsAddC_64fc_I, value)); }
void TKvComplexBuffer::SubConst(TComplex value) { ChangeEach(WithFirst(BufferPrimitives().ippsSubC_64fc_I, value)); }
void TKvComplexBuffer::MulConst(TComplex value) { ChangeEach(WithFirst(BufferPrimitives().ippsMulC_64fc_I, value)); }
void TKvComplexBuffer::DivConst(TComplex value) {
  if (value.re == 0 && value.im == 0) return;  // the primitive refuses it
  ChangeEach(WithFirst(BufferPrimitives().ippsDivC_64fc_I, value));
}

void TKvComplexBuffer::FromRealImag(IKvRealBuffer& real, IKvRealBuffer& imaginary) {
  SetCount(std::min(real.GetCount(), imaginary.GetCount()), false);
  SetEach(
      [&](TComplex* x, int n) { BufferPrimitives().ippsRealToCplx_64f(real.ReadData(), imaginary.ReadData(), x, n); });
}

void TKvComplexBuffer::Fill(TComplex value) { SetEach(WithFirst(BufferPrimitives().ippsSet_64fc, value)); }

void TKvComplexBuffer::Zero() { SetEach(BufferPrimitives().ippsZero_64fc); }

void TKvComplexBuffer::NormalizeFrom(IKvComplexBuffer& other, TComplex subtrahend, double divisor) {
  if (std::fabs(divisor) < DBL_MIN) return;  // the primitive refuses it: keep the content
  MapFrom(other, BufferPrimitives().ippsNormalize_64fc, subtrahend, divisor);
}

void TKvComplexBuffer::Normalize(TComplex subtrahend, double divisor) {
  NormalizeFrom(*MakeRef<TKvComplexBuffer>(*this), subtrahend, divisor);
}

TComplex TKvComplexBuffer::DotProduct(IKvComplexBuffer& other) {
  TComplex product = {0, 0};
  if (const uint32_t count = CommonCount(other))
    BufferPrimitives().ippsDotProd_64fc(ReadData(), other.ReadData(), int(count), &product);
  return product;
}

void TKvComplexBuffer::Threshold(bool below, double level) {
  if (level < 0) return;  // the primitive refuses it
  ChangeEach(BufferPrimitives().ippsThreshold_64fc_I, level, ThresholdRelation(below));
}
void TKvComplexBuffer::ThresholdFrom(IKvComplexBuffer& other, bool below, double level) {
  if (level < 0) return;
  MapFrom(other, BufferPrimitives().ippsThreshold_64fc, level, ThresholdRelation(below));
}

void TKvComplexBuffer::Sqr() { ChangeEach(BufferPrimitives().ippsSqr_64fc_I); }
void TKvComplexBuffer::SqrFrom(IKvComplexBuffer& other) { MapFrom(other, BufferPrimitives().ippsSqr_64fc); }
void TKvComplexBuffer::Sqrt() { ChangeEach(BufferPrimitives().ippsSqrt_64fc_I); }
void TKvComplexBuffer::SqrtFrom(IKvComplexBuffer& other) { MapFrom(other, BufferPrimitives().ippsSqrt_64fc); }

void TKvComplexBuffer::AutoCorrelation(IKvComplexBuffer& source, int kind) {
  const TBufferPrimitives& table = BufferPrimitives();
  SetFrom(source, AutoCorrelationOfKind(kind, table.ippsAutoCorr_64fc, table.ippsAutoCorr_NormA_64fc,
                                        table.ippsAutoCorr_NormB_64fc));
}

void TKvComplexBuffer::CrossCorrelation(IKvComplexBuffer& first, IKvComplexBuffer& second, int lowestLag) {
  SetFromPair(first, second, BufferPrimitives().ippsCrossCorr_64fc, lowestLag);
}
