#include "display/KvScopeCursorLayer.h"

#include "display/KvCursorSnap.h"
#include "display/KvScope.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A handler may delete the item whose event it is; the call runs on a copy, so the item's event
// may go while it runs.
template <class Event, class... Args>
void FireSafely(const Event& event, Args&&... args) {
  if (!event) return;
  const Event copy = event;
  copy(std::forward<Args>(args)...);
}

}  // namespace

bool TKvScopeCursorLayer::SharesX(const TKvDisplayCursor& a, const TKvDisplayCursor& b) {
  return a.HasXLine() && b.HasXLine() && &a.XAxis() == &b.XAxis();
}

bool TKvScopeCursorLayer::SharesY(const TKvDisplayCursor& a, const TKvDisplayCursor& b) {
  return a.HasYLine() && b.HasYLine() && &a.YAxis() == &b.YAxis();
}

TKvScopeCursorLayer::TKvScopeCursorLayer(TKvScope& scope) : Scope(scope) {}

TKvRect TKvScopeCursorLayer::View() const { return Scope.DataView()->ViewRect(); }

std::optional<TKvCursorAxisMapping::TLine> TKvScopeCursorLayer::LineOf(const TKvDisplayCursor& cursor,
                                                                       bool xLine) const {
  const TKvCursorAxisMapping mapping =
      xLine ? TKvCursorAxisMapping(cursor.XAxis()) : TKvCursorAxisMapping(cursor.YAxis());
  const TKvRealPoint position = cursor.Position()->Point();
  return mapping.LineOf(xLine ? position.X : position.Y, Scope.CursorsStayInView());
}

double TKvScopeCursorLayer::DragValue(const TKvDisplayCursor& cursor, bool xLine, QPoint mouse) const {
  const TKvDisplayAxis& axis = xLine ? static_cast<const TKvDisplayAxis&>(cursor.XAxis()) : cursor.YAxis();
  const TKvCursorAxisMapping mapping(axis);
  const double current = xLine ? cursor.Position()->X() : cursor.Position()->Y();
  const double value = mapping.ValueAt(mapping.AlongY() ? mouse.y() : mouse.x(), current);
  return value == current ? current : SnapCursorValue(Scope, axis, xLine, value);
}

int TKvScopeCursorLayer::PercentPixel(double percent, bool alongX) const {
  const TKvRect view = View();
  const bool vertical = Scope.IsVertical();
  const bool acrossX = alongX != vertical;
  const int pixels = std::max((acrossX ? view.Width() : view.Height()) - 1, 1);
  // X percentages and Y percentages in a vertical display run with the axis; otherwise Y rises
  // upwards from the bottom.
  const double fraction = alongX || vertical ? (percent + 100) / 200 : (100 - percent) / 200;
  return (acrossX ? view.Left : view.Top) + RoundPixel(fraction * pixels);
}

double TKvScopeCursorLayer::PercentAt(int pixel, bool alongX, double current) const {
  if (PercentPixel(current, alongX) == pixel) return current;
  const TKvRect view = View();
  const bool vertical = Scope.IsVertical();
  const bool acrossX = alongX != vertical;
  const int pixels = std::max((acrossX ? view.Width() : view.Height()) - 1, 1);
  const double fraction = double(pixel - (acrossX ? view.Left : view.Top)) / pixels;
  const double percent = alongX || vertical ? fraction * 200 - 100 : 100 - fraction * 200;
  return std::clamp(percent, -100.0, 100.0);
}

bool TKvScopeCursorLayer::HitsLink(const TKvDisplayCursorLink& link, int x, int y) const {
  if (!link.IsComplete() || !link.MeasurementLine()->Visible()) return false;
  const TKvDisplayCursor &begin = *link.BeginCursor(), &end = *link.EndCursor();
  const bool vertical = Scope.IsVertical();
  const auto near = [&](bool xLines, double percent) {
    const auto a = LineOf(begin, xLines), b = LineOf(end, xLines);
    if (!a || !b || a->Pixel == b->Pixel) return false;
    // The measurement line runs across the view at `across`, between the two lines.
    const int across = PercentPixel(percent, !xLines);
    const bool horizontal = xLines != vertical;
    const int along = horizontal ? x : y, side = horizontal ? y : x;
    return std::abs(side - across) < HitReach && along >= std::min(a->Pixel, b->Pixel) &&
           along <= std::max(a->Pixel, b->Pixel);
  };
  return (SharesX(begin, end) && near(true, link.MeasurementLine()->Y())) ||
         (SharesY(begin, end) && near(false, link.MeasurementLine()->X()));
}

TKvScopeCursorLayer::THit TKvScopeCursorLayer::HitTest(int x, int y) const {
  THit hit;
  const TKvDisplayCursors& cursors = *Scope.Cursors();
  for (int i = cursors.Count() - 1; i >= 0; --i) {
    TKvDisplayCursor& cursor = cursors.Cursor(i);
    if (!cursor.Visible()) continue;
    const auto hits = [&](bool xLine) {
      if (!(xLine ? cursor.HasXLine() : cursor.HasYLine())) return false;
      const auto line = LineOf(cursor, xLine);
      const bool alongY = xLine ? cursor.XAxis().IsVerticalLayout() : cursor.YAxis().IsVerticalLayout();
      return line && std::abs((alongY ? y : x) - line->Pixel) < HitReach;
    };
    hit.XLine = hits(true);
    hit.YLine = hits(false);
    if (hit.XLine || hit.YLine) {
      hit.Cursor = &cursor;
      return hit;
    }
  }
  const TKvDisplayCursorLinks& links = *Scope.CursorLinks();
  for (int i = links.Count() - 1; i >= 0; --i)
    if (HitsLink(links.Link(i), x, y)) {
      hit.Link = &links.Link(i);
      return hit;
    }
  return hit;
}

bool TKvScopeCursorLayer::UpdateHover(bool over, int x, int y) {
  Mouse = {x, y};
  const THit hit = over ? HitTest(x, y) : THit{};
  HoveredCursor = hit.Cursor;
  HoveredX = hit.XLine;
  HoveredY = hit.YLine;
  HoveredLink = hit.Link;
  return bool(hit);
}

bool TKvScopeCursorLayer::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
  if (button != Qt::LeftButton || !View().Contains(x, y)) return false;
  const THit hit = HitTest(x, y);
  if (!hit) return false;
  Mouse = {x, y};
  // The picture holds still under the dragged item.
  Pressed = true;
  Scope.SetDragInProgress(true);
  if (hit.Cursor) {
    DraggedCursor = hit.Cursor;
    DraggedX = hit.XLine;
    DraggedY = hit.YLine;
    const TLkItemRef<TKvDisplayCursor> cursor = hit.Cursor;
    FireSafely(cursor->OnMouseDown, cursor.Get(), button, shift, x, y);
    if (cursor) FireSafely(cursor->OnClick, cursor.Get());
  } else {
    DraggedLink = hit.Link;
  }
  Scope.Redraw();
  return true;
}

void TKvScopeCursorLayer::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
  if (button != Qt::LeftButton || !Pressed) return;
  const TLkItemRef<TKvDisplayCursor> cursor = DraggedCursor;
  const TLkItemRef<TKvDisplayCursorLink> link = DraggedLink;
  CancelDrag();
  if (cursor) {
    const TKvRealPoint old = cursor->Position()->Point();
    TKvRealPoint now = old;
    if (DraggedX) now.X = DragValue(*cursor.Get(), true, {x, y});
    if (DraggedY) now.Y = DragValue(*cursor.Get(), false, {x, y});
    if (now != old) {
      cursor->Position()->SetX(now.X);
      cursor->Position()->SetY(now.Y);
      FireSafely(Scope.Cursors()->OnPositionChange, &Scope, cursor->Index(), old, cursor->Position()->Point());
    }
    if (cursor) FireSafely(cursor->OnMouseUp, cursor.Get(), button, shift, x, y);
  } else if (link && link->IsComplete()) {
    TKvScopeMeasurementLine& line = *link->MeasurementLine();
    const TKvRealPoint old{line.X(), line.Y()};
    const bool vertical = Scope.IsVertical();
    TKvRealPoint now = old;
    if (SharesY(*link->BeginCursor(), *link->EndCursor())) now.X = PercentAt(vertical ? y : x, true, old.X);
    if (SharesX(*link->BeginCursor(), *link->EndCursor())) now.Y = PercentAt(vertical ? x : y, false, old.Y);
    if (now != old) {
      line.SetX(now.X);
      line.SetY(now.Y);
      FireSafely(Scope.CursorLinks()->OnPositionChange, &Scope, link->Index(), old, TKvRealPoint{line.X(), line.Y()});
    }
  }
  Scope.Redraw();
}

void TKvScopeCursorLayer::CancelDrag() {
  if (!Pressed) return;
  Pressed = false;
  DraggedCursor = nullptr;
  DraggedLink = nullptr;
  Scope.SetDragInProgress(false);
}

void TKvScopeCursorLayer::SetLegendCursor(TKvDisplayCursor* cursor) {
  LegendCursor = cursor;
  Scope.Redraw();
}

void TKvScopeCursorLayer::SetLegendLink(TKvDisplayCursorLink* link) {
  LegendLink = link;
  Scope.Redraw();
}
