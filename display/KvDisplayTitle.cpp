#include "display/KvDisplayTitle.h"

#include "display/KvCanvas.h"
#include "display/KvDataDisplay.h"

namespace {

// The text's distance from the edge it sits at.
constexpr int TitleGap = 4;

}  // namespace

const TClassInfo& TKvDisplayTitle::StaticClassInfo() {
  return DefineClass<TKvDisplayTitle, TKvOptionalView>("TKvDisplayTitle", [](TPublished<TKvDisplayTitle>& p) {
    using C = TKvDisplayTitle;
    p.String("Text", &C::Text, &C::SetText, {}, [](const C& c) {
       return c.Text() != c.DefaultText;
     }).Object("Font", &C::Font);
  });
}

TKvDisplayTitle::TKvDisplayTitle(TKvDataDisplay& display, const std::string& text)
    : TKvOptionalView(display, TKvViewAlign::vaTop), Text_(text), DefaultText(text) {
  Font_.OnChange = [this](TObject*) { Display().Relayout(); };
}

void TKvDisplayTitle::SetText(const std::string& text) {
  if (text == Text_) return;
  Locked([&] { Text_ = text; });
  Display().Redraw();
}

TKvViewSize TKvDisplayTitle::GetSize() const {
  const int size = ViewSize()->AutoSize() ? TKvTextMetrics(Font_).Height() + 16 : static_cast<int>(ViewSize()->Size());
  const TKvViewAlign align = GetAlign();
  if (align == TKvViewAlign::vaLeft || align == TKvViewAlign::vaRight) return {size, -1};
  return {-1, size};
}

void TKvDisplayTitle::Paint(TKvCanvas& canvas, bool, bool) {
  PaintBackground(canvas);
  if (Background()->UseControlColor()) canvas.SetClearBrush();
  else canvas.SetBrush(Background()->Color());
  canvas.SetFont(Font_);
  const int width = canvas.TextWidth(Text_);
  const int displayWidth = Display().GetExportWidth(), displayHeight = Display().GetExportHeight();
  const TKvRect& rect = ViewRect();
  switch (GetAlign()) {
    case TKvViewAlign::vaLeft:
      canvas.RotatedTextOut(rect.Left + TitleGap, (displayHeight + width) / 2, Text_, 90);
      break;
    case TKvViewAlign::vaRight:
      canvas.RotatedTextOut(rect.Right - TitleGap, (displayHeight - width) / 2, Text_, 270);
      break;
    default: canvas.TextOut((displayWidth - width) / 2, rect.Top + TitleGap, Text_); break;
  }
}
