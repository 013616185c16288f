#include "display/KvBrush.h"

const TClassInfo& TKvBrush::StaticClassInfo() {
  static const TEnumNames<TKvBrushStyle> styles = {{TKvBrushStyle::bsSolid, "bsSolid"},
                                                   {TKvBrushStyle::bsClear, "bsClear"}};
  return DefineClass<TKvBrush, TPersistent>("TKvBrush", [](TPublished<TKvBrush>& p) {
    p.Colour("Color", &TKvBrush::Color, &TKvBrush::SetColor, {}, [](const TKvBrush& brush) {
       return brush.Color_ != brush.DefaultColor;
     }).Enumeration("Style", styles, &TKvBrush::Style, &TKvBrush::SetStyle, {}, [](const TKvBrush& brush) {
      return brush.Style_ != brush.DefaultStyle;
    });
  });
}

void TKvBrush::SetColor(TColor color) {
  if (color == Color_) return;
  Color_ = color;
  OnChange(this);
}

void TKvBrush::SetStyle(TKvBrushStyle style) {
  if (style == Style_) return;
  Style_ = style;
  OnChange(this);
}
