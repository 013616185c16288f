// The window's chain under a storm of what a user and a program do while its clock runs: Start and
// Stop, the wave shape, a track bar, the waterfall's link dropped and made again, and the third
// generator destroyed and made anew while the clock thread sends to it. Meant for
// ThreadSanitizer; NOTECHANNELS_STORM_CYCLES sets the number of cycles (50 when not set).
#include "RunningChainKit.h"
#include "components/KvClockGen.h"

#include <QRadioButton>

#include <algorithm>
#include <cstdlib>

namespace {

int StormCycles() {
  const char* cycles = std::getenv("NOTECHANNELS_STORM_CYCLES");
  return cycles ? std::max(1, std::atoi(cycles)) : 50;
}

class ChainStorm : public RunningChain {
protected:
  void SetUp() override { ShowCounting(); }
  // Waits until the clock has produced another buffer.
  void AwaitBuffer() {
    const uint64_t before = Produced.load();
    ASSERT_TRUE(WaitUntil([&] { return Produced.load() > before; })) << "the clock produces nothing";
  }
  // The third signal generator goes, and one made in code as the layout makes it takes its place
  // and its links; it starts when the chain runs.
  void RemakeThirdGenerator(bool running) {
    TForm1& f = *Form;
    const double frequency = f.DnSignalGen3->Frequency();
    const int32_t amplitude = f.DnSignalGen3->Amplitude();
    const TDnSignalType type = f.DnSignalGen3->SignalType();
    TComponent::Free(f.DnSignalGen3);
    auto* generator = new TDnSignalGen(&f);
    // Made enabled but idle: disabled first, so that Start starts it.
    generator->Stop();
    generator->SetName("DnSignalGen3");
    generator->SetClockSource(csExternal);
    generator->AudioFormat()->SetChannels(1);
    generator->AudioFormat()->SetSampleRate(44100);
    generator->SetFrequency(frequency);
    generator->SetAmplitude(amplitude);
    generator->SetSignalType(type);
    f.DnSignalGen3 = generator;
    ASSERT_TRUE(generator->ClockPin()->Connect(f.DnGenericGen1->OutputPin()));
    ASSERT_TRUE(f.DnAudioToReal3->InputPin()->Connect(generator->OutputPin()));
    if (running) generator->Start();
  }
  void RelinkWaterfall() {
    TLkBasicPin* const input = Form->KvWaterfall1->InputPin();
    ASSERT_TRUE(input->Connect(nullptr));
    ASSERT_TRUE(input->Connect(Form->DnSpectrum1->OutputPins()->GetPin(0)));
  }
};

TEST_F(ChainStorm, StartStopShapesRelinksAndANewGeneratorWhileTheClockRunsLeaveAWholeChain) {
  QRadioButton* const shapes[] = {Form->RadioButton1, Form->RadioButton2, Form->RadioButton3};
  const int cycles = StormCycles();
  for (int cycle = 0; cycle < cycles; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    if (cycle > 0) Click(*Form->StartButton);
    AwaitBuffer();
    QTest::mouseClick(shapes[cycle % 3], Qt::LeftButton);
    Form->TrackBar5->SetPosition(100 + cycle % 2000);
    RelinkWaterfall();
    RemakeThirdGenerator(true);
    AwaitBuffer();
    Click(*Form->StopButton);
    ASSERT_EQ(TKvClockGen::LiveThreads(), 0) << "a clock thread outlived Stop";
    ASSERT_FALSE(HasFailure());
  }

  // Whole again: with the test as the clock, every buffer reaches both displays, the third
  // channel from the generator made last.
  QTest::mouseClick(Form->RadioButton1, Qt::LeftButton);
  Form->TrackBar5->SetPosition(2150);
  Form->DnGenericGen1->SetClockSource(csExternal);
  Click(*Form->StartButton);
  const uint64_t produced = Produced.load();
  uint64_t scope[3];
  for (int channel = 0; channel < 3; ++channel) scope[channel] = ReachedScope(channel);
  const int buffers = 20;
  for (int i = 0; i < buffers; ++i) Form->DnGenericGen1->PumpBuffer();
  EXPECT_EQ(Produced.load() - produced, uint64_t(buffers));
  // A start empties the waterfall.
  EXPECT_EQ(ReachedWaterfall(), uint64_t(buffers));
  for (int channel = 0; channel < 3; ++channel)
    EXPECT_EQ(ReachedScope(channel) - scope[channel], uint64_t(buffers)) << channel;
  QTest::qWait(3 * int(Form->KvScope3->RefreshInterval()));
  const std::vector<double>& third = Form->KvScope3->Channels()->Channel(2).Data().Y();
  ASSERT_EQ(third.size(), 1024u);
  EXPECT_NEAR(*std::max_element(third.begin(), third.end()), 1250, 1250 * 0.05);
}

}  // namespace
