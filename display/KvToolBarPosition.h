#pragma once

#include "display/KvDisplaySettings.h"
#include "platform/Published.h"

#include <cstdint>

// Which corner, edge middle or centre of its host an offset is measured from.
enum class TKvCoordinateMode {
  cmLeftTop,
  cmLeftBottom,
  cmLeftCenter,
  cmRightTop,
  cmRightBottom,
  cmRightCenter,
  cmTopCenter,
  cmBottomCenter,
  cmCenter
};

// What a display tool bar is placed in: the whole display or its data view.
enum class TKvToolBarHostView { thvDisplay, thvDataView };

// A distance in pixels from an edge, across and down. A change redraws the display.
class TKvOffset : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvOffset(TKvDataDisplay& display, TPersistent* owner) : TKvDisplaySettings(display, owner, TKvChangeNeed::Redraw) {}

  int32_t CX() const { return CX_; }
  void SetCX(int32_t cx) { Update(CX_, cx); }
  int32_t CY() const { return CY_; }
  void SetCY(int32_t cy) { Update(CY_, cy); }

private:
  int32_t CX_ = 3;
  int32_t CY_ = 3;
};

// An offset from one of the host's corners, edge middles or its centre.
class TKvCoordinateOffset : public TKvOffset {
public:
  PUBLISHED_CLASS_INFO

  using TKvOffset::TKvOffset;

  TKvCoordinateMode CoordinateMode() const { return CoordinateMode_; }
  void SetCoordinateMode(TKvCoordinateMode mode) { Update(CoordinateMode_, mode); }

private:
  TKvCoordinateMode CoordinateMode_ = TKvCoordinateMode::cmRightTop;
};

// Where the display tool bar lies: an offset within the display or within its data view.
class TKvToolBarPosition : public TKvCoordinateOffset {
public:
  PUBLISHED_CLASS_INFO

  using TKvCoordinateOffset::TKvCoordinateOffset;

  TKvToolBarHostView HostView() const { return HostView_; }
  void SetHostView(TKvToolBarHostView view) { Update(HostView_, view); }

private:
  TKvToolBarHostView HostView_ = TKvToolBarHostView::thvDisplay;
};
