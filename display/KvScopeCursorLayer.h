#pragma once

#include "display/KvCursorMapping.h"
#include "display/KvDisplayCursorLink.h"
#include "display/KvGeometry.h"
#include "platform/Collection.h"

#include <QPoint>
#include <Qt>

class TKvCanvas;
class TKvScope;

// The scope's cursors and cursor links in the data view: which of them is under the mouse, which
// is dragged and by which line, which the legend highlights; their drawing in the paint passes;
// and the mouse presses they take before zoom and pan.
//
// Every item is held by reference, so an item deleted from one of its own handlers, or while it
// is hovered, dragged or highlighted, leaves nothing behind that points at it.
class TKvScopeCursorLayer {
public:
  // What lies under a point: a cursor with the lines hit, or a cursor link.
  struct THit {
    TKvDisplayCursor* Cursor = nullptr;
    bool XLine = false;
    bool YLine = false;
    TKvDisplayCursorLink* Link = nullptr;
    explicit operator bool() const { return Cursor || Link; }
  };

  // Pixels either side of a line (exclusive) within which it is hit.
  static constexpr int HitReach = 3;

  explicit TKvScopeCursorLayer(TKvScope& scope);

  // The cursor (tested from the last to the first) or else the cursor link under (x, y).
  THit HitTest(int x, int y) const;
  // The mouse moved to (x, y), over the data view or not: finds what is under it; true when
  // something is.
  bool UpdateHover(bool over, int x, int y);
  // A press on a cursor or a cursor link starts dragging it and is taken; false for any other.
  bool MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  // Ends a drag: a moved cursor or measurement line is set and reported.
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  // Drops a drag without moving anything.
  void CancelDrag();
  bool Dragging() const { return DraggedCursor || DraggedLink; }

  bool Hovered(const TKvDisplayCursor* cursor) const { return cursor && HoveredCursor == cursor; }
  bool Dragged(const TKvDisplayCursor* cursor) const { return cursor && DraggedCursor == cursor; }
  bool Hovered(const TKvDisplayCursorLink* link) const { return link && HoveredLink == link; }
  bool Dragged(const TKvDisplayCursorLink* link) const { return link && DraggedLink == link; }
  // The item of each kind whose legend entry is hovered (none: nullptr).
  void SetLegendCursor(TKvDisplayCursor* cursor);
  void SetLegendLink(TKvDisplayCursorLink* link);

  // The selections of the links, behind the channels.
  void PaintBehind(TKvCanvas& canvas) const;
  // The cursors with the preview of a drag, then the links' measurement lines.
  void PaintOver(TKvCanvas& canvas) const;

  // Both cursors have an X line on one X axis, or a Y line on one Y axis: a link measures them.
  static bool SharesX(const TKvDisplayCursor& a, const TKvDisplayCursor& b);
  static bool SharesY(const TKvDisplayCursor& a, const TKvDisplayCursor& b);

  // The pixel of a measurement line at `percent` (-100 … 100) across the view, and back; `alongX`
  // for the line between two Y lines, which moves along the X direction.
  int PercentPixel(double percent, bool alongX) const;
  double PercentAt(int pixel, bool alongX, double current) const;

private:
  // The pixel of the cursor's X or Y line, as drawn; none when it is not.
  std::optional<TKvCursorAxisMapping::TLine> LineOf(const TKvDisplayCursor& cursor, bool xLine) const;
  // The value the dragged line would take with the mouse at `mouse`.
  double DragValue(const TKvDisplayCursor& cursor, bool xLine, QPoint mouse) const;
  bool HitsLink(const TKvDisplayCursorLink& link, int x, int y) const;
  void PaintCursor(TKvCanvas& canvas, const TKvDisplayCursor& cursor) const;
  // Marks and labels where the cursor's X (or Y) line at `pixel` crosses its linked channels.
  void PaintChannelLinks(TKvCanvas& canvas, const TKvDisplayCursor& cursor, bool xLine, int pixel) const;
  void PaintDragPreview(TKvCanvas& canvas, const TKvDisplayCursor& cursor, bool xLine) const;
  void PaintLink(TKvCanvas& canvas, const TKvDisplayCursorLink& link) const;
  // The line between the pixels `from` and `to` of two lines of one axis, at `across`.
  void MeasurementSegment(TKvCanvas& canvas, bool xLines, int from, int to, int across) const;
  // That line in the link's pen (or the trails' colour) and the label with the difference.
  void PaintMeasurement(TKvCanvas& canvas, const TKvDisplayCursorLink& link, bool xLines, int from, int to, int across,
                        const std::string& text, bool trails) const;
  TKvRect View() const;

  TKvScope& Scope;
  TLkItemRef<TKvDisplayCursor> HoveredCursor;
  bool HoveredX = false;
  bool HoveredY = false;
  TLkItemRef<TKvDisplayCursorLink> HoveredLink;
  TLkItemRef<TKvDisplayCursor> DraggedCursor;
  bool DraggedX = false;
  bool DraggedY = false;
  TLkItemRef<TKvDisplayCursorLink> DraggedLink;
  // A press was taken, whether or not its item still exists.
  bool Pressed = false;
  TLkItemRef<TKvDisplayCursor> LegendCursor;
  TLkItemRef<TKvDisplayCursorLink> LegendLink;
  QPoint Mouse;
};
