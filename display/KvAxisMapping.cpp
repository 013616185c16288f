#include "display/KvAxisMapping.h"

#include "display/KvTickSteps.h"

#include <algorithm>
#include <cmath>

namespace {

// Far enough outside any picture, and still a finite single-precision value.
constexpr double FloatLimit = 1e30;

float ToFloat(double value) { return static_cast<float>(std::clamp(value, -FloatLimit, FloatLimit)); }

}  // namespace

TKvAxisMapping TKvAxisMapping::Make(double min, double max, int first, int pixels, int direction, bool anchorAtMin,
                                    bool logarithmic) {
  TKvAxisMapping mapping;
  mapping.Direction_ = direction < 0 ? -1 : 1;
  mapping.Logarithmic = logarithmic;
  const double range = max - min;
  if (range == 0 || pixels <= 0 || !std::isfinite(range)) {
    // Nothing to divide by: the value sits in the middle.
    mapping.Scale_ = 1;
    const double centre = std::isfinite(min) ? min : 0;
    mapping.Origin_ =
        first + mapping.Direction_ * std::nearbyint(std::max(pixels, 0) / 2.0) - mapping.Direction_ * centre;
    return mapping;
  }
  mapping.Scale_ = pixels / range;
  const int last = first + mapping.Direction_ * pixels;
  mapping.Origin_ = anchorAtMin ? first - mapping.Direction_ * std::nearbyint(min * mapping.Scale_)
                                : last - mapping.Direction_ * max * mapping.Scale_;
  return mapping;
}

double TKvAxisMapping::Scaled(double value) const { return Logarithmic ? LogScale(value) : value; }

int TKvAxisMapping::ToPixel(double value) const { return RoundPixel(PixelOf(value)); }

int TKvAxisMapping::TickPixel(double value) const {
  if (std::isnan(value)) return RoundPixel(value);
  const float product = ToFloat(Scaled(value) * Scale_);
  const float origin = ToFloat(Origin_);
  return RoundPixel(Direction_ > 0 ? origin + product : origin - product);
}

double TKvAxisMapping::ToValue(double pixel) const {
  const double scaled = (pixel - Origin_) / (Direction_ * Scale_);
  return Logarithmic ? UnlogScale(scaled) : scaled;
}
