#pragma once

#include "platform/Component.h"

#include <QResizeEvent>

// Joins a Qt widget class and a control class into one component: the control is the widget.
// The widget starts without a parent; the control gives it one when it gets a parent control.
template <class QtWidget, class Control>
class TWidgetControl : public QtWidget, public Control {
public:
  explicit TWidgetControl(TComponent* owner) : QtWidget(nullptr), Control(owner) { this->SetWidget(*this); }

protected:
  void resizeEvent(QResizeEvent* event) override {
    QtWidget::resizeEvent(event);
    this->Resized();
  }
};
