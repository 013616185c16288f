#pragma once

#include "display/KvAxisFormat.h"
#include "display/KvDisplayAxis.h"

// The value axis of a display: at the left or right of the data view (top or bottom in a vertical
// display), its minimum at the bottom.
class TKvDisplayYAxis : public TKvDisplayAxis {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayYAxis(TKvDataDisplay& display, const std::string& caption, TKvDisplayView* before = nullptr);

  TKvAxisFormat* Format() const { return const_cast<TKvAxisFormat*>(&Format_); }
  // Only the left or the right side: top becomes left, bottom right.
  void SetAlign(TKvViewAlign align) override;
  bool IsVerticalLayout() const override;
  TKvViewSize GetSize() const override;
  int GetLeadingMargin() const override { return Metrics().Height() / 2 + 4; }
  int GetTrailingMargin() const override { return Metrics().Height() / 2 + 4; }

protected:
  std::string FormatValue(double value) const override;
  bool AnchoredAtMin() const override { return true; }
  bool CachesStep() const override { return true; }

private:
  TKvAxisFormat Format_;
};
