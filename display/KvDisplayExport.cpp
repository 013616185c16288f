// The picture of a display outside its window: clipboard, image files, printer, other painters.
#include "display/KvDataDisplay.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cctype>

// Lays out and paints for another size than the control's while it lasts.
class TKvDataDisplay::TExportScope {
public:
  TExportScope(TKvDataDisplay& display, int width, int height) : Display(display) {
    Display.ExportMode = true;
    Display.ExportWidth = width;
    Display.ExportHeight = height;
    Display.LayoutDirty_ = true;
  }
  ~TExportScope() {
    Display.ExportMode = false;
    Display.Relayout();
  }
  TExportScope(const TExportScope&) = delete;
  TExportScope& operator=(const TExportScope&) = delete;

private:
  TKvDataDisplay& Display;
};

QImage TKvDataDisplay::RenderImage() {
  const qreal ratio = devicePixelRatioF();
  const QSize size(std::max(Width(), 1), std::max(Height(), 1));
  QImage image(size * ratio, QImage::Format_RGB32);
  if (image.isNull()) throw EKvDisplayError("Cannot create device-independant bitmap");
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::black);
  QPainter painter(&image);
  PaintToCanvas(painter);
  return image;
}

void TKvDataDisplay::PaintToGraphics(QPainter& painter, int width, int height) {
  TExportScope scope(*this, width, height);
  PaintToCanvas(painter);
}

void TKvDataDisplay::CopyToClipboard() { QApplication::clipboard()->setImage(RenderImage()); }

void TKvDataDisplay::SaveImage(const std::string& name, const char* format) {
  if (!RenderImage().save(QString::fromStdString(name), format))
    throw EKvDisplayError("Cannot write the picture to " + name);
}

void TKvDataDisplay::SaveToBitmapFile(const std::string& name) { SaveImage(name, "BMP"); }
void TKvDataDisplay::SaveToJpegFile(const std::string& name) { SaveImage(name, "JPG"); }
void TKvDataDisplay::SaveToPngFile(const std::string& name) { SaveImage(name, "PNG"); }

void TKvDataDisplay::SaveToFile(const std::string& name) {
  const size_t dot = name.find_last_of("./");
  std::string extension = dot == std::string::npos || name[dot] != '.' ? std::string() : name.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (extension == ".JPG" || extension == ".JPEG") SaveToJpegFile(name);
  else if (extension == ".PNG") SaveToPngFile(name);
  else SaveToBitmapFile(name);
}

void TKvDataDisplay::Print(QPrinter& printer) {
  const bool held = ZoomHold();
  SetZoomHold(true);
  struct TRestoreHold {
    TKvDataDisplay& Display;
    bool Held;
    ~TRestoreHold() { Display.SetZoomHold(Held); }
  } restore{*this, held};

  printer.setDocName(QString::fromStdString(GetPrintTitle()));
  QPainter painter;
  if (!painter.begin(&printer)) throw EKvDisplayError("Cannot print the picture");
  const QRect page(0, 0, printer.width(), printer.height());
  // The page at the screen's resolution, so that fonts and lines keep their size on paper.
  const int width = page.width() * logicalDpiY() / std::max(printer.logicalDpiX(), 1);
  const int height = page.height() * logicalDpiX() / std::max(printer.logicalDpiY(), 1);
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  if (image.isNull()) throw EKvDisplayError("Cannot create device-independant bitmap");
  image.fill(Qt::black);
  {
    TExportScope scope(*this, width, height);
    QPainter imagePainter(&image);
    PaintToCanvas(imagePainter);
  }
  painter.drawImage(page, image);
  painter.end();
}
