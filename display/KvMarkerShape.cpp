#include "display/KvMarkerShape.h"

#include "display/KvCanvas.h"

#include <algorithm>
#include <array>

const TEnumNames<TKvDisplayMarkerShape>& MarkerShapeNames() {
  using S = TKvDisplayMarkerShape;
  static const TEnumNames<S> names = {{S::msPoint, "msPoint"},
                                      {S::msCircle, "msCircle"},
                                      {S::msSquare, "msSquare"},
                                      {S::msDiamond, "msDiamond"},
                                      {S::msPlus, "msPlus"},
                                      {S::msCross, "msCross"},
                                      {S::msStar, "msStar"},
                                      {S::msTriangleUp, "msTriangleUp"},
                                      {S::msTriangleDown, "msTriangleDown"},
                                      {S::msTriangleLeft, "msTriangleLeft"},
                                      {S::msTriangleRight, "msTriangleRight"},
                                      {S::msHLine, "msHLine"},
                                      {S::msVLine, "msVLine"}};
  return names;
}

namespace {

void Triangle(TKvCanvas& canvas, QPoint a, QPoint b, QPoint c) {
  const std::array<QPoint, 3> corners = {a, b, c};
  canvas.Polygon(corners.data(), int(corners.size()));
}

// Lines leave out their last pixel, so each ends one past the box's far edge.
void Plus(TKvCanvas& canvas, int x, int y, int s) {
  canvas.Line(x, y - s, x, y + s + 1);
  canvas.Line(x - s, y, x + s + 1, y);
}

void Cross(TKvCanvas& canvas, int x, int y, int s) {
  canvas.Line(x - s, y - s, x + s + 1, y + s + 1);
  canvas.Line(x - s, y + s, x + s + 1, y - s - 1);
}

}  // namespace

void PaintMarkerShape(TKvCanvas& canvas, TKvDisplayMarkerShape shape, int x, int y, int size, bool vertical) {
  using S = TKvDisplayMarkerShape;
  const int s = size;
  const TKvRect box{x - s, y - s, x + s + 1, y + s + 1};
  if (vertical && shape == S::msHLine) shape = S::msVLine;
  else if (vertical && shape == S::msVLine) shape = S::msHLine;
  switch (shape) {
    case S::msPoint: canvas.Line(x, y, x + 1, y); break;
    case S::msCircle: canvas.Ellipse(box); break;
    case S::msSquare: canvas.Rectangle(box); break;
    case S::msDiamond: {
      const std::array<QPoint, 4> corners = {QPoint(x, y - s), QPoint(x + s, y), QPoint(x, y + s), QPoint(x - s, y)};
      canvas.Polygon(corners.data(), int(corners.size()));
      break;
    }
    case S::msPlus: Plus(canvas, x, y, s); break;
    case S::msCross: Cross(canvas, x, y, s); break;
    case S::msStar:
      Plus(canvas, x, y, s);
      Cross(canvas, x, y, s);
      break;
    case S::msTriangleUp: Triangle(canvas, {x, y}, {x - s, y + 2 * s}, {x + s, y + 2 * s}); break;
    case S::msTriangleDown: Triangle(canvas, {x, y}, {x - s, y - 2 * s}, {x + s, y - 2 * s}); break;
    case S::msTriangleLeft: Triangle(canvas, {x, y}, {x + 2 * s, y - s}, {x + 2 * s, y + s}); break;
    case S::msTriangleRight: Triangle(canvas, {x, y}, {x - 2 * s, y - s}, {x - 2 * s, y + s}); break;
    case S::msHLine: canvas.Line(x - s, y, x + s + 1, y); break;
    case S::msVLine: canvas.Line(x, y - s, x, y + s + 1); break;
  }
}

TKvRect MarkerHitBox(TKvDisplayMarkerShape shape, int x, int y, int size) {
  using S = TKvDisplayMarkerShape;
  const int d = std::max(size, 3);
  // Inclusive corners; the rectangle's right and bottom lie one past them.
  const auto box = [](int left, int top, int right, int bottom) { return TKvRect{left, top, right + 1, bottom + 1}; };
  switch (shape) {
    case S::msPoint:
    case S::msPlus:
    case S::msCross: return box(x - 3, y - 3, x + 3, y + 3);
    case S::msTriangleUp: return box(x - d, y, x + d, y + 2 * d);
    case S::msTriangleDown: return box(x - d, y - 2 * d, x + d, y);
    case S::msTriangleLeft: return box(x, y - d, x + 2 * d, y + d);
    case S::msTriangleRight: return box(x - 2 * d, y - d, x, y + d);
    case S::msHLine: return box(x - d, y - 3, x + d, y + 3);
    case S::msVLine: return box(x - 3, y - d, x + 3, y + d);
    default: return box(x - d, y - d, x + d, y + d);
  }
}
