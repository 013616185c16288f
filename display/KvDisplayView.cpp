#include "display/KvDisplayView.h"

#include "display/KvCanvas.h"
#include "display/KvDataDisplay.h"

const TEnumNames<TKvViewAlign>& ViewAlignNames() {
  static const TEnumNames<TKvViewAlign> names = {{TKvViewAlign::vaTop, "vaTop"},
                                                 {TKvViewAlign::vaBottom, "vaBottom"},
                                                 {TKvViewAlign::vaLeft, "vaLeft"},
                                                 {TKvViewAlign::vaRight, "vaRight"}};
  return names;
}

const TClassInfo& TKvDisplayView::StaticClassInfo() {
  return DefineClass<TKvDisplayView, TKvDisplayComponent>("TKvDisplayView");
}

TKvDisplayView::TKvDisplayView(TKvDataDisplay& display, TKvDisplayView* before) : TKvDisplayComponent(display) {
  display.AddView(*this, before);
}

TKvDisplayView::~TKvDisplayView() { Display().RemoveView(*this); }

void TKvDisplayView::InvalidateView() { Display().InvalidateRect(Rect_); }

const TClassInfo& TKvCustomColorDisplayView::StaticClassInfo() {
  return DefineClass<TKvCustomColorDisplayView, TKvDisplayView>(
      "TKvCustomColorDisplayView",
      [](TPublished<TKvCustomColorDisplayView>& p) { p.Object("Background", &TKvCustomColorDisplayView::Background); });
}

void TKvCustomColorDisplayView::PaintBackground(TKvCanvas& canvas) const {
  if (!Background_.UseControlColor()) canvas.FillRect(ViewRect(), Background_.Color());
}

const TClassInfo& TKvCustomSizeDisplayView::StaticClassInfo() {
  return DefineClass<TKvCustomSizeDisplayView, TKvCustomColorDisplayView>(
      "TKvCustomSizeDisplayView", [](TPublished<TKvCustomSizeDisplayView>& p) {
        using C = TKvCustomSizeDisplayView;
        p.Object("ViewSize", &C::ViewSize).Enumeration("Align", ViewAlignNames(), &C::Align, &C::SetAlign);
      });
}

TKvCustomSizeDisplayView::TKvCustomSizeDisplayView(TKvDataDisplay& display, TKvViewAlign align, TKvDisplayView* before)
    : TKvCustomColorDisplayView(display, before), ViewSize_(display, this), Align_(align) {}

void TKvCustomSizeDisplayView::SetAlign(TKvViewAlign align) {
  if (align == Align_) return;
  Locked([&] { Align_ = align; });
  Display().Relayout();
}

const TClassInfo& TKvOptionalView::StaticClassInfo() {
  return DefineClass<TKvOptionalView, TKvCustomSizeDisplayView>("TKvOptionalView", [](TPublished<TKvOptionalView>& p) {
    p.Boolean("Visible", &TKvOptionalView::Visible, &TKvOptionalView::SetVisible, true);
  });
}

void TKvOptionalView::SetVisible(bool visible) {
  if (visible == Visible_) return;
  Locked([&] { Visible_ = visible; });
  Display().Relayout();
}
