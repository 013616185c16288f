#pragma once

#include "platform/WidgetControl.h"
#include "platform/WinControl.h"

#include <QGroupBox>

// A framed group of controls with a caption in its top edge.
class TGroupBox : public TWidgetControl<QGroupBox, TWinControl> {
public:
  PUBLISHED_CLASS_INFO

  explicit TGroupBox(TComponent* owner);

protected:
  void CaptionChanged() override { setTitle(QString::fromStdString(Caption())); }
};
