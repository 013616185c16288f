#pragma once

#include "display/KvDataChart.h"

#include <QImage>

#include <memory>
#include <optional>

// A chart with one stand-in channel: a range of values that any thread may deliver under the
// chart's data lock, committed by the refresh like a scope's channels.
class TTestChart : public TKvDataChart {
public:
  using TKvDataChart::TKvDataChart;

  // From any thread: the channel now holds values from min to max.
  void Deliver(double min, double max);
  // What the refresh committed last.
  std::optional<std::pair<double, double>> Committed() const { return Committed_; }
  // The refresh the timer runs, called at once.
  bool Refresh();

  bool GetChannelRange(const TKvBasicScopeYAxis& axis, double& min, double& max) const override;
  double GetSampleRate() const override { return Rate; }

  // The sample rate the channel reports.
  double Rate = 10000;

protected:
  bool CommitData() override;

private:
  std::pair<double, double> Pending;
  std::optional<std::pair<double, double>> Committed_;
};

// A display whose refresh runs at once, as its timer runs it: under the data lock.
template <class Display>
class TRefreshing : public Display {
public:
  using Display::Display;
  // Whether the picture must be redrawn.
  bool Refresh() {
    const TLkLockSection section = this->DataLock().WriteLock();
    return section && this->RefreshData();
  }
};

template <class Chart = TTestChart>
using TPtr = std::unique_ptr<Chart, TComponentDeleter>;
using TChartPtr = TPtr<TTestChart>;

// Hides the title, the legend and both axes.
void HideViews(TKvDataChart& chart);

// A chart of the given size with nothing but a data view and a border.
template <class Chart = TTestChart>
TPtr<Chart> BareChart(int width, int height) {
  TPtr<Chart> chart(new Chart(nullptr));
  chart->SetBounds(0, 0, width, height);
  HideViews(*chart);
  return chart;
}

// No grid lines, nor zero lines, in the data view.
void HideGrid(TKvDataChart& chart);

// The Y axis shows -100 … 100 without automatic scaling, and the grid only its zero line.
void ShowOnlyTheZeroLine(TKvDataChart& chart);

// What a paint message puts on the screen, at the display's pixel ratio.
QImage Expose(TKvDataDisplay& display);

// Pixels as 0x00RRGGBB, the form the tests compare.
inline uint32_t Rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
