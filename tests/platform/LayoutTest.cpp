#include "LayoutTestClasses.h"

#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <gtest/gtest.h>

namespace {

using TRoot = std::unique_ptr<TTestRoot, TComponentDeleter>;

// Every property kind, written the way the writer writes it.
const std::string Canonical = R"(object Root: TTestRoot
  object Thing1: TTestThing
    Size = 42
    Mask = 4000000000
    Active = True
    Gain = 0.25
    Shape = shTriangle
    Flags = [fgRed, fgBlue]
    Text = 'It''s'#10'Фа'
    Tint = clLime
    Settings.Level = 2.5
    Settings.Count = 3
    Items = <
      item
        Title = 'first'
      end
      item
        Title = 'second'
        Weight = -0.125
      end>
    Peer = Thing2
    OnPing = Ping
    Extra = (
      'a'
      'b')
  end
  object Thing2: TTestThing
    Tint = 16744448
    Peer = Thing1
  end
end
)";

class Layout : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTestClasses();
    TestLog().clear();
  }
  TRoot Read(const std::string& text) {
    TRoot root(new TTestRoot);
    TLayoutReader::ReadRoot(*root, text);
    return root;
  }
};

TEST_F(Layout, ReadsEveryKindOfProperty) {
  TRoot root = Read(Canonical);
  ASSERT_EQ(root->Name(), "Root");
  ASSERT_NE(root->Thing1, nullptr);
  ASSERT_NE(root->Thing2, nullptr);
  const TTestThing& thing = *root->Thing1;
  EXPECT_EQ(thing.Size(), 42);
  EXPECT_EQ(thing.Mask(), 4000000000u);
  EXPECT_TRUE(thing.Active());
  EXPECT_EQ(thing.Gain(), 0.25);
  EXPECT_EQ(thing.Shape(), TShape::shTriangle);
  EXPECT_EQ(thing.Flags(), uint32_t(fgRed | fgBlue));
  EXPECT_EQ(thing.Text(), "It's\nФа");
  EXPECT_EQ(thing.Tint(), 0x00FF00);
  EXPECT_EQ(thing.Settings()->Level(), 2.5);
  EXPECT_EQ(thing.Settings()->Count(), 3);
  ASSERT_EQ(thing.Items()->Count(), 2);
  EXPECT_EQ(static_cast<TTestItem&>(thing.Items()->Items(1)).Title(), "second");
  EXPECT_EQ(static_cast<TTestItem&>(thing.Items()->Items(1)).Weight(), -0.125);
  EXPECT_EQ(thing.Extra, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(root->Thing2->Tint(), 16744448);
  // References in both directions, the first one to a component read later.
  EXPECT_EQ(thing.Peer(), root->Thing2);
  EXPECT_EQ(root->Thing2->Peer(), root->Thing1);
  // The event calls the root's method.
  thing.OnPing(root->Thing1);
  EXPECT_EQ(root->Pings, 1);
}

TEST_F(Layout, WritesBackTheTextItWasReadFrom) {
  TRoot root = Read(Canonical);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*root), Canonical);
}

TEST_F(Layout, APropertySetBackToItsDefaultIsNotWritten) {
  TRoot root = Read(Canonical);
  root->Thing1->SetSize(10);
  root->Thing1->SetShape(TShape::shCircle);
  root->Thing1->OnPing.Clear();
  root->Thing1->Items()->Clear();
  const std::string text = TLayoutWriter::WriteRoot(*root);
  EXPECT_EQ(text.find("Size ="), std::string::npos);
  EXPECT_EQ(text.find("Shape ="), std::string::npos);
  EXPECT_EQ(text.find("OnPing"), std::string::npos);
  EXPECT_EQ(text.find("Items ="), std::string::npos);
  EXPECT_NE(text.find("Mask = 4000000000"), std::string::npos);
}

TEST_F(Layout, ZeroFloatsSurviveThroughFloats) {
  // Only _Floats carries the zero here; without it the default of 100 would stay.
  TRoot root = Read(R"(object Root: TTestRoot
  object Thing1: TTestThing
    Settings._Floats = (
      (
        'Level'
        0))
  end
end
)");
  EXPECT_EQ(root->Thing1->Settings()->Level(), 0);

  root->Thing1->Settings()->SetLevel(0);
  const std::string text = TLayoutWriter::WriteRoot(*root);
  EXPECT_NE(text.find("Settings._Floats = (\n      (\n        'Level'\n        0))"), std::string::npos) << text;
  TRoot again = Read(text);
  EXPECT_EQ(again->Thing1->Settings()->Level(), 0);

  // No zero, no _Floats.
  root->Thing1->Settings()->SetLevel(7);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*root).find("_Floats"), std::string::npos);
}

TEST_F(Layout, LoadedRunsOnceTheWholeTreeIsReadInCreationOrder) {
  TRoot root = Read(Canonical);
  EXPECT_EQ(TestLog(), (std::vector<std::string>{"Loaded Root", "Loaded Thing1", "Loaded Thing2"}));
  EXPECT_TRUE(root->Thing1->LoadingSeenWhileReading);
  EXPECT_FALSE(root->Thing1->IsLoading());
  EXPECT_FALSE(root->IsLoading());
}

TEST_F(Layout, ExtraPropertiesPeekAndWalkNestedLists) {
  TRoot root = Read(R"(object Root: TTestRoot
  object Thing1: TTestThing
    Extra = (1 'two' (3 'four') ())
  end
end
)");
  EXPECT_EQ(root->Thing1->Extra, (std::vector<std::string>{"1", "two", "(3;four;)", "()"}));
}

TEST(LayoutParser, ValueKinds) {
  auto value = [](const std::string& text) {
    return ParseLayout("object A: TB\n  X = " + text + "\nend\n").Properties.at(0).Get();
  };
  EXPECT_EQ(value("-12").Integer, -12);
  EXPECT_EQ(value("+7").Integer, 7);
  EXPECT_EQ(value("$FF").Integer, 255);
  EXPECT_EQ(value("$80000005").Integer, 0x80000005);
  EXPECT_EQ(value("1.5").Kind, TValueKind::Float);
  EXPECT_EQ(value("-2.5e3").Float, -2500);
  EXPECT_EQ(value("'a''b'#65'c' +\n    'd'").Text, "a'bAcd");
  EXPECT_EQ(value("#1060#1072").Text, "Фа");
  EXPECT_EQ(value("''").Text, "");
  EXPECT_EQ(value("Form1.DnSpectrum1.OutputPins._Pin0").Text, "Form1.DnSpectrum1.OutputPins._Pin0");
  EXPECT_EQ(value("[a, b]").Names, (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(value("[]").Names.empty());
  EXPECT_EQ(value("()").Kind, TValueKind::List);
  const TLayoutValue nested = value("(1\n  (2 'x'))");
  ASSERT_EQ(nested.Items.size(), 2u);
  EXPECT_EQ(nested.Items[1].Items[1].Text, "x");
  EXPECT_EQ(nested.Items[1].Line, 3);
  const TLayoutValue collection = value("<\n  item\n    A = 1\n  end\n  item\n  end>");
  ASSERT_EQ(collection.Collection.size(), 2u);
  EXPECT_EQ(collection.Collection[0].Properties.at(0).Name, "A");
  EXPECT_TRUE(collection.Collection[1].Properties.empty());
  EXPECT_EQ(value("{0AFF\n  10}").Bytes, (std::vector<uint8_t>{0x0A, 0xFF, 0x10}));
}

struct TBadLayout {
  const char* Name;
  std::string Text;
  int Line;
  const char* Problem;
};

const std::string Head = "object Root: TTestRoot\n  object Thing1: TTestThing\n";  // lines 1 and 2
const std::string Tail = "  end\nend\n";

// Each case: the line and the problem the error names. Nothing it created may remain.
const TBadLayout BadLayouts[] = {
    {"unterminated string", Head + "    Text = 'abc\n" + Tail, 3, "unterminated string"},
    {"unterminated list", Head + "    Extra = (\n      'a'\n", 5, "unterminated list"},
    {"unknown class", Head + Tail.substr(0, 6) + "  object X: TNoSuchThing\n  end\nend\n", 4,
     "unknown class TNoSuchThing"},
    {"unknown property", Head + "    Bogus = 1\n" + Tail, 3, "unknown property Bogus of TTestThing"},
    {"unknown nested property", Head + "    Settings.Bogus = 1\n" + Tail, 3, "unknown property Settings.Bogus"},
    {"no such sub-object", Head + "    Size.Value = 1\n" + Tail, 3, "TTestThing has no sub-object Size"},
    {"string for an integer", Head + "    Size = 'ten'\n" + Tail, 3, "expected an integer, found a string"},
    {"integer for a string", Head + "    Text = 10\n" + Tail, 3, "expected a string, found an integer"},
    {"value for a sub-object", Head + "    Settings = 1\n" + Tail, 3, "Settings holds an object"},
    {"missing end", Head + "    Size = 1\n", 4, "missing 'end' of object Thing1"},
    {"truncated", "object Root: TTestRoot\n  object Thing1: TTes", 2, "missing 'end' of object Thing1"},
    {"truncated value", Head + "    Size =", 3, "missing value"},
    {"integer out of 32 bits", Head + "    Size = 3000000000\n" + Tail, 3, "integer 3000000000 out of range"},
    {"negative unsigned", Head + "    Mask = -1\n" + Tail, 3, "integer -1 out of range"},
    {"integer out of 64 bits", Head + "    Size = 99999999999999999999\n" + Tail, 3, "integer out of range"},
    {"runaway nesting", Head + "    Extra = " + std::string(200, '(') + "\n" + Tail, 3, "nesting too deep"},
    {"unknown enumeration value", Head + "    Shape = shHexagon\n" + Tail, 3, "invalid value shHexagon"},
    {"unknown set member", Head + "    Flags = [fgRed, fgPink]\n" + Tail, 3, "invalid set member fgPink"},
    {"unknown colour", Head + "    Tint = clSky\n" + Tail, 3, "unknown colour clSky"},
    {"not a boolean", Head + "    Active = Yes\n" + Tail, 3, "expected True or False"},
    {"unknown method", Head + "    OnPing = Pong\n" + Tail, 3, "TTestRoot has no method Pong"},
    {"method of another signature", Head + "    OnPing = Count\n" + Tail, 3, "method Count does not fit the event"},
    {"unknown component", Head + "    Peer = Nobody\n" + Tail, 3, "unknown component Nobody"},
    {"name used twice", Head + "  end\n  object Thing1: TTestThing\n" + Tail, 4,
     "A component named Thing1 already exists"},
    {"list left unread", Head + "    Settings._Floats = (('Level' 0 1))\n" + Tail, 3, "too many values in a list"},
    {"floats of an unknown property", Head + "    Settings._Floats = (('Volume' 0))\n" + Tail, 3,
     "TTestSettings has no floating-point property Volume"},
    {"odd binary", Head + "    Extra = {ABC}\n" + Tail, 3, "odd number of digits"},
    {"bad character code", Head + "    Text = #55296\n" + Tail, 3, "character code out of range"},
    {"another root class", "object Root: TTestThing\nend\n", 1, "the layout is of class TTestThing, not TTestRoot"},
    {"text after the end", "object Root: TTestRoot\nend\nobject", 3, "unexpected text after the final 'end'"},
    {"stray character", Head + "    Size = ?\n" + Tail, 3, "unexpected character '?'"},
};

class BadLayout : public Layout, public ::testing::WithParamInterface<TBadLayout> {};

TEST_P(BadLayout, RaisesAReadErrorNamingTheLineAndLeavesNothingBehind) {
  const TBadLayout& bad = GetParam();
  TRoot root(new TTestRoot);
  try {
    TLayoutReader::ReadRoot(*root, bad.Text);
    ADD_FAILURE() << "the layout was read";
  } catch (const ELayoutReadError& error) {
    const std::string message = error.what();
    EXPECT_EQ(error.Line(), bad.Line) << message;
    EXPECT_EQ(message.rfind("Line " + std::to_string(bad.Line) + ": ", 0), 0u) << message;
    EXPECT_NE(message.find(bad.Problem), std::string::npos) << message;
  }
  EXPECT_EQ(root->ComponentCount(), 0);
  EXPECT_EQ(root->Thing1, nullptr);
  EXPECT_FALSE(root->IsLoading());
  for (const std::string& entry : TestLog()) EXPECT_NE(entry.rfind("Loaded", 0), 0u) << entry;
}

INSTANTIATE_TEST_SUITE_P(Cases, BadLayout, ::testing::ValuesIn(BadLayouts), [](const auto& info) {
  std::string name = info.param.Name;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});

}  // namespace
