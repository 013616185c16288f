#include "platform/GridAxis.h"

int TGridAxis::Start(int index) const {
  int found = -1;
  ForEachVisible([&](int i, int start) {
    if (i == index) found = start;
  });
  return found;
}

int TGridAxis::CellAt(int position) const {
  int found = -1;
  ForEachVisible([&](int i, int start) {
    if (position >= start && position < start + Extents[static_cast<size_t>(i)] + LineWidth) found = i;
  });
  return position < 0 ? -1 : found;
}

int TGridAxis::LastVisible() const {
  int last = -1;
  ForEachVisible([&](int i, int) { last = i; });
  return last;
}

int TGridAxis::LastFullyVisible() const {
  int last = -1;
  ForEachVisible([&](int i, int start) {
    if (start + Extents[static_cast<size_t>(i)] <= ClientExtent) last = i;
  });
  return last < First ? First : last;
}

int TGridAxis::FixedExtent() const {
  int extent = 0;
  for (int i = 0; i < FixedCount && i < Count(); ++i) extent += Extents[static_cast<size_t>(i)] + LineWidth;
  return extent;
}

int TGridAxis::MaxFirst() const {
  int room = ClientExtent - FixedExtent();
  int first = Count() - 1;
  for (int i = Count() - 1; i >= FixedCount; --i) {
    room -= Extents[static_cast<size_t>(i)] + LineWidth;
    if (room < 0) break;
    first = i;
  }
  return first < FixedCount ? FixedCount : first;
}
