#pragma once

#include "display/KvDisplayButtonImages.h"
#include "display/KvDisplayComponent.h"
#include "display/KvToolBarButtons.h"
#include "platform/Colors.h"
#include "platform/Cursors.h"

#include <functional>
#include <vector>

class TKvCanvas;

// One button as the tool bar draws it. It is shown when both its own visibility (which the tool
// bar sets from the display's state) and the user's (the published button's) allow.
struct TKvDisplayIntToolBarButton {
  TKvDisplayToolBarButton* Published = nullptr;
  int Glyph = 0;
  std::function<void()> Action;
  bool Visible = true;
  bool Enabled = true;
  bool Pressed = false;

  bool Shown() const { return Visible && Published->Visible(); }
};

// A row of glyph buttons painted over a display's picture, last in the paint pass; it takes the
// mouse before every other part of the display.
//
// Its size counts every button it may show, so hiding one of them lets the others close up
// without moving the bar; while the mouse is over the bar its place stays where it was, so the
// buttons do not run away from the pointer when their states change.
class TKvBasicDisplayToolBar : public TKvDisplayComponent {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvBasicDisplayToolBar(TKvDataDisplay& display);

  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { UpdateShown(Visible_, visible); }
  bool AutoHide() const { return AutoHide_; }
  void SetAutoHide(bool autoHide) { UpdateShown(AutoHide_, autoHide); }
  TColor GlyphColor() const { return GlyphColor_; }
  void SetGlyphColor(TColor color) { UpdateColour(GlyphColor_, color); }
  TColor BorderColor() const { return BorderColor_; }
  void SetBorderColor(TColor color) { UpdateColour(BorderColor_, color); }
  TColor ButtonColor() const { return ButtonColor_; }
  void SetButtonColor(TColor color) { UpdateColour(ButtonColor_, color); }
  TColor MouseOverBorderColor() const { return MouseOverBorderColor_; }
  void SetMouseOverBorderColor(TColor color) { UpdateColour(MouseOverBorderColor_, color); }
  TColor MouseOverButtonColor() const { return MouseOverButtonColor_; }
  void SetMouseOverButtonColor(TColor color) { UpdateColour(MouseOverButtonColor_, color); }
  TColor MouseDownBorderColor() const { return MouseDownBorderColor_; }
  void SetMouseDownBorderColor(TColor color) { UpdateColour(MouseDownBorderColor_, color); }
  TColor MouseDownButtonColor() const { return MouseDownButtonColor_; }
  void SetMouseDownButtonColor(TColor color) { UpdateColour(MouseDownButtonColor_, color); }
  TColor DisabledColor() const { return DisabledColor_; }
  void SetDisabledColor(TColor color) { UpdateColour(DisabledColor_, color); }
  TCursor Cursor() const { return Cursor_; }
  void SetCursor(TCursor cursor) { Cursor_ = cursor; }

  const TKvDisplayButtonImages& Images() const { return Images_; }
  const std::vector<TKvDisplayIntToolBarButton>& InternalButtons() const { return Buttons_; }
  // Some button lay under the pointer when the bar was painted last.
  bool Hot() const { return Hot_; }

  // Where the bar starts (where it was while the mouse is over it) and how many rows its buttons
  // take.
  int GetBarLeft() const;
  int GetBarTop() const;
  virtual int GetRowCount() const { return 2; }
  // Brings the buttons' states up to date, then draws them.
  virtual void PaintBar(TKvCanvas& canvas);
  // A shown button and where it is.
  struct TCell {
    size_t Button;
    TKvRect Rect;
  };
  // The shown buttons' cells, row after row.
  std::vector<TCell> Cells() const;
  // Sets the buttons' visibility and enabled states from the display.
  virtual void UpdateStates() {}
  // Whether the bar is drawn now: visible, and unless it stays, while the mouse is where it
  // belongs (or at design time).
  bool ShouldPaint() const;

  TKvRect GetRect() const override;
  bool IsActive() const override { return Visible_; }
  bool IsToolBar() const override { return true; }
  void MouseMoveAt(Qt::KeyboardModifiers shift, int x, int y, bool& handled) override;
  void MouseDownAt(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool& handled, bool inside, int x,
                   int y) override;
  void MouseUpAt(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool inside, int x, int y) override;
  void HoverEnter() override;
  void HoverLeave() override;
  void CaptureLost() override { ReleaseButtons(); }

protected:
  // Buttons in drawing order.
  TKvDisplayIntToolBarButton& AddButton(TKvDisplayToolBarButton& published, int glyph, std::function<void()> action);
  TKvDisplayIntToolBarButton& Button(size_t index) { return Buttons_[index]; }
  // Whether the mouse is where the bar shows when it hides itself.
  virtual bool MouseIsHome() const;
  // Where the bar starts by its placement.
  virtual int ComputeBarLeft() const;
  virtual int ComputeBarTop() const { return 3; }
  // The buttons the bar may show, whether the user hid them or not.
  int ButtonCount() const;
  // Counted from the buttons the bar may show: their total width in one row and the rows' count.
  int TotalWidth() const;
  int RowHeight() const;

private:
  TKvRect ComputedRect() const;
  void ReleaseButtons();
  void UpdateShown(bool& field, bool value);
  void UpdateColour(TColor& field, TColor value);
  TKvButtonColours Colours() const;

  bool Visible_ = true;
  bool AutoHide_ = true;
  TColor GlyphColor_ = clYellow;
  TColor BorderColor_ = clGreen;
  TColor ButtonColor_ = clBlack;
  TColor MouseOverBorderColor_ = clLime;
  TColor MouseOverButtonColor_ = clGreen;
  TColor MouseDownBorderColor_ = clYellow;
  TColor MouseDownButtonColor_ = clOlive;
  TColor DisabledColor_ = clGreen;
  TCursor Cursor_ = TCursor::crHandPoint;
  TKvDisplayButtonImages Images_;
  std::vector<TKvDisplayIntToolBarButton> Buttons_;
  bool Hot_ = false;
  bool Frozen = false;
  TKvRect FrozenRect;
  bool CursorReplaced = false;
};
