#include "display/KvDisplayZones.h"

#include "display/KvCanvas.h"
#include "display/KvDisplayMarkerGroup.h"
#include "display/KvScope.h"
#include "display/KvSegmentDistance.h"

#include <algorithm>
#include <cmath>
#include <limits>

const TClassInfo& TKvBasicDisplayZone::StaticClassInfo() {
  return DefineClass<TKvBasicDisplayZone, TKvDisplayCollectionItem>(
      "TKvBasicDisplayZone", [](TPublished<TKvBasicDisplayZone>& p) {
        using C = TKvBasicDisplayZone;
        p.Boolean("Visible", &C::Visible, &C::SetVisible, true).Object("Pen", &C::Pen).Object("Brush", &C::Brush);
      });
}

namespace {

TKvBasicDisplayZones& ZonesOf(TCollection& collection) { return static_cast<TKvBasicDisplayZones&>(collection); }

TColor NextZoneColour(const TKvBasicDisplayZones& zones) {
  return LeastUsedColour(KvZonePalette, zones.Count(), [&](int i) { return zones.Zone(i).Pen()->Color(); });
}

constexpr int ZoneReach = 3;

}  // namespace

TKvBasicDisplayZone::TKvBasicDisplayZone(TCollection& collection)
    : TKvDisplayCollectionItem(collection, ZonesOf(collection).Scope()), Pen_(NextZoneColour(ZonesOf(collection))) {
  SetName("Zone" + std::to_string(collection.Count()));
  Pen_.OnChange = [this](TObject*) { Changed(); };
  Brush_.OnChange = [this](TObject*) { Changed(); };
}

TKvBasicDisplayZones& TKvBasicDisplayZone::Zones() const { return ZonesOf(*Collection()); }

void TKvBasicDisplayZone::SetVisible(bool visible) {
  if (visible == Visible_) return;
  Visible_ = visible;
  Changed();
}

bool TKvBasicDisplayZone::Map(double x, double y, QPoint& at) const {
  if (std::isnan(x) || std::isnan(y)) return false;
  const TKvScope& scope = Zones().Scope();
  const TKvScopeXAxis& xAxis = *scope.XAxis();
  const TKvScopeYAxis& yAxis = *scope.YAxis();
  const int along = xAxis.GetMapping().ToPixel(xAxis.ToLabelUnits(x));
  const int across = yAxis.GetMapping().ToPixel(yAxis.ToLabelUnits(y));
  at = scope.Vertical() ? QPoint(across, along) : QPoint(along, across);
  return true;
}

void TKvBasicDisplayZone::Paint(TKvCanvas& canvas, bool background, const TColor* highlight) const {
  if (highlight) {
    canvas.SetPen(*highlight, 3);
    canvas.SetClearBrush();
    if (!PaintShape(canvas)) return;
  }
  canvas.SetPen(Pen_);
  if (background && Brush_.Style() == TKvBrushStyle::bsSolid) canvas.SetBrush(Brush_.Color());
  else canvas.SetClearBrush();
  PaintShape(canvas);
}

bool TKvBasicDisplayZone::DrawLegendSample(TKvCanvas& canvas, int x, int y) const {
  canvas.SetPen(Pen_);
  if (Brush_.Style() == TKvBrushStyle::bsSolid) canvas.SetBrush(Brush_.Color());
  else canvas.SetClearBrush();
  PaintSample(canvas, {x, y - 4, x + 13, y + 5});
  return true;
}

bool TKvBasicDisplayZone::IsHighlighted() const {
  return Zones().Hovered == this && Zones().Highlighting().HiglightLegendButton();
}

void TKvBasicDisplayZone::SetLegendHighlight(bool on) {
  TKvBasicDisplayZones& zones = Zones();
  zones.LegendHighlighted = on && zones.Highlighting().HiglightFromLegend() ? this : nullptr;
  zones.Scope().Redraw();
}

const TClassInfo& TKvDisplayZonePoint::StaticClassInfo() {
  return DefineClass<TKvDisplayZonePoint, TCollectionItem>(
      "TKvDisplayZonePoint", [](TPublished<TKvDisplayZonePoint>& p) {
        using C = TKvDisplayZonePoint;
        p.Float("X", &C::X, &C::SetX, 0.0).Float("Y", &C::Y, &C::SetY, 0.0);
      });
}

TKvDisplayZonePoint::TKvDisplayZonePoint(TCollection& collection) : TCollectionItem(collection) {}

void TKvDisplayZonePoint::SetX(double x) {
  if (x == X_) return;
  X_ = x;
  Changed();
}

void TKvDisplayZonePoint::SetY(double y) {
  if (y == Y_) return;
  Y_ = y;
  Changed();
}

void TKvDisplayZonePoint::Changed() { static_cast<TKvDisplayZonePoints*>(Collection())->Zone().Changed(); }

const TClassInfo& TKvDisplayZonePoints::StaticClassInfo() {
  return DefineClass<TKvDisplayZonePoints, TCollection>("TKvDisplayZonePoints");
}

TKvDisplayZonePoints::TKvDisplayZonePoints(TKvDisplayZone& zone)
    : TCollection(&zone, ItemsOf<TKvDisplayZonePoint>()), Zone_(zone) {}

TKvDisplayZonePoint& TKvDisplayZonePoints::AddPoint(double x, double y) {
  auto& point = static_cast<TKvDisplayZonePoint&>(Add());
  point.SetX(x);
  point.SetY(y);
  Zone_.Changed();
  return point;
}

const TClassInfo& TKvDisplayZone::StaticClassInfo() {
  return DefineClass<TKvDisplayZone, TKvBasicDisplayZone>(
      "TKvDisplayZone", [](TPublished<TKvDisplayZone>& p) { p.Collection("Points", &TKvDisplayZone::Points); });
}

TKvDisplayZone::TKvDisplayZone(TCollection& collection) : TKvBasicDisplayZone(collection), Points_(*this) {}

bool TKvDisplayZone::MapCorners() const {
  Corners.resize(size_t(Points_.Count()));
  for (int i = 0; i < Points_.Count(); ++i)
    if (!Map(Points_.Point(i).X(), Points_.Point(i).Y(), Corners[size_t(i)])) return false;
  return !Corners.empty();
}

bool TKvDisplayZone::PaintShape(TKvCanvas& canvas) const {
  if (!MapCorners()) return false;
  canvas.Polygon(Corners.data(), int(Corners.size()));
  return true;
}

void TKvDisplayZone::PaintSample(TKvCanvas& canvas, const TKvRect& box) const { canvas.Rectangle(box); }

double TKvDisplayZone::Distance(int x, int y) const {
  if (!Visible() || !MapCorners()) return KvZoneFar;
  if (Corners.size() == 1)
    return std::abs(Corners[0].x() - x) <= ZoneReach && std::abs(Corners[0].y() - y) <= ZoneReach ? 0 : KvZoneFar;
  double nearest = KvZoneFar;
  const QPointF p(x, y);
  for (size_t i = 0; i < Corners.size(); ++i) {
    // The closing edge joins the last corner to the first.
    const QPoint a = Corners[i], b = Corners[(i + 1) % Corners.size()];
    if (x < std::min(a.x(), b.x()) - ZoneReach || x > std::max(a.x(), b.x()) + ZoneReach ||
        y < std::min(a.y(), b.y()) - ZoneReach || y > std::max(a.y(), b.y()) + ZoneReach)
      continue;
    nearest = std::min(nearest, SegmentDistance(p, a, b));
  }
  return nearest;
}

const TClassInfo& TKvDisplayEllipticPoint::StaticClassInfo() {
  return DefineClass<TKvDisplayEllipticPoint, TKvDisplaySettings>(
      "TKvDisplayEllipticPoint", [](TPublished<TKvDisplayEllipticPoint>& p) {
        using C = TKvDisplayEllipticPoint;
        p.Float("X", &C::X, &C::SetX, 0.0).Float("Y", &C::Y, &C::SetY, 0.0);
      });
}

TKvDisplayEllipticPoint::TKvDisplayEllipticPoint(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {}

const TClassInfo& TKvDisplayEllipticZone::StaticClassInfo() {
  return DefineClass<TKvDisplayEllipticZone, TKvBasicDisplayZone>(
      "TKvDisplayEllipticZone", [](TPublished<TKvDisplayEllipticZone>& p) {
        p.Object("Point1", &TKvDisplayEllipticZone::Point1).Object("Point2", &TKvDisplayEllipticZone::Point2);
      });
}

TKvDisplayEllipticZone::TKvDisplayEllipticZone(TCollection& collection)
    : TKvBasicDisplayZone(collection),
      Point1_(ZonesOf(collection).Scope(), this),
      Point2_(ZonesOf(collection).Scope(), this) {}

bool TKvDisplayEllipticZone::Box(TKvRect& box) const {
  QPoint a, b;
  if (!Map(Point1_.X(), Point1_.Y(), a) || !Map(Point2_.X(), Point2_.Y(), b)) return false;
  box = {std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()), std::max(a.y(), b.y())};
  return true;
}

bool TKvDisplayEllipticZone::PaintShape(TKvCanvas& canvas) const {
  TKvRect box;
  if (!Box(box)) return false;
  canvas.Ellipse(box);
  return true;
}

void TKvDisplayEllipticZone::PaintSample(TKvCanvas& canvas, const TKvRect& box) const { canvas.Ellipse(box); }

double TKvDisplayEllipticZone::Distance(int x, int y) const {
  TKvRect box;
  if (!Visible() || !Box(box)) return KvZoneFar;
  // The distance to the outline, measured along the ray from the centre: exact on the axes and
  // near enough elsewhere for a 3-pixel reach.
  const double cx = (box.Left + box.Right) / 2.0, cy = (box.Top + box.Bottom) / 2.0;
  const double rx = box.Width() / 2.0, ry = box.Height() / 2.0;
  const double dx = x - cx, dy = y - cy;
  if (rx <= 0 || ry <= 0)
    return SegmentDistance(QPointF(x, y), QPointF(box.Left, box.Top), QPointF(box.Right, box.Bottom));
  const double length = std::hypot(dx, dy);
  if (length == 0) return std::min(rx, ry);
  const double scale = 1 / std::sqrt((dx * dx) / (rx * rx) + (dy * dy) / (ry * ry));
  return std::abs(length - length * scale);
}

const TClassInfo& TKvBasicDisplayZones::StaticClassInfo() {
  return DefineClass<TKvBasicDisplayZones, TLkExtCollection>("TKvBasicDisplayZones");
}

TKvBasicDisplayZones::TKvBasicDisplayZones(TKvScope& scope, TItemFactory factory,
                                           TKvDisplayItemHighlighting& highlighting)
    : TLkExtCollection(&scope, std::move(factory)), Scope_(scope), Highlighting_(highlighting) {}

void TKvBasicDisplayZones::ItemAdded(TCollectionItem&) { Scope_.Redraw(); }

void TKvBasicDisplayZones::Notify(TCollectionItem& item, TCollectionNotification action) {
  TLkExtCollection::Notify(item, action);
  if (action == TCollectionNotification::cnDeleting && !Scope_.IsDestroying()) Scope_.Relayout();
}

void TKvBasicDisplayZones::Paint(TKvCanvas& canvas, bool background) const {
  const TColor colour = Highlighting_.Color();
  for (int i = 0; i < Count(); ++i) {
    const TKvBasicDisplayZone& zone = Zone(i);
    if (!zone.Visible()) continue;
    const bool highlighted = LegendHighlighted == &zone || (Highlighting_.HiglightFromMouse() && Hovered == &zone);
    zone.Paint(canvas, background, highlighted ? &colour : nullptr);
  }
}

TKvBasicDisplayZone* TKvBasicDisplayZones::HitTest(int x, int y) const {
  TKvBasicDisplayZone* found = nullptr;
  double best = std::numeric_limits<double>::infinity();
  for (int i = Count() - 1; i >= 0; --i) {
    const double distance = Zone(i).Distance(x, y);
    if (distance < best) best = distance, found = &Zone(i);
  }
  return best < ZoneReach ? found : nullptr;
}
