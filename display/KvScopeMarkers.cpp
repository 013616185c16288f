#include "display/KvScopeMarkers.h"

#include "display/KvCanvas.h"
#include "display/KvScope.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <algorithm>
#include <climits>
#include <vector>

const TClassInfo& TKvScopeMarkerGroup::StaticClassInfo() {
  return DefineClass<TKvScopeMarkerGroup, TKvDisplayMarkerGroup>("TKvScopeMarkerGroup");
}

namespace {

TKvScopeMarkerGroups& GroupsOf(TCollection& collection) { return static_cast<TKvScopeMarkerGroups&>(collection); }

TColor NextGroupColour(const TKvScopeMarkerGroups& groups) {
  // The group being made is in the collection only once it is whole.
  return LeastUsedColour(KvMarkerGroupPalette, groups.Count(), [&](int i) { return groups.Group(i).Pen()->Color(); });
}

}  // namespace

TKvScopeMarkerGroup::TKvScopeMarkerGroup(TCollection& collection)
    : TKvDisplayMarkerGroup(collection, GroupsOf(collection).Scope(), NextGroupColour(GroupsOf(collection))),
      Scope_(GroupsOf(collection).Scope()) {
  SetName("MarkerGroup" + std::to_string(collection.Count()));
}

bool TKvScopeMarkerGroup::IsHighlighted() const {
  const TKvScopeMarkerGroups& groups = *Scope_.MarkerGroups();
  return groups.Hovered && groups.Hovered->MarkerGroup() == this &&
         Scope_.Highlighting()->Markers()->HiglightLegendButton();
}

void TKvScopeMarkerGroup::SetLegendHighlight(bool on) {
  TKvScopeMarkerGroups& groups = *Scope_.MarkerGroups();
  groups.LegendHighlighted = on && Scope_.Highlighting()->Markers()->HiglightFromLegend() ? this : nullptr;
  Scope_.Redraw();
}

const TClassInfo& TKvScopeMarkerGroups::StaticClassInfo() {
  return DefineClass<TKvScopeMarkerGroups, TLkExtCollection>("TKvScopeMarkerGroups");
}

TKvScopeMarkerGroups::TKvScopeMarkerGroups(TKvScope& scope)
    : TLkExtCollection(&scope, ItemsOf<TKvScopeMarkerGroup>()), Scope_(scope) {}

void TKvScopeMarkerGroups::ItemAdded(TCollectionItem&) { Scope_.Redraw(); }

void TKvScopeMarkerGroups::Notify(TCollectionItem& item, TCollectionNotification action) {
  TLkExtCollection::Notify(item, action);
  if (action != TCollectionNotification::cnDeleting || Scope_.IsDestroying()) return;
  // The group's markers go with it.
  const TKvScopeChannels& channels = *Scope_.Channels();
  for (int c = 0; c < channels.Count(); ++c) {
    TKvScopeChannelMarkers& markers = *channels.Channel(c).Markers();
    for (int m = markers.Count() - 1; m >= 0; --m)
      if (markers.Marker(m).MarkerGroup() == &item) markers.Delete(m);
  }
  Scope_.Relayout();
}

const TClassInfo& TKvScopeChannelMarker::StaticClassInfo() {
  return DefineClass<TKvScopeChannelMarker, TKvDisplayCollectionItem>(
      "TKvScopeChannelMarker", [](TPublished<TKvScopeChannelMarker>& p) {
        p.Integer("Position", &TKvScopeChannelMarker::Position, &TKvScopeChannelMarker::SetPosition, 0);
      });
}

namespace {

TKvScopeChannel& ChannelOf(TCollection& collection) {
  return static_cast<TKvScopeChannelMarkers&>(collection).Channel();
}

}  // namespace

TKvScopeChannelMarker::TKvScopeChannelMarker(TCollection& collection)
    : TKvDisplayCollectionItem(collection, ChannelOf(collection).Scope()), Channel_(ChannelOf(collection)) {
  SetName("Marker" + std::to_string(collection.Count()));
  TKvScope& scope = Channel_.Scope();
  // A marker read from a layout finds its group when the layout is in.
  if (scope.IsLoading()) return;
  TKvScopeMarkerGroups& groups = *scope.MarkerGroups();
  if (groups.Count() == 0) groups.AddGroup();
  Group = &groups.Group(groups.Count() - 1);
}

void TKvScopeChannelMarker::SetPosition(int32_t position) {
  if (position == Position_) return;
  Position_ = position;
  Changed();
}

void TKvScopeChannelMarker::SetMarkerGroup(TKvScopeMarkerGroup* group) {
  if (group && group->Collection() != Channel_.Scope().MarkerGroups()) return;
  if (group == Group.Get()) return;
  Group = group;
  Changed();
}

void TKvScopeChannelMarker::ResolveGroup() {
  if (Group) return;
  TKvScopeMarkerGroups& groups = *Channel_.Scope().MarkerGroups();
  if (groups.Count() == 0) groups.AddGroup();
  const int last = groups.Count() - 1;
  const int index = StoredGroupIndex < 0 || StoredGroupIndex > last ? last : int(StoredGroupIndex);
  Group = &groups.Group(index);
  StoredGroupIndex = -1;
}

void TKvScopeChannelMarker::DefineProperties(TFiler& filer) {
  TKvDisplayCollectionItem::DefineProperties(filer);
  filer.DefineProperty(
      "MarkerGroupIndex", [this](TLayoutReader& reader) { StoredGroupIndex = reader.ReadInteger(0, INT32_MAX); },
      [this](TLayoutWriter& writer) { writer.WriteInteger(Group->Index()); }, bool(Group));
}

const TClassInfo& TKvScopeChannelMarkers::StaticClassInfo() {
  return DefineClass<TKvScopeChannelMarkers, TLkExtCollection>("TKvScopeChannelMarkers");
}

TKvScopeChannelMarkers::TKvScopeChannelMarkers(TKvScopeChannel& channel)
    : TLkExtCollection(&channel, ItemsOf<TKvScopeChannelMarker>()), Channel_(channel) {}

void TKvScopeChannelMarkers::ItemAdded(TCollectionItem&) { Channel_.Scope().Redraw(); }

void TKvScopeChannelMarkers::Notify(TCollectionItem& item, TCollectionNotification action) {
  TLkExtCollection::Notify(item, action);
  if (action == TCollectionNotification::cnDeleting && !Channel_.Scope().IsDestroying()) Channel_.Scope().Relayout();
}

bool MarkerPixel(const TKvScopeChannel& channel, const TKvScopeChannelMarker& marker, QPoint& at, TKvRealPoint* value) {
  const TKvScopeTrace& trace = channel.Trace();
  const TKvScopeChannelData& data = channel.Data();
  const int64_t position = marker.Position();
  // Only samples the trace has pixels for: the others lie outside the view or are gaps.
  if (position < int64_t(trace.First()) || position - trace.First() >= int64_t(trace.FullX().size()) ||
      position >= int64_t(data.Count()))
    return false;
  const size_t k = size_t(position - trace.First());
  const int along = trace.FullX()[k], across = trace.FullY()[k];
  if (along == TKvScopeTrace::NoPixel || across == TKvScopeTrace::NoPixel) return false;
  const TKvScope& scope = channel.Scope();
  at = scope.Vertical() ? QPoint(across, along) : QPoint(along, across);
  if (value) {
    const TKvBasicScopeXAxis* x = scope.GetXAxisByIndex(channel.XAxisIndex());
    const TKvBasicScopeYAxis* y = scope.GetYAxisByIndex(channel.YAxisIndex());
    const double sampleX = data.X(uint32_t(position)), sampleY = data.Y()[size_t(position)];
    *value = {x ? x->ToLabelUnits(sampleX) : sampleX, y ? y->ToLabelUnits(sampleY) : sampleY};
  }
  return true;
}

void PaintChannelMarkers(TKvCanvas& canvas, const TKvScopeChannel& channel) {
  const TKvScope& scope = channel.Scope();
  const TKvScopeMarkerGroups& groups = *scope.MarkerGroups();
  const TColor highlight = scope.Highlighting()->Markers()->Color();
  const bool fromMouse = scope.Highlighting()->Markers()->HiglightFromMouse();
  const TKvScopeChannelMarkers& markers = *channel.Markers();
  for (int i = 0; i < markers.Count(); ++i) {
    const TKvScopeChannelMarker& marker = markers.Marker(i);
    const TKvScopeMarkerGroup* group = marker.MarkerGroup();
    QPoint at;
    TKvRealPoint value;
    if (!group || !group->Visible() || !MarkerPixel(channel, marker, at, &value)) continue;
    const bool highlighted = groups.LegendHighlighted == group || (fromMouse && groups.Hovered == &marker);
    const std::string text =
        group->Labels()->Visible() ? scope.FormatLabel(group->Labels()->Text(), "%X : %Y", "", value.X, value.Y) : "";
    group->PaintMarker(canvas, at.x(), at.y(), scope.Vertical(), highlighted ? &highlight : nullptr, text);
  }
}

TKvScopeChannelMarker* HitChannelMarker(const TKvScopeChannels& channels, int x, int y) {
  for (int c = channels.Count() - 1; c >= 0; --c) {
    const TKvScopeChannel& channel = channels.Channel(c);
    if (!channel.Visible()) continue;
    const TKvScopeChannelMarkers& markers = *channel.Markers();
    for (int m = markers.Count() - 1; m >= 0; --m) {
      TKvScopeChannelMarker& marker = markers.Marker(m);
      const TKvScopeMarkerGroup* group = marker.MarkerGroup();
      QPoint at;
      if (!group || !group->Visible() || !MarkerPixel(channel, marker, at)) continue;
      if (group->HitBox(at.x(), at.y(), channel.Scope().Vertical()).Contains(x, y)) return &marker;
    }
  }
  return nullptr;
}

TKvScopeChannelMarker* PlaceChannelMarker(TKvScope& scope, int x, int y) {
  TKvTraceHit hit;
  const int channel = scope.Channels()->HitTest(x, y, &hit);
  if (channel < 0) return nullptr;
  TKvScopeChannelMarker& marker = scope.Channels()->Channel(channel).Markers()->AddMarker();
  // The nearer end of the segment the point lies beside.
  const uint32_t sample = hit.Sample + (hit.Along > 0.5 ? 1 : 0);
  marker.SetPosition(int32_t(std::min<uint32_t>(sample, INT32_MAX)));
  return &marker;
}
