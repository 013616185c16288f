#pragma once

#include "platform/Collection.h"
#include "platform/Colors.h"
#include "platform/Event.h"
#include "platform/Published.h"

#include <string>

class TKvBrush;
class TKvCanvas;
class TKvDataDisplay;
class TPen;

// An item was clicked, a legend entry or a channel in the plot: who tells (the legend group, the
// scope), the item's index; a handler that sets `handled` takes the click over from what it
// would do else (open the property dialog, start a zoom).
using TKvChartItemClickEvent = void(TObject* sender, int channelIndex, bool& handled);

// An item of one of a display's collections (channels, cursors, markers, zones …): it has a name
// and knows how it appears in the legend. The legend asks every item through these operations, so
// a kind of item that draws its own sample or can be highlighted overrides them.
class TKvDisplayCollectionItem : public TLkExtCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayCollectionItem(TCollection& collection, TKvDataDisplay& display);

  TKvDataDisplay& Display() const { return Display_; }
  const std::string& Name() const { return Name_; }
  virtual void SetName(const std::string& name);

  // The colour of the default sample (a small filled rectangle) when the item has no pen or brush.
  virtual TColor GetLegendColor() const { return clRed; }
  virtual bool HasLegendPen() const { return false; }
  virtual const TPen* GetLegendPen() const { return nullptr; }
  virtual bool HasLegendBrush() const { return false; }
  virtual const TKvBrush* GetLegendBrush() const { return nullptr; }
  // Draws the item's own sample around (x, y); false leaves the default sample to the legend.
  virtual bool DrawLegendSample(TKvCanvas& canvas, int x, int y) const;
  virtual bool IsLegendVisible() const { return true; }
  // The item is the one under the mouse in the data view and its kind highlights its entry.
  virtual bool IsHighlighted() const { return false; }
  // The item's legend entry is hovered (on) or no entry of its group is (off).
  virtual void SetLegendHighlight(bool on);
  virtual bool IsSelected() const { return false; }
  void Changed();

private:
  TKvDataDisplay& Display_;
  std::string Name_;
};
