// Mouse and focus input of a display, handed to its components.
#include "display/KvDataDisplay.h"
#include "display/KvDisplayComponent.h"
#include "display/KvDisplayView.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

// One notch of a mouse wheel.
constexpr int WheelStep = 120;

QPoint PositionOf(const QSinglePointEvent* event) { return event->position().toPoint(); }

}  // namespace

void TKvDataDisplay::mouseMoveEvent(QMouseEvent* event) {
  if (IsDesigning()) return;
  const QPoint point = PositionOf(event);
  MousePosition_ = point;
  if (!MouseInside_) {
    MouseLeaveTimer.start();
    MouseEnter();
  }
  if (Gesture.Dragging() && !(event->buttons() & Qt::LeftButton)) {
    // The release went elsewhere (a grab taken by another window): the gesture is over.
    CancelGestures();
  }
  bool handled = false;
  for (TKvDisplayComponent* component : InputOrder())
    if (IsComponent(component) && component->IsActive())
      component->MouseMoveAt(event->modifiers(), point.x(), point.y(), handled);
  const bool band = Gesture.ShowsBand();
  Gesture.Move(point);
  // The axes' tracking marks and everything hovered follow the mouse; while a band is dragged only
  // the band does, and the picture is copied again rather than painted again.
  if (!band) Redraw();
}

void TKvDataDisplay::mousePressEvent(QMouseEvent* event) {
  if (IsDesigning()) return;
  setFocus(Qt::MouseFocusReason);
  const QPoint point = PositionOf(event);
  bool handled = false;
  for (TKvDisplayComponent* component : InputOrder()) {
    if (!IsComponent(component) || !component->IsActive()) continue;
    const bool inside = component->GetRect().Contains(point.x(), point.y());
    component->MouseDownAt(event->button(), event->modifiers(), handled, inside, point.x(), point.y());
    if (handled) return;
  }
  const TKvDisplayView* dataView = GetDataView();
  if (event->button() == Qt::LeftButton && dataView && dataView->GetRect().Contains(point.x(), point.y()))
    Gesture.Begin(point);
}

void TKvDataDisplay::mouseReleaseEvent(QMouseEvent* event) {
  if (IsDesigning()) return;
  const QPoint point = PositionOf(event);
  for (TKvDisplayComponent* component : InputOrder()) {
    if (!IsComponent(component)) continue;
    const bool inside = component->GetRect().Contains(point.x(), point.y());
    component->MouseUpAt(event->button(), event->modifiers(), inside, point.x(), point.y());
  }
  if (event->button() == Qt::LeftButton) Gesture.End();
}

void TKvDataDisplay::wheelEvent(QWheelEvent* event) {
  // Fine-grained wheels send parts of a notch; whole notches count.
  WheelRemainder += event->angleDelta().y();
  const QPoint point = event->position().toPoint();
  while (WheelRemainder >= WheelStep || WheelRemainder <= -WheelStep) {
    const bool down = WheelRemainder < 0;
    WheelRemainder += down ? WheelStep : -WheelStep;
    for (TKvDisplayComponent* component : InputOrder()) {
      if (!IsComponent(component) || !component->GetRect().Contains(point.x(), point.y())) continue;
      if (down) component->WheelDown(event->modifiers(), point.x(), point.y());
      else component->WheelUp(event->modifiers(), point.x(), point.y());
    }
    const TKvDisplayView* dataView = GetDataView();
    if (dataView && dataView->GetRect().Contains(point.x(), point.y()))
      WheelZoom(point, down ? 1.1 : 0.9, down ? 1.1 : 0.9);
  }
  event->accept();
}

void TKvDataDisplay::keyPressEvent(QKeyEvent* event) {
  const bool plus = event->key() == Qt::Key_Plus, minus = event->key() == Qt::Key_Minus;
  if (!Zooming_.KeyboardZoom() || !(plus || minus)) return TWidgetControl::keyPressEvent(event);
  ZoomBy(plus ? 0.5 : 2.0);
  event->accept();
}

void TKvDataDisplay::leaveEvent(QEvent*) { MouseLeave(); }

void TKvDataDisplay::MouseEnter() {
  MouseInside_ = true;
  for (TKvDisplayComponent* component : std::vector(Components_))
    if (IsComponent(component)) component->MouseEnterDisplay();
}

void TKvDataDisplay::MouseLeave() {
  MouseLeaveTimer.stop();
  if (!MouseInside_) return;
  MouseInside_ = false;
  for (TKvDisplayComponent* component : std::vector(Components_))
    if (IsComponent(component)) component->MouseLeaveDisplay();
  RestoreCursor();
  Redraw();
}

// The focus rectangle is part of the picture.
void TKvDataDisplay::focusInEvent(QFocusEvent*) { Redraw(); }

void TKvDataDisplay::focusOutEvent(QFocusEvent*) {
  CancelGestures();
  Redraw();
}

void TKvDataDisplay::hideEvent(QHideEvent*) { CancelGestures(); }

void TKvDataDisplay::changeEvent(QEvent* event) {
  // Another window took the mouse: a button held here will not be released here.
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) CancelGestures();
  TWidgetControl::changeEvent(event);
}

void TKvDataDisplay::CancelGestures() {
  Gesture.Cancel();
  SetDragInProgress(false);
  for (TKvDisplayComponent* component : std::vector(Components_))
    if (IsComponent(component)) component->CaptureLost();
}
