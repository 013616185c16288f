// The real buffer's whole-buffer results: statistics, extremes, dot products and norms,
// correlations and the convolution.
#include "buffers/BufferPrimitives.h"
#include "buffers/KvSimpleDataBuffer.h"

#include <utility>

namespace {

using namespace Primitives;

// The elements from..to - 1 of a range query after clamping: negative indices become 0, `to` at
// most the count, `from` at most count - 1. Empty for an empty buffer.
std::pair<int, int> ClampedRange(int from, int to, uint32_t count) {
  if (count == 0) return {0, 0};
  const int last = int(count);
  from = std::max(from, 0);
  to = std::min(std::max(to, 0), last);
  return {std::min(from, last - 1), to};
}

// The primitive's result over from..to - 1, or 0 for an empty range.
double ExtremeInRange(const double* x, std::pair<int, int> range, IppStatus (*extreme)(const Ipp64f*, int, Ipp64f*)) {
  double value = 0;
  if (range.first < range.second) extreme(x + range.first, range.second - range.first, &value);
  return value;
}

// The extreme of the values strictly between -1.7e308 and 1.7e308 in from..to - 1, or 0 if none.
template <class Before>
double ValidExtremeInRange(const double* x, std::pair<int, int> range, Before before) {
  bool found = false;
  double extreme = 0;
  for (int i = range.first; i < range.second; ++i) {
    const double v = x[i];
    if (!(v > -1.7e308 && v < 1.7e308)) continue;
    if (!found || before(v, extreme)) extreme = v;
    found = true;
  }
  return extreme;
}

// The primitive's extreme and its first index, or 0 and index 0 for an empty buffer.
double ExtremeWithIndex(const double* x, uint32_t count, uint32_t& index,
                        IppStatus (*extreme)(const Ipp64f*, int, Ipp64f*, int*)) {
  double value = 0;
  int found = 0;
  if (count > 0) extreme(x, int(count), &value, &found);
  index = uint32_t(found);
  return value;
}

bool Less(double a, double b) { return a < b; }
bool Greater(double a, double b) { return a > b; }

}  // namespace

double TKvRealBuffer::DotProduct(IKvRealBuffer& other) {
  double product = 0;
  if (const uint32_t count = CommonCount(other))
    BufferPrimitives().ippsDotProd_64f(ReadData(), other.ReadData(), int(count), &product);
  return product;
}

void TKvRealBuffer::AutoCorrelation(IKvRealBuffer& source, int kind) {
  const TBufferPrimitives& table = BufferPrimitives();
  SetFrom(source, AutoCorrelationOfKind(kind, table.ippsAutoCorr_64f, table.ippsAutoCorr_NormA_64f,
                                        table.ippsAutoCorr_NormB_64f));
}

void TKvRealBuffer::CrossCorrelation(IKvRealBuffer& first, IKvRealBuffer& second, int lowestLag) {
  SetFromPair(first, second, BufferPrimitives().ippsCrossCorr_64f, lowestLag);
}

double TKvRealBuffer::Mean() {
  double mean = 0;
  if (GetCount() > 0) BufferPrimitives().ippsMean_64f(ReadData(), int(GetCount()), &mean);
  return mean;
}

double TKvRealBuffer::StdDev() {
  double deviation = 0;
  if (GetCount() > 1) BufferPrimitives().ippsStdDev_64f(ReadData(), int(GetCount()), &deviation);
  return deviation;
}

void TKvRealBuffer::Convolve(IKvRealBuffer& first, IKvRealBuffer& second) {
  if (first.GetCount() == 0 || second.GetCount() == 0) return;
  const uint32_t length = first.GetCount() + second.GetCount() - 1;
  CheckRange(0, length, GetCount());
  const TRef<IKvRealBuffer> a = Unaliased(first), b = Unaliased(second);
  double* y = length == GetCount() ? WriteData() : ModifyData();
  BufferPrimitives().ippsConv_64f(a->ReadData(), int(a->GetCount()), b->ReadData(), int(b->GetCount()), y);
}

double TKvRealBuffer::NormDiff(IKvRealBuffer& other, int kind) {
  const TBufferPrimitives& table = BufferPrimitives();
  const decltype(table.ippsNormDiff_L1_64f) norms[] = {table.ippsNormDiff_L1_64f, table.ippsNormDiff_L2_64f,
                                                       table.ippsNormDiff_Inf_64f};
  double norm = 0;
  const uint32_t count = CommonCount(other);
  if (count > 0 && kind >= 0 && kind < 3) norms[kind](ReadData(), other.ReadData(), int(count), &norm);
  return norm;
}

double TKvRealBuffer::Min() { return ExtremeInRange(ReadData(), {0, int(GetCount())}, BufferPrimitives().ippsMin_64f); }
double TKvRealBuffer::Max() { return ExtremeInRange(ReadData(), {0, int(GetCount())}, BufferPrimitives().ippsMax_64f); }

double TKvRealBuffer::MinIndex(uint32_t& index) {
  return ExtremeWithIndex(ReadData(), GetCount(), index, BufferPrimitives().ippsMinIndx_64f);
}
double TKvRealBuffer::MaxIndex(uint32_t& index) {
  return ExtremeWithIndex(ReadData(), GetCount(), index, BufferPrimitives().ippsMaxIndx_64f);
}

double TKvRealBuffer::MinInRange(int from, int to) {
  return ExtremeInRange(ReadData(), ClampedRange(from, to, GetCount()), BufferPrimitives().ippsMin_64f);
}
double TKvRealBuffer::MaxInRange(int from, int to) {
  return ExtremeInRange(ReadData(), ClampedRange(from, to, GetCount()), BufferPrimitives().ippsMax_64f);
}
double TKvRealBuffer::MinValidInRange(int from, int to) {
  return ValidExtremeInRange(ReadData(), ClampedRange(from, to, GetCount()), Less);
}
double TKvRealBuffer::MaxValidInRange(int from, int to) {
  return ValidExtremeInRange(ReadData(), ClampedRange(from, to, GetCount()), Greater);
}
