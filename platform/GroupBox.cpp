#include "platform/GroupBox.h"

#include "platform/Published.h"

const TClassInfo& TGroupBox::StaticClassInfo() {
  return DefineClass<TGroupBox, TWinControl>("TGroupBox", [](TPublished<TGroupBox>& p) {
    p.String("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption, std::string());
  });
}

TGroupBox::TGroupBox(TComponent* owner) : TWidgetControl(owner) { setGeometry(0, 0, 185, 105); }
