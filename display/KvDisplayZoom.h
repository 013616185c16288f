#pragma once

#include "display/KvDisplaySettings.h"
#include "platform/Colors.h"
#include "platform/Published.h"

// Which axes a dragged rectangle zooms.
enum class TKvDisplayZoomMode { zmBoth, zmXAxis, zmYAxis };
const TEnumNames<TKvDisplayZoomMode>& DisplayZoomModeNames();

// How the user may zoom a display: with the mouse (rectangle, wheel), the keyboard, and whether a
// zoom or a pan puts the display on hold.
class TKvDisplayZoom : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayZoom(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {}

  bool MouseZoom() const { return MouseZoom_; }
  void SetMouseZoom(bool value) { Update(MouseZoom_, value); }
  bool KeyboardZoom() const { return KeyboardZoom_; }
  void SetKeyboardZoom(bool value) { Update(KeyboardZoom_, value); }
  TColor SelectionColor() const { return SelectionColor_; }
  void SetSelectionColor(TColor color) { Update(SelectionColor_, color); }
  bool MouseWheelEnabled() const { return MouseWheelEnabled_; }
  void SetMouseWheelEnabled(bool value) { Update(MouseWheelEnabled_, value); }
  bool HoldOnZoom() const { return HoldOnZoom_; }
  void SetHoldOnZoom(bool value) { Update(HoldOnZoom_, value); }
  bool HoldOnPan() const { return HoldOnPan_; }
  void SetHoldOnPan(bool value) { Update(HoldOnPan_, value); }
  TKvDisplayZoomMode Mode() const { return Mode_; }
  void SetMode(TKvDisplayZoomMode mode) { Update(Mode_, mode); }

private:
  bool MouseZoom_ = true;
  bool KeyboardZoom_ = true;
  TColor SelectionColor_ = clWhite;
  bool MouseWheelEnabled_ = true;
  bool HoldOnZoom_ = true;
  bool HoldOnPan_ = false;
  TKvDisplayZoomMode Mode_ = TKvDisplayZoomMode::zmBoth;
};
