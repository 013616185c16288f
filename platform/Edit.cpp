#include "platform/Edit.h"

#include "platform/Published.h"

const TClassInfo& TEdit::StaticClassInfo() {
  return DefineClass<TEdit, TWinControl>("TEdit", [](TPublished<TEdit>& p) {
    p.String("Text", &TEdit::Caption, &TEdit::SetCaption, std::string()).Event("OnChange", &TEdit::OnChange);
  });
}

TEdit::TEdit(TComponent* owner) : TWidgetControl(owner) {
  SetColor(clWindow);
  setGeometry(0, 0, 121, 21);
  QObject::connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { SetCaption(text.toStdString()); });
}

void TEdit::CaptionChanged() {
  const QString text = QString::fromStdString(Caption());
  if (text != this->text()) setText(text);
  if (!IsLoading()) OnChange(this);
}
