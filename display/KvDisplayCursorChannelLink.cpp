#include "display/KvDisplayCursorChannelLink.h"

#include "display/KvDisplayCursor.h"
#include "display/KvScope.h"

#include <algorithm>

const TClassInfo& TKvDisplayCursorChannelLink::StaticClassInfo() {
  return DefineClass<TKvDisplayCursorChannelLink, TLkExtCollectionItem>(
      "TKvDisplayCursorChannelLink", [](TPublished<TKvDisplayCursorChannelLink>& p) {
        using C = TKvDisplayCursorChannelLink;
        p.Integer("Channel", &C::ChannelIndex, &C::SetChannelIndex, -1)
            .Object("ChannelLabel", &C::ChannelLabel)
            .Boolean("UseChannelColor", &C::UseChannelColor, &C::SetUseChannelColor, true)
            .Integer("Size", &C::Size, &C::SetSize, 3)
            .Enumeration("Shape", MarkerShapeNames(), &C::Shape, &C::SetShape, TKvDisplayMarkerShape::msCircle)
            .Object("Pen", &C::Pen)
            .Object("Brush", &C::Brush);
      });
}

TKvDisplayCursorChannelLink::TKvDisplayCursorChannelLink(TCollection& collection)
    : TLkExtCollectionItem(collection),
      ChannelLabel_(static_cast<TKvDisplayCursorChannelLinks&>(collection).Cursor().Scope(), this, "", KvFont8pt, 0) {
  ChannelLabel_.OnChange = [this](TObject*) { Changed(); };
  Pen_.OnChange = [this](TObject*) { Changed(); };
  Brush_.OnChange = [this](TObject*) { Changed(); };
}

TKvScope& TKvDisplayCursorChannelLink::Scope() const {
  return static_cast<TKvDisplayCursorChannelLinks*>(Collection())->Cursor().Scope();
}

void TKvDisplayCursorChannelLink::Changed() { Scope().Redraw(); }

void TKvDisplayCursorChannelLink::SetChannel(TKvScopeChannel* channel) {
  if (Channel_ == channel) return;
  Channel_ = channel;
  Changed();
}

int32_t TKvDisplayCursorChannelLink::ChannelIndex() const { return Channel_ ? Channel_->Index() : -1; }

void TKvDisplayCursorChannelLink::SetChannelIndex(int32_t index) {
  const TKvScopeChannels& channels = *Scope().Channels();
  if (index < -1 || index >= channels.Count()) return;
  SetChannel(index < 0 ? nullptr : &channels.Channel(index));
}

void TKvDisplayCursorChannelLink::SetUseChannelColor(bool use) {
  if (use == UseChannelColor_) return;
  UseChannelColor_ = use;
  Changed();
}

void TKvDisplayCursorChannelLink::SetSize(int32_t size) {
  size = std::max(size, 0);
  if (size == Size_) return;
  Size_ = size;
  Changed();
}

void TKvDisplayCursorChannelLink::SetShape(TKvDisplayMarkerShape shape) {
  if (shape == Shape_) return;
  Shape_ = shape;
  Changed();
}

const TClassInfo& TKvDisplayCursorChannelLinks::StaticClassInfo() {
  return DefineClass<TKvDisplayCursorChannelLinks, TLkExtCollection>("TKvDisplayCursorChannelLinks");
}

TKvDisplayCursorChannelLinks::TKvDisplayCursorChannelLinks(TKvDisplayCursor& cursor)
    : TLkExtCollection(&cursor, ItemsOf<TKvDisplayCursorChannelLink>()), Cursor_(cursor) {}
