#pragma once

#include "display/KvDisplayButtonImages.h"
#include "display/KvDisplayView.h"
#include "display/KvLegendGroup.h"
#include "display/KvRepeatTimer.h"
#include "display/KvTextMetrics.h"
#include "display/KvViewSettings.h"
#include "platform/Font.h"

#include <algorithm>
#include <optional>
#include <vector>

// The look of the legend's scroll buttons and hovered entries; `Enabled` false also stops the
// entries from following the mouse and taking clicks.
class TKvLegendViewButtonSettings : public TKvViewButtonSettings {
public:
  PUBLISHED_CLASS_INFO

  using TKvViewButtonSettings::TKvViewButtonSettings;

  TColor GlyphColor() const { return GlyphColor_; }
  void SetGlyphColor(TColor color) { Update(GlyphColor_, color); }
  TColor BorderColor() const { return BorderColor_; }
  void SetBorderColor(TColor color) { Update(BorderColor_, color); }
  TColor ButtonColor() const { return ButtonColor_; }
  void SetButtonColor(TColor color) { Update(ButtonColor_, color); }
  TColor DisabledColor() const { return DisabledColor_; }
  void SetDisabledColor(TColor color) { Update(DisabledColor_, color); }

private:
  TColor GlyphColor_ = clYellow;
  TColor BorderColor_ = clGreen;
  TColor ButtonColor_ = clBlack;
  TColor DisabledColor_ = clGreen;
};

// The legend of a display: a view at an edge (the right by default) listing the display's items
// in groups, each entry a small sample of how its item is drawn and its name. It takes no room
// while it lists nothing. Content taller than the display scrolls in steps of 10 pixels, by the
// wheel or by two scroll buttons that show while the mouse is over the legend and repeat while
// held. The entry under the mouse is framed, and so is the entry of the item under the mouse in
// the plot; clicking an entry raises its group's OnItemClick, then opens the property dialog on
// the item unless the handler took the click.
class TKvLegendView : public TKvOptionalView {
public:
  PUBLISHED_CLASS_INFO

  // Which scroll button is under the mouse.
  enum class THotButton { None, Up, Down };
  static constexpr int ScrollStep = 10;
  static constexpr int FirstRepeat = 400;
  static constexpr int NextRepeats = 50;

  explicit TKvLegendView(TKvDataDisplay& display);

  TFont* Font() const { return const_cast<TFont*>(&Font_); }
  TKvLegendViewButtonSettings* Buttons() const { return const_cast<TKvLegendViewButtonSettings*>(&Buttons_); }

  // The groups in drawing order; the legend does not own them.
  const std::vector<TKvBasicLegendGroup*>& Groups() const { return Groups_; }
  void AddGroup(TKvBasicLegendGroup& group);
  void RemoveGroup(TKvBasicLegendGroup& group);

  // The height of a row in a font: a line and one pixel, at least 6.
  static int RowHeightOf(const TKvTextMetrics& metrics) { return std::max(metrics.Height() + 1, 6); }
  // Row metrics of the legend's font: the height of an entry, and half a line.
  int RowHeight() const { return RowHeightOf(Metrics()); }
  int HalfLine() const;
  // What a group needs: 0 when it is hidden or empty.
  int GroupHeight(const TKvBasicLegendGroup& group) const;
  int GroupWidth(const TKvBasicLegendGroup& group) const;
  int ContentHeight() const;
  int ScrollOffset() const { return Offset; }
  THotButton HotButton() const { return Hot; }
  TKvRepeatTimer& RepeatTimer() { return Timer; }
  // The content runs further than the display: the scroll buttons have something to do.
  bool CanScroll() const { return Offset != 0 || !ContentFits(); }

  // At the right or left the whole edge by the widest group (0 when nothing is listed) or the
  // fixed size; at the top or bottom the whole edge by the content's height or the fixed size.
  TKvViewSize GetSize() const override;
  void Paint(TKvCanvas& canvas, bool exporting, bool vertical) override;
  void InvalidateView() override;
  void MouseMoveAt(Qt::KeyboardModifiers shift, int x, int y, bool& handled) override;
  void MouseDownAt(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool& handled, bool inside, int x,
                   int y) override;
  void MouseUpAt(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool inside, int x, int y) override;
  void MouseLeaveDisplay() override;
  void HoverEnter() override { InvalidateView(); }
  void HoverLeave() override { InvalidateView(); }
  void WheelDown(Qt::KeyboardModifiers shift, int x, int y) override;
  void WheelUp(Qt::KeyboardModifiers shift, int x, int y) override;
  void CaptureLost() override;
  // Older layouts store the button colours and switch on the legend itself.
  void DefineProperties(TFiler& filer) override;

private:
  // Runs through the listed groups from the row position `y`: `caption`(group, y) for every shown
  // caption, `entry`(group, index, y) for every visible entry, the groups separated by a blank row;
  // it stops at the first entry that starts below the display.
  template <class Caption, class Entry>
  void WalkEntries(int y, Caption&& caption, Entry&& entry) const {
    const int row = RowHeight(), bottom = DisplayHeight();
    for (TKvBasicLegendGroup* group : Groups_) {
      if (y - row >= bottom) break;
      if (!group->IsListed()) continue;
      if (group->Caption()->Visible()) {
        y -= 6;
        caption(*group, y);
        y += RowHeightOf(group->CaptionMetrics());
      }
      for (int i = 0; i < group->GetItemCount() && y - row < bottom; ++i) {
        if (!group->IsItemVisible(i)) continue;
        entry(*group, i, y);
        y += row;
      }
      y += row;
    }
  }
  bool ContentFits() const;
  // How far the rows start lower so that the first caption stays inside the display.
  int CaptionClearance() const;
  // Where the first row is drawn.
  int FirstRow() const;
  // The display's height, as drawn now.
  int DisplayHeight() const;
  // Whether the mouse is over the legend now.
  bool MouseOver() const;
  // Finds the scroll button and the entry under (x, y) and lets the groups know.
  void UpdateHover(int x, int y);
  void HoverAtMouse();
  // One step up or down, as far as the content allows; true when it moved.
  bool ScrollBy(int step);
  void RepeatScroll();
  // Where the scroll buttons lie.
  TKvRect UpButtonCell() const;
  TKvRect DownButtonCell() const;
  void PaintEntryFrame(TKvCanvas& canvas, bool pressed, int y) const;
  void PaintScrollButtons(TKvCanvas& canvas);
  TKvButtonColours ButtonColours() const;
  const TKvTextMetrics& Metrics() const;

  TFont Font_{KvFontName, KvFont8pt, 0, clWhite};
  TKvLegendViewButtonSettings Buttons_;
  std::vector<TKvBasicLegendGroup*> Groups_;
  mutable std::optional<TKvTextMetrics> Metrics_;
  std::optional<TKvDisplayButtonImages> Images;
  int Offset = 0;
  THotButton Hot = THotButton::None;
  TKvRepeatTimer Timer{[this] { RepeatScroll(); }};
};
