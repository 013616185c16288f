#include "display/KvScopeChannels.h"

#include "display/KvPalette.h"
#include "display/KvScope.h"

#include <algorithm>

const TClassInfo& TKvScopeChannels::StaticClassInfo() {
  return DefineClass<TKvScopeChannels, TLkExtCollection>("TKvScopeChannels");
}

TKvScopeChannels::TKvScopeChannels(TKvScope& scope)
    : TLkExtCollection(&scope, ItemsOf<TKvScopeChannel>()), Scope_(scope) {}

TColor TKvScopeChannels::NextColor() const {
  return LeastUsedColor(Palette, Count(), [this](int i) { return Channel(i).Color(); });
}

void TKvScopeChannels::ItemAdded(TCollectionItem&) { Scope_.Relayout(); }

int TKvScopeChannels::HitTest(int x, int y, TKvTraceHit* hit) const {
  int found = -1;
  TKvTraceHit best;
  for (int i = Count() - 1; i >= 0; --i) {
    if (!Channel(i).Visible()) continue;
    const TKvTraceHit each = Channel(i).HitTest(x, y);
    if (each.Distance < best.Distance) best = each, found = i;
  }
  if (best.Distance >= KvHitTolerance) return -1;
  if (hit) *hit = best;
  return found;
}
