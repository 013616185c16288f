// The zoom operations of a display and its zoom history, acting on the axes ZoomAxes gives.
#include "display/KvDataDisplay.h"
#include "display/KvDisplayAxis.h"
#include "platform/ScopeGuards.h"

#include <algorithm>

namespace {

// Every window goes through the axis's checked entry point; a refused one leaves the axis as it was.
void SetWindow(TKvDisplayAxis& axis, double minimum, double maximum) { axis.SetZoomRange(minimum, maximum); }

// The main axis gets [v1, v2]; each additional axis shows the same fraction of its own range.
void ApplyToAxes(const std::vector<TKvDisplayAxis*>& axes, double v1, double v2) {
  if (axes.empty()) return;
  TKvDisplayAxis& main = *axes.front();
  const double min = main.GetVisibleMin(), r = main.GetVisibleMax() - min;
  for (size_t i = 1; i < axes.size(); ++i) {
    TKvDisplayAxis& axis = *axes[i];
    const double kmin = axis.GetVisibleMin(), kr = axis.GetVisibleMax() - kmin;
    if (r == 0) SetWindow(axis, kmin - kr, kmin);
    else SetWindow(axis, kmin + kr * (v1 - min) / r, kmin + kr * (v2 - min) / r);
  }
  SetWindow(main, v1, v2);
}

// Whether the main X or the main Y axis can do what `can` asks.
bool MainAxisCan(const TKvZoomAxes& axes, bool (TKvDisplayAxis::*can)() const) {
  return (!axes.X.empty() && (axes.X.front()->*can)()) || (!axes.Y.empty() && (axes.Y.front()->*can)());
}

}  // namespace

void TKvDataDisplay::FireZoomChanged(TKvZoomOperation operation) {
  Relayout();
  if (!OnZoomChanged || FiringZoomChanged) return;
  const TLkFlagGuard firing(FiringZoomChanged);
  OnZoomChanged(this, operation, TKvRealRanges{GetXMin(), GetYMin(), GetXMax(), GetYMax()});
}

void TKvDataDisplay::ZoomOff() {
  PushZoomState(false);
  ResetZoom();
  FireZoomChanged(TKvZoomOperation::zoZoomOff);
}

void TKvDataDisplay::ZoomBy(double factor) { ZoomBy(true, factor); }

void TKvDataDisplay::ZoomBy(bool push, double factor) { ZoomByFactors(push, factor, factor); }

void TKvDataDisplay::ZoomByXY(double yFactor, double xFactor) { ZoomByFactors(true, yFactor, xFactor); }

void TKvDataDisplay::ZoomByFactors(bool push, double yFactor, double xFactor) {
  if (push) PushZoomState(false);
  const TKvZoomAxes axes = ZoomAxes();
  for (TKvDisplayAxis* axis : axes.Y) axis->ZoomAxisBy(yFactor);
  if (!axes.X.empty()) axes.X.front()->ZoomAxisBy(xFactor);
  Redraw();
  FireZoomChanged(TKvZoomOperation::zoZoom);
}

void TKvDataDisplay::ZoomToUnits(double y1, double y2, double x1, double x2) { ZoomToUnits(true, y1, y2, x1, x2); }

void TKvDataDisplay::ZoomToUnits(bool push, double y1, double y2, double x1, double x2) {
  if (push) PushZoomState(false);
  if (Zooming_.HoldOnZoom()) SetZoomHold(true);
  ApplyZoom(TKvZoomOperation::zoZoom, true, y1, y2, x1, x2);
  FireZoomChanged(TKvZoomOperation::zoZoom);
}

void TKvDataDisplay::ZoomToValues(double y1, double y2, double x1, double x2) { ZoomToValues(true, y1, y2, x1, x2); }

void TKvDataDisplay::ZoomToValues(bool push, double y1, double y2, double x1, double x2) {
  if (push) PushZoomState(false);
  if (Zooming_.HoldOnZoom()) SetZoomHold(true);
  ApplyZoom(TKvZoomOperation::zoZoom, false, y1, y2, x1, x2);
  FireZoomChanged(TKvZoomOperation::zoZoom);
}

void TKvDataDisplay::ZoomPrevious() {
  PushedOnce = false;
  // Kept as stored layouts and users know it: the redo list grows even when there is no undo.
  RedoList_.Push(CaptureZoomState());
  const std::unique_ptr<TKvAxisZoomList> snapshot = UndoList_.Pop();
  if (!snapshot) return;
  RestoreZoomState(*snapshot, false);
  FireZoomChanged(TKvZoomOperation::zoUndo);
}

void TKvDataDisplay::ZoomNext() {
  UndoList_.Push(CaptureZoomState());
  const std::unique_ptr<TKvAxisZoomList> snapshot = RedoList_.Pop();
  if (!snapshot) return;
  RestoreZoomState(*snapshot, true);
  FireZoomChanged(TKvZoomOperation::zoRedo);
}

void TKvDataDisplay::ClearZoomHistory() {
  UndoList_.Clear();
  RedoList_.Clear();
  PushedOnce = false;
}

bool TKvDataDisplay::CanZoomIn() const { return MainAxisCan(ZoomAxes(), &TKvDisplayAxis::CanZoomIn); }

bool TKvDataDisplay::CanZoomOut() const { return MainAxisCan(ZoomAxes(), &TKvDisplayAxis::CanZoomOut); }

bool TKvDataDisplay::IsZoomed() const {
  const TKvZoomAxes axes = ZoomAxes();
  const auto zoomed = [](const TKvDisplayAxis* axis) { return axis->IsZoomed(); };
  return std::any_of(axes.X.begin(), axes.X.end(), zoomed) || std::any_of(axes.Y.begin(), axes.Y.end(), zoomed);
}

void TKvDataDisplay::ApplyZoom(TKvZoomOperation, bool inUnits, double y1, double y2, double x1, double x2) {
  const TKvZoomAxes axes = ZoomAxes();
  if (inUnits) {
    if (!axes.Y.empty()) y1 = axes.Y.front()->ToValueUnits(y1), y2 = axes.Y.front()->ToValueUnits(y2);
    if (!axes.X.empty()) x1 = axes.X.front()->ToValueUnits(x1), x2 = axes.X.front()->ToValueUnits(x2);
  }
  ApplyToAxes(axes.X, x1, x2);
  ApplyToAxes(axes.Y, y1, y2);
  Redraw();
}

void TKvDataDisplay::ResetZoom() {
  Redraw();
  const TKvZoomAxes axes = ZoomAxes();
  for (TKvDisplayAxis* axis : axes.X) axis->ZoomOff();
  for (TKvDisplayAxis* axis : axes.Y) axis->ZoomOff();
  Relayout();
}

void TKvDataDisplay::PushZoomState(bool onlyOnce) {
  if (onlyOnce && PushedOnce) return;
  PushedOnce = onlyOnce;
  UndoList_.Push(CaptureZoomState());
  RedoList_.Clear();
}

std::unique_ptr<TKvAxisZoomList> TKvDataDisplay::CaptureZoomState() const {
  auto snapshot = std::make_unique<TKvAxisZoomList>();
  const TKvZoomAxes axes = ZoomAxes();
  for (const TKvDisplayAxis* axis : axes.X) snapshot->Add(*axis);
  for (const TKvDisplayAxis* axis : axes.Y) snapshot->Add(*axis);
  return snapshot;
}

void TKvDataDisplay::RestoreZoomState(const TKvAxisZoomList& snapshot, bool) {
  // Only axes the display still has are touched: an item is matched to a live axis, never followed.
  const auto restore = [&](TKvDisplayAxis& axis) {
    const auto item = std::find_if(snapshot.begin(), snapshot.end(),
                                   [&](const TKvAxisZoomListItem& candidate) { return candidate.Refers(axis); });
    if (item == snapshot.end()) return;
    if (item->Zoomed) axis.SetZoomRange(item->ZoomMin, item->ZoomMax);
    else axis.ZoomOff();
  };
  const TKvZoomAxes axes = ZoomAxes();
  for (TKvDisplayAxis* axis : axes.X) restore(*axis);
  for (TKvDisplayAxis* axis : axes.Y) restore(*axis);
  Relayout();
}

void TKvDataDisplay::WheelZoom(QPoint point, double yFactor, double xFactor) {
  if (!Zooming_.MouseWheelEnabled()) return;
  const TKvZoomAxes axes = ZoomAxes();
  if (axes.X.empty() || axes.Y.empty()) return;
  PushZoomState(true);
  const auto [x1, x2] = axes.X.front()->WheelWindow(point, xFactor);
  const auto [y1, y2] = axes.Y.front()->WheelWindow(point, yFactor);
  ApplyZoom(TKvZoomOperation::zoMouseWheel, false, y1, y2, x1, x2);
  Redraw();
  FireZoomChanged(TKvZoomOperation::zoMouseWheel);
}
