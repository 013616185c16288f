#include "display/KvDisplayCursorLink.h"

#include "display/KvCanvas.h"
#include "display/KvScope.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <algorithm>

const TClassInfo& TKvScopeMeasurementLine::StaticClassInfo() {
  return DefineClass<TKvScopeMeasurementLine, TKvDisplaySettings>(
      "TKvScopeMeasurementLine", [](TPublished<TKvScopeMeasurementLine>& p) {
        using C = TKvScopeMeasurementLine;
        p.Float("X", &C::X, &C::SetX, 0.0)
            .Float("Y", &C::Y, &C::SetY, 0.0)
            .Boolean("Visible", &C::Visible, &C::SetVisible, true)
            .Colour("Color", &C::Color, &C::SetColor, clYellow)
            .Enumeration("Style", PenStyleNames(), &C::Style, &C::SetStyle, TPenStyle::psDot)
            .Enumeration("Mode", PenModeNames(), &C::Mode, &C::SetMode, TPenMode::pmCopy)
            .Object("MeasurementLabel", &C::MeasurementLabel);
      });
}

TKvScopeMeasurementLine::TKvScopeMeasurementLine(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw), MeasurementLabel_(display, this, "", KvFont8pt, 0) {}

void TKvScopeMeasurementLine::SetX(double x) { Update(X_, std::clamp(x, -100.0, 100.0)); }

void TKvScopeMeasurementLine::SetY(double y) { Update(Y_, std::clamp(y, -100.0, 100.0)); }

const TClassInfo& TKvScopeSelection::StaticClassInfo() {
  return DefineClass<TKvScopeSelection, TKvDisplaySettings>("TKvScopeSelection", [](TPublished<TKvScopeSelection>& p) {
    p.Boolean("Visible", &TKvScopeSelection::Visible, &TKvScopeSelection::SetVisible, false)
        .Object("Brush", &TKvScopeSelection::Brush);
  });
}

TKvScopeSelection::TKvScopeSelection(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {
  Brush_.OnChange = [this](TObject*) { Changed(); };
}

const TClassInfo& TKvDisplayCursorLink::StaticClassInfo() {
  return DefineClass<TKvDisplayCursorLink, TKvDisplayCollectionItem>(
      "TKvDisplayCursorLink", [](TPublished<TKvDisplayCursorLink>& p) {
        using C = TKvDisplayCursorLink;
        const auto never = [](const C&) { return false; };
        p.Integer("BeginCursorIndex", &C::BeginCursorIndex, &C::SetBeginCursorIndex, -1, never)
            .Integer("EndCursorIndex", &C::EndCursorIndex, &C::SetEndCursorIndex, -1, never)
            .Object("MeasurementLine", &C::MeasurementLine)
            .Object("Selection", &C::Selection);
      });
}

TKvDisplayCursorLink::TKvDisplayCursorLink(TCollection& collection)
    : TKvDisplayCollectionItem(collection, static_cast<TKvDisplayCursorLinks&>(collection).Scope()),
      Line(Display(), this),
      Selection_(Display(), this) {
  TKvDisplayCollectionItem::SetName("Link" + std::to_string(collection.Count()));
}

TKvScope& TKvDisplayCursorLink::Scope() const { return static_cast<TKvDisplayCursorLinks*>(Collection())->Scope(); }

void TKvDisplayCursorLink::SetCursor(TLkItemRef<TKvDisplayCursor>& end, int32_t index) {
  const TKvDisplayCursors& cursors = *Scope().Cursors();
  if (index < -1 || index >= cursors.Count()) return;
  TKvDisplayCursor* cursor = index < 0 ? nullptr : &cursors.Cursor(index);
  if (end == cursor) return;
  end = cursor;
  Changed();
}

void TKvDisplayCursorLink::SetBeginCursorIndex(int32_t index) { SetCursor(Begin, index); }

void TKvDisplayCursorLink::SetEndCursorIndex(int32_t index) { SetCursor(End, index); }

bool TKvDisplayCursorLink::IsComplete() const { return Begin && End && Begin->Visible() && End->Visible(); }

bool TKvDisplayCursorLink::DrawLegendSample(TKvCanvas& canvas, int x, int y) const {
  if (Selection_.Visible()) {
    canvas.SetBrush(Selection_.Brush()->Color());
    canvas.FillRect({x, y - 4, x + 13, y + 5});
  }
  const bool both = Begin && End;
  if (both) {
    canvas.SetPen(Begin->Color());
    canvas.Line(x, y - 4, x, y + 5);
    canvas.SetPen(End->Color());
    canvas.Line(x + 12, y - 4, x + 12, y + 5);
  }
  if (Line.Visible()) {
    canvas.SetPen(Line.Color(), 1, TPenStyle::psDot);
    if (both) canvas.Line(x + 1, y, x + 12, y);
    else canvas.Line(x, y, x + 13, y);
  }
  return true;
}

bool TKvDisplayCursorLink::IsHighlighted() const {
  const TKvScopeCursorLayer& layer = Scope().CursorLayer();
  return Scope().Highlighting()->CursorLinks()->HiglightLegendButton() && (layer.Hovered(this) || layer.Dragged(this));
}

void TKvDisplayCursorLink::SetLegendHighlight(bool on) {
  Scope().CursorLayer().SetLegendLink(on && Scope().Highlighting()->CursorLinks()->HiglightFromLegend() ? this
                                                                                                        : nullptr);
}

bool TKvDisplayCursorLink::IsSelected() const { return Scope().CursorLayer().Dragged(this); }

void TKvDisplayCursorLink::DefineProperties(TFiler& filer) {
  TKvDisplayCollectionItem::DefineProperties(filer);
  filer.DefineProperty(
      "CursorIndex_",
      [this](TLayoutReader& reader) {
        reader.ReadListBegin();
        LoadedBegin = int32_t(reader.ReadInteger(-1, INT32_MAX));
        LoadedEnd = int32_t(reader.ReadInteger(-1, INT32_MAX));
        reader.ReadListEnd();
        Loading = true;
      },
      [this](TLayoutWriter& writer) {
        writer.WriteListBegin();
        writer.WriteInteger(BeginCursorIndex());
        writer.WriteInteger(EndCursorIndex());
        writer.WriteListEnd();
      },
      Begin || End);
}

void TKvDisplayCursorLink::ResolveLoaded() {
  if (!Loading) return;
  Loading = false;
  SetBeginCursorIndex(LoadedBegin);
  SetEndCursorIndex(LoadedEnd);
}

const TClassInfo& TKvDisplayCursorLinks::StaticClassInfo() {
  return DefineClass<TKvDisplayCursorLinks, TLkExtCollection>("TKvDisplayCursorLinks");
}

TKvDisplayCursorLinks::TKvDisplayCursorLinks(TKvScope& scope)
    : TLkExtCollection(&scope, ItemsOf<TKvDisplayCursorLink>()), Scope_(scope) {}

void TKvDisplayCursorLinks::ItemAdded(TCollectionItem&) { Scope_.Redraw(); }

void TKvDisplayCursorLinks::Notify(TCollectionItem& item, TCollectionNotification action) {
  TLkExtCollection::Notify(item, action);
  if (action != TCollectionNotification::cnAdded) Scope_.Relayout();
}
