// Renders the window headless into a PNG file, for the documentation:
//   notechannels-screenshot <file.png>
#include "app/Form1.h"

#include <QApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <file.png>\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(QString::fromUtf8(ApplicationTitle));
  std::unique_ptr<TForm1, TComponentDeleter> form(new TForm1);
  form->Show();
  QApplication::processEvents();
  if (!form->grab().toImage().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
