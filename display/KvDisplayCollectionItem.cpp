#include "display/KvDisplayCollectionItem.h"

#include "display/KvDataDisplay.h"

const TClassInfo& TKvDisplayCollectionItem::StaticClassInfo() {
  return DefineClass<TKvDisplayCollectionItem, TLkExtCollectionItem>(
      "TKvDisplayCollectionItem", [](TPublished<TKvDisplayCollectionItem>& p) {
        p.String("Name", &TKvDisplayCollectionItem::Name, &TKvDisplayCollectionItem::SetName);
      });
}

TKvDisplayCollectionItem::TKvDisplayCollectionItem(TCollection& collection, TKvDataDisplay& display)
    : TLkExtCollectionItem(collection), Display_(display) {}

void TKvDisplayCollectionItem::SetName(const std::string& name) {
  if (name == Name_) return;
  Name_ = name;
  // The legend's width follows the longest name.
  Display_.Relayout();
}

bool TKvDisplayCollectionItem::DrawLegendSample(TKvCanvas& /*canvas*/, int /*x*/, int /*y*/) const { return false; }

void TKvDisplayCollectionItem::SetLegendHighlight(bool /*on*/) {}

void TKvDisplayCollectionItem::Changed() { Display_.Redraw(); }
