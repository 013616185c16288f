#pragma once

#include "display/KvDisplayCollectionItem.h"
#include "display/KvScopeChannel.h"
#include "platform/Collection.h"
#include "platform/Event.h"

#include <array>

// The scope's channels. A new channel takes the palette colour the fewest channels use, the
// earliest on a tie; adding one relayouts the scope.
class TKvScopeChannels : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  static constexpr std::array<TColor, 13> Palette = {255,      65280,    16711680, 65535,    16776960, 15793151, 32896,
                                                     16777215, 12632256, 8388736,  16711935, 8421376,  8388608};

  explicit TKvScopeChannels(TKvScope& scope);

  TKvScope& Scope() const { return Scope_; }
  TKvScopeChannel& Channel(int index) const { return static_cast<TKvScopeChannel&>(Items(index)); }
  TKvScopeChannel& AddChannel() { return static_cast<TKvScopeChannel&>(Add()); }
  // The palette colour a channel added now gets.
  TColor NextColor() const;
  // The visible channel nearest to (x, y) as last drawn, asked from the last to the first: the
  // smallest distance wins, the later channel on a tie; -1 when none lies nearer than the
  // tolerance. `hit` tells where on the winner.
  int HitTest(int x, int y, TKvTraceHit* hit = nullptr) const;

  // A left press on a channel's trace in the data view, with the scope as the sender; a handler
  // that sets `handled` keeps the press from starting a zoom or a pan.
  TEvent<TKvChartItemClickEvent> OnClick;

protected:
  void ItemAdded(TCollectionItem& item) override;

private:
  TKvScope& Scope_;
};
