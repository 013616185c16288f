#include "display/KvScopeChannels.h"

#include "display/KvScope.h"

#include <algorithm>

const TClassInfo& TKvScopeChannels::StaticClassInfo() {
  return DefineClass<TKvScopeChannels, TLkExtCollection>("TKvScopeChannels");
}

TKvScopeChannels::TKvScopeChannels(TKvScope& scope)
    : TLkExtCollection(&scope, ItemsOf<TKvScopeChannel>()), Scope_(scope) {}

TColor TKvScopeChannels::NextColor() const {
  std::array<int, Palette.size()> uses{};
  for (int i = 0; i < Count(); ++i) {
    const auto found = std::find(Palette.begin(), Palette.end(), Channel(i).Color());
    if (found != Palette.end()) ++uses[size_t(found - Palette.begin())];
  }
  return Palette[size_t(std::min_element(uses.begin(), uses.end()) - uses.begin())];
}

void TKvScopeChannels::ItemAdded(TCollectionItem&) { Scope_.Relayout(); }
