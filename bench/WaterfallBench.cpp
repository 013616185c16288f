// The waterfall's two paints at 600 × 300 over a 1024-row history of 256 bins, each beside plain
// QImage and QPainter work of the same size measured in the same run: a refresh that takes 10 new
// rows (colour them, scroll the picture, stretch it into the data view, repaint the axes and the
// level scale) beside colouring 10 columns through a palette loop, moving the pixels and one
// stretched drawImage; and a rebuild of the whole picture (the level range changed) beside
// colouring all 1024 columns and the same drawImage. And the same refresh with 1000 markers in ten
// groups whose lines join them, beside that refresh without markers.
#include "buffers/KvSimpleDataBuffer.h"
#include "display/KvWaterfall.h"

#include "HeapCount.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int Width = 600, Height = 300, Rows = 1024, Bins = 256, NewRows = 10;

class TBenchWaterfall : public TKvWaterfall {
public:
  using TKvWaterfall::TKvWaterfall;
  // What the refresh timer does.
  void Refresh() {
    bool redraw = false;
    {
      const TLkLockSection section = DataLock().WriteLock();
      redraw = section && RefreshData();
    }
    if (redraw) Redraw();
  }
};

// Spectra of three tones over a low floor, one per row, made before the measurement.
std::vector<TRef<IKvRealBuffer>> Spectra(int count) {
  std::vector<TRef<IKvRealBuffer>> rows;
  std::vector<double> values(Bins);
  for (int r = 0; r < count; ++r) {
    for (int j = 0; j < Bins; ++j)
      values[size_t(j)] = 20 + 5000 * std::exp(-0.5 * std::pow(j - 12, 2)) +
                          2500 * std::exp(-0.5 * std::pow(j - 58 - 20 * std::sin(r / 50.0), 2)) +
                          1250 * std::exp(-0.5 * std::pow(j - 250, 2));
    rows.push_back(MakeRef<TKvRealBuffer>(values.data(), uint32_t(Bins)));
  }
  return rows;
}

std::unique_ptr<TBenchWaterfall, TComponentDeleter> Waterfall() {
  std::unique_ptr<TBenchWaterfall, TComponentDeleter> waterfall(new TBenchWaterfall(nullptr));
  waterfall->SetBounds(0, 0, Width, Height);
  waterfall->XAxis()->SetSamples(Rows);
  // The level range stays put, so that new rows scroll instead of redrawing everything.
  waterfall->Levels()->Axis()->SetAutoscale(false);
  waterfall->Levels()->Axis()->SetMax(6000);
  // As in the window: the legend, which would list the marker groups, is hidden, so that the
  // picture has the same size with and without markers.
  waterfall->Legend()->SetVisible(false);
  for (const TRef<IKvRealBuffer>& row : Spectra(Rows)) waterfall->AppendRow(row);
  waterfall->Refresh();
  return waterfall;
}

QImage Window(qreal ratio) {
  QImage image(QSize(Width, Height) * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  return image;
}

void RefreshDisplay(benchmark::State& state) {
  auto waterfall = Waterfall();
  QImage window = Window(waterfall->devicePixelRatioF());
  QPainter painter(&window);
  waterfall->PaintToDC(painter);
  const std::vector<TRef<IKvRealBuffer>> rows = Spectra(NewRows);
  const long before = HeapAllocations();
  for (auto _ : state) {
    for (const TRef<IKvRealBuffer>& row : rows) waterfall->AppendRow(row);
    waterfall->Refresh();
    waterfall->PaintToDC(painter);
    benchmark::DoNotOptimize(window.constBits());
  }
  ReportHeapAllocations(state, before);
}

// Ten groups of 100 markers spread over the picture, their lines shown. The groups keep their rows,
// so that every iteration draws all of them: following ones would leave with their rows.
void AddMarkers(TKvBasicWaterfall& waterfall) {
  for (int g = 0; g < 10; ++g) {
    TKvWaterfallMarkerGroup& group = waterfall.MarkerGroups()->AddGroup();
    group.SetMode(TKvWaterfallMarkerMode::mmAbsolute);
    group.Line()->SetVisible(true);
    for (int m = 0; m < 100; ++m) group.Markers()->AddMarker(m * 10 + g, 20 + 20 * g + (m % 7) * 3);
  }
}

void RefreshWithMarkers(benchmark::State& state, bool markers) {
  auto waterfall = Waterfall();
  if (markers) AddMarkers(*waterfall);
  QImage window = Window(waterfall->devicePixelRatioF());
  QPainter painter(&window);
  waterfall->PaintToDC(painter);
  const std::vector<TRef<IKvRealBuffer>> rows = Spectra(NewRows);
  for (auto _ : state) {
    for (const TRef<IKvRealBuffer>& row : rows) waterfall->AppendRow(row);
    waterfall->Refresh();
    waterfall->PaintToDC(painter);
    benchmark::DoNotOptimize(window.constBits());
  }
}

void RebuildDisplay(benchmark::State& state) {
  auto waterfall = Waterfall();
  QImage window = Window(waterfall->devicePixelRatioF());
  QPainter painter(&window);
  waterfall->PaintToDC(painter);
  int max = 6000;
  for (auto _ : state) {
    // Another level range: every row is coloured again.
    waterfall->Levels()->Axis()->SetMax(max ^= 1);
    waterfall->PaintToDC(painter);
    benchmark::DoNotOptimize(window.constBits());
  }
}

// The plain work: a palette of 1409 colours, values coloured column by column into a picture of
// 1024 × 256, and the picture stretched into the window's data area.
struct TPlainPicture {
  TPlainPicture() : Picture(Rows, Bins, QImage::Format_RGB32), Window(::Window(1)), Painter(&Window) {
    for (int c = 0; c <= 1408; ++c) Palette.push_back(qRgb(c % 256, (c / 2) % 256, 255 - c % 256));
    Picture.fill(Qt::black);
    Painter.setRenderHint(QPainter::SmoothPixmapTransform);
  }
  void Colour(const std::vector<TRef<IKvRealBuffer>>& rows, int firstColumn) {
    const qsizetype line = Picture.bytesPerLine() / 4;
    auto* bottom = reinterpret_cast<QRgb*>(Picture.bits()) + (Bins - 1) * line;
    for (size_t r = 0; r < rows.size(); ++r) {
      const double* values = rows[r]->ReadData();
      QRgb* pixel = bottom + firstColumn + qsizetype(r);
      for (int j = 0; j < Bins; ++j, pixel -= line)
        *pixel = Palette[size_t(std::clamp(std::nearbyint(values[j] / 6000 * 1408), 0.0, 1408.0))];
    }
  }
  void Stretch() { Painter.drawImage(QRectF(40, 30, 500, 240), Picture, QRectF(0, 0, Rows, Bins)); }

  std::vector<QRgb> Palette;
  QImage Picture;
  QImage Window;
  QPainter Painter;
};

void RefreshReference(benchmark::State& state) {
  TPlainPicture plain;
  const std::vector<TRef<IKvRealBuffer>> rows = Spectra(NewRows);
  for (auto _ : state) {
    std::memmove(plain.Picture.bits(), plain.Picture.bits() + NewRows * 4,
                 size_t(plain.Picture.sizeInBytes()) - NewRows * 4);
    plain.Colour(rows, Rows - NewRows);
    plain.Stretch();
    benchmark::DoNotOptimize(plain.Window.constBits());
  }
}

void RebuildReference(benchmark::State& state) {
  TPlainPicture plain;
  const std::vector<TRef<IKvRealBuffer>> rows = Spectra(Rows);
  for (auto _ : state) {
    plain.Colour(rows, 0);
    plain.Stretch();
    benchmark::DoNotOptimize(plain.Window.constBits());
  }
}

BENCHMARK(RefreshDisplay)->Name("waterfall refresh 10 rows 600x300/display")->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshReference)
    ->Name("waterfall refresh 10 rows 600x300/QImage and QPainter (reference)")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RebuildDisplay)->Name("waterfall rebuild 1024 rows 600x300/display")->Unit(benchmark::kMillisecond);
BENCHMARK(RebuildReference)
    ->Name("waterfall rebuild 1024 rows 600x300/QImage and QPainter (reference)")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RefreshWithMarkers, markers, true)
    ->Name("waterfall refresh 10 rows 1000 markers 600x300/display")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RefreshWithMarkers, none, false)
    ->Name("waterfall refresh 10 rows 1000 markers 600x300/no markers (reference)")
    ->Unit(benchmark::kMillisecond);

}  // namespace
