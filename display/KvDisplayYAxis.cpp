#include "display/KvDisplayYAxis.h"

#include "display/KvDataDisplay.h"

const TClassInfo& TKvDisplayYAxis::StaticClassInfo() {
  return DefineClass<TKvDisplayYAxis, TKvDisplayAxis>(
      "TKvDisplayYAxis", [](TPublished<TKvDisplayYAxis>& p) { p.Object("Format", &TKvDisplayYAxis::Format); });
}

TKvDisplayYAxis::TKvDisplayYAxis(TKvDataDisplay& display, const std::string& caption, TKvDisplayView* before)
    : TKvDisplayAxis(display, TKvViewAlign::vaLeft, caption, before), Format_(display, this) {
  Format_.OnChange = [this](TObject*) { Changed(); };
}

void TKvDisplayYAxis::SetAlign(TKvViewAlign align) {
  if (align == TKvViewAlign::vaTop) align = TKvViewAlign::vaLeft;
  else if (align == TKvViewAlign::vaBottom) align = TKvViewAlign::vaRight;
  TKvDisplayAxis::SetAlign(align);
}

bool TKvDisplayYAxis::IsVerticalLayout() const { return !Display().IsVertical(); }

TKvViewSize TKvDisplayYAxis::GetSize() const { return MeasuredSize(Metrics().Height()); }

std::string TKvDisplayYAxis::FormatValue(double value) const {
  return Format_.FormatValue(value, GetVisibleUnitMin(), GetVisibleUnitMax());
}
