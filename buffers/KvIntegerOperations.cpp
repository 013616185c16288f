// The integer buffer's whole-buffer operations. The scaled primitives run with scale factor 0, so
// that they only saturate; remainders, quotients by a constant and shifts by the other buffer's
// elements are loops of their own.
#include "buffers/BufferPrimitives.h"
#include "buffers/KvSimpleDataBuffer.h"

#include <algorithm>
#include <climits>

namespace {

using namespace Primitives;

// The bit operations of the table take the elements as unsigned bit patterns.
Ipp32u* Bits(int32_t* x) { return reinterpret_cast<Ipp32u*>(x); }
const Ipp32u* Bits(const int32_t* x) { return reinterpret_cast<const Ipp32u*>(x); }

template <class Primitive>
auto OnBits(Primitive primitive) {
  return [primitive](const int32_t* source, int32_t* x, int n) { primitive(Bits(source), Bits(x), n); };
}

template <class Primitive>
auto OnBits(Primitive primitive, int32_t constant) {
  return [=](int32_t* x, int n) { primitive(Ipp32u(constant), Bits(x), n); };
}

// Quotient and remainder of the truncating division that never trap: x / 0 is left to the callers,
// x mod 0 is x, INT_MIN / -1 saturates and INT_MIN mod -1 is 0.
int32_t Quotient(int32_t x, int32_t divisor) { return divisor == -1 ? (x == INT_MIN ? INT_MAX : -x) : x / divisor; }
int32_t Remainder(int32_t x, int32_t divisor) {
  if (divisor == 0) return x;
  return divisor == -1 ? 0 : x % divisor;
}

// x[i] = f(x[i], source[i]).
template <class F>
auto EachWith(F f) {
  return [f](const int32_t* source, int32_t* x, int n) {
    for (int i = 0; i < n; ++i) x[i] = f(x[i], source[i]);
  };
}

// x[i] = f(x[i], constant).
template <class F>
auto EachWith(F f, int32_t constant) {
  return [=](int32_t* x, int n) {
    for (int i = 0; i < n; ++i) x[i] = f(x[i], constant);
  };
}

int32_t ShiftedLeft(int32_t x, int32_t count) { return int32_t(uint32_t(x) << (count & 31)); }
int32_t ShiftedRight(int32_t x, int32_t count) { return int32_t(x >> (count & 31)); }

}  // namespace

void TKvIntegerBuffer::Add(IKvIntegerBuffer& other) { CombineWith(other, BufferPrimitives().ippsAdd_32s_ISfs, 0); }
void TKvIntegerBuffer::Sub(IKvIntegerBuffer& other) { CombineWith(other, BufferPrimitives().ippsSub_32s_ISfs, 0); }
void TKvIntegerBuffer::Mul(IKvIntegerBuffer& other) { CombineWith(other, BufferPrimitives().ippsMul_32s_ISfs, 0); }
void TKvIntegerBuffer::Div(IKvIntegerBuffer& other) { CombineWith(other, BufferPrimitives().ippsDiv_32s_ISfs, 0); }
void TKvIntegerBuffer::Mod(IKvIntegerBuffer& other) { CombineWith(other, EachWith(Remainder)); }
void TKvIntegerBuffer::And(IKvIntegerBuffer& other) { CombineWith(other, OnBits(BufferPrimitives().ippsAnd_32u_I)); }
void TKvIntegerBuffer::Or(IKvIntegerBuffer& other) { CombineWith(other, OnBits(BufferPrimitives().ippsOr_32u_I)); }
void TKvIntegerBuffer::Xor(IKvIntegerBuffer& other) { CombineWith(other, OnBits(BufferPrimitives().ippsXor_32u_I)); }
void TKvIntegerBuffer::ShiftLeftBy(IKvIntegerBuffer& other) { CombineWith(other, EachWith(ShiftedLeft)); }
void TKvIntegerBuffer::ShiftRightBy(IKvIntegerBuffer& other) { CombineWith(other, EachWith(ShiftedRight)); }

void TKvIntegerBuffer::Fill(int32_t value) { SetEach(WithFirst(BufferPrimitives().ippsSet_32s, value)); }

void TKvIntegerBuffer::AddConst(int32_t value) {
  if (value != 0) ChangeEach(WithFirst(BufferPrimitives().ippsAddC_32s_ISfs, value, 0));
}
void TKvIntegerBuffer::SubConst(int32_t value) {
  if (value != 0) ChangeEach(WithFirst(BufferPrimitives().ippsSubC_32s_ISfs, value, 0));
}
void TKvIntegerBuffer::MulConst(int32_t value) {
  if (value != 1) ChangeEach(WithFirst(BufferPrimitives().ippsMulC_32s_ISfs, value, 0));
}
void TKvIntegerBuffer::DivConst(int32_t value) {
  if (value != 0 && value != 1) ChangeEach(EachWith(Quotient, value));
}
void TKvIntegerBuffer::ModConst(int32_t value) {
  if (value != 0) ChangeEach(EachWith(Remainder, value));
}
void TKvIntegerBuffer::AndConst(int32_t value) {
  if (value != -1) ChangeEach(OnBits(BufferPrimitives().ippsAndC_32u_I, value));
}
void TKvIntegerBuffer::OrConst(int32_t value) {
  if (value != 0) ChangeEach(OnBits(BufferPrimitives().ippsOrC_32u_I, value));
}
void TKvIntegerBuffer::XorConst(int32_t value) {
  if (value != 0) ChangeEach(OnBits(BufferPrimitives().ippsXorC_32u_I, value));
}
void TKvIntegerBuffer::ShiftLeft(int count) {
  if (count > 0) ChangeEach(WithFirst(BufferPrimitives().ippsLShiftC_32s_I, count));
}
void TKvIntegerBuffer::ShiftRight(int count) {
  if (count > 0) ChangeEach(WithFirst(BufferPrimitives().ippsRShiftC_32s_I, count));
}

void TKvIntegerBuffer::Zero() {
  // As 16-bit words, two to an element.
  SetEach([](int32_t* x, int n) { BufferPrimitives().ippsZero_16s(reinterpret_cast<Ipp16s*>(x), 2 * n); });
}

int32_t TKvIntegerBuffer::DotProduct(IKvIntegerBuffer& other) {
  int32_t product = 0;
  if (const uint32_t count = CommonCount(other))
    BufferPrimitives().ippsDotProd_32s_Sfs(ReadData(), other.ReadData(), int(count), &product, 0);
  return product;
}

int32_t TKvIntegerBuffer::Min() { return GetCount() == 0 ? 0 : *std::min_element(ReadData(), ReadData() + GetCount()); }
int32_t TKvIntegerBuffer::Max() { return GetCount() == 0 ? 0 : *std::max_element(ReadData(), ReadData() + GetCount()); }
