#pragma once

#include "display/KvCustomControlItem.h"
#include "pins/LkLock.h"

class QPainter;

// A control that can also paint itself into its parent's picture as a layer. It keeps the lock
// that guards its data, which it shares with its pins and the parts that take data on other
// threads.
class TEzControlDrawLayer : public TKvCustomControlItem {
public:
  PUBLISHED_CLASS_INFO

  using TKvCustomControlItem::TKvCustomControlItem;

  TLkLock& DataLock() { return Lock_; }
  // Paints the whole picture into the parent's painter at the control's place; nothing while the
  // control is hidden or its lock gives no section.
  void PaintAsLayer(QPainter& painter);

protected:
  // The whole picture at the control's size into any painter (copy, save, layer); nothing when
  // the lock gives no section.
  virtual void PaintToCanvas(QPainter& painter) = 0;

private:
  TLkLock Lock_;
};
