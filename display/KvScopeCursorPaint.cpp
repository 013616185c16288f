// Drawing the scope's cursors and cursor links.
#include "display/KvCanvas.h"
#include "display/KvCursorSnap.h"
#include "display/KvLabelTemplate.h"
#include "display/KvScope.h"
#include "display/KvScopeCursorLayer.h"

#include <algorithm>
#include <cmath>

namespace {

// Olive under a cursor or link while it is dragged, green under a hovered one's other line.
constexpr TColor DraggedColor = 0x008080;
constexpr TColor HoveredColor = 0x008000;

// A cursor's line at `pixel` across the view: a horizontal one when the pixel runs along Y.
void CursorLine(TKvCanvas& canvas, const TKvRect& view, int pixel, bool alongY) {
  if (alongY) canvas.Line(view.Left + 1, pixel, view.Right - 1, pixel);
  else canvas.Line(pixel, view.Top + 1, pixel, view.Bottom);
}

// Text kept inside the view, on the display's colour.
void BoxedText(TKvCanvas& canvas, const TKvRect& view, int x, int y, const std::string& text, TColor background) {
  const int width = canvas.TextWidth(text), height = canvas.TextHeight();
  x = std::max(view.Left, std::min(x, view.Right - width));
  y = std::max(view.Top, std::min(y, view.Bottom - height));
  canvas.SetBrush(background);
  canvas.TextOut(x, y, text);
}

// The cursors' own template: %V is the value text, %% a percent sign.
std::string CursorLabel(const std::string& pattern, const std::string& value) {
  return ExpandLabelTemplate(pattern.empty() ? "%V" : pattern,
                             [&](char letter) { return letter == 'V' ? std::optional(value) : std::nullopt; });
}

}  // namespace

void TKvScopeCursorLayer::PaintBehind(TKvCanvas& canvas) const {
  const TKvRect view = View();
  TKvClipGuard guard(canvas);
  canvas.ClipTo(view);
  const TKvDisplayCursorLinks& links = *Scope.CursorLinks();
  for (int i = 0; i < links.Count(); ++i) {
    const TKvDisplayCursorLink& link = links.Link(i);
    const TKvScopeSelection& selection = *link.Selection();
    if (!link.IsComplete() || !selection.Visible() || selection.Brush()->Style() == TKvBrushStyle::bsClear) continue;
    const TKvDisplayCursor &begin = *link.BeginCursor(), &end = *link.EndCursor();
    TKvRect band = view;
    bool any = false;
    // Narrows the band to the span between the two lines of one axis.
    const auto between = [&](bool xLines) {
      const auto a = LineOf(begin, xLines), b = LineOf(end, xLines);
      if (!a || !b) return;
      const bool alongY = xLines ? begin.XAxis().IsVerticalLayout() : begin.YAxis().IsVerticalLayout();
      const int low = std::min(a->Pixel, b->Pixel), high = std::max(a->Pixel, b->Pixel) + 1;
      if (alongY) band.Top = std::max(band.Top, low), band.Bottom = std::min(band.Bottom, high);
      else band.Left = std::max(band.Left, low), band.Right = std::min(band.Right, high);
      any = true;
    };
    const bool both = begin.Kind() == TKvDisplayCursorKind::ckBoth && end.Kind() == TKvDisplayCursorKind::ckBoth;
    if (SharesX(begin, end)) between(true);
    if ((both || !any) && SharesY(begin, end)) between(false);
    if (!any || band.IsEmpty()) continue;
    canvas.FillRect(band, selection.Brush()->Color());
  }
}

void TKvScopeCursorLayer::PaintOver(TKvCanvas& canvas) const {
  TKvClipGuard guard(canvas);
  canvas.ClipTo(View());
  const TKvDisplayCursors& cursors = *Scope.Cursors();
  for (int i = 0; i < cursors.Count(); ++i)
    if (cursors.Cursor(i).Visible()) PaintCursor(canvas, cursors.Cursor(i));
  const TKvDisplayCursorLinks& links = *Scope.CursorLinks();
  for (int i = 0; i < links.Count(); ++i)
    if (links.Link(i).IsComplete()) PaintLink(canvas, links.Link(i));
}

void TKvScopeCursorLayer::PaintCursor(TKvCanvas& canvas, const TKvDisplayCursor& cursor) const {
  const TKvRect view = View();
  const TKvDisplayItemHighlighting& highlighting = *Scope.Highlighting()->Cursors();
  const bool legend = LegendCursor == &cursor;
  const bool hovered = (HoveredCursor == &cursor && highlighting.HiglightFromMouse()) || legend;
  const bool dragged = DraggedCursor == &cursor;
  for (const bool xLine : {true, false}) {
    if (!(xLine ? cursor.HasXLine() : cursor.HasYLine())) continue;
    const auto line = LineOf(cursor, xLine);
    if (!line) continue;
    const bool alongY = xLine ? cursor.XAxis().IsVerticalLayout() : cursor.YAxis().IsVerticalLayout();
    if (hovered || dragged) {
      const bool hit = legend || (HoveredCursor == &cursor && (xLine ? HoveredX : HoveredY));
      canvas.SetPen(hit ? highlighting.Color() : dragged ? DraggedColor : HoveredColor, 3);
      CursorLine(canvas, view, line->Pixel, alongY);
    }
    // At the edge, dotted, when its value lies outside the view.
    canvas.SetPen(cursor.Color(), 1, line->Outside ? TPenStyle::psDot : TPenStyle::psSolid);
    CursorLine(canvas, view, line->Pixel, alongY);
    if (!line->Outside) PaintChannelLinks(canvas, cursor, xLine, line->Pixel);
    if (dragged && (xLine ? DraggedX : DraggedY)) PaintDragPreview(canvas, cursor, xLine);
  }
}

void TKvScopeCursorLayer::PaintDragPreview(TKvCanvas& canvas, const TKvDisplayCursor& cursor, bool xLine) const {
  const TKvDisplayAxis& axis = xLine ? static_cast<const TKvDisplayAxis&>(cursor.XAxis()) : cursor.YAxis();
  const TKvCursorAxisMapping mapping(axis);
  const double old = xLine ? cursor.Position()->X() : cursor.Position()->Y();
  const double value = DragValue(cursor, xLine, Mouse);
  const auto from = mapping.LineOf(old, true), to = mapping.LineOf(value, true);
  if (!to) return;
  const TKvRect view = View();
  const TColor color = Scope.Trails()->Color();
  canvas.SetPen(color, 1, TPenStyle::psDot);
  CursorLine(canvas, view, to->Pixel, mapping.AlongY());
  if (!to->Outside) PaintChannelLinks(canvas, cursor, xLine, to->Pixel);
  if (value == old || !from) return;
  canvas.SetPen(color);
  // Joined at the mouse, with the distance moved written over the join.
  const int across = mapping.AlongY() ? Mouse.x() : Mouse.y();
  if (mapping.AlongY()) canvas.Line(across, from->Pixel, across, to->Pixel);
  else canvas.Line(from->Pixel, across, to->Pixel, across);
  canvas.SetFont(*Scope.Trails()->Font());
  const std::string text = axis.LabelOf(value - old);
  const int middle = (from->Pixel + to->Pixel) / 2;
  if (mapping.AlongY()) BoxedText(canvas, view, across + 5, middle - canvas.TextHeight() / 2, text, Scope.Color());
  else BoxedText(canvas, view, middle - canvas.TextWidth(text) / 2, across - canvas.TextHeight(), text, Scope.Color());
}

void TKvScopeCursorLayer::PaintLink(TKvCanvas& canvas, const TKvDisplayCursorLink& link) const {
  const TKvScopeMeasurementLine& line = *link.MeasurementLine();
  if (!line.Visible()) return;
  const TKvDisplayCursor &begin = *link.BeginCursor(), &end = *link.EndCursor();
  const bool highlighted = DraggedLink == &link || LegendLink == &link ||
                           (HoveredLink == &link && Scope.Highlighting()->CursorLinks()->HiglightFromMouse());
  for (const bool xLines : {true, false}) {
    if (!(xLines ? SharesX(begin, end) : SharesY(begin, end))) continue;
    const TKvDisplayAxis& axis = xLines ? static_cast<const TKvDisplayAxis&>(begin.XAxis()) : begin.YAxis();
    const auto valueOf = [xLines](const TKvDisplayCursor& cursor) {
      return xLines ? cursor.Position()->X() : cursor.Position()->Y();
    };
    const int across = PercentPixel(xLines ? line.Y() : line.X(), !xLines);
    const auto a = LineOf(begin, xLines), b = LineOf(end, xLines);
    if (a && b && valueOf(begin) != valueOf(end) && a->Pixel != b->Pixel) {
      const std::string text =
          CursorLabel(line.MeasurementLabel()->Text(), axis.LabelOf(std::abs(valueOf(end) - valueOf(begin))));
      if (highlighted) {
        canvas.SetPen(DraggedLink == &link ? DraggedColor : Scope.Highlighting()->CursorLinks()->Color(), 3);
        MeasurementSegment(canvas, xLines, a->Pixel, b->Pixel, across);
      }
      PaintMeasurement(canvas, link, xLines, a->Pixel, b->Pixel, across, text, false);
    }
    // While one of the cursors is dragged by this line, the distance from the other to the mouse.
    const bool draggingBegin = DraggedCursor == &begin, draggingEnd = DraggedCursor == &end;
    if (!(draggingBegin || draggingEnd) || !(xLines ? DraggedX : DraggedY)) continue;
    const TKvDisplayCursor& fixed = draggingBegin ? end : begin;
    const double value = DragValue(*DraggedCursor.Get(), xLines, Mouse);
    const auto from = LineOf(fixed, xLines);
    const auto to = TKvCursorAxisMapping(axis).LineOf(value, true);
    if (!from || !to || value == valueOf(fixed) || from->Pixel == to->Pixel) continue;
    PaintMeasurement(canvas, link, xLines, from->Pixel, to->Pixel, across,
                     CursorLabel(line.MeasurementLabel()->Text(), axis.LabelOf(std::abs(value - valueOf(fixed)))),
                     true);
  }
}

void TKvScopeCursorLayer::MeasurementSegment(TKvCanvas& canvas, bool xLines, int from, int to, int across) const {
  const int low = std::min(from, to), high = std::max(from, to);
  if (xLines != Scope.IsVertical()) canvas.Line(low, across, high, across);
  else canvas.Line(across, low, across, high);
}

void TKvScopeCursorLayer::PaintMeasurement(TKvCanvas& canvas, const TKvDisplayCursorLink& link, bool xLines, int from,
                                           int to, int across, const std::string& text, bool trails) const {
  const TKvScopeMeasurementLine& line = *link.MeasurementLine();
  const TKvDisplayLabel& label = *line.MeasurementLabel();
  canvas.SetPen(trails ? Scope.Trails()->Color() : line.Color(), 1, line.Style(), line.Mode());
  MeasurementSegment(canvas, xLines, from, to, across);
  if (!label.Visible()) return;
  canvas.SetFont(trails ? *Scope.Trails()->Font() : *label.Font());
  const TKvRect view = View();
  const int middle = (from + to) / 2;
  // Over a line across the view, centred; beside one along it, 5 pixels to its right.
  if (xLines != Scope.IsVertical())
    BoxedText(canvas, view, middle - canvas.TextWidth(text) / 2, across - canvas.TextHeight(), text, Scope.Color());
  else BoxedText(canvas, view, across + 5, middle - canvas.TextHeight() / 2, text, Scope.Color());
}
