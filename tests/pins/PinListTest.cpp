#include "PinLayoutKit.h"

#include "pins/LkWatchers.h"
#include "platform/LayoutReader.h"
#include "tests/ErrorHookCapture.h"

#include <gtest/gtest.h>

namespace {

using TOwned = std::unique_ptr<TTestComponent, TComponentDeleter>;
using TRoot = std::unique_ptr<TTestLinkRoot, TComponentDeleter>;

// A list like the adder's inputs: owning, at least 2 and at most 100 pins.
struct TAdderInputs {
  TOwned Owner{new TTestComponent};
  std::vector<TLkBasicPin*> Destroyed;
  TLkPinListOwner List{Owner.get(),
                       &Owner->Lock,
                       2,
                       100,
                       [this](TLkPinListOwner&) -> TLkBasicPin* { return new TTestSink(Owner.get(), {TypeA}); },
                       [this](TLkPinListOwner&, TLkBasicPin* pin) { Destroyed.push_back(pin); }};
};

TEST(PinList, NamesDefaultToPinIndexAndTheDefaultIsStoredAsNone) {
  TAdderInputs inputs;
  EXPECT_EQ(inputs.List.GetPinName(0), "Pin [0]");
  inputs.List.SetPinName(1, "Left");
  EXPECT_EQ(inputs.List.GetPinName(1), "Left");
  inputs.List.SetPinName(1, "Pin [1]");
  EXPECT_EQ(inputs.List.GetPinName(1), "Pin [1]");
  EXPECT_EQ(inputs.List.GetPin(1)->GetDisplayPath(false), inputs.List.GetPin(1)->GetDisplayPath(false));
  inputs.List.SetPinName(7, "ignored");
  EXPECT_EQ(inputs.List.GetCount(), 2);
  EXPECT_THROW(inputs.List.GetPin(2), EListError);
}

TEST(PinList, CountStaysWithinMinimumAndMaximumAndShrinksLastFirst) {
  TAdderInputs inputs;
  EXPECT_EQ(inputs.List.GetCount(), 2);
  inputs.List.SetCount(200);
  EXPECT_EQ(inputs.List.GetCount(), 100);
  std::vector<TLkBasicPin*> expected;
  for (int i = 99; i >= 2; --i) expected.push_back(inputs.List.GetPin(i));
  inputs.List.SetCount(0);
  EXPECT_EQ(inputs.List.GetCount(), 2);
  EXPECT_EQ(inputs.Destroyed, expected);
}

TEST(PinList, ACreateCallbackThatMakesNoPinEndsTheGrowth) {
  TOwned owner(new TTestComponent);
  int calls = 0;
  TLkPinListOwner list(
      owner.get(), nullptr, 0, 10,
      [&](TLkPinListOwner&) -> TLkBasicPin* { return ++calls <= 3 ? new TTestSink(owner.get(), {TypeA}) : nullptr; },
      nullptr);
  list.SetCount(10);
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(calls, 4);
}

TEST(PinList, RemoveTakesOutEveryEntryOfThePin) {
  TOwned owner(new TTestComponent);
  TTestSink& pin = owner->AddSink({TypeA});
  TTestSink& other = owner->AddSink({TypeA});
  TLkPinList list(owner.get(), false, nullptr);
  list.Add(&pin);
  list.Add(&other);
  list.Add(&pin);
  list.Remove(&pin);
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetPin(0), &other);
  list.Add(&pin);
  list.Exchange(0, 1);
  EXPECT_EQ(list.GetPin(0), &pin);
  EXPECT_EQ(pin.OwningList(), &list);
}

// Hears removals and looks at the pin it is told about.
struct TRemovalWatcher : ILkWatcher {
  std::vector<std::pair<TLkPinKind, int>> Removed;
  void PinRemoved(TLkPinList*, TLkBasicPin* pin, int index) override { Removed.emplace_back(pin->GetKind(), index); }
};

TEST(PinList, WatchersHearOfARemovedPinWhileItStillExists) {
  TRemovalWatcher watcher;
  LkWatchers::Add(&watcher);
  {
    TAdderInputs inputs;
    inputs.List.SetCount(3);
    inputs.List.Delete(2);
  }
  LkWatchers::Remove(&watcher);
  ASSERT_FALSE(watcher.Removed.empty());
  EXPECT_EQ(watcher.Removed.front(), std::pair(TLkPinKind::Sink, 2));
}

// Fails on every removal it hears of.
struct TThrowingWatcher : ILkWatcher {
  void PinRemoved(TLkPinList*, TLkBasicPin*, int) override { throw std::runtime_error("watcher failed"); }
};

TEST(PinList, AThrowingWatchersErrorGoesToTheHookAndTheNextWatcherStillHears) {
  const TErrorHookCapture hook;
  TThrowingWatcher throwing;
  TRemovalWatcher watcher;
  LkWatchers::Add(&throwing);
  LkWatchers::Add(&watcher);
  {
    TAdderInputs inputs;
    inputs.List.SetCount(2);
    inputs.List.Delete(1);
  }
  LkWatchers::Remove(&watcher);
  LkWatchers::Remove(&throwing);
  ASSERT_FALSE(watcher.Removed.empty());
  EXPECT_EQ(watcher.Removed.front(), std::pair(TLkPinKind::Sink, 1));
  EXPECT_EQ(hook.Errors(), std::vector<std::string>(watcher.Removed.size(), "a pin watcher: watcher failed"));
}

class PinListLayout : public ::testing::Test {
protected:
  void SetUp() override { RegisterPinLayoutClasses(); }
  TRoot Read(const std::string& text) {
    TRoot root(new TTestLinkRoot);
    TLayoutReader::ReadRoot(*root, text);
    return root;
  }
  static TTestNode& Node(TRoot& root, const char* name) { return dynamic_cast<TTestNode&>(*root->FindComponent(name)); }
};

TEST_F(PinListLayout, PlaceholdersHoldSlotsUntilTheRealPinsTakeTheirPlaces) {
  // The consumer's taps are read before the consumer has made any of them.
  TRoot root = Read(R"(object Form1: TTestLinkRoot
  object Producer: TTestNode
    OutputPins.Count = 2
  end
  object Consumer: TTestNode
    Taps.Pins = (
      Form1.Producer.OutputPin
      nil
      (Form1.Producer.OutputPins._Pin1 'Form1.Producer.OutputPins.Pin [1]'))
  end
end
)");
  TTestNode& producer = Node(root, "Producer");
  TTestNode& consumer = Node(root, "Consumer");
  ASSERT_EQ(LkPlaceholders::All().size(), 3u);
  // The placeholders already stand in the sources' sink lists.
  EXPECT_EQ(producer.OutputPin()->GetSinkCount(), 1);

  TTestSink& first = consumer.AddTap();
  EXPECT_EQ(consumer.Taps()->IndexOf(&first), 0);
  EXPECT_EQ(first.GetSource(), producer.OutputPin());
  EXPECT_EQ(producer.OutputPin()->GetSink(0), &first);
  EXPECT_EQ(LkPlaceholders::All().size(), 2u);

  consumer.AddTap();
  TTestSink& third = consumer.AddTap();
  EXPECT_EQ(consumer.Taps()->IndexOf(&third), 2);
  EXPECT_EQ(third.GetSource(), producer.OutputPins()->GetPin(1));
  EXPECT_TRUE(LkPlaceholders::All().empty());
}

TEST_F(PinListLayout, PlaceholdersOfPinsNeverMadeArePurgedAtRunTime) {
  TRoot root = Read(R"(object Form1: TTestLinkRoot
  object Producer: TTestNode
  end
  object Consumer: TTestNode
    Taps.Pins = (Form1.Producer.OutputPin Form1.Producer.OutputPin)
  end
end
)");
  TTestNode& consumer = Node(root, "Consumer");
  EXPECT_EQ(consumer.Taps()->GetCount(), 0);
  EXPECT_TRUE(LkPlaceholders::All().empty());
  EXPECT_EQ(Node(root, "Producer").OutputPin()->GetSinkCount(), 0);
}

TEST_F(PinListLayout, AnOwningListReadsNoPinPastItsMaximum) {
  TRoot root = Read(R"(object Form1: TTestLinkRoot
  object Producer: TTestNode
  end
  object Consumer: TTestNode
    InputPins.Pins = (Form1.Producer.OutputPin nil nil Form1.Producer.OutputPin Form1.Producer.OutputPin)
  end
end
)");
  TTestNode& consumer = Node(root, "Consumer");
  EXPECT_EQ(consumer.InputPins()->GetCount(), 3);
  EXPECT_EQ(Node(root, "Producer").OutputPin()->GetSinkCount(), 1);
  EXPECT_TRUE(LkPlaceholders::All().empty());
}

}  // namespace
