#include "platform/Button.h"

#include "platform/Published.h"

const TClassInfo& TButton::StaticClassInfo() {
  return DefineClass<TButton, TWinControl>("TButton", [](TPublished<TButton>& p) {
    p.String("Caption", &TButton::Caption, &TButton::SetCaption, std::string()).Event("OnClick", &TButton::OnClick);
  });
}

TButton::TButton(TComponent* owner) : TWidgetControl(owner) {
  setGeometry(0, 0, 75, 25);
  QObject::connect(this, &QPushButton::clicked, this, [this] { OnClick(this); });
}
