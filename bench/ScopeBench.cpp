// The scope, each case beside plain work measured in the same run:
// - the reduction of 44100 samples to the minimum and maximum of each of 300 pixel columns, beside
//   a plain QPainter::drawPolyline of the 600 points it gives, into a picture of the demonstration
//   scope's size;
// - one refresh of three channels of 1024 new samples (commit, pixels, reduction, the paint of
//   axes, grid and traces) at the demonstration's 364 × 205 and at 1000 × 600, beside filling the
//   picture and three drawPolyline calls of the very points the scope drew;
// - what the clock thread does for one round of three 1024-sample buffers (the delivery through
//   the pins, under the display's lock all the way), beside taking a plain mutex and copying the
//   samples;
// - a mouse move during a rectangle zoom (the move's handling and the expose that draws the band
//   over the cached picture), beside one drawImage of that picture;
// - one wheel step over the data view with the repaint it asks for, beside a repaint of the same
//   scope without a zoom.
#include "buffers/KvSimpleDataBuffer.h"
#include "display/KvScope.h"
#include "display/KvScopeReduction.h"
#include "pins/KvStreamTypes.h"
#include "pins/LkOperations.h"

#include "HeapCount.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPoint>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
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

constexpr uint32_t BufferSamples = 1024;
constexpr int Channels = 3;

// The three tones of the demonstration, one per channel, `round` buffers into the stream.
std::vector<double> Buffer(int channel, int round) {
  static const double frequencies[] = {520, 10000, 21500}, amplitudes[] = {5000, 2500, 1250};
  std::vector<double> y(BufferSamples);
  for (uint32_t i = 0; i < BufferSamples; ++i)
    y[i] =
        amplitudes[channel] * std::sin(2 * M_PI * frequencies[channel] * (double(round) * BufferSamples + i) / 44100.0);
  return y;
}

class TBenchScope : public TKvScope {
public:
  using TKvScope::TKvScope;
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
using TScopePtr = std::unique_ptr<TBenchScope, TComponentDeleter>;

// The demonstration's scope: three channels, Y from -10000 to 10000, X over one buffer.
TScopePtr Scope(int width, int height) {
  TScopePtr scope(new TBenchScope(nullptr));
  scope->SetBounds(0, 0, width, height);
  scope->Title()->SetVisible(false);
  scope->Legend()->SetVisible(false);
  scope->YAxis()->AutoScaling()->SetEnabled(false);
  scope->YAxis()->Min()->SetValue(-10000);
  scope->YAxis()->Max()->SetValue(10000);
  while (scope->Channels()->Count() < Channels) scope->Channels()->AddChannel();
  return scope;
}

// Two buffers' worth of each channel, so that every refresh brings other samples.
using TRounds = std::vector<std::vector<std::vector<double>>>;
TRounds Rounds() {
  TRounds rounds(2);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < Channels; ++c) rounds[size_t(r)].push_back(Buffer(c, r));
  return rounds;
}

void Store(TKvScope& scope, const std::vector<std::vector<double>>& round) {
  for (int c = 0; c < Channels; ++c) {
    const double* y = round[size_t(c)].data();
    scope.Channels()->Channel(c).Data().StoreUniform(BufferSamples, 0, [y](uint32_t i) { return y[i]; });
  }
  scope.DataArrived();
}

QImage Window(const TKvScope& scope) {
  QImage image(QSize(scope.Width(), scope.Height()) * scope.devicePixelRatioF(), QImage::Format_RGB32);
  image.setDevicePixelRatio(scope.devicePixelRatioF());
  return image;
}

template <int Width, int Height>
void RefreshScope(benchmark::State& state) {
  TScopePtr scope = Scope(Width, Height);
  QImage window = Window(*scope);
  QPainter painter(&window);
  const TRounds rounds = Rounds();
  for (const auto& round : rounds) {
    Store(*scope, round);
    scope->Refresh();
    scope->PaintToDC(painter);
  }
  size_t points = 0;
  for (int c = 0; c < Channels; ++c) points += scope->Channels()->Channel(c).Trace().Points().size();
  const long before = HeapAllocations();
  size_t r = 0;
  for (auto _ : state) {
    Store(*scope, rounds[r ^= 1]);
    scope->Refresh();
    scope->PaintToDC(painter);
    benchmark::DoNotOptimize(window.constBits());
  }
  ReportHeapAllocations(state, before);
  state.counters["points"] = double(points);
}

template <int Width, int Height>
void RefreshReference(benchmark::State& state) {
  TScopePtr scope = Scope(Width, Height);
  QImage window = Window(*scope);
  QPainter painter(&window);
  Store(*scope, Rounds()[0]);
  scope->Refresh();
  scope->PaintToDC(painter);
  // The points the scope drew, drawn again by plain calls.
  std::vector<std::vector<QPoint>> traces;
  for (int c = 0; c < Channels; ++c) traces.push_back(scope->Channels()->Channel(c).Trace().Points());
  // One-pixel lines that leave out their last pixel, as the scope draws them.
  std::vector<QPen> pens;
  for (const QColor colour : {Qt::red, Qt::green, Qt::blue}) {
    pens.emplace_back(colour);
    pens.back().setCosmetic(true);
    pens.back().setCapStyle(Qt::FlatCap);
  }
  for (auto _ : state) {
    painter.fillRect(QRect(0, 0, Width, Height), Qt::black);
    for (int c = 0; c < Channels; ++c) {
      painter.setPen(pens[size_t(c)]);
      painter.drawPolyline(traces[size_t(c)].data(), int(traces[size_t(c)].size()));
    }
    benchmark::DoNotOptimize(window.constBits());
  }
}

void IntakeScope(benchmark::State& state) {
  TScopePtr scope = Scope(364, 205);
  std::unique_ptr<TComponent, TComponentDeleter> owner(new TComponent(nullptr));
  std::vector<TLkPinPtr<TKvLkRealSourcePin>> sources;
  for (int c = 0; c < Channels; ++c) {
    sources.emplace_back(new TKvLkRealSourcePin(owner.get(), nullptr));
    if (!scope->Channels()->Channel(c).InputPin()->Connect(sources.back().get())) state.SkipWithError("no link");
    sources.back()->Notify(*MakeRef<TLkStartSampleRateOperation>(44100.0));
  }
  std::vector<TRef<IKvRealBuffer>> buffers;
  for (int c = 0; c < Channels; ++c) buffers.push_back(MakeRef<TKvRealBuffer>(Buffer(c, 0).data(), BufferSamples));
  for (auto _ : state)
    for (int c = 0; c < Channels; ++c) sources[size_t(c)]->SendBuffer(buffers[size_t(c)]);
}

void IntakeReference(benchmark::State& state) {
  std::mutex lock;
  std::vector<std::vector<double>> pending(Channels, std::vector<double>(BufferSamples));
  std::vector<std::vector<double>> buffers;
  for (int c = 0; c < Channels; ++c) buffers.push_back(Buffer(c, 0));
  for (auto _ : state)
    for (int c = 0; c < Channels; ++c) {
      const std::lock_guard guard(lock);
      std::memcpy(pending[size_t(c)].data(), buffers[size_t(c)].data(), BufferSamples * sizeof(double));
      benchmark::DoNotOptimize(pending[size_t(c)].data());
    }
}

// The demonstration's scope with its traces drawn, ready for the mouse.
TScopePtr DrawnScope(QImage& window) {
  TScopePtr scope = Scope(364, 205);
  window = Window(*scope);
  QPainter painter(&window);
  Store(*scope, Rounds()[0]);
  scope->Refresh();
  scope->PaintToDC(painter);
  return scope;
}

void Send(TKvScope& scope, QEvent::Type type, QPoint at) {
  QMouseEvent event(type, at, at, Qt::LeftButton, type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&scope, &event);
}

void RubberBand(benchmark::State& state) {
  QImage window;
  TScopePtr scope = DrawnScope(window);
  QPainter painter(&window);
  const TKvRect view = scope->DataView()->GetRect();
  const QPoint press(view.Left + 20, view.Top + 20);
  Send(*scope, QEvent::MouseMove, press);
  scope->PaintToDC(painter);
  Send(*scope, QEvent::MouseButtonPress, press);
  int step = 0;
  for (auto _ : state) {
    step = (step + 1) % 64;
    Send(*scope, QEvent::MouseMove, press + QPoint(40 + step, 30 + step));
    scope->PaintToDC(painter);
    benchmark::DoNotOptimize(window.constBits());
  }
  if (!scope->ZoomGesture().Dragging() || scope->BitmapDirty()) state.SkipWithError("the band repainted the picture");
  Send(*scope, QEvent::MouseButtonRelease, press + QPoint(40, 30));
}

void RubberBandReference(benchmark::State& state) {
  QImage window;
  TScopePtr scope = DrawnScope(window);
  const QImage picture = scope->OffscreenImage();
  QPainter painter(&window);
  for (auto _ : state) {
    painter.drawImage(QPoint(0, 0), picture);
    benchmark::DoNotOptimize(window.constBits());
  }
}

void WheelStep(benchmark::State& state) {
  QImage window;
  TScopePtr scope = DrawnScope(window);
  QPainter painter(&window);
  const TKvRect view = scope->DataView()->GetRect();
  const QPointF at(view.Left + view.Width() / 3, view.Top + view.Height() / 3);
  bool up = false;
  for (auto _ : state) {
    // In and out by turns, so the window stays where the user would keep it.
    up = !up;
    QWheelEvent event(at, at, QPoint(), QPoint(0, up ? 120 : -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(scope.get(), &event);
    scope->PaintToDC(painter);
    benchmark::DoNotOptimize(window.constBits());
  }
  if (!scope->IsZoomed()) state.SkipWithError("the wheel did not zoom");
}

void WheelReference(benchmark::State& state) {
  QImage window;
  TScopePtr scope = DrawnScope(window);
  QPainter painter(&window);
  for (auto _ : state) {
    scope->Relayout();
    scope->PaintToDC(painter);
    benchmark::DoNotOptimize(window.constBits());
  }
}

BENCHMARK(RubberBand)->Name("scope rubber band per mouse move at 364x205/display")->Unit(benchmark::kMillisecond);
BENCHMARK(RubberBandReference)
    ->Name("scope rubber band per mouse move at 364x205/drawImage of the cached picture (reference)")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WheelStep)->Name("scope wheel step with its repaint at 364x205/display")->Unit(benchmark::kMillisecond);
BENCHMARK(WheelReference)
    ->Name("scope wheel step with its repaint at 364x205/repaint without zoom (reference)")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshScope<364, 205>)
    ->Name("scope refresh 3x1024 samples at 364x205/display")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshReference<364, 205>)
    ->Name("scope refresh 3x1024 samples at 364x205/fill and drawPolyline of the points it drew (reference)")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshScope<1000, 600>)
    ->Name("scope refresh 3x1024 samples at 1000x600/display")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshReference<1000, 600>)
    ->Name("scope refresh 3x1024 samples at 1000x600/fill and drawPolyline of the points it drew (reference)")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(IntakeScope)->Name("scope intake of 3 buffers of 1024 samples/display")->Unit(benchmark::kMicrosecond);
BENCHMARK(IntakeReference)
    ->Name("scope intake of 3 buffers of 1024 samples/mutex and copy (reference)")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ReduceSamples)->Name("scope reduction 44100 samples on 300 columns/display")->Unit(benchmark::kMillisecond);
BENCHMARK(PolylineReference)
    ->Name("scope reduction 44100 samples on 300 columns/drawPolyline of its 600 points (reference)")
    ->Unit(benchmark::kMillisecond);

}  // namespace
