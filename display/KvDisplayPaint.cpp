// Painting a display: the offscreen image and what a paint message does with it.
#include "display/KvCanvas.h"
#include "display/KvDataDisplay.h"
#include "display/KvDisplayToolBar.h"
#include "display/KvDisplayView.h"
#include "platform/ErrorHook.h"

#include <QPaintEvent>

void TKvDataDisplay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintToDC(painter);
}

void TKvDataDisplay::PaintToDC(QPainter& painter) {
  if (IsLoading() || IsDestroying()) return;
  if (!ExportMode) {
    const QSize size(std::max(Width(), 0), std::max(Height(), 0));
    const qreal ratio = devicePixelRatioF();
    if (BitmapDirty_ || Bitmap.deviceIndependentSize().toSize() != size || Bitmap.devicePixelRatio() != ratio) {
      // What asks for paint while this paint runs is kept for the next one.
      BitmapDirty_ = false;
      try {
        RepaintBitmap(size, ratio);
      } catch (...) {
        // The paint ends normally and the previous picture stays; the next paint tries again.
        BitmapDirty_ = true;
        PassErrorToHook("a display's paint");
      }
    }
  }
  painter.drawImage(QPoint(0, 0), Bitmap);
  if (!ExportMode && Gesture.ShowsBand()) {
    TKvCanvas canvas(painter, palette());
    Gesture.PaintBand(canvas);
  }
}

void TKvDataDisplay::RepaintBitmap(QSize size, qreal ratio) {
  const QSize device = (size * ratio).expandedTo(QSize(1, 1));
  if (Back.size() != device) {
    Back = QImage(device, QImage::Format_RGB32);
    if (Back.isNull()) throw EKvDisplayError("Cannot create device-independant bitmap");
  }
  Back.setDevicePixelRatio(ratio);
  QPainter painter(&Back);
  if (!painter.isActive()) throw EKvDisplayError("Cannot create device context.");
  TKvCanvas canvas(painter, palette());
  PaintContent(canvas, false, {0, 0, size.width(), size.height()});
  painter.end();
  // Painted whole: it becomes the picture on screen.
  std::swap(Bitmap, Back);
}

void TKvDataDisplay::PaintToCanvas(QPainter& painter) {
  const TLkLockSection section = DataLock().WriteLock();
  if (!section) return;
  TKvCanvas canvas(painter, palette());
  PaintContent(canvas, true, {0, 0, GetExportWidth(), GetExportHeight()});
}

void TKvDataDisplay::PaintElements(QPainter& painter, int width, int height) {
  for (TKvCustomControlItem* element : Elements) {
    painter.save();
    element->PaintToGraphics(painter, width, height);
    painter.restore();
  }
}

void TKvDataDisplay::PaintViews(TKvCanvas& canvas, bool exporting, const TKvRect& region) {
  canvas.SetBrush(Color());
  for (TKvDisplayView* view : Views()) {
    if (!view->IsActive()) continue;
    TKvClipGuard guard(canvas);
    if (view->GetRect().Intersects(region)) view->Paint(canvas, exporting, IsVertical());
    else view->PaintHidden(canvas, IsVertical());
  }
}

void TKvDataDisplay::PaintOverlays(TKvCanvas& canvas, const TKvRect& region) {
  for (TKvDisplayView* view : Views()) {
    if (!view->IsActive() || !view->GetRect().Intersects(region)) continue;
    TKvClipGuard guard(canvas);
    view->PaintOverlay(canvas);
  }
}

void TKvDataDisplay::PaintToolBar(TKvCanvas& canvas) {
  if (ToolBar_->ShouldPaint()) ToolBar_->PaintBar(canvas);
}
