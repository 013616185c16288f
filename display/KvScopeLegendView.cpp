#include "display/KvScopeLegendView.h"

const TClassInfo& TKvScopeLegendView::StaticClassInfo() {
  return DefineClass<TKvScopeLegendView, TKvLegendView>("TKvScopeLegendView", [](TPublished<TKvScopeLegendView>& p) {
    using C = TKvScopeLegendView;
    p.Object("Channels", &C::Channels)
        .Object("ChannelLinks", &C::ChannelLinks)
        .Object("MarkerGroups", &C::MarkerGroups)
        .Object("Zones", &C::Zones)
        .Object("Ellipses", &C::Ellipses)
        .Object("Cursors", &C::Cursors)
        .Object("CursorLinks", &C::CursorLinks)
        .Collection("CustomGroups", &C::CustomGroups, [](const C& c) { return c.CustomGroups()->Count() > 0; });
  });
}

TKvScopeLegendView::TKvScopeLegendView(TKvDataDisplay& display)
    : TKvLegendView(display),
      Groups_{{{display, this, "Channels"},
               {display, this, "Channel Links"},
               {display, this, "Marker Groups"},
               {display, this, "Zones"},
               {display, this, "Ellipses"},
               {display, this, "Cursors"},
               {display, this, "Cursor Links"}}},
      CustomGroups_(display, this) {
  for (TKvLegendGroup& group : Groups_) AddGroup(group);
  CustomGroups_.AddListener([this](TLkExtCollection&, TCollectionItem& item, TCollectionNotification action) {
    TKvCustomLegendGroup& group = *static_cast<TKvLegendGroupCollectionItem&>(item).LegendGroup();
    if (action == TCollectionNotification::cnAdded) AddGroup(group);
    else RemoveGroup(group);
  });
}

// Each custom group leaves the list of groups before it goes.
TKvScopeLegendView::~TKvScopeLegendView() { CustomGroups_.Clear(); }
