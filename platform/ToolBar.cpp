#include "platform/ToolBar.h"

#include "platform/Published.h"

#include <QPainter>

#include <algorithm>

const TClassInfo& TToolBar::StaticClassInfo() {
  static const TSetNames edges = {{ebLeft, "ebLeft"}, {ebTop, "ebTop"}, {ebRight, "ebRight"}, {ebBottom, "ebBottom"}};
  return DefineClass<TToolBar, TWinControl>("TToolBar", [](TPublished<TToolBar>& p) {
    p.Integer("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight, 22)
        .Set("EdgeBorders", edges, &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders, uint32_t(ebTop));
  });
}

TToolBar::TToolBar(TComponent* owner) : TWidgetControl(owner) {
  setAutoFillBackground(true);
  setGeometry(0, 0, 150, 29);
  ApplyColor();
}

void TToolBar::SetButtonHeight(int height) {
  ButtonHeight_ = std::max(height, 0);
  AlignControls();
}

void TToolBar::SetEdgeBorders(uint32_t borders) {
  EdgeBorders_ = borders;
  AlignControls();
  update();
}

QRect TToolBar::ClientRect() const {
  return rect().adjusted(EdgeBorders_ & ebLeft ? 2 : 0, EdgeBorders_ & ebTop ? 2 : 0, EdgeBorders_ & ebRight ? -2 : 0,
                         EdgeBorders_ & ebBottom ? -2 : 0);
}

void TToolBar::ArrangeControls() {
  const QRect client = ClientRect();
  int x = client.left();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* control = Controls(i);
    if (!control->Visible()) continue;
    // Each control keeps its width and sits on the button row, centred in it.
    const int height = std::min(control->Height(), ButtonHeight_);
    control->SetBounds(x, client.top() + (ButtonHeight_ - height) / 2, control->Width(), height);
    x += control->Width();
  }
}

void TToolBar::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect r = rect();
  // An etched edge: a dark line with a light one beside it, towards the inside or the outside.
  auto etch = [&](QLine dark, QPoint toLight) {
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(dark);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(dark.translated(toLight));
  };
  if (EdgeBorders_ & ebTop) etch({r.topLeft(), r.topRight()}, {0, 1});
  if (EdgeBorders_ & ebBottom) etch({r.bottomLeft() - QPoint(0, 1), r.bottomRight() - QPoint(0, 1)}, {0, 1});
  if (EdgeBorders_ & ebLeft) etch({r.topLeft(), r.bottomLeft()}, {1, 0});
  if (EdgeBorders_ & ebRight) etch({r.topRight() - QPoint(1, 0), r.bottomRight() - QPoint(1, 0)}, {1, 0});
}
