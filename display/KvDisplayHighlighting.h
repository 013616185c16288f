#pragma once

#include "display/KvDisplaySettings.h"
#include "display/KvMouseHitPoint.h"
#include "platform/Colors.h"
#include "platform/Published.h"

// When items of one kind are drawn highlighted, and in which colour: hovered in the legend, under
// the mouse in the data view, and whether the legend marks the item under the mouse.
class TKvDisplayItemHighlighting : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayItemHighlighting(TKvDataDisplay& display, TPersistent* owner, bool fromMouse);

  bool HiglightLegendButton() const { return LegendButton; }
  void SetHiglightLegendButton(bool on) { Update(LegendButton, on); }
  bool HiglightFromLegend() const { return FromLegend; }
  void SetHiglightFromLegend(bool on) { Update(FromLegend, on); }
  bool HiglightFromMouse() const { return FromMouse; }
  void SetHiglightFromMouse(bool on) { Update(FromMouse, on); }
  TColor Color() const { return Color_; }
  void SetColor(TColor color) { Update(Color_, color); }

private:
  bool LegendButton = true;
  bool FromLegend = true;
  bool FromMouse;
  bool DefaultFromMouse;
  TColor Color_ = clLime;
};

// Channels are not highlighted from the mouse unless asked to: traces cross each other often.
class TKvChannelItemHighlighting : public TKvDisplayItemHighlighting {
public:
  PUBLISHED_CLASS_INFO

  TKvChannelItemHighlighting(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplayItemHighlighting(display, owner, false) {}
};

// The highlighting of a display's items, by kind.
class TKvDisplayHighlighting : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayHighlighting(TKvDataDisplay& display, TPersistent* owner);

  TKvChannelItemHighlighting* Channels() const { return const_cast<TKvChannelItemHighlighting*>(&Channels_); }
  TKvDisplayItemHighlighting* Cursors() const { return const_cast<TKvDisplayItemHighlighting*>(&Cursors_); }
  TKvDisplayItemHighlighting* CursorLinks() const { return const_cast<TKvDisplayItemHighlighting*>(&CursorLinks_); }
  TKvChannelItemHighlighting* ChannelLinks() const { return const_cast<TKvChannelItemHighlighting*>(&ChannelLinks_); }
  TKvDisplayItemHighlighting* Markers() const { return const_cast<TKvDisplayItemHighlighting*>(&Markers_); }
  TKvDisplayItemHighlighting* Zones() const { return const_cast<TKvDisplayItemHighlighting*>(&Zones_); }
  TKvDisplayItemHighlighting* Ellipses() const { return const_cast<TKvDisplayItemHighlighting*>(&Ellipses_); }
  TKvMouseHitPoint* MouseHitPoint() const { return const_cast<TKvMouseHitPoint*>(&MouseHitPoint_); }

private:
  TKvChannelItemHighlighting Channels_;
  TKvDisplayItemHighlighting Cursors_;
  TKvDisplayItemHighlighting CursorLinks_;
  TKvChannelItemHighlighting ChannelLinks_;
  TKvDisplayItemHighlighting Markers_;
  TKvDisplayItemHighlighting Zones_;
  TKvDisplayItemHighlighting Ellipses_;
  TKvMouseHitPoint MouseHitPoint_;
};
