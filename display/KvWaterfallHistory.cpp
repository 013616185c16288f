#include "display/KvWaterfallHistory.h"

#include <algorithm>

TKvWaterfallHistory::TKvWaterfallHistory(int capacity) : Capacity_(std::max(capacity, 1)), Rows(size_t(Capacity_)) {}

void TKvWaterfallHistory::SetCapacity(int capacity) {
  capacity = std::max(capacity, 1);
  if (capacity == Capacity_) return;
  while (Count_ > capacity) DropOldest();
  std::vector<TKvWaterfallRow> rows(static_cast<size_t>(capacity));
  for (int i = 0; i < Count_; ++i) rows[size_t(i)] = Row(i);
  Rows = std::move(rows);
  Head = 0;
  Capacity_ = capacity;
}

bool TKvWaterfallHistory::Append(TRef<IKvRealBuffer> row) {
  TKvWaterfallRow entry;
  if (row && row->GetCount() > 0) entry.Max = row->Max(), entry.Min = row->Min();
  entry.Buffer = std::move(row);
  bool moved = false;
  if (Count_ == Capacity_) moved = DropOldest();
  Rows[(Head + size_t(Count_)) % Rows.size()] = entry;
  ++Count_;
  ++Appended_;
  if (Count_ == 1) {
    moved = moved || Max_ != entry.Max || Min_ != entry.Min;
    Max_ = entry.Max, Min_ = entry.Min;
  } else if (entry.Max > Max_ || entry.Min < Min_) {
    Max_ = std::max(Max_, entry.Max), Min_ = std::min(Min_, entry.Min);
    moved = true;
  }
  return moved;
}

bool TKvWaterfallHistory::DropOldest() {
  const TKvWaterfallRow leaving = std::move(Rows[Head]);
  Rows[Head] = {};
  Head = (Head + 1) % Rows.size();
  --Count_;
  ++Removed_;
  if (Count_ == 0 || (leaving.Max != Max_ && leaving.Min != Min_)) return false;
  const double max = Max_, min = Min_;
  Rescan();
  return max != Max_ || min != Min_;
}

void TKvWaterfallHistory::Rescan() {
  Max_ = Row(0).Max, Min_ = Row(0).Min;
  for (int i = 1; i < Count_; ++i) Max_ = std::max(Max_, Row(i).Max), Min_ = std::min(Min_, Row(i).Min);
}

void TKvWaterfallHistory::Clear() {
  for (TKvWaterfallRow& row : Rows) row = {};
  Head = 0;
  Count_ = 0;
  Max_ = Min_ = 0;
  Appended_ = Removed_ = 0;
  ++Generation_;
}
