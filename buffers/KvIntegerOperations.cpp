// The integer buffer's whole-buffer operations. The scaled primitives run with scale factor 0, so
// that they only saturate; remainders, quotients by a constant and shifts by the other buffer's
// elements are loops of their own.
#include "buffers/BufferPrimitives.h"
#include "buffers/KvSimpleDataBuffer.h"

#include <algorithm>
#include <climits>

namespace {

using namespace Primitives;

// The bit operations of the table take the same elements as unsigned bit patterns.
template <class Primitive>
auto OnBits(Primitive primitive) {
  return [primitive](const int32_t* source, int32_t* x, int n) {
    primitive(reinterpret_cast<const Ipp32u*>(source), reinterpret_cast<Ipp32u*>(x), n);
  };
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

}  // namespace

void TKvIntegerBuffer::Add(IKvIntegerBuffer& other) {
  CombineWith(other, Unscaled(BufferPrimitives().ippsAdd_32s_ISfs));
}
void TKvIntegerBuffer::Sub(IKvIntegerBuffer& other) {
  CombineWith(other, Unscaled(BufferPrimitives().ippsSub_32s_ISfs));
}
void TKvIntegerBuffer::Mul(IKvIntegerBuffer& other) {
  CombineWith(other, Unscaled(BufferPrimitives().ippsMul_32s_ISfs));
}
void TKvIntegerBuffer::Div(IKvIntegerBuffer& other) {
  CombineWith(other, Unscaled(BufferPrimitives().ippsDiv_32s_ISfs));
}
void TKvIntegerBuffer::Mod(IKvIntegerBuffer& other) { CombineWith(other, EachWith(Remainder)); }
void TKvIntegerBuffer::And(IKvIntegerBuffer& other) { CombineWith(other, OnBits(BufferPrimitives().ippsAnd_32u_I)); }
void TKvIntegerBuffer::Or(IKvIntegerBuffer& other) { CombineWith(other, OnBits(BufferPrimitives().ippsOr_32u_I)); }
void TKvIntegerBuffer::Xor(IKvIntegerBuffer& other) { CombineWith(other, OnBits(BufferPrimitives().ippsXor_32u_I)); }

void TKvIntegerBuffer::ShiftLeftBy(IKvIntegerBuffer& other) {
  CombineWith(other, EachWith([](int32_t x, int32_t count) { return int32_t(uint32_t(x) << (count & 31)); }));
}
void TKvIntegerBuffer::ShiftRightBy(IKvIntegerBuffer& other) {
  CombineWith(other, EachWith([](int32_t x, int32_t count) { return int32_t(x >> (count & 31)); }));
}

void TKvIntegerBuffer::Fill(int32_t value) {
  SetEach([value](int32_t* x, int n) { BufferPrimitives().ippsSet_32s(value, x, n); });
}

void TKvIntegerBuffer::AddConst(int32_t value) {
  if (value != 0) ChangeEach([value](int32_t* x, int n) { BufferPrimitives().ippsAddC_32s_ISfs(value, x, n, 0); });
}
void TKvIntegerBuffer::SubConst(int32_t value) {
  if (value != 0) ChangeEach([value](int32_t* x, int n) { BufferPrimitives().ippsSubC_32s_ISfs(value, x, n, 0); });
}
void TKvIntegerBuffer::MulConst(int32_t value) {
  if (value != 1) ChangeEach([value](int32_t* x, int n) { BufferPrimitives().ippsMulC_32s_ISfs(value, x, n, 0); });
}
void TKvIntegerBuffer::DivConst(int32_t value) {
  if (value != 0 && value != 1)
    ChangeEach(
        [value](int32_t* x, int n) { std::for_each(x, x + n, [value](int32_t& e) { e = Quotient(e, value); }); });
}
void TKvIntegerBuffer::ModConst(int32_t value) {
  if (value != 0)
    ChangeEach(
        [value](int32_t* x, int n) { std::for_each(x, x + n, [value](int32_t& e) { e = Remainder(e, value); }); });
}

void TKvIntegerBuffer::AndConst(int32_t value) {
  if (value != -1)
    ChangeEach([value](int32_t* x, int n) {
      BufferPrimitives().ippsAndC_32u_I(Ipp32u(value), reinterpret_cast<Ipp32u*>(x), n);
    });
}
void TKvIntegerBuffer::OrConst(int32_t value) {
  if (value != 0)
    ChangeEach([value](int32_t* x, int n) {
      BufferPrimitives().ippsOrC_32u_I(Ipp32u(value), reinterpret_cast<Ipp32u*>(x), n);
    });
}
void TKvIntegerBuffer::XorConst(int32_t value) {
  if (value != 0)
    ChangeEach([value](int32_t* x, int n) {
      BufferPrimitives().ippsXorC_32u_I(Ipp32u(value), reinterpret_cast<Ipp32u*>(x), n);
    });
}

void TKvIntegerBuffer::ShiftLeft(int count) {
  if (count > 0) ChangeEach([count](int32_t* x, int n) { BufferPrimitives().ippsLShiftC_32s_I(count, x, n); });
}
void TKvIntegerBuffer::ShiftRight(int count) {
  if (count > 0) ChangeEach([count](int32_t* x, int n) { BufferPrimitives().ippsRShiftC_32s_I(count, x, n); });
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
