#include "platform/Font.h"

#include "platform/Fonts.h"
#include "platform/Published.h"

const TClassInfo& TFont::StaticClassInfo() {
  static const TSetNames styles = {
      {fsBold, "fsBold"}, {fsItalic, "fsItalic"}, {fsUnderline, "fsUnderline"}, {fsStrikeOut, "fsStrikeOut"}};
  return DefineClass<TFont, TPersistent>("TFont", [](TPublished<TFont>& p) {
    p.Colour("Color", &TFont::Color, &TFont::SetColor, clWindowText)
        .Integer("Height", &TFont::Height, &TFont::SetHeight, DefaultHeight)
        .String("Name", &TFont::Name, &TFont::SetName, std::string(DefaultName))
        .Set("Style", styles, &TFont::Style, &TFont::SetStyle, 0u);
  });
}

void TFont::SetName(const std::string& name) {
  if (name == Name_) return;
  Name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == Height_) return;
  Height_ = height;
  Changed();
}

void TFont::SetStyle(uint32_t style) {
  if (style == Style_) return;
  Style_ = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == Color_) return;
  Color_ = color;
  Changed();
}

void TFont::Assign(const TPersistent& source) {
  const auto* font = dynamic_cast<const TFont*>(&source);
  if (!font) return TPersistent::Assign(source);
  if (font->Name_ == Name_ && font->Height_ == Height_ && font->Style_ == Style_ && font->Color_ == Color_) return;
  Name_ = font->Name_;
  Height_ = font->Height_;
  Style_ = font->Style_;
  Color_ = font->Color_;
  Changed();
}

QFont TFont::ToQFont() const {
  QFont font = LayoutFont(QString::fromStdString(Name_), Height_);
  font.setBold(Style_ & fsBold);
  font.setItalic(Style_ & fsItalic);
  font.setUnderline(Style_ & fsUnderline);
  font.setStrikeOut(Style_ & fsStrikeOut);
  return font;
}
