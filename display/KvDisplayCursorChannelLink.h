#pragma once

#include "display/KvBrush.h"
#include "display/KvMarkerShape.h"
#include "display/KvScopeChannel.h"
#include "display/KvViewSettings.h"
#include "platform/Collection.h"
#include "platform/Pen.h"

#include <cstdint>

class TKvDisplayCursor;
class TKvScope;

// Where a cursor's line crosses a channel: a mark there and, when the label is visible, the
// channel's value at the crossing (template "%Y" for a vertical line, "%X" for a horizontal one).
// The channel is held by reference and stored by its index.
class TKvDisplayCursorChannelLink : public TLkExtCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayCursorChannelLink(TCollection& collection);

  TKvScope& Scope() const;
  TKvScopeChannel* Channel() const { return Channel_.Get(); }
  void SetChannel(TKvScopeChannel* channel);
  // -1 for none; an index outside the channels is ignored.
  int32_t ChannelIndex() const;
  void SetChannelIndex(int32_t index);
  TKvDisplayLabel* ChannelLabel() const { return const_cast<TKvDisplayLabel*>(&ChannelLabel_); }
  bool UseChannelColor() const { return UseChannelColor_; }
  void SetUseChannelColor(bool use);
  int32_t Size() const { return Size_; }
  void SetSize(int32_t size);
  TKvDisplayMarkerShape Shape() const { return Shape_; }
  void SetShape(TKvDisplayMarkerShape shape);
  TPen* Pen() const { return const_cast<TPen*>(&Pen_); }
  TKvBrush* Brush() const { return const_cast<TKvBrush*>(&Brush_); }

private:
  void Changed();

  TLkItemRef<TKvScopeChannel> Channel_;
  TKvDisplayLabel ChannelLabel_;
  bool UseChannelColor_ = true;
  int32_t Size_ = 3;
  TKvDisplayMarkerShape Shape_ = TKvDisplayMarkerShape::msCircle;
  TPen Pen_{clRed};
  TKvBrush Brush_{clRed};
};

// A cursor's channel links.
class TKvDisplayCursorChannelLinks : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayCursorChannelLinks(TKvDisplayCursor& cursor);

  TKvDisplayCursor& Cursor() const { return Cursor_; }
  TKvDisplayCursorChannelLink& Link(int index) const { return static_cast<TKvDisplayCursorChannelLink&>(Items(index)); }
  TKvDisplayCursorChannelLink& AddLink() { return static_cast<TKvDisplayCursorChannelLink&>(Add()); }

private:
  TKvDisplayCursor& Cursor_;
};
