// Drawing an axis: its line, ticks and labels, the mark that follows the mouse, and the caption.
#include "display/KvCanvas.h"
#include "display/KvDataDisplay.h"
#include "display/KvDisplayAxis.h"

namespace {

// Tick lengths from the tick line, and where labels start beyond it.
constexpr int TickStart = 2;
constexpr int MinorTickEnd = 7;
constexpr int MajorTickEnd = 9;
constexpr int LabelGap = 10;
// The caption's distance from the axis's outer edge.
constexpr int CaptionGap = 2;

}  // namespace

void TKvDisplayAxis::Paint(TKvCanvas& canvas, bool exporting, bool) {
  PaintBackground(canvas);
  if (TrackCursor() && !Display().IsDesigning() && !exporting && MouseOverDataView()) PaintTrackingMark(canvas);
  PaintScale(canvas, true);
  PaintCaption(canvas);
  if (!exporting && ToolBar_.ShouldPaint()) ToolBar_.PaintBar(canvas);
}

void TKvDisplayAxis::PaintScale(TKvCanvas& canvas, bool drawLine) const {
  canvas.SetPen(Color_);
  canvas.SetFont(Metrics().Font(), Font_.Color());
  canvas.SetClearBrush();
  const TKvRect area = DataViewRect();
  const TKvRect& view = ViewRect();
  const int offset = GetTickOffset();
  const int height = Metrics().Height();
  switch (GetAlign()) {
    case TKvViewAlign::vaBottom: {
      const int f = view.Top + offset;
      if (drawLine) canvas.Line(area.Left, f + TickStart, area.Right, f + TickStart);
      ForEachTick([&](const TKvTick& tick) {
        canvas.Line(tick.Pixel, f + TickStart, tick.Pixel, f + (tick.Major ? MajorTickEnd : MinorTickEnd));
        if (!tick.Major) return;
        const std::string label = LabelOf(tick.Value);
        canvas.TextOut(tick.Pixel - canvas.TextWidth(label) / 2, f + LabelGap + 1, label);
      });
      break;
    }
    case TKvViewAlign::vaTop: {
      const int f = view.Bottom - offset;
      if (drawLine) canvas.Line(area.Left, f - TickStart, area.Right, f - TickStart);
      ForEachTick([&](const TKvTick& tick) {
        canvas.Line(tick.Pixel, f - TickStart, tick.Pixel, f - (tick.Major ? MajorTickEnd : MinorTickEnd));
        if (!tick.Major) return;
        const std::string label = LabelOf(tick.Value);
        canvas.TextOut(tick.Pixel - canvas.TextWidth(label) / 2, f - LabelGap - height, label);
      });
      break;
    }
    case TKvViewAlign::vaLeft: {
      const int f = view.Right - offset;
      if (drawLine) canvas.Line(f - TickStart, area.Top, f - TickStart, area.Bottom);
      ForEachTick([&](const TKvTick& tick) {
        canvas.Line(f - (tick.Major ? MajorTickEnd - 1 : MinorTickEnd - 1), tick.Pixel, f - TickStart, tick.Pixel);
        if (!tick.Major) return;
        const std::string label = LabelOf(tick.Value);
        canvas.TextOut(f - LabelGap - canvas.TextWidth(label), tick.Pixel - height / 2, label);
      });
      break;
    }
    default: {
      const int f = view.Left + offset;
      if (drawLine) canvas.Line(f + TickStart, area.Top, f + TickStart, area.Bottom);
      ForEachTick([&](const TKvTick& tick) {
        canvas.Line(f + TickStart, tick.Pixel, f + (tick.Major ? MajorTickEnd - 1 : MinorTickEnd - 1), tick.Pixel);
        if (!tick.Major) return;
        canvas.TextOut(f + LabelGap, tick.Pixel - height / 2, LabelOf(tick.Value));
      });
      break;
    }
  }
}

void TKvDisplayAxis::PaintTrackingMark(TKvCanvas& canvas) const {
  canvas.SetPen(TrackColor());
  const TKvRect& view = ViewRect();
  const QPoint mouse = Display().MousePosition();
  // From just inside the edge next to the data view to the axis's outer edge.
  switch (GetAlign()) {
    case TKvViewAlign::vaBottom: canvas.Line(mouse.x(), view.Top + 5, mouse.x(), view.Bottom); break;
    case TKvViewAlign::vaTop: canvas.Line(mouse.x(), view.Bottom - 5, mouse.x(), view.Top - 1); break;
    case TKvViewAlign::vaLeft: canvas.Line(view.Right - 4, mouse.y(), view.Left - 1, mouse.y()); break;
    default: canvas.Line(view.Left + 4, mouse.y(), view.Right, mouse.y()); break;
  }
}

TKvRect TKvDisplayAxis::CaptionRect() const {
  if (!AxisLabel_.Visible()) return {};
  const std::string text = GetCaption();
  const int width = CaptionMetrics().Width(text), height = CaptionMetrics().Height();
  const TKvRect area = DataViewRect();
  const TKvRect& view = ViewRect();
  switch (GetAlign()) {
    case TKvViewAlign::vaLeft: {
      const int bottom = area.Top + (area.Height() + width) / 2;
      return {view.Left + CaptionGap, bottom - width, view.Left + CaptionGap + height, bottom};
    }
    case TKvViewAlign::vaRight: {
      const int top = area.Top + (area.Height() - width) / 2;
      return {view.Right - CaptionGap - height, top, view.Right - CaptionGap, top + width};
    }
    case TKvViewAlign::vaTop: {
      const int left = area.Left + (area.Width() - width) / 2;
      return {left, view.Top + CaptionGap, left + width, view.Top + CaptionGap + height};
    }
    default: {
      const int left = area.Left + (area.Width() - width) / 2;
      return {left, view.Bottom - CaptionGap - height, left + width, view.Bottom - CaptionGap};
    }
  }
}

void TKvDisplayAxis::PaintCaption(TKvCanvas& canvas) const {
  const TKvRect box = CaptionRect();
  if (box.IsEmpty()) return;
  if (CaptionHovered && Button_.Enabled()) {
    // The caption shows as a button while the mouse is over it.
    const TColor border = CaptionPressed ? Button_.MouseDownBorderColor() : Button_.MouseOverBorderColor();
    canvas.SetBrush(CaptionPressed ? Button_.MouseDownColor() : Button_.MouseOverColor());
    canvas.SetPen(border);
    const TKvRect frame{box.Left - 2, box.Top - 1, box.Right + 2, box.Bottom + 1};
    canvas.Rectangle(frame);
    for (const auto& [x, y] :
         {std::pair{frame.Left + 1, frame.Top + 1}, std::pair{frame.Right - 2, frame.Top + 1},
          std::pair{frame.Left + 1, frame.Bottom - 2}, std::pair{frame.Right - 2, frame.Bottom - 2}})
      canvas.SetPixel(x, y, border);
  }
  canvas.SetClearBrush();
  canvas.SetFont(CaptionMetrics().Font(), AxisLabel_.Font()->Color());
  const std::string text = GetCaption();
  switch (GetAlign()) {
    case TKvViewAlign::vaLeft: canvas.RotatedTextOut(box.Left, box.Bottom, text, 90); break;
    case TKvViewAlign::vaRight: canvas.RotatedTextOut(box.Right, box.Top, text, 270); break;
    default: canvas.TextOut(box.Left, box.Top, text); break;
  }
}
