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

TChartPtr BareChart(int width, int height) {
  TChartPtr chart(new TTestChart(nullptr));
  chart->SetBounds(0, 0, width, height);
  chart->Title()->SetVisible(false);
  chart->Legend()->SetVisible(false);
  chart->XAxis()->SetVisible(false);
  chart->YAxis()->SetVisible(false);
  return chart;
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
