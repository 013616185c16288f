#include "display/KvDataDisplay.h"

#include "display/KvDisplayComponent.h"
#include "display/KvDisplayToolBar.h"
#include "display/KvDisplayView.h"
#include "platform/Published.h"

#include <algorithm>

const TClassInfo& TKvDataDisplay::StaticClassInfo() {
  static const TEnumNames<TKvDisplayNavigateMode> modes = {{TKvDisplayNavigateMode::nmZoom, "nmZoom"},
                                                           {TKvDisplayNavigateMode::nmPan, "nmPan"}};
  return DefineClass<TKvDataDisplay, TEzControlDrawLayer>("TKvDataDisplay", [](TPublished<TKvDataDisplay>& p) {
    using C = TKvDataDisplay;
    p.Boolean("TabStop", &C::TabStop, &C::SetTabStop, true)
        .Enumeration("NavigateMode", modes, &C::NavigateMode, &C::SetNavigateMode, TKvDisplayNavigateMode::nmZoom)
        .Unsigned("RefreshInterval", &C::RefreshInterval, &C::SetRefreshInterval, 100u)
        .Object("Zooming", &C::Zooming)
        .Object("ToolBar", &C::ToolBar)
        .Event("OnZoomChanged", &C::OnZoomChanged);
  });
}

TKvDataDisplay::TKvDataDisplay(TComponent* owner) : TWidgetControl(owner), Zooming_(*this, this) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  SetBounds(0, 0, 450, 280);
  SetColor(clBlack);
  MouseLeaveTimer.setInterval(100);
  QObject::connect(&MouseLeaveTimer, &QTimer::timeout, [this] {
    if (!rect().contains(mapFromGlobal(QCursor::pos()))) MouseLeave();
  });
  RefreshTimer.setInterval(static_cast<int>(RefreshInterval_));
  QObject::connect(&RefreshTimer, &QTimer::timeout, [this] { RefreshTick(); });
  RefreshTimer.start();
  ToolBar_ = std::make_unique<TKvDisplayToolBar>(*this);
}

TKvDataDisplay::~TKvDataDisplay() = default;

void TKvDataDisplay::Destroying() {
  RefreshTimer.stop();
  MouseLeaveTimer.stop();
  TWidgetControl::Destroying();
}

TEzLockedPersistent::TWriteLock TKvDataDisplay::WriteLocker() {
  return [this](const std::function<void()>& change) {
    const TLkLockSection section = DataLock().WriteLock();
    if (!section) return false;
    change();
    return true;
  };
}

void TKvDataDisplay::RemoveComponent(TKvDisplayComponent& component) { std::erase(Components_, &component); }

void TKvDataDisplay::AddView(TKvDisplayView& view, TKvDisplayView* before) {
  const auto at = std::find(Views_.begin(), Views_.end(), before);
  Views_.insert(at, &view);
  LayoutDirty_ = true;
  Gesture.Abandon();
}

void TKvDataDisplay::RemoveView(TKvDisplayView& view) {
  std::erase(Views_, &view);
  Gesture.Abandon();
  // No virtual call here: the view may go while its display is being destroyed.
  LayoutDirty_ = true;
  BitmapDirty_ = true;
}

bool TKvDataDisplay::IsComponent(const TKvDisplayComponent* component) const {
  return std::find(Components_.begin(), Components_.end(), component) != Components_.end();
}

std::vector<TKvDisplayComponent*> TKvDataDisplay::InputOrder() const {
  std::vector<TKvDisplayComponent*> order(Components_.rbegin(), Components_.rend());
  std::stable_partition(order.begin(), order.end(), [](const TKvDisplayComponent* c) { return c->IsToolBar(); });
  return order;
}

void TKvDataDisplay::InvalidateDisplay() {
  BitmapDirty_ = true;
  update();
}

void TKvDataDisplay::InvalidateRect(const TKvRect& rect) {
  BitmapDirty_ = true;
  if (!rect.IsEmpty()) update(rect.Left, rect.Top, rect.Width(), rect.Height());
}

void TKvDataDisplay::Redraw() { InvalidateDisplay(); }

void TKvDataDisplay::Relayout() {
  LayoutDirty_ = true;
  Redraw();
}

bool TKvDataDisplay::TakeLayoutDirty() {
  const bool dirty = LayoutDirty_;
  LayoutDirty_ = false;
  return dirty;
}

void TKvDataDisplay::Loaded() {
  TWidgetControl::Loaded();
  LayoutDirty_ = true;
}

void TKvDataDisplay::Resized() {
  // The band's pixels no longer mean the values they meant.
  CancelGestures();
  Relayout();
  TWidgetControl::Resized();
}

void TKvDataDisplay::SetTabStop(bool tabStop) {
  TabStop_ = tabStop;
  setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TKvDataDisplay::SetNavigateMode(TKvDisplayNavigateMode mode) {
  if (mode == NavigateMode_) return;
  CancelGestures();
  NavigateMode_ = mode;
  Redraw();
}

void TKvDataDisplay::SetRefreshInterval(uint32_t interval) {
  RefreshInterval_ = interval;
  RefreshTimer.setInterval(static_cast<int>(std::min<uint32_t>(interval, INT32_MAX)));
}

void TKvDataDisplay::RefreshTick() {
  if (IsDesigning() || IsDestroying()) return;
  bool redraw = false;
  {
    const TLkLockSection section = DataLock().WriteLock();
    if (!section) return;
    redraw = RefreshData();
  }
  if (redraw) Redraw();
}

bool TKvDataDisplay::RefreshUnderLock() {
  const TLkLockSection section = DataLock().WriteLock();
  return section && RefreshData();
}

void TKvDataDisplay::CommitWaitingData() {
  RefreshUnderLock();
  Redraw();
}

void TKvDataDisplay::SetZoomHold(bool hold) {
  if (hold == Hold.load()) return;
  Hold.store(hold);
  HoldChanged(hold);
  RefreshUnderLock();
  Redraw();
}

void TKvDataDisplay::ChangeCursor(TCursor cursor) {
  if (!RememberedCursor) RememberedCursor = this->cursor();
  setCursor(ToQtCursor(cursor));
}

void TKvDataDisplay::RestoreCursor() {
  if (!RememberedCursor) return;
  setCursor(*RememberedCursor);
  RememberedCursor.reset();
}

void TKvDataDisplay::HostElement(TKvCustomControlItem& element) {
  if (&element == this || std::find(Elements.begin(), Elements.end(), &element) != Elements.end()) return;
  Elements.push_back(&element);
  FreeNotification(&element);
  Redraw();
}

void TKvDataDisplay::UnhostElement(TKvCustomControlItem& element) {
  if (std::erase(Elements, &element) == 0) return;
  RemoveFreeNotification(&element);
  Redraw();
}

void TKvDataDisplay::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && std::erase(Elements, component) > 0) Redraw();
  TWidgetControl::Notification(component, operation);
}
