#pragma once

#include "display/KvBasicDisplayToolBar.h"
#include "display/KvDisplayZoom.h"

class TKvDisplayAxis;

// The small tool bar of an axis: zoom this axis in, out or off, and make rectangle zooms act on
// this axis's direction only. It lies inside the axis next to the data view's start, in one row
// along a horizontal axis and in one column along a vertical one, and shows while the mouse is
// over the axis or the bar.
class TKvAxisToolBar : public TKvBasicDisplayToolBar {
public:
  PUBLISHED_CLASS_INFO

  void UpdateStates() override;

  TKvAxisToolBar(TKvDataDisplay& display, TKvDisplayAxis& axis);

  TKvDisplayAxis& Axis() const { return Axis_; }
  TKvAxisToolBarButtons* Buttons() const { return const_cast<TKvAxisToolBarButtons*>(&Buttons_); }

  int GetRowCount() const override;
  bool IsActive() const override;

  // What the buttons do.
  void ZoomAxisBy(double factor);
  void ZoomAxisOff();
  void ZoomOneDirection();

protected:
  int ComputeBarLeft() const override;
  int ComputeBarTop() const override;
  bool MouseIsHome() const override;

private:
  // The rectangle zoom mode that acts on this axis only.
  TKvDisplayZoomMode OneDirectionMode() const;

  TKvDisplayAxis& Axis_;
  TKvAxisToolBarButtons Buttons_;
};
