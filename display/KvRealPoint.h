#pragma once

// A point in the label units of a display's axes.
struct TKvRealPoint {
  double X = 0;
  double Y = 0;
  bool operator==(const TKvRealPoint&) const = default;
};
