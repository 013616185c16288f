#include "display/KvWaterfallMarkers.h"

#include "display/KvBasicWaterfall.h"
#include "display/KvCanvas.h"
#include "display/KvLabelTemplate.h"
#include "display/KvSegmentDistance.h"

#include <algorithm>
#include <cmath>
#include <limits>

const TEnumNames<TKvWaterfallMarkerMode>& WaterfallMarkerModeNames() {
  static const TEnumNames<TKvWaterfallMarkerMode> names = {{TKvWaterfallMarkerMode::mmRelative, "mmRelative"},
                                                           {TKvWaterfallMarkerMode::mmAbsolute, "mmAbsolute"}};
  return names;
}

const TClassInfo& TKvWaterfallMarkerPosition::StaticClassInfo() {
  return DefineClass<TKvWaterfallMarkerPosition, TKvDisplaySettings>(
      "TKvWaterfallMarkerPosition", [](TPublished<TKvWaterfallMarkerPosition>& p) {
        using C = TKvWaterfallMarkerPosition;
        p.Integer("X", &C::X, &C::SetX, 0).Float("Y", &C::Y, &C::SetY, 0.0);
      });
}

TKvWaterfallMarkerPosition::TKvWaterfallMarkerPosition(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {}

const TClassInfo& TKvWaterfallMarker::StaticClassInfo() {
  return DefineClass<TKvWaterfallMarker, TKvDisplayCollectionItem>(
      "TKvWaterfallMarker",
      [](TPublished<TKvWaterfallMarker>& p) { p.Object("Position", &TKvWaterfallMarker::Position); });
}

namespace {

TKvWaterfallMarkerGroup& GroupOf(TCollection& collection) {
  return static_cast<TKvWaterfallMarkers&>(collection).Group();
}

TKvWaterfallMarkerGroups& GroupsOf(TCollection& collection) {
  return static_cast<TKvWaterfallMarkerGroups&>(collection);
}

TColor NextGroupColour(const TKvWaterfallMarkerGroups& groups) {
  return LeastUsedColour(KvMarkerGroupPalette, groups.Count(), [&](int i) { return groups.Group(i).Pen()->Color(); });
}

constexpr double LineReach = 3;

}  // namespace

TKvWaterfallMarker::TKvWaterfallMarker(TCollection& collection)
    : TKvDisplayCollectionItem(collection, GroupOf(collection).Waterfall()),
      Position_(GroupOf(collection).Waterfall(), this) {
  SetName("Marker" + std::to_string(collection.Count()));
}

TKvWaterfallMarkerGroup& TKvWaterfallMarker::Group() const { return GroupOf(*Collection()); }

const TClassInfo& TKvWaterfallMarkers::StaticClassInfo() {
  return DefineClass<TKvWaterfallMarkers, TLkExtCollection>("TKvWaterfallMarkers");
}

TKvWaterfallMarkers::TKvWaterfallMarkers(TKvWaterfallMarkerGroup& group)
    : TLkExtCollection(&group, ItemsOf<TKvWaterfallMarker>()), Group_(group) {}

TKvWaterfallMarker& TKvWaterfallMarkers::AddMarker(int32_t x, double y) {
  auto& marker = static_cast<TKvWaterfallMarker&>(Add());
  marker.Position()->SetX(x);
  marker.Position()->SetY(y);
  return marker;
}

void TKvWaterfallMarkers::ItemAdded(TCollectionItem&) { Group_.Waterfall().Redraw(); }

const TClassInfo& TKvWaterfallMarkerGroupLine::StaticClassInfo() {
  return DefineClass<TKvWaterfallMarkerGroupLine, TKvDisplaySettings>(
      "TKvWaterfallMarkerGroupLine", [](TPublished<TKvWaterfallMarkerGroupLine>& p) {
        using C = TKvWaterfallMarkerGroupLine;
        p.Boolean("Visible", &C::Visible, &C::SetVisible, false)
            .Boolean("UsePointsColor", &C::UsePointsColor, &C::SetUsePointsColor, true)
            .Colour("Color", &C::Color, &C::SetColor, clRed)
            .Integer("Width", &C::Width, &C::SetWidth, 1);
      });
}

TKvWaterfallMarkerGroupLine::TKvWaterfallMarkerGroupLine(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {}

const TClassInfo& TKvWaterfallMarkerGroup::StaticClassInfo() {
  return DefineClass<TKvWaterfallMarkerGroup, TKvDisplayMarkerGroup>(
      "TKvWaterfallMarkerGroup", [](TPublished<TKvWaterfallMarkerGroup>& p) {
        using C = TKvWaterfallMarkerGroup;
        p.Collection("Markers", &C::Markers)
            .Object("Line", &C::Line)
            .Enumeration("Mode", WaterfallMarkerModeNames(), &C::Mode, &C::SetMode, TKvWaterfallMarkerMode::mmRelative);
      });
}

TKvWaterfallMarkerGroup::TKvWaterfallMarkerGroup(TCollection& collection)
    : TKvDisplayMarkerGroup(collection, GroupsOf(collection).Waterfall(), NextGroupColour(GroupsOf(collection))),
      Waterfall_(GroupsOf(collection).Waterfall()),
      Markers_(*this),
      Line_(Waterfall_, this) {
  SetName("MarkerGroup" + std::to_string(collection.Count()));
}

void TKvWaterfallMarkerGroup::SetMode(TKvWaterfallMarkerMode mode) {
  if (mode == Mode_) return;
  Mode_ = mode;
  Changed();
}

bool TKvWaterfallMarkerGroup::IsHighlighted() const { return Waterfall_.MarkerGroups()->Hovered == this; }

void TKvWaterfallMarkerGroup::SetLegendHighlight(bool on) {
  Waterfall_.MarkerGroups()->LegendHighlighted = on ? this : nullptr;
  Waterfall_.Redraw();
}

bool TKvWaterfallMarkerView::PixelOf(int32_t x, double y, QPoint& at) const {
  if (std::isnan(y)) return false;
  const double c = std::max(TimeMax - TimeMin, 1.0);
  const double d = BinMax - BinMin > 0 ? BinMax - BinMin : 1.0;
  const double o = Reversed ? c + TimeMin - x - 1 : x - TimeMin;
  const int w = Rect.Width(), h = Rect.Height();
  // Half a row's pitch puts the mark in the middle of its row; the pitch is below the view's size.
  const int half = int((Vertical ? h : w) / c) / 2;
  const double across = (y - BinMin) / d;
  if (Vertical) at = {Rect.Left + RoundPixel(across * w), Rect.Top + RoundPixel(h * o / c) + half};
  else at = {Rect.Left + RoundPixel(w * o / c) + half, Rect.Top + h - RoundPixel(across * h)};
  return true;
}

const TClassInfo& TKvWaterfallMarkerGroups::StaticClassInfo() {
  return DefineClass<TKvWaterfallMarkerGroups, TLkExtCollection>("TKvWaterfallMarkerGroups");
}

TKvWaterfallMarkerGroups::TKvWaterfallMarkerGroups(TKvBasicWaterfall& waterfall)
    : TLkExtCollection(&waterfall, ItemsOf<TKvWaterfallMarkerGroup>()), Waterfall_(waterfall) {}

void TKvWaterfallMarkerGroups::ItemAdded(TCollectionItem&) { Waterfall_.Redraw(); }

void TKvWaterfallMarkerGroups::FollowRows(uint64_t removed, uint32_t generation) {
  if (generation != Generation || removed < Removed) {
    Generation = generation;
    Removed = removed;
    return;
  }
  const uint64_t left = removed - Removed;
  Removed = removed;
  if (left == 0) return;
  const int32_t rows = int32_t(std::min<uint64_t>(left, uint64_t(std::numeric_limits<int32_t>::max())));
  for (int g = 0; g < Count(); ++g) {
    TKvWaterfallMarkerGroup& group = Group(g);
    if (group.Mode() != TKvWaterfallMarkerMode::mmRelative) continue;
    TKvWaterfallMarkers& markers = *group.Markers();
    for (int m = markers.Count() - 1; m >= 0; --m) {
      TKvWaterfallMarkerPosition& position = *markers.Marker(m).Position();
      // Its row has left the history.
      if (position.X() < rows) markers.Delete(m);
      else position.MoveBack(rows);
    }
  }
}

void TKvWaterfallMarkerGroups::MapGroup(const TKvWaterfallMarkerGroup& group,
                                        const TKvWaterfallMarkerView& view) const {
  const TKvWaterfallMarkers& markers = *group.Markers();
  Pixels.resize(size_t(markers.Count()));
  Drawn.resize(size_t(markers.Count()));
  for (int m = 0; m < markers.Count(); ++m) {
    const TKvWaterfallMarkerPosition& position = *markers.Marker(m).Position();
    Drawn[size_t(m)] = view.PixelOf(position.X(), position.Y(), Pixels[size_t(m)]);
  }
}

void TKvWaterfallMarkerGroups::Paint(TKvCanvas& canvas, const TKvWaterfallMarkerView& view) const {
  if (view.Rect.IsEmpty()) return;
  const TKvClipGuard guard(canvas);
  canvas.ClipTo(view.Rect);
  const TColor highlight = HighlightColor;
  const TKvBasicWaterfall& waterfall = Waterfall_;
  for (int g = 0; g < Count(); ++g) {
    const TKvWaterfallMarkerGroup& group = Group(g);
    if (!group.Visible()) continue;
    MapGroup(group, view);
    const TKvWaterfallMarkerGroupLine& line = *group.Line();
    const bool highlighted = Hovered == &group || LegendHighlighted == &group;
    if (line.Visible() && !view.Vertical) {
      const TColor colour = line.UsePointsColor() ? group.Pen()->Color() : line.Color();
      for (const bool under : {true, false}) {
        if (under && !highlighted) continue;
        canvas.SetPen(under ? highlight : colour, under ? 3 : line.Width());
        // One polyline for each run of markers that have a pixel.
        for (size_t start = 0; start < Pixels.size();) {
          size_t end = start;
          while (end < Pixels.size() && Drawn[end]) ++end;
          if (end - start > 1) canvas.Polyline(&Pixels[start], int(end - start));
          start = end + 1;
        }
      }
    }
    const TKvWaterfallMarkers& markers = *group.Markers();
    for (size_t m = 0; m < Pixels.size(); ++m) {
      const QPoint at = Pixels[m];
      // What lies beyond the view is not drawn at all.
      if (!Drawn[m] || !group.HitBox(at.x(), at.y(), view.Vertical).Intersects(view.Rect)) continue;
      const TKvWaterfallMarker& marker = markers.Marker(int(m));
      std::string text;
      if (group.Labels()->Visible())
        text = ExpandLabelTemplate(group.Labels()->Text().empty() ? "%X : %Y" : group.Labels()->Text(),
                                   [&](char letter) -> std::optional<std::string> {
                                     if (letter == 'X') return waterfall.XAxis()->LabelOf(marker.Position()->X());
                                     if (letter == 'Y') return waterfall.YAxis()->LabelOf(marker.Position()->Y());
                                     return std::nullopt;
                                   });
      group.PaintMarker(canvas, at.x(), at.y(), view.Vertical, HoveredMarker == &marker ? &highlight : nullptr, text);
    }
  }
}

void TKvWaterfallMarkerGroups::UpdateHover(const TKvWaterfallMarkerView& view, int x, int y) {
  TKvWaterfallMarkerGroup* found = nullptr;
  TKvWaterfallMarker* marker = nullptr;
  // Only what is drawn is found: nothing outside the view.
  if (view.Rect.Contains(x, y)) {
    const QPointF mouse(x, y);
    for (int g = Count() - 1; g >= 0; --g) {
      TKvWaterfallMarkerGroup& group = Group(g);
      if (!group.Visible()) continue;
      MapGroup(group, view);
      TKvWaterfallMarker* direct = nullptr;
      bool near = false;
      for (size_t m = 0; m < Pixels.size() && !direct; ++m) {
        if (!Drawn[m]) continue;
        if (group.HitBox(Pixels[m].x(), Pixels[m].y(), view.Vertical).Contains(x, y))
          direct = &group.Markers()->Marker(int(m));
        else if (m > 0 && Drawn[m - 1] && group.Line()->Visible() && !view.Vertical)
          near = near || SegmentDistance(mouse, Pixels[m - 1], Pixels[m]) < LineReach;
      }
      // The lowest group that qualifies wins: a later find replaces an earlier one.
      if (direct || near) found = &group, marker = direct;
    }
  }
  Hovered = found;
  HoveredMarker = marker;
}

void TKvWaterfallMarkerGroups::ClearHover() {
  Hovered = nullptr;
  HoveredMarker = nullptr;
}
