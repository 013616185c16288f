#include "display/KvDisplayXAxis.h"

#include "display/KvDataDisplay.h"

const TClassInfo& TKvDisplayXAxis::StaticClassInfo() {
  return DefineClass<TKvDisplayXAxis, TKvDisplayAxis>("TKvDisplayXAxis");
}

void TKvDisplayXAxis::SetAlign(TKvViewAlign align) {
  if (align == TKvViewAlign::vaLeft) align = TKvViewAlign::vaTop;
  else if (align == TKvViewAlign::vaRight) align = TKvViewAlign::vaBottom;
  TKvDisplayAxis::SetAlign(align);
}

bool TKvDisplayXAxis::IsVerticalLayout() const { return Display().IsVertical(); }

TKvViewSize TKvDisplayXAxis::GetSize() const { return MeasuredSize(CaptionMetrics().Height()); }

void TKvDisplayXAxis::StoreSamples(int samples) {
  if (samples == Samples_) return;
  Locked([&] { Samples_ = samples; });
  Changed();
}
