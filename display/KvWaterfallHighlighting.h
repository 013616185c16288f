#pragma once

#include "display/KvDisplaySettings.h"
#include "display/KvMouseHitPoint.h"
#include "platform/Published.h"

// The waterfall's highlighting: the point under the mouse, drawn in the colour of its value.
class TKvWaterfallHighlighting : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvWaterfallHighlighting(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw), MouseHitPoint_(display, this) {}

  TKvMouseHitPoint* MouseHitPoint() const { return const_cast<TKvMouseHitPoint*>(&MouseHitPoint_); }

private:
  TKvMouseHitPoint MouseHitPoint_;
};
