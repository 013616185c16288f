#include "platform/Form.h"

#include "platform/ErrorReport.h"
#include "platform/Published.h"

#include <QCloseEvent>

const TClassInfo& TForm::StaticClassInfo() {
  static const TEnumNames<TFormBorderStyle> borderStyles = {{TFormBorderStyle::bsNone, "bsNone"},
                                                            {TFormBorderStyle::bsSingle, "bsSingle"},
                                                            {TFormBorderStyle::bsSizeable, "bsSizeable"},
                                                            {TFormBorderStyle::bsDialog, "bsDialog"},
                                                            {TFormBorderStyle::bsToolWindow, "bsToolWindow"},
                                                            {TFormBorderStyle::bsSizeToolWin, "bsSizeToolWin"}};
  return DefineClass<TForm, TWinControl>("TForm", [](TPublished<TForm>& p) {
    p.Enumeration("BorderStyle", borderStyles, &TForm::BorderStyle, &TForm::SetBorderStyle,
                  TFormBorderStyle::bsSizeable)
        .String("Caption", &TForm::Caption, &TForm::SetCaption, std::string())
        .Event("OnCreate", &TForm::OnCreate)
        .Event("OnShow", &TForm::OnShow)
        .Event("OnClose", &TForm::OnClose)
        .Event("OnDestroy", &TForm::OnDestroy);
  });
}

TForm::TForm(TComponent* owner) : TWidgetControl(owner) {
  setAutoFillBackground(true);
  ApplyColor();
  ApplyFont();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  BorderStyle_ = style;
  Qt::WindowFlags flags = Qt::Window;
  switch (style) {
    case TFormBorderStyle::bsNone: flags |= Qt::FramelessWindowHint; break;
    case TFormBorderStyle::bsDialog:
    case TFormBorderStyle::bsToolWindow:
      flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (style == TFormBorderStyle::bsToolWindow) flags |= Qt::Tool;
      break;
    case TFormBorderStyle::bsSizeToolWin: flags |= Qt::Tool; break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsSizeable: break;
  }
  setWindowFlags(flags);
}

void TForm::GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const {
  TWinControl::GetChildren(visit, root);
  // Then the components that are no control of the window: the chain's and the stand-alone ones.
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* component = Components(i);
    const auto* control = dynamic_cast<const TControl*>(component);
    if (!control || !control->Parent()) visit(component);
  }
}

void TForm::InitFromLayout(const std::string& layout) {
  TLayoutReader::ReadRoot(*this, layout);
  // A window of fixed size keeps the size its layout gave it.
  if (BorderStyle_ != TFormBorderStyle::bsSizeable && BorderStyle_ != TFormBorderStyle::bsSizeToolWin)
    setFixedSize(size());
  try {
    OnCreate(this);
  } catch (const std::exception& error) {
    ShowException(error);
  }
}

void TForm::Destroying() {
  OnDestroy(this);
  TWinControl::Destroying();
}

void TForm::CaptionChanged() { setWindowTitle(QString::fromStdString(Caption())); }

void TForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) OnShow(this);
}

void TForm::closeEvent(QCloseEvent* event) {
  TCloseAction action = TCloseAction::caHide;
  OnClose(this, action);
  if (action == TCloseAction::caNone) event->ignore();
  else event->accept();
}
