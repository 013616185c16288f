// The marks and labels where a cursor's line crosses the channels it is linked to.
#include "display/KvCanvas.h"
#include "display/KvScope.h"
#include "display/KvScopeCursorLayer.h"

#include <algorithm>

void TKvScopeCursorLayer::PaintChannelLinks(TKvCanvas& canvas, const TKvDisplayCursor& cursor, bool xLine,
                                            int pixel) const {
  const TKvDisplayCursorChannelLinks& links = *cursor.Channels();
  const bool vertical = Scope.IsVertical();
  // The line's pixel runs along the picture's Y coordinate, or its X one.
  const bool alongY = xLine == vertical;
  for (int i = 0; i < links.Count(); ++i) {
    const TKvDisplayCursorChannelLink& link = links.Link(i);
    const TKvScopeChannel* channel = link.Channel();
    if (!channel || !channel->Visible()) continue;
    const TKvBasicScopeXAxis* xAxis = Scope.GetXAxisByIndex(channel->XAxisIndex());
    const TKvBasicScopeYAxis* yAxis = Scope.GetYAxisByIndex(channel->YAxisIndex());
    if (!xAxis || !yAxis || (xLine ? xAxis != &cursor.XAxis() : yAxis != &cursor.YAxis())) continue;
    const TKvScopeTrace& trace = channel->Trace();
    const TKvScopeChannelData& data = channel->Data();
    const std::vector<int>& along = xLine ? trace.FullX() : trace.FullY();
    const std::vector<int>& across = xLine ? trace.FullY() : trace.FullX();
    const size_t count =
        std::min(along.size(), size_t(data.Count() > trace.First() ? data.Count() - trace.First() : 0));
    const TColor color = link.UseChannelColor() ? channel->Color() : link.Pen()->Color();
    const TKvDisplayLabel& label = *link.ChannelLabel();
    const auto mark = [&](size_t k, double t) {
      const int c = RoundPixel(across[k] + t * (across[k + (t > 0)] - across[k]));
      const int x = alongY ? c : pixel, y = alongY ? pixel : c;
      canvas.SetPen(color, link.Pen()->Width(), link.Pen()->Style(), link.Pen()->Mode());
      if (link.Brush()->Style() == TKvBrushStyle::bsClear) canvas.SetClearBrush();
      else canvas.SetBrush(link.UseChannelColor() ? channel->Color() : link.Brush()->Color());
      PaintMarkerShape(canvas, link.Shape(), x, y, link.Size(), vertical);
      if (!label.Visible()) return;
      // The channel's values at the crossing, between the two samples.
      const uint32_t s = trace.First() + uint32_t(k), next = t > 0 ? s + 1 : s;
      const double xValue = data.X(s) + t * (data.X(next) - data.X(s));
      const double yValue = data.Y()[s] + t * (data.Y()[next] - data.Y()[s]);
      canvas.SetFont(*label.Font());
      canvas.SetClearBrush();
      canvas.TextOut(x + 4, y - canvas.TextHeight(),
                     Scope.FormatLabel(label.Text(), xLine ? "%Y" : "%X", "", xAxis->ToLabelUnits(xValue),
                                       yAxis->ToLabelUnits(yValue)));
    };
    for (size_t k = 0; k < count; ++k) {
      const int a0 = along[k], c0 = across[k];
      if (a0 == TKvScopeTrace::NoPixel || c0 == TKvScopeTrace::NoPixel) continue;
      if (a0 == pixel) {
        mark(k, 0);
        continue;
      }
      if (k + 1 >= count) continue;
      const int a1 = along[k + 1];
      if (a1 == TKvScopeTrace::NoPixel || across[k + 1] == TKvScopeTrace::NoPixel) continue;
      // Strictly between two samples: the crossing lies on the segment joining them.
      if (std::min(a0, a1) < pixel && pixel < std::max(a0, a1)) mark(k, double(pixel - a0) / (a1 - a0));
    }
  }
}
