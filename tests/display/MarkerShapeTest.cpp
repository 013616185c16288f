#include "display/KvCanvas.h"
#include "display/KvMarkerShape.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

using S = TKvDisplayMarkerShape;

// Inclusive corners of a hit box around (20, 20).
struct THitCase {
  S Shape;
  int Size;
  int Left, Top, Right, Bottom;
};

TEST(MarkerShape, HitBoxesFollowTheShapeAndNeverShrinkBelowThreePixels) {
  const std::vector<THitCase> cases = {
      {S::msPoint, 8, 17, 17, 23, 23},        {S::msPlus, 8, 17, 17, 23, 23},
      {S::msCross, 1, 17, 17, 23, 23},        {S::msCircle, 1, 17, 17, 23, 23},
      {S::msCircle, 5, 15, 15, 25, 25},       {S::msSquare, 5, 15, 15, 25, 25},
      {S::msDiamond, 4, 16, 16, 24, 24},      {S::msStar, 2, 17, 17, 23, 23},
      {S::msTriangleUp, 4, 16, 20, 24, 28},   {S::msTriangleDown, 4, 16, 12, 24, 20},
      {S::msTriangleLeft, 4, 20, 16, 28, 24}, {S::msTriangleRight, 4, 12, 16, 20, 24},
      {S::msHLine, 6, 14, 17, 26, 23},        {S::msVLine, 6, 17, 14, 23, 26},
      {S::msTriangleUp, 1, 17, 20, 23, 26},
  };
  for (const THitCase& c : cases) {
    SCOPED_TRACE(MarkerShapeNames()[int(c.Shape)].second + std::string(" size ") + std::to_string(c.Size));
    const TKvRect box = MarkerHitBox(c.Shape, 20, 20, c.Size);
    // Both edges belong to the box; one step past either does not.
    EXPECT_TRUE(box.Contains(c.Left, c.Top));
    EXPECT_TRUE(box.Contains(c.Right, c.Bottom));
    EXPECT_FALSE(box.Contains(c.Left - 1, c.Top));
    EXPECT_FALSE(box.Contains(c.Left, c.Top - 1));
    EXPECT_FALSE(box.Contains(c.Right + 1, c.Bottom));
    EXPECT_FALSE(box.Contains(c.Right, c.Bottom + 1));
  }
}

QImage Paint(S shape, int size, bool vertical) {
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  TKvCanvas canvas(painter, QPalette());
  canvas.SetPen(clWhite);
  canvas.SetBrush(clRed);
  PaintMarkerShape(canvas, shape, 20, 20, size, vertical);
  return image;
}

uint32_t At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

// Pixels a shape of size 4 at (20, 20) must cover, and one it must leave alone. Filled shapes, as
// every filled polygon of the canvas, leave out their right and bottom edge pixels.
struct TPaintCase {
  S Shape;
  bool Vertical;
  std::vector<QPoint> Drawn;
  QPoint Untouched;
};

TEST(MarkerShape, EachShapeCoversItsOutlineAroundTheCentre) {
  const std::vector<TPaintCase> cases = {
      {S::msPoint, false, {{20, 20}}, {21, 20}},
      {S::msCircle, false, {{20, 16}, {20, 24}, {16, 20}, {24, 20}}, {16, 16}},
      {S::msSquare, false, {{16, 16}, {24, 24}, {16, 24}, {24, 16}}, {25, 25}},
      {S::msDiamond, false, {{20, 16}, {24, 20}, {20, 24}, {16, 20}}, {16, 16}},
      {S::msPlus, false, {{20, 16}, {20, 24}, {16, 20}, {24, 20}}, {16, 16}},
      {S::msCross, false, {{16, 16}, {24, 24}, {24, 16}, {16, 24}}, {20, 16}},
      {S::msStar, false, {{16, 16}, {24, 24}, {20, 16}, {24, 20}}, {18, 16}},
      {S::msTriangleUp, false, {{20, 20}, {16, 28}, {23, 28}}, {20, 19}},
      {S::msTriangleDown, false, {{20, 20}, {16, 12}, {23, 12}}, {20, 21}},
      {S::msTriangleLeft, false, {{20, 20}, {28, 16}, {28, 23}}, {19, 20}},
      {S::msTriangleRight, false, {{20, 20}, {12, 16}, {12, 23}}, {21, 20}},
      {S::msHLine, false, {{16, 20}, {24, 20}}, {20, 16}},
      {S::msVLine, false, {{20, 16}, {20, 24}}, {16, 20}},
      // A vertical display turns the line shapes.
      {S::msHLine, true, {{20, 16}, {20, 24}}, {16, 20}},
      {S::msVLine, true, {{16, 20}, {24, 20}}, {20, 16}},
  };
  for (const TPaintCase& c : cases) {
    SCOPED_TRACE(MarkerShapeNames()[int(c.Shape)].second + std::string(c.Vertical ? " vertical" : ""));
    const QImage image = Paint(c.Shape, 4, c.Vertical);
    for (const QPoint& p : c.Drawn) EXPECT_EQ(At(image, p.x(), p.y()), 0xFFFFFFu) << p.x() << "," << p.y();
    EXPECT_EQ(At(image, c.Untouched.x(), c.Untouched.y()), 0u);
  }
}

TEST(MarkerShape, FilledShapesTakeTheBrushInside) {
  for (S shape : {S::msCircle, S::msSquare, S::msDiamond}) {
    SCOPED_TRACE(MarkerShapeNames()[int(shape)].second);
    // 0x0000FF as a colour value is red, 0xFF0000 as a pixel.
    EXPECT_EQ(At(Paint(shape, 4, false), 20, 20), 0xFF0000u);
  }
  EXPECT_EQ(At(Paint(S::msTriangleUp, 4, false), 20, 26), 0xFF0000u);
}

}  // namespace
