#include "PinLayoutKit.h"

#include "pins/LkWatchers.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using TRoot = std::unique_ptr<TTestLinkRoot, TComponentDeleter>;

// Two nodes linked every way: pin to pin, pin to list pin, list pin to list pin.
const std::string Forward = R"(object Form1: TTestLinkRoot
  object Producer1: TTestNode
    OutputPin.Form = Form1
    OutputPin.SinkPins = (
      Form1.Consumer1.InputPin
      (
        Form1.Consumer1.InputPins._Pin1
        'Form1.Consumer1.InputPins.Pin [1]'))
    InputPins.Count = 0
    InputPins.Form = Form1
    InputPins.Pins = ()
    OutputPins.Count = 2
    OutputPins.Form = Form1
    OutputPins.Pins = (
      Sinks
      (
        (
          Form1.Consumer1.InputPins._Pin0
          'Form1.Consumer1.InputPins.Pin [0]'))
      nil)
    Taps.Count = 0
    Taps.Form = Form1
  end
  object Consumer1: TTestNode
    InputPin.Form = Form1
    InputPin.SourcePin = Form1.Producer1.OutputPin
    InputPins.Count = 2
    InputPins.Form = Form1
    InputPins.Pins = (
      (
        Form1.Producer1.OutputPins._Pin0
        'Form1.Producer1.OutputPins.Pin [0]')
      Form1.Producer1.OutputPin)
    OutputPins.Count = 0
    OutputPins.Form = Form1
    OutputPins.Pins = ()
    Taps.Count = 0
    Taps.Form = Form1
  end
end
)";

// The same objects in the other order.
std::string Reversed() {
  const size_t producer = Forward.find("  object Producer1");
  const size_t consumer = Forward.find("  object Consumer1");
  const size_t end = Forward.rfind("end\n");
  return Forward.substr(0, producer) + Forward.substr(consumer, end - consumer) +
         Forward.substr(producer, consumer - producer) + "end\n";
}

class LinkLayout : public ::testing::Test {
protected:
  void SetUp() override { RegisterPinLayoutClasses(); }
  void TearDown() override { EXPECT_TRUE(LkPlaceholders::All().empty()); }
  TRoot Read(const std::string& text) {
    TRoot root(new TTestLinkRoot);
    TLayoutReader::ReadRoot(*root, text);
    return root;
  }
  static TTestNode& Node(TRoot& root, const char* name) { return dynamic_cast<TTestNode&>(*root->FindComponent(name)); }
  static void ExpectTheGraph(TRoot& root) {
    TTestNode& producer = Node(root, "Producer1");
    TTestNode& consumer = Node(root, "Consumer1");
    ASSERT_EQ(consumer.InputPins()->GetCount(), 2);
    ASSERT_EQ(producer.OutputPins()->GetCount(), 2);
    EXPECT_EQ(consumer.InputPin()->GetSource(), producer.OutputPin());
    EXPECT_EQ(consumer.InputPins()->GetPin(0)->GetLinkedPin(0), producer.OutputPins()->GetPin(0));
    EXPECT_EQ(consumer.InputPins()->GetPin(1)->GetLinkedPin(0), producer.OutputPin());
    ASSERT_EQ(producer.OutputPin()->GetSinkCount(), 2);
    EXPECT_EQ(producer.OutputPin()->GetSink(0), consumer.InputPin());
    EXPECT_EQ(producer.OutputPin()->GetSink(1), consumer.InputPins()->GetPin(1));
    EXPECT_FALSE(producer.OutputPins()->GetPin(1)->IsLinked());
  }
};

TEST_F(LinkLayout, LoadsInEitherOrderWithTheSameLinksAndWritesBack) {
  for (const std::string& text : {Forward, Reversed()}) {
    TRoot root = Read(text);
    ExpectTheGraph(root);
    EXPECT_TRUE(LkPlaceholders::All().empty());
    EXPECT_EQ(TLayoutWriter::WriteRoot(*root), text);
  }
}

TEST_F(LinkLayout, LinksResolveUnderAnotherRootName) {
  std::string text = Forward;
  text.replace(text.find("Form1"), 5, "Main");
  TRoot root = Read(text);
  EXPECT_EQ(root->Name(), "Main");
  ExpectTheGraph(root);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*root), std::regex_replace(Forward, std::regex("Form1"), "Main"));
}

TEST_F(LinkLayout, ARootWithoutANameWritesPathsThatReadBack) {
  // The links name Form1; read into a root without a name they start at the owner.
  std::string text = Forward;
  text.replace(0, text.find('\n'), "object TTestLinkRoot");
  std::string expected = std::regex_replace(text, std::regex(R"(    \w+\.Form = Form1\n)"), "");
  expected = std::regex_replace(expected, std::regex("Form1\\."), "");
  TRoot root = Read(text);
  ExpectTheGraph(root);
  const std::string written = TLayoutWriter::WriteRoot(*root);
  EXPECT_EQ(written, expected);
  root.reset();
  TRoot again = Read(written);
  ExpectTheGraph(again);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*again), written);
  // Under a root without a name, list pins named before their list made them leave their
  // placeholders behind (the links are made all the same); the next test starts without them.
  for (TLkUnloadedPin* placeholder : LkPlaceholders::All()) LkPlaceholders::Free(placeholder);
}

TEST_F(LinkLayout, PathsNameTheRootTheOwnerAndThePropertyOrTheListSlot) {
  TRoot root = Read(Forward);
  TTestNode& consumer = Node(root, "Consumer1");
  TLkBasicPin* second = consumer.InputPins()->GetPin(1);
  EXPECT_EQ(second->GetIdentPath(true), "Form1.Consumer1.InputPins._Pin1");
  EXPECT_EQ(second->GetDisplayPath(true), "Form1.Consumer1.InputPins.Pin [1]");
  consumer.InputPins()->SetPinName(1, "Channel1");
  EXPECT_EQ(second->GetDisplayPath(true), "Form1.Consumer1.InputPins.Channel1");
  EXPECT_EQ(second->GetIdentPath(false), "Consumer1.InputPins._Pin1");
  EXPECT_EQ(second->GetRelativePath(), "InputPins.Channel1");
  EXPECT_EQ(second->GetRelativeIdentPath(), "InputPins._Pin1");
  EXPECT_EQ(second->GetOwnerName(), "Consumer1");
  EXPECT_EQ(consumer.OutputPin()->GetDisplayPath(true), "Form1.Consumer1.OutputPin");
  EXPECT_EQ(consumer.OutputPin()->GetIdentPath(true), "Form1.Consumer1.OutputPin");
  // The written link names the display path by the new name.
  EXPECT_NE(TLayoutWriter::WriteRoot(*root).find("'Form1.Consumer1.InputPins.Channel1'"), std::string::npos);
}

std::string Squeezed(std::string text) {
  text = std::regex_replace(text, std::regex("\\s+"), " ");
  text = std::regex_replace(text, std::regex("\\( "), "(");
  return std::regex_replace(text, std::regex(" \\)"), ")");
}

TEST_F(LinkLayout, TheListFormsOfTheSystemsLayoutReadAndWriteExactly) {
  auto node = [](const std::string& name, const std::string& inputs, const std::string& outputs) {
    return "  object " + name + ": TTestNode\n" + inputs + outputs +
           "    Taps.Count = 0\n    Taps.Form = Form1\n  end\n";
  };
  auto list = [](const std::string& list, int count, const std::string& pins) {
    return "    " + list + ".Count = " + std::to_string(count) + "\n    " + list + ".Form = Form1\n    " + list +
           ".Pins = " + pins + "\n";
  };
  auto converterOut = [&](int n, const std::string& sinks) {
    return node("DnAudioToReal" + std::to_string(n), list("InputPins", 0, "()"),
                list("OutputPins", 1, "(Sinks (" + sinks + "))"));
  };
  auto slot = [](const std::string& owner, const std::string& list, int index, const std::string& name) {
    return "(Form1." + owner + "." + list + "._Pin" + std::to_string(index) + " 'Form1." + owner + "." + list + "." +
           name + "')";
  };
  const std::string producerSlot = "OutputPins";
  const std::string text =
      "object Form1: TTestLinkRoot\n" + converterOut(1, slot("KvAdd1", "InputPins", 0, "Pin [0]")) +
      converterOut(2, slot("KvAdd1", "InputPins", 1, "Pin [1]") + " " + slot("KvScope3", "InputPins", 1, "Channel1")) +
      converterOut(3, slot("KvAdd1", "InputPins", 2, "Pin [2]")) +
      node("KvAdd1",
           list("InputPins", 3,
                "(" + slot("DnAudioToReal1", producerSlot, 0, "Pin [0]") + " " +
                    slot("DnAudioToReal2", producerSlot, 0, "Pin [0]") + " " +
                    slot("DnAudioToReal3", producerSlot, 0, "Pin [0]") + ")"),
           list("OutputPins", 0, "()")) +
      node("DnRealToAudio1", list("InputPins", 1, "(Form1.KvAdd1.OutputPin)"), list("OutputPins", 0, "()")) +
      node("KvScope3", list("InputPins", 2, "(nil " + slot("DnAudioToReal2", producerSlot, 0, "Pin [0]") + ")"),
           list("OutputPins", 0, "()")) +
      "end\n";
  // KvAdd1's output pin writes its own end of the link to the real-to-audio converter.
  std::string expected = text;
  expected.insert(expected.find("    InputPins.Count = 3"),
                  "    OutputPin.Form = Form1\n    OutputPin.SinkPins = ((Form1.DnRealToAudio1.InputPins._Pin0 "
                  "'Form1.DnRealToAudio1.InputPins.Pin [0]'))\n");
  TRoot root(new TTestLinkRoot);
  TLayoutReader::ReadRoot(*root, text);
  // The scope names its second input after its channel; names are not stored with the layout.
  Node(root, "KvScope3").InputPins()->SetPinName(1, "Channel1");
  EXPECT_EQ(Squeezed(TLayoutWriter::WriteRoot(*root)), Squeezed(expected));
  EXPECT_EQ(Node(root, "KvAdd1").OutputPin()->GetSink(0), Node(root, "DnRealToAudio1").InputPins()->GetPin(0));
}

TEST_F(LinkLayout, APathNamingNothingLeavesAPlaceholderAndWrongShapesAreReadErrors) {
  TRoot root = Read(R"(object Form1: TTestLinkRoot
  object A: TTestNode
    InputPin.SourcePin = Form1.Nobody.OutputPin
  end
end
)");
  EXPECT_EQ(Node(root, "A").InputPin()->GetSource(), nullptr);  // refused at run time
  ASSERT_EQ(LkPlaceholders::All().size(), 1u);
  EXPECT_EQ(LkPlaceholders::All()[0]->GetIdentPath(true), "Form1.Nobody.OutputPin");
  EXPECT_EQ(LkPlaceholders::All()[0]->GetKind(), TLkPinKind::Source);
  LkPlaceholders::Free(LkPlaceholders::All()[0]);

  struct TBad {
    const char* Property;
    int Line;
  };
  for (const TBad& bad : {TBad{"InputPin.SourcePin = 5", 3}, TBad{"OutputPin.SinkPins = Form1.A.InputPin", 3},
                          TBad{"OutputPin.SinkPins = ((Form1.A.InputPin 7))", 3}, TBad{"InputPins.Pins = nil", 3},
                          TBad{"InputPins.Pins = (Sinks 'x')", 3}, TBad{"Taps.Pins = ((Form1.A.OutputPin))", 3}}) {
    TRoot other(new TTestLinkRoot);
    const std::string text =
        std::string("object Form1: TTestLinkRoot\n  object B: TTestNode\n    ") + bad.Property + "\n  end\nend\n";
    try {
      TLayoutReader::ReadRoot(*other, text);
      ADD_FAILURE() << bad.Property << " was read";
    } catch (const ELayoutReadError& error) {
      EXPECT_EQ(error.Line(), bad.Line) << bad.Property << ": " << error.what();
    }
    for (TLkUnloadedPin* placeholder : LkPlaceholders::All()) LkPlaceholders::Free(placeholder);
  }
}

TEST_F(LinkLayout, AStoredAfterPinCycleIsRefusedWhenRead) {
  // The third item would put pin 0 after pin 1, which already comes after pin 0.
  TRoot root = Read(R"(object Form1: TTestLinkRoot
  object T: TTestNode
    InputPins.Count = 2
  end
  object S: TTestNode
    OutputPin.SinkPins = (
      (Form1.T.InputPins._Pin0 'Form1.T.InputPins.Pin [0]')
      (Form1.T.InputPins._Pin1 Form1.T.InputPins._Pin0 'Form1.T.InputPins.Pin [1]')
      (Form1.T.InputPins._Pin0 Form1.T.InputPins._Pin1 'Form1.T.InputPins.Pin [0]'))
  end
end
)");
  TTestSource& source = *Node(root, "S").OutputPin();
  TLkBasicPin* first = Node(root, "T").InputPins()->GetPin(0);
  TLkBasicPin* second = Node(root, "T").InputPins()->GetPin(1);
  EXPECT_EQ(source.GetSinkCount(), 2);
  EXPECT_EQ(source.GetAfterPin(first), nullptr);
  EXPECT_EQ(source.GetAfterPin(second), first);
}

}  // namespace
