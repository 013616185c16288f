#include "app/Form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(QString::fromUtf8(WindowCaption));
  TForm1 form;
  form.show();
  return application.exec();
}
