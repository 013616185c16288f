#pragma once

#include "display/KvDisplaySettings.h"
#include "display/KvViewSettings.h"
#include "platform/Colors.h"
#include "platform/Published.h"

// The mark and label a display draws where the mouse meets its data: a small square and, beside
// it, the values there. Its pen is the hit item's own colour with UseChannelColor, else Color.
class TKvMouseHitPoint : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvMouseHitPoint(TKvDataDisplay& display, TPersistent* owner);

  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool enabled) { Update(Enabled_, enabled); }
  bool UseChannelColor() const { return UseChannelColor_; }
  void SetUseChannelColor(bool use) { Update(UseChannelColor_, use); }
  TColor Color() const { return Color_; }
  void SetColor(TColor color) { Update(Color_, color); }
  // Its template (empty for the display's own), whether it shows and its font.
  TKvDisplayLabel* Label() const { return const_cast<TKvDisplayLabel*>(&Label_); }

  // The pen for an item drawn in `itemColor`.
  TColor PenColor(TColor itemColor) const { return UseChannelColor_ ? itemColor : Color_; }

private:
  bool Enabled_ = true;
  bool UseChannelColor_ = true;
  TColor Color_ = clLime;
  TKvDisplayLabel Label_;
};
