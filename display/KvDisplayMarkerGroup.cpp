#include "display/KvDisplayMarkerGroup.h"

#include "display/KvCanvas.h"
#include "display/KvDataDisplay.h"

#include <algorithm>

const TClassInfo& TKvDisplayMarkerGroup::StaticClassInfo() {
  return DefineClass<TKvDisplayMarkerGroup, TKvDisplayCollectionItem>(
      "TKvDisplayMarkerGroup", [](TPublished<TKvDisplayMarkerGroup>& p) {
        using C = TKvDisplayMarkerGroup;
        p.Boolean("Visible", &C::Visible, &C::SetVisible, true)
            .Object("Pen", &C::Pen)
            .Object("Brush", &C::Brush)
            .Enumeration("Shape", MarkerShapeNames(), &C::Shape, &C::SetShape, TKvDisplayMarkerShape::msPlus)
            .Integer("Size", &C::Size, &C::SetSize, 3)
            .Object("Labels", &C::Labels);
      });
}

TKvDisplayMarkerGroup::TKvDisplayMarkerGroup(TCollection& collection, TKvDataDisplay& display, TColor colour)
    : TKvDisplayCollectionItem(collection, display), Pen_(colour), Brush_(colour), Labels_(display, this) {
  Pen_.OnChange = [this](TObject*) { Changed(); };
  Brush_.OnChange = [this](TObject*) { Changed(); };
}

void TKvDisplayMarkerGroup::SetVisible(bool visible) {
  if (visible == Visible_) return;
  Visible_ = visible;
  Changed();
}

void TKvDisplayMarkerGroup::SetShape(TKvDisplayMarkerShape shape) {
  if (shape == Shape_) return;
  Shape_ = shape;
  Changed();
}

void TKvDisplayMarkerGroup::SetSize(int32_t size) {
  size = std::clamp(size, 0, MaxSize);
  if (size == Size_) return;
  Size_ = size;
  Changed();
}

void TKvDisplayMarkerGroup::SetUp(TKvCanvas& canvas) const {
  canvas.SetPen(Pen_);
  if (Brush_.Style() == TKvBrushStyle::bsClear) canvas.SetClearBrush();
  else canvas.SetBrush(Brush_.Color());
}

TKvRect TKvDisplayMarkerGroup::HitBox(int x, int y, bool vertical) const {
  if (!vertical) return MarkerHitBox(Shape_, x, y, Size_);
  const TKvRect turned = MarkerHitBox(Shape_, y, x, Size_);
  return {turned.Top, turned.Left, turned.Bottom, turned.Right};
}

bool TKvDisplayMarkerGroup::DrawLegendSample(TKvCanvas& canvas, int x, int y) const {
  SetUp(canvas);
  PaintMarkerShape(canvas, Shape_, x + 6, y, Size_, false);
  return true;
}

namespace {

bool IsLineShape(TKvDisplayMarkerShape shape) {
  using S = TKvDisplayMarkerShape;
  return shape == S::msPlus || shape == S::msCross || shape == S::msStar || shape == S::msHLine || shape == S::msVLine;
}

}  // namespace

void TKvDisplayMarkerGroup::PaintMarker(TKvCanvas& canvas, int x, int y, bool vertical, const TColor* highlight,
                                        const std::string& text) const {
  if (highlight) {
    canvas.SetPen(*highlight, Pen_.Width() + (IsLineShape(Shape_) ? 2 : 0));
    canvas.SetBrush(*highlight);
    PaintMarkerShape(canvas, Shape_, x, y, Size_ + 1, vertical);
  }
  SetUp(canvas);
  PaintMarkerShape(canvas, Shape_, x, y, Size_, vertical);
  if (!Labels_.Visible()) return;
  canvas.SetFont(*Labels_.Font());
  canvas.SetClearBrush();
  canvas.TextOut(x + 4, y - canvas.TextHeight(), text);
}
