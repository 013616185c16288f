#pragma once

#include "display/KvDisplayView.h"

class TKvDataChart;
class TKvTrackingOptionalAxis;
class TKvDisplayGridDirectionalLinesSettings;

// The scope's data view: what the views at the edges leave, with a border and the axes' grid
// lines under the channels.
class TKvScopeDataView : public TKvCustomColorDisplayView {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvScopeDataView(TKvDataChart& chart);

  TKvDisplayGridLineSettings* Border() const { return const_cast<TKvDisplayGridLineSettings*>(&Border_); }

  TKvViewSize GetSize() const override { return {-1, -1}; }
  TKvViewAlign GetAlign() const override { return TKvViewAlign::vaClient; }
  void Paint(TKvCanvas& canvas, bool exporting, bool vertical) override;
  // The item under the mouse follows it.
  void MouseMoveAt(Qt::KeyboardModifiers shift, int x, int y, bool& handled) override;
  void MouseLeaveDisplay() override;
  // A press on an item is the item's, not the start of a zoom or a pan.
  void MouseDownAt(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool& handled, bool inside, int x,
                   int y) override;
  // Older layouts name the main axes' grid colours here.
  void DefineProperties(TFiler& filer) override;

private:
  // A line at every major tick of the axis, across the view.
  void PaintGrid(TKvCanvas& canvas, const TKvTrackingOptionalAxis& axis,
                 const TKvDisplayGridDirectionalLinesSettings& grid) const;

  TKvDataChart& Chart;
  TKvDisplayGridLineSettings Border_;
};
