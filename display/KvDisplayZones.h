#pragma once

#include "display/KvBrush.h"
#include "display/KvDisplayCollectionItem.h"
#include "display/KvDisplaySettings.h"
#include "display/KvGeometry.h"
#include "platform/Collection.h"
#include "platform/Pen.h"

#include <QPoint>

#include <array>
#include <vector>

class TKvBasicDisplayZones;
class TKvDisplayItemHighlighting;
class TKvScope;

// The outline colours a new zone picks from: the one the fewest zones' pens use, the earliest on a
// tie.
inline constexpr std::array<TColor, 10> KvZonePalette = {0xFFFF00, 0xF0FBFF, 0x008080, 0xFFFFFF, 0xC0C0C0,
                                                         0x800080, 0xFF00FF, 0xFFFF00, 0x808000, 0x800000};

// What a zone's hit test gives where the zone is nowhere near.
inline constexpr double KvZoneFar = 10000;

// A region of the plot given in data coordinates (the values of the channels' samples) of the
// scope's main axes: filled with its brush behind the channels and outlined with its pen over them.
class TKvBasicDisplayZone : public TKvDisplayCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvBasicDisplayZone(TCollection& collection);

  TKvBasicDisplayZones& Zones() const;
  bool Visible() const { return Visible_; }
  void SetVisible(bool visible);
  TPen* Pen() const { return const_cast<TPen*>(&Pen_); }
  TKvBrush* Brush() const { return const_cast<TKvBrush*>(&Brush_); }

  // The fill (background) or the outline, outlined first 3 pixels wide in `highlight` when set.
  void Paint(TKvCanvas& canvas, bool background, const TColor* highlight) const;
  // How far (x, y) lies from the zone's outline in pixels; KvZoneFar for a hidden or empty zone.
  virtual double Distance(int x, int y) const = 0;

  bool DrawLegendSample(TKvCanvas& canvas, int x, int y) const override;
  bool IsLegendVisible() const override { return Visible_; }
  bool IsHighlighted() const override;
  void SetLegendHighlight(bool on) override;

protected:
  // The zone's shape with the canvas's pen and brush; false when it has none to draw.
  virtual bool PaintShape(TKvCanvas& canvas) const = 0;
  virtual void PaintSample(TKvCanvas& canvas, const TKvRect& box) const = 0;
  // Where a point in data coordinates lies in the picture, clamped and with NaN left out.
  bool Map(double x, double y, QPoint& at) const;

private:
  bool Visible_ = true;
  TPen Pen_;
  TKvBrush Brush_{0x808080, TKvBrushStyle::bsClear};
};

// A corner of a polygon zone.
class TKvDisplayZonePoint : public TCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayZonePoint(TCollection& collection);

  double X() const { return X_; }
  void SetX(double x);
  double Y() const { return Y_; }
  void SetY(double y);

private:
  void Changed();
  double X_ = 0;
  double Y_ = 0;
};

class TKvDisplayZone;

// A polygon zone's corners; adding one redraws.
class TKvDisplayZonePoints : public TCollection {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayZonePoints(TKvDisplayZone& zone);

  TKvDisplayZone& Zone() const { return Zone_; }
  TKvDisplayZonePoint& Point(int index) const { return static_cast<TKvDisplayZonePoint&>(Items(index)); }
  TKvDisplayZonePoint& AddPoint(double x, double y);

private:
  TKvDisplayZone& Zone_;
};

// A closed polygon through its points; a single point is a spot the mouse finds within 3 pixels.
class TKvDisplayZone : public TKvBasicDisplayZone {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayZone(TCollection& collection);

  TKvDisplayZonePoints* Points() const { return const_cast<TKvDisplayZonePoints*>(&Points_); }
  double Distance(int x, int y) const override;

protected:
  bool PaintShape(TKvCanvas& canvas) const override;
  void PaintSample(TKvCanvas& canvas, const TKvRect& box) const override;

private:
  // The mapped corners, into `Corners`; false when a corner has no pixel.
  bool MapCorners() const;

  TKvDisplayZonePoints Points_;
  mutable std::vector<QPoint> Corners;
};

// A corner of an elliptic zone's box.
class TKvDisplayEllipticPoint : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayEllipticPoint(TKvDataDisplay& display, TPersistent* owner);

  double X() const { return X_; }
  void SetX(double x) { Update(X_, x); }
  double Y() const { return Y_; }
  void SetY(double y) { Update(Y_, y); }

private:
  double X_ = 0;
  double Y_ = 0;
};

// An ellipse in the box between two opposite corners.
class TKvDisplayEllipticZone : public TKvBasicDisplayZone {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayEllipticZone(TCollection& collection);

  TKvDisplayEllipticPoint* Point1() const { return const_cast<TKvDisplayEllipticPoint*>(&Point1_); }
  TKvDisplayEllipticPoint* Point2() const { return const_cast<TKvDisplayEllipticPoint*>(&Point2_); }
  double Distance(int x, int y) const override;

protected:
  bool PaintShape(TKvCanvas& canvas) const override;
  void PaintSample(TKvCanvas& canvas, const TKvRect& box) const override;

private:
  // The mapped box; false when a corner has no pixel.
  bool Box(TKvRect& box) const;

  TKvDisplayEllipticPoint Point1_;
  TKvDisplayEllipticPoint Point2_;
};

// The scope's polygon zones or its elliptic zones, with their highlighting settings, the zone under
// the mouse and the one its legend entry highlights.
class TKvBasicDisplayZones : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  TKvBasicDisplayZones(TKvScope& scope, TItemFactory factory, TKvDisplayItemHighlighting& highlighting);

  TKvScope& Scope() const { return Scope_; }
  TKvDisplayItemHighlighting& Highlighting() const { return Highlighting_; }
  TKvBasicDisplayZone& Zone(int index) const { return static_cast<TKvBasicDisplayZone&>(Items(index)); }

  // One pass of every visible zone: fills behind the channels, outlines over them.
  void Paint(TKvCanvas& canvas, bool background) const;
  // The zone nearest to (x, y), from the last to the first (an earlier one only when strictly
  // nearer); none unless it lies within 3 pixels.
  TKvBasicDisplayZone* HitTest(int x, int y) const;

  // Both clear themselves when their zone goes.
  TLkItemRef<TKvBasicDisplayZone> Hovered;
  TLkItemRef<TKvBasicDisplayZone> LegendHighlighted;

protected:
  void ItemAdded(TCollectionItem& item) override;
  void Notify(TCollectionItem& item, TCollectionNotification action) override;

private:
  TKvScope& Scope_;
  TKvDisplayItemHighlighting& Highlighting_;
};
