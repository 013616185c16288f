#pragma once

#include "DisplayTestKit.h"
#include "display/KvDisplayToolBar.h"
#include "display/KvScope.h"

#include <QApplication>
#include <QMouseEvent>

#include <string>
#include <vector>

// What the tests of the scope's markers, zones and channel links share: a scope of nothing but
// its data view (the tool bar, which shows while the mouse is over the display, hidden), Y from
// -100 to 100 and X from 0 to 10, and the mouse.
using TItemScope = TRefreshing<TKvScope>;
using TItemScopePtr = TPtr<TItemScope>;

inline TItemScopePtr ItemScope(int width = 101, int height = 61) {
  TItemScopePtr scope = BareChart<TItemScope>(width, height);
  HideGrid(*scope);
  scope->DataView()->Border()->SetVisible(false);
  scope->ToolBar()->SetVisible(false);
  scope->YAxis()->AutoScaling()->SetEnabled(false);
  scope->YAxis()->Min()->SetValue(-100);
  scope->YAxis()->Max()->SetValue(100);
  scope->XAxis()->Min()->SetAutoScale(false);
  scope->XAxis()->Max()->SetAutoScale(false);
  scope->XAxis()->Min()->SetValue(0);
  scope->XAxis()->Max()->SetValue(10);
  return scope;
}

// The channel's trace becomes `values` at once.
inline void ShowValues(TItemScope& scope, int channel, const std::vector<double>& values) {
  scope.Channels()->Channel(channel).Data().StoreUniform(uint32_t(values.size()), 0,
                                                         [&](uint32_t i) { return values[i]; });
  scope.DataArrived();
  scope.Refresh();
}

// Where the main axes put a sample index or X value and a Y value, both in value units.
inline int XAt(const TKvScope& scope, double x) {
  return scope.XAxis()->GetMapping().ToPixel(scope.XAxis()->ToLabelUnits(x));
}
inline int YAt(const TKvScope& scope, double y) {
  return scope.YAxis()->GetMapping().ToPixel(scope.YAxis()->ToLabelUnits(y));
}

inline void SendMouse(TKvScope& scope, QEvent::Type type, int x, int y) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(x, y), QPointF(x, y), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                    type == QEvent::MouseMove ? Qt::NoButton : held, Qt::NoModifier);
  QApplication::sendEvent(&scope, &event);
}

// A left press at `from`, a move to `to` and the release there.
inline void DragMouse(TKvScope& scope, QPoint from, QPoint to) {
  SendMouse(scope, QEvent::MouseButtonPress, from.x(), from.y());
  const Qt::MouseButtons held = Qt::LeftButton;
  QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(to), Qt::NoButton, held, Qt::NoModifier);
  QApplication::sendEvent(&scope, &move);
  SendMouse(scope, QEvent::MouseButtonRelease, to.x(), to.y());
}

// A layout text from its channels on: what comes before is the chart's own settings.
inline std::string FromChannels(const std::string& layout) {
  const size_t at = layout.find("  Channels = <");
  return at == std::string::npos ? layout : layout.substr(at);
}
