#include "platform/Label.h"

#include "platform/Published.h"

const TClassInfo& TLabel::StaticClassInfo() {
  static const TEnumNames<TAlignment> alignments = {{TAlignment::taLeftJustify, "taLeftJustify"},
                                                    {TAlignment::taRightJustify, "taRightJustify"},
                                                    {TAlignment::taCenter, "taCenter"}};
  static const TEnumNames<TTextLayout> layouts = {
      {TTextLayout::tlTop, "tlTop"}, {TTextLayout::tlCenter, "tlCenter"}, {TTextLayout::tlBottom, "tlBottom"}};
  return DefineClass<TLabel, TControl>("TLabel", [](TPublished<TLabel>& p) {
    p.Enumeration("Alignment", alignments, &TLabel::Alignment, &TLabel::SetAlignment, TAlignment::taLeftJustify)
        .Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true)
        .String("Caption", &TLabel::Caption, &TLabel::SetCaption, std::string())
        .Enumeration("Layout", layouts, &TLabel::Layout, &TLabel::SetLayout, TTextLayout::tlTop)
        .Event("OnClick", &TLabel::OnClick);
  });
}

TLabel::TLabel(TComponent* owner) : TWidgetControl(owner) {
  ApplyAlignment();
  AdjustSize();
}

void TLabel::SetAlignment(TAlignment alignment) {
  Alignment_ = alignment;
  ApplyAlignment();
}

void TLabel::SetLayout(TTextLayout layout) {
  Layout_ = layout;
  ApplyAlignment();
}

void TLabel::SetAutoSize(bool autoSize) {
  AutoSize_ = autoSize;
  AdjustSize();
}

void TLabel::ApplyAlignment() {
  const Qt::Alignment horizontal = Alignment_ == TAlignment::taCenter         ? Qt::AlignHCenter
                                   : Alignment_ == TAlignment::taRightJustify ? Qt::AlignRight
                                                                              : Qt::AlignLeft;
  const Qt::Alignment vertical = Layout_ == TTextLayout::tlCenter   ? Qt::AlignVCenter
                                 : Layout_ == TTextLayout::tlBottom ? Qt::AlignBottom
                                                                    : Qt::AlignTop;
  setAlignment(horizontal | vertical);
}

void TLabel::Loaded() {
  TControl::Loaded();
  AdjustSize();
}

void TLabel::AdjustSize() {
  // While the layout is read the stored size may still be followed by AutoSize = False.
  if (AutoSize_ && !IsLoading()) SetBounds(Left(), Top(), sizeHint().width(), sizeHint().height());
}

void TLabel::CaptionChanged() {
  setText(QString::fromStdString(Caption()));
  AdjustSize();
}

void TLabel::ApplyFont() {
  TControl::ApplyFont();
  AdjustSize();
}
