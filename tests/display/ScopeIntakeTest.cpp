// The scope's channels and what reaches them through their pins: the palette, the pin lists,
// a channel assigned from another, pending and committed data with the rolling window, traces
// that wait for each other, XY pairs, and buffers from a producer thread while the window thread
// refreshes.
#include "DisplayTestKit.h"
#include "buffers/KvSimpleDataBuffer.h"
#include "display/KvScope.h"
#include "pins/LkOperations.h"

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <thread>
#include <vector>

namespace {

using TTestScope = TRefreshing<TKvScope>;
using TScopePtr = TPtr<TTestScope>;
using TComponentPtr = std::unique_ptr<TComponent, TComponentDeleter>;

TScopePtr Scope(int channels) {
  TScopePtr scope(new TTestScope(nullptr));
  while (scope->Channels()->Count() < channels) scope->Channels()->AddChannel();
  return scope;
}

TRef<IKvRealBuffer> Reals(const std::vector<double>& values) {
  return MakeRef<TKvRealBuffer>(values.data(), uint32_t(values.size()));
}

// `count` samples first, first + 1, …
std::vector<double> Ramp(double first, size_t count) {
  std::vector<double> values(count);
  std::iota(values.begin(), values.end(), first);
  return values;
}

// A real source for each channel, linked and started at 44100 Hz.
class TFeeds {
public:
  explicit TFeeds(TKvScope& scope, bool start = true) {
    for (int i = 0; i < scope.Channels()->Count(); ++i) {
      Sources.emplace_back(new TKvLkRealSourcePin(Owner.get(), nullptr));
      EXPECT_TRUE(scope.Channels()->Channel(i).InputPin()->Connect(Sources.back().get()));
      if (start) Sources.back()->Notify(*MakeRef<TLkStartSampleRateOperation>(44100.0));
    }
  }
  TKvLkRealSourcePin& operator[](int index) { return *Sources[size_t(index)]; }
  void Send(int index, const std::vector<double>& values) { (*this)[index].SendBuffer(Reals(values)); }

private:
  TComponentPtr Owner{new TComponent(nullptr)};
  std::vector<TLkPinPtr<TKvLkRealSourcePin>> Sources;
};

const std::vector<double>& Trace(const TKvScope& scope, int channel) {
  return scope.Channels()->Channel(channel).Data().Y();
}

TEST(ScopeChannels, NewChannelsTakeTheLeastUsedPaletteColour) {
  struct TCase {
    std::vector<TColor> existing;
    TColor expected;
  };
  const TCase cases[] = {
      {{255}, 65280},
      {{255, 65280, 16711680}, 65535},
      // A recoloured channel frees its colour; the earliest of the least used wins.
      {{255, 255, 16711680}, 65280},
      {{12632256}, 255},
  };
  for (const TCase& c : cases) {
    TScopePtr scope = Scope(int(c.existing.size()));
    for (size_t i = 0; i < c.existing.size(); ++i) scope->Channels()->Channel(int(i)).SetColor(c.existing[i]);
    EXPECT_EQ(scope->Channels()->AddChannel().Color(), c.expected) << c.existing.size() << " channels";
  }
}

TEST(ScopeChannels, PinsFollowTheirChannelsThroughThePinLists) {
  TScopePtr scope = Scope(1);
  TKvScopeChannels& channels = *scope->Channels();
  EXPECT_EQ(channels.Channel(0).Name(), "Channel0");
  TKvScopeChannel& second = channels.AddChannel();
  EXPECT_EQ(second.Name(), "Channel1");
  ASSERT_EQ(scope->InputPins()->GetCount(), 2);
  ASSERT_EQ(scope->XInputPins()->GetCount(), 2);
  EXPECT_EQ(scope->InputPins()->GetPin(1), second.InputPin());
  EXPECT_EQ(scope->XInputPins()->GetPin(1), second.XInputPin());

  second.SetName("Signal");
  EXPECT_EQ(scope->InputPins()->GetPinName(1), "Signal");
  EXPECT_EQ(scope->XInputPins()->GetPinName(1), "Signal");

  // A linked channel goes: its pins leave the lists and the source is unlinked.
  TFeeds feeds(*scope);
  channels.Delete(0);
  ASSERT_EQ(scope->InputPins()->GetCount(), 1);
  EXPECT_EQ(scope->InputPins()->GetPin(0), second.InputPin());
  EXPECT_EQ(scope->InputPins()->GetPinName(0), "Signal");
  EXPECT_EQ(feeds[0].GetLinkCount(), 0);
  // The remaining channel no longer waits for the deleted one.
  feeds.Send(1, Ramp(0, 8));
  scope->Refresh();
  EXPECT_EQ(Trace(*scope, 0), Ramp(0, 8));
}

TEST(ScopeChannels, AssigningAChannelCopiesItsSamplesMarkersAndColour) {
  TScopePtr scope = Scope(2), other = Scope(1);
  TKvScopeChannel& source = scope->Channels()->Channel(0);
  TKvScopeChannel& target = scope->Channels()->Channel(1);
  // Drawn 10 … 13, and 20, 21 waiting for the next refresh.
  source.Data().StoreUniform(4, 0, [](uint32_t i) { return 10.0 + i; });
  scope->Refresh();
  source.Data().StoreUniform(2, 0, [](uint32_t i) { return 20.0 + i; });
  source.SetColor(clYellow);
  scope->MarkerGroups()->AddGroup();
  TKvScopeMarkerGroup& second = scope->MarkerGroups()->AddGroup();
  TKvScopeChannelMarker& marker = source.Markers()->AddMarker();
  marker.SetPosition(3);
  marker.SetMarkerGroup(&second);
  const uint64_t generation = target.Data().Generation();

  target.Assign(source);
  EXPECT_EQ(target.Data().Y(), Ramp(10, 4));
  EXPECT_NE(target.Data().Generation(), generation) << "its pixels are computed again";
  EXPECT_EQ(target.Color(), clYellow);
  ASSERT_EQ(target.Markers()->Count(), 1);
  EXPECT_EQ(target.Markers()->Marker(0).Position(), 3);
  EXPECT_EQ(target.Markers()->Marker(0).MarkerGroup(), &second);
  EXPECT_EQ(source.Markers()->Count(), 1) << "the source keeps its own";
  scope->Refresh();
  EXPECT_EQ(target.Data().Y(), Ramp(20, 2)) << "what waited came along";
  // Into another scope: the group of the same index there.
  other->MarkerGroups()->AddGroup();
  TKvScopeMarkerGroup& otherSecond = other->MarkerGroups()->AddGroup();
  other->Channels()->Channel(0).Assign(source);
  EXPECT_EQ(other->Channels()->Channel(0).Markers()->Marker(0).MarkerGroup(), &otherSecond);
  EXPECT_EQ(other->Channels()->Channel(0).Data().Y(), Ramp(20, 2));
  // Nothing but a channel is taken, and a channel given itself stays as it is.
  EXPECT_THROW(target.Assign(*source.Points()), EConvertError);
  target.Assign(target);
  EXPECT_EQ(target.Markers()->Count(), 1);
  EXPECT_EQ(target.Data().Y(), Ramp(20, 2));
}

TEST(ScopeIntake, DataShowsOnlyAfterTheRefreshCommitsIt) {
  TScopePtr scope = Scope(1);
  TFeeds feeds(*scope);
  feeds.Send(0, Ramp(5, 16));
  EXPECT_TRUE(Trace(*scope, 0).empty());
  EXPECT_TRUE(scope->Refresh());
  EXPECT_EQ(Trace(*scope, 0), Ramp(5, 16));
  EXPECT_EQ(scope->XAxis()->Samples(), 16);
  // Nothing new: nothing committed, the same trace.
  scope->Refresh();
  EXPECT_FALSE(scope->Channels()->Channel(0).Data().HasNewData());
  EXPECT_EQ(Trace(*scope, 0), Ramp(5, 16));
  // Held, data keeps arriving but is not taken.
  scope->SetZoomHold(true);
  feeds.Send(0, Ramp(100, 4));
  EXPECT_FALSE(scope->Refresh());
  EXPECT_EQ(Trace(*scope, 0), Ramp(5, 16));
  scope->SetZoomHold(false);
  scope->Refresh();
  EXPECT_EQ(Trace(*scope, 0), Ramp(100, 4));
}

// Every committed trace is the last SizeLimit samples of everything sent (all of the last
// buffer for 0), whether refreshes come after every buffer or after several.
TEST(ScopeIntake, SizeLimitKeepsARollingWindowOverSeveralCommits) {
  struct TCase {
    uint32_t limit;
    size_t bufferSize;
    int buffers;
    int refreshEvery;
  };
  const TCase cases[] = {{1000, 256, 9, 1}, {1000, 256, 9, 3}, {100, 256, 2, 1}, {0, 256, 3, 2}, {1000, 1000, 3, 1}};
  for (const TCase& c : cases) {
    TScopePtr scope = Scope(1);
    scope->SetSizeLimit(c.limit);
    TFeeds feeds(*scope);
    std::vector<double> sent;
    for (int b = 0; b < c.buffers; ++b) {
      const std::vector<double> buffer = Ramp(double(sent.size()), c.bufferSize);
      feeds.Send(0, buffer);
      sent.insert(sent.end(), buffer.begin(), buffer.end());
      if ((b + 1) % c.refreshEvery != 0) continue;
      scope->Refresh();
      const size_t kept = c.limit == 0 ? c.bufferSize : std::min<size_t>(c.limit, sent.size());
      EXPECT_EQ(Trace(*scope, 0), std::vector<double>(sent.end() - long(kept), sent.end()))
          << "limit " << c.limit << ", after buffer " << b;
      EXPECT_TRUE(scope->Channels()->Channel(0).Data().UniformX());
    }
  }
}

TEST(ScopeIntake, ALowerSizeLimitTrimsTheTraces) {
  TScopePtr scope = Scope(1);
  scope->SetSizeLimit(1000);
  TFeeds feeds(*scope);
  feeds.Send(0, Ramp(0, 500));
  scope->Refresh();
  feeds.Send(0, Ramp(500, 300));
  scope->SetSizeLimit(100);
  EXPECT_EQ(Trace(*scope, 0), Ramp(400, 100));
  scope->Refresh();
  EXPECT_EQ(Trace(*scope, 0), Ramp(700, 100));
}

TEST(ScopeIntake, SingleValuesAndIntegerBuffersJoinTheTrace) {
  TScopePtr scope = Scope(1);
  scope->SetSizeLimit(4);
  TComponentPtr owner(new TComponent(nullptr));
  TLkPinPtr<TKvLkIntegerSourcePin> integers(new TKvLkIntegerSourcePin(owner.get(), nullptr));
  ASSERT_TRUE(scope->Channels()->Channel(0).InputPin()->Connect(integers.get()));
  integers->Notify(*MakeRef<TLkStartSampleRateOperation>(8000.0));
  const TRef<TKvIntegerBuffer> buffer = MakeRef<TKvIntegerBuffer>(3u);
  std::copy_n(std::begin({-7, 3, 9}), 3, buffer->WriteData());
  integers->SendBuffer(buffer);
  integers->Notify(*MakeRef<TLkSuppliedIntegerOperation>(11));
  integers->Notify(*MakeRef<TLkSuppliedIntegerOperation>(12));
  scope->Refresh();
  EXPECT_EQ(Trace(*scope, 0), (std::vector<double>{3, 9, 11, 12}));
  EXPECT_EQ(scope->GetSampleRate(), 8000);
}

TEST(ScopeIntake, TracesOfOneRefreshBelongTogether) {
  TScopePtr scope = Scope(3);
  TFeeds feeds(*scope);
  feeds.Send(0, {1});
  feeds.Send(1, {1});
  // The third has not delivered yet: nobody stores.
  scope->Refresh();
  EXPECT_TRUE(Trace(*scope, 0).empty());
  feeds.Send(2, {1});
  scope->Refresh();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Trace(*scope, i), std::vector<double>{1}) << i;

  // An invisible channel is not waited for.
  scope->Channels()->Channel(2).SetVisible(false);
  feeds.Send(0, {2});
  feeds.Send(1, {2});
  scope->Refresh();
  EXPECT_EQ(Trace(*scope, 0), std::vector<double>{2});
  EXPECT_EQ(Trace(*scope, 1), std::vector<double>{2});

  // A channel that stays silent holds the others back for MaxAhead buffers only.
  scope->Channels()->Channel(2).SetVisible(true);
  for (int k = 0; k < TKvScope::MaxAhead; ++k) feeds.Send(0, {10.0 + k});
  scope->Refresh();
  EXPECT_EQ(Trace(*scope, 0), std::vector<double>{10});

  // A stopped stream is not waited for either; what waited is stored.
  feeds[1].SendStop();
  feeds[2].SendStop();
  scope->Refresh();
  EXPECT_EQ(Trace(*scope, 0), std::vector<double>{10.0 + TKvScope::MaxAhead - 1});
  // Each buffer counts when it is stored, also one that waited and one replaced before a refresh.
  const uint64_t stored[] = {2 + TKvScope::MaxAhead, 2, 1};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(scope->Channels()->Channel(i).StoredBuffers(), stored[i]) << i;
}

TEST(ScopeIntake, XYTraces) {
  TScopePtr scope = Scope(1);
  TKvScopeChannel& channel = scope->Channels()->Channel(0);
  TComponentPtr owner(new TComponent(nullptr));
  TLkPinPtr<TKvLkRealSourcePin> xs(new TKvLkRealSourcePin(owner.get(), nullptr));
  TLkPinPtr<TKvLkRealSourcePin> ys(new TKvLkRealSourcePin(owner.get(), nullptr));
  ASSERT_TRUE(channel.XInputPin()->Connect(xs.get()));
  ASSERT_TRUE(channel.InputPin()->Connect(ys.get()));
  ys->Notify(*MakeRef<TLkStartSampleRateOperation>(1000.0));
  EXPECT_TRUE(channel.XInputInUse());
  // Paired in arrival order, as many samples as both have.
  ys->SendBuffer(Reals({10, 20, 30}));
  scope->Refresh();
  EXPECT_TRUE(Trace(*scope, 0).empty());
  xs->SendBuffer(Reals({-1, 5}));
  scope->Refresh();
  EXPECT_EQ(Trace(*scope, 0), (std::vector<double>{10, 20}));
  EXPECT_FALSE(channel.Data().UniformX());
  EXPECT_EQ(channel.Data().XValues(), (std::vector<double>{-1, 5}));
  EXPECT_TRUE(scope->HasXYChannel());
  EXPECT_EQ(scope->GetDataXMin(), -1);
  EXPECT_EQ(scope->GetDataXMax(), 5);
  // A pair counts once, the Y buffer still waiting for its X partner not yet.
  ys->SendBuffer(Reals({40}));
  EXPECT_EQ(channel.StoredBuffers(), 1u);
}

TEST(ScopeIntake, AnInvisibleChannelLeavesTheRangesAndTheRate) {
  TScopePtr scope = Scope(2);
  TFeeds feeds(*scope);
  feeds[1].Notify(*MakeRef<TLkStartSampleRateOperation>(96000.0));
  feeds.Send(0, Ramp(0, 10));
  feeds.Send(1, Ramp(0, 40));
  scope->Refresh();
  EXPECT_EQ(scope->XAxis()->Samples(), 40);
  EXPECT_EQ(scope->GetSampleRate(), 96000);
  EXPECT_EQ(scope->GetDataXMax(), 39);
  scope->Channels()->Channel(1).SetVisible(false);
  feeds.Send(0, Ramp(0, 10));
  scope->Refresh();
  EXPECT_EQ(scope->XAxis()->Samples(), 10);
  EXPECT_EQ(scope->GetSampleRate(), 44100);
  EXPECT_EQ(scope->GetDataXMax(), 9);
}

// The clock thread delivers to three channels while the window thread refreshes and paints: every
// buffer arrives whole, every refresh shows the three traces of one round, rounds only move on,
// and the last round is what remains.
TEST(ScopeIntake, ProducerThreadFeedsThreeChannelsWhileTheWindowRefreshes) {
  constexpr int Rounds = 10000;
  constexpr size_t Samples = 64;
  TScopePtr scope = Scope(3);
  scope->SetBounds(0, 0, 200, 120);
  TFeeds feeds(*scope, false);
  std::atomic<bool> done{false};
  std::thread clock([&] {
    for (int c = 0; c < 3; ++c) feeds[c].Notify(*MakeRef<TLkStartSampleRateOperation>(44100.0));
    for (int round = 0; round < Rounds; ++round)
      for (int c = 0; c < 3; ++c) feeds.Send(c, std::vector<double>(Samples, double(round)));
    done = true;
  });
  double last = -1;
  int refreshes = 0;
  const auto check = [&] {
    scope->Refresh();
    const std::vector<double>& first = Trace(*scope, 0);
    if (first.empty()) return;
    ++refreshes;
    ASSERT_EQ(first.size(), Samples);
    EXPECT_EQ(first.front(), first.back());
    for (int c = 1; c < 3; ++c) EXPECT_EQ(Trace(*scope, c), first) << "channel " << c;
    EXPECT_GE(first.front(), last);
    last = first.front();
  };
  while (!done) {
    check();
    Expose(*scope);
  }
  clock.join();
  check();
  EXPECT_EQ(last, Rounds - 1);
  EXPECT_GT(refreshes, 0);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(scope->Channels()->Channel(c).StoredBuffers(), uint64_t(Rounds)) << c;
}

}  // namespace
