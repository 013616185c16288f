#pragma once

#include <cstddef>
#include <vector>

// One axis of a grid (its columns or its rows): the cells' extents, the fixed cells at the start
// that never scroll, the first scrollable cell shown, the width of the lines between cells and
// the client extent. Positions are logical pixels from the start of the client area.
struct TGridAxis {
  const std::vector<int>& Extents;
  int FixedCount;
  int First;
  int LineWidth;
  int ClientExtent;

  int Count() const { return static_cast<int>(Extents.size()); }

  // Start of cell `index` when it is shown, else -1 (scrolled out or past the client extent).
  int Start(int index) const;

  // Cell at `position`, the line after a cell counting as part of it; -1 when there is none.
  int CellAt(int position) const;

  // Last cell that starts inside the client extent, -1 when none does.
  int LastVisible() const;

  // Last cell shown whole, at least the first scrollable one.
  int LastFullyVisible() const;

  // Largest first scrollable cell that still fills the client extent with cells.
  int MaxFirst() const;

  // Extent of everything in front of the scrollable cells: the fixed cells and their lines.
  int FixedExtent() const;

  template <typename Visit>  // Visit(index, start) for every cell shown, in order
  void ForEachVisible(Visit visit) const {
    int position = 0;
    for (int i = 0; i < Count() && position < ClientExtent; ++i) {
      if (i >= FixedCount && i < First) continue;
      visit(i, position);
      position += Extents[static_cast<size_t>(i)] + LineWidth;
    }
  }
};
