#pragma once

#include "display/KvDisplayMarkerGroup.h"
#include "display/KvDisplaySettings.h"
#include "display/KvGeometry.h"
#include "platform/Collection.h"

#include <QPoint>

#include <cstdint>
#include <vector>

class TKvBasicWaterfall;
class TKvWaterfallMarkerGroup;

// Whether a group's markers follow their rows as the picture scrolls or stay where they are.
enum class TKvWaterfallMarkerMode { mmRelative, mmAbsolute };
const TEnumNames<TKvWaterfallMarkerMode>& WaterfallMarkerModeNames();

// A marker's place: a history row (0 the oldest) and a value on the bin axis.
class TKvWaterfallMarkerPosition : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvWaterfallMarkerPosition(TKvDataDisplay& display, TPersistent* owner);

  int32_t X() const { return X_; }
  void SetX(int32_t x) { Update(X_, x); }
  double Y() const { return Y_; }
  void SetY(double y) { Update(Y_, y); }
  // Follows the picture's scrolling during a paint, which draws the result anyway.
  void MoveBack(int32_t rows) { X_ -= rows; }

private:
  int32_t X_ = 0;
  double Y_ = 0;
};

// A mark on a row of the waterfall's picture.
class TKvWaterfallMarker : public TKvDisplayCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvWaterfallMarker(TCollection& collection);

  TKvWaterfallMarkerGroup& Group() const;
  TKvWaterfallMarkerPosition* Position() const { return const_cast<TKvWaterfallMarkerPosition*>(&Position_); }

private:
  TKvWaterfallMarkerPosition Position_;
};

// A group's markers, in the order its line joins them.
class TKvWaterfallMarkers : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  TKvWaterfallMarkers(TKvWaterfallMarkerGroup& group);

  TKvWaterfallMarkerGroup& Group() const { return Group_; }
  TKvWaterfallMarker& Marker(int index) const { return static_cast<TKvWaterfallMarker&>(Items(index)); }
  TKvWaterfallMarker& AddMarker(int32_t x, double y);

protected:
  void ItemAdded(TCollectionItem& item) override;

private:
  TKvWaterfallMarkerGroup& Group_;
};

// The line that joins a group's markers, in the markers' pen colour or its own.
class TKvWaterfallMarkerGroupLine : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvWaterfallMarkerGroupLine(TKvDataDisplay& display, TPersistent* owner);

  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { Update(Visible_, visible); }
  bool UsePointsColor() const { return UsePointsColor_; }
  void SetUsePointsColor(bool use) { Update(UsePointsColor_, use); }
  TColor Color() const { return Color_; }
  void SetColor(TColor color) { Update(Color_, color); }
  int32_t Width() const { return Width_; }
  void SetWidth(int32_t width) { Update(Width_, std::max(width, 1)); }

private:
  bool Visible_ = false;
  bool UsePointsColor_ = true;
  TColor Color_ = clRed;
  int32_t Width_ = 1;
};

// A group of the waterfall's markers.
class TKvWaterfallMarkerGroup : public TKvDisplayMarkerGroup {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvWaterfallMarkerGroup(TCollection& collection);

  TKvBasicWaterfall& Waterfall() const { return Waterfall_; }
  TKvWaterfallMarkers* Markers() const { return const_cast<TKvWaterfallMarkers*>(&Markers_); }
  TKvWaterfallMarkerGroupLine* Line() const { return const_cast<TKvWaterfallMarkerGroupLine*>(&Line_); }
  TKvWaterfallMarkerMode Mode() const { return Mode_; }
  void SetMode(TKvWaterfallMarkerMode mode);

  bool IsHighlighted() const override;
  void SetLegendHighlight(bool on) override;

private:
  TKvBasicWaterfall& Waterfall_;
  TKvWaterfallMarkers Markers_;
  TKvWaterfallMarkerGroupLine Line_;
  TKvWaterfallMarkerMode Mode_ = TKvWaterfallMarkerMode::mmRelative;
};

// Where the waterfall's markers land: its data view and the visible ranges of its axes.
struct TKvWaterfallMarkerView {
  TKvRect Rect;
  double TimeMin = 0;
  double TimeMax = 1;
  double BinMin = 0;
  double BinMax = 1;
  bool Vertical = false;
  bool Reversed = false;

  // The pixel of a marker at row `x` and bin value `y`; false for a value that is not a number.
  bool PixelOf(int32_t x, double y, QPoint& at) const;
};

// The waterfall's marker groups, the group under the mouse (with the marker hit directly, if any)
// and the group its legend entry highlights. Every refresh moves the markers of following groups
// back by the rows that left the history since the one before.
class TKvWaterfallMarkerGroups : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  // The colour the hovered or legend-highlighted group's line is drawn under.
  static constexpr TColor HighlightColor = clLime;

  explicit TKvWaterfallMarkerGroups(TKvBasicWaterfall& waterfall);

  TKvBasicWaterfall& Waterfall() const { return Waterfall_; }
  TKvWaterfallMarkerGroup& Group(int index) const { return static_cast<TKvWaterfallMarkerGroup&>(Items(index)); }
  TKvWaterfallMarkerGroup& AddGroup() { return static_cast<TKvWaterfallMarkerGroup&>(Add()); }

  // The history's count of removed rows and its generation now: markers of following groups move
  // back by what left since the last call, and those that leave the picture go. A new generation
  // (the history was emptied) only sets the count to follow from.
  void FollowRows(uint64_t removed, uint32_t generation);
  // Over the picture, clipped to the view.
  void Paint(TKvCanvas& canvas, const TKvWaterfallMarkerView& view) const;
  // The group under (x, y) among what is drawn; none outside the view.
  void UpdateHover(const TKvWaterfallMarkerView& view, int x, int y);
  void ClearHover();

  // Each clears itself when its item goes.
  TLkItemRef<TKvWaterfallMarkerGroup> Hovered;
  TLkItemRef<TKvWaterfallMarker> HoveredMarker;
  TLkItemRef<TKvWaterfallMarkerGroup> LegendHighlighted;

protected:
  void ItemAdded(TCollectionItem& item) override;

private:
  // The pixels of a group's markers in `view`, into `Pixels`, with whether each is drawn.
  void MapGroup(const TKvWaterfallMarkerGroup& group, const TKvWaterfallMarkerView& view) const;

  TKvBasicWaterfall& Waterfall_;
  uint64_t Removed = 0;
  uint32_t Generation = 0;
  mutable std::vector<QPoint> Pixels;
  mutable std::vector<uint8_t> Drawn;
};
