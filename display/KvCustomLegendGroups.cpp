#include "display/KvCustomLegendGroups.h"

#include "display/KvDataDisplay.h"

#include <string>

const TClassInfo& TKvCustomLegendItem::StaticClassInfo() {
  return DefineClass<TKvCustomLegendItem, TKvDisplayCollectionItem>(
      "TKvCustomLegendItem", [](TPublished<TKvCustomLegendItem>& p) {
        p.Object("Pen", &TKvCustomLegendItem::Pen).Object("Brush", &TKvCustomLegendItem::Brush);
      });
}

TKvCustomLegendItem::TKvCustomLegendItem(TCollection& collection)
    : TKvDisplayCollectionItem(collection, static_cast<TKvCustomLegendItems&>(collection).Display()) {
  // Counted with itself, which joins the collection once made.
  SetName("Item" + std::to_string(collection.Count() + 1));
  Pen_.OnChange = [this](TObject*) { Changed(); };
  Brush_.OnChange = [this](TObject*) { Changed(); };
}

const TClassInfo& TKvCustomLegendItems::StaticClassInfo() {
  return DefineClass<TKvCustomLegendItems, TLkExtCollection>("TKvCustomLegendItems",
                                                             [](TPublished<TKvCustomLegendItems>&) {});
}

TKvCustomLegendItems::TKvCustomLegendItems(TKvDataDisplay& display, TPersistent* owner)
    : TLkExtCollection(owner, ItemsOf<TKvCustomLegendItem>()), Display_(display) {}

const TClassInfo& TKvCustomLegendGroup::StaticClassInfo() {
  return DefineClass<TKvCustomLegendGroup, TKvLegendGroup>("TKvCustomLegendGroup",
                                                           [](TPublished<TKvCustomLegendGroup>&) {});
}

const TClassInfo& TKvLegendGroupCollectionItem::StaticClassInfo() {
  return DefineClass<TKvLegendGroupCollectionItem, TLkExtCollectionItem>(
      "TKvLegendGroupCollectionItem", [](TPublished<TKvLegendGroupCollectionItem>& p) {
        p.Object("LegendGroup", &TKvLegendGroupCollectionItem::LegendGroup)
            .Collection("Items", &TKvLegendGroupCollectionItem::Items);
      });
}

TKvLegendGroupCollectionItem::TKvLegendGroupCollectionItem(TCollection& collection)
    : TLkExtCollectionItem(collection),
      Items_(static_cast<TKvLegendGroupCollection&>(collection).Display(), this),
      Group_(static_cast<TKvLegendGroupCollection&>(collection).Display(), this) {
  Group_.Bind(&Items_);
}

const TClassInfo& TKvLegendGroupCollection::StaticClassInfo() {
  return DefineClass<TKvLegendGroupCollection, TLkExtCollection>("TKvLegendGroupCollection",
                                                                 [](TPublished<TKvLegendGroupCollection>&) {});
}

TKvLegendGroupCollection::TKvLegendGroupCollection(TKvDataDisplay& display, TPersistent* owner)
    : TLkExtCollection(owner, ItemsOf<TKvLegendGroupCollectionItem>()), Display_(display) {}
