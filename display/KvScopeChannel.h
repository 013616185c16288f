#pragma once

#include "display/KvDisplayChannel.h"
#include "display/KvScopeChannelData.h"
#include "display/KvScopeHitTest.h"
#include "display/KvScopeMarkers.h"
#include "display/KvScopePoints.h"
#include "display/KvScopeTrace.h"
#include "pins/KvQueuedSinkPins.h"

#include <atomic>
#include <cstdint>

class TKvScope;

class TKvCanvas;

// Before a channel is drawn: the scope, the channel's index, whether its pixels are computed anew,
// and its committed samples.
using TKvChannelDrawEvent = void(TObject* scope, int channel, bool recompute, uint32_t count, const double* values);
// Before each bar of a channel: the handler may leave it out (`draw`); it is told whether this is
// the highlighting pass and the X and Y values the bar stands for.
using TKvSampleDrawEvent = void(TObject* channel, TKvCanvas& canvas, bool& draw, bool highlighting, double x, double y);

// Where bars start and shading reaches: the zero line, the top or the bottom edge.
enum class TKvScopeShadeMode { csmZero, csmTop, csmBottom };
const TEnumNames<TKvScopeShadeMode>& ShadeModeNames();

// A channel of the scope: its input pins and its samples.
//
// The channel's two pins join the scope's InputPins and XInputPins under the channel's name, and
// leave them with the channel. What they deliver is handed to the scope, which stores it in the
// channel's data on the delivering thread.
class TKvScopeChannel : public TKvDisplayChannel {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvScopeChannel(TCollection& collection);
  ~TKvScopeChannel() override;

  TKvScope& Scope() const { return Scope_; }
  TKvLkComboRealIntComplexPairedQueuedSinkPin* InputPin() const { return InputPin_.get(); }
  TKvLkQueuedIntegerRealSinkPin* XInputPin() const { return XInputPin_.get(); }
  TKvScopeShadeMode ShadeMode() const { return ShadeMode_; }
  void SetShadeMode(TKvScopeShadeMode mode);
  void SetName(const std::string& name) override;
  TKvScopePoints* Points() const { return const_cast<TKvScopePoints*>(&Points_); }
  TKvScopeChannelMarkers* Markers() const { return const_cast<TKvScopeChannelMarkers*>(&Markers_); }

  // The pixels of the committed data as last drawn (window thread).
  const TKvScopeTrace& Trace() const { return Trace_; }
  TKvScopeTrace& Trace() { return Trace_; }
  // How near (x, y) lies to the trace as last drawn.
  TKvTraceHit HitTest(int x, int y) const;

  // In the legend: a bar in the channel's colour and its point mark, listed while visible,
  // framed while under the mouse, and drawn highlighted in the plot while its entry is hovered.
  bool DrawLegendSample(TKvCanvas& canvas, int x, int y) const override;
  bool IsLegendVisible() const override { return Visible(); }
  bool IsHighlighted() const override;
  void SetLegendHighlight(bool on) override;

  TEvent<TKvChannelDrawEvent> OnChannelDraw;
  TEvent<TKvSampleDrawEvent> OnSampleDraw;

  // The axis indices are stored together, Y first.
  void DefineProperties(TFiler& filer) override;
  // From another scope channel: its pending and drawn samples, its markers (in the group of the
  // same index when the channel belongs to another scope) and its colour. Anything else raises
  // EConvertError.
  void Assign(const TPersistent& source) override;

  TKvScopeChannelData& Data() { return Data_; }
  const TKvScopeChannelData& Data() const { return Data_; }

  // Set by the stream's start.
  double SampleRate() const { return SampleRate_.load(); }
  bool IsSpectrum() const { return Spectrum.load(); }
  bool XInputInUse() const { return XInUse.load(); }
  void Started(double rate, bool spectrum, bool xInUse);

  // Buffers kept in the pins' queues, under the scope's critical section.
  int QueuedY = 0;
  int QueuedX = 0;

  // Buffers (or X and Y pairs) whose samples reached the channel's trace since it was made: what a
  // long run compares with what its source sent. Read on any thread; counted by the scope.
  uint64_t StoredBuffers() const { return StoredBuffers_.load(std::memory_order_relaxed); }
  void CountStoredBuffer() { StoredBuffers_.fetch_add(1, std::memory_order_relaxed); }

private:
  TKvScope& Scope_;
  TKvScopeShadeMode ShadeMode_ = TKvScopeShadeMode::csmZero;
  TKvScopeChannelData Data_;
  TKvScopePoints Points_;
  TKvScopeTrace Trace_;
  TKvScopeChannelMarkers Markers_{*this};
  std::atomic<double> SampleRate_{10000};
  std::atomic<bool> Spectrum{false};
  std::atomic<bool> XInUse{false};
  std::atomic<uint64_t> StoredBuffers_{0};
  TLkPinPtr<TKvLkComboRealIntComplexPairedQueuedSinkPin> InputPin_;
  TLkPinPtr<TKvLkQueuedIntegerRealSinkPin> XInputPin_;
};
