#pragma once

#include "display/KvDisplaySettings.h"
#include "platform/Colors.h"
#include "platform/Cursors.h"
#include "platform/Font.h"
#include "platform/Pen.h"

#include <cstdint>
#include <string>

// The fonts of displays: Arial in white, by character height in pixels (-11 is 8 point, -13 is 10
// point and -21 is 16 point on a 96 dpi screen).
inline constexpr const char* KvFontName = "Arial";
inline constexpr int KvFont8pt = -11;
inline constexpr int KvFont10pt = -13;
inline constexpr int KvFont16pt = -21;

// The background of a view: its own colour, or (by default) the display's.
class TKvDisplayViewBackground : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayViewBackground(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {}

  TColor Color() const { return Color_; }
  void SetColor(TColor color) { Update(Color_, color); }
  bool UseControlColor() const { return UseControlColor_; }
  void SetUseControlColor(bool use) { Update(UseControlColor_, use); }

private:
  TColor Color_ = clBlack;
  bool UseControlColor_ = true;
};

// How much room a view takes at its edge: what its content needs, or a fixed size.
class TKvDisplayViewSize : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayViewSize(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout) {}

  bool AutoSize() const { return AutoSize_; }
  void SetAutoSize(bool autoSize) { Update(AutoSize_, autoSize); }
  uint32_t Size() const { return Size_; }
  void SetSize(uint32_t size) { Update(Size_, size); }

private:
  bool AutoSize_ = true;
  uint32_t Size_ = 100;
};

// One kind of line of the data view's grid (or its border): shown or not, and its pen.
class TKvDisplayGridLineSettings : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayGridLineSettings(TKvDataDisplay& display, TPersistent* owner, TColor color);

  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { Update(Visible_, visible); }
  TPen* Pen() const { return const_cast<TPen*>(&Pen_); }

private:
  bool Visible_ = true;
  TPen Pen_;
};

// The grid lines an axis puts into the data view: one at every major tick, another pen for zero.
class TKvDisplayGridDirectionalLinesSettings : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayGridDirectionalLinesSettings(TKvDataDisplay& display, TPersistent* owner, TColor lines, TColor zero);

  TKvDisplayGridLineSettings* Lines() const { return const_cast<TKvDisplayGridLineSettings*>(&Lines_); }
  TKvDisplayGridLineSettings* ZeroLine() const { return const_cast<TKvDisplayGridLineSettings*>(&ZeroLine_); }

private:
  TKvDisplayGridLineSettings Lines_;
  TKvDisplayGridLineSettings ZeroLine_;
};

// A caption: its text, whether it shows, its font. A change relayouts the display.
class TKvDisplayLabel : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayLabel(TKvDataDisplay& display, TPersistent* owner, const std::string& text, int fontHeight,
                  uint32_t fontStyle);

  const std::string& Text() const { return Text_; }
  void SetText(const std::string& text) { Update(Text_, text); }
  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { Update(Visible_, visible); }
  TFont* Font() const { return const_cast<TFont*>(&Font_); }

private:
  std::string Text_;
  std::string DefaultText;
  bool Visible_ = true;
  TFont Font_;
};

// The look of a view part that acts as a button (an axis caption): the cursor over it and the
// colours while the mouse is over it or presses it.
class TKvViewButtonSettings : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvViewButtonSettings(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {}

  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool enabled) { Update(Enabled_, enabled); }
  TCursor Cursor() const { return Cursor_; }
  void SetCursor(TCursor cursor) { Update(Cursor_, cursor); }
  TColor MouseOverBorderColor() const { return MouseOverBorderColor_; }
  void SetMouseOverBorderColor(TColor color) { Update(MouseOverBorderColor_, color); }
  TColor MouseOverColor() const { return MouseOverColor_; }
  void SetMouseOverColor(TColor color) { Update(MouseOverColor_, color); }
  TColor MouseDownBorderColor() const { return MouseDownBorderColor_; }
  void SetMouseDownBorderColor(TColor color) { Update(MouseDownBorderColor_, color); }
  TColor MouseDownColor() const { return MouseDownColor_; }
  void SetMouseDownColor(TColor color) { Update(MouseDownColor_, color); }

private:
  bool Enabled_ = true;
  TCursor Cursor_ = TCursor::crHandPoint;
  TColor MouseOverBorderColor_ = clLime;
  TColor MouseOverColor_ = clGreen;
  TColor MouseDownBorderColor_ = clYellow;
  TColor MouseDownColor_ = clOlive;
};
