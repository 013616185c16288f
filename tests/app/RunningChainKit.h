#pragma once

// The window's chain as the user runs it, on its own clock thread, with what the clock produced
// and what reached each display counted.
#include "../components/ComponentTestKit.h"
#include "Form1TestKit.h"

#include <QPushButton>

#include <atomic>
#include <cstdint>

class RunningChain : public Form1 {
protected:
  // Creates the window, counts every buffer the clock produces and shows the window, which starts
  // the chain.
  void ShowCounting() {
    Create(TCaptureOutcome::Refused, false);
    ASSERT_FALSE(HasFatalFailure());
    // Set before the chain runs; counted on the clock thread before the buffer is sent.
    Form->DnGenericGen1->OnGenerate = [this](TObject*, TRef<IDnAudioBuffer>&, bool&, bool&) { ++Produced; };
    Form->Show();
  }
  void TearDown() override {
    // Whatever failed, the clock stops before the window goes.
    if (Form) Form->StopButtonClick(nullptr);
    Form1::TearDown();
  }
  static void Click(QPushButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }
  // Two spectra per buffer reach the waterfall.
  uint64_t ReachedWaterfall() const {
    return (Form->KvWaterfall1->RowsRemoved() + uint64_t(Form->KvWaterfall1->RowCount())) / 2;
  }
  uint64_t ReachedScope(int channel) const { return Form->KvScope3->Channels()->Channel(channel).StoredBuffers(); }
  // Every buffer produced reached both displays: read once the clock has stopped or is idle.
  void ExpectNoneLost(uint64_t produced) {
    EXPECT_EQ(Produced.load(), produced);
    EXPECT_EQ(ReachedWaterfall(), produced);
    for (int channel = 0; channel < 3; ++channel) EXPECT_EQ(ReachedScope(channel), produced) << "scope " << channel;
  }

  std::atomic<uint64_t> Produced{0};
};
