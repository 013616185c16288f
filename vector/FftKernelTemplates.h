#pragma once

#include "vector/FftKernels.h"
#include "vector/FftVector128.h"

#include <cstddef>
#include <cstdint>

// The FFT kernels written once over a vector type (see TVec128) and compiled by one translation
// unit per instruction set. Everything here has internal linkage, and nothing calls out-of-line
// library code, so no function compiled for a newer instruction set can be shared with the
// baseline by the linker. The loops of a leaf are unrolled whole, so that the leaf stays in
// registers at any optimisation level that inlines.
namespace Primitives::Own {
namespace {

// x with its lowest `bits` bits reversed (bits <= 30).
inline std::size_t ReverseBits(std::size_t x, int bits) {
  std::uint32_t v = static_cast<std::uint32_t>(x);
  v = ((v >> 1) & 0x55555555u) | ((v & 0x55555555u) << 1);
  v = ((v >> 2) & 0x33333333u) | ((v & 0x33333333u) << 2);
  v = ((v >> 4) & 0x0F0F0F0Fu) | ((v & 0x0F0F0F0Fu) << 4);
  v = ((v >> 8) & 0x00FF00FFu) | ((v & 0x00FF00FFu) << 8);
  v = (v >> 16) | (v << 16);
  return bits == 0 ? 0 : v >> (32 - bits);
}

// Twiddles of power p (1..3), part 0 (real) or 1 (imaginary), in a table of q entries per array.
inline const double* TwiddlePairs(const double* table, std::size_t q, int power, int part) {
  return table + (2 * (power - 1) + part) * 2 * q;
}

// a w for w given as (re, re) and (-im, im).
template <typename V>
typename V::R MulComplex(typename V::R a, typename V::R re, typename V::R im) {
  return V::Add(V::Mul(a, re), V::Mul(V::Swap(a), im));
}

// The kernel of one direction. With the input in bit-reversed order (gathered that way by the
// leaves), a block of n points holds, in its quarters 0..3, the transforms of the points whose
// index is 0, 2, 1, 3 modulo 4 within the block's sub-sequence.
template <typename V, bool Inverse>
struct TFftKernel {
  using R = typename V::R;

  // a w, or a conj(w) for the inverse.
  static R Twiddle(R a, R re, R im) {
    if constexpr (Inverse) return V::Sub(V::Mul(a, re), V::Mul(V::Swap(a), im));
    return MulComplex<V>(a, re, im);
  }

  // The 4-point transform of a0..a3, in place.
  static void Butterfly4(R& a0, R& a1, R& a2, R& a3) {
    const R t0 = V::Add(a0, a2), t1 = V::Sub(a0, a2), t2 = V::Add(a1, a3), t3 = V::Sub(a1, a3);
    const R iT3 = V::NegateReal(V::Swap(t3));  // i t3
    const R plusI = V::Add(t1, iT3);
    const R minusI = V::Sub(t1, iT3);
    a0 = V::Add(t0, t2);
    a2 = V::Sub(t0, t2);
    a1 = Inverse ? plusI : minusI;
    a3 = Inverse ? minusI : plusI;
  }

  // The L-point transform of u (natural order in and out). Leaves of 8 and 16 split into 4-point
  // transforms of the points of each residue and combine them with the leaf's twiddles.
  template <int L>
  static void LeafTransform(R (&u)[L], const double* twiddles) {
    if constexpr (L == 2) {
      const R sum = V::Add(u[0], u[1]);
      u[1] = V::Sub(u[0], u[1]);
      u[0] = sum;
    } else if constexpr (L == 4) {
      Butterfly4(u[0], u[1], u[2], u[3]);
    } else if constexpr (L == 8) {
      Butterfly4(u[0], u[2], u[4], u[6]);
      Butterfly4(u[1], u[3], u[5], u[7]);
      R out[8];
#pragma GCC unroll 16
      for (int k = 0; k < 4; ++k) {
        const R odd =
            k == 0 ? u[1] : Twiddle(u[2 * k + 1], LeafTwiddle(twiddles, 1, 0, k), LeafTwiddle(twiddles, 1, 1, k));
        out[k] = V::Add(u[2 * k], odd);
        out[k + 4] = V::Sub(u[2 * k], odd);
      }
#pragma GCC unroll 16
      for (int j = 0; j < 8; ++j) u[j] = out[j];
    } else if constexpr (L == 16) {
#pragma GCC unroll 16
      for (int r = 0; r < 4; ++r) Butterfly4(u[r], u[r + 4], u[r + 8], u[r + 12]);
      R out[16];
#pragma GCC unroll 16
      for (int k = 0; k < 4; ++k) {
        R a[4] = {u[4 * k], u[4 * k + 1], u[4 * k + 2], u[4 * k + 3]};
        if (k != 0) {
#pragma GCC unroll 16
          for (int p = 1; p < 4; ++p)
            a[p] = Twiddle(a[p], LeafTwiddle(twiddles, p, 0, k), LeafTwiddle(twiddles, p, 1, k));
        }
        Butterfly4(a[0], a[1], a[2], a[3]);
#pragma GCC unroll 16
        for (int j = 0; j < 4; ++j) out[k + 4 * j] = a[j];
      }
#pragma GCC unroll 16
      for (int j = 0; j < 16; ++j) u[j] = out[j];
    }
  }

  static R LeafTwiddle(const double* twiddles, int power, int part, int k) {
    return V::BroadcastPair(TwiddlePairs(twiddles, 4, power, part) + 2 * k);
  }

  // Transforms the count / L leaves into their blocks of dst, V::Width neighbouring leaves at a
  // time. Leaf b transforms the points b' + t (count / L), t = 0 .. L - 1, b' = b bit-reversed;
  // in place, those points already stand bit-reversed in block b.
  template <int L, int LeafOrder>
  static void Leaves(const Ipp64fc* src, Ipp64fc* dst, std::size_t count, const double* twiddles) {
    constexpr int W = V::Width;
    const std::size_t leaves = count / L;
    const int leafBits = Log2(leaves);
    const std::size_t spread = leaves / W * L;
    for (std::size_t first = 0; first < leaves; first += W) {
      Ipp64fc* block = dst + ReverseBits(first, leafBits) * L;
      R u[L];
      if (src == dst) {
#pragma GCC unroll 16
        for (int j = 0; j < L; j += W) {
          R loaded[W];
          V::LoadLanes(block + j, spread, loaded);
#pragma GCC unroll 16
          for (int i = 0; i < W; ++i) u[ReverseBits(j + i, LeafOrder)] = loaded[i];
        }
      } else {
#pragma GCC unroll 16
        for (int t = 0; t < L; ++t) u[t] = V::Load(src + first + t * leaves);
      }
      LeafTransform<L>(u, twiddles);
#pragma GCC unroll 16
      for (int j = 0; j < L; j += W) V::StoreLanes(block + j, spread, u + j);
    }
  }

  // One radix-4 level: every block of n points from its four quarter-size transforms.
  static void Level(Ipp64fc* data, std::size_t count, std::size_t n, const double* twiddles) {
    const std::size_t q = n / 4;
    const double* re1 = TwiddlePairs(twiddles, q, 1, 0);
    const double* im1 = TwiddlePairs(twiddles, q, 1, 1);
    const double* re2 = TwiddlePairs(twiddles, q, 2, 0);
    const double* im2 = TwiddlePairs(twiddles, q, 2, 1);
    const double* re3 = TwiddlePairs(twiddles, q, 3, 0);
    const double* im3 = TwiddlePairs(twiddles, q, 3, 1);
    for (Ipp64fc* block = data; block != data + count; block += n) {
      for (std::size_t k = 0; k < q; k += V::Width) {
        R a0 = V::Load(block + k);
        R a1 = Twiddle(V::Load(block + 2 * q + k), V::LoadPairs(re1 + 2 * k), V::LoadPairs(im1 + 2 * k));
        R a2 = Twiddle(V::Load(block + q + k), V::LoadPairs(re2 + 2 * k), V::LoadPairs(im2 + 2 * k));
        R a3 = Twiddle(V::Load(block + 3 * q + k), V::LoadPairs(re3 + 2 * k), V::LoadPairs(im3 + 2 * k));
        Butterfly4(a0, a1, a2, a3);
        V::Store(block + k, a0);
        V::Store(block + q + k, a1);
        V::Store(block + 2 * q + k, a2);
        V::Store(block + 3 * q + k, a3);
      }
    }
  }

  static int Log2(std::size_t x) {
    int bits = 0;
    while ((std::size_t(1) << bits) < x) ++bits;
    return bits;
  }

  static void BitReverse(Ipp64fc* data, std::size_t count) {
    for (std::size_t i = 0, j = 0; i < count; ++i) {
      if (i < j) {
        const TVec128::R a = TVec128::Load(data + i), b = TVec128::Load(data + j);
        TVec128::Store(data + i, b);
        TVec128::Store(data + j, a);
      }
      std::size_t bit = count >> 1;
      while (j & bit) {
        j ^= bit;
        bit >>= 1;
      }
      j |= bit;
    }
  }

  template <int L, int LeafOrder>
  static void LeavesOfWidth(const Ipp64fc* src, Ipp64fc* dst, std::size_t count, const double* twiddles) {
    // A vector's lanes take neighbouring leaves and hold Width outputs each, so it needs at least
    // Width leaves of at least Width points.
    if constexpr (L >= V::Width) {
      if (count / L >= V::Width) return Leaves<L, LeafOrder>(src, dst, count, twiddles);
    }
    TFftKernel<TVec128, Inverse>::template Leaves<L, LeafOrder>(src, dst, count, twiddles);
  }

  static void Transform(const Ipp64fc* src, Ipp64fc* dst, const TFftKernelTables& tables) {
    const std::size_t count = std::size_t(1) << tables.Order;
    if (src == dst) BitReverse(dst, count);
    switch (tables.LeafOrder) {
      case 0:
        if (src != dst) TVec128::Store(dst, TVec128::Load(src));
        break;
      case 1: LeavesOfWidth<2, 1>(src, dst, count, tables.Leaf); break;
      case 2: LeavesOfWidth<4, 2>(src, dst, count, tables.Leaf); break;
      case 3: LeavesOfWidth<8, 3>(src, dst, count, tables.Leaf); break;
      default: LeavesOfWidth<16, 4>(src, dst, count, tables.Leaf); break;
    }
    for (int i = 0; i < tables.LevelCount; ++i)
      Level(dst, count, std::size_t(1) << (tables.LeafOrder + 2 * (i + 1)), tables.Levels[i]);
  }
};

template <typename V>
struct TFftSplitKernel {
  using R = typename V::R;

  // k = first, first + Width, ... while below end.
  static void Steps(const Ipp64fc* in, Ipp64fc* out, std::size_t m, std::size_t first, std::size_t end,
                    const TFftSplit& split) {
    const std::size_t half = m / 2;
    const double* re = split.Coefficients;
    const double* im = re + 2 * (half + 1);
    const R alpha = V::Splat(split.Alpha);
    for (std::size_t k = first; k < end; k += V::Width) {
      const std::size_t mirror = m - k - (V::Width - 1);
      const R zk = V::Load(in + k);
      const R zc = V::NegateImag(V::LoadReversed(in + mirror));
      const R d = V::Sub(zk, zc);
      const R g = MulComplex<V>(d, V::LoadPairs(re + 2 * k), V::LoadPairs(im + 2 * k));
      const R a = V::Mul(V::Add(zk, zc), alpha);
      V::Store(out + k, V::Add(a, g));
      V::StoreReversed(out + mirror, V::NegateImag(V::Sub(a, g)));
    }
  }

  static void Split(const Ipp64fc* in, Ipp64fc* out, std::size_t m, const TFftSplit& split) {
    // Whole vectors must not reach past m/2, where the two halves meet.
    const std::size_t half = m / 2;
    const std::size_t vectorEnd = 1 + half / V::Width * V::Width;
    Steps(in, out, m, 1, vectorEnd, split);
    TFftSplitKernel<TVec128>::Steps(in, out, m, vectorEnd, half + 1, split);
  }
};

template <typename V>
void ScaleVector(Ipp64fc* data, std::size_t count, double factor) {
  std::size_t i = 0;
  for (const auto s = V::Splat(factor); i + V::Width <= count; i += V::Width)
    V::Store(data + i, V::Mul(V::Load(data + i), s));
  for (const auto s = TVec128::Splat(factor); i < count; ++i)
    TVec128::Store(data + i, TVec128::Mul(TVec128::Load(data + i), s));
}

template <typename V>
constexpr TFftKernels MakeFftKernels(const char* name) {
  return {name, &TFftKernel<V, false>::Transform, &TFftKernel<V, true>::Transform, &TFftSplitKernel<V>::Split,
          &ScaleVector<V>};
}

}  // namespace
}  // namespace Primitives::Own
