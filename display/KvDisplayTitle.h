#pragma once

#include "display/KvDisplayView.h"
#include "display/KvViewSettings.h"
#include "platform/Font.h"

#include <string>

// The title of a display: a line of text at an edge, turned to run along a left or right edge.
class TKvDisplayTitle : public TKvOptionalView {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayTitle(TKvDataDisplay& display, const std::string& text);

  const std::string& Text() const { return Text_; }
  void SetText(const std::string& text);
  TFont* Font() const { return const_cast<TFont*>(&Font_); }

  // A line of the font + 16 across its edge (or the fixed size); all that is left along it.
  TKvViewSize GetSize() const override;
  void Paint(TKvCanvas& canvas, bool exporting, bool vertical) override;

private:
  std::string Text_;
  const std::string DefaultText;
  TFont Font_{KvFontName, KvFont16pt, fsBold, clWhite};
};
