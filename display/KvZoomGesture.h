#pragma once

#include <QPoint>

class TKvDataDisplay;
class TKvCanvas;

// The press-drag-release gesture of the left button in a display's data view: a rectangle zoom
// (NavigateMode nmZoom) or a pan (nmPan).
//
// A press sets the last point to the press point, so a click without a move neither zooms nor
// makes the first pan step jump. While the gesture runs with Zooming.MouseZoom the display takes
// no new data; whatever arrived meanwhile is committed, in order, when the gesture ends or is
// cancelled. The rubber band is drawn over the cached picture, never into it.
class TKvZoomGesture {
public:
  explicit TKvZoomGesture(TKvDataDisplay& display) : Display(display) {}

  bool Dragging() const { return Dragging_; }
  QPoint PressPoint() const { return Press; }
  QPoint LastPoint() const { return Last; }

  void Begin(QPoint point);
  // A move with the left button held.
  void Move(QPoint point);
  void End();
  // The gesture stops where it is: no zoom; a pan made so far stays and is reported.
  void Cancel();
  // The same without a word to anyone, for when the display's views change under the gesture
  // (maybe while the display is being taken apart).
  void Abandon();
  // The rectangle or lines of a rectangle zoom in progress; nothing otherwise.
  void PaintBand(TKvCanvas& canvas) const;
  // Whether a band is drawn at all now.
  bool ShowsBand() const;

private:
  void ZoomToBand();
  void PanTo(QPoint point);
  // The display takes data again and commits what waited.
  void Finish();

  TKvDataDisplay& Display;
  QPoint Press;
  QPoint Last;
  bool Dragging_ = false;
  bool Panned = false;
};
