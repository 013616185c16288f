#pragma once

#include "platform/Colors.h"

#include <algorithm>
#include <array>
#include <cstddef>

// The palette colour the fewest of `count` items use (`colorOf(i)` is item i's colour), the
// earliest on a tie. A colour listed twice is counted at its first place.
template <size_t N, class ColorOf>
TColor LeastUsedColor(const std::array<TColor, N>& palette, int count, ColorOf colorOf) {
  std::array<int, N> uses{};
  for (int i = 0; i < count; ++i) {
    const auto found = std::find(palette.begin(), palette.end(), colorOf(i));
    if (found != palette.end()) ++uses[size_t(found - palette.begin())];
  }
  return palette[size_t(std::min_element(uses.begin(), uses.end()) - uses.begin())];
}
