#include "display/KvScopePoints.h"

#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

const TEnumNames<TKvScopePointShape>& PointShapeNames() {
  static const TEnumNames<TKvScopePointShape> names = {
      {TKvScopePointShape::psCircle, "psCircle"},   {TKvScopePointShape::psSquare, "psSquare"},
      {TKvScopePointShape::psDiamond, "psDiamond"}, {TKvScopePointShape::psPlus, "psPlus"},
      {TKvScopePointShape::psCross, "psCross"},     {TKvScopePointShape::psStar, "psStar"}};
  return names;
}

const TClassInfo& TKvScopePoints::StaticClassInfo() {
  return DefineClass<TKvScopePoints, TKvDisplaySettings>("TKvScopePoints", [](TPublished<TKvScopePoints>& p) {
    using C = TKvScopePoints;
    p.Boolean("Visible", &C::Visible, &C::SetVisible, false)
        .Enumeration("Shape", PointShapeNames(), &C::Shape, &C::SetShape, TKvScopePointShape::psCircle)
        .Unsigned("Size", &C::Size, &C::SetSize, 3u)
        .Boolean("UseChannelColor", &C::UseChannelColor, &C::SetUseChannelColor, true)
        .Object("Pen", &C::Pen)
        .Object("Brush", &C::Brush);
  });
}

TKvScopePoints::TKvScopePoints(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {
  Pen_.OnChange = [this](TObject*) { Changed(); };
  Brush_.OnChange = [this](TObject*) { Changed(); };
}

void TKvScopePoints::DefineProperties(TFiler& filer) {
  TKvDisplaySettings::DefineProperties(filer);
  filer.DefineProperty(
      "Color",
      [this](TLayoutReader& reader) {
        const TColor colour = published_detail::TColourCodec{}.Read(reader);
        Pen_.SetColor(colour);
        Brush_.SetColor(colour);
      },
      [](TLayoutWriter&) {}, false);
}
