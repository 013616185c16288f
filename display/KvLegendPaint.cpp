// How the legend draws its entries and scroll buttons.
#include "display/KvBrush.h"
#include "display/KvButtonGlyphs.h"
#include "display/KvCanvas.h"
#include "display/KvDataDisplay.h"
#include "display/KvLegendView.h"

void TKvLegendView::Paint(TKvCanvas& canvas, bool exporting, bool) {
  canvas.SetFont(Font_);
  PaintBackground(canvas);
  const int left = GetLeft(), top = GetTop(), half = HalfLine();
  {
    const TKvClipGuard guard(canvas);
    // A caption starts above its first row; above the legend it may take two pixels, no more.
    canvas.ExcludeClip({0, 0, Display().GetExportWidth(), top - 2});
    WalkEntries(
        FirstRow(),
        [&](const TKvBasicLegendGroup& group, int y) {
          canvas.SetFont(*group.Caption()->Font());
          canvas.SetClearBrush();
          canvas.TextOut(left + 4, y - group.CaptionMetrics().Height() / 2, group.CaptionText());
          canvas.SetFont(Font_);
        },
        [&](const TKvBasicLegendGroup& group, int index, int y) {
          if (!exporting && (group.HoveredIndex() == index || group.IsItemHighlighted(index)))
            PaintEntryFrame(canvas, group.PressedIndex() == index || group.IsItemSelected(index), y - 1);
          if (!group.DrawItemSample(index, canvas, left + 6, y)) {
            const TColor colour = group.GetItemColor(index);
            if (group.ItemHasPen(index)) canvas.SetPen(*group.GetItemPen(index));
            else canvas.SetPen(colour);
            const TKvBrush* brush = group.ItemHasBrush(index) ? group.GetItemBrush(index) : nullptr;
            if (brush && brush->Style() == TKvBrushStyle::bsClear) canvas.SetClearBrush();
            else canvas.SetBrush(brush ? brush->Color() : colour);
            canvas.Rectangle({left + 6, y - 1, left + 19, y + 2});
          }
          canvas.SetClearBrush();
          canvas.TextOut(left + 23, y - half, group.GetItemText(index));
        });
  }
  if (!exporting && MouseOver() && CanScroll()) PaintScrollButtons(canvas);
}

void TKvLegendView::PaintEntryFrame(TKvCanvas& canvas, bool pressed, int y) const {
  const int left = GetLeft(), right = GetLeft() + GetWidth(), row = RowHeight(), half = HalfLine();
  const TColor fill = pressed ? Buttons_.MouseDownColor() : Buttons_.MouseOverColor();
  const TColor border = pressed ? Buttons_.MouseDownBorderColor() : Buttons_.MouseOverBorderColor();
  const int upper = y - half, lower = y + row - half;
  canvas.FillRect({left + 5, upper, right - 5, lower}, fill);
  // Rounded off by leaving the corners out of the lines and setting the pixels inside them.
  canvas.SetPen(border);
  canvas.Line(left + 5, upper, right - 5, upper);
  canvas.Line(left + 4, upper + 1, left + 4, lower);
  canvas.Line(left + 5, lower, right - 5, lower);
  canvas.Line(right - 5, upper + 1, right - 5, lower);
  for (const auto& [x, y1] : {std::pair{left + 5, upper + 1}, std::pair{left + 5, lower - 1},
                              std::pair{right - 6, upper + 1}, std::pair{right - 6, lower - 1}})
    canvas.SetPixel(x, y1, border);
}

TKvButtonColours TKvLegendView::ButtonColours() const {
  const QPalette palette = Display().palette();
  const auto rgb = [&](TColor color) { return ToQColor(color, palette).rgb(); };
  return {rgb(Buttons_.GlyphColor()),           rgb(Buttons_.BorderColor()),    rgb(Buttons_.ButtonColor()),
          rgb(Buttons_.MouseOverBorderColor()), rgb(Buttons_.MouseOverColor()), rgb(Buttons_.MouseDownBorderColor()),
          rgb(Buttons_.MouseDownColor()),       rgb(Buttons_.DisabledColor())};
}

void TKvLegendView::PaintScrollButtons(TKvCanvas& canvas) {
  if (!Images) Images.emplace(ButtonColours());
  const auto look = [&](THotButton button, bool disabled) {
    if (disabled) return TKvButtonLook::Disabled;
    if (Hot != button) return TKvButtonLook::Normal;
    return Timer.Active() ? TKvButtonLook::MouseDown : TKvButtonLook::MouseOver;
  };
  const TKvRect up = UpButtonCell(), down = DownButtonCell();
  Images->Draw(canvas.Painter(), up.Left, up.Top, look(THotButton::Up, Offset == 0), KvButtonGlyphs::gArrowUp);
  Images->Draw(canvas.Painter(), down.Left, down.Top, look(THotButton::Down, ContentFits()),
               KvButtonGlyphs::gArrowDown);
}
