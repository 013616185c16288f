#include "PinTestKit.h"

#include "pins/LkStdTypes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace LkStdTypes;
using TOwned = std::unique_ptr<TTestComponent, TComponentDeleter>;

TEST(StdTypes, TheBasicTypesAreRegisteredByName) {
  Register();
  EXPECT_EQ(StreamTypeName(Int32), "32 bit Integer single");
  EXPECT_EQ(StreamTypeName(String), "Sting");
  EXPECT_EQ(StreamTypeName(DateTime), "Date/Time");
  EXPECT_EQ(StreamTypeName(Clock), "");
  EXPECT_NE(FindFormatConverter(Int32, Real), nullptr);
  EXPECT_NE(FindFormatConverter(RangedInt64, RangedReal), nullptr);
  EXPECT_EQ(FindFormatConverter(Real, Int32), nullptr);
}

TEST(StdTypes, AnIntegerSourceDrivesARealSinkThroughAConverter) {
  TOwned a(new TTestComponent), b(new TTestComponent);
  Register();
  TTestSource& integers = a->AddSource({Int32});
  std::vector<double> values;
  TLkPinPtr<TLkRealSinkPin> sink(
      new TLkRealSinkPin(b.get(), nullptr, [&](TLkBasicPin*, double v) { values.push_back(v); }));
  ASSERT_TRUE(sink->Connect(&integers));
  ASSERT_TRUE(integers.IsLinkedThroughConverter(sink.get()));
  EXPECT_NE(dynamic_cast<TLkIntToRealFormatConverter*>(sink->ImmediateSource()->GetOwner()), nullptr);
  integers.Notify(*MakeRef<TLkSuppliedIntegerOperation>(3));
  EXPECT_EQ(values, std::vector<double>{3.0});
  EXPECT_EQ(sink->Value(), 3.0);
}

TEST(StdTypes, ARealSourceNarrowsForAFloatSinkAndAnswersNoticesWithItsValue) {
  TOwned a(new TTestComponent), b(new TTestComponent);
  TLkPinPtr<TLkRealSourcePin> source(new TLkRealSourcePin(a.get()));
  source->SetValue(0.1);
  std::vector<float> values;
  TLkPinPtr<TLkFloatSinkPin> sink(
      new TLkFloatSinkPin(b.get(), nullptr, [&](TLkBasicPin*, float v) { values.push_back(v); }));
  ASSERT_TRUE(sink->Connect(source.get()));  // the connect notice brings the current value
  source->SetValue(2.25);
  EXPECT_EQ(values, (std::vector<float>{0.1f, 2.25f}));
  EXPECT_EQ(source->GetLinkType(sink.get()), Float);
}

// Records what a peer that takes only ranged reals receives.
struct TRangedPeer : TTestSink {
  using TTestSink::TTestSink;
  std::vector<std::tuple<double, double, double>> Values;
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override {
    if (auto* ranged = OperationAs<TLkSuppliedRealValueRangeOperation>(operation))
      Values.emplace_back(ranged->Value, ranged->Low, ranged->High);
    return TTestSink::Receive(type, operation, flags);
  }
};

TEST(StdTypes, ARangedSourceSendsTheValueWithItsRange) {
  TOwned a(new TTestComponent), b(new TTestComponent);
  TLkPinPtr<TLkRealRangedSourcePin> source(new TLkRealRangedSourcePin(a.get()));
  TLkPinPtr<TRangedPeer> peer(new TRangedPeer(b.get(), {RangedReal}));
  ASSERT_TRUE(peer->Connect(source.get()));
  source->SetValue(440, 0, 22050);
  ASSERT_EQ(peer->Values.size(), 2u);  // the connect notice, then the value
  EXPECT_EQ(peer->Values.back(), std::make_tuple(440.0, 0.0, 22050.0));
}

TEST(StdTypes, AClockSinkSeesEveryOperationAndCountsTicks) {
  TOwned a(new TTestComponent), b(new TTestComponent);
  std::vector<TLkNotifyOperation*> requests;
  TLkPinPtr<TLkClockSourcePin> clock(
      new TLkClockSourcePin(a.get(), [&](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& op) -> uint8_t {
        requests.push_back(&op);
        return 0;
      }));
  int operations = 0, ticks = 0;
  TLkPinPtr<TLkClockSinkPin> sink(new TLkClockSinkPin(
      b.get(), nullptr,
      [&](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation&) -> uint8_t { return ++operations, 0; },
      [&](TLkBasicPin*) { ++ticks; }));
  ASSERT_TRUE(sink->Connect(clock.get()));
  EXPECT_EQ(operations, 1);  // the connect notice, a plain notify operation: no tick
  EXPECT_EQ(ticks, 0);
  clock->Notify(*MakeRef<TLkStartOperation>());
  clock->Notify(*MakeRef<TLkClockOperation>());
  clock->Notify(*MakeRef<TLkSuppliedBufferOperation>(nullptr));
  clock->Notify(*MakeRef<TLkStopOperation>());
  EXPECT_EQ(operations, 5);
  EXPECT_EQ(ticks, 2);
  // What the clock sink sends upstream reaches the source's request callback.
  const TRef<TLkNotifyOperation> request = MakeRef<TLkClockNeededOperation>(true);
  sink->Notify(*request);
  EXPECT_EQ(requests, std::vector<TLkNotifyOperation*>{request.Get()});
}

TEST(StdTypes, RoundingToIntegersIsToEvenAndNeverUndefined) {
  struct Case {
    double In;
    int32_t Out;
  };
  for (const Case& c : {Case{2.5, 2}, Case{3.5, 4}, Case{-0.5, 0}, Case{-1.5, -2}, Case{NAN, 0}, Case{1e300, INT32_MAX},
                        Case{-1e300, INT32_MIN}, Case{INFINITY, INT32_MAX}, Case{2147483646.6, INT32_MAX}})
    EXPECT_EQ(LkRoundToInt32(c.In), c.Out) << c.In;
}

}  // namespace
