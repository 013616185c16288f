#pragma once

#include "platform/Control.h"
#include "platform/WidgetControl.h"

#include <QWidget>

// A bar between two aligned controls; dragging it changes the size of the control it follows
// (the one before it on its side), keeping at least MinSize pixels on both sides.
class TSplitter : public TWidgetControl<QWidget, TControl> {
public:
  PUBLISHED_CLASS_INFO

  explicit TSplitter(TComponent* owner);

  TAlign DefaultAlign() const override { return TAlign::alLeft; }
  int MinSize() const { return MinSize_; }
  void SetMinSize(int size) { MinSize_ = std::max(size, 1); }

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;

private:
  bool Vertical() const { return Align() == TAlign::alLeft || Align() == TAlign::alRight; }
  // The control whose edge touches the splitter on the side it is aligned to.
  TControl* FindControl() const;

  int MinSize_ = 30;
  TControl* Sized = nullptr;
  int GrabPosition = 0;
  int GrabExtent = 0;
};
