#include "display/KvToolBarDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

TKvToolBarDialogs StandardToolBarDialogs() {
  TKvToolBarDialogs dialogs;
  dialogs.AskPrinter = [](QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
  };
  dialogs.AskSaveFileName = [](QWidget* parent) -> std::optional<std::string> {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter("Bitmap (*.bmp);;JPEG File Interchange Format (*.jpg)");
    dialog.setDefaultSuffix("bmp");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
  };
  dialogs.ShowError = [](QWidget* parent, const std::string& message) {
    QMessageBox::warning(parent, QString(), QString::fromStdString(message));
  };
  return dialogs;
}
