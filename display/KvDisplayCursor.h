#pragma once

#include "display/KvDisplayCollectionItem.h"
#include "display/KvDisplayCursorChannelLink.h"
#include "display/KvRealPoint.h"
#include "platform/Colors.h"
#include "platform/Event.h"
#include "platform/EzLockedPersistent.h"
#include "platform/Published.h"

#include <Qt>

#include <array>
#include <cstdint>

class TKvBasicScopeXAxis;
class TKvBasicScopeYAxis;
class TKvDisplayCursor;
class TKvScope;

// A cursor or a cursor link moved: the display, the item's index, where it was and where it is.
using TKvPositionChangeEvent = void(TObject* sender, int index, TKvRealPoint oldPosition, TKvRealPoint newPosition);
// A mouse button on a cursor: the cursor, the button, the modifiers and the mouse position.
using TKvCursorMouseEvent = void(TObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

// Which lines a cursor has: one at its X value across the view, one at its Y value, or both.
enum class TKvDisplayCursorKind { ckVertical, ckHorizontal, ckBoth };
const TEnumNames<TKvDisplayCursorKind>& CursorKindNames();

// Where a cursor stands, in the label units of its X and Y axes. Y goes through the Y axis's
// snapping when set.
class TKvDisplayCursorPosition : public TEzLockedPersistent {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayCursorPosition(TKvDisplayCursor& cursor);

  double X() const { return X_; }
  void SetX(double x);
  double Y() const { return Y_; }
  void SetY(double y);
  TKvRealPoint Point() const { return {X_, Y_}; }

private:
  TKvDisplayCursor& Cursor;
  double X_ = 0;
  double Y_ = 0;
};

// A cursor over the scope's data: a line at a value the user drags. Its axes are named by index
// (0 the main axis); an index of an axis that does not exist (yet) stands for the main axis, so a
// layout may name an additional axis made after the cursor.
class TKvDisplayCursor : public TKvDisplayCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayCursor(TCollection& collection);

  TKvScope& Scope() const;
  bool Visible() const { return Visible_; }
  void SetVisible(bool visible);
  TKvDisplayCursorPosition* Position() const { return const_cast<TKvDisplayCursorPosition*>(&Position_); }
  TColor Color() const { return Color_; }
  void SetColor(TColor color);
  TKvDisplayCursorKind Kind() const { return Kind_; }
  void SetKind(TKvDisplayCursorKind kind);
  bool HasXLine() const { return Kind_ != TKvDisplayCursorKind::ckHorizontal; }
  bool HasYLine() const { return Kind_ != TKvDisplayCursorKind::ckVertical; }
  int32_t XAxisIndex() const { return XAxisIndex_; }
  // Negative indices are ignored.
  void SetXAxisIndex(int32_t index);
  int32_t YAxisIndex() const { return YAxisIndex_; }
  void SetYAxisIndex(int32_t index);
  // Where its lines cross channels, marked and labelled.
  TKvDisplayCursorChannelLinks* Channels() const { return const_cast<TKvDisplayCursorChannelLinks*>(&Channels_); }
  // The axes the cursor is drawn against: the indexed ones, or the main ones.
  TKvBasicScopeXAxis& XAxis() const;
  TKvBasicScopeYAxis& YAxis() const;

  // Legend: the cursor's colour; highlighted while under the mouse or dragged; selected while
  // dragged.
  TColor GetLegendColor() const override { return Color_; }
  bool IsLegendVisible() const override { return Visible_; }
  bool IsHighlighted() const override;
  void SetLegendHighlight(bool on) override;
  bool IsSelected() const override;

  // The axis indices are stored together, Y first.
  void DefineProperties(TFiler& filer) override;

  TEvent<TNotifyEvent> OnClick;
  TEvent<TKvCursorMouseEvent> OnMouseDown;
  TEvent<TKvCursorMouseEvent> OnMouseUp;

private:
  bool Visible_ = true;
  TKvDisplayCursorPosition Position_;
  TColor Color_;
  TKvDisplayCursorKind Kind_ = TKvDisplayCursorKind::ckVertical;
  int32_t XAxisIndex_ = 0;
  int32_t YAxisIndex_ = 0;
  TKvDisplayCursorChannelLinks Channels_;
};

// The scope's cursors. A new cursor takes the palette colour the fewest cursors use, the earliest
// on a tie.
class TKvDisplayCursors : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  static constexpr std::array<TColor, 14> Palette = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00,
                                                     0xF0FBFF, 0x008080, 0xFFFFFF, 0xC0C0C0, 0x800080,
                                                     0xFF00FF, 0xFFFF00, 0x808000, 0x800000};

  explicit TKvDisplayCursors(TKvScope& scope);

  TKvScope& Scope() const { return Scope_; }
  TKvDisplayCursor& Cursor(int index) const { return static_cast<TKvDisplayCursor&>(Items(index)); }
  TKvDisplayCursor& AddCursor() { return static_cast<TKvDisplayCursor&>(Add()); }
  TColor NextColor() const;

  // A dragged cursor was released somewhere else.
  TEvent<TKvPositionChangeEvent> OnPositionChange;

protected:
  void ItemAdded(TCollectionItem& item) override;
  void Notify(TCollectionItem& item, TCollectionNotification action) override;

private:
  TKvScope& Scope_;
};
