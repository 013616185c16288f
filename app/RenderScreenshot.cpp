// Renders the window headless into a PNG file, for the documentation:
//   notechannels-screenshot <file.png>
// The window is shown as the user sees it, with its chain running for a few seconds, so that the
// scope holds traces and the waterfall several seconds of spectra.
#include "app/Form1.h"

#include <QApplication>
#include <QImage>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int RunMilliseconds = 6000;

}  // namespace

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
  QTimer::singleShot(RunMilliseconds, &application, &QApplication::quit);
  application.exec();
  if (!form->grab().toImage().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
