#pragma once

#include "display/KvDisplayView.h"
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

private:
  TKvBasicWaterfall& Waterfall;
  TKvWaterfallPicture Picture_;
};
