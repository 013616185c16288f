#pragma once

#include "display/KvLegendView.h"

// The waterfall's legend: one group, listing its marker groups.
class TKvWaterfallLegendView : public TKvLegendView {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvWaterfallLegendView(TKvDataDisplay& display);

  TKvLegendGroup* MarkerGroups() const { return const_cast<TKvLegendGroup*>(&MarkerGroups_); }

private:
  TKvLegendGroup MarkerGroups_;
};
