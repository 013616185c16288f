#include "platform/Pen.h"

#include "platform/Published.h"

#include <algorithm>

const TEnumNames<TPenMode>& PenModeNames() {
  static const TEnumNames<TPenMode> modes = {{TPenMode::pmBlack, "pmBlack"},
                                             {TPenMode::pmWhite, "pmWhite"},
                                             {TPenMode::pmNop, "pmNop"},
                                             {TPenMode::pmNot, "pmNot"},
                                             {TPenMode::pmCopy, "pmCopy"},
                                             {TPenMode::pmNotCopy, "pmNotCopy"},
                                             {TPenMode::pmMergePenNot, "pmMergePenNot"},
                                             {TPenMode::pmMaskPenNot, "pmMaskPenNot"},
                                             {TPenMode::pmMergeNotPen, "pmMergeNotPen"},
                                             {TPenMode::pmMaskNotPen, "pmMaskNotPen"},
                                             {TPenMode::pmMerge, "pmMerge"},
                                             {TPenMode::pmNotMerge, "pmNotMerge"},
                                             {TPenMode::pmMask, "pmMask"},
                                             {TPenMode::pmNotMask, "pmNotMask"},
                                             {TPenMode::pmXor, "pmXor"},
                                             {TPenMode::pmNotXor, "pmNotXor"}};
  return modes;
}

const TEnumNames<TPenStyle>& PenStyleNames() {
  static const TEnumNames<TPenStyle> styles = {{TPenStyle::psSolid, "psSolid"},
                                               {TPenStyle::psDash, "psDash"},
                                               {TPenStyle::psDot, "psDot"},
                                               {TPenStyle::psDashDot, "psDashDot"},
                                               {TPenStyle::psDashDotDot, "psDashDotDot"},
                                               {TPenStyle::psClear, "psClear"},
                                               {TPenStyle::psInsideFrame, "psInsideFrame"}};
  return styles;
}

const TClassInfo& TPen::StaticClassInfo() {
  return DefineClass<TPen, TPersistent>("TPen", [](TPublished<TPen>& p) {
    p.Colour("Color", &TPen::Color, &TPen::SetColor, {}, [](const TPen& pen) { return pen.Color_ != pen.DefaultColor; })
        .Enumeration("Mode", PenModeNames(), &TPen::Mode, &TPen::SetMode, TPenMode::pmCopy)
        .Enumeration("Style", PenStyleNames(), &TPen::Style, &TPen::SetStyle, TPenStyle::psSolid)
        .Integer("Width", &TPen::Width, &TPen::SetWidth, 1);
  });
}

void TPen::SetColor(TColor color) {
  if (color == Color_) return;
  Color_ = color;
  Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (mode == Mode_) return;
  Mode_ = mode;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == Style_) return;
  Style_ = style;
  Changed();
}

void TPen::SetWidth(int width) {
  width = std::max(width, 1);
  if (width == Width_) return;
  Width_ = width;
  Changed();
}

void TPen::Assign(const TPersistent& source) {
  const auto* pen = dynamic_cast<const TPen*>(&source);
  if (!pen) return TPersistent::Assign(source);
  if (pen->Color_ == Color_ && pen->Mode_ == Mode_ && pen->Style_ == Style_ && pen->Width_ == Width_) return;
  Color_ = pen->Color_;
  Mode_ = pen->Mode_;
  Style_ = pen->Style_;
  Width_ = pen->Width_;
  Changed();
}
