#pragma once

#include "buffers/KvDataInterfaces.h"

#include <cstdint>
#include <vector>

// One row of a waterfall: a shared reference to the buffer as it arrived (its samples are never
// copied) and its extremes.
struct TKvWaterfallRow {
  TRef<IKvRealBuffer> Buffer;
  double Max = 0;
  double Min = 0;
  uint32_t Length() const { return Buffer ? Buffer->GetCount() : 0; }
};

// The rows a waterfall keeps, oldest first, at most Capacity of them, with the largest and smallest
// value over all of them. The extremes are kept up as rows come and go; the remaining rows are
// scanned only when the row that leaves held an extreme. Rows live in a ring made once per
// capacity, so appending allocates nothing. No lock: the waterfall guards it.
class TKvWaterfallHistory {
public:
  explicit TKvWaterfallHistory(int capacity);

  int Capacity() const { return Capacity_; }
  // Keeps the newest rows that fit.
  void SetCapacity(int capacity);
  int Count() const { return Count_; }
  bool Empty() const { return Count_ == 0; }
  // 0 is the oldest row.
  const TKvWaterfallRow& Row(int index) const { return Rows[(Head + size_t(index)) % Rows.size()]; }
  double Max() const { return Max_; }
  double Min() const { return Min_; }
  // Appends a row, dropping the oldest when the history is full; true when the extremes moved.
  bool Append(TRef<IKvRealBuffer> row);
  // Empties the history; the counts of rows appended and removed start again from 0.
  void Clear();
  // Rows appended, and rows that left at the oldest end, since the history was last emptied (never
  // capped, so that whoever follows the rows can tell how far they scrolled).
  uint64_t Appended() const { return Appended_; }
  uint64_t Removed() const { return Removed_; }
  // Changes whenever the history is emptied.
  uint32_t Generation() const { return Generation_; }

private:
  // Removes the oldest row; true when the extremes moved.
  bool DropOldest();
  // The extremes over every row, scanned.
  void Rescan();

  int Capacity_;
  std::vector<TKvWaterfallRow> Rows;
  size_t Head = 0;
  int Count_ = 0;
  double Max_ = 0;
  double Min_ = 0;
  uint64_t Appended_ = 0;
  uint64_t Removed_ = 0;
  uint32_t Generation_ = 0;
};
