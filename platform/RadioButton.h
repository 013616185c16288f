#pragma once

#include "platform/WidgetControl.h"
#include "platform/WinControl.h"

#include <QRadioButton>

// One choice of a group: checking it unchecks the other radio buttons of its parent. OnClick runs
// when the user clicks it.
class TRadioButton : public TWidgetControl<QRadioButton, TWinControl> {
public:
  PUBLISHED_CLASS_INFO

  explicit TRadioButton(TComponent* owner);

  bool Checked() const { return isChecked(); }
  void SetChecked(bool checked) { setChecked(checked); }

protected:
  void CaptionChanged() override { setText(QString::fromStdString(Caption())); }
};
