#include "platform/Panel.h"

#include "platform/Published.h"

#include <QPainter>

const TClassInfo& TPanel::StaticClassInfo() {
  static const TEnumNames<TPanelBevel> bevels = {{TPanelBevel::bvNone, "bvNone"},
                                                 {TPanelBevel::bvLowered, "bvLowered"},
                                                 {TPanelBevel::bvRaised, "bvRaised"},
                                                 {TPanelBevel::bvSpace, "bvSpace"}};
  return DefineClass<TPanel, TWinControl>("TPanel", [](TPublished<TPanel>& p) {
    p.Enumeration("BevelOuter", bevels, &TPanel::BevelOuter, &TPanel::SetBevelOuter, TPanelBevel::bvRaised)
        .String("Caption", &TPanel::Caption, &TPanel::SetCaption, std::string())
        .Event("OnClick", &TPanel::OnClick);
  });
}

TPanel::TPanel(TComponent* owner) : TWidgetControl(owner) {
  setAutoFillBackground(true);
  setGeometry(0, 0, 185, 41);
  SetBevelOuter(BevelOuter_);
  ApplyColor();
}

void TPanel::SetBevelOuter(TPanelBevel bevel) {
  BevelOuter_ = bevel;
  switch (bevel) {
    case TPanelBevel::bvNone: setFrameStyle(QFrame::NoFrame); break;
    case TPanelBevel::bvLowered: setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case TPanelBevel::bvRaised: setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    case TPanelBevel::bvSpace: setFrameStyle(QFrame::Panel | QFrame::Plain); break;
  }
  AlignControls();
}

void TPanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (Caption().empty()) return;
  QPainter painter(this);
  painter.drawText(contentsRect(), Qt::AlignCenter | Qt::TextSingleLine, QString::fromStdString(Caption()));
}
