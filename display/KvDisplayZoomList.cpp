#include "display/KvDisplayZoomList.h"

#include "display/KvDisplayAxis.h"

#include <algorithm>

bool TKvAxisZoomListItem::Refers(const TKvDisplayAxis& axis) const {
  return Axis == &axis && AxisIdentity == axis.ZoomIdentity();
}

void TKvAxisZoomList::Add(const TKvDisplayAxis& axis) {
  Items.push_back({&axis, axis.ZoomIdentity(), axis.ZoomMin(), axis.ZoomMax(), axis.IsZoomed()});
}

bool TKvAxisZoomList::operator==(const TKvAxisZoomList& other) const {
  if (Count() != other.Count()) return false;
  return std::all_of(begin(), end(), [&](const TKvAxisZoomListItem& item) {
    return std::any_of(other.begin(), other.end(), [&](const TKvAxisZoomListItem& match) {
      if (match.Axis != item.Axis || match.AxisIdentity != item.AxisIdentity || match.Zoomed != item.Zoomed)
        return false;
      return !item.Zoomed || (match.ZoomMin == item.ZoomMin && match.ZoomMax == item.ZoomMax);
    });
  });
}

void TKvDisplayZoomList::Push(std::unique_ptr<TKvAxisZoomList> snapshot) {
  if (!snapshot || (Top() && *Top() == *snapshot)) return;
  Items.push_back(std::move(snapshot));
  if (Items.size() > MaxCount) Items.erase(Items.begin());
}

std::unique_ptr<TKvAxisZoomList> TKvDisplayZoomList::Pop() {
  if (Items.empty()) return nullptr;
  std::unique_ptr<TKvAxisZoomList> top = std::move(Items.back());
  Items.pop_back();
  return top;
}
