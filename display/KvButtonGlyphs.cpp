#include "display/KvButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>

namespace KvButtonGlyphs {
namespace {

// Coverage above this is the symbol itself, above EdgeCoverage its smoothed edge; the rest is face.
constexpr int SymbolCoverage = 170;
constexpr int EdgeCoverage = 60;

// Paints symbols as coverage in one 16 × 16 cell: what is drawn counts, what is cleared is face.
class TGlyphPen {
public:
  explicit TGlyphPen(QImage& mask) : Painter(&mask) { Painter.setRenderHint(QPainter::Antialiasing); }

  QPainter& P() { return Painter; }
  void Stroke(double width) {
    Painter.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    Painter.setBrush(Qt::NoBrush);
  }
  void Fill() {
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(Qt::white);
  }
  void Line(double x1, double y1, double x2, double y2, double width = 1) {
    Stroke(width);
    Painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
  }
  void Box(double x, double y, double w, double h) {
    Fill();
    Painter.drawRect(QRectF(x, y, w, h));
  }
  void Outline(double x, double y, double w, double h) {
    Stroke(1);
    Painter.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
  }
  void Triangle(QPointF a, QPointF b, QPointF c) {
    Fill();
    Painter.drawPolygon(QPolygonF({a, b, c}));
  }
  // Makes a part face again, so that a symbol can be drawn over another.
  void Clear(double x, double y, double w, double h) {
    Painter.save();
    Painter.setCompositionMode(QPainter::CompositionMode_Clear);
    Painter.fillRect(QRectF(x, y, w, h), Qt::black);
    Painter.restore();
  }

  // A lens with a handle to the lower right; what it shows is drawn inside the lens, about (6, 6).
  void Magnifier() {
    Stroke(1.4);
    Painter.drawEllipse(QPointF(6.5, 6.5), 4.8, 4.8);
    Line(10.2, 10.2, 14.5, 14.5, 2.6);
  }
  // A double-headed arrow across the cell at mid height, from x1 to x2, its heads `head` long.
  void DoubleArrow(double x1, double x2, double head) {
    Box(x1 + head - 1, 7, x2 - x1 - 2 * head + 2, 2);
    Triangle({x1, 8}, {x1 + head, 8 - head}, {x1 + head, 8 + head});
    Triangle({x2, 8}, {x2 - head, 8 - head}, {x2 - head, 8 + head});
  }

private:
  QPainter Painter;
};

void ArrowDown(TGlyphPen& g) {
  g.Box(6, 2, 4, 6);
  g.Triangle({2, 7}, {14, 7}, {8, 13.5});
}

void Play(TGlyphPen& g) { g.Triangle({4.5, 2.5}, {12.5, 8}, {4.5, 13.5}); }

void Pause(TGlyphPen& g) {
  g.Box(4, 3, 3, 10);
  g.Box(9, 3, 3, 10);
}

void ZoomIn(TGlyphPen& g) {
  g.Magnifier();
  g.Box(4, 6, 5, 1);
  g.Box(6, 4, 1, 5);
}

void ZoomOut(TGlyphPen& g) {
  g.Magnifier();
  g.Box(4, 6, 5, 1);
}

void ZoomOff(TGlyphPen& g) {
  g.Magnifier();
  for (int i = 0; i < 5; ++i) {
    g.Box(4 + i, 4 + i, 1, 1);
    g.Box(8 - i, 4 + i, 1, 1);
  }
}

void Printer(TGlyphPen& g) {
  g.Outline(4, 1, 8, 5);
  g.Box(1, 6, 14, 6);
  g.Clear(4, 9, 8, 5);
  g.Outline(4, 9, 8, 6);
  g.Box(6, 11, 4, 1);
}

void Diskette(TGlyphPen& g) {
  g.Stroke(1);
  g.P().drawPolygon(QPolygonF({{2.5, 2.5}, {11.5, 2.5}, {13.5, 4.5}, {13.5, 13.5}, {2.5, 13.5}}));
  g.Box(5, 3, 5, 3);
  g.Clear(8, 4, 1, 1);
  g.Outline(4, 9, 8, 5);
}

void Copy(TGlyphPen& g) {
  g.Outline(2, 1, 8, 10);
  g.Clear(5, 5, 10, 11);
  g.Outline(6, 5, 8, 10);
  for (int y : {8, 10, 12}) g.Box(8, y, 4, 1);
}

void Wrench(TGlyphPen& g) {
  g.Line(3, 13, 9, 7, 2.6);
  g.Fill();
  g.P().drawEllipse(QPointF(10.5, 5.5), 3.6, 3.6);
  // The jaw's opening faces the upper right.
  g.P().save();
  g.P().translate(10.5, 5.5);
  g.P().rotate(45);
  g.Clear(-1.1, -5, 2.2, 5.2);
  g.P().restore();
}

// The arrow inside the lens points left (back) or right (forward).
void ZoomHistory(TGlyphPen& g, bool forward) {
  g.Magnifier();
  g.P().save();
  if (forward) {
    g.P().translate(13, 0);
    g.P().scale(-1, 1);
  }
  g.Triangle({3, 6.5}, {6, 3.5}, {6, 9.5});
  g.Box(5, 6, 4, 1);
  g.P().restore();
}

void FourArrows(TGlyphPen& g) {
  g.DoubleArrow(1.5, 14.5, 3);
  g.P().save();
  g.P().translate(16, 0);
  g.P().rotate(90);
  g.DoubleArrow(1.5, 14.5, 3);
  g.P().restore();
}

void Hand(TGlyphPen& g) {
  for (double x : {4, 6, 8, 10}) g.Box(x, x == 4 || x == 10 ? 4 : 2, 1.4, 7);
  g.Fill();
  g.P().drawRoundedRect(QRectF(4, 8, 7.5, 6), 2, 2);
  g.Line(5, 12, 2, 8, 1.6);
}

void Magnifier(TGlyphPen& g) { g.Magnifier(); }

// The end stops are symbol; the arrow between them has its own key.
void OneDirection(TGlyphPen& symbol, TGlyphPen& arrow) {
  symbol.Box(2, 3, 1, 10);
  symbol.Box(13, 3, 1, 10);
  arrow.DoubleArrow(3.5, 12.5, 3);
}

using TPaint = void (*)(TGlyphPen& symbol, TGlyphPen& arrow);

// Glyphs made of another turned or mirrored.
template <void (*Paint)(TGlyphPen&)>
void Plain(TGlyphPen& symbol, TGlyphPen&) {
  Paint(symbol);
}
void ArrowUp(TGlyphPen& g, TGlyphPen&) {
  g.P().translate(0, 16);
  g.P().scale(1, -1);
  ArrowDown(g);
}
void Back(TGlyphPen& g, TGlyphPen&) { ZoomHistory(g, false); }
void Forward(TGlyphPen& g, TGlyphPen&) { ZoomHistory(g, true); }
void VerticalArrows(TGlyphPen& symbol, TGlyphPen& arrow) {
  for (TGlyphPen* pen : {&symbol, &arrow}) {
    pen->P().translate(16, 0);
    pen->P().rotate(90);
  }
  OneDirection(symbol, arrow);
}

constexpr std::array<TPaint, Count> Glyphs = {
    Plain<ArrowDown>, ArrowUp,           Plain<Play>,      Plain<Pause>, Plain<ZoomIn>, Plain<ZoomOut>,
    Plain<ZoomOff>,   Plain<Printer>,    Plain<Diskette>,  Plain<Copy>,  Plain<Wrench>, Back,
    Forward,          Plain<FourArrows>, Plain<Magnifier>, Plain<Hand>,  OneDirection,  VerticalArrows};

QImage EmptyMask() {
  QImage mask(Width, Height, QImage::Format_ARGB32_Premultiplied);
  mask.fill(Qt::transparent);
  return mask;
}

QRgb KeyAt(const QImage& symbol, const QImage& arrow, int x, int y) {
  const bool edgeX = x == 0 || x == Width - 1, edgeY = y == 0 || y == Height - 1;
  if (edgeX && edgeY) return KeyCorner;
  if (edgeX || edgeY) return KeyBorder;
  if (qAlpha(arrow.pixel(x, y)) >= 128) return KeyArrow;
  const int coverage = qAlpha(symbol.pixel(x, y));
  if (coverage >= SymbolCoverage) return KeySymbol;
  if (coverage >= EdgeCoverage) return KeyEdge;
  return KeyFace;
}

QImage PaintStrip() {
  QImage strip(Count * Width, Height, QImage::Format_RGB32);
  for (int index = 0; index < Count; ++index) {
    QImage symbol = EmptyMask(), arrow = EmptyMask();
    {
      TGlyphPen symbolPen(symbol), arrowPen(arrow);
      Glyphs[static_cast<size_t>(index)](symbolPen, arrowPen);
    }
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) strip.setPixel(index * Width + x, y, KeyAt(symbol, arrow, x, y));
  }
  return strip;
}

}  // namespace

const QImage& Strip() {
  static const QImage strip = PaintStrip();
  return strip;
}

}  // namespace KvButtonGlyphs
