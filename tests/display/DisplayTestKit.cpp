#include "DisplayTestKit.h"

#include <QPainter>

void TTestChart::Deliver(double min, double max) {
  const TLkLockSection section = DataLock().WriteLock();
  if (!section) return;
  Pending = {min, max};
  DataArrived();
}

bool TTestChart::Refresh() {
  const TLkLockSection section = DataLock().WriteLock();
  return RefreshData();
}

bool TTestChart::CommitData() {
  if (!TakeArrivedData()) return false;
  Committed_ = Pending;
  return true;
}

bool TTestChart::GetChannelRange(const TKvBasicScopeYAxis&, double& min, double& max) const {
  if (!Committed_) return false;
  std::tie(min, max) = *Committed_;
  return true;
}

void HideViews(TKvDataChart& chart) {
  for (TKvOptionalView* view :
       std::initializer_list<TKvOptionalView*>{chart.Title(), chart.Legend(), chart.XAxis(), chart.YAxis()})
    view->SetVisible(false);
}

void HideGrid(TKvDataChart& chart) {
  for (TKvDisplayGridDirectionalLinesSettings* grid : {chart.XAxis()->DataView(), chart.YAxis()->DataView()}) {
    grid->Lines()->SetVisible(false);
    grid->ZeroLine()->SetVisible(false);
  }
}

void ShowOnlyTheZeroLine(TKvDataChart& chart) {
  chart.YAxis()->AutoScaling()->SetEnabled(false);
  chart.YAxis()->Min()->SetValue(-100);
  chart.YAxis()->Max()->SetValue(100);
  HideGrid(chart);
  chart.YAxis()->DataView()->ZeroLine()->SetVisible(true);
}

QImage Expose(TKvDataDisplay& display) {
  const qreal ratio = display.devicePixelRatioF();
  QImage image(QSize(display.Width(), display.Height()) * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  display.PaintToDC(painter);
  return image;
}
