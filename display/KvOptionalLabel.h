#pragma once

#include "display/KvDisplaySettings.h"
#include "display/KvViewSettings.h"
#include "platform/Font.h"

#include <string>

// A label drawn beside an item only when asked for: its template text, whether it shows and its
// font. A change redraws the display.
class TKvOptionalLabel : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvOptionalLabel(TKvDataDisplay& display, TPersistent* owner);

  const std::string& Text() const { return Text_; }
  void SetText(const std::string& text) { Update(Text_, text); }
  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { Update(Visible_, visible); }
  TFont* Font() const { return const_cast<TFont*>(&Font_); }

private:
  std::string Text_;
  bool Visible_ = false;
  TFont Font_{KvFontName, KvFont8pt, 0, clWhite};
};
