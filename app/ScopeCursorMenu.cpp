#include "app/ScopeCursorMenu.h"

#include "display/KvCursorMapping.h"
#include "display/KvDisplayToolBar.h"
#include "display/KvScope.h"

#include <QMenu>

#include <cmath>

TScopeCursorMenu::TScopeCursorMenu(TKvScope& scope) : Scope(scope) {
  Scope.setContextMenuPolicy(Qt::CustomContextMenu);
  Request = QObject::connect(&Scope, &QWidget::customContextMenuRequested, &Scope, [this](const QPoint& point) {
    if (const std::unique_ptr<QMenu> menu = MenuAt(point)) menu->exec(Scope.mapToGlobal(point));
  });
}

TScopeCursorMenu::~TScopeCursorMenu() { QObject::disconnect(Request); }

std::unique_ptr<QMenu> TScopeCursorMenu::MenuAt(QPoint point) {
  if (!Scope.DataView()->GetRect().Contains(point.x(), point.y())) return nullptr;
  auto menu = std::make_unique<QMenu>(&Scope);
  menu->addAction("Add cursor", [this, point] { AddCursor(point); });
  // The cursor is named by its item, which the menu may outlive.
  const TLkItemRef<TKvDisplayCursor> hit = Scope.CursorLayer().HitTest(point.x(), point.y()).Cursor;
  if (hit)
    menu->addAction("Delete cursor", [this, hit] {
      if (hit) Scope.Cursors()->Delete(hit->Index());
    });
  TKvDisplayCursors& cursors = *Scope.Cursors();
  if (cursors.Count() >= 2)
    menu->addAction("Measure between the last two cursors", [this] {
      TKvDisplayCursors& all = *Scope.Cursors();
      if (all.Count() < 2) return;
      TKvDisplayCursorLink& link = Scope.CursorLinks()->AddLink();
      link.SetBeginCursorIndex(all.Count() - 2);
      link.SetEndCursorIndex(all.Count() - 1);
    });
  menu->addSeparator();
  menu->addAction("Add marker", [this, point] { PlaceChannelMarker(Scope, point.x(), point.y()); });
  const TLkItemRef<TKvScopeChannelMarker> marker = HitChannelMarker(*Scope.Channels(), point.x(), point.y());
  if (marker)
    menu->addAction("Delete marker", [marker] {
      if (marker) marker->Channel().Markers()->Delete(marker->Index());
    });
  menu->addSeparator();
  // The legend starts hidden, as the window is small; it lists the channels, cursors and markers.
  // While it shows, the tool bar keeps to the plot, where it does not cover the legend's entries.
  QAction* legend = menu->addAction("Show legend", [this](bool shown) {
    Scope.Legend()->SetVisible(shown);
    Scope.ToolBar()->Position()->SetHostView(shown ? TKvToolBarHostView::thvDataView : TKvToolBarHostView::thvDisplay);
  });
  legend->setCheckable(true);
  legend->setChecked(Scope.Legend()->Visible());
  return menu;
}

void TScopeCursorMenu::AddCursor(QPoint point) {
  TKvDisplayCursor& cursor = Scope.Cursors()->AddCursor();
  const TKvCursorAxisMapping x(cursor.XAxis()), y(cursor.YAxis());
  cursor.Position()->SetX(x.ValueAt(x.AlongY() ? point.y() : point.x(), NAN));
  cursor.Position()->SetY(y.ValueAt(y.AlongY() ? point.y() : point.x(), NAN));
  // Its reading: each channel's value where the cursor crosses it.
  const TKvScopeChannels& channels = *Scope.Channels();
  for (int i = 0; i < channels.Count(); ++i) cursor.Channels()->AddLink().SetChannel(&channels.Channel(i));
}
