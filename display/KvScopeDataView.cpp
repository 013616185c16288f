#include "display/KvScopeDataView.h"

#include "display/KvCanvas.h"
#include "display/KvDataChart.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

const TClassInfo& TKvScopeDataView::StaticClassInfo() {
  return DefineClass<TKvScopeDataView, TKvCustomColorDisplayView>(
      "TKvScopeDataView", [](TPublished<TKvScopeDataView>& p) { p.Object("Border", &TKvScopeDataView::Border); });
}

TKvScopeDataView::TKvScopeDataView(TKvDataChart& chart)
    : TKvCustomColorDisplayView(chart), Chart(chart), Border_(chart, this, clGreen) {}

void TKvScopeDataView::Paint(TKvCanvas& canvas, bool, bool) {
  PaintBackground(canvas);
  if (Border_.Visible()) {
    canvas.SetPen(*Border_.Pen());
    canvas.SetClearBrush();
    canvas.Rectangle(ViewRect());
  }
  // The additional axes' lines first, the main axis's on top; the Y lines below the X lines.
  const TKvAdditionalYAxes& moreY = *Chart.YAxis()->AdditionalAxes();
  for (int i = moreY.Count() - 1; i >= 0; --i) PaintGrid(canvas, moreY.AxisAt(i), *moreY.AxisAt(i).DataView());
  PaintGrid(canvas, *Chart.YAxis(), *Chart.YAxis()->DataView());
  const TKvAdditionalXAxes& moreX = *Chart.XAxis()->AdditionalAxes();
  for (int i = moreX.Count() - 1; i >= 0; --i) PaintGrid(canvas, moreX.AxisAt(i), *moreX.AxisAt(i).DataView());
  PaintGrid(canvas, *Chart.XAxis(), *Chart.XAxis()->DataView());
}

void TKvScopeDataView::MouseMoveAt(Qt::KeyboardModifiers shift, int x, int y, bool& handled) {
  TKvCustomColorDisplayView::MouseMoveAt(shift, x, y, handled);
  Chart.UpdateHighlighting();
}

void TKvScopeDataView::MouseDownAt(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool& handled, bool inside,
                                   int x, int y) {
  TKvCustomColorDisplayView::MouseDownAt(button, shift, handled, inside, x, y);
  if (!handled && inside && button == Qt::LeftButton) handled = Chart.PressItemAt(x, y);
}

void TKvScopeDataView::MouseLeaveDisplay() {
  TKvCustomColorDisplayView::MouseLeaveDisplay();
  Chart.UpdateHighlighting();
}

void TKvScopeDataView::PaintGrid(TKvCanvas& canvas, const TKvTrackingOptionalAxis& axis,
                                 const TKvDisplayGridDirectionalLinesSettings& grid) const {
  const TKvDisplayGridLineSettings& lines = *grid.Lines();
  const TKvDisplayGridLineSettings& zero = *grid.ZeroLine();
  if (!lines.Visible() && !zero.Visible()) return;
  const TKvRect& rect = ViewRect();
  const bool horizontal = axis.IsVerticalLayout();
  axis.ForEachTick([&](const TKvTick& tick) {
    const TKvDisplayGridLineSettings& line = tick.Zero ? zero : lines;
    if (!tick.Major || !line.Visible()) return;
    canvas.SetPen(*line.Pen());
    if (horizontal) canvas.Line(rect.Left, tick.Pixel, rect.Right - 1, tick.Pixel);
    else canvas.Line(tick.Pixel, rect.Top, tick.Pixel, rect.Bottom - 1);
  });
}

void TKvScopeDataView::DefineProperties(TFiler& filer) {
  TKvCustomColorDisplayView::DefineProperties(filer);
  // A colour name or number, as colour properties are stored.
  const auto readColour = [](TLayoutReader& reader) { return published_detail::TColourCodec{}.Read(reader); };
  const auto never = [](TLayoutWriter&) {};
  filer.DefineProperty(
      "GridColor",
      [&](TLayoutReader& reader) {
        const TColor colour = readColour(reader);
        Chart.XAxis()->DataView()->Lines()->Pen()->SetColor(colour);
        Chart.YAxis()->DataView()->Lines()->Pen()->SetColor(colour);
      },
      never, false);
  filer.DefineProperty(
      "ZeroGridColor",
      [&](TLayoutReader& reader) {
        const TColor colour = readColour(reader);
        Chart.XAxis()->DataView()->ZeroLine()->Pen()->SetColor(colour);
        Chart.YAxis()->DataView()->ZeroLine()->Pen()->SetColor(colour);
      },
      never, false);
}
