#pragma once

#include "display/KvDisplayAxis.h"

// The sample axis of a display: below or above the data view (left or right in a vertical
// display), spread over a count of samples.
class TKvDisplayXAxis : public TKvDisplayAxis {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayXAxis(TKvDataDisplay& display, const std::string& caption, TKvDisplayView* before = nullptr)
      : TKvDisplayAxis(display, TKvViewAlign::vaBottom, caption, before) {}

  int Samples() const { return Samples_; }
  // Only the top or the bottom: left becomes top, right bottom.
  void SetAlign(TKvViewAlign align) override;
  bool IsVerticalLayout() const override;
  TKvViewSize GetSize() const override;
  int GetLeadingMargin() const override { return LabelWidth(GetVisibleUnitMin()) / 2 + 4; }
  int GetTrailingMargin() const override { return LabelWidth(GetVisibleUnitMax()) / 2 + 4; }

protected:
  bool AnchoredAtMin() const override { return false; }
  // A new count forgets the step and the ranges.
  void StoreSamples(int samples);

private:
  int Samples_ = 1024;
};
