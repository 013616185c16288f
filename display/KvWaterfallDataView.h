#pragma once

#include "display/KvDisplayView.h"
#include "display/KvImageStretch.h"
#include "display/KvWaterfallPicture.h"

class TKvBasicWaterfall;

// The waterfall's data view: what the views at the edges leave, showing the picture of the history
// stretched over it. It owns the picture, which only the window thread touches.
class TKvWaterfallDataView : public TKvCustomColorDisplayView {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvWaterfallDataView(TKvBasicWaterfall& waterfall);

  TKvViewSize GetSize() const override { return {-1, -1}; }
  TKvViewAlign GetAlign() const override { return TKvViewAlign::vaClient; }
  void Paint(TKvCanvas& canvas, bool exporting, bool vertical) override;

  TKvWaterfallPicture& Picture() { return Picture_; }
  const TKvWaterfallPicture& Picture() const { return Picture_; }
  // The picture's visible part at the view's size in device pixels, and what makes it.
  QImage& Stretched() { return Stretched_; }
  TKvImageStretch& Stretcher() { return Stretcher_; }

private:
  TKvBasicWaterfall& Waterfall;
  TKvWaterfallPicture Picture_;
  QImage Stretched_;
  TKvImageStretch Stretcher_;
};
