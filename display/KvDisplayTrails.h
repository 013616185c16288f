#pragma once

#include "display/KvDisplaySettings.h"
#include "display/KvViewSettings.h"
#include "platform/Colors.h"
#include "platform/Font.h"

// How a dragged cursor shows its distance from where it started: colour and font.
class TKvDisplayTrails : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayTrails(TKvDataDisplay& display, TPersistent* owner);

  TColor Color() const { return Color_; }
  void SetColor(TColor color) { Update(Color_, color); }
  TFont* Font() const { return const_cast<TFont*>(&Font_); }

private:
  TColor Color_ = clWhite;
  TFont Font_{KvFontName, KvFont8pt, 0, clWhite};
};
