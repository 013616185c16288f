#include "platform/Splitter.h"

#include "platform/Published.h"
#include "platform/WinControl.h"

#include <QMouseEvent>

const TClassInfo& TSplitter::StaticClassInfo() {
  return DefineClass<TSplitter, TControl>("TSplitter", [](TPublished<TSplitter>& p) {
    p.Integer("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize, 30);
  });
}

TSplitter::TSplitter(TComponent* owner) : TWidgetControl(owner) {
  setGeometry(0, 0, 3, 100);
  SetAlign(TAlign::alLeft);
}

void TSplitter::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  setCursor(Vertical() ? Qt::SplitHCursor : Qt::SplitVCursor);
}

TControl* TSplitter::FindControl() const {
  if (!Parent()) return nullptr;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    TControl* control = Parent()->Controls(i);
    if (control == this || !control->Visible() || control->Align() != Align()) continue;
    const bool touches = Align() == TAlign::alTop      ? control->Top() + control->Height() == Top()
                         : Align() == TAlign::alBottom ? control->Top() == Top() + Height()
                         : Align() == TAlign::alLeft   ? control->Left() + control->Width() == Left()
                                                       : control->Left() == Left() + Width();
    if (touches) return control;
  }
  return nullptr;
}

void TSplitter::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  Sized = FindControl();
  if (!Sized) return;
  const QPoint global = event->globalPosition().toPoint();
  GrabPosition = Vertical() ? global.x() : global.y();
  GrabExtent = Vertical() ? Sized->Width() : Sized->Height();
}

void TSplitter::mouseMoveEvent(QMouseEvent* event) {
  if (!Sized || !(event->buttons() & Qt::LeftButton)) return;
  const QPoint global = event->globalPosition().toPoint();
  int delta = (Vertical() ? global.x() : global.y()) - GrabPosition;
  if (Align() == TAlign::alBottom || Align() == TAlign::alRight) delta = -delta;
  // The other side keeps at least MinSize pixels of the parent too.
  const QWidget& parent = Parent()->Widget();
  const int room = (Vertical() ? parent.width() - Width() : parent.height() - Height()) - MinSize_;
  const int extent = std::clamp(GrabExtent + delta, MinSize_, std::max(MinSize_, room));
  if (Vertical()) Sized->SetWidth(extent);
  else Sized->SetHeight(extent);
}

void TSplitter::mouseReleaseEvent(QMouseEvent*) { Sized = nullptr; }
