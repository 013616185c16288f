#include "app/NoteTable.h"

#include <cmath>
#include <stdexcept>

const std::array<const char*, NoteRowCount> NoteNames = {"До",  "До#",  "Ре",    "Ре#", "Ми",  "Фа",
                                                         "Фа#", "Соль", "Соль#", "Ля",  "Ля#", "Си"};

namespace {

// Every rounding here is to nearest with ties to even (the processor's default mode), in extended
// precision; the texts depend on it: rounding ties upward would give C#10 at 44100 Hz 3 samples
// per period instead of 2.
long double Round(long double value) { return std::nearbyintl(value); }

int32_t RoundToInt(long double value) { return static_cast<int32_t>(Round(value)); }

struct TCell {
  int32_t Col = 0;
  int32_t Row = 0;
};

}  // namespace

int32_t NoteColumnWidth(int column) {
  const int b = (column >= 4 && column <= 9) ? -column : column;
  return RoundToInt(b / 2.0L + 92);
}

TNoteTable ComputeNoteTable(int32_t sampleRate) {
  const int32_t R = sampleRate;
  int32_t N = R / 2;
  const long double colCount = N > 0 ? Round(std::log2l(static_cast<long double>(N) / 440)) + 6 : 0;
  if (colCount < 2) throw std::invalid_argument("No note fits the sample rate " + std::to_string(R));

  TNoteTable table;
  table.ColCount = static_cast<int32_t>(colCount);
  table.Cells.resize(static_cast<size_t>(table.ColCount));
  for (int r = 0; r < NoteRowCount; ++r) table.Cells[0][static_cast<size_t>(r)] = NoteNames[static_cast<size_t>(r)];

  constexpr int32_t LowestFrequency = 10;
  // Ten times the rate, so that samples per period are first rounded to tenths. 64 bits, so that
  // rates beyond 214 MHz do not overflow.
  const int64_t R10 = static_cast<int64_t>(R) * 10;
  int32_t i = 0;
  int32_t g = 1;
  int32_t F = 1;
  TCell last;

  auto closeGroup = [&table](const TCell& cell) {
    table.BoundaryCols.push_back(cell.Col);
    table.BoundaryRows.push_back(cell.Row);
  };

  for (int32_t k = table.ColCount - 1; k >= 1; --k) {
    for (int32_t r = NoteRowCount - 1; r >= 0; --r) {
      std::string& text = table.Cells[static_cast<size_t>(k)][static_cast<size_t>(r)];
      const int32_t c = 12 * k + r - 69;
      // 2^(c/12) in extended precision rounds correctly for every note in range; exact when c is a
      // multiple of 12.
      const long double f = Round(440 * std::exp2l(c / 12.0L));
      const int32_t o = static_cast<int32_t>(std::floor(std::log2l(f / 440))) + 5;
      if (f < LowestFrequency || f > N || (o < 1 && i >= 12)) {
        text.clear();
        continue;
      }
      ++i;
      const int32_t s = RoundToInt(Round(R10 / f) / 10);
      int32_t q = s / F;
      const int32_t H = N / 2;
      if (q > 3 && (f < H || (i > 12 && f == H))) {
        N = H;
        F *= 2;
        q = s / F;
        i = 1;
        ++g;
        closeGroup(last);
      }
      last = {k, r};
      text = std::to_string(o) + "-" + std::to_string(g) + " " + std::to_string(i) + "(" + std::to_string(q) + "*" +
             std::to_string(F) + ")" + std::to_string(static_cast<int64_t>(f));
    }
  }
  closeGroup(last);
  return table;
}
