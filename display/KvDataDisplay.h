#pragma once

#include "display/EzControlDrawLayer.h"
#include "display/KvDisplayZoom.h"
#include "display/KvDisplayZoomList.h"
#include "display/KvGeometry.h"
#include "display/KvRealPoint.h"
#include "display/KvZoomGesture.h"
#include "platform/Cursors.h"
#include "platform/Event.h"
#include "platform/Exception.h"
#include "platform/WidgetControl.h"

#include <QCursor>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPrinter;
class TKvCanvas;
class TKvDisplayAxis;
class TKvDisplayComponent;
class TKvMouseHitPoint;
class TKvDisplayToolBar;
class TKvDisplayView;

// A display could not make or write its picture.
class EKvDisplayError : public Exception {
public:
  using Exception::Exception;
};

// Whether a left-button drag in the data view zooms or pans.
enum class TKvDisplayNavigateMode { nmZoom, nmPan };

// What changed the zoom, as OnZoomChanged reports it.
enum class TKvZoomOperation { zoUndo, zoRedo, zoMouseWheel, zoZoom, zoZoomOff };

// The main axes' zoom windows, in this order.
struct TKvRealRanges {
  double XMin = 0;
  double YMin = 0;
  double XMax = 0;
  double YMax = 0;
};
using TKvZoomChangedEvent = void(TObject* sender, TKvZoomOperation operation, const TKvRealRanges& values);

// Where the mouse meets the data: the pixel of the point and its values as the axes label them.
struct TKvHitPoint {
  QPoint Pixel;
  TKvRealPoint Values;
};
// The hit point's label is about to be drawn with `text`; a handler may show another text by
// calling OverrideToolTip.
using TKvDataToolTipEvent = void(TObject* sender, QPoint point, const std::string& text, TKvRealPoint values);

// The axes a zoom acts on, each list with its main axis first.
struct TKvZoomAxes {
  std::vector<TKvDisplayAxis*> X;
  std::vector<TKvDisplayAxis*> Y;
};

// The base of the windowed displays: a control that shows streamed data.
//
// Its picture lives in an offscreen image in device pixels (its pixel ratio set, so lines and text
// are drawn at full resolution) that is painted again only when something asked for it (Redraw)
// or the size changed; every other expose is one copy of that image. The layout of its views runs
// at the start of a paint when something asked for it (Relayout).
//
// Data never reaches the picture from the threads that deliver it: they store it under the data
// lock and call DataArrived, and a timer on the window thread (RefreshInterval) takes the lock and
// lets RefreshData commit what arrived; the picture is redrawn only when that changed something.
// While the display is held, or a drag in its data view is in progress, nothing new is taken.
//
// Mouse input goes to the components: tool bars first, then the rest from the last made to the
// first; a press stops at the first component that handles it, a release reaches every one.
class TKvDataDisplay : public TWidgetControl<QWidget, TEzControlDrawLayer> {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDataDisplay(TComponent* owner);
  ~TKvDataDisplay() override;

  // Runs a change of a setting under a write section of the data lock.
  TEzLockedPersistent::TWriteLock WriteLocker();

  // The components and views, in the order they were made (additional axes come before the axis
  // they follow).
  const std::vector<TKvDisplayComponent*>& Components() const { return Components_; }
  const std::vector<TKvDisplayView*>& Views() const { return Views_; }

  // Asking for paint. Every one of them marks the picture for painting again, a part of it too.
  virtual void InvalidateDisplay();
  void InvalidateRect(const TKvRect& rect);
  virtual void Redraw();
  virtual void Relayout();
  bool LayoutDirty() const { return LayoutDirty_; }
  bool BitmapDirty() const { return BitmapDirty_; }

  // From any thread, under the data lock: new data is waiting for the next refresh.
  void DataArrived() { DataPending.store(true, std::memory_order_release); }
  // From any thread: whether new data is kept out of the picture for now.
  bool IntakeHeld() const { return Hold.load() || DragInProgress_.load(); }
  bool ZoomHold() const { return Hold.load(); }
  // Holds the display or releases it; on a change HoldChanged runs, then a refresh and a redraw.
  void SetZoomHold(bool hold);
  bool DragInProgress() const { return DragInProgress_.load(); }
  void SetDragInProgress(bool dragging) { DragInProgress_.store(dragging); }
  // The left-button gesture in the data view.
  const TKvZoomGesture& ZoomGesture() const { return Gesture; }
  // Commits what arrived while the display took nothing, and redraws.
  void CommitWaitingData();
  // Relayouts, then tells OnZoomChanged with the main axes' zoom windows. A handler that zooms
  // this display again (two displays kept in step) is not called a second time meanwhile.
  void FireZoomChanged(TKvZoomOperation operation);

  // Zoom operations. Every window reaches an axis through its checked SetZoomRange, so no
  // sequence of them leaves a window that is not finite.
  virtual void ZoomOff();
  // Factors below 1 zoom in, about the centre of the visible ranges.
  virtual void ZoomBy(double factor);
  virtual void ZoomBy(bool push, double factor);
  virtual void ZoomByXY(double yFactor, double xFactor);
  virtual void ZoomByFactors(bool push, double yFactor, double xFactor);
  // In label units (seconds, hertz, … as the axes show them).
  virtual void ZoomToUnits(double y1, double y2, double x1, double x2);
  virtual void ZoomToUnits(bool push, double y1, double y2, double x1, double x2);
  // In value units (sample positions or X data values; Y data values).
  virtual void ZoomToValues(double y1, double y2, double x1, double x2);
  virtual void ZoomToValues(bool push, double y1, double y2, double x1, double x2);
  virtual void ZoomPrevious();
  virtual void ZoomNext();
  virtual void ClearZoomHistory();
  virtual bool CanZoomIn() const;
  virtual bool CanZoomOut() const;
  virtual bool IsZoomed() const;
  // Sets the main axes' windows; every additional axis shows the same fraction of its range.
  virtual void ApplyZoom(TKvZoomOperation operation, bool inUnits, double y1, double y2, double x1, double x2);
  // Every axis unzoomed.
  virtual void ResetZoom();
  // Pushes the present state onto the undo list and empties the redo list; a run of pushes with
  // onlyOnce (wheel steps) makes one entry.
  virtual void PushZoomState(bool onlyOnce);
  virtual std::unique_ptr<TKvAxisZoomList> CaptureZoomState() const;
  // Axes deleted since the snapshot was taken are skipped.
  virtual void RestoreZoomState(const TKvAxisZoomList& snapshot, bool redo);
  const TKvDisplayZoomList& UndoList() const { return UndoList_; }
  const TKvDisplayZoomList& RedoList() const { return RedoList_; }
  // The axes zoom acts on; none for a display without axes.
  virtual TKvZoomAxes ZoomAxes() const { return {}; }

  TColor DefaultColor() const override { return clBlack; }
  bool TabStop() const { return TabStop_; }
  void SetTabStop(bool tabStop);
  TKvDisplayNavigateMode NavigateMode() const { return NavigateMode_; }
  void SetNavigateMode(TKvDisplayNavigateMode mode);
  uint32_t RefreshInterval() const { return RefreshInterval_; }
  void SetRefreshInterval(uint32_t interval);
  TKvDisplayZoom* Zooming() const { return const_cast<TKvDisplayZoom*>(&Zooming_); }
  TKvDisplayToolBar* ToolBar() const { return ToolBar_.get(); }

  TEvent<TKvZoomChangedEvent> OnZoomChanged;
  TEvent<TKvDataToolTipEvent> OnDataToolTip;
  // From an OnDataToolTip handler: the label being drawn shows `text` instead.
  void OverrideToolTip(const std::string& text) { ToolTipOverride = text; }

  // The hit point's label text: the display's own, which subclasses may let an event replace.
  virtual std::string FormatHitLabel(const TKvHitPoint& point) const = 0;
  virtual std::string GetHitLabel(const TKvHitPoint& point) const { return FormatHitLabel(point); }
  // The mark of the hit point in `pen` on the display's colour, and its label beside it, to the
  // right and above unless that leaves the data view; both clipped to the data view.
  void DrawPointLabel(TKvCanvas& canvas, const TKvHitPoint& point, const TKvMouseHitPoint& hitPoint, TColor pen);

  // The size layout and painting use: the export size while exporting, else the control's.
  int GetExportWidth() const { return ExportMode ? ExportWidth : Width(); }
  int GetExportHeight() const { return ExportMode ? ExportHeight : Height(); }
  bool MouseInside() const { return MouseInside_; }
  // Where the mouse last moved over the display.
  QPoint MousePosition() const { return MousePosition_; }
  // Shows another cursor until RestoreCursor, remembering the display's own.
  void ChangeCursor(TCursor cursor);
  void RestoreCursor();

  // What a paint message does: paint the picture into the offscreen image if it is dirty or the
  // size changed, then copy the image. A paint that fails leaves the previous picture.
  void PaintToDC(QPainter& painter);
  const QImage& OffscreenImage() const { return Bitmap; }
  // The whole picture for copying, saving and printing (no tool bar); nothing is drawn when the
  // data lock gives no section.
  void PaintToCanvas(QPainter& painter) override;
  // The picture at the control's size and pixel ratio.
  QImage RenderImage();
  void PaintToGraphics(QPainter& painter, int width, int height) override;
  void CopyToClipboard();
  void SaveToBitmapFile(const std::string& name);
  void SaveToJpegFile(const std::string& name);
  void SaveToPngFile(const std::string& name);
  // By the name's extension, in any case: ".jpg" and ".jpeg" save JPEG, ".png" PNG, anything
  // else a bitmap file.
  void SaveToFile(const std::string& name);
  // The picture stretched over the printable page; the display is held meanwhile.
  void Print(QPrinter& printer);

  // Hosted elements: controls that paint into this display's picture.
  void HostElement(TKvCustomControlItem& element);
  void UnhostElement(TKvCustomControlItem& element);

  virtual TKvDisplayView* GetDataView() const = 0;
  virtual bool IsVertical() const { return false; }
  virtual bool IsVerticalReversed() const { return false; }
  virtual std::string GetPrintTitle() const { return "Unknown"; }
  // The values OnZoomChanged reports.
  virtual double GetXMin() const = 0;
  virtual double GetXMax() const = 0;
  virtual double GetYMin() const = 0;
  virtual double GetYMax() const = 0;
  // The user asked for the property dialog on a page (and item), or an axis's page; no dialog
  // ships, so nothing happens unless a subclass brings one.
  virtual void ShowPropertiesDialog(int /*page*/, int /*item*/) {}
  virtual void ShowAxisProperties(int /*axisIndex*/) {}
  virtual int GetAxisIndex(const TKvDisplayView* /*axis*/) const { return 0; }

  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  // Called by the refresh timer and on a change of hold, under the data lock: takes what arrived
  // and answers whether the picture must be redrawn.
  virtual bool RefreshData() = 0;
  // The paint pass: lays out when needed and draws everything into the canvas; `region` is what
  // must be drawn, in logical pixels.
  virtual void PaintContent(TKvCanvas& canvas, bool exporting, const TKvRect& region) = 0;
  // Takes the data that arrived since the last refresh (window thread).
  bool TakeArrivedData() { return DataPending.exchange(false, std::memory_order_acquire); }
  // The hold was switched; subclasses that keep data back while held extend this.
  virtual void HoldChanged(bool /*hold*/) {}
  virtual void MouseEnter();
  virtual void MouseLeave();
  // A wheel step over the data view (1.1 down, 0.9 up): the value under the pointer keeps its
  // pixel.
  virtual void WheelZoom(QPoint point, double yFactor, double xFactor);
  // Paints every active view that lies in `region` (the others keep their ticks current), each
  // with its clipping restored afterwards.
  void PaintViews(TKvCanvas& canvas, bool exporting, const TKvRect& region);
  // What every active view in `region` draws over the data.
  void PaintOverlays(TKvCanvas& canvas, const TKvRect& region);
  // The tool bar, last over everything, when it shows.
  void PaintToolBar(TKvCanvas& canvas);
  // Paints each hosted element into the picture.
  void PaintElements(QPainter& painter, int width, int height);
  // Clears the layout-dirty flag, answering whether it was set.
  bool TakeLayoutDirty();

  void Destroying() override;
  void Resized() override;
  void ApplyColor() override { Redraw(); }

  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  friend class TKvDisplayComponent;
  friend class TKvDisplayView;
  class TExportScope;

  void AddComponent(TKvDisplayComponent& component) { Components_.push_back(&component); }
  void RemoveComponent(TKvDisplayComponent& component);
  void AddView(TKvDisplayView& view, TKvDisplayView* before);
  void RemoveView(TKvDisplayView& view);
  // Tool bars first, then the other components, each from the last made to the first.
  std::vector<TKvDisplayComponent*> InputOrder() const;
  bool IsComponent(const TKvDisplayComponent* component) const;
  void RefreshTick();
  // Refreshes under the data lock; false when the lock gives no section.
  bool RefreshUnderLock();
  void RepaintBitmap(QSize size, qreal ratio);
  // A drag or press in progress ends without its release.
  void CancelGestures();
  void SaveImage(const std::string& name, const char* format);

  std::vector<TKvDisplayComponent*> Components_;
  std::vector<TKvDisplayView*> Views_;
  std::vector<TKvCustomControlItem*> Elements;
  bool LayoutDirty_ = true;
  bool BitmapDirty_ = true;
  // The picture on screen, and the image the next paint goes into.
  QImage Bitmap{10, 10, QImage::Format_RGB32};
  QImage Back;
  bool ExportMode = false;
  int ExportWidth = 0;
  int ExportHeight = 0;
  bool MouseInside_ = false;
  QPoint MousePosition_;
  int WheelRemainder = 0;
  std::optional<QCursor> RememberedCursor;
  // What an OnDataToolTip handler gave for the label being drawn.
  std::optional<std::string> ToolTipOverride;
  QTimer MouseLeaveTimer;
  QTimer RefreshTimer;
  TKvDisplayZoom Zooming_;
  TKvZoomGesture Gesture{*this};
  TKvDisplayZoomList UndoList_;
  TKvDisplayZoomList RedoList_;
  bool PushedOnce = false;
  bool FiringZoomChanged = false;
  std::atomic<bool> Hold{false};
  std::atomic<bool> DragInProgress_{false};
  std::atomic<bool> DataPending{false};
  bool TabStop_ = true;
  TKvDisplayNavigateMode NavigateMode_ = TKvDisplayNavigateMode::nmZoom;
  uint32_t RefreshInterval_ = 100;
  // Made last: it joins the components and reads the display's palette.
  std::unique_ptr<TKvDisplayToolBar> ToolBar_;
};
