#include "display/KvWaterfallLegendView.h"

const TClassInfo& TKvWaterfallLegendView::StaticClassInfo() {
  return DefineClass<TKvWaterfallLegendView, TKvLegendView>(
      "TKvWaterfallLegendView",
      [](TPublished<TKvWaterfallLegendView>& p) { p.Object("MarkerGroups", &TKvWaterfallLegendView::MarkerGroups); });
}

TKvWaterfallLegendView::TKvWaterfallLegendView(TKvDataDisplay& display)
    : TKvLegendView(display), MarkerGroups_(display, this, "Marker Groups") {
  AddGroup(MarkerGroups_);
}
