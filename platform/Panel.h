#pragma once

#include "platform/WidgetControl.h"
#include "platform/WinControl.h"

#include <QFrame>

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// A container with an optional bevelled edge and a caption in its middle.
class TPanel : public TWidgetControl<QFrame, TWinControl> {
public:
  PUBLISHED_CLASS_INFO

  explicit TPanel(TComponent* owner);

  TPanelBevel BevelOuter() const { return BevelOuter_; }
  void SetBevelOuter(TPanelBevel bevel);

protected:
  void CaptionChanged() override { update(); }
  void paintEvent(QPaintEvent* event) override;

private:
  TPanelBevel BevelOuter_ = TPanelBevel::bvRaised;
};
