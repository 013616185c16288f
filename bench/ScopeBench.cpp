// The scope's reduction of 44100 samples to the minimum and maximum of each of 300 pixel columns,
// beside a plain QPainter::drawPolyline of the 600 points it gives, into a picture of the
// demonstration scope's size, measured in the same run.
#include "display/KvScopeReduction.h"

#include <QImage>
#include <QPainter>
#include <QPoint>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr uint32_t Samples = 44100, Columns = 300;

// A second of the demonstration's three tones, summed.
std::vector<double> Tones() {
  std::vector<double> y(Samples);
  for (uint32_t i = 0; i < Samples; ++i)
    y[i] = 5000 * std::sin(2 * M_PI * 520 * i / 44100.0) + 2500 * std::sin(2 * M_PI * 10000 * i / 44100.0) +
           1250 * std::sin(2 * M_PI * 21500 * i / 44100.0);
  return y;
}

void ReduceSamples(benchmark::State& state) {
  const std::vector<double> y = Tones();
  std::vector<double> out;
  for (auto _ : state) {
    ReduceMinMax(y.data(), Samples, Columns, out);
    benchmark::DoNotOptimize(out.data());
  }
}

void PolylineReference(benchmark::State& state) {
  const std::vector<double> y = Tones();
  std::vector<double> reduced;
  ReduceMinMax(y.data(), Samples, Columns, reduced);
  std::vector<QPoint> points(reduced.size());
  for (size_t i = 0; i < points.size(); ++i) points[i] = QPoint(int(i / 2), 102 - int(reduced[i] / 100));
  QImage image(364, 205, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setPen(Qt::red);
  for (auto _ : state) painter.drawPolyline(points.data(), int(points.size()));
}

BENCHMARK(ReduceSamples)->Name("scope reduction 44100 samples on 300 columns/display")->Unit(benchmark::kMillisecond);
BENCHMARK(PolylineReference)
    ->Name("scope reduction 44100 samples on 300 columns/drawPolyline of its 600 points (reference)")
    ->Unit(benchmark::kMillisecond);

}  // namespace
