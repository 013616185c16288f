// A display's two paints, each beside a reference measured in the same run: a full repaint of a
// 450 × 280 chart with title, both axes, their captions and the grid (layout, ticks, labels and
// all) beside the same lines and texts drawn by plain QPainter calls at fixed places; and a plain
// expose, which copies the offscreen picture, beside one drawImage of an image of that size.
// Run with QT_SCALE_FACTOR=2 to measure a display at a device pixel ratio of 2.
#include "display/KvDataChart.h"
#include "platform/Fonts.h"

#include "RatioReporter.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Width = 450, Height = 280;

std::unique_ptr<TKvDataChart, TComponentDeleter> Chart() {
  std::unique_ptr<TKvDataChart, TComponentDeleter> chart(new TKvDataChart(nullptr));
  chart->SetBounds(0, 0, Width, Height);
  chart->XAxis()->AxisLabel()->SetVisible(true);
  chart->YAxis()->AxisLabel()->SetVisible(true);
  return chart;
}

// Where the display's picture is copied to: an image of the window's size and pixel ratio.
QImage Window(qreal ratio) {
  QImage image(QSize(Width, Height) * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  return image;
}

void RepaintDisplay(benchmark::State& state) {
  auto chart = Chart();
  QImage window = Window(chart->devicePixelRatioF());
  QPainter painter(&window);
  for (auto _ : state) {
    chart->Relayout();
    chart->PaintToDC(painter);
    benchmark::DoNotOptimize(window.constBits());
  }
}

// The lines and texts of the same picture, with the display's fonts, at fixed places.
void RepaintReference(benchmark::State& state) {
  QImage window = Window(qApp->devicePixelRatio());
  QPainter painter(&window);
  QFont title = LayoutFont("Arial", -21), labels = LayoutFont("Arial", -11), caption = LayoutFont("Arial", -13);
  title.setBold(true);
  caption.setBold(true);
  const QColor green(0, 128, 0);
  for (auto _ : state) {
    painter.fillRect(0, 0, Width, Height, Qt::black);
    painter.setPen(Qt::white);
    painter.setFont(title);
    painter.drawText(QPointF(190, 24), "Scope");
    painter.setFont(labels);
    for (int i = 0; i < 9; ++i) {
      painter.fillRect(60, 60 + i * 22, 380, 1, i == 4 ? Qt::white : green);
      painter.fillRect(50, 60 + i * 22, 6, 1, Qt::white);
      painter.drawText(QPointF(20, 64 + i * 22), QString::number(1000 - i * 250));
    }
    for (int i = 0; i < 11; ++i) {
      painter.fillRect(60 + i * 36, 40, 1, 200, green);
      painter.fillRect(60 + i * 36, 243, 1, 7, Qt::white);
      painter.drawText(QPointF(52 + i * 36, 262), QString::number(i * 100));
    }
    painter.fillRect(57, 40, 1, 200, Qt::white);
    painter.fillRect(60, 243, 380, 1, Qt::white);
    painter.setPen(green);
    painter.drawRect(60, 40, 379, 199);
    painter.setPen(Qt::white);
    painter.setFont(caption);
    painter.drawText(QPointF(230, 276), "Samples");
    painter.save();
    painter.translate(4, 170);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 12), "Y Axis");
    painter.restore();
    benchmark::DoNotOptimize(window.constBits());
  }
}

void ExposeDisplay(benchmark::State& state) {
  auto chart = Chart();
  QImage window = Window(chart->devicePixelRatioF());
  QPainter painter(&window);
  chart->PaintToDC(painter);
  for (auto _ : state) {
    chart->PaintToDC(painter);
    benchmark::DoNotOptimize(window.constBits());
  }
}

void ExposeReference(benchmark::State& state) {
  const qreal ratio = qApp->devicePixelRatio();
  QImage window = Window(ratio), picture = Window(ratio);
  picture.fill(Qt::black);
  QPainter painter(&window);
  for (auto _ : state) {
    painter.drawImage(QPoint(0, 0), picture);
    benchmark::DoNotOptimize(window.constBits());
  }
}

BENCHMARK(RepaintDisplay)->Name("repaint 450x280/display")->Unit(benchmark::kMillisecond);
BENCHMARK(RepaintReference)->Name("repaint 450x280/QPainter calls (reference)")->Unit(benchmark::kMillisecond);
BENCHMARK(ExposeDisplay)->Name("expose 450x280/display")->Unit(benchmark::kMillisecond);
BENCHMARK(ExposeReference)->Name("expose 450x280/drawImage (reference)")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return RunBenchmarks(argc, argv);
}
