// The picture outside the window: clipboard, files by extension, printing, images of any size.
#include "DisplayTestKit.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

QImage PaintedToCanvas(TKvDataDisplay& display) {
  QImage image(display.Width(), display.Height(), QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  display.PaintToCanvas(painter);
  return image;
}

QByteArray Head(const QString& path, int count) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.read(count) : QByteArray();
}

TEST(Export, TheClipboardGetsWhatPaintToCanvasPaints) {
  TChartPtr chart(new TTestChart(nullptr));
  chart->Deliver(-3, 7);
  chart->Refresh();
  chart->CopyToClipboard();
  const QImage copied = QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(copied.size(), QSize(450, 280));
  EXPECT_EQ(copied, PaintedToCanvas(*chart));
}

struct TSaveCase {
  const char* Name;
  QByteArray Magic;
};

TEST(Export, SavingChoosesTheFormatByTheExtensionInAnyCase) {
  TChartPtr chart = BareChart(80, 50);
  QTemporaryDir dir;
  const QByteArray jpeg("\xFF\xD8\xFF", 3), png("\x89PNG", 4), bmp("BM", 2);
  for (const TSaveCase& c : {TSaveCase{"a.jpg", jpeg},
                             {"b.JPEG", jpeg},
                             {"c.Png", png},
                             {"d.bmp", bmp},
                             {"e.txt", bmp},
                             {"f", bmp},
                             {"g.jpg.bmp", bmp}}) {
    const QString path = dir.filePath(c.Name);
    chart->SaveToFile(path.toStdString());
    EXPECT_EQ(Head(path, c.Magic.size()), c.Magic) << c.Name;
  }
  const QImage bitmap(dir.filePath("d.bmp"));
  EXPECT_EQ(bitmap.convertToFormat(QImage::Format_RGB32), PaintedToCanvas(*chart));
}

TEST(Export, AFileThatCannotBeWrittenIsAnError) {
  TChartPtr chart = BareChart(80, 50);
  QTemporaryDir dir;
  const std::string path = dir.filePath("missing/picture.png").toStdString();
  EXPECT_THROW(chart->SaveToFile(path), EKvDisplayError);
}

TEST(Export, AnImageOfAnotherSizeIsLaidOutForThatSize) {
  TChartPtr chart = BareChart(80, 50);
  const QImage image = chart->PaintToImage(200, 100);
  ASSERT_EQ(image.size(), QSize(200, 100));
  EXPECT_EQ(Rgb(image, 199, 50), 0x008000u);
  EXPECT_EQ(Rgb(image, 50, 99), 0x008000u);
  // The window's own picture keeps its own layout.
  EXPECT_EQ(chart->GetExportWidth(), 80);
  EXPECT_EQ(Rgb(Expose(*chart), 79, 20), 0x008000u);
}

TEST(Export, PrintingLeavesTheDisplayAsItWas) {
  TChartPtr chart(new TTestChart(nullptr));
  const QImage before = Expose(*chart);
  QTemporaryDir dir;
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("page.pdf"));
  chart->Print(printer);
  EXPECT_EQ(Head(dir.filePath("page.pdf"), 4), QByteArray("%PDF"));
  EXPECT_FALSE(chart->ZoomHold());
  EXPECT_EQ(chart->GetExportWidth(), 450);
  EXPECT_EQ(Expose(*chart), before);

  chart->SetZoomHold(true);
  chart->Print(printer);
  EXPECT_TRUE(chart->ZoomHold());
}

TEST(Export, NothingIsPaintedWhileTheLockRefusesASection) {
  TChartPtr chart = BareChart(80, 50);
  // Another thread holds a pending stop: every other attempt on the lock fails at once.
  std::mutex mutex;
  std::condition_variable changed;
  bool stopping = false, done = false;
  std::thread stopper([&] {
    const TLkLockSection stop = chart->DataLock().StopLock();
    std::unique_lock lock(mutex);
    stopping = true;
    changed.notify_all();
    changed.wait(lock, [&] { return done; });
  });
  {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return stopping; });
  }
  const QImage blank = chart->RenderImage();
  {
    std::lock_guard lock(mutex);
    done = true;
  }
  changed.notify_all();
  stopper.join();
  EXPECT_EQ(blank.convertToFormat(QImage::Format_RGB32).pixel(0, 0) & 0xFFFFFF, 0u);
  QImage black(blank.size(), QImage::Format_RGB32);
  black.fill(Qt::black);
  EXPECT_EQ(blank, black);
  EXPECT_EQ(Rgb(chart->RenderImage(), 40, 49), 0x008000u);
}

TEST(Export, AHostedElementPaintsIntoItsHostsPictureUntilItGoes) {
  TChartPtr host = BareChart(80, 50), guest = BareChart(20, 20);
  host->DataView()->Border()->SetVisible(false);
  HideGrid(*host);
  HideGrid(*guest);
  guest->DataView()->Border()->Pen()->SetColor(clLime);
  host->HostElement(*guest);
  // The element paints at the host's size, under the host's own views.
  EXPECT_EQ(Rgb(Expose(*host), 40, 49), 0x00FF00u);
  host->UnhostElement(*guest);
  EXPECT_EQ(Rgb(Expose(*host), 40, 49), 0u);
  host->HostElement(*guest);
  guest.reset();
  EXPECT_EQ(Rgb(Expose(*host), 40, 49), 0u);
}

}  // namespace
