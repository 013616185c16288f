// The block buffer's whole-buffer operations: byte arithmetic saturating at 0 and 255 (the scaled
// primitives with scale factor 0), a quotient loop of its own, fills.
#include "buffers/BufferPrimitives.h"
#include "buffers/KvSimpleDataBuffer.h"

void TKvBlockBuffer::Add(IKvBlockBuffer& other) { CombineWith(other, BufferPrimitives().ippsAdd_8u_ISfs, 0); }
void TKvBlockBuffer::Sub(IKvBlockBuffer& other) { CombineWith(other, BufferPrimitives().ippsSub_8u_ISfs, 0); }
void TKvBlockBuffer::Mul(IKvBlockBuffer& other) { CombineWith(other, BufferPrimitives().ippsMul_8u_ISfs, 0); }

void TKvBlockBuffer::Div(IKvBlockBuffer& other) {
  CombineWith(other, [](const uint8_t* divisor, uint8_t* x, int n) {
    // A zero divisor saturates, as in the division primitives: 255, or 0 for 0 / 0.
    for (int i = 0; i < n; ++i) x[i] = divisor[i] != 0 ? uint8_t(x[i] / divisor[i]) : x[i] != 0 ? 255 : 0;
  });
}

void TKvBlockBuffer::Fill(uint8_t value) { SetEach(WithFirst(BufferPrimitives().ippsSet_8u, value)); }

void TKvBlockBuffer::Zero() { SetEach(BufferPrimitives().ippsZero_8u); }
