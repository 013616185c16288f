#pragma once

#include "platform/Colors.h"
#include "platform/Event.h"
#include "platform/Published.h"

// How a brush fills: with its colour, or not at all.
enum class TKvBrushStyle { bsSolid, bsClear };

// A brush as layouts store it: colour and style. Its colour is stored where it differs from the
// one the brush was made with.
class TKvBrush : public TPersistent {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvBrush(TColor color, TKvBrushStyle style = TKvBrushStyle::bsSolid)
      : DefaultColor(color), Color_(color), DefaultStyle(style), Style_(style) {}

  TColor Color() const { return Color_; }
  void SetColor(TColor color);
  TKvBrushStyle Style() const { return Style_; }
  void SetStyle(TKvBrushStyle style);

  // Every change, whoever makes it.
  TEvent<TNotifyEvent> OnChange;

private:
  TColor DefaultColor;
  TColor Color_;
  TKvBrushStyle DefaultStyle;
  TKvBrushStyle Style_;
};
