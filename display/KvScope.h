#pragma once

#include "display/KvDataChart.h"
#include "display/KvDisplayChannelLinks.h"
#include "display/KvDisplayCursor.h"
#include "display/KvDisplayCursorLink.h"
#include "display/KvDisplayZones.h"
#include "display/KvScopeChannels.h"
#include "display/KvScopeCursorLayer.h"
#include "display/KvScopeMarkers.h"
#include "pins/LkPins.h"
#include "platform/LkSync.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The hit point's label for a channel's point at `values` is about to show `text`; a handler may
// change it.
using TKvCustomMouseHitLabelEvent = void(TObject* scope, int channel, TKvRealPoint values, std::string& text);

// The oscilloscope-style display: a trace per channel, each fed through its input pin.
//
// Buffers arrive on the delivering threads and are stored as the channels' pending data under the
// scope's critical section; the refresh timer commits them on the window thread. A buffer waits
// in its pin's queue until every other visible started channel holds one too, so that the traces
// of one refresh belong together; a channel that ran MaxAhead buffers ahead of a silent one stores
// anyway. With X values on a channel's X input, Y buffers are paired with X buffers in arrival
// order instead.
class TKvScope : public TKvDataChart {
public:
  PUBLISHED_CLASS_INFO

  // How many buffers a channel keeps waiting for a channel that sends none.
  static constexpr int MaxAhead = 4;

  explicit TKvScope(TComponent* owner);
  ~TKvScope() override;

  TKvScopeChannels* Channels() const { return const_cast<TKvScopeChannels*>(&Channels_); }
  TKvScopeMarkerGroups* MarkerGroups() const { return const_cast<TKvScopeMarkerGroups*>(&MarkerGroups_); }
  TKvDisplayChannelLinks* ChannelLinks() const { return const_cast<TKvDisplayChannelLinks*>(&ChannelLinks_); }
  TKvBasicDisplayZones* Zones() const { return const_cast<TKvBasicDisplayZones*>(&Zones_); }
  TKvBasicDisplayZones* Ellipses() const { return const_cast<TKvBasicDisplayZones*>(&Ellipses_); }
  TLkPinList* InputPins() const { return const_cast<TLkPinList*>(&InputPins_); }
  TLkPinList* XInputPins() const { return const_cast<TLkPinList*>(&XInputPins_); }
  TKvDisplayCursors* Cursors() const { return const_cast<TKvDisplayCursors*>(&Cursors_); }
  TKvDisplayCursorLinks* CursorLinks() const { return const_cast<TKvDisplayCursorLinks*>(&CursorLinks_); }
  // The cursors and cursor links under the mouse, dragged or highlighted from the legend.
  TKvScopeCursorLayer& CursorLayer() const { return const_cast<TKvScopeCursorLayer&>(CursorLayer_); }
  bool Vertical() const { return Vertical_; }
  void SetVertical(bool vertical);
  // 0: each buffer replaces the trace; N: the trace is a rolling window of the last N samples.
  uint32_t SizeLimit() const { return SizeLimit_.load(); }
  void SetSizeLimit(uint32_t limit);

  bool IsVertical() const override { return Vertical_; }
  bool IsVerticalReversed() const override { return Vertical_ && YAxis()->Reversed(); }
  bool HasSpectrumChannel() const override;
  bool HasXYChannel() const override;
  double GetSampleRate() const override;
  double GetDataXMin() const override;
  double GetDataXMax() const override;
  bool GetChannelRange(const TKvBasicScopeYAxis& axis, double& min, double& max) const override;

  // The channel under the mouse in the data view (-1 for none), and where on its trace.
  int HoverChannel() const { return Hover; }
  // The channel whose legend entry is hovered, drawn highlighted; it clears itself when the
  // channel goes.
  TLkItemRef<TKvScopeChannel> LegendChannel;
  const TKvTraceHit& HoverHit() const { return HoverHit_; }
  // Where the mouse meets the hovered channel's trace: on the segment hit, its pixel and values
  // between the segment's two samples; none without a hovered channel.
  std::optional<TKvHitPoint> HoverPoint() const;
  std::string GetHitLabel(const TKvHitPoint& point) const override;
  TEvent<TKvCustomMouseHitLabelEvent> OnCustomMouseHitLabel;
  void UpdateHighlighting() override;
  bool DataViewMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
  void DataViewMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
  void DataViewCaptureLost() override { CursorLayer_.CancelDrag(); }
  // Cursor links name their cursors and channel markers their groups by index once all are read.
  void Loaded() override;
  // Not while a channel's draw event runs: what it changes shows in this very paint.
  void Redraw() override;

protected:
  bool CommitData() override;
  int LargestSampleCount() const override;
  void Destroying() override;
  void PaintChannels(TKvCanvas& canvas, const TKvRect& work) override;
  // The zones' fills and the cursor links' selections behind the channels; outlines, cursors and
  // links over them.
  void PaintBehindChannels(TKvCanvas& canvas, const TKvRect& work) override;
  void PaintOverChannels(TKvCanvas& canvas, const TKvRect& work) override;
  void PaintHitPoint(TKvCanvas& canvas) override;

private:
  // The legend's groups list the scope's collections while they exist.
  void BindLegend(bool bound);
  // A left press on a channel marker is its click.
  bool PressChannelMarker(int x, int y);
  // A left press on a trace is the channel's click; true when its handler took it.
  bool PressChannel(int x, int y);
  friend class TKvScopeChannel;

  // Channels join and leave the delivering side here, under the critical section.
  void Join(TKvScopeChannel& channel);
  void Leave(TKvScopeChannel& channel);
  // What arrives on a channel's pins, on the delivering thread.
  uint8_t Receive(TKvScopeChannel& channel, TLkNotifyOperation& operation);
  uint8_t ReceiveX(TKvScopeChannel& channel, TLkNotifyOperation& operation);
  // Under the critical section: stores the queued buffers that may be stored now.
  void StoreQueued();
  void StorePairs(TKvScopeChannel& channel);
  // A channel the others wait for.
  static bool Awaited(TKvScopeChannel& channel);
  void ForgetDataRange() { DataRangeValid = false; }
  // Where the channel's samples land in `work`; false when its axes do not exist.
  bool TraceView(const TKvScopeChannel& channel, const TKvRect& work, TKvTraceView& view) const;
  void PaintChannel(TKvCanvas& canvas, TKvScopeChannel& channel, const TKvRect& work, bool highlighted);
  void UpdateDataRange() const;

  mutable TLkCriticalSection Section;
  std::vector<TKvScopeChannel*> Receivers;
  TLkPinList InputPins_;
  TLkPinList XInputPins_;
  // Made before the channels, whose markers join its groups, and gone after them.
  TKvScopeMarkerGroups MarkerGroups_;
  TKvScopeChannels Channels_;
  TKvDisplayCursors Cursors_;
  TKvDisplayCursorLinks CursorLinks_;
  TKvScopeCursorLayer CursorLayer_;
  TKvBasicDisplayZones Zones_;
  TKvBasicDisplayZones Ellipses_;
  TKvDisplayChannelLinks ChannelLinks_;
  bool Vertical_ = false;
  std::atomic<uint32_t> SizeLimit_{0};
  mutable bool DataRangeValid = false;
  mutable double DataXMin = 0;
  mutable double DataXMax = 0;
  int Hover = -1;
  bool InDrawEvent = false;
  TKvTraceHit HoverHit_;
  // The step mode's corners, kept between paints.
  std::vector<QPoint> Corners;
};
