#pragma once

#include "display/KvDataDisplay.h"
#include "display/KvDisplayHighlighting.h"
#include "display/KvDisplayTitle.h"
#include "display/KvDisplayTrails.h"
#include "display/KvScopeDataView.h"
#include "display/KvScopeLegendView.h"
#include "display/KvScopeXAxis.h"
#include "display/KvScopeYAxis.h"

// The display with a title, a legend, X and Y axes (each with additional axes) around a data view
// with a grid: the part of the scope that does not depend on its channels.
//
// The channel side is reached through virtual operations that a display with channels supplies;
// here there are none, so the axes show their stored ranges. The paint pass runs in a fixed order
// of slots, each with its clipping saved and restored: what lies behind the channels, the views,
// the channels (clipped to the data view), the views' overlays, what lies over the channels, the
// hit point and the tool bar (neither when exporting).
class TKvDataChart : public TKvDataDisplay {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDataChart(TComponent* owner);

  TKvDisplayTrails* Trails() const { return const_cast<TKvDisplayTrails*>(&Trails_); }
  TKvDisplayTitle* Title() const { return const_cast<TKvDisplayTitle*>(&Title_); }
  TKvDisplayHighlighting* Highlighting() const { return const_cast<TKvDisplayHighlighting*>(&Highlighting_); }
  TKvScopeLegendView* Legend() const { return const_cast<TKvScopeLegendView*>(&Legend_); }
  TKvScopeXAxis* XAxis() const { return const_cast<TKvScopeXAxis*>(&XAxis_); }
  TKvScopeYAxis* YAxis() const { return const_cast<TKvScopeYAxis*>(&YAxis_); }
  TKvScopeDataView* DataView() const { return const_cast<TKvScopeDataView*>(&DataView_); }
  bool CursorsStayInView() const { return CursorsStayInView_; }
  void SetCursorsStayInView(bool stay);

  // What the channels give the axes.
  virtual bool HasSpectrumChannel() const { return false; }
  virtual bool HasXYChannel() const { return false; }
  // The largest sample rate of the visible channels; 10000 when none is known.
  virtual double GetSampleRate() const { return 10000; }
  virtual double GetDataXMin() const { return 0; }
  virtual double GetDataXMax() const { return XAxis_.Samples() - 1; }
  // The smallest and largest value of the visible channels on `axis` within the visible samples;
  // false when none of them holds more than one sample.
  virtual bool GetChannelRange(const TKvBasicScopeYAxis& axis, double& min, double& max) const;
  // The X axis's time and frequency ranges, kept until the ranges are invalidated.
  double GetFrequencyMax() const;
  double GetTimeMax() const;
  void InvalidateTimeRange() { TimeRangesValid = false; }
  // Forgets every axis's range values and the time and frequency ranges.
  void InvalidateRanges();

  // Axes by index: 0 is the main axis, k the k-th additional one; none beyond.
  TKvBasicScopeXAxis* GetXAxisByIndex(int index) const;
  TKvBasicScopeYAxis* GetYAxisByIndex(int index) const;
  // Main X 0, additional X k, main Y after them, then the additional Y axes.
  int GetAxisIndex(const TKvDisplayView* axis) const override;

  // A label from its template (or the default one when it is empty): %X and %Y are the values as
  // the main axes write them, %D the value text, %% a percent sign.
  std::string FormatLabel(const std::string& pattern, const std::string& defaultPattern, const std::string& valueText,
                          double x, double y) const;

  // The hit point's label: its template, "%X : %Y" by default.
  std::string FormatHitLabel(const TKvHitPoint& point) const override;

  TKvDisplayView* GetDataView() const override { return DataView(); }
  // After a layout or a mouse move: find the item under the mouse again.
  virtual void UpdateHighlighting() {}
  // A press in the data view that an item drawn over the channels takes (a cursor, say): true when
  // taken, and then no zoom or pan starts. The release goes to the same place, taken or not.
  virtual bool DataViewMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int /*x*/, int /*y*/) { return false; }
  virtual void DataViewMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int /*x*/, int /*y*/) {}
  // The display lost the mouse in the middle of a drag.
  virtual void DataViewCaptureLost() {}
  double GetXMin() const override { return XAxis_.ZoomMin(); }
  double GetXMax() const override { return XAxis_.ZoomMax(); }
  double GetYMin() const override { return YAxis_.ZoomMin(); }
  double GetYMax() const override { return YAxis_.ZoomMax(); }
  // The main X axis, the additional X axes, the main Y axis, the additional Y axes.
  TKvZoomAxes ZoomAxes() const override;

protected:
  // Takes nothing while held or while a drag is in progress; otherwise commits what arrived and,
  // when that was something, recomputes the ranges and lets the Y axes record their extremes.
  bool RefreshData() override;
  void PaintContent(TKvCanvas& canvas, bool exporting, const TKvRect& region) override;
  // Makes what arrived the data that is drawn; true when something was committed.
  virtual bool CommitData() { return TakeArrivedData(); }
  // The largest sample count of the visible channels (0 for none).
  virtual int LargestSampleCount() const { return 0; }
  // Paint slots, in the order the paint pass runs them. `work` is the data view less its bottom
  // line.
  virtual void PaintBehindChannels(TKvCanvas&, const TKvRect& /*work*/) {}
  virtual void PaintChannels(TKvCanvas&, const TKvRect& /*work*/) {}
  virtual void PaintOverChannels(TKvCanvas&, const TKvRect& /*work*/) {}
  // The mark and label of the point under the mouse, over all of that; a copy or print leaves it
  // out, as it does the tool bar.
  virtual void PaintHitPoint(TKvCanvas&) {}

private:
  void ForEachYAxis(const std::function<void(TKvBasicScopeYAxis&)>& visit);

  TKvDisplayTrails Trails_;
  TKvDisplayTitle Title_;
  TKvDisplayHighlighting Highlighting_;
  TKvScopeLegendView Legend_;
  TKvScopeXAxis XAxis_;
  TKvScopeYAxis YAxis_;
  TKvScopeDataView DataView_;
  bool CursorsStayInView_ = true;
  mutable bool TimeRangesValid = false;
  mutable double FrequencyMax = 0;
  mutable double TimeMax = 0;
};
