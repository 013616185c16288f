#pragma once

#include "platform/WidgetControl.h"
#include "platform/WinControl.h"

#include <QWidget>

#include <string>

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = void(TObject* Sender, TCloseAction& Action);

// A top-level window, the root of the components that its layout creates. Its bounds are those of
// its client area. Window classes read their layout in their constructor with InitFromLayout.
class TForm : public TWidgetControl<QWidget, TWinControl> {
public:
  PUBLISHED_CLASS_INFO

  explicit TForm(TComponent* owner);

  TFormBorderStyle BorderStyle() const { return BorderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);

  void Show() { Widget().show(); }

  // After the layout is read and every component is in place.
  TEvent<TNotifyEvent> OnCreate;
  TEvent<TNotifyEvent> OnShow;
  TEvent<TCloseEvent> OnClose;
  // While the window and everything in it are still whole, before they are freed.
  TEvent<TNotifyEvent> OnDestroy;

  void GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const override;

protected:
  // Reads the window's layout into it and runs OnCreate. An error of OnCreate is shown to the user
  // and the window opens anyway; a layout that cannot be read raises ELayoutReadError.
  void InitFromLayout(const std::string& layout);

  void Destroying() override;
  void CaptionChanged() override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  TFormBorderStyle BorderStyle_ = TFormBorderStyle::bsSizeable;
};
