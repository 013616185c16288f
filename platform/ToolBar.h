#pragma once

#include "platform/WidgetControl.h"
#include "platform/WinControl.h"

#include <QFrame>

enum TEdgeBorder : uint32_t { ebLeft = 1u << 0, ebTop = 1u << 1, ebRight = 1u << 2, ebBottom = 1u << 3 };

// A row of controls, each placed after the one before it and given the height of the buttons.
class TToolBar : public TWidgetControl<QFrame, TWinControl> {
public:
  PUBLISHED_CLASS_INFO

  explicit TToolBar(TComponent* owner);

  int ButtonHeight() const { return ButtonHeight_; }
  void SetButtonHeight(int height);
  uint32_t EdgeBorders() const { return EdgeBorders_; }
  void SetEdgeBorders(uint32_t borders);

protected:
  // Places the controls one after the other on the button row.
  void ArrangeControls() override;
  QRect ClientRect() const override;
  void paintEvent(QPaintEvent* event) override;

private:
  int ButtonHeight_ = 22;
  uint32_t EdgeBorders_ = ebTop;
};
