// The hit point's mark and its label.
#include "display/KvCanvas.h"
#include "display/KvDataDisplay.h"
#include "display/KvDisplayView.h"
#include "display/KvMouseHitPoint.h"

#include <algorithm>

void TKvDataDisplay::DrawPointLabel(TKvCanvas& canvas, const TKvHitPoint& point, const TKvMouseHitPoint& hitPoint,
                                    TColor pen) {
  const int x = point.Pixel.x(), y = point.Pixel.y();
  const TKvRect view = GetDataView()->GetRect();
  const TKvClipGuard guard(canvas);
  canvas.ClipTo(view);
  canvas.SetPen(pen);
  canvas.SetBrush(Color());
  canvas.Rectangle({x - 2, y - 2, x + 3, y + 3});
  const TKvDisplayLabel& label = *hitPoint.Label();
  if (!label.Visible()) return;
  std::string text = GetHitLabel(point);
  if (OnDataToolTip) {
    ToolTipOverride.reset();
    OnDataToolTip(this, point.Pixel, text, point.Values);
    if (ToolTipOverride) text = std::move(*ToolTipOverride);
    ToolTipOverride.reset();
  }
  if (text.empty()) return;
  canvas.SetFont(*label.Font());
  const int width = canvas.TextWidth(text), height = canvas.TextHeight();
  // Right of the mark and above it, unless that leaves the data view: then left of the mark, and
  // below the point when it would leave at the top.
  int left = x + 4, top = y - height;
  const bool pastRight = left + width + 4 + 3 > view.Right, aboveTop = top < view.Top;
  if (aboveTop) top += height;
  if (pastRight || aboveTop) left = std::max(x - width - 11, view.Left);
  canvas.Rectangle({left, top, left + width + 4, top + height + 2});
  canvas.TextOut(left + 2, top + 1, text);
}
