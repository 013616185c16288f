#include "display/KvScopeChannelData.h"

#include <mutex>

void TKvScopeChannelData::AppendValue(double y, uint32_t limit) {
  const std::lock_guard guard(PendingSection);
  // A single value adds to the trace, whatever the limit.
  if (!PendingUniform) PendingX.push_back(PendingX.empty() ? 0 : PendingX.back() + 1);
  PendingY.push_back(y);
  KeepLast(PendingX, limit);
  KeepLast(PendingY, limit);
  NewData = true;
}

void TKvScopeChannelData::ClearPending() {
  const std::lock_guard guard(PendingSection);
  PendingX.clear();
  PendingY.clear();
  PendingUniform = true;
  NewData = true;
}

bool TKvScopeChannelData::HasNewData() const {
  const std::lock_guard guard(PendingSection);
  return NewData;
}

bool TKvScopeChannelData::Commit() {
  const std::lock_guard pending(PendingSection);
  if (!NewData) return false;
  const std::lock_guard committed(CommittedSection);
  // Copied, not swapped: the pending trace goes on rolling from here, and the copy reuses the
  // committed vectors' memory.
  X_.assign(PendingX.begin(), PendingX.end());
  Y_.assign(PendingY.begin(), PendingY.end());
  Uniform = PendingUniform;
  NewData = false;
  ++Generation_;
  return true;
}

void TKvScopeChannelData::KeepLast(std::vector<double>& trace, uint32_t limit) {
  if (limit > 0 && trace.size() > limit) trace.erase(trace.begin(), trace.end() - limit);
}

void TKvScopeChannelData::Trim(uint32_t limit) {
  const std::lock_guard pending(PendingSection);
  const std::lock_guard committed(CommittedSection);
  for (std::vector<double>* trace : {&PendingX, &PendingY, &X_, &Y_}) KeepLast(*trace, limit);
  ++Generation_;
}

void TKvScopeChannelData::CopyFrom(const TKvScopeChannelData& source) {
  if (&source == this) return;
  // One section at a time, the source's before this one's: two channels' sections are never held
  // together, so two copies the other way round cannot wait for each other.
  std::vector<double> pendingX, pendingY, x, y;
  bool pendingUniform = true, newData = false, uniform = true;
  {
    const std::lock_guard guard(source.PendingSection);
    pendingX = source.PendingX, pendingY = source.PendingY;
    pendingUniform = source.PendingUniform, newData = source.NewData;
  }
  {
    const std::lock_guard guard(source.CommittedSection);
    x = source.X_, y = source.Y_, uniform = source.Uniform;
  }
  {
    const std::lock_guard guard(PendingSection);
    PendingX.swap(pendingX), PendingY.swap(pendingY);
    PendingUniform = pendingUniform, NewData = newData;
  }
  const std::lock_guard guard(CommittedSection);
  X_.swap(x), Y_.swap(y), Uniform = uniform;
  ++Generation_;
}
