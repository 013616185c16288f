#include "display/KvToolBarPosition.h"

const TClassInfo& TKvOffset::StaticClassInfo() {
  return DefineClass<TKvOffset, TKvDisplaySettings>("TKvOffset", [](TPublished<TKvOffset>& p) {
    p.Integer("CX", &TKvOffset::CX, &TKvOffset::SetCX, 3).Integer("CY", &TKvOffset::CY, &TKvOffset::SetCY, 3);
  });
}

const TClassInfo& TKvCoordinateOffset::StaticClassInfo() {
  static const TEnumNames<TKvCoordinateMode> modes = {{TKvCoordinateMode::cmLeftTop, "cmLeftTop"},
                                                      {TKvCoordinateMode::cmLeftBottom, "cmLeftBottom"},
                                                      {TKvCoordinateMode::cmLeftCenter, "cmLeftCenter"},
                                                      {TKvCoordinateMode::cmRightTop, "cmRightTop"},
                                                      {TKvCoordinateMode::cmRightBottom, "cmRightBottom"},
                                                      {TKvCoordinateMode::cmRightCenter, "cmRightCenter"},
                                                      {TKvCoordinateMode::cmTopCenter, "cmTopCenter"},
                                                      {TKvCoordinateMode::cmBottomCenter, "cmBottomCenter"},
                                                      {TKvCoordinateMode::cmCenter, "cmCenter"}};
  return DefineClass<TKvCoordinateOffset, TKvOffset>("TKvCoordinateOffset", [](TPublished<TKvCoordinateOffset>& p) {
    p.Enumeration("CoordinateMode", modes, &TKvCoordinateOffset::CoordinateMode,
                  &TKvCoordinateOffset::SetCoordinateMode, TKvCoordinateMode::cmRightTop);
  });
}

const TClassInfo& TKvToolBarPosition::StaticClassInfo() {
  static const TEnumNames<TKvToolBarHostView> views = {{TKvToolBarHostView::thvDisplay, "thvDisplay"},
                                                       {TKvToolBarHostView::thvDataView, "thvDataView"}};
  return DefineClass<TKvToolBarPosition, TKvCoordinateOffset>(
      "TKvToolBarPosition", [](TPublished<TKvToolBarPosition>& p) {
        p.Enumeration("HostView", views, &TKvToolBarPosition::HostView, &TKvToolBarPosition::SetHostView,
                      TKvToolBarHostView::thvDisplay);
      });
}
