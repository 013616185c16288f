#pragma once

#include "display/KvDisplaySettings.h"
#include "platform/Event.h"
#include "platform/Published.h"

// A click on a tool bar button; a handler that sets `handled` replaces the button's own action.
using TKvToolBarButtonClickEvent = void(TObject* sender, bool& handled);

// A tool bar button as the user sees it: whether it is shown, and what a click does besides (or
// instead of) its action. Hiding it redraws the display.
class TKvDisplayToolBarButton : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayToolBarButton(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {}

  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { Update(Visible_, visible); }
  TEvent<TKvToolBarButtonClickEvent> OnClick;

private:
  bool Visible_ = true;
};

// The buttons of a display's tool bar.
class TKvDisplayToolBarButtons : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayToolBarButtons(TKvDataDisplay& display, TPersistent* owner);

  TKvDisplayToolBarButton* Setup() const { return Ptr(Setup_); }
  TKvDisplayToolBarButton* Hold() const { return Ptr(Hold_); }
  TKvDisplayToolBarButton* ZoomOff() const { return Ptr(ZoomOff_); }
  TKvDisplayToolBarButton* ZoomPrevious() const { return Ptr(ZoomPrevious_); }
  TKvDisplayToolBarButton* ZoomNext() const { return Ptr(ZoomNext_); }
  TKvDisplayToolBarButton* ZoomIn() const { return Ptr(ZoomIn_); }
  TKvDisplayToolBarButton* ZoomOut() const { return Ptr(ZoomOut_); }
  TKvDisplayToolBarButton* ZoomMode() const { return Ptr(ZoomMode_); }
  TKvDisplayToolBarButton* XYZoomOn() const { return Ptr(XYZoomOn_); }
  TKvDisplayToolBarButton* Copy() const { return Ptr(Copy_); }
  TKvDisplayToolBarButton* Print() const { return Ptr(Print_); }
  TKvDisplayToolBarButton* Save() const { return Ptr(Save_); }

private:
  static TKvDisplayToolBarButton* Ptr(const TKvDisplayToolBarButton& b) {
    return const_cast<TKvDisplayToolBarButton*>(&b);
  }
  TKvDisplayToolBarButton Setup_, Hold_, ZoomOff_, ZoomPrevious_, ZoomNext_, ZoomIn_, ZoomOut_, ZoomMode_, XYZoomOn_,
      Copy_, Print_, Save_;
};

// The buttons of an axis's tool bar.
class TKvAxisToolBarButtons : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvAxisToolBarButtons(TKvDataDisplay& display, TPersistent* owner);

  TKvDisplayToolBarButton* ZoomIn() const { return Ptr(ZoomIn_); }
  TKvDisplayToolBarButton* ZoomOut() const { return Ptr(ZoomOut_); }
  TKvDisplayToolBarButton* ZoomOff() const { return Ptr(ZoomOff_); }
  TKvDisplayToolBarButton* ZoomOneDir() const { return Ptr(ZoomOneDir_); }

private:
  static TKvDisplayToolBarButton* Ptr(const TKvDisplayToolBarButton& b) {
    return const_cast<TKvDisplayToolBarButton*>(&b);
  }
  TKvDisplayToolBarButton ZoomIn_, ZoomOut_, ZoomOff_, ZoomOneDir_;
};
