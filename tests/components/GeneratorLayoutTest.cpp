#include "ComponentTestKit.h"

#include "components/ComponentClasses.h"
#include "components/KvClockGen.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"
#include "platform/Published.h"

#include <gtest/gtest.h>

namespace {

// A window in small: it writes the components it owns and offers a method for OnGenerate.
class TGeneratorRoot : public TComponent {
public:
  PUBLISHED_CLASS_INFO
  explicit TGeneratorRoot(TComponent* owner = nullptr) : TComponent(owner) {}
  void GetChildren(const std::function<void(TComponent*)>& visit, TComponent*) const override {
    for (int i = 0; i < ComponentCount(); ++i) visit(Components(i));
  }
  void FillWithOnes(TObject*, TRef<IDnAudioBuffer>& buffer, bool&, bool&) { buffer->Fill(1); }
};

const TClassInfo& TGeneratorRoot::StaticClassInfo() {
  return DefineClass<TGeneratorRoot, TComponent>("TGeneratorRoot", [](TPublished<TGeneratorRoot>& p) {
    p.Method<TDnAudioBufferGenEvent>("FillWithOnes", &TGeneratorRoot::FillWithOnes);
  });
}

using TRoot = TOwned<TGeneratorRoot>;

TRoot Read(const std::string& text) {
  RegisterComponentClasses();
  RegisterClasses<TGeneratorRoot>();
  TRoot root(new TGeneratorRoot);
  TLayoutReader::ReadRoot(*root, text);
  return root;
}

// A clock generator driving a signal generator, both stored disabled, as the window stores them.
const std::string Chain = R"(object Form1: TGeneratorRoot
  object DnGenericGen1: TDnGenericGen
    OutputPin.Form = Form1
    OutputPin.SinkPins = (
      Form1.DnSignalGen1.ClockPin)
    Enabled = False
    PumpPriority = 3
    ClockSource = csInternal
    AudioFormat.Channels = 1
    AudioFormat.SampleRate = 44100
    OnGenerate = FillWithOnes
  end
  object DnSignalGen1: TDnSignalGen
    ClockPin.Form = Form1
    ClockPin.SourcePin = Form1.DnGenericGen1.OutputPin
    Enabled = False
    PumpPriority = 0
    ClockSource = csExternal
    SignalType = atSquare
    Phase = 0.5
    Amplitude = 5000
    Frequency = 520
    Asymmetry = 0
  end
end
)";

std::string Without(std::string text, const std::string& line) {
  for (size_t at; (at = text.find(line)) != std::string::npos;) text.erase(at, line.size());
  return text;
}

TEST(GeneratorLayout, StoresTheSettingsAndTheLinks) {
  TRoot root = Read(Chain);
  auto& clock = dynamic_cast<TDnGenericGen&>(*root->FindComponent("DnGenericGen1"));
  auto& signal = dynamic_cast<TDnSignalGen&>(*root->FindComponent("DnSignalGen1"));
  EXPECT_FALSE(clock.Enabled());
  EXPECT_EQ(clock.PumpPriority(), 3);
  EXPECT_EQ(clock.AudioFormat()->SampleRate(), 44100u);
  EXPECT_EQ(signal.ClockSource(), csExternal);
  EXPECT_EQ(signal.SignalType(), atSquare);
  EXPECT_EQ(signal.Phase(), 0.5f);
  EXPECT_EQ(signal.Amplitude(), 5000);
  EXPECT_EQ(signal.Frequency(), 520);
  EXPECT_TRUE(clock.OutputPin()->IsLinkedTo(signal.ClockPin()));
  EXPECT_EQ(TKvClockGen::LiveThreads(), 0);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*root), Chain);
}

TEST(GeneratorLayout, EnabledGeneratorsStartOnceTheLayoutIsRead) {
  TSteppedTimer timer;
  TRoot root = Read(Without(Chain, "    Enabled = False\n"));
  auto& clock = dynamic_cast<TDnGenericGen&>(*root->FindComponent("DnGenericGen1"));
  auto& signal = dynamic_cast<TDnSignalGen&>(*root->FindComponent("DnSignalGen1"));
  EXPECT_TRUE(clock.Running());
  EXPECT_TRUE(signal.Running());
  EXPECT_EQ(TKvClockGen::LiveThreads(), 1);
  TOwned<TAudioRecorder> clockOut(new TAudioRecorder), signalOut(new TAudioRecorder);
  ASSERT_TRUE(clock.OutputPin()->Connect(clockOut->Input()));
  ASSERT_TRUE(signal.OutputPin()->Connect(signalOut->Input()));
  timer.Step(24);
  // The clock generator serves the signal generator first, then the recorder.
  ASSERT_TRUE(WaitUntil([&] { return signalOut->BufferCount() == 1 && clockOut->BufferCount() == 1; }));
  // The clock generator's buffers come from the method the layout bound.
  EXPECT_EQ(clockOut->Buffers().at(0).Channel0(), std::vector<int16_t>(1024, 1));
  EXPECT_EQ(signalOut->Buffers().at(0).Channel0().at(0), 5000);
  root.reset();
  EXPECT_EQ(TKvClockGen::LiveThreads(), 0);
}

}  // namespace
