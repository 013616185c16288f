#include "display/KvDisplayComponent.h"

#include "display/KvDataDisplay.h"
#include "platform/Published.h"

const TClassInfo& TKvDisplayComponent::StaticClassInfo() {
  return DefineClass<TKvDisplayComponent, TEzLockedPersistent>("TKvDisplayComponent");
}

TKvDisplayComponent::TKvDisplayComponent(TKvDataDisplay& display) : TEzLockedPersistent(&display), Display_(display) {
  SetWriteLock(display.WriteLocker());
  display.AddComponent(*this);
}

TKvDisplayComponent::~TKvDisplayComponent() { Display_.RemoveComponent(*this); }

void TKvDisplayComponent::MouseMoveAt(Qt::KeyboardModifiers, int x, int y, bool& handled) {
  const bool over = !handled && GetRect().Contains(x, y);
  if (over) handled = true;
  SetHovered(over);
}

void TKvDisplayComponent::MouseLeaveDisplay() { SetHovered(false); }

void TKvDisplayComponent::SetHovered(bool hovered) {
  if (hovered == Hovered_) return;
  Hovered_ = hovered;
  if (hovered) HoverEnter();
  else HoverLeave();
}
