#include "platform/RadioButton.h"

#include "platform/Published.h"

const TClassInfo& TRadioButton::StaticClassInfo() {
  return DefineClass<TRadioButton, TWinControl>("TRadioButton", [](TPublished<TRadioButton>& p) {
    p.String("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption, std::string())
        .Boolean("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked, false)
        .Event("OnClick", &TRadioButton::OnClick);
  });
}

TRadioButton::TRadioButton(TComponent* owner) : TWidgetControl(owner) {
  setGeometry(0, 0, 113, 17);
  QObject::connect(this, &QRadioButton::clicked, this, [this] { OnClick(this); });
}
