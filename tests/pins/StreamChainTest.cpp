#include "PinLayoutKit.h"
#include "StreamTestKit.h"

#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <gtest/gtest.h>

#include <numeric>
#include <thread>

namespace {

using TRoot = std::unique_ptr<TTestLinkRoot, TComponentDeleter>;

struct StreamChain : ::testing::Test {
  void SetUp() override { RegisterStreamTestClasses(); }

  // A root named Form1 holding a generator and checkers, the first checker linked to it.
  static TRoot Chain(int checkers) {
    TRoot root(new TTestLinkRoot);
    root->SetName("Form1");
    (new TTestAudioGenerator(root.get()))->SetName("Generator1");
    for (int i = 1; i <= checkers; ++i) (new TTestRealChecker(root.get()))->SetName("Checker" + std::to_string(i));
    EXPECT_TRUE(Checker(root, "Checker1").InputPin()->Connect(Generator(root).OutputPin()));
    return root;
  }
  static TTestAudioGenerator& Generator(TRoot& root) {
    return dynamic_cast<TTestAudioGenerator&>(*root->FindComponent("Generator1"));
  }
  static TTestRealChecker& Checker(TRoot& root, const char* name) {
    return dynamic_cast<TTestRealChecker&>(*root->FindComponent(name));
  }
  static std::vector<uint32_t> Numbers(uint32_t count) {
    std::vector<uint32_t> numbers(count);
    std::iota(numbers.begin(), numbers.end(), 0u);
    return numbers;
  }
};

TEST_F(StreamChain, ALinkThroughAConverterIsStoredAsTheStreamLinkAndComesBackWorking) {
  TRoot root = Chain(1);
  const std::string text = TLayoutWriter::WriteRoot(*root);
  EXPECT_EQ(text, R"(object Form1: TTestLinkRoot
  object Generator1: TTestAudioGenerator
    OutputPin.Form = Form1
    OutputPin.SinkPins = (
      Form1.Checker1.InputPin)
  end
  object Checker1: TTestRealChecker
    InputPin.Form = Form1
    InputPin.SourcePin = Form1.Generator1.OutputPin
  end
end
)");
  TRoot loaded(new TTestLinkRoot);
  TLayoutReader::ReadRoot(*loaded, text);
  TTestRealChecker& checker = Checker(loaded, "Checker1");
  TDnLkAudioSourcePin* output = Generator(loaded).OutputPin();
  ASSERT_EQ(checker.InputPin()->GetSource(), output);
  EXPECT_NE(dynamic_cast<TLkAudioToRealFormatConverter*>(checker.InputPin()->ImmediateSource()->GetOwner()), nullptr);
  EXPECT_EQ(output->ConverterCount(), 1);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*loaded), text);

  EXPECT_EQ(Generator(loaded).Run(3), 3u);
  EXPECT_EQ(checker.Buffers(), Numbers(3));
  EXPECT_EQ(checker.Starts, 1);
  EXPECT_EQ(checker.Stops, 1);
  EXPECT_EQ(checker.Faults, 0);
}

// The generator streams on its own thread while a second checker is linked and unlinked over and
// over: the first checker sees every buffer once and in order; the second sees only whole, correct
// buffers in order, and a stop for every unlink.
TEST_F(StreamChain, AThreadedChainLosesAndRepeatsNothingWhileASinkComesAndGoes) {
  constexpr uint32_t Count = 400;
  TRoot root = Chain(2);
  TTestAudioGenerator& generator = Generator(root);
  TTestRealChecker& steady = Checker(root, "Checker1");
  TTestRealChecker& transient = Checker(root, "Checker2");
  generator.BetweenBuffers = [] { std::this_thread::sleep_for(std::chrono::microseconds(50)); };
  std::atomic<bool> done{false};
  uint32_t sent = 0;
  std::thread pump([&] {
    sent = generator.Run(Count);
    done = true;
  });
  int unlinks = 0;
  while (!done) {
    ASSERT_TRUE(transient.InputPin()->Connect(generator.OutputPin()));
    std::this_thread::yield();
    ASSERT_TRUE(transient.InputPin()->Connect(nullptr));
    ++unlinks;
  }
  pump.join();

  EXPECT_EQ(sent, Count);
  EXPECT_EQ(steady.Buffers(), Numbers(Count));
  EXPECT_EQ(steady.Starts, 1);
  EXPECT_EQ(steady.Stops, 1);
  EXPECT_EQ(steady.Faults, 0);
  const std::vector<uint32_t> seen = transient.Buffers();
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()) && std::adjacent_find(seen.begin(), seen.end()) == seen.end());
  EXPECT_EQ(transient.Faults, 0);
  EXPECT_GE(transient.Stops, unlinks);
  EXPECT_LE(transient.Stops, unlinks + 1);  // the stream's own stop, when it came while linked
  EXPECT_EQ(generator.OutputPin()->ConverterCount(), 1);
}

}  // namespace
