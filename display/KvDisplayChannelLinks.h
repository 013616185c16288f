#pragma once

#include "display/KvBrush.h"
#include "display/KvDisplayCollectionItem.h"
#include "platform/Collection.h"

#include <QPoint>

#include <cstdint>
#include <vector>

class TKvScope;
class TKvScopeChannel;

// How a link fills between its two channels: one band, or a bar from each point of the first
// channel to the matching point of the second.
enum class TKvScopeChannelLinkMode { clmZone, clmBar };
const TEnumNames<TKvScopeChannelLinkMode>& ChannelLinkModeNames();

// A filled band or bars between two channels, drawn behind them. Its channels are named by
// index; a link whose channels are missing, equal or hidden draws nothing.
class TKvDisplayChannelLink : public TKvDisplayCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayChannelLink(TCollection& collection);

  bool Visible() const { return Visible_; }
  void SetVisible(bool visible);
  int32_t FirstChannelIndex() const { return First; }
  void SetFirstChannelIndex(int32_t index);
  int32_t SecondChannelIndex() const { return Second; }
  void SetSecondChannelIndex(int32_t index);
  TKvBrush* Brush() const { return const_cast<TKvBrush*>(&Brush_); }
  // Bars' width in pixels, at least 1.
  int32_t Width() const { return Width_; }
  void SetWidth(int32_t width);
  TKvScopeChannelLinkMode ChannelLinkMode() const { return Mode; }
  void SetChannelLinkMode(TKvScopeChannelLinkMode mode);

  // Both channels exist, differ and are visible.
  bool Drawable() const;
  // Behind the channels, from their drawn points; outlined first 3 pixels wide in `highlight`
  // when set.
  void Paint(TKvCanvas& canvas, const TColor* highlight) const;
  // The band or a bar holds (x, y).
  bool Contains(int x, int y) const;

  bool DrawLegendSample(TKvCanvas& canvas, int x, int y) const override;
  bool IsLegendVisible() const override { return Visible_; }
  bool IsHighlighted() const override;
  void SetLegendHighlight(bool on) override;

  // The indices are stored together, first then second.
  void DefineProperties(TFiler& filer) override;

private:
  TKvScope& Scope() const;
  TKvScopeChannel* ChannelAt(int32_t index) const;
  // The closed outline: the first channel's points, then the second's backwards.
  const std::vector<QPoint>& Outline() const;
  // The bar joining the k-th points of both channels, as a polygon of four corners.
  void Bar(size_t k, QPoint corners[4]) const;

  bool Visible_ = true;
  int32_t First = 0;
  int32_t Second = 1;
  TKvBrush Brush_{0x808080};
  int32_t Width_ = 5;
  TKvScopeChannelLinkMode Mode = TKvScopeChannelLinkMode::clmZone;
  mutable std::vector<QPoint> Points;
};

// The scope's channel links, the one under the mouse and the one its legend entry highlights.
class TKvDisplayChannelLinks : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayChannelLinks(TKvScope& scope);

  TKvScope& Scope() const { return Scope_; }
  TKvDisplayChannelLink& Link(int index) const { return static_cast<TKvDisplayChannelLink&>(Items(index)); }
  TKvDisplayChannelLink& AddLink() { return static_cast<TKvDisplayChannelLink&>(Add()); }
  // Some visible link has both its channels to draw.
  bool AnyDrawable() const;
  void Paint(TKvCanvas& canvas) const;
  // The last drawn link that holds (x, y); none when there is none.
  TKvDisplayChannelLink* HitTest(int x, int y) const;

  // Both clear themselves when their link goes.
  TLkItemRef<TKvDisplayChannelLink> Hovered;
  TLkItemRef<TKvDisplayChannelLink> LegendHighlighted;

protected:
  void ItemAdded(TCollectionItem& item) override;
  void Notify(TCollectionItem& item, TCollectionNotification action) override;

private:
  TKvScope& Scope_;
};
