#include "display/KvCustomControlItem.h"

#include "platform/Published.h"

#include <QPainter>

#include <algorithm>

const TClassInfo& TKvCustomControlItem::StaticClassInfo() {
  return DefineClass<TKvCustomControlItem, TEzCustomControl>("TKvCustomControlItem");
}

QImage TKvCustomControlItem::PaintToImage(int width, int height) {
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  PaintToGraphics(painter, width, height);
  return image;
}
