#include "display/KvDisplayZoom.h"

const TEnumNames<TKvDisplayZoomMode>& DisplayZoomModeNames() {
  static const TEnumNames<TKvDisplayZoomMode> names = {{TKvDisplayZoomMode::zmBoth, "zmBoth"},
                                                       {TKvDisplayZoomMode::zmXAxis, "zmXAxis"},
                                                       {TKvDisplayZoomMode::zmYAxis, "zmYAxis"}};
  return names;
}

const TClassInfo& TKvDisplayZoom::StaticClassInfo() {
  return DefineClass<TKvDisplayZoom, TKvDisplaySettings>("TKvDisplayZoom", [](TPublished<TKvDisplayZoom>& p) {
    using C = TKvDisplayZoom;
    p.Boolean("MouseZoom", &C::MouseZoom, &C::SetMouseZoom, true)
        .Boolean("KeyboardZoom", &C::KeyboardZoom, &C::SetKeyboardZoom, true)
        .Colour("SelectionColor", &C::SelectionColor, &C::SetSelectionColor, clWhite)
        .Boolean("MouseWheelEnabled", &C::MouseWheelEnabled, &C::SetMouseWheelEnabled, true)
        .Boolean("HoldOnZoom", &C::HoldOnZoom, &C::SetHoldOnZoom, true)
        .Boolean("HoldOnPan", &C::HoldOnPan, &C::SetHoldOnPan, false)
        .Enumeration("Mode", DisplayZoomModeNames(), &C::Mode, &C::SetMode, TKvDisplayZoomMode::zmBoth);
  });
}
