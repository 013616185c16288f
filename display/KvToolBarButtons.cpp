#include "display/KvToolBarButtons.h"

const TClassInfo& TKvDisplayToolBarButton::StaticClassInfo() {
  return DefineClass<TKvDisplayToolBarButton, TKvDisplaySettings>(
      "TKvDisplayToolBarButton", [](TPublished<TKvDisplayToolBarButton>& p) {
        using C = TKvDisplayToolBarButton;
        p.Boolean("Visible", &C::Visible, &C::SetVisible, true).Event("OnClick", &C::OnClick);
      });
}

TKvDisplayToolBarButtons::TKvDisplayToolBarButtons(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw),
      Setup_(display, this),
      Hold_(display, this),
      ZoomOff_(display, this),
      ZoomPrevious_(display, this),
      ZoomNext_(display, this),
      ZoomIn_(display, this),
      ZoomOut_(display, this),
      ZoomMode_(display, this),
      XYZoomOn_(display, this),
      Copy_(display, this),
      Print_(display, this),
      Save_(display, this) {}

const TClassInfo& TKvDisplayToolBarButtons::StaticClassInfo() {
  return DefineClass<TKvDisplayToolBarButtons, TKvDisplaySettings>("TKvDisplayToolBarButtons",
                                                                   [](TPublished<TKvDisplayToolBarButtons>& p) {
                                                                     using C = TKvDisplayToolBarButtons;
                                                                     p.Object("Setup", &C::Setup)
                                                                         .Object("Hold", &C::Hold)
                                                                         .Object("ZoomOff", &C::ZoomOff)
                                                                         .Object("ZoomPrevious", &C::ZoomPrevious)
                                                                         .Object("ZoomNext", &C::ZoomNext)
                                                                         .Object("ZoomIn", &C::ZoomIn)
                                                                         .Object("ZoomOut", &C::ZoomOut)
                                                                         .Object("ZoomMode", &C::ZoomMode)
                                                                         .Object("XYZoomOn", &C::XYZoomOn)
                                                                         .Object("Copy", &C::Copy)
                                                                         .Object("Print", &C::Print)
                                                                         .Object("Save", &C::Save);
                                                                   });
}

TKvAxisToolBarButtons::TKvAxisToolBarButtons(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw),
      ZoomIn_(display, this),
      ZoomOut_(display, this),
      ZoomOff_(display, this),
      ZoomOneDir_(display, this) {}

const TClassInfo& TKvAxisToolBarButtons::StaticClassInfo() {
  return DefineClass<TKvAxisToolBarButtons, TKvDisplaySettings>("TKvAxisToolBarButtons",
                                                                [](TPublished<TKvAxisToolBarButtons>& p) {
                                                                  using C = TKvAxisToolBarButtons;
                                                                  p.Object("ZoomIn", &C::ZoomIn)
                                                                      .Object("ZoomOut", &C::ZoomOut)
                                                                      .Object("ZoomOff", &C::ZoomOff)
                                                                      .Object("ZoomOneDir", &C::ZoomOneDir);
                                                                });
}
