#pragma once

#include "platform/WidgetControl.h"
#include "platform/WinControl.h"

#include <QLineEdit>

// A one-line text box. OnChange runs whenever its text changes.
class TEdit : public TWidgetControl<QLineEdit, TWinControl> {
public:
  PUBLISHED_CLASS_INFO

  explicit TEdit(TComponent* owner);

  TColor DefaultColor() const override { return clWindow; }

  TEvent<TNotifyEvent> OnChange;

protected:
  void CaptionChanged() override;
};
