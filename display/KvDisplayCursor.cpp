#include "display/KvDisplayCursor.h"

#include "display/KvAxisIndexProperty.h"
#include "display/KvCursorSnap.h"
#include "display/KvPalette.h"
#include "display/KvScope.h"

const TEnumNames<TKvDisplayCursorKind>& CursorKindNames() {
  static const TEnumNames<TKvDisplayCursorKind> names = {{TKvDisplayCursorKind::ckVertical, "ckVertical"},
                                                         {TKvDisplayCursorKind::ckHorizontal, "ckHorizontal"},
                                                         {TKvDisplayCursorKind::ckBoth, "ckBoth"}};
  return names;
}

const TClassInfo& TKvDisplayCursorPosition::StaticClassInfo() {
  return DefineClass<TKvDisplayCursorPosition, TEzLockedPersistent>(
      "TKvDisplayCursorPosition", [](TPublished<TKvDisplayCursorPosition>& p) {
        using C = TKvDisplayCursorPosition;
        p.Float("X", &C::X, &C::SetX, 0.0).Float("Y", &C::Y, &C::SetY, 0.0);
      });
}

TKvDisplayCursorPosition::TKvDisplayCursorPosition(TKvDisplayCursor& cursor)
    : TEzLockedPersistent(&cursor), Cursor(cursor) {}

void TKvDisplayCursorPosition::SetX(double x) {
  if (x == X_) return;
  X_ = x;
  Cursor.Changed();
}

void TKvDisplayCursorPosition::SetY(double y) {
  y = SnapCursorValue(Cursor.Scope(), Cursor.YAxis(), false, y);
  if (y == Y_) return;
  Y_ = y;
  Cursor.Changed();
}

const TClassInfo& TKvDisplayCursor::StaticClassInfo() {
  return DefineClass<TKvDisplayCursor, TKvDisplayCollectionItem>(
      "TKvDisplayCursor", [](TPublished<TKvDisplayCursor>& p) {
        using C = TKvDisplayCursor;
        p.Boolean("Visible", &C::Visible, &C::SetVisible, true)
            .Object("Position", &C::Position)
            .Colour("Color", &C::Color, &C::SetColor)
            .Enumeration("Kind", CursorKindNames(), &C::Kind, &C::SetKind, TKvDisplayCursorKind::ckVertical)
            .Collection("Channels", &C::Channels)
            .Event("OnClick", &C::OnClick)
            .Event("OnMouseDown", &C::OnMouseDown)
            .Event("OnMouseUp", &C::OnMouseUp);
      });
}

TKvDisplayCursor::TKvDisplayCursor(TCollection& collection)
    : TKvDisplayCollectionItem(collection, static_cast<TKvDisplayCursors&>(collection).Scope()),
      Position_(*this),
      Color_(static_cast<TKvDisplayCursors&>(collection).NextColor()),
      Channels_(*this) {
  TKvDisplayCollectionItem::SetName("Cursor" + std::to_string(collection.Count()));
}

TKvScope& TKvDisplayCursor::Scope() const { return static_cast<TKvDisplayCursors*>(Collection())->Scope(); }

void TKvDisplayCursor::SetVisible(bool visible) {
  if (visible == Visible_) return;
  Visible_ = visible;
  Changed();
}

void TKvDisplayCursor::SetColor(TColor color) {
  if (color == Color_) return;
  Color_ = color;
  Changed();
}

void TKvDisplayCursor::SetKind(TKvDisplayCursorKind kind) {
  if (kind == Kind_) return;
  Kind_ = kind;
  Changed();
}

void TKvDisplayCursor::SetXAxisIndex(int32_t index) {
  if (index < 0 || index == XAxisIndex_) return;
  XAxisIndex_ = index;
  Changed();
}

void TKvDisplayCursor::SetYAxisIndex(int32_t index) {
  if (index < 0 || index == YAxisIndex_) return;
  YAxisIndex_ = index;
  Changed();
}

TKvBasicScopeXAxis& TKvDisplayCursor::XAxis() const {
  TKvBasicScopeXAxis* axis = Scope().GetXAxisByIndex(XAxisIndex_);
  return axis ? *axis : *Scope().XAxis();
}

TKvBasicScopeYAxis& TKvDisplayCursor::YAxis() const {
  TKvBasicScopeYAxis* axis = Scope().GetYAxisByIndex(YAxisIndex_);
  return axis ? *axis : *Scope().YAxis();
}

bool TKvDisplayCursor::IsHighlighted() const {
  const TKvScopeCursorLayer& layer = Scope().CursorLayer();
  return Scope().Highlighting()->Cursors()->HiglightLegendButton() && (layer.Hovered(this) || layer.Dragged(this));
}

void TKvDisplayCursor::SetLegendHighlight(bool on) {
  Scope().CursorLayer().SetLegendCursor(on && Scope().Highlighting()->Cursors()->HiglightFromLegend() ? this : nullptr);
}

bool TKvDisplayCursor::IsSelected() const { return Scope().CursorLayer().Dragged(this); }

void TKvDisplayCursor::DefineProperties(TFiler& filer) {
  TKvDisplayCollectionItem::DefineProperties(filer);
  DefineAxisIndexProperty(filer, *this);
}

const TClassInfo& TKvDisplayCursors::StaticClassInfo() {
  return DefineClass<TKvDisplayCursors, TLkExtCollection>("TKvDisplayCursors");
}

TKvDisplayCursors::TKvDisplayCursors(TKvScope& scope)
    : TLkExtCollection(&scope, ItemsOf<TKvDisplayCursor>()), Scope_(scope) {}

TColor TKvDisplayCursors::NextColor() const {
  return LeastUsedColor(Palette, Count(), [this](int i) { return Cursor(i).Color(); });
}

void TKvDisplayCursors::ItemAdded(TCollectionItem&) { Scope_.Redraw(); }

void TKvDisplayCursors::Notify(TCollectionItem& item, TCollectionNotification action) {
  TLkExtCollection::Notify(item, action);
  if (action != TCollectionNotification::cnAdded) Scope_.Relayout();
}
