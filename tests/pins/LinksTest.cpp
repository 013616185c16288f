#include "PinTestKit.h"

#include <gtest/gtest.h>

namespace {

using TOwned = std::unique_ptr<TTestComponent, TComponentDeleter>;

class Links : public ::testing::Test {
protected:
  void SetUp() override { RegisterTestConverter(); }
  TOwned Make() { return TOwned(new TTestComponent); }
};

TEST_F(Links, TheLastRegisteredTypeBothSupportWins) {
  TOwned a = Make(), b = Make();
  TTestSource& source = a->AddSource({TypeA, TypeC});
  TTestSink& both = b->AddSink({TypeA, TypeC});
  TTestSink& onlyA = b->AddSink({TypeA});
  // TypeB would come through the registered A-to-B converter; nothing converts to this one.
  TTestSink& none = b->AddSink({"{0D000000-0000-0000-0000-00000000000D}"_guid});
  ASSERT_TRUE(both.Connect(&source));
  ASSERT_TRUE(onlyA.Connect(&source));
  EXPECT_EQ(source.GetLinkType(&both), TypeC);
  EXPECT_EQ(both.GetCurrentType(), TypeC);
  EXPECT_EQ(source.GetLinkType(&onlyA), TypeA);
  EXPECT_FALSE(none.Connect(&source));
  EXPECT_EQ(none.GetSource(), nullptr);
  EXPECT_EQ(source.GetSinkCount(), 2);
}

TEST_F(Links, ANewSinkHearsAConnectNoticeThroughItsEntry) {
  TOwned a = Make(), b = Make();
  TTestSource& source = a->AddSource({TypeA});
  TTestSink& sink = b->AddSink({TypeA});
  ASSERT_TRUE(sink.Connect(&source));
  ASSERT_EQ(sink.Received.size(), 1u);
  EXPECT_EQ(sink.Received[0].Type, TypeA);
  EXPECT_EQ(sink.Received[0].Flags, lkNotice | lkLast);
  // Linking again to the same source changes nothing and sends nothing.
  EXPECT_TRUE(sink.Connect(&source));
  EXPECT_EQ(sink.Received.size(), 1u);
}

TEST_F(Links, AConverterIsInsertedSharedAndFreedWithTheLastSinkBehindIt) {
  TOwned a = Make(), b = Make();
  TTestSource& source = a->AddSource({TypeA});
  TTestSink& first = b->AddSink({TypeB});
  TTestSink& second = b->AddSink({TypeB});
  ASSERT_TRUE(first.Connect(&source));
  EXPECT_EQ(TTestConverter::Alive, 1);
  EXPECT_EQ(source.ConverterCount(), 1);
  EXPECT_TRUE(source.IsLinkedThroughConverter(&first));
  EXPECT_NE(first.ImmediateSource(), &source);
  EXPECT_EQ(first.GetSource(), &source);
  EXPECT_EQ(first.GetCurrentType(), TypeB);
  EXPECT_EQ(source.GetLinkType(&first), TypeA);

  ASSERT_TRUE(second.Connect(&source));
  EXPECT_EQ(source.ConverterCount(), 1);
  EXPECT_EQ(second.ImmediateSource(), first.ImmediateSource());

  EXPECT_TRUE(first.Connect(nullptr));
  EXPECT_EQ(TTestConverter::Alive, 1);
  EXPECT_EQ(second.GetSource(), &source);
  EXPECT_TRUE(second.Connect(nullptr));
  EXPECT_EQ(TTestConverter::Alive, 0);
  EXPECT_EQ(source.ConverterCount(), 0);
  EXPECT_EQ(source.GetSinkCount(), 0);
}

TEST_F(Links, LinkingAnOutputBackIntoAnInputItIsComputedFromIsRefused) {
  TOwned a = Make(), b = Make();
  TTestSink& aIn = a->AddSink({TypeA});
  TTestSource& aOut = a->AddSource({TypeA});
  aOut.AddDependency(&aIn);
  EXPECT_FALSE(aIn.Connect(&aOut));
  EXPECT_FALSE(aOut.Connect(&aIn));

  // Through a second component: a.out -> b.in, b.out computed from b.in, then b.out -> a.in.
  TTestSink& bIn = b->AddSink({TypeA});
  TTestSource& bOut = b->AddSource({TypeA});
  bOut.AddDependency(&bIn);
  ASSERT_TRUE(bIn.Connect(&aOut));
  EXPECT_TRUE(aOut.DependsOn(&bIn) == false);
  EXPECT_TRUE(bOut.DependsOn(&aIn));
  EXPECT_FALSE(aIn.Connect(&bOut));
  EXPECT_EQ(aIn.GetSource(), nullptr);
}

TEST_F(Links, AfterPinsMustLeadToAnEntryWithoutComingBack) {
  TOwned a = Make(), b = Make();
  TTestSource& source = a->AddSource({TypeA});
  TTestSink& first = b->AddSink({TypeA});
  TTestSink& second = b->AddSink({TypeA});
  TTestSink& third = b->AddSink({TypeA});
  TTestSink& stranger = b->AddSink({TypeA});
  ASSERT_TRUE(source.Connect(&first));
  EXPECT_FALSE(source.ConnectAfter(&second, &second));    // after itself
  EXPECT_FALSE(source.ConnectAfter(&second, &stranger));  // after a pin that is no sink of the source
  ASSERT_TRUE(source.ConnectAfter(&second, &first));
  ASSERT_TRUE(source.ConnectAfter(&third, &second));
  EXPECT_EQ(source.GetAfterPin(&third), &second);
  EXPECT_EQ(third.GetLinkAfterPin(0), &second);
  // first after third would close the chain third -> second -> first.
  EXPECT_FALSE(source.CanOrderAfter(&first, &third));
}

TEST_F(Links, AnAfterPinWalkEndsEvenOnAStoredCycle) {
  TOwned a = Make(), b = Make();
  TTestSource& source = a->AddSource({TypeA});
  TTestSink& x = b->AddSink({TypeA});
  TTestSink& y = b->AddSink({TypeA});
  TTestSink& p = b->AddSink({TypeA});
  TTestSink& z = b->AddSink({TypeA});
  ASSERT_TRUE(source.Connect(&y));
  ASSERT_TRUE(source.ConnectAfter(&p, &y));
  ASSERT_TRUE(source.ConnectAfter(&x, &p));
  // y replaced by x in the after-pins: now x waits for p and p for x.
  source.PinReplaced(&y, &x);
  ASSERT_EQ(source.GetAfterPin(&p), &x);
  EXPECT_FALSE(source.CanOrderAfter(&z, &x));
}

TEST_F(Links, PinsAtDesignTimeAndAtRunTimeDoNotLink) {
  TOwned a = Make(), b = Make();
  TTestSource& source = a->AddSource({TypeA});
  TTestSink& sink = b->AddSink({TypeA});
  b->SetDesigning(true);
  EXPECT_FALSE(sink.Connect(&source));
  a->SetDesigning(true);
  EXPECT_TRUE(sink.Connect(&source));
}

TEST_F(Links, ARefusedLinkKeepsTheOldOne) {
  TOwned a = Make(), b = Make();
  TTestSource& good = a->AddSource({TypeA});
  TTestSource& bad = a->AddSource({TypeC});
  TTestSink& sink = b->AddSink({TypeA});
  ASSERT_TRUE(sink.Connect(&good));
  EXPECT_FALSE(sink.Connect(&bad));
  EXPECT_EQ(sink.GetSource(), &good);
  EXPECT_TRUE(good.IsLinkedTo(&sink));
}

TEST_F(Links, FreeingAPinUnlinksItAndEveryPinForgetsIt) {
  TOwned a = Make(), b = Make();
  TTestSource& source = a->AddSource({TypeA});
  TTestSink& first = b->AddSink({TypeA});
  TTestSink& second = b->AddSink({TypeA});
  TTestSink& behindConverter = b->AddSink({TypeB});
  ASSERT_TRUE(source.Connect(&first));
  ASSERT_TRUE(source.ConnectAfter(&second, &first));
  ASSERT_TRUE(behindConverter.Connect(&source));
  TLkBasicPin* firstPin = &first;

  // The sink goes: its entry goes, and the after-pin that named it is cleared.
  b->Pins.erase(b->Pins.begin());
  EXPECT_FALSE(LkPinRegistry::IsRegistered(firstPin));
  EXPECT_EQ(source.GetSinkCount(), 2);
  EXPECT_EQ(source.GetAfterPin(&second), nullptr);

  // The source goes: its sinks are free and its converter is gone.
  a.reset();
  EXPECT_EQ(second.GetSource(), nullptr);
  EXPECT_EQ(behindConverter.GetSource(), nullptr);
  EXPECT_EQ(behindConverter.ImmediateSource(), nullptr);
  EXPECT_EQ(TTestConverter::Alive, 0);
}

TEST(StreamTypeRegistry, RegisteringAgainUpdatesAndConvertersAreFoundByPair) {
  const TGUID type = "{5E000000-0000-0000-0000-000000000001}"_guid;
  RegisterStreamType(type, "first");
  RegisterStreamType(type, "second");
  EXPECT_EQ(StreamTypeName(type), "second");
  EXPECT_EQ(StreamTypeName(TypeC), "");
  TLkFormatConverterClass one = []() -> TLkFormatConverter* { return nullptr; };
  TLkFormatConverterClass two = []() -> TLkFormatConverter* { return new TTestConverter; };
  RegisterFormatConverter(type, TypeC, one);
  RegisterFormatConverter(type, TypeC, two);
  EXPECT_EQ(FindFormatConverter(type, TypeC), two);
  EXPECT_EQ(FindFormatConverter(TypeC, type), nullptr);
  EXPECT_EQ("{5E000000-0000-0000-0000-000000000001}"_guid.ToString(), "{5E000000-0000-0000-0000-000000000001}");
}

}  // namespace
