#include "app/Form1.h"

#include "platform/ErrorReport.h"
#include "vector/PrimitiveBinding.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  // The vector primitives are bound first, before anything can call them.
  Primitives::BoundPrimitives();
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(QString::fromUtf8(ApplicationTitle));
  std::unique_ptr<TForm1, TComponentDeleter> form;
  try {
    form.reset(new TForm1);
  } catch (const std::exception& error) {
    ShowException(error);
    return 1;
  }
  form->Show();
  return application.exec();
}
