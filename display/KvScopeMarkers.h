#pragma once

#include "display/KvDisplayMarkerGroup.h"
#include "display/KvRealPoint.h"
#include "platform/Collection.h"
#include "platform/Event.h"

#include <QPoint>

#include <cstdint>

class TKvCanvas;
class TKvScope;
class TKvScopeChannel;
class TKvScopeChannels;
class TKvScopeChannelMarker;

// A click on a channel marker: the channel's and the marker's index and the marked sample's value
// in label units; a handler that sets `handled` keeps the click from going further.
using TKvMarkerClickEvent = void(TObject* sender, int channelIndex, int markerIndex, TKvRealPoint clickedValue,
                                 bool& handled);

// A marker group of the scope: its entry in the legend highlights its markers in the plot.
class TKvScopeMarkerGroup : public TKvDisplayMarkerGroup {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvScopeMarkerGroup(TCollection& collection);

  bool IsHighlighted() const override;
  void SetLegendHighlight(bool on) override;

private:
  TKvScope& Scope_;
};

// The scope's marker groups, the marker under the mouse and the group its legend entry highlights.
// Deleting a group deletes its markers with it.
class TKvScopeMarkerGroups : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvScopeMarkerGroups(TKvScope& scope);

  TKvScope& Scope() const { return Scope_; }
  TKvScopeMarkerGroup& Group(int index) const { return static_cast<TKvScopeMarkerGroup&>(Items(index)); }
  TKvScopeMarkerGroup& AddGroup() { return static_cast<TKvScopeMarkerGroup&>(Add()); }

  // Both clear themselves when their item goes.
  TLkItemRef<TKvScopeChannelMarker> Hovered;
  TLkItemRef<TKvScopeMarkerGroup> LegendHighlighted;

  TEvent<TKvMarkerClickEvent> OnClick;

protected:
  void ItemAdded(TCollectionItem& item) override;
  void Notify(TCollectionItem& item, TCollectionNotification action) override;

private:
  TKvScope& Scope_;
};

// A mark at one sample of a channel, styled by its marker group. A new marker joins the scope's
// last group, which is made first when there is none; a group read from a layout is found by its
// stored index once the whole layout is in.
class TKvScopeChannelMarker : public TKvDisplayCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvScopeChannelMarker(TCollection& collection);

  TKvScopeChannel& Channel() const { return Channel_; }
  // The index of the marked sample in the channel's data.
  int32_t Position() const { return Position_; }
  void SetPosition(int32_t position);
  TKvScopeMarkerGroup* MarkerGroup() const { return Group.Get(); }
  // Groups of other scopes are refused.
  void SetMarkerGroup(TKvScopeMarkerGroup* group);
  // After loading: the stored group index names a group (beyond the last one: the last).
  void ResolveGroup();

  void DefineProperties(TFiler& filer) override;

private:
  TKvScopeChannel& Channel_;
  int32_t Position_ = 0;
  TLkItemRef<TKvScopeMarkerGroup> Group;
  int64_t StoredGroupIndex = -1;
};

// A channel's markers.
class TKvScopeChannelMarkers : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvScopeChannelMarkers(TKvScopeChannel& channel);

  TKvScopeChannel& Channel() const { return Channel_; }
  TKvScopeChannelMarker& Marker(int index) const { return static_cast<TKvScopeChannelMarker&>(Items(index)); }
  TKvScopeChannelMarker& AddMarker() { return static_cast<TKvScopeChannelMarker&>(Add()); }

protected:
  void ItemAdded(TCollectionItem& item) override;
  void Notify(TCollectionItem& item, TCollectionNotification action) override;

private:
  TKvScopeChannel& Channel_;
};

// Where a channel's marker lies in the picture as the channel was last drawn, and the marked
// sample's value in label units; false when the sample is not drawn.
bool MarkerPixel(const TKvScopeChannel& channel, const TKvScopeChannelMarker& marker, QPoint& at,
                 TKvRealPoint* value = nullptr);
// The channel's markers of visible groups, after the channel itself.
void PaintChannelMarkers(TKvCanvas& canvas, const TKvScopeChannel& channel);
// The marker whose hit box holds (x, y): channels and markers from the last to the first, the
// first found wins; none when no visible channel's visible marker is there.
TKvScopeChannelMarker* HitChannelMarker(const TKvScopeChannels& channels, int x, int y);
// A new marker on the sample of the channel drawn nearest to (x, y), where a user points at a
// trace; none when no channel is drawn within reach of the point.
TKvScopeChannelMarker* PlaceChannelMarker(TKvScope& scope, int x, int y);
