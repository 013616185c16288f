#pragma once

#include "display/KvCustomLegendGroups.h"
#include "display/KvLegendView.h"

#include <array>

// The scope's legend: a group for each kind of the scope's items (channels, channel links, marker
// groups, zones, ellipses, cursors, cursor links) in this order, then the custom groups.
class TKvScopeLegendView : public TKvLegendView {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvScopeLegendView(TKvDataDisplay& display);
  ~TKvScopeLegendView() override;

  TKvLegendGroup* Channels() const { return Group(0); }
  TKvLegendGroup* ChannelLinks() const { return Group(1); }
  TKvLegendGroup* MarkerGroups() const { return Group(2); }
  TKvLegendGroup* Zones() const { return Group(3); }
  TKvLegendGroup* Ellipses() const { return Group(4); }
  TKvLegendGroup* Cursors() const { return Group(5); }
  TKvLegendGroup* CursorLinks() const { return Group(6); }
  TKvLegendGroupCollection* CustomGroups() const { return const_cast<TKvLegendGroupCollection*>(&CustomGroups_); }

private:
  TKvLegendGroup* Group(int index) const { return const_cast<TKvLegendGroup*>(&Groups_[size_t(index)]); }

  std::array<TKvLegendGroup, 7> Groups_;
  TKvLegendGroupCollection CustomGroups_;
};
