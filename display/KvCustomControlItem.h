#pragma once

#include "platform/EzCustomControl.h"

#include <QImage>

class QPainter;

// A control that can be hosted as an element of another control: it paints its whole picture into
// any painter, at any size.
class TKvCustomControlItem : public TEzCustomControl {
public:
  PUBLISHED_CLASS_INFO

  using TEzCustomControl::TEzCustomControl;

  // The whole picture as if the control were width × height, at the painter's origin.
  virtual void PaintToGraphics(QPainter& painter, int width, int height) = 0;
  // The picture as an ARGB image of width × height (for image outputs).
  QImage PaintToImage(int width, int height);
};
