// The mouse and the focus reach a display's components in a fixed order.
#include "DisplayTestKit.h"
#include "display/KvDisplayComponent.h"
#include "display/KvDisplayLayout.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A component at a fixed place that writes down what reaches it.
class TProbe : public TKvDisplayComponent {
public:
  TProbe(TKvDataDisplay& display, std::string name, TKvRect rect, bool handles, bool toolBar,
         std::vector<std::string>& log)
      : TKvDisplayComponent(display), Name(std::move(name)), Rect(rect), Handles(handles), ToolBar(toolBar), Log(log) {}

  TKvRect GetRect() const override { return Rect; }
  bool IsToolBar() const override { return ToolBar; }
  void MouseDownAt(Qt::MouseButton, Qt::KeyboardModifiers, bool& handled, bool inside, int, int) override {
    Log.push_back(Name + (inside ? " down in" : " down out"));
    if (inside && Handles) handled = true;
  }
  void MouseUpAt(Qt::MouseButton, Qt::KeyboardModifiers, bool inside, int, int) override {
    Log.push_back(Name + (inside ? " up in" : " up out"));
  }
  void HoverEnter() override { Log.push_back(Name + " enter"); }
  void HoverLeave() override { Log.push_back(Name + " leave"); }
  void WheelDown(Qt::KeyboardModifiers, int, int) override { Log.push_back(Name + " wheel down"); }
  void CaptureLost() override { Log.push_back(Name + " lost"); }

private:
  std::string Name;
  TKvRect Rect;
  bool Handles, ToolBar;
  std::vector<std::string>& Log;
};

// A chart that writes down what it was asked to do.
class TListeningChart : public TTestChart {
public:
  using TTestChart::TTestChart;
  std::vector<std::string> Log;

  void ShowAxisProperties(int index) override { Log.push_back("axis " + std::to_string(index)); }

protected:
  void WheelZoom(QPoint, double factorY, double) override { Log.push_back("zoom " + std::to_string(factorY)); }
};

class Input : public testing::Test {
protected:
  Input() {
    Chart->SetBounds(0, 0, 200, 100);
    HideViews(*Chart);
    LayoutViews(Chart->Views(), 200, 100);
  }

  void Mouse(QEvent::Type type, int x, int y) {
    QMouseEvent event(type, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Chart.get(), &event);
  }
  std::vector<std::string> Take() { return std::exchange(Chart->Log, {}); }

  TPtr<TListeningChart> Chart{new TListeningChart(nullptr)};
  std::vector<std::string>& Log = Chart->Log;
  TProbe ToolBar{*Chart, "bar", {40, 40, 60, 60}, true, true, Log};
  TProbe First{*Chart, "first", {0, 0, 50, 50}, true, false, Log};
  TProbe Second{*Chart, "second", {0, 0, 50, 50}, false, false, Log};
};

TEST_F(Input, APressGoesToToolBarsFirstThenTheNewestComponentsAndStopsWhereHandled) {
  Mouse(QEvent::MouseButtonPress, 10, 10);
  EXPECT_EQ(Take(), (std::vector<std::string>{"bar down out", "second down in", "first down in"}));
  Mouse(QEvent::MouseButtonPress, 45, 45);
  EXPECT_EQ(Take(), (std::vector<std::string>{"bar down in"}));
}

TEST_F(Input, AReleaseReachesEveryComponent) {
  Mouse(QEvent::MouseButtonRelease, 45, 45);
  EXPECT_EQ(Take(), (std::vector<std::string>{"bar up in", "second up in", "first up in"}));
}

TEST_F(Input, OnlyTheFirstComponentUnderTheMouseIsHovered) {
  Mouse(QEvent::MouseMove, 10, 10);
  EXPECT_EQ(Take(), (std::vector<std::string>{"second enter"}));
  EXPECT_TRUE(Second.Hovered());
  EXPECT_FALSE(First.Hovered());
  EXPECT_TRUE(Chart->MouseInside());
  Mouse(QEvent::MouseMove, 45, 45);
  EXPECT_EQ(Take(), (std::vector<std::string>{"bar enter", "second leave"}));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(Chart.get(), &leave);
  EXPECT_EQ(Take(), (std::vector<std::string>{"bar leave"}));
  EXPECT_FALSE(Chart->MouseInside());
}

TEST_F(Input, LosingTheFocusEndsEveryGesture) {
  Chart->SetDragInProgress(true);
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(Chart.get(), &out);
  EXPECT_FALSE(Chart->DragInProgress());
  EXPECT_EQ(Take(), (std::vector<std::string>{"bar lost", "first lost", "second lost"}));
}

TEST_F(Input, AWheelNotchReachesTheComponentsUnderItAndZoomsOverTheDataView) {
  QWheelEvent half(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -60), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(Chart.get(), &half);
  EXPECT_TRUE(Take().empty());
  QApplication::sendEvent(Chart.get(), &half);
  EXPECT_EQ(Take(), (std::vector<std::string>{"second wheel down", "first wheel down", "zoom 1.100000"}));
}

TEST_F(Input, ACaptionClickOpensTheAxisPropertiesUnderTheHandCursor) {
  TKvScopeYAxis& axis = *Chart->YAxis();
  axis.SetVisible(true);
  axis.AxisLabel()->SetVisible(true);
  LayoutViews(Chart->Views(), 200, 100);
  const TKvRect view = Chart->DataView()->GetRect();
  // The caption runs up the axis's outer edge, centred on the data view.
  const int x = axis.GetRect().Left + 5, y = view.Top + view.Height() / 2;
  Mouse(QEvent::MouseMove, x, y);
  EXPECT_EQ(Chart->cursor().shape(), Qt::PointingHandCursor);
  Take();
  Mouse(QEvent::MouseButtonPress, x, y);
  // The newer components come first; the axis handles the press.
  EXPECT_EQ(Take(), (std::vector<std::string>{"bar down out", "second down out", "first down out", "axis 1"}));
  Mouse(QEvent::MouseMove, view.Left + 10, y);
  EXPECT_EQ(Chart->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
