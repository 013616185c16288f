#pragma once

#include "display/KvGeometry.h"
#include "platform/Published.h"

class TKvCanvas;

// The mark drawn at a marker or where a cursor crosses a channel.
enum class TKvDisplayMarkerShape {
  msPoint,
  msCircle,
  msSquare,
  msDiamond,
  msPlus,
  msCross,
  msStar,
  msTriangleUp,
  msTriangleDown,
  msTriangleLeft,
  msTriangleRight,
  msHLine,
  msVLine
};
const TEnumNames<TKvDisplayMarkerShape>& MarkerShapeNames();

// Draws `shape` of half size `size` centred at (x, y) with the canvas's pen and brush. The point
// takes the pen colour; a vertical display turns the line shapes, so that they stay across the
// axis they mark.
void PaintMarkerShape(TKvCanvas& canvas, TKvDisplayMarkerShape shape, int x, int y, int size, bool vertical);

// Where a mouse finds the marker drawn at (x, y): never smaller than 3 pixels each way, and
// covering a triangle from its tip. Both edges belong to the box.
TKvRect MarkerHitBox(TKvDisplayMarkerShape shape, int x, int y, int size);
