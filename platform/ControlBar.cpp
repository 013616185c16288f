#include "platform/ControlBar.h"

#include "platform/Published.h"

const TClassInfo& TControlBar::StaticClassInfo() { return DefineClass<TControlBar, TWinControl>("TControlBar"); }

TControlBar::TControlBar(TComponent* owner) : TWidgetControl(owner) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setAutoFillBackground(true);
  setGeometry(0, 0, 100, 50);
  ApplyColor();
}
