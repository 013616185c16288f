#pragma once

#include "display/KvAxisValues.h"

#include <initializer_list>

class TFiler;
class TKvAxisFormat;

// What keeps a scope axis's zoom window in bounds: where its minimum and maximum may go, and the
// narrowest and widest span it may show.
struct TKvScopeAxisLimits {
  const TKvBasicScopeAxisValue& Min;
  const TKvBasicScopeAxisValue& Max;
  const TKvDisplayAxisZoom& Zooming;

  // Moves the window [min, max] inside the limits: first the ends (shifting the window), then the
  // span about its centre.
  void Limit(double& min, double& max) const;
  // Whether a visible range [min, max] may get narrower, or wider.
  bool CanZoomIn(double min, double max) const;
  bool CanZoomOut(double min, double max) const;
};

// A stored list of limit values, written as one list of reals and read back in the same order;
// a shorter list of one of the `accepted` lengths sets the leading values only.
void DefineLimitList(TFiler& filer, const char* name, std::initializer_list<TKvDisplayOptionalValue*> values,
                     std::initializer_list<TKvBasicAxisValue*> ends, std::initializer_list<size_t> accepted);

// Properties of older layouts that scope axes read but no longer write: "MinMaxScale" (the two
// ends' values), "Logarithmic", "FixedPrecision" and "Precision".
struct TKvLegacyAxisTarget {
  TKvBasicAxisValue& Min;
  TKvBasicAxisValue& Max;
  TKvAxisFormat& Format;
  std::function<void(bool logarithmic)> SetLogarithmic;
};
void DefineLegacyAxisProperties(TFiler& filer, const TKvLegacyAxisTarget& target);
