#include "platform/Font.h"

#include "platform/Fonts.h"
#include "platform/Published.h"

const TClassInfo& TFont::StaticClassInfo() {
  static const TSetNames styles = {
      {fsBold, "fsBold"}, {fsItalic, "fsItalic"}, {fsUnderline, "fsUnderline"}, {fsStrikeOut, "fsStrikeOut"}};
  return DefineClass<TFont, TPersistent>("TFont", [](TPublished<TFont>& p) {
    p.Colour("Color", &TFont::Color, &TFont::SetColor, {}, [](const TFont& f) { return f.Color_ != f.Defaults.Color; })
        .Integer("Height", &TFont::Height, &TFont::SetHeight, {},
                 [](const TFont& f) { return f.Height_ != f.Defaults.Height; })
        .String("Name", &TFont::Name, &TFont::SetName, {}, [](const TFont& f) { return f.Name_ != f.Defaults.Name; })
        .Set("Style", styles, &TFont::Style, &TFont::SetStyle, {},
             [](const TFont& f) { return f.Style_ != f.Defaults.Style; });
  });
}

TFont::TFont(std::string name, int height, uint32_t style, TColor color)
    : Defaults{std::move(name), height, style, color},
      Name_(Defaults.Name),
      Height_(height),
      Style_(style),
      Color_(color) {}

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
