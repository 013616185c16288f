#pragma once

#include "platform/WidgetControl.h"
#include "platform/WinControl.h"

#include <QFrame>

// A raised bar that holds tool bars where their bounds place them.
class TControlBar : public TWidgetControl<QFrame, TWinControl> {
public:
  PUBLISHED_CLASS_INFO

  explicit TControlBar(TComponent* owner);
};
