#include "PinTestKit.h"
#include "StreamLog.h"

#include "buffers/DnSimpleAudioBuffer.h"
#include "pins/DnStreamTypes.h"
#include "tests/ErrorHookCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>

namespace {

using namespace KvStreamTypes;
using TOwned = std::unique_ptr<TTestComponent, TComponentDeleter>;

// A sink of strings: the system has none of its own, components declare one like this.
class TStringSink : public TKvLkSinkPin {
public:
  TStringSink(TComponent* owner, TLkReceiveCallback receive)
      : TKvLkSinkPin(owner, std::move(receive), nullptr, nullptr) {
    Accept(StringStream);
  }
};

struct StreamPins : ::testing::Test {
  TOwned A{new TTestComponent}, B{new TTestComponent}, C{new TTestComponent};
  TStreamLog Log, Other;
  TLkPinPtr<TDnLkAudioSourcePin> Audio{new TDnLkAudioSourcePin(A.get(), nullptr)};

  static TRef<TLkNotifyOperation> Start() {
    return MakeRef<TLkStartWaveOperation>(TDnWaveFormat::Pcm(2, 16, 48000, 3), false);
  }
  // Two channels of 16 bits: frame f holds 10 f + 1 in channel 0 and -f in channel 1.
  static TRef<TDnAudioBuffer> Stereo(uint32_t frames) {
    const TRef<TDnAudioBuffer> buffer = MakeRef<TDnAudioBuffer>(48000, 3, frames, 2, 16);
    for (uint32_t f = 0; f < frames; ++f) {
      buffer->SetSample(f, 0, static_cast<int32_t>(10 * f + 1));
      buffer->SetSample(f, 1, -static_cast<int32_t>(f));
    }
    return buffer;
  }
  // The values of the real or integer buffers a log holds, one vector per buffer.
  static std::vector<std::vector<double>> Values(TStreamLog& log) {
    std::vector<std::vector<double>> values;
    for (const TStreamLog::TEntry& entry : log.Snapshot()) {
      auto* supplied = OperationAs<TLkSuppliedBufferOperation>(*entry.Operation);
      if (!supplied) continue;
      std::vector<double>& buffer = values.emplace_back();
      if (auto* real = InterfaceOf<IKvRealBuffer>(*supplied->Buffer))
        buffer.assign(real->ReadData(), real->ReadData() + real->GetCount());
      else if (auto* integers = InterfaceOf<IKvIntegerBuffer>(*supplied->Buffer))
        buffer.assign(integers->ReadData(), integers->ReadData() + integers->GetCount());
    }
    return values;
  }
};

TEST_F(StreamPins, TheTypesAreRegisteredInOrderWithTheStreamHandlerAndTheConverters) {
  DnStreamTypes::Register();
  EXPECT_EQ(StreamTypeName(BinaryArray), "Kv binary array");
  EXPECT_EQ(StreamTypeName(PairedBuffers), "Kv Paired Buffers stream");
  EXPECT_EQ(StreamTypeName(StringStream), "Kv String stream");
  EXPECT_EQ(StreamTypeName(DnStreamTypes::Audio), "Dn Audio stream");
  EXPECT_EQ(StreamTypeHandler(RealArray), DefaultHandler());
  EXPECT_EQ(StreamTypeHandler(DnStreamTypes::Audio), DefaultHandler());
  // The universal stream is registered but never a link type: it has no handler.
  EXPECT_EQ(StreamTypeHandler(Universal), nullptr);
  EXPECT_NE(FindFormatConverter(LkStdTypes::DateTime, StringStream), nullptr);
  EXPECT_NE(FindFormatConverter(LkStdTypes::Real, StringStream), nullptr);
}

TEST_F(StreamPins, ALinkedSinkIsToldTheRememberedStartAndResumeThenTheLinkCallbackOrderHolds) {
  std::vector<std::string> events;
  Audio->OnLink = [&](TKvLkSourcePin*) { events.push_back("link"); };
  const TRef<TLkNotifyOperation> start = Start(), resume = MakeRef<TLkKvResumeOperation>();
  Audio->Notify(*start);
  Audio->Notify(*resume);
  EXPECT_EQ(Audio->RememberedStart(), start);

  TLkPinPtr<TDnLkAudioSinkPin> sink(new TDnLkAudioSinkPin(B.get(), Log.Callback([&](TLkNotifyOperation& op) {
    events.push_back(&op == start.Get() ? "start" : &op == resume.Get() ? "resume" : "other");
  })));
  ASSERT_TRUE(sink->Connect(Audio.get()));
  EXPECT_EQ(Audio->GetLinkType(sink.get()), DnStreamTypes::Audio);
  EXPECT_EQ(events, (std::vector<std::string>{"start", "link", "resume"}));
  EXPECT_EQ(Log.Flags(), std::vector<uint8_t>({lkLast, lkLast}));  // never a notice

  // Linked from the source's side, the sink hears the start twice and the callback runs twice.
  events.clear();
  TLkPinPtr<TDnLkAudioSinkPin> second(new TDnLkAudioSinkPin(C.get(), Other.Callback()));
  ASSERT_TRUE(Audio->Connect(second.get()));
  EXPECT_EQ(events, (std::vector<std::string>{"link", "link"}));
  EXPECT_EQ(Other.Count<TLkStartWaveOperation>(), 2);
  EXPECT_EQ(Other.Count<TLkKvResumeOperation>(), 1);
}

TEST_F(StreamPins, AnUnlinkedSinkGetsOneStopAndAfterAStopNothingIsRemembered) {
  Audio->Notify(*Start());
  TLkPinPtr<TDnLkAudioSinkPin> sink(new TDnLkAudioSinkPin(B.get(), Log.Callback()));
  ASSERT_TRUE(sink->Connect(Audio.get()));
  ASSERT_TRUE(sink->Connect(nullptr));
  EXPECT_EQ(Log.Count<TLkStopOperation>(), 1);
  EXPECT_EQ(Log.Size(), 2);

  // Relinking elsewhere stops the old stream too; a source that stopped tells a new sink nothing.
  TLkPinPtr<TDnLkAudioSourcePin> other(new TDnLkAudioSourcePin(C.get(), nullptr));
  ASSERT_TRUE(sink->Connect(Audio.get()));
  ASSERT_TRUE(sink->Connect(other.get()));
  EXPECT_EQ(Log.Count<TLkStopOperation>(), 2);
  Audio->Notify(*MakeRef<TLkKvResumeOperation>());
  Audio->SendStop();
  EXPECT_EQ(Audio->RememberedStart(), nullptr);
  EXPECT_EQ(Audio->RememberedResume(), nullptr);
  TLkPinPtr<TDnLkAudioSinkPin> late(new TDnLkAudioSinkPin(C.get(), Other.Callback()));
  ASSERT_TRUE(late->Connect(Audio.get()));
  EXPECT_EQ(Other.Size(), 0);

  // A sink being destroyed no longer reaches its owner, not even with its stop.
  const int before = Log.Size();
  sink.reset();
  EXPECT_EQ(Log.Size(), before);
}

TEST_F(StreamPins, ARealSinkOnARunningAudioSourceGetsTheStartAtOnceThenChannelZeroAsReals) {
  const TRef<TLkNotifyOperation> start = Start();
  Audio->Notify(*start);
  TLkPinPtr<TKvLkRealSinkPin> sink(new TKvLkRealSinkPin(B.get(), Log.Callback()));
  ASSERT_TRUE(sink->Connect(Audio.get()));
  EXPECT_NE(dynamic_cast<TLkAudioToRealFormatConverter*>(sink->ImmediateSource()->GetOwner()), nullptr);
  ASSERT_EQ(Log.Size(), 1);
  EXPECT_EQ(Log.Snapshot()[0].Operation, start);

  EXPECT_TRUE(Audio->SendBuffer(Stereo(3)));
  Audio->Notify(*MakeRef<TLkStartPumpOperation>());  // other operations pass the converter unchanged
  EXPECT_EQ(Values(Log), (std::vector<std::vector<double>>{{1, 11, 21}}));
  EXPECT_EQ(Log.Count<TLkStartPumpOperation>(), 1);

  // The integer converter gives the same channel unscaled.
  TLkPinPtr<TKvLkIntegerSinkPin> integers(new TKvLkIntegerSinkPin(C.get(), Other.Callback()));
  ASSERT_TRUE(integers->Connect(Audio.get()));
  EXPECT_TRUE(Audio->SendBuffer(Stereo(2)));
  EXPECT_EQ(Values(Other), (std::vector<std::vector<double>>{{1, 11}}));

  // Through the converter too, an unlinked sink is stopped.
  ASSERT_TRUE(sink->Connect(nullptr));
  EXPECT_EQ(Log.Count<TLkStopOperation>(), 1);
}

TEST_F(StreamPins, SinksSharingAConverterAreToldTheirOwnStartAndStopOnly) {
  TLkPinPtr<TKvLkRealSinkPin> first(new TKvLkRealSinkPin(B.get(), Log.Callback()));
  ASSERT_TRUE(first->Connect(Audio.get()));
  Audio->Notify(*Start());
  TLkPinPtr<TKvLkRealSinkPin> second(new TKvLkRealSinkPin(C.get(), Other.Callback()));
  ASSERT_TRUE(second->Connect(Audio.get()));
  EXPECT_EQ(Audio->ConverterCount(), 1);
  EXPECT_EQ(Other.Count<TLkStartOperation>(), 1);
  ASSERT_TRUE(second->Connect(nullptr));
  EXPECT_EQ(Other.Count<TLkStopOperation>(), 1);
  Audio->SendBuffer(Stereo(1));
  EXPECT_EQ(Log.Count<TLkStartOperation>(), 1);
  EXPECT_EQ(Log.Count<TLkStopOperation>(), 0);
  EXPECT_EQ(Values(Log).size(), 1u);
  EXPECT_EQ(Other.Size(), 2);
}

TEST_F(StreamPins, AClockSinkCountsOneTickPerBufferBesideAnAudioSink) {
  int ticks = 0;
  TLkPinPtr<TLkClockSinkPin> clock(new TLkClockSinkPin(B.get(), nullptr, nullptr, [&](TLkBasicPin*) { ++ticks; }));
  TLkPinPtr<TDnLkAudioSinkPin> audio(new TDnLkAudioSinkPin(C.get(), Log.Callback()));
  ASSERT_TRUE(clock->Connect(Audio.get()));
  ASSERT_TRUE(audio->Connect(Audio.get()));
  EXPECT_EQ(Audio->GetLinkType(clock.get()), LkStdTypes::Clock);
  Audio->Notify(*Start());
  const TRef<TDnAudioBuffer> first = Stereo(4), second = Stereo(4);
  Audio->SendBuffer(first);
  Audio->SendBuffer(second);
  EXPECT_EQ(ticks, 2);
  const std::vector<TStreamLog::TEntry> received = Log.Snapshot();
  ASSERT_EQ(received.size(), 3u);
  // The very buffers, not copies.
  EXPECT_EQ(OperationAs<TLkSuppliedBufferOperation>(*received[1].Operation)->Buffer.Get(),
            static_cast<IKvDataBuffer*>(first.Get()));
  EXPECT_EQ(OperationAs<TLkSuppliedBufferOperation>(*received[2].Operation)->Buffer.Get(),
            static_cast<IKvDataBuffer*>(second.Get()));
}

TEST_F(StreamPins, ARealSourceGivesAFloatSinkTheFirstSampleOfRealBuffersOnly) {
  TLkPinPtr<TKvLkRealSourcePin> reals(new TKvLkRealSourcePin(A.get(), nullptr, nullptr, true));
  std::vector<float> values;
  TLkPinPtr<TLkFloatSinkPin> sink(
      new TLkFloatSinkPin(B.get(), nullptr, [&](TLkBasicPin*, float v) { values.push_back(v); }));
  ASSERT_TRUE(sink->Connect(reals.get()));
  EXPECT_EQ(reals->GetLinkType(sink.get()), LkStdTypes::Float);
  const double samples[] = {0.1, 7};
  reals->SendBuffer(MakeRef<TKvRealBuffer>(samples, 2u));
  // Nothing to give: no buffer, an empty one, one of another kind, a supplied value.
  reals->SendBuffer(nullptr);
  reals->SendBuffer(MakeRef<TKvRealBuffer>(0u));
  reals->SendBuffer(MakeRef<TKvIntegerBuffer>(3u));
  reals->Notify(*MakeRef<TLkSuppliedRealOperation>(5));
  EXPECT_EQ(values, std::vector<float>{0.1f});
}

TEST_F(StreamPins, AConverterDropsABufferOfAnotherKindAndConvertsIntegers) {
  using TConverter = std::unique_ptr<TLkFormatConverter, TComponentDeleter>;
  const TConverter audioToReal(new TLkAudioToRealFormatConverter), intToReal(new TKvLkIntToRealFormatConverter);
  TLkPinPtr<TKvLkRealSinkPin> fromAudio(new TKvLkRealSinkPin(B.get(), Log.Callback()));
  TLkPinPtr<TKvLkRealSinkPin> fromIntegers(new TKvLkRealSinkPin(C.get(), Other.Callback()));
  ASSERT_TRUE(fromAudio->Connect(&audioToReal->Output()));
  ASSERT_TRUE(fromIntegers->Connect(&intToReal->Output()));
  const TRef<TKvIntegerBuffer> integers = MakeRef<TKvIntegerBuffer>(2u);
  integers->SetValue(0, -3);
  integers->SetValue(1, 2147483647);
  for (const TConverter* converter : {&audioToReal, &intToReal}) {
    (*converter)->Input().Receive(RealArray, *MakeRef<TLkSuppliedBufferOperation>(MakeRef<TKvRealBuffer>(1u)), lkLast);
    (*converter)->Input().Receive(RealArray, *MakeRef<TLkSuppliedBufferOperation>(nullptr), lkLast);
    (*converter)->Input().Receive(RealArray, *MakeRef<TLkSuppliedBufferOperation>(integers), lkLast);
  }
  EXPECT_EQ(Log.Size(), 0);
  EXPECT_EQ(Values(Other), (std::vector<std::vector<double>>{{-3, 2147483647}}));
}

// A sink's failure ends that send only: SendBuffer answers false and the next buffer goes on. The
// library's own refusals say no more; every other error also reaches the error hook.
TEST_F(StreamPins, ASendThatFailsAnswersFalseTheNextBufferGoesOnAndForeignErrorsReachTheHook) {
  const struct {
    std::function<void()> Raise;
    std::vector<std::string> Hooked;
  } cases[] = {
      {[] { throw Exception("cannot take it"); }, {}},
      {[] { throw std::runtime_error("full"); }, {"a buffer send: full"}},
      {[] { throw std::bad_alloc(); }, {"a buffer send: std::bad_alloc"}},
      {[] { throw std::logic_error("broken"); }, {"a buffer send: broken"}},
      {[] { throw ELkException(LkSelfDependencyMessage); }, {std::string("a buffer send: ") + LkSelfDependencyMessage}},
  };
  for (const auto& c : cases) {
    const TErrorHookCapture hook;
    bool fail = true;
    TLkPinPtr<TDnLkAudioSinkPin> sink(new TDnLkAudioSinkPin(B.get(), Log.Callback([&](TLkNotifyOperation&) {
      if (std::exchange(fail, false)) c.Raise();
    })));
    ASSERT_TRUE(sink->Connect(Audio.get()));
    const int before = Log.Size();
    EXPECT_FALSE(Audio->SendBuffer(Stereo(1)));
    EXPECT_TRUE(Audio->SendBuffer(Stereo(1)));
    EXPECT_EQ(Log.Size(), before + 2);
    sink.reset();
    EXPECT_EQ(hook.Errors(), c.Hooked);
  }
}

// A sink that fails between two others does not keep the buffer from the one after it; the send
// answers false and reports the failure as before. Only a pin that depends on itself ends the send
// at once, so that a runaway chain does not fan out further.
TEST_F(StreamPins, ASinkThatFailsDoesNotKeepTheBufferFromTheSinksAfterIt) {
  const struct {
    std::function<void()> Raise;
    bool AfterGetsIt;
    std::vector<std::string> Hooked;
  } cases[] = {
      {[] { throw std::runtime_error("full"); }, true, {"a buffer send: full"}},
      {[] { throw Exception("cannot take it"); }, true, {}},
      {[] { throw ELkException(LkSelfDependencyMessage); },
       false,
       {std::string("a buffer send: ") + LkSelfDependencyMessage}},
  };
  for (const auto& c : cases) {
    const TErrorHookCapture hook;
    TStreamLog first, failing, after;
    TLkPinPtr<TDnLkAudioSinkPin> sinks[] = {
        TLkPinPtr<TDnLkAudioSinkPin>(new TDnLkAudioSinkPin(B.get(), first.Callback())),
        TLkPinPtr<TDnLkAudioSinkPin>(
            new TDnLkAudioSinkPin(B.get(), failing.Callback([&](TLkNotifyOperation& operation) {
              if (OperationAs<TLkSuppliedBufferOperation>(operation)) c.Raise();
            }))),
        TLkPinPtr<TDnLkAudioSinkPin>(new TDnLkAudioSinkPin(C.get(), after.Callback())),
    };
    for (auto& sink : sinks) ASSERT_TRUE(sink->Connect(Audio.get()));
    EXPECT_FALSE(Audio->SendBuffer(Stereo(1)));
    EXPECT_EQ(first.Count<TLkSuppliedBufferOperation>(), 1);
    EXPECT_EQ(failing.Count<TLkSuppliedBufferOperation>(), 1);
    EXPECT_EQ(after.Count<TLkSuppliedBufferOperation>(), c.AfterGetsIt ? 1 : 0);
    for (auto& sink : sinks) sink.reset();
    EXPECT_EQ(hook.Errors(), c.Hooked);
  }
}

TEST_F(StreamPins, AnOperationNotHeldByReferencesIsSentButNotRemembered) {
  TLkStartOperation onStack;
  Audio->Notify(onStack);
  EXPECT_EQ(Audio->RememberedStart(), nullptr);
}

TEST_F(StreamPins, ACombinedSinkTakesIntegerBuffersDirectlyAndARealSinkNeedsAConverter) {
  TLkPinPtr<TKvLkIntegerSourcePin> integers(new TKvLkIntegerSourcePin(A.get(), nullptr));
  TLkPinPtr<TKvLkComboRealIntSinkPin> combo(new TKvLkComboRealIntSinkPin(B.get(), nullptr));
  ASSERT_TRUE(combo->Connect(integers.get()));
  EXPECT_EQ(integers->GetLinkType(combo.get()), IntegerArray);
  EXPECT_FALSE(integers->IsLinkedThroughConverter(combo.get()));

  // The widest combined sink takes complex singles without offering them as a type of its own.
  TLkPinPtr<TKvLkComboRealIntComplexPairedSinkPin> paired(new TKvLkComboRealIntComplexPairedSinkPin(C.get(), nullptr));
  EXPECT_TRUE(paired->QueryPeerInterface(LkStdTypes::RealComplex));
  EXPECT_TRUE(paired->QueryPeerInterface(ComplexArray));
  EXPECT_TRUE(paired->Connect(integers.get()));
}

TEST_F(StreamPins, UpstreamSendsReachTheSourceOwner) {
  std::vector<uint32_t> upstream;
  TLkPinPtr<TKvLkRealSourcePin> source(
      new TKvLkRealSourcePin(A.get(), [&](TLkBasicPin*, const TGUID& type, uint8_t, TLkNotifyOperation& op) -> uint8_t {
        EXPECT_EQ(type, RealArray);
        upstream.push_back(op.Id());
        return 7;
      }));
  TLkPinPtr<TKvLkRealSinkPin> sink(new TKvLkRealSinkPin(B.get(), Log.Callback()));
  ASSERT_TRUE(sink->Connect(source.get()));
  const TRef<TLkNotifyOperation> query = MakeRef<TLkQueryStreamOperation>();
  EXPECT_EQ(sink->Notify(*query), 7);
  EXPECT_EQ(upstream, std::vector<uint32_t>{query->Id()});
}

TEST_F(StreamPins, ValuesBecomeStringsThroughInsertedConverters) {
  struct Case {
    TGUID Type;
    TRef<TLkNotifyOperation> Value;
    std::string Text;
  };
  const Case cases[] = {
      {LkStdTypes::Int32, MakeRef<TLkSuppliedIntegerOperation>(-42), "-42"},
      {LkStdTypes::Real, MakeRef<TLkSuppliedRealOperation>(0.1), "0.1"},
      {LkStdTypes::Real, MakeRef<TLkSuppliedRealOperation>(1e300), "1e+300"},
      {LkStdTypes::DateTime, MakeRef<TLkSuppliedDateTimeOperation>(45000.5), "2023-03-15 12:00:00"},
      {LkStdTypes::DateTime, MakeRef<TLkSuppliedDateTimeOperation>(-1.25), "1899-12-29 06:00:00"},
      {LkStdTypes::DateTime, MakeRef<TLkSuppliedDateTimeOperation>(0.9999999), "1899-12-31 00:00:00"},
      {LkStdTypes::DateTime, MakeRef<TLkSuppliedDateTimeOperation>(1e9), ""},
  };
  for (const Case& c : cases) {
    TOwned a(new TTestComponent), b(new TTestComponent);
    TTestSource& values = a->AddSource({c.Type});
    std::vector<std::string> texts;
    TLkPinPtr<TStringSink> sink(
        new TStringSink(b.get(), [&](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& op) -> uint8_t {
          if (auto* text = OperationAs<TLkSuppliedStringOperation>(op)) texts.push_back(text->Value);
          return 0;
        }));
    ASSERT_TRUE(sink->Connect(&values));
    ASSERT_TRUE(values.IsLinkedThroughConverter(sink.get()));
    values.Notify(*c.Value);
    EXPECT_EQ(texts, std::vector<std::string>{c.Text}) << c.Text;
  }
}

TEST_F(StreamPins, AStringSourcePassesSuppliedStringsToAStringValuePeer) {
  TLkPinPtr<TKvLkStringSourcePin> strings(new TKvLkStringSourcePin(A.get(), nullptr));
  TTestSink& peer = B->AddSink({LkStdTypes::String});
  ASSERT_TRUE(peer.Connect(strings.get()));
  EXPECT_EQ(strings->GetLinkType(&peer), LkStdTypes::String);
  EXPECT_TRUE(peer.Received.empty());  // the connect notice is not passed on
  strings->Notify(*MakeRef<TLkStartOperation>());
  const TRef<TLkNotifyOperation> text = MakeRef<TLkSuppliedStringOperation>("abc");
  strings->Notify(*text);
  ASSERT_EQ(peer.Received.size(), 1u);
  EXPECT_EQ(peer.Received[0].OperationId, text->Id());
}

}  // namespace
