#pragma once

#include "display/KvGeometry.h"
#include "platform/EzLockedPersistent.h"

#include <Qt>

class TKvDataDisplay;

// A part of a display that takes mouse input (a view, a tool bar). It joins its display's list of
// components when it is made and leaves it when it goes; the display hands it the mouse in a fixed
// order (see TKvDataDisplay).
class TKvDisplayComponent : public TEzLockedPersistent {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayComponent(TKvDataDisplay& display);
  ~TKvDisplayComponent() override;
  TKvDisplayComponent(const TKvDisplayComponent&) = delete;
  TKvDisplayComponent& operator=(const TKvDisplayComponent&) = delete;

  TKvDataDisplay& Display() const { return Display_; }
  // The mouse is over the component's rectangle.
  bool Hovered() const { return Hovered_; }

  // Where the component is in the display; empty when it has no place.
  virtual TKvRect GetRect() const { return {}; }
  virtual void SetViewRect(const TKvRect&) {}
  virtual bool IsActive() const { return true; }
  // Tool bars are asked before everything else.
  virtual bool IsToolBar() const { return false; }
  // The first component under the point marks the move handled and is hovered; the others lose
  // their hover.
  virtual void MouseMoveAt(Qt::KeyboardModifiers shift, int x, int y, bool& handled);
  virtual void MouseDownAt(Qt::MouseButton, Qt::KeyboardModifiers, bool& /*handled*/, bool /*inside*/, int, int) {}
  virtual void MouseUpAt(Qt::MouseButton, Qt::KeyboardModifiers, bool /*inside*/, int, int) {}
  virtual void MouseLeaveDisplay();
  virtual void MouseEnterDisplay() {}
  virtual void HoverLeave() {}
  virtual void HoverEnter() {}
  virtual void WheelDown(Qt::KeyboardModifiers, int /*x*/, int /*y*/) {}
  virtual void WheelUp(Qt::KeyboardModifiers, int /*x*/, int /*y*/) {}
  // The display lost the mouse or the focus in the middle of a gesture: drop whatever it started.
  virtual void CaptureLost() {}

private:
  void SetHovered(bool hovered);

  TKvDataDisplay& Display_;
  bool Hovered_ = false;
};
