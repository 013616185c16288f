// The window's demonstration chain: built and linked from the layout, started when the window is
// shown and stopped when it closes, driven buffer by buffer into the scope and the waterfall, and
// its track bars, wave-shape buttons and Start and Stop.
#include "Form1TestKit.h"

#include <QImage>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <functional>
#include <string>

namespace {

constexpr double SampleRate = 44100;
constexpr int Bins = 256;  // of a 512-sample window
constexpr double BinWidth = SampleRate / 512;

class ChainWindow : public Form1 {
protected:
  void SetUp() override {
    Create(TCaptureOutcome::Refused);
    ASSERT_FALSE(HasFatalFailure());
    // From here on the test is the clock: the generic generator pumps only when told to.
    Click(*Form->StopButton);
    Form->DnGenericGen1->SetClockSource(csExternal);
    Click(*Form->StartButton);
  }
  static void Click(QPushButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }
  // `count` buffers of the generic generator through the whole chain, then refreshes of both
  // displays.
  void Pump(int count) {
    for (int i = 0; i < count; ++i) Form->DnGenericGen1->PumpBuffer();
    LetDisplaysRefresh();
  }
  void LetDisplaysRefresh() {
    // Three refresh periods of the displays' timers on the window thread.
    QTest::qWait(3 * int(Form->KvScope3->RefreshInterval()));
  }
  const TKvScopeChannelData& Trace(int channel) { return Form->KvScope3->Channels()->Channel(channel).Data(); }
  TKvWaterfall& Waterfall() { return *Form->KvWaterfall1; }
  // The data view of the waterfall in its own coordinates.
  TKvRect SpectrumView() { return Waterfall().DataView()->GetRect(); }
  // The rightmost column of the data view that shows a spectrum: the newest one's.
  int NewestColumn() {
    const TKvRect view = SpectrumView();
    const int y = view.Bottom - 1;
    int x = view.Right - 1;
    while (x > view.Left && Waterfall().ValueAt(x, y) == TKvBasicWaterfall::NoValue) --x;
    return x;
  }
  // The frequencies of the strongest lines in the newest spectrum, read under the pixels of its
  // column from the bottom (bin 0) up, strongest first.
  std::vector<double> Lines(size_t count) {
    const TKvRect view = SpectrumView();
    const int x = NewestColumn();
    std::vector<std::pair<double, int>> peaks;
    for (int y = view.Top + 1; y < view.Bottom - 1; ++y) {
      const double here = Waterfall().ValueAt(x, y);
      if (here > Waterfall().ValueAt(x, y - 1) && here >= Waterfall().ValueAt(x, y + 1)) peaks.emplace_back(here, y);
    }
    std::sort(peaks.rbegin(), peaks.rend());
    std::vector<double> lines;
    for (size_t i = 0; i < std::min(count, peaks.size()); ++i) {
      const double bin = (view.Bottom - peaks[i].second - 0.5) * Bins / view.Height();
      lines.push_back(bin * BinWidth);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  }
  // Within the pixel's share of bins, and a bin either side of it.
  double Tolerance() { return (double(Bins) / SpectrumView().Height() + 1) * BinWidth; }
};

// The window as the user starts it: the chain on its own clock thread, the displays refreshed on
// the window thread.
class RunningWindow : public Form1 {};

TEST_F(RunningWindow, OnItsOwnClockEveryBufferReachesTheWaterfall) {
  Create(TCaptureOutcome::Refused, false);
  std::atomic<uint64_t> produced{0};
  // Set before the chain runs; counted on the clock thread.
  Form->DnGenericGen1->OnGenerate = [&produced](TObject*, TRef<IDnAudioBuffer>&, bool&, bool&) { ++produced; };
  Form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
  while (Form->KvWaterfall1->RowCount() < 40) QTest::qWait(50);
  // Stop returns once the clock thread has ended, so nothing is on its way any more.
  QTest::mouseClick(Form->StopButton, Qt::LeftButton);
  EXPECT_FALSE(Form->DnGenericGen1->Enabled());
  EXPECT_GE(produced.load(), 20u);
  EXPECT_EQ(uint64_t(Form->KvWaterfall1->RowCount()) + Form->KvWaterfall1->RowsRemoved(), 2 * produced.load());
  QTest::qWait(3 * int(Form->KvScope3->RefreshInterval()));
  for (int channel = 0; channel < 3; ++channel)
    EXPECT_EQ(Form->KvScope3->Channels()->Channel(channel).Data().Count(), 1024u) << channel;
}

TEST_F(ChainWindow, TheLayoutBuildsTheChainWithItsSettingsAndLinks) {
  TForm1& f = *Form;
  struct TGenerator {
    TDnSignalGen* Generator;
    double Frequency;
    int32_t Amplitude;
  };
  for (const TGenerator& g : {TGenerator{f.DnSignalGen1, 520, 5000}, TGenerator{f.DnSignalGen2, 10000, 2500},
                              TGenerator{f.DnSignalGen3, 21500, 1250}}) {
    EXPECT_EQ(g.Generator->Frequency(), g.Frequency);
    EXPECT_EQ(g.Generator->Amplitude(), g.Amplitude);
    EXPECT_EQ(g.Generator->ClockSource(), csExternal);
    EXPECT_EQ(g.Generator->SignalType(), atTone);
    EXPECT_EQ(g.Generator->AudioFormat()->Channels(), 1u);
    EXPECT_EQ(g.Generator->AudioFormat()->SampleRate(), 44100u);
    EXPECT_EQ(g.Generator->AudioFormat()->BufferSize(), 1024u);
  }
  EXPECT_EQ(f.DnGenericGen1->AudioFormat()->SampleRate(), 44100u);
  EXPECT_EQ(f.KvAdd1->InputPins()->GetCount(), 3);
  EXPECT_EQ(f.DnSpectrum1->Order(), 9);
  EXPECT_EQ(f.KvScope3->InputPins()->GetCount(), 3);
  EXPECT_EQ(f.KvWaterfall1->XAxis()->Samples(), 1024);

  struct TLink {
    TLkBasicPin* Source;
    TLkBasicPin* Sink;
  };
  const std::vector<TLink> links = {
      {f.DnGenericGen1->OutputPin(), f.DnSignalGen1->ClockPin()},
      {f.DnGenericGen1->OutputPin(), f.DnSignalGen2->ClockPin()},
      {f.DnGenericGen1->OutputPin(), f.DnSignalGen3->ClockPin()},
      {f.DnSignalGen1->OutputPin(), f.DnAudioToReal1->InputPin()},
      {f.DnSignalGen2->OutputPin(), f.DnAudioToReal2->InputPin()},
      {f.DnSignalGen3->OutputPin(), f.DnAudioToReal3->InputPin()},
      {f.DnAudioToReal1->OutputPins()->GetPin(0), f.KvAdd1->InputPins()->GetPin(0)},
      {f.DnAudioToReal2->OutputPins()->GetPin(0), f.KvAdd1->InputPins()->GetPin(1)},
      {f.DnAudioToReal3->OutputPins()->GetPin(0), f.KvAdd1->InputPins()->GetPin(2)},
      {f.DnAudioToReal1->OutputPins()->GetPin(0), f.KvScope3->InputPins()->GetPin(0)},
      {f.DnAudioToReal2->OutputPins()->GetPin(0), f.KvScope3->InputPins()->GetPin(1)},
      {f.DnAudioToReal3->OutputPins()->GetPin(0), f.KvScope3->InputPins()->GetPin(2)},
      {f.KvAdd1->OutputPin(), f.DnRealToAudio1->InputPins()->GetPin(0)},
      {f.DnRealToAudio1->OutputPin(), f.DnSpectrum1->InputPin()},
      {f.DnSpectrum1->OutputPins()->GetPin(0), f.KvWaterfall1->InputPin()},
  };
  for (size_t i = 0; i < links.size(); ++i) EXPECT_TRUE(links[i].Sink->IsLinkedTo(links[i].Source)) << "link " << i;
  // Each channel of the scope is fed by the pin of its own index.
  for (int channel = 0; channel < 3; ++channel)
    EXPECT_EQ(f.KvScope3->Channels()->Channel(channel).Name(),
              (std::array<std::string, 3>{"Signal", "Channel1", "Channel2"}[size_t(channel)]));
}

TEST_F(ChainWindow, ShowingStartsTheChainAndClosingStopsIt) {
  // SetUp clicked Stop and Start again; the window itself is what starts and stops here.
  Form->close();
  for (TDnCommonGen* generator : std::initializer_list<TDnCommonGen*>{Form->DnGenericGen1, Form->DnSignalGen1,
                                                                      Form->DnSignalGen2, Form->DnSignalGen3})
    EXPECT_FALSE(generator->Enabled());
  EXPECT_TRUE(Form->StartButton->isEnabled());
  EXPECT_FALSE(Form->StopButton->isEnabled());
  Form->Show();
  for (TDnCommonGen* generator : std::initializer_list<TDnCommonGen*>{Form->DnGenericGen1, Form->DnSignalGen1,
                                                                      Form->DnSignalGen2, Form->DnSignalGen3})
    EXPECT_TRUE(generator->Enabled());
  EXPECT_FALSE(Form->StartButton->isEnabled());
  EXPECT_TRUE(Form->StopButton->isEnabled());
}

TEST_F(ChainWindow, ThreeTracesInTheScopeAndTheThreeLinesInTheWaterfall) {
  const int buffers = 200;  // 4.6 s of chain time
  Pump(buffers);
  // Every buffer reached the waterfall as two spectra; none was lost on the way.
  EXPECT_EQ(Waterfall().RowCount(), 2 * buffers);
  EXPECT_EQ(Waterfall().RowsRemoved(), 0u);
  EXPECT_TRUE(Waterfall().IsSpectrum());

  const int32_t amplitudes[] = {5000, 2500, 1250};
  for (int channel = 0; channel < 3; ++channel) {
    const std::vector<double>& y = Trace(channel).Y();
    ASSERT_EQ(y.size(), 1024u) << channel;
    const auto [low, high] = std::minmax_element(y.begin(), y.end());
    EXPECT_NEAR(*high, amplitudes[channel], amplitudes[channel] * 0.05) << channel;
    EXPECT_NEAR(*low, -amplitudes[channel], amplitudes[channel] * 0.05) << channel;
  }
  // Each trace shows in its own colour.
  const QImage scope = Form->KvScope3->grab().toImage();
  for (const QColor colour : {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)}) {
    int pixels = 0;
    for (int y = 0; y < scope.height(); ++y)
      for (int x = 0; x < scope.width(); ++x) pixels += scope.pixelColor(x, y) == colour;
    EXPECT_GT(pixels, 100) << colour.name().toStdString();
  }

  const std::vector<double> lines = Lines(3);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NEAR(lines[0], 520, Tolerance());
  EXPECT_NEAR(lines[1], 10000, Tolerance());
  EXPECT_NEAR(lines[2], 21500, Tolerance());
  // The lines are painted: their pixels differ from the floor between them.
  const QImage picture = Waterfall().grab().toImage();
  const TKvRect view = SpectrumView();
  const int x = NewestColumn();
  const auto rowOf = [&](double frequency) {
    return view.Bottom - 1 - int(frequency / BinWidth * view.Height() / Bins);
  };
  const QColor floor = picture.pixelColor(x, rowOf(5000));
  for (double frequency : {520.0, 10000.0, 21500.0}) {
    bool lit = false;
    for (int dy = -1; dy <= 1; ++dy) lit |= picture.pixelColor(x, rowOf(frequency) + dy) != floor;
    EXPECT_TRUE(lit) << frequency;
  }
}

TEST_F(ChainWindow, TrackBarsSetTheirGeneratorAndEditBox) {
  struct TCase {
    TTrackBar* Bar;
    int Position;
    std::function<double()> Value;
    TEdit* Edit;
  };
  TForm1& f = *Form;
  const TCase cases[] = {
      {f.TrackBar1, 200, [&] { return f.DnSignalGen1->Frequency(); }, f.Edit1},
      {f.TrackBar2, 300, [&] { return double(f.DnSignalGen1->Amplitude()); }, f.Edit2},
      {f.TrackBar3, 1500, [&] { return f.DnSignalGen2->Frequency(); }, f.Edit3},
      {f.TrackBar4, 100, [&] { return double(f.DnSignalGen2->Amplitude()); }, f.Edit4},
      {f.TrackBar5, 2205, [&] { return f.DnSignalGen3->Frequency(); }, f.Edit5},
      {f.TrackBar6, 10, [&] { return double(f.DnSignalGen3->Amplitude()); }, f.Edit6},
  };
  for (const TCase& c : cases) {
    c.Bar->SetPosition(c.Position);
    EXPECT_EQ(c.Value(), c.Position * 10) << c.Bar->Name();
    EXPECT_EQ(c.Edit->text().toStdString(), std::to_string(c.Position * 10)) << c.Bar->Name();
  }
  // A key on the bar, as the user moves it.
  f.TrackBar1->setFocus();
  QTest::keyClick(f.TrackBar1, Qt::Key_Down);
  EXPECT_EQ(f.TrackBar1->Position(), 201);
  EXPECT_EQ(f.DnSignalGen1->Frequency(), 2010);
  EXPECT_EQ(f.Edit1->text(), "2010");
}

TEST_F(ChainWindow, MovingATrackBarMovesItsLine) {
  Pump(4);
  EXPECT_NEAR(Lines(3)[0], 520, Tolerance());
  Form->TrackBar1->SetPosition(300);  // 3000 Hz
  Pump(4);
  const std::vector<double> lines = Lines(3);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NEAR(lines[0], 3000, Tolerance());
  EXPECT_NEAR(lines[1], 10000, Tolerance());
}

TEST_F(ChainWindow, SquareSwitchesAllThreeGeneratorsBetweenTwoBuffers) {
  // The share of a trace's samples at the full amplitude: small for a tone, nearly all for a square.
  const auto atFull = [&](int channel, double amplitude) {
    const std::vector<double>& y = Trace(channel).Y();
    return double(std::count_if(y.begin(), y.end(), [&](double v) { return std::abs(v) == amplitude; })) /
           double(y.size());
  };
  const double amplitudes[] = {5000, 2500, 1250};
  Pump(2);
  for (int channel = 0; channel < 3; ++channel) EXPECT_LT(atFull(channel, amplitudes[channel]), 0.2) << channel;
  QTest::mouseClick(Form->RadioButton3, Qt::LeftButton);
  for (TDnSignalGen* generator : {Form->DnSignalGen1, Form->DnSignalGen2, Form->DnSignalGen3})
    EXPECT_EQ(generator->SignalType(), atSquare);
  Pump(1);
  for (int channel = 0; channel < 3; ++channel) EXPECT_GT(atFull(channel, amplitudes[channel]), 0.9) << channel;
  QTest::mouseClick(Form->RadioButton2, Qt::LeftButton);
  for (TDnSignalGen* generator : {Form->DnSignalGen1, Form->DnSignalGen2, Form->DnSignalGen3})
    EXPECT_EQ(generator->SignalType(), atTriangle);
}

TEST_F(ChainWindow, StopFreezesBothDisplaysAndStartResumes) {
  Pump(10);
  ASSERT_EQ(Waterfall().RowCount(), 20);
  Click(*Form->StopButton);
  EXPECT_TRUE(Form->StartButton->isEnabled());
  EXPECT_FALSE(Form->StopButton->isEnabled());
  const uint64_t traceGeneration = Trace(0).Generation();
  const int rows = Waterfall().RowCount();
  const QImage scope = Form->KvScope3->grab().toImage();
  const QImage waterfall = Waterfall().grab().toImage();
  // Ticks of a stopped generator produce nothing.
  Pump(10);
  EXPECT_EQ(Trace(0).Generation(), traceGeneration);
  EXPECT_EQ(Waterfall().RowCount(), rows);
  EXPECT_EQ(Form->KvScope3->grab().toImage(), scope);
  EXPECT_EQ(Waterfall().grab().toImage(), waterfall);

  Click(*Form->StartButton);
  EXPECT_FALSE(Form->StartButton->isEnabled());
  // A start empties the waterfall; the spectra of 15 buffers show where those of 10 did.
  Pump(15);
  EXPECT_EQ(Waterfall().RowCount(), 30);
  EXPECT_NE(Trace(0).Generation(), traceGeneration);
  EXPECT_NE(Waterfall().grab().toImage(), waterfall);
}

}  // namespace
