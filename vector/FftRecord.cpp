#include "vector/FftRecord.h"

#include <cmath>
#include <cstddef>
#include <new>

namespace Primitives::Own {
namespace {

constexpr std::size_t BlockAlignment = 64;

// Hands out the record's tables from one block. Sizes are counted in 64 bits, so that the largest
// orders ask for what they need (and fail) instead of a wrapped-around small block. Without a
// block it only counts.
class TTableCarver {
public:
  explicit TTableCarver(unsigned char* block) : Block(block) {}

  double* Take(std::uint64_t doubles) {
    Used = (Used + BlockAlignment - 1) / BlockAlignment * BlockAlignment;
    double* table = Block ? reinterpret_cast<double*>(Block + Used) : nullptr;
    Used += doubles * sizeof(double);
    return table;
  }

  std::uint64_t Used = sizeof(TFftRecord);

private:
  unsigned char* const Block;
};

// cos and sin of 2 pi j / n, from the functions of an argument of at most pi/4.
struct TCosSin {
  long double Cos, Sin;
};
TCosSin TurnCosSin(std::uint64_t j, std::uint64_t n) {
  constexpr long double HalfPi = 1.57079632679489661923132169163975144L;
  j %= n;
  const std::uint64_t quadrant = 4 * j / n;
  const std::uint64_t rest = 4 * j - quadrant * n;  // angle within the quadrant: (pi/2) rest / n
  TCosSin first;
  if (2 * rest <= n) {
    const long double angle = HalfPi * rest / n;
    first = {std::cos(angle), std::sin(angle)};
  } else {
    const long double complement = HalfPi * (n - rest) / n;
    first = {std::sin(complement), std::cos(complement)};
  }
  switch (quadrant) {
    case 0: return first;
    case 1: return {-first.Sin, first.Cos};
    case 2: return {-first.Cos, -first.Sin};
    default: return {first.Sin, -first.Cos};
  }
}

// Entry k of a table in the layout of FftKernels.h: (re, re) and (-im, im).
void StoreFactor(double* re, double* im, std::uint64_t k, long double real, long double imag) {
  re[2 * k] = re[2 * k + 1] = static_cast<double>(real);
  im[2 * k] = static_cast<double>(-imag);
  im[2 * k + 1] = static_cast<double>(imag);
}

// w^(pk), w = e^(-2 pi i / n), for the powers 1 .. powers and k < q, in the layout of FftKernels.h.
void FillTwiddles(double* table, std::uint64_t n, std::uint64_t q, int powers) {
  for (int p = 1; p <= powers; ++p) {
    double* re = table + (2 * (p - 1)) * 2 * q;
    double* im = re + 2 * q;
    for (std::uint64_t k = 0; k < q; ++k) {
      const TCosSin w = TurnCosSin(p * k, n);
      StoreFactor(re, im, k, w.Cos, -w.Sin);
    }
  }
}

// The split coefficients of FftKernels.h for k = 0 .. M/2, N = 2M, scale folded in.
void FillSplit(double* re, double* im, std::uint64_t m, bool forward, long double scale) {
  for (std::uint64_t k = 0; k <= m / 2; ++k) {
    const TCosSin w = TurnCosSin(k, 2 * m);
    if (forward) StoreFactor(re, im, k, -scale * w.Sin / 2, -scale * w.Cos / 2);
    else StoreFactor(re, im, k, -scale * w.Sin, scale * w.Cos);
  }
}

int LeafOrderOf(int kernelOrder) {
  if (kernelOrder <= 4) return kernelOrder;
  return (kernelOrder - 4) % 2 == 0 ? 4 : 3;
}

// Entries per array of the leaves' twiddle tables (q), and their powers of w.
constexpr std::uint64_t LeafEntries = 4;
int LeafPowers(int leafOrder) { return leafOrder == 4 ? 3 : leafOrder == 3 ? 1 : 0; }

const double* TakeTwiddles(TTableCarver& carver, std::uint64_t n, std::uint64_t q, int powers) {
  double* table = carver.Take(std::uint64_t(powers) * 4 * q);
  if (table) FillTwiddles(table, n, q, powers);
  return table;
}

TFftSplit TakeSplit(TTableCarver& carver, std::uint64_t m, bool forward, long double scale) {
  const std::uint64_t entries = m / 2 + 1;
  double* re = carver.Take(4 * entries);
  if (re) FillSplit(re, re + 2 * entries, m, forward, scale);
  return {static_cast<double>(forward ? scale / 2 : scale), re};
}

// Places the record's tables in the carver's block and computes them; without a block it only
// counts their size.
void Carve(TFftRecord& record, int kernelOrder, bool real, TTableCarver& carver) {
  TFftKernelTables& kernel = record.Kernel;
  kernel.Order = kernelOrder;
  kernel.LeafOrder = LeafOrderOf(kernelOrder);
  kernel.Leaf = TakeTwiddles(carver, std::uint64_t(1) << kernel.LeafOrder, LeafEntries, LeafPowers(kernel.LeafOrder));
  kernel.LevelCount = (kernelOrder - kernel.LeafOrder) / 2;
  for (int i = 0; i < kernel.LevelCount; ++i) {
    const std::uint64_t n = std::uint64_t(1) << (kernel.LeafOrder + 2 * (i + 1));
    kernel.Levels[i] = TakeTwiddles(carver, n, n / 4, 3);
  }
  if (real) {
    const std::uint64_t m = std::uint64_t(1) << kernelOrder;
    record.ForwardSplit = TakeSplit(carver, m, true, record.ScaleForward ? record.Scale : 1.0);
    record.InverseSplit = TakeSplit(carver, m, false, record.ScaleInverse ? record.Scale : 1.0);
  }
}

}  // namespace

TFftRecord* CreateFftRecord(std::uint32_t kind, int order, int flag) {
  const bool real = kind == RealFftKind;
  // A real transform of order 0 is a copy; it has no kernel.
  const int kernelOrder = real ? (order > 0 ? order - 1 : 0) : order;

  TFftRecord shape{};
  TTableCarver counter(nullptr);
  Carve(shape, kernelOrder, real, counter);
  if (counter.Used > std::uint64_t(PTRDIFF_MAX)) return nullptr;
  void* block = ::operator new(std::size_t(counter.Used), std::align_val_t(BlockAlignment), std::nothrow);
  if (!block) return nullptr;

  auto* record = new (block) TFftRecord{};
  record->Kind = kind;
  record->Order = order;
  record->ScaleForward = flag == FftDivForwardByN || flag == FftDivBySqrtN;
  record->ScaleInverse = flag == FftDivInverseByN || flag == FftDivBySqrtN;
  const long double n = std::ldexp(1.0L, order);
  record->Scale = flag == FftNoDivision ? 1.0 : static_cast<double>(flag == FftDivBySqrtN ? 1 / std::sqrt(n) : 1 / n);
  record->Kernels = &FastestFftKernels();
  TTableCarver carver(static_cast<unsigned char*>(block));
  Carve(*record, kernelOrder, real, carver);
  return record;
}

void DestroyFftRecord(TFftRecord* record) {
  record->Kind = 0;
  record->~TFftRecord();
  ::operator delete(record, std::align_val_t(BlockAlignment));
}

}  // namespace Primitives::Own
