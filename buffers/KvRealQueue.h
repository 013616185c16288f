#pragma once

#include <cstdint>
#include <deque>

// An unbounded first-in, first-out list of doubles with indexed access (0 = oldest). No lock: its
// owner guards it. Bad indices, and dropping from an empty queue, raise EListError.
class TKvRealQueue {
public:
  // Appends a value; returns its index.
  int32_t Push(double value);
  int32_t GetCount() const { return int32_t(Values.size()); }
  // Removes the oldest value.
  void Drop();
  void Clear() { Values.clear(); }
  double GetItem(int32_t index) const;
  void SetItem(int32_t index, double value);

private:
  void CheckIndex(int32_t index) const;

  std::deque<double> Values;
};
