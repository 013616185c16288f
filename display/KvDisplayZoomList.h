#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TKvDisplayAxis;

// The zoom state of one axis. The axis is named by its address and its identity together, and is
// looked up among the display's live axes before it is touched: an axis deleted since (even one
// whose address was reused) is skipped.
struct TKvAxisZoomListItem {
  const TKvDisplayAxis* Axis = nullptr;
  uint64_t AxisIdentity = 0;
  double ZoomMin = 0;
  double ZoomMax = 0;
  bool Zoomed = false;

  bool Refers(const TKvDisplayAxis& axis) const;
};

// A snapshot of the zoom state of every axis of a display: the X axes (main first), then the Y
// axes (main first).
class TKvAxisZoomList {
public:
  void Add(const TKvDisplayAxis& axis);
  size_t Count() const { return Items.size(); }
  const TKvAxisZoomListItem& operator[](size_t index) const { return Items[index]; }
  auto begin() const { return Items.begin(); }
  auto end() const { return Items.end(); }
  // Same axes, same zoomed flags, and the same windows where zoomed.
  bool operator==(const TKvAxisZoomList& other) const;

private:
  std::vector<TKvAxisZoomListItem> Items;
};

// A stack of snapshots, the oldest at the bottom. A snapshot equal to the top is not pushed again,
// and the oldest goes when more than MaxCount are held.
class TKvDisplayZoomList {
public:
  static constexpr size_t MaxCount = 100;

  void Push(std::unique_ptr<TKvAxisZoomList> snapshot);
  // The top snapshot, taken off; none when empty.
  std::unique_ptr<TKvAxisZoomList> Pop();
  const TKvAxisZoomList* Top() const { return Items.empty() ? nullptr : Items.back().get(); }
  size_t Count() const { return Items.size(); }
  bool Empty() const { return Items.empty(); }
  void Clear() { Items.clear(); }

private:
  std::vector<std::unique_ptr<TKvAxisZoomList>> Items;
};
