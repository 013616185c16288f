#pragma once

#include "display/KvDisplayCollectionItem.h"
#include "display/KvDisplaySettings.h"
#include "display/KvTextMetrics.h"
#include "display/KvViewSettings.h"
#include "platform/Colors.h"
#include "platform/Cursors.h"
#include "platform/Event.h"

#include <optional>
#include <string>

class TKvBrush;
class TKvCanvas;
class TLkExtCollection;
class TPen;

// A group of a legend's entries: its caption, whether it shows, the cursor over its entries, and
// the entry under the mouse and the one pressed (-1 for none). Entries are reached by index; what
// an entry shows comes from its item.
class TKvBasicLegendGroup : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvBasicLegendGroup(TKvDataDisplay& display, TPersistent* owner, std::string defaultCaption);

  TKvDisplayLabel* Caption() const { return const_cast<TKvDisplayLabel*>(&Caption_); }
  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { Update(Visible_, visible); }
  TCursor Cursor() const { return Cursor_; }
  void SetCursor(TCursor cursor) { Update(Cursor_, cursor); }
  TEvent<TKvChartItemClickEvent> OnItemClick;

  // The caption's text, or the default one while it is empty.
  const std::string& CaptionText() const;
  const TKvTextMetrics& CaptionMetrics() const;

  int HoveredIndex() const { return Hovered; }
  int PressedIndex() const { return Pressed; }
  // A new entry under the mouse (or none): its item is told, and so is the first item when
  // none is.
  void SetHovered(int index);
  void SetPressed(int index) { Pressed = index; }
  // The items changed: the hovered and pressed entries no longer name what they named.
  void ForgetEntries();

  virtual int GetItemCount() const = 0;
  const std::string& GetItemText(int index) const;
  bool IsItemVisible(int index) const;
  void SetItemHighlight(int index, bool on) const;
  bool IsItemHighlighted(int index) const;
  bool IsItemSelected(int index) const;
  bool DrawItemSample(int index, TKvCanvas& canvas, int x, int y) const;
  TColor GetItemColor(int index) const;
  bool ItemHasPen(int index) const;
  const TPen* GetItemPen(int index) const;
  bool ItemHasBrush(int index) const;
  const TKvBrush* GetItemBrush(int index) const;
  virtual bool AllowsPropertiesDialog() const { return true; }
  // Shown and with entries.
  bool IsListed() const { return Visible_ && GetItemCount() > 0; }

protected:
  virtual TKvDisplayCollectionItem& Item(int index) const = 0;

private:
  TKvDisplayLabel Caption_;
  bool Visible_ = true;
  TCursor Cursor_ = TCursor::crHandPoint;
  std::string DefaultCaption;
  mutable std::optional<TKvTextMetrics> CaptionMetrics_;
  int Hovered = -1;
  int Pressed = -1;
};

// A group that lists one of the display's collections; adding or deleting an item relayouts the
// display.
class TKvLegendGroup : public TKvBasicLegendGroup {
public:
  PUBLISHED_CLASS_INFO

  using TKvBasicLegendGroup::TKvBasicLegendGroup;
  ~TKvLegendGroup() override;

  // The collection the group lists (none: the group is empty). Its owner binds it once the
  // collection is made and unbinds it before the collection goes.
  void Bind(TLkExtCollection* items);
  TLkExtCollection* Items() const { return Items_; }
  int GetItemCount() const override;

protected:
  TKvDisplayCollectionItem& Item(int index) const override;

private:
  TLkExtCollection* Items_ = nullptr;
  int ListenerKey = 0;
};
