// How a scope channel appears in the legend.
#include "display/KvCanvas.h"
#include "display/KvScope.h"
#include "display/KvScopeChannel.h"
#include "display/KvScopeTracePaint.h"

bool TKvScopeChannel::DrawLegendSample(TKvCanvas& canvas, int x, int y) const {
  const TColor colour = Color();
  if (ChannelMode() != TKvChannelMode::cmPoint) {
    canvas.SetPen(colour);
    canvas.SetBrush(colour);
    canvas.Rectangle({x, y - 1, x + 13, y + 2});
  }
  if (Points_.Visible()) {
    SetPointMarkColours(canvas, Points_, colour, false, 1);
    PaintPointMark(canvas, Points_.Shape(), x + 6, y, 3);
  } else if (ChannelMode() == TKvChannelMode::cmPoint) {
    canvas.SetPen(colour);
    canvas.SetBrush(colour);
    canvas.Ellipse({x + 5, y - 1, x + 8, y + 2});
  }
  return true;
}

bool TKvScopeChannel::IsHighlighted() const {
  return Scope_.HoverChannel() == Index() && Scope_.Highlighting()->Channels()->HiglightLegendButton();
}

void TKvScopeChannel::SetLegendHighlight(bool on) {
  Scope_.LegendChannel = on && Scope_.Highlighting()->Channels()->HiglightFromLegend() ? this : nullptr;
  Scope_.Redraw();
}
