#include "display/KvCanvas.h"

#include "platform/Font.h"

#include <QPaintDevice>

#include <cstdlib>

namespace {

QPainter::CompositionMode CompositionOf(TPenMode mode) {
  switch (mode) {
    case TPenMode::pmNot: return QPainter::RasterOp_NotDestination;
    case TPenMode::pmNotCopy: return QPainter::RasterOp_NotSource;
    case TPenMode::pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case TPenMode::pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case TPenMode::pmMask: return QPainter::RasterOp_SourceAndDestination;
    case TPenMode::pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case TPenMode::pmXor: return QPainter::RasterOp_SourceXorDestination;
    case TPenMode::pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case TPenMode::pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case TPenMode::pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case TPenMode::pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case TPenMode::pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

Qt::PenStyle QtStyleOf(TPenStyle style) {
  switch (style) {
    case TPenStyle::psDash: return Qt::DashLine;
    case TPenStyle::psDot: return Qt::DotLine;
    case TPenStyle::psDashDot: return Qt::DashDotLine;
    case TPenStyle::psDashDotDot: return Qt::DashDotDotLine;
    case TPenStyle::psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

}  // namespace

TKvCanvas::TKvCanvas(QPainter& painter, const QPalette& palette)
    : Painter_(painter),
      Palette(palette),
      Ratio(painter.device() ? painter.device()->devicePixelRatioF() : 1.0),
      Metrics_(painter.font()) {
  // Whole pixels only: edges never blend into their neighbours. Text keeps its own smoothing.
  Painter_.setRenderHint(QPainter::Antialiasing, false);
}

void TKvCanvas::SetPen(TColor color, int width, TPenStyle style, TPenMode mode) {
  PenColor = color;
  PenWidth = width < 1 ? 1 : width;
  PenStyle = style == TPenStyle::psInsideFrame ? TPenStyle::psSolid : style;
  PenMode = mode;
}

void TKvCanvas::SetFont(const TFont& font) { SetFont(font.ToQFont(), font.Color()); }

void TKvCanvas::SetFont(const QFont& font, TColor color) {
  if (font != Metrics_.Font()) Metrics_ = TKvTextMetrics(font);
  FontColor = color;
}

QRectF TKvCanvas::ToRect(const TKvRect& rect) const { return QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()); }

void TKvCanvas::FillRect(const TKvRect& rect) {
  if (Brush) FillRect(rect, *Brush);
}

void TKvCanvas::FillRect(const TKvRect& rect, TColor color) {
  if (rect.IsEmpty()) return;
  Painter_.fillRect(ToRect(rect), ToColor(color));
}

void TKvCanvas::Rectangle(const TKvRect& rect) {
  if (rect.IsEmpty()) return;
  FillRect({rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1});
  MoveTo(rect.Left, rect.Top);
  LineTo(rect.Right - 1, rect.Top);
  LineTo(rect.Right - 1, rect.Bottom - 1);
  LineTo(rect.Left, rect.Bottom - 1);
  LineTo(rect.Left, rect.Top);
}

void TKvCanvas::LineTo(int x, int y) {
  const int x1 = PenX, y1 = PenY;
  MoveTo(x, y);
  if (PenStyle == TPenStyle::psClear || PenMode == TPenMode::pmNop || (x1 == x && y1 == y)) return;
  const bool straight = x1 == x || y1 == y;
  if (!straight || PenWidth > 1 || PenStyle != TPenStyle::psSolid) return StrokeLine(x1, y1, x, y);
  // A thin straight line is a run of whole pixels from the start up to, not including, the end.
  const TKvRect run = x1 == x ? TKvRect{x, std::min(y1, y + 1), x + 1, std::max(y1 + 1, y)}
                              : TKvRect{std::min(x1, x + 1), y, std::max(x1 + 1, x), y + 1};
  Painter_.setCompositionMode(CompositionOf(PenMode));
  FillRect(run, PenColor);
  Painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

bool TKvCanvas::PrepareStroke() {
  QPen pen(ToColor(PenColor));
  pen.setStyle(QtStyleOf(PenStyle));
  Painter_.setCompositionMode(CompositionOf(PenMode));
  Painter_.setBrush(Qt::NoBrush);
  if (PenWidth == 1 && Ratio == 1) {
    // The one-pixel pen of the platform leaves the last pixel out, as a flat cap does.
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    Painter_.setPen(pen);
    return false;
  }
  // Wide pens and every pen on a denser device run through the pixel centres, so that a
  // one-pixel line covers whole device pixels of its logical pixel.
  pen.setWidth(PenWidth);
  pen.setCapStyle(PenWidth > 1 ? Qt::RoundCap : Qt::FlatCap);
  pen.setJoinStyle(Qt::RoundJoin);
  Painter_.setPen(pen);
  return true;
}

void TKvCanvas::StrokeLine(int x1, int y1, int x2, int y2) {
  if (PrepareStroke()) Painter_.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
  else Painter_.drawLine(QPoint(x1, y1), QPoint(x2, y2));
  Painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TKvCanvas::Polyline(const QPoint* points, int count) {
  if (count <= 0) return;
  MoveTo(points[count - 1].x(), points[count - 1].y());
  if (count < 2 || PenStyle == TPenStyle::psClear || PenMode == TPenMode::pmNop) return;
  if (PrepareStroke()) {
    Painter_.translate(0.5, 0.5);
    Painter_.drawPolyline(points, count);
    Painter_.translate(-0.5, -0.5);
  } else {
    Painter_.drawPolyline(points, count);
  }
  Painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TKvCanvas::PrepareShape() {
  if (PenStyle == TPenStyle::psClear) {
    Painter_.setPen(Qt::NoPen);
  } else {
    QPen pen(ToColor(PenColor));
    pen.setStyle(QtStyleOf(PenStyle));
    pen.setWidth(PenWidth);
    Painter_.setPen(pen);
  }
  if (Brush) Painter_.setBrush(ToColor(*Brush));
  else Painter_.setBrush(Qt::NoBrush);
}

void TKvCanvas::Ellipse(const TKvRect& rect) {
  if (rect.IsEmpty()) return;
  PrepareShape();
  // Aliased shapes cover the pixels their corners name: one less than the rectangle's extent.
  Painter_.drawEllipse(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
  Painter_.setBrush(Qt::NoBrush);
}

void TKvCanvas::Polygon(const QPoint* points, int count) {
  if (count < 2) return;
  PrepareShape();
  Painter_.drawPolygon(points, count);
  Painter_.setBrush(Qt::NoBrush);
}

void TKvCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  const QString string = QString::fromStdString(text);
  if (Brush) FillRect({x, y, x + Metrics_.Width(text), y + Metrics_.Height()}, *Brush);
  Painter_.setFont(Metrics_.Font());
  Painter_.setPen(ToColor(FontColor));
  Painter_.drawText(QPointF(x, y + Metrics_.Ascent()), string);
}

void TKvCanvas::RotatedTextOut(int x, int y, const std::string& text, int degrees) {
  Painter_.save();
  Painter_.translate(x, y);
  Painter_.rotate(-degrees);
  TextOut(0, 0, text);
  Painter_.restore();
}

void TKvCanvas::FocusRect(const TKvRect& rect) {
  if (rect.IsEmpty()) return;
  // Every other pixel of each edge, inverted: a checker pattern over one-pixel strips.
  const QBrush dots(Qt::white, Qt::Dense4Pattern);
  Painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  for (const TKvRect& edge : {TKvRect{rect.Left, rect.Top, rect.Right, rect.Top + 1},
                              TKvRect{rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom},
                              TKvRect{rect.Left, rect.Top + 1, rect.Left + 1, rect.Bottom - 1},
                              TKvRect{rect.Right - 1, rect.Top + 1, rect.Right, rect.Bottom - 1}})
    Painter_.fillRect(ToRect(edge), dots);
  Painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TKvCanvas::ClipTo(const TKvRect& rect) {
  const QRect area(rect.Left, rect.Top, std::max(rect.Width(), 0), std::max(rect.Height(), 0));
  Painter_.setClipRect(area, Painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TKvCanvas::ExcludeClip(const TKvRect& rect) {
  if (rect.IsEmpty()) return;
  const QRect area(rect.Left, rect.Top, rect.Width(), rect.Height());
  // Without clipping everything a coordinate can reach is drawable.
  const int limit = static_cast<int>(KvPixelLimit);
  const QRegion base = Painter_.hasClipping() ? Painter_.clipRegion() : QRegion(-limit, -limit, 2 * limit, 2 * limit);
  Painter_.setClipRegion(base.subtracted(area));
}
