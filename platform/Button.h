#pragma once

#include "platform/WidgetControl.h"
#include "platform/WinControl.h"

#include <QPushButton>

// A push button; OnClick runs when it is clicked.
class TButton : public TWidgetControl<QPushButton, TWinControl> {
public:
  PUBLISHED_CLASS_INFO

  explicit TButton(TComponent* owner);

protected:
  void CaptionChanged() override { setText(QString::fromStdString(Caption())); }
};
