#pragma once

#include "display/KvDisplayView.h"
#include "display/KvViewSettings.h"
#include "platform/Font.h"

#include <string>

// The look of the legend's scroll buttons and hovered entries.
class TKvLegendViewButtonSettings : public TKvViewButtonSettings {
public:
  PUBLISHED_CLASS_INFO

  using TKvViewButtonSettings::TKvViewButtonSettings;

  TColor GlyphColor() const { return GlyphColor_; }
  void SetGlyphColor(TColor color) { Update(GlyphColor_, color); }
  TColor BorderColor() const { return BorderColor_; }
  void SetBorderColor(TColor color) { Update(BorderColor_, color); }
  TColor ButtonColor() const { return ButtonColor_; }
  void SetButtonColor(TColor color) { Update(ButtonColor_, color); }
  TColor DisabledColor() const { return DisabledColor_; }
  void SetDisabledColor(TColor color) { Update(DisabledColor_, color); }

private:
  TColor GlyphColor_ = clYellow;
  TColor BorderColor_ = clGreen;
  TColor ButtonColor_ = clBlack;
  TColor DisabledColor_ = clGreen;
};

// A group of the legend's entries: its caption, whether it shows, the cursor over its entries.
class TKvLegendGroup : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvLegendGroup(TKvDataDisplay& display, TPersistent* owner);

  TKvDisplayLabel* Caption() const { return const_cast<TKvDisplayLabel*>(&Caption_); }
  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { Update(Visible_, visible); }
  TCursor Cursor() const { return Cursor_; }
  void SetCursor(TCursor cursor) { Update(Cursor_, cursor); }

private:
  TKvDisplayLabel Caption_;
  bool Visible_ = true;
  TCursor Cursor_ = TCursor::crHandPoint;
};

// The legend of a display: a view at an edge (the right by default) listing the display's items
// in groups. It lists nothing until the display has items, and then takes no room.
class TKvLegendView : public TKvOptionalView {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvLegendView(TKvDataDisplay& display);

  TFont* Font() const { return const_cast<TFont*>(&Font_); }
  TKvLegendViewButtonSettings* Buttons() const { return const_cast<TKvLegendViewButtonSettings*>(&Buttons_); }

  // All that is left along the edge; across it the fixed size, or the width of the widest group,
  // which is 0 while every group is empty.
  TKvViewSize GetSize() const override;
  void Paint(TKvCanvas& canvas, bool, bool) override { PaintBackground(canvas); }

private:
  TFont Font_{KvFontName, KvFont8pt, 0, clWhite};
  TKvLegendViewButtonSettings Buttons_;
};

// The scope's legend, with a group for each kind of the scope's items (channels, channel links,
// marker groups, zones, ellipses, cursors, cursor links).
class TKvScopeLegendView : public TKvLegendView {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvScopeLegendView(TKvDataDisplay& display);

  TKvLegendGroup* Channels() const { return Group(0); }
  TKvLegendGroup* ChannelLinks() const { return Group(1); }
  TKvLegendGroup* MarkerGroups() const { return Group(2); }
  TKvLegendGroup* Zones() const { return Group(3); }
  TKvLegendGroup* Ellipses() const { return Group(4); }
  TKvLegendGroup* Cursors() const { return Group(5); }
  TKvLegendGroup* CursorLinks() const { return Group(6); }

private:
  TKvLegendGroup* Group(int index) const { return const_cast<TKvLegendGroup*>(&Groups[index]); }

  TKvLegendGroup Groups[7];
};
