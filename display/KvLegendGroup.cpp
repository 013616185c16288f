#include "display/KvLegendGroup.h"

#include "display/KvDataDisplay.h"
#include "display/KvDisplayCollectionItem.h"
#include "platform/Collection.h"

const TClassInfo& TKvBasicLegendGroup::StaticClassInfo() {
  return DefineClass<TKvBasicLegendGroup, TKvDisplaySettings>(
      "TKvBasicLegendGroup", [](TPublished<TKvBasicLegendGroup>& p) {
        using C = TKvBasicLegendGroup;
        p.Object("Caption", &C::Caption)
            .Boolean("Visible", &C::Visible, &C::SetVisible, true)
            .Enumeration("Cursor", CursorNames(), &C::Cursor, &C::SetCursor, TCursor::crHandPoint)
            .Event("OnItemClick", &C::OnItemClick);
      });
}

TKvBasicLegendGroup::TKvBasicLegendGroup(TKvDataDisplay& display, TPersistent* owner, std::string defaultCaption)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout),
      Caption_(display, this, "", KvFont10pt, fsBold),
      DefaultCaption(std::move(defaultCaption)) {
  Caption_.OnChange = [this](TObject*) {
    CaptionMetrics_.reset();
    Changed();
  };
}

const std::string& TKvBasicLegendGroup::CaptionText() const {
  return Caption_.Text().empty() ? DefaultCaption : Caption_.Text();
}

const TKvTextMetrics& TKvBasicLegendGroup::CaptionMetrics() const {
  if (!CaptionMetrics_) CaptionMetrics_.emplace(*Caption_.Font());
  return *CaptionMetrics_;
}

void TKvBasicLegendGroup::SetHovered(int index) {
  Hovered = index;
  if (index >= 0) SetItemHighlight(index, true);
  else if (GetItemCount() > 0) SetItemHighlight(0, false);
}

void TKvBasicLegendGroup::ForgetEntries() {
  if (Hovered >= 0) {
    Display().RestoreCursor();
    SetHovered(-1);
  }
  Pressed = -1;
}

const std::string& TKvBasicLegendGroup::GetItemText(int index) const { return Item(index).Name(); }
bool TKvBasicLegendGroup::IsItemVisible(int index) const { return Item(index).IsLegendVisible(); }
void TKvBasicLegendGroup::SetItemHighlight(int index, bool on) const { Item(index).SetLegendHighlight(on); }
bool TKvBasicLegendGroup::IsItemHighlighted(int index) const { return Item(index).IsHighlighted(); }
bool TKvBasicLegendGroup::IsItemSelected(int index) const { return Item(index).IsSelected(); }
bool TKvBasicLegendGroup::DrawItemSample(int index, TKvCanvas& canvas, int x, int y) const {
  return Item(index).DrawLegendSample(canvas, x, y);
}
TColor TKvBasicLegendGroup::GetItemColor(int index) const { return Item(index).GetLegendColor(); }
bool TKvBasicLegendGroup::ItemHasPen(int index) const { return Item(index).HasLegendPen(); }
const TPen* TKvBasicLegendGroup::GetItemPen(int index) const { return Item(index).GetLegendPen(); }
bool TKvBasicLegendGroup::ItemHasBrush(int index) const { return Item(index).HasLegendBrush(); }
const TKvBrush* TKvBasicLegendGroup::GetItemBrush(int index) const { return Item(index).GetLegendBrush(); }

const TClassInfo& TKvLegendGroup::StaticClassInfo() {
  return DefineClass<TKvLegendGroup, TKvBasicLegendGroup>("TKvLegendGroup", [](TPublished<TKvLegendGroup>&) {});
}

TKvLegendGroup::~TKvLegendGroup() {
  if (Items_) Items_->RemoveListener(ListenerKey);
}

void TKvLegendGroup::Bind(TLkExtCollection* items) {
  if (Items_) Items_->RemoveListener(ListenerKey);
  ForgetEntries();
  Items_ = items;
  if (items) {
    ListenerKey = items->AddListener([this](TLkExtCollection&, TCollectionItem&, TCollectionNotification action) {
      // Indices of the entries after a deleted one move down, and the deleted one may be hovered.
      if (action != TCollectionNotification::cnAdded) ForgetEntries();
      Display().Relayout();
    });
  }
  Display().Relayout();
}

int TKvLegendGroup::GetItemCount() const { return Items_ ? Items_->Count() : 0; }

TKvDisplayCollectionItem& TKvLegendGroup::Item(int index) const {
  return static_cast<TKvDisplayCollectionItem&>(Items_->Items(index));
}
