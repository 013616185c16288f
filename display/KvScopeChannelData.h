#pragma once

#include "platform/LkSync.h"

#include <cstdint>
#include <mutex>
#include <vector>

// The samples of one scope channel: what the pins deliver is stored as pending data, on any
// thread, and becomes the drawn data when the window thread commits it.
//
// With a size limit of 0 each delivery replaces the pending trace; with a limit N the trace is a
// rolling window of the last N samples. Without X values of their own the samples are uniform:
// their X values are their indices 0 … n − 1, and none are kept.
//
// Pending data lives under its own critical section, the committed data under another, so that a
// delivery never waits for anything but a commit's copy.
class TKvScopeChannelData {
public:
  // Pending side, any thread. Each call replaces or rolls the pending trace by `limit`; the
  // samples are read through `y(i)` (and `x(i)`) for i below `count`.
  template <class YAt>
  void StoreUniform(uint32_t count, uint32_t limit, YAt y);
  template <class XAt, class YAt>
  void StorePaired(uint32_t count, uint32_t limit, XAt x, YAt y);
  // One sample whose X is the last X + 1.
  void AppendValue(double y, uint32_t limit);
  // A new stream: the pending trace is empty (and waits for the next commit as such).
  void ClearPending();
  bool HasNewData() const;

  // Window side. Makes the pending trace the committed one; false when nothing new arrived.
  bool Commit();
  // A new limit shortens the pending and committed traces to their last `limit` samples.
  void Trim(uint32_t limit);
  // Takes over another channel's pending and committed traces; the committed one counts as
  // changed, so its pixels are computed again.
  void CopyFrom(const TKvScopeChannelData& source);

  // The committed trace, read by the window thread only.
  uint32_t Count() const { return uint32_t(Y_.size()); }
  bool UniformX() const { return Uniform; }
  double X(uint32_t index) const { return Uniform ? double(index) : X_[index]; }
  const std::vector<double>& Y() const { return Y_; }
  // Empty when the X values are uniform.
  const std::vector<double>& XValues() const { return X_; }
  // Changes with every change of the committed trace.
  uint64_t Generation() const { return Generation_; }

private:
  template <class At>
  static void Roll(std::vector<double>& trace, uint32_t count, uint32_t limit, At at);
  // The last `limit` values (all of them for 0).
  static void KeepLast(std::vector<double>& trace, uint32_t limit);

  mutable TLkCriticalSection PendingSection;
  mutable TLkCriticalSection CommittedSection;
  std::vector<double> PendingX;
  std::vector<double> PendingY;
  bool PendingUniform = true;
  bool NewData = false;
  std::vector<double> X_;
  std::vector<double> Y_;
  bool Uniform = true;
  uint64_t Generation_ = 0;
};

template <class At>
void TKvScopeChannelData::Roll(std::vector<double>& trace, uint32_t count, uint32_t limit, At at) {
  // Only the samples that stay are read.
  const uint32_t first = limit > 0 && count > limit ? count - limit : 0;
  if (limit == 0 || count >= limit) trace.clear();
  const size_t kept = trace.size();
  trace.resize(kept + (count - first));
  double* out = trace.data() + kept;
  for (uint32_t i = first; i < count; ++i) *out++ = double(at(i));
  KeepLast(trace, limit);
}

template <class YAt>
void TKvScopeChannelData::StoreUniform(uint32_t count, uint32_t limit, YAt y) {
  const std::lock_guard guard(PendingSection);
  // Indices again: a trace that had X values of its own starts over.
  if (!PendingUniform) PendingY.clear();
  PendingX.clear();
  PendingUniform = true;
  Roll(PendingY, count, limit, y);
  NewData = true;
}

template <class XAt, class YAt>
void TKvScopeChannelData::StorePaired(uint32_t count, uint32_t limit, XAt x, YAt y) {
  const std::lock_guard guard(PendingSection);
  if (PendingUniform) {
    // The indices of what is kept become its X values.
    PendingX.resize(PendingY.size());
    for (size_t i = 0; i < PendingX.size(); ++i) PendingX[i] = double(i);
    PendingUniform = false;
  }
  Roll(PendingX, count, limit, x);
  Roll(PendingY, count, limit, y);
  NewData = true;
}
