#pragma once

#include <QMetaObject>
#include <QPoint>

#include <memory>

class QMenu;
class QWidget;
class TKvScope;

// The scope's context menu, through which the window's user places cursors: "Add cursor" puts a
// cursor at the clicked point, which marks and labels each channel's value where it crosses it;
// "Delete cursor" removes the one under the click; and "Measure between the last two cursors"
// links the two newest cursors, so that their distance is written on the measurement line. A
// cursor is dragged with the left button; while it is, the distance it moved is shown beside it.
// "Add marker" marks the sample of the trace nearest to the click, "Delete marker" removes the
// marker under it, and "Show legend" shows or hides the scope's legend.
class TScopeCursorMenu {
public:
  explicit TScopeCursorMenu(TKvScope& scope);
  ~TScopeCursorMenu();
  TScopeCursorMenu(const TScopeCursorMenu&) = delete;
  TScopeCursorMenu& operator=(const TScopeCursorMenu&) = delete;

  // The menu for a right click at `point` (the scope's coordinates), as the scope shows it.
  std::unique_ptr<QMenu> MenuAt(QPoint point);

private:
  void AddCursor(QPoint point);

  TKvScope& Scope;
  QMetaObject::Connection Request;
};
