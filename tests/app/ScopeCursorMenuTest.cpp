// A new user places cursors in the window's scope from its context menu, drags one with the mouse
// and reads the distance between two on the measurement line; a cursor under the click is deleted
// from the same menu, and so are markers placed on a trace. The same menu shows the legend.
#include "Form1TestKit.h"
#include "display/KvCursorMapping.h"
#include "display/KvDisplayToolBar.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>

namespace {

class ScopeCursorMenu : public Form1 {
protected:
  void SetUp() override { Create(TCaptureOutcome::Refused); }

  TKvScope& Scope() { return *Form->KvScope3; }
  // The action of the menu at `point` with the text, or none.
  QAction* Action(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
      if (action->text() == text) return action;
    return nullptr;
  }
  void Choose(QPoint point, const QString& text) {
    const std::unique_ptr<QMenu> menu = Form->ScopeCursors->MenuAt(point);
    ASSERT_TRUE(menu);
    QAction* action = Action(menu.get(), text);
    ASSERT_TRUE(action) << text.toStdString();
    action->trigger();
  }
  void Mouse(QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, Scope().mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Scope(), &event);
  }
  // A point of the data view, `fx` and `fy` of the way across it.
  QPoint At(double fx, double fy) {
    const TKvRect view = Scope().DataView()->GetRect();
    return {view.Left + int(fx * view.Width()), view.Top + int(fy * view.Height())};
  }
};

TEST_F(ScopeCursorMenu, PlacesDragsMeasuresAndDeletesCursors) {
  const QPoint first = At(0.25, 0.5), second = At(0.75, 0.5);
  EXPECT_FALSE(Form->ScopeCursors->MenuAt({1, 1})) << "outside the data view";
  Choose(first, "Add cursor");
  ASSERT_EQ(Scope().Cursors()->Count(), 1);
  TKvDisplayCursor& cursor = Scope().Cursors()->Cursor(0);
  // At the clicked point, on the scope's axes.
  const TKvCursorAxisMapping x(*Scope().XAxis());
  EXPECT_EQ(x.LineOf(cursor.Position()->X(), false)->Pixel, first.x());
  // Its reading: the value of each of the three channels where it crosses them.
  ASSERT_EQ(cursor.Channels()->Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(cursor.Channels()->Link(i).Channel(), &Scope().Channels()->Channel(i));
  EXPECT_FALSE(Action(Form->ScopeCursors->MenuAt(first).get(), "Measure between the last two cursors"));
  Choose(second, "Add cursor");
  ASSERT_EQ(Scope().Cursors()->Count(), 2);
  Choose(second, "Measure between the last two cursors");
  ASSERT_EQ(Scope().CursorLinks()->Count(), 1);
  EXPECT_TRUE(Scope().CursorLinks()->Link(0).IsComplete());
  // Dragged with the left button, and moved on the release.
  const QPoint to = At(0.5, 0.3);
  Mouse(QEvent::MouseButtonPress, first);
  Mouse(QEvent::MouseMove, to);
  Mouse(QEvent::MouseButtonRelease, to);
  EXPECT_EQ(x.LineOf(cursor.Position()->X(), false)->Pixel, to.x());
  EXPECT_FALSE(Scope().XAxis()->IsZoomed());
  // Deleted from the menu of a click on it; the link loses it.
  EXPECT_FALSE(Action(Form->ScopeCursors->MenuAt(first).get(), "Delete cursor"));
  Choose(to, "Delete cursor");
  EXPECT_EQ(Scope().Cursors()->Count(), 1);
  EXPECT_FALSE(Scope().CursorLinks()->Link(0).IsComplete());
  // And painted with the link missing one of its cursors.
  Scope().grab();
}

TEST_F(ScopeCursorMenu, PlacesAndDeletesMarkersAndShowsTheLegend) {
  // The chain stopped, so that no buffer of the generators replaces the traces placed here: a flat
  // "Signal" along zero and the other two channels empty, so that the click can only be on "Signal".
  QTest::mouseClick(Form->StopButton, Qt::LeftButton);
  TKvScopeChannels& channels = *Scope().Channels();
  for (int i = 0; i < channels.Count(); ++i)
    channels.Channel(i).Data().StoreUniform(i == 0 ? 1024 : 0, 0, [](uint32_t) { return 0.0; });
  TKvScopeChannel& signal = channels.Channel(0);
  Scope().DataArrived();
  Scope().CommitWaitingData();
  Scope().grab();
  const int zero = Scope().YAxis()->GetMapping().ToPixel(0);
  const QPoint onTrace{At(0.5, 0).x(), zero};
  EXPECT_FALSE(Action(Form->ScopeCursors->MenuAt(onTrace).get(), "Delete marker"));
  Choose(onTrace, "Add marker");
  ASSERT_EQ(signal.Markers()->Count(), 1);
  Scope().grab();
  Choose(onTrace, "Delete marker");
  EXPECT_EQ(signal.Markers()->Count(), 0);

  // The legend, hidden in the stored window, lists the three channels once shown.
  EXPECT_FALSE(Scope().Legend()->Visible());
  Choose(onTrace, "Show legend");
  Scope().grab();
  EXPECT_TRUE(Scope().Legend()->IsActive());
  EXPECT_EQ(Scope().Legend()->Channels()->GetItemCount(), 3);
  EXPECT_EQ(Scope().Legend()->Channels()->GetItemText(0), "Signal");
  // The tool bar keeps off the legend meanwhile.
  EXPECT_LE(Scope().ToolBar()->GetRect().Right, Scope().DataView()->GetRect().Right);
  Choose(At(0.5, 0.5), "Show legend");
  EXPECT_FALSE(Scope().Legend()->Visible());
  EXPECT_EQ(Scope().ToolBar()->Position()->HostView(), TKvToolBarHostView::thvDisplay);
}

}  // namespace
