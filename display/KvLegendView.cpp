#include "display/KvLegendView.h"

#include "display/KvDataDisplay.h"
#include "display/KvLegendGroup.h"
#include "platform/LayoutReader.h"

#include <algorithm>

const TClassInfo& TKvLegendViewButtonSettings::StaticClassInfo() {
  return DefineClass<TKvLegendViewButtonSettings, TKvViewButtonSettings>(
      "TKvLegendViewButtonSettings", [](TPublished<TKvLegendViewButtonSettings>& p) {
        using C = TKvLegendViewButtonSettings;
        p.Colour("GlyphColor", &C::GlyphColor, &C::SetGlyphColor, clYellow)
            .Colour("BorderColor", &C::BorderColor, &C::SetBorderColor, clGreen)
            .Colour("ButtonColor", &C::ButtonColor, &C::SetButtonColor, clBlack)
            .Colour("DisabledColor", &C::DisabledColor, &C::SetDisabledColor, clGreen);
      });
}

const TClassInfo& TKvLegendView::StaticClassInfo() {
  return DefineClass<TKvLegendView, TKvOptionalView>("TKvLegendView", [](TPublished<TKvLegendView>& p) {
    p.Object("Font", &TKvLegendView::Font).Object("Buttons", &TKvLegendView::Buttons);
  });
}

TKvLegendView::TKvLegendView(TKvDataDisplay& display)
    : TKvOptionalView(display, TKvViewAlign::vaRight), Buttons_(display, this) {
  Font_.OnChange = [this](TObject*) {
    Metrics_.reset();
    Display().Relayout();
  };
  Buttons_.OnChange = [this](TObject*) {
    // The glyphs are recoloured at the next paint.
    Images.reset();
    Display().Redraw();
  };
}

void TKvLegendView::AddGroup(TKvBasicLegendGroup& group) {
  Groups_.push_back(&group);
  Display().Relayout();
}

void TKvLegendView::RemoveGroup(TKvBasicLegendGroup& group) {
  std::erase(Groups_, &group);
  Display().Relayout();
}

const TKvTextMetrics& TKvLegendView::Metrics() const {
  if (!Metrics_) Metrics_.emplace(Font_);
  return *Metrics_;
}

int TKvLegendView::HalfLine() const { return Metrics().Height() / 2; }

int TKvLegendView::GroupHeight(const TKvBasicLegendGroup& group) const {
  if (!group.IsListed()) return 0;
  int height = group.Caption()->Visible() ? RowHeightOf(group.CaptionMetrics()) - 6 : 0;
  for (int i = 0; i < group.GetItemCount(); ++i)
    if (group.IsItemVisible(i)) height += RowHeight();
  return height;
}

int TKvLegendView::GroupWidth(const TKvBasicLegendGroup& group) const {
  if (!group.IsListed()) return 0;
  int width = group.Caption()->Visible() ? group.CaptionMetrics().Width(group.CaptionText()) + 23 : 0;
  for (int i = 0; i < group.GetItemCount(); ++i)
    if (group.IsItemVisible(i)) width = std::max(width, Metrics().Width(group.GetItemText(i)) + 30);
  return width;
}

int TKvLegendView::ContentHeight() const {
  int height = 0;
  bool first = true;
  for (const TKvBasicLegendGroup* group : Groups_) {
    const int own = GroupHeight(*group);
    if (own == 0) continue;
    // A blank row between groups.
    if (!first) height += RowHeight();
    height += own;
    first = false;
  }
  return height;
}

int TKvLegendView::DisplayHeight() const { return Display().GetExportHeight(); }

bool TKvLegendView::ContentFits() const {
  return ContentHeight() + CaptionClearance() + GetTop() - Offset <= DisplayHeight();
}

int TKvLegendView::CaptionClearance() const {
  // The first caption's text starts above the first row. Below other views the band above the
  // legend takes what it reaches; at the display's top edge the rows move down instead, so that
  // the caption is not cut off.
  for (const TKvBasicLegendGroup* group : Groups_) {
    if (!group->IsListed()) continue;
    if (!group->Caption()->Visible()) return 0;
    const int textTop = GetTop() + RowHeight() / 2 + 2 - 6 - group->CaptionMetrics().Height() / 2;
    return std::max(0, -textTop);
  }
  return 0;
}

int TKvLegendView::FirstRow() const { return RowHeight() / 2 + GetTop() + 2 + CaptionClearance() - Offset; }

TKvViewSize TKvLegendView::GetSize() const {
  const TKvViewAlign align = GetAlign();
  const bool across = align == TKvViewAlign::vaTop || align == TKvViewAlign::vaBottom;
  int size = static_cast<int>(ViewSize()->Size());
  if (ViewSize()->AutoSize()) {
    size = 0;
    if (across) {
      // The whole height of the entries, with the room the first caption reaches above them: the
      // whole edge would leave the other views nothing.
      const int content = ContentHeight();
      if (content > 0) size = content + CaptionClearance() + RowHeight() / 2 + 4;
    } else {
      for (const TKvBasicLegendGroup* group : Groups_) size = std::max(size, GroupWidth(*group));
    }
  }
  return across ? TKvViewSize{-1, size} : TKvViewSize{size, -1};
}

void TKvLegendView::InvalidateView() {
  const TKvRect rect = GetRect();
  Display().InvalidateRect({rect.Left, rect.Top - 2, rect.Right, DisplayHeight()});
}

void TKvLegendView::DefineProperties(TFiler& filer) {
  TKvOptionalView::DefineProperties(filer);
  const auto never = [](TLayoutWriter&) {};
  const auto colour = [&](const char* name, void (TKvViewButtonSettings::*set)(TColor)) {
    filer.DefineProperty(
        name, [this, set](TLayoutReader& reader) { (Buttons_.*set)(published_detail::TColourCodec{}.Read(reader)); },
        never, false);
  };
  colour("MouseOverBorderColor", &TKvViewButtonSettings::SetMouseOverBorderColor);
  colour("MouseOverButtonColor", &TKvViewButtonSettings::SetMouseOverColor);
  colour("MouseDownBorderColor", &TKvViewButtonSettings::SetMouseDownBorderColor);
  colour("MouseDownButtonColor", &TKvViewButtonSettings::SetMouseDownColor);
  filer.DefineProperty(
      "ButtonsEnabled", [this](TLayoutReader& reader) { Buttons_.SetEnabled(reader.ReadBoolean()); }, never, false);
}
