#include "display/KvDisplayChannelLinks.h"

#include "display/KvCanvas.h"
#include "display/KvScope.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <QPolygon>

#include <algorithm>

const TEnumNames<TKvScopeChannelLinkMode>& ChannelLinkModeNames() {
  static const TEnumNames<TKvScopeChannelLinkMode> names = {{TKvScopeChannelLinkMode::clmZone, "clmZone"},
                                                            {TKvScopeChannelLinkMode::clmBar, "clmBar"}};
  return names;
}

const TClassInfo& TKvDisplayChannelLink::StaticClassInfo() {
  return DefineClass<TKvDisplayChannelLink, TKvDisplayCollectionItem>(
      "TKvDisplayChannelLink", [](TPublished<TKvDisplayChannelLink>& p) {
        using C = TKvDisplayChannelLink;
        p.Boolean("Visible", &C::Visible, &C::SetVisible, true)
            .Object("Brush", &C::Brush)
            .Integer("Width", &C::Width, &C::SetWidth, 5)
            .Enumeration("ChannelLinkMode", ChannelLinkModeNames(), &C::ChannelLinkMode, &C::SetChannelLinkMode,
                         TKvScopeChannelLinkMode::clmZone);
      });
}

namespace {

TKvDisplayChannelLinks& LinksOf(TCollection& collection) { return static_cast<TKvDisplayChannelLinks&>(collection); }

}  // namespace

TKvDisplayChannelLink::TKvDisplayChannelLink(TCollection& collection)
    : TKvDisplayCollectionItem(collection, LinksOf(collection).Scope()) {
  SetName("Link" + std::to_string(collection.Count()));
  Brush_.OnChange = [this](TObject*) { Changed(); };
}

TKvScope& TKvDisplayChannelLink::Scope() const { return LinksOf(*Collection()).Scope(); }

void TKvDisplayChannelLink::SetVisible(bool visible) {
  if (visible == Visible_) return;
  Visible_ = visible;
  Changed();
}

void TKvDisplayChannelLink::SetFirstChannelIndex(int32_t index) {
  if (index == First) return;
  First = index;
  Changed();
}

void TKvDisplayChannelLink::SetSecondChannelIndex(int32_t index) {
  if (index == Second) return;
  Second = index;
  Changed();
}

void TKvDisplayChannelLink::SetWidth(int32_t width) {
  width = std::max(width, 1);
  if (width == Width_) return;
  Width_ = width;
  Changed();
}

void TKvDisplayChannelLink::SetChannelLinkMode(TKvScopeChannelLinkMode mode) {
  if (mode == Mode) return;
  Mode = mode;
  Changed();
}

TKvScopeChannel* TKvDisplayChannelLink::ChannelAt(int32_t index) const {
  const TKvScopeChannels& channels = *Scope().Channels();
  return index >= 0 && index < channels.Count() ? &channels.Channel(index) : nullptr;
}

bool TKvDisplayChannelLink::Drawable() const {
  const TKvScopeChannel* first = ChannelAt(First);
  const TKvScopeChannel* second = ChannelAt(Second);
  return Visible_ && first && second && first != second && first->Visible() && second->Visible();
}

const std::vector<QPoint>& TKvDisplayChannelLink::Outline() const {
  const std::vector<QPoint>& first = ChannelAt(First)->Trace().Points();
  const std::vector<QPoint>& second = ChannelAt(Second)->Trace().Points();
  Points.assign(first.begin(), first.end());
  Points.insert(Points.end(), second.rbegin(), second.rend());
  return Points;
}

void TKvDisplayChannelLink::Bar(size_t k, QPoint corners[4]) const {
  const QPoint a = ChannelAt(First)->Trace().Points()[k], b = ChannelAt(Second)->Trace().Points()[k];
  // Across the bar: along X in a horizontal scope, along Y in a vertical one.
  const QPoint side = Scope().Vertical() ? QPoint(0, 1) : QPoint(1, 0);
  const int before = Width_ / 2, after = Width_ - Width_ / 2;
  corners[0] = a - side * before;
  corners[1] = a + side * after;
  corners[2] = b + side * after;
  corners[3] = b - side * before;
}

void TKvDisplayChannelLink::Paint(TKvCanvas& canvas, const TColor* highlight) const {
  if (!Drawable()) return;
  const bool solid = Brush_.Style() == TKvBrushStyle::bsSolid;
  const auto shapes = [&](bool under) {
    if (under) canvas.SetPen(*highlight, 3), canvas.SetClearBrush();
    else if (solid) canvas.SetPen(Brush_.Color()), canvas.SetBrush(Brush_.Color());
    else canvas.SetPen(Brush_.Color(), 1, TPenStyle::psClear), canvas.SetClearBrush();
    if (Mode == TKvScopeChannelLinkMode::clmZone) {
      const std::vector<QPoint>& outline = Outline();
      if (outline.size() > 1) canvas.Polygon(outline.data(), int(outline.size()));
      return;
    }
    const size_t pairs =
        std::min(ChannelAt(First)->Trace().Points().size(), ChannelAt(Second)->Trace().Points().size());
    QPoint corners[4];
    for (size_t k = 0; k < pairs; ++k) {
      Bar(k, corners);
      canvas.Polygon(corners, 4);
    }
  };
  if (highlight) shapes(true);
  shapes(false);
}

bool TKvDisplayChannelLink::Contains(int x, int y) const {
  if (!Drawable()) return false;
  const QPoint p(x, y);
  if (Mode == TKvScopeChannelLinkMode::clmZone) {
    const std::vector<QPoint>& outline = Outline();
    return QPolygon(outline.begin(), outline.end()).containsPoint(p, Qt::OddEvenFill);
  }
  const size_t pairs = std::min(ChannelAt(First)->Trace().Points().size(), ChannelAt(Second)->Trace().Points().size());
  QPoint corners[4];
  for (size_t k = 0; k < pairs; ++k) {
    Bar(k, corners);
    if (QPolygon({corners[0], corners[1], corners[2], corners[3]}).containsPoint(p, Qt::OddEvenFill)) return true;
  }
  return false;
}

bool TKvDisplayChannelLink::DrawLegendSample(TKvCanvas& canvas, int x, int y) const {
  if (Brush_.Style() == TKvBrushStyle::bsSolid) {
    const bool bar = Mode == TKvScopeChannelLinkMode::clmBar;
    canvas.FillRect({bar ? x + 4 : x, y - 4, bar ? x + 9 : x + 13, y + 5}, Brush_.Color());
  }
  const TKvScopeChannel* first = ChannelAt(First);
  const TKvScopeChannel* second = ChannelAt(Second);
  if (first && second) {
    canvas.SetPen(first->Color());
    canvas.Line(x, y - 4, x + 13, y - 4);
    canvas.SetPen(second->Color());
    canvas.Line(x, y + 4, x + 13, y + 4);
  }
  return true;
}

bool TKvDisplayChannelLink::IsHighlighted() const {
  const TKvDisplayChannelLinks& links = LinksOf(*Collection());
  return links.Hovered == this && Scope().Highlighting()->ChannelLinks()->HiglightLegendButton();
}

void TKvDisplayChannelLink::SetLegendHighlight(bool on) {
  TKvDisplayChannelLinks& links = LinksOf(*Collection());
  links.LegendHighlighted = on && Scope().Highlighting()->ChannelLinks()->HiglightFromLegend() ? this : nullptr;
  Scope().Redraw();
}

void TKvDisplayChannelLink::DefineProperties(TFiler& filer) {
  TKvDisplayCollectionItem::DefineProperties(filer);
  filer.DefineProperty(
      "ChannelIndex_",
      [this](TLayoutReader& reader) {
        reader.ReadListBegin();
        const int64_t first = reader.ReadInteger(INT32_MIN, INT32_MAX);
        const int64_t second = reader.ReadInteger(INT32_MIN, INT32_MAX);
        reader.ReadListEnd();
        SetFirstChannelIndex(int32_t(first));
        SetSecondChannelIndex(int32_t(second));
      },
      [this](TLayoutWriter& writer) {
        writer.WriteListBegin();
        writer.WriteInteger(First);
        writer.WriteInteger(Second);
        writer.WriteListEnd();
      },
      true);
}

const TClassInfo& TKvDisplayChannelLinks::StaticClassInfo() {
  return DefineClass<TKvDisplayChannelLinks, TLkExtCollection>("TKvDisplayChannelLinks");
}

TKvDisplayChannelLinks::TKvDisplayChannelLinks(TKvScope& scope)
    : TLkExtCollection(&scope, ItemsOf<TKvDisplayChannelLink>()), Scope_(scope) {}

void TKvDisplayChannelLinks::ItemAdded(TCollectionItem&) { Scope_.Redraw(); }

void TKvDisplayChannelLinks::Notify(TCollectionItem& item, TCollectionNotification action) {
  TLkExtCollection::Notify(item, action);
  if (action == TCollectionNotification::cnDeleting && !Scope_.IsDestroying()) Scope_.Relayout();
}

bool TKvDisplayChannelLinks::AnyDrawable() const {
  for (int i = 0; i < Count(); ++i)
    if (Link(i).Drawable()) return true;
  return false;
}

void TKvDisplayChannelLinks::Paint(TKvCanvas& canvas) const {
  const TKvChannelItemHighlighting& highlighting = *Scope_.Highlighting()->ChannelLinks();
  const TColor colour = highlighting.Color();
  for (int i = 0; i < Count(); ++i) {
    const TKvDisplayChannelLink& link = Link(i);
    const bool highlighted = LegendHighlighted == &link || (highlighting.HiglightFromMouse() && Hovered == &link);
    link.Paint(canvas, highlighted ? &colour : nullptr);
  }
}

TKvDisplayChannelLink* TKvDisplayChannelLinks::HitTest(int x, int y) const {
  for (int i = Count() - 1; i >= 0; --i)
    if (Link(i).Contains(x, y)) return &Link(i);
  return nullptr;
}
