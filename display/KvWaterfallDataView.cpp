#include "display/KvWaterfallDataView.h"

#include "display/KvBasicWaterfall.h"

const TClassInfo& TKvWaterfallDataView::StaticClassInfo() {
  return DefineClass<TKvWaterfallDataView, TKvCustomColorDisplayView>("TKvWaterfallDataView");
}

TKvWaterfallDataView::TKvWaterfallDataView(TKvBasicWaterfall& waterfall)
    : TKvCustomColorDisplayView(waterfall), Waterfall(waterfall) {}

void TKvWaterfallDataView::Paint(TKvCanvas& canvas, bool, bool) {
  PaintBackground(canvas);
  Waterfall.PaintPicture(canvas, *this);
}
