#pragma once

#include "display/KvBrush.h"
#include "display/KvDisplayCollectionItem.h"
#include "display/KvLegendGroup.h"
#include "platform/Collection.h"
#include "platform/Pen.h"

// An entry the application puts into the legend: a name and the pen and brush of its sample.
class TKvCustomLegendItem : public TKvDisplayCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvCustomLegendItem(TCollection& collection);

  TPen* Pen() const { return const_cast<TPen*>(&Pen_); }
  TKvBrush* Brush() const { return const_cast<TKvBrush*>(&Brush_); }

  TColor GetLegendColor() const override { return Pen_.Color(); }
  bool HasLegendPen() const override { return true; }
  const TPen* GetLegendPen() const override { return &Pen_; }
  bool HasLegendBrush() const override { return true; }
  const TKvBrush* GetLegendBrush() const override { return &Brush_; }

private:
  TPen Pen_{clRed};
  TKvBrush Brush_{clRed};
};

// The entries of a custom legend group.
class TKvCustomLegendItems : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  TKvCustomLegendItems(TKvDataDisplay& display, TPersistent* owner);

  TKvDataDisplay& Display() const { return Display_; }
  TKvCustomLegendItem& Item(int index) const { return static_cast<TKvCustomLegendItem&>(Items(index)); }

private:
  TKvDataDisplay& Display_;
};

// A group of application-defined entries: clicking one never opens the property dialog, as the
// dialog knows nothing of them.
class TKvCustomLegendGroup : public TKvLegendGroup {
public:
  PUBLISHED_CLASS_INFO

  TKvCustomLegendGroup(TKvDataDisplay& display, TPersistent* owner) : TKvLegendGroup(display, owner, "Custom") {}

  bool AllowsPropertiesDialog() const override { return false; }
};

// One custom group of the legend with its entries.
class TKvLegendGroupCollectionItem : public TLkExtCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvLegendGroupCollectionItem(TCollection& collection);

  TKvCustomLegendGroup* LegendGroup() const { return const_cast<TKvCustomLegendGroup*>(&Group_); }
  TKvCustomLegendItems* Items() const { return const_cast<TKvCustomLegendItems*>(&Items_); }

private:
  // The entries outlive the group that lists them.
  TKvCustomLegendItems Items_;
  TKvCustomLegendGroup Group_;
};

// The legend's custom groups; each new one is listed after all the others.
class TKvLegendGroupCollection : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  TKvLegendGroupCollection(TKvDataDisplay& display, TPersistent* owner);

  TKvDataDisplay& Display() const { return Display_; }
  TKvLegendGroupCollectionItem& Group(int index) const {
    return static_cast<TKvLegendGroupCollectionItem&>(Items(index));
  }

private:
  TKvDataDisplay& Display_;
};
