#include "display/EzControlDrawLayer.h"

#include "platform/Published.h"

#include <QPainter>

const TClassInfo& TEzControlDrawLayer::StaticClassInfo() {
  return DefineClass<TEzControlDrawLayer, TKvCustomControlItem>("TEzControlDrawLayer");
}

void TEzControlDrawLayer::PaintAsLayer(QPainter& painter) {
  if (!Visible() || Width() <= 0 || Height() <= 0) return;
  const TLkLockSection section = Lock_.WriteLock();
  if (!section) return;
  const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
  QImage layer(QSize(Width(), Height()) * ratio, QImage::Format_RGB32);
  layer.setDevicePixelRatio(ratio);
  layer.fill(Qt::black);
  QPainter layerPainter(&layer);
  PaintToCanvas(layerPainter);
  layerPainter.end();
  painter.drawImage(QPoint(Left(), Top()), layer);
}
