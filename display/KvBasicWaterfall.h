#pragma once

#include "display/KvDataDisplay.h"
#include "display/KvDisplayLevelView.h"
#include "display/KvDisplayTitle.h"
#include "display/KvWaterfallAxes.h"
#include "display/KvWaterfallDataView.h"
#include "display/KvWaterfallHighlighting.h"
#include "display/KvWaterfallHistory.h"
#include "display/KvWaterfallLegendView.h"
#include "display/KvWaterfallMarkers.h"
#include "platform/LkSync.h"

#include <atomic>
#include <vector>

// A display of a history of rows (typically successive spectra) as a picture: one axis is time, a
// row per arriving buffer, the other the index within a row; the level scale turns each value into
// a colour.
//
// Rows arrive on any thread (AppendRow, Reset) and are kept under the waterfall's critical section
// as shared references to their buffers, never copied. While the display is held they wait aside
// (at most Samples of them) and join the history when it is released. The refresh timer redraws
// the picture when rows arrived; a paint colours only the rows that came since the last one and
// scrolls the rest, then stretches the visible part of the picture over the data view in one copy.
class TKvBasicWaterfall : public TKvDataDisplay {
public:
  PUBLISHED_CLASS_INFO

  // What the value under a pixel is where there is no row or bin.
  static constexpr double NoValue = -100000;

  explicit TKvBasicWaterfall(TComponent* owner);
  ~TKvBasicWaterfall() override;

  TKvDisplayTitle* Title() const { return const_cast<TKvDisplayTitle*>(&Title_); }
  TKvWaterfallLegendView* Legend() const { return const_cast<TKvWaterfallLegendView*>(&Legend_); }
  TKvWaterfallXAxis* XAxis() const { return const_cast<TKvWaterfallXAxis*>(&XAxis_); }
  TKvWaterfallYAxis* YAxis() const { return const_cast<TKvWaterfallYAxis*>(&YAxis_); }
  TKvWaterfallDataView* DataView() const { return const_cast<TKvWaterfallDataView*>(&DataView_); }
  TKvWaterfallHighlighting* Highlighting() const { return const_cast<TKvWaterfallHighlighting*>(&Highlighting_); }
  TKvWaterfallMarkerGroups* MarkerGroups() const { return const_cast<TKvWaterfallMarkerGroups*>(&MarkerGroups_); }
  // Where markers land now: the data view and the axes' visible ranges.
  TKvWaterfallMarkerView MarkerView() const;
  bool Vertical() const { return Vertical_; }
  void SetVertical(bool vertical);
  // The level scale that colours the rows.
  virtual TKvAxisDisplayLevelView& LevelScale() const = 0;

  // Any thread: a new row, its buffer shared; skipped when the data lock gives no section.
  void AppendRow(TRef<IKvRealBuffer> row);
  // Any thread: a stream starts at `rate` (10000 when unknown); the history is emptied (when
  // held, as soon as the hold ends).
  void Reset(double rate, bool spectrum);
  // The stream's rate and whether its rows are spectra, from the last start.
  double StreamRate() const { return StreamRate_.load(); }
  bool IsSpectrum() const { return Spectrum.load(); }

  // The value of the row and bin under a pixel of the data view; NoValue where there is none.
  double ValueAt(int x, int y) const;
  // The label of the point under the mouse: "%X : %Y : %Z" by default, %Z the value there as the
  // level scale writes it.
  std::string HitLabel(const std::string& pattern, int x, int y) const;
  // The point under a pixel of the data view, its values as the time and bin axes take them.
  TKvHitPoint HitPointAt(int x, int y) const;
  std::string FormatHitLabel(const TKvHitPoint& point) const override;
  // The level range: the history's extremes when the scale follows the data and there are rows,
  // else the scale's set ends.
  double LevelMax() const;
  double LevelMin() const;
  // Rows that left the history since the last start, never capped: a marker that follows its row
  // moves back by as many as left between two of its looks.
  uint64_t RowsRemoved() const;
  // Rows kept now.
  int RowCount() const;

  TKvDisplayView* GetDataView() const override { return DataView(); }
  bool IsVertical() const override { return Vertical_; }
  double GetXMin() const override { return XAxis_.ZoomMin(); }
  double GetXMax() const override { return XAxis_.ZoomMax(); }
  double GetYMin() const override { return YAxis_.ZoomMin(); }
  double GetYMax() const override { return YAxis_.ZoomMax(); }
  TKvZoomAxes ZoomAxes() const override { return {{XAxis()}, {YAxis()}}; }
  std::string GetPrintTitle() const override { return Title_.Text(); }

  // The data view draws the picture through this: brought up to date, then stretched over the view.
  void PaintPicture(TKvCanvas& canvas, TKvWaterfallDataView& view) const;
  // The X axis's row count changed: the history keeps as many.
  void SamplesChanged();

protected:
  // Commits what arrived, and the rows that waited once the display is no longer held: tells the
  // level scale when the range moved; true when rows arrived. It runs as soon as a hold ends.
  bool RefreshData() override;
  void PaintContent(TKvCanvas& canvas, bool exporting, const TKvRect& region) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void MouseLeave() override;

private:
  // Under the critical section: the picture's height in bins, that of the oldest row (512 when
  // it has none).
  int OldestRowBins() const;
  TKvWaterfallGeometry Geometry() const;
  TKvWaterfallColouring Colouring() const;
  // The part of the picture the axes' visible ranges show.
  QRectF SourceRect(const TKvWaterfallPicture& picture) const;
  // Under the critical section.
  void AddToHistory(TRef<IKvRealBuffer> row);
  // Under the critical section, when nothing holds the display: the rows that waited join the
  // history, after emptying it when a start came meanwhile.
  void Flush();
  // The mark and label of the value under the mouse, in that value's colour; not in copies and
  // prints.
  void PaintHitPoint(TKvCanvas& canvas);

  TKvDisplayTitle Title_;
  TKvWaterfallLegendView Legend_;
  TKvWaterfallXAxis XAxis_;
  TKvWaterfallYAxis YAxis_;
  TKvWaterfallDataView DataView_;
  TKvWaterfallHighlighting Highlighting_;
  TKvWaterfallMarkerGroups MarkerGroups_{*this};
  bool Vertical_ = false;
  mutable TLkCriticalSection Section;
  TKvWaterfallHistory History;
  std::vector<TRef<IKvRealBuffer>> Pending;
  bool ClearOnFlush = false;
  std::atomic<bool> RangeMoved{false};
  std::atomic<double> StreamRate_{10000};
  std::atomic<bool> Spectrum{false};
};
