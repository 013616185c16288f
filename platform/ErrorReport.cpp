#include "platform/ErrorReport.h"

#include <QApplication>
#include <QMessageBox>

#include <mutex>

namespace {

std::mutex PresenterMutex;
TErrorPresenter Presenter;

void ShowMessageBox(const std::string& message) {
  QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                        QString::fromStdString(message));
}

}  // namespace

void ShowException(const std::exception& error) {
  TErrorPresenter presenter;
  {
    std::lock_guard lock(PresenterMutex);
    presenter = Presenter;
  }
  (presenter ? presenter : ShowMessageBox)(error.what());
}

TErrorPresenter SetErrorPresenter(TErrorPresenter presenter) {
  std::lock_guard lock(PresenterMutex);
  std::swap(Presenter, presenter);
  return presenter;
}
