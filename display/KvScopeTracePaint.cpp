#include "display/KvScopeTracePaint.h"

#include "display/KvCanvas.h"
#include "display/KvScopePoints.h"
#include "display/KvScopeTrace.h"

#include <algorithm>
#include <array>

namespace {

// Calls `run` with the first point and the count of every stretch between breaks.
template <class Run>
void ForEachRun(const TKvScopeTrace& trace, Run run) {
  const std::vector<QPoint>& points = trace.Points();
  size_t start = 0;
  for (size_t end : trace.Breaks()) {
    run(points.data() + start, int(end - start));
    start = end;
  }
  if (start < points.size()) run(points.data() + start, int(points.size() - start));
}

void PaintLines(TKvCanvas& canvas, const TKvScopeTrace& trace, const TKvTraceStyle& style) {
  canvas.SetPen(style.Color, style.Width);
  ForEachRun(trace, [&](const QPoint* points, int count) {
    canvas.Polyline(points, count);
    // Lines leave out their last pixel.
    canvas.SetPixel(points[count - 1].x(), points[count - 1].y(), style.Color);
  });
}

void PaintSteps(TKvCanvas& canvas, const TKvScopeTrace& trace, const TKvTraceStyle& style,
                std::vector<QPoint>& corners) {
  canvas.SetPen(style.Color, style.Width);
  ForEachRun(trace, [&](const QPoint* points, int count) {
    corners.clear();
    corners.push_back(points[0]);
    for (int i = 1; i < count; ++i) {
      // Along X first, then along Y.
      const QPoint from = points[i - 1], to = points[i];
      corners.push_back(style.Vertical ? QPoint(from.x(), to.y()) : QPoint(to.x(), from.y()));
      corners.push_back(to);
    }
    canvas.Polyline(corners.data(), int(corners.size()));
    canvas.SetPixel(corners.back().x(), corners.back().y(), style.Color);
  });
}

void PaintBars(TKvCanvas& canvas, const TKvScopeTrace& trace, const TKvTraceStyle& style) {
  const int width = style.Width, half = width / 2;
  const std::vector<QPoint>& points = trace.Points();
  for (size_t i = 0; i < points.size(); ++i) {
    if (style.KeepBar && !(*style.KeepBar)(i, style.Highlight)) continue;
    const QPoint point = points[i];
    const int along = style.Vertical ? point.y() : point.x();
    const int across = style.Vertical ? point.x() : point.y();
    // From the point (its pixel included) to the base; a highlight reaches one pixel further.
    const int grow = style.Highlight ? 1 : 0;
    const int low = across < style.BarBase ? across - grow : style.BarBase;
    const int high = across < style.BarBase ? style.BarBase : across + 1 + grow;
    const TKvRect bar = style.Vertical ? TKvRect{low, along - half, high, along - half + width}
                                       : TKvRect{along - half, low, along - half + width, high};
    canvas.FillRect(bar, style.Color);
  }
}

void PaintPixels(TKvCanvas& canvas, const TKvScopeTrace& trace, const TKvTraceStyle& style) {
  const int grow = style.Highlight ? 1 : 0;
  for (const QPoint point : trace.Points())
    canvas.FillRect({point.x() - grow, point.y() - grow, point.x() + 1 + grow, point.y() + 1 + grow}, style.Color);
}

void PaintMarks(TKvCanvas& canvas, const TKvScopeTrace& trace, const TKvTraceStyle& style) {
  const TKvScopePoints& marks = *style.Points;
  const TKvScopePointShape shape = marks.Shape();
  const bool lines = shape == TKvScopePointShape::psPlus || shape == TKvScopePointShape::psCross ||
                     shape == TKvScopePointShape::psStar;
  SetPointMarkColours(canvas, marks, style.Color, style.Highlight, style.Highlight && lines ? 3 : 1);
  const int size = int(marks.Size()) + (style.Highlight ? 1 : 0);
  for (const QPoint p : trace.Points()) PaintPointMark(canvas, shape, p.x(), p.y(), size);
  canvas.SetClearBrush();
}

}  // namespace

void SetPointMarkColours(TKvCanvas& canvas, const TKvScopePoints& points, TColor colour, bool highlight, int width) {
  const bool own = !highlight && !points.UseChannelColor();
  canvas.SetPen(own ? points.Pen()->Color() : colour, width);
  if (own && points.Brush()->Style() == TKvBrushStyle::bsClear) canvas.SetClearBrush();
  else canvas.SetBrush(own ? points.Brush()->Color() : colour);
}

void PaintPointMark(TKvCanvas& canvas, TKvScopePointShape shape, int x, int y, int size) {
  const TKvRect box{x - size, y - size, x + size + 1, y + size + 1};
  switch (shape) {
    case TKvScopePointShape::psCircle: canvas.Ellipse(box); break;
    case TKvScopePointShape::psSquare: canvas.Rectangle(box); break;
    case TKvScopePointShape::psDiamond: {
      const std::array<QPoint, 4> corners = {QPoint(x, box.Top), QPoint(box.Right - 1, y), QPoint(x, box.Bottom - 1),
                                             QPoint(box.Left, y)};
      canvas.Polygon(corners.data(), int(corners.size()));
      break;
    }
    default:
      if (shape != TKvScopePointShape::psCross) {
        canvas.Line(x, box.Top, x, box.Bottom);
        canvas.Line(box.Left, y, box.Right, y);
      }
      if (shape != TKvScopePointShape::psPlus) {
        canvas.Line(box.Left, box.Top, box.Right, box.Bottom);
        canvas.Line(box.Left, box.Bottom - 1, box.Right, box.Top - 1);
      }
      break;
  }
}

void PaintTrace(TKvCanvas& canvas, const TKvScopeTrace& trace, const TKvTraceStyle& style,
                std::vector<QPoint>& scratch) {
  if (trace.Points().empty()) return;
  switch (style.Mode) {
    case TKvChannelMode::cmLine: PaintLines(canvas, trace, style); break;
    case TKvChannelMode::cmStep: PaintSteps(canvas, trace, style, scratch); break;
    case TKvChannelMode::cmBar: PaintBars(canvas, trace, style); break;
    case TKvChannelMode::cmPoint:
      if (!style.Points || !style.Points->Visible()) PaintPixels(canvas, trace, style);
      break;
  }
  if (style.Points && style.Points->Visible()) PaintMarks(canvas, trace, style);
}
