#include "display/KvScope.h"

#include "display/KvCanvas.h"
#include "display/KvScopeTracePaint.h"
#include "display/KvStreamStart.h"
#include "platform/ErrorHook.h"
#include "platform/ScopeGuards.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

// Calls `use` with the samples and count of a real or an integer buffer; false for any other.
template <class Use>
bool WithSamples(IKvDataBuffer& buffer, Use use) {
  if (auto* reals = InterfaceOf<IKvRealBuffer>(buffer)) {
    use(reals->ReadData(), reals->GetCount());
    return true;
  }
  if (auto* integers = InterfaceOf<IKvIntegerBuffer>(buffer)) {
    use(integers->ReadData(), integers->GetCount());
    return true;
  }
  return false;
}

// The oldest buffer of a queue that keeps `count` of them.
TRef<IKvDataBuffer> PopOldest(TKvLkQueuedPinImpl& queued, int& count) {
  TRef<IKvDataBuffer> buffer;
  queued.Queue().PopBuffer(buffer);
  --count;
  return buffer;
}

}  // namespace

const TClassInfo& TKvScope::StaticClassInfo() {
  return DefineClass<TKvScope, TKvDataChart>("TKvScope", [](TPublished<TKvScope>& p) {
    // The pin lists are stored for the links of their pins, after the channels that make the pins.
    p.Collection("Channels", &TKvScope::Channels)
        .Collection("Cursors", &TKvScope::Cursors)
        .Collection("CursorLinks", &TKvScope::CursorLinks)
        .Object("InputPins", &TKvScope::InputPins)
        .Object("XInputPins", &TKvScope::XInputPins)
        .Boolean("Vertical", &TKvScope::Vertical, &TKvScope::SetVertical, false)
        .Unsigned("SizeLimit", &TKvScope::SizeLimit, &TKvScope::SetSizeLimit, 0)
        .Collection("MarkerGroups", &TKvScope::MarkerGroups,
                    [](const TKvScope& scope) { return scope.MarkerGroups()->Count() > 0; })
        .Collection("Zones", &TKvScope::Zones, [](const TKvScope& scope) { return scope.Zones()->Count() > 0; })
        .Collection("Ellipses", &TKvScope::Ellipses,
                    [](const TKvScope& scope) { return scope.Ellipses()->Count() > 0; })
        .Collection("ChannelLinks", &TKvScope::ChannelLinks,
                    [](const TKvScope& scope) { return scope.ChannelLinks()->Count() > 0; });
  });
}

TKvScope::TKvScope(TComponent* owner)
    : TKvDataChart(owner),
      InputPins_(this, false, &DataLock()),
      XInputPins_(this, false, &DataLock()),
      MarkerGroups_(*this),
      Channels_(*this),
      Cursors_(*this),
      CursorLinks_(*this),
      CursorLayer_(*this),
      Zones_(*this, TCollection::ItemsOf<TKvDisplayZone>(), *Highlighting()->Zones()),
      Ellipses_(*this, TCollection::ItemsOf<TKvDisplayEllipticZone>(), *Highlighting()->Ellipses()),
      ChannelLinks_(*this) {
  BindLegend(true);
  Channels_.Add();
}

TKvScope::~TKvScope() { BindLegend(false); }

void TKvScope::BindLegend(bool bound) {
  const auto bind = [bound](TKvLegendGroup* group, TLkExtCollection& items) { group->Bind(bound ? &items : nullptr); };
  TKvScopeLegendView& legend = *Legend();
  bind(legend.Channels(), Channels_);
  bind(legend.ChannelLinks(), ChannelLinks_);
  bind(legend.MarkerGroups(), MarkerGroups_);
  bind(legend.Zones(), Zones_);
  bind(legend.Ellipses(), Ellipses_);
  bind(legend.Cursors(), Cursors_);
  bind(legend.CursorLinks(), CursorLinks_);
}

void TKvScope::Destroying() {
  // Each channel stops and unlinks its pins while the display is still whole.
  Channels_.Clear();
  CursorLinks_.Clear();
  Cursors_.Clear();
  TKvDataChart::Destroying();
}

void TKvScope::SetVertical(bool vertical) {
  if (vertical == Vertical_) return;
  Vertical_ = vertical;
  Relayout();
}

void TKvScope::SetSizeLimit(uint32_t limit) {
  if (limit == SizeLimit_.load()) return;
  {
    // A setting is never dropped: it waits out a pending stop rather than being refused.
    const TLkLockSection section = DataLock().WaitingLock();
    const std::lock_guard guard(Section);
    SizeLimit_.store(limit);
    for (TKvScopeChannel* channel : Receivers) channel->Data().Trim(limit);
  }
  Relayout();
}

void TKvScope::Join(TKvScopeChannel& channel) {
  const std::lock_guard guard(Section);
  Receivers.push_back(&channel);
}

void TKvScope::Leave(TKvScopeChannel& channel) {
  const std::lock_guard guard(Section);
  std::erase(Receivers, &channel);
  // The others no longer wait for it.
  StoreQueued();
}

bool TKvScope::Awaited(TKvScopeChannel& channel) {
  return channel.Visible() && !channel.XInputInUse() && channel.InputPin()->IsLinked() &&
         channel.InputPin()->Queued().IsStarted();
}

uint8_t TKvScope::Receive(TKvScopeChannel& channel, TLkNotifyOperation& operation) {
  const TLkLockSection section = DataLock().WriteLock();
  if (!section) return 0;
  TKvLkQueuedPinImpl& queued = channel.InputPin()->Queued();
  const uint32_t limit = SizeLimit_.load();
  if (const std::optional<TKvStreamStart> start = StreamStartOf(operation)) {
    const std::lock_guard guard(Section);
    // What a former stream left waiting goes.
    while (channel.QueuedY > 0) PopOldest(queued, channel.QueuedY);
    queued.SetSampleRate(start->Rate);
    channel.Started(start->Rate, start->Spectrum, channel.XInputPin()->IsLinked());
    channel.Data().ClearPending();
    DataArrived();
  } else if (OperationAs<TLkStopOperation>(operation)) {
    const std::lock_guard guard(Section);
    queued.Reset();
    StoreQueued();
  } else if (auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation)) {
    if (!supplied->Buffer) return 0;
    if (auto* complex = InterfaceOf<IKvComplexBuffer>(*supplied->Buffer)) {
      // Real parts are X values, imaginary parts Y values.
      const Primitives::Ipp64fc* pairs = complex->ReadData();
      channel.Data().StorePaired(
          complex->GetCount(), limit, [pairs](uint32_t i) { return pairs[i].re; },
          [pairs](uint32_t i) { return pairs[i].im; });
      channel.CountStoredBuffer();
      DataArrived();
      return 0;
    }
    if (!InterfaceOf<IKvRealBuffer>(*supplied->Buffer) && !InterfaceOf<IKvIntegerBuffer>(*supplied->Buffer)) return 0;
    const std::lock_guard guard(Section);
    queued.Push(supplied->Buffer);
    ++channel.QueuedY;
    if (channel.XInputInUse()) StorePairs(channel);
    else StoreQueued();
  } else if (auto* real = OperationAs<TLkSuppliedRealOperation>(operation)) {
    channel.Data().AppendValue(real->Value, limit);
    DataArrived();
  } else if (auto* single = OperationAs<TLkSuppliedSingleOperation>(operation)) {
    channel.Data().AppendValue(single->Value, limit);
    DataArrived();
  } else if (auto* integer = OperationAs<TLkSuppliedIntegerOperation>(operation)) {
    channel.Data().AppendValue(integer->Value, limit);
    DataArrived();
  }
  return 0;
}

uint8_t TKvScope::ReceiveX(TKvScopeChannel& channel, TLkNotifyOperation& operation) {
  const TLkLockSection section = DataLock().WriteLock();
  if (!section) return 0;
  TKvLkQueuedPinImpl& queued = channel.XInputPin()->Queued();
  const std::lock_guard guard(Section);
  if (const std::optional<TKvStreamStart> start = StreamStartOf(operation)) {
    while (channel.QueuedX > 0) PopOldest(queued, channel.QueuedX);
    queued.SetSampleRate(start->Rate);
  } else if (OperationAs<TLkStopOperation>(operation)) {
    queued.Reset();
  } else if (auto* supplied = OperationAs<TLkSuppliedBufferOperation>(operation)) {
    if (!supplied->Buffer ||
        (!InterfaceOf<IKvRealBuffer>(*supplied->Buffer) && !InterfaceOf<IKvIntegerBuffer>(*supplied->Buffer)))
      return 0;
    queued.Push(supplied->Buffer);
    ++channel.QueuedX;
    StorePairs(channel);
  }
  return 0;
}

void TKvScope::StorePairs(TKvScopeChannel& channel) {
  TKvLkQueuedPinImpl& ys = channel.InputPin()->Queued();
  TKvLkQueuedPinImpl& xs = channel.XInputPin()->Queued();
  const uint32_t limit = SizeLimit_.load();
  while (channel.QueuedX > 0 && channel.QueuedY > 0) {
    const TRef<IKvDataBuffer> x = PopOldest(xs, channel.QueuedX);
    const TRef<IKvDataBuffer> y = PopOldest(ys, channel.QueuedY);
    WithSamples(*x, [&](const auto* xValues, uint32_t xCount) {
      WithSamples(*y, [&](const auto* yValues, uint32_t yCount) {
        // Stored together, as many as both have.
        channel.Data().StorePaired(
            std::min(xCount, yCount), limit, [xValues](uint32_t i) { return xValues[i]; },
            [yValues](uint32_t i) { return yValues[i]; });
      });
    });
    channel.CountStoredBuffer();
    DataArrived();
  }
  // A side that gets no partner keeps only its newest buffers.
  while (channel.QueuedY > MaxAhead) PopOldest(ys, channel.QueuedY);
  while (channel.QueuedX > MaxAhead) PopOldest(xs, channel.QueuedX);
}

void TKvScope::StoreQueued() {
  const uint32_t limit = SizeLimit_.load();
  for (;;) {
    bool complete = true, any = false;
    for (TKvScopeChannel* channel : Receivers) {
      if (channel->XInputInUse()) continue;
      if (channel->QueuedY > 0) any = true;
      else if (Awaited(*channel)) complete = false;
    }
    if (!any) return;
    bool stored = false;
    for (TKvScopeChannel* channel : Receivers) {
      if (channel->XInputInUse() || channel->QueuedY == 0 || (!complete && channel->QueuedY < MaxAhead)) continue;
      const TRef<IKvDataBuffer> buffer = PopOldest(channel->InputPin()->Queued(), channel->QueuedY);
      WithSamples(*buffer, [&](const auto* values, uint32_t count) {
        channel->Data().StoreUniform(count, limit, [values](uint32_t i) { return values[i]; });
      });
      channel->CountStoredBuffer();
      stored = true;
    }
    if (!stored) return;
    DataArrived();
  }
}

bool TKvScope::CommitData() {
  TakeArrivedData();
  bool committed = false;
  {
    const std::lock_guard guard(Section);
    for (int i = 0; i < Channels_.Count(); ++i) committed |= Channels_.Channel(i).Data().Commit();
  }
  if (committed) ForgetDataRange();
  return committed;
}

int TKvScope::LargestSampleCount() const {
  uint32_t largest = 0;
  for (int i = 0; i < Channels_.Count(); ++i) {
    const TKvScopeChannel& channel = Channels_.Channel(i);
    if (channel.Visible()) largest = std::max(largest, channel.Data().Count());
  }
  return int(std::min<uint32_t>(largest, INT32_MAX));
}

bool TKvScope::HasSpectrumChannel() const {
  for (int i = 0; i < Channels_.Count(); ++i)
    if (Channels_.Channel(i).Visible() && Channels_.Channel(i).IsSpectrum()) return true;
  return false;
}

bool TKvScope::HasXYChannel() const {
  for (int i = 0; i < Channels_.Count(); ++i)
    if (Channels_.Channel(i).Visible() && Channels_.Channel(i).XInputInUse()) return true;
  return false;
}

double TKvScope::GetSampleRate() const {
  double rate = 0;
  for (int i = 0; i < Channels_.Count(); ++i) {
    const TKvScopeChannel& channel = Channels_.Channel(i);
    if (channel.Visible() && channel.InputPin()->Queued().IsStarted()) rate = std::max(rate, channel.SampleRate());
  }
  return rate > 0 ? rate : 10000;
}

void TKvScope::UpdateDataRange() const {
  if (DataRangeValid) return;
  bool found = false;
  double min = 0, max = 0;
  for (int i = 0; i < Channels_.Count(); ++i) {
    const TKvScopeChannel& channel = Channels_.Channel(i);
    const TKvScopeChannelData& data = channel.Data();
    if (!channel.Visible() || data.Count() == 0) continue;
    double low = 0, high = data.Count() - 1.0;
    if (!data.UniformX())
      std::tie(low, high) = [&] {
        const auto [a, b] = std::minmax_element(data.XValues().begin(), data.XValues().end());
        return std::pair(*a, *b);
      }();
    min = found ? std::min(min, low) : low;
    max = found ? std::max(max, high) : high;
    found = true;
  }
  DataXMin = found ? min : 0;
  DataXMax = found ? max : XAxis()->Samples() - 1;
  DataRangeValid = true;
}

double TKvScope::GetDataXMin() const {
  UpdateDataRange();
  return DataXMin;
}

double TKvScope::GetDataXMax() const {
  UpdateDataRange();
  return DataXMax;
}

bool TKvScope::GetChannelRange(const TKvBasicScopeYAxis& axis, double& min, double& max) const {
  const double from = XAxis()->GetVisibleMin(), to = XAxis()->GetVisibleMax();
  bool found = false;
  for (int i = 0; i < Channels_.Count(); ++i) {
    const TKvScopeChannel& channel = Channels_.Channel(i);
    const TKvScopeChannelData& data = channel.Data();
    if (!channel.Visible() || data.Count() < 2 || GetYAxisByIndex(channel.YAxisIndex()) != &axis) continue;
    for (uint32_t k = 0; k < data.Count(); ++k) {
      const double x = data.X(k), y = data.Y()[k];
      // Only what the X axis shows, and no gaps.
      if (x < from || x > to || std::isnan(y)) continue;
      min = found ? std::min(min, y) : y;
      max = found ? std::max(max, y) : y;
      found = true;
    }
  }
  return found;
}

bool TKvScope::TraceView(const TKvScopeChannel& channel, const TKvRect& work, TKvTraceView& view) const {
  const TKvBasicScopeXAxis* x = GetXAxisByIndex(channel.XAxisIndex());
  const TKvBasicScopeYAxis* y = GetYAxisByIndex(channel.YAxisIndex());
  if (!x || !y) return false;
  const TKvScopeChannelData& data = channel.Data();
  view.Work = work;
  view.X = x->GetMapping();
  view.Y = y->GetMapping();
  view.XLabelsPerValue = x->ToLabelUnits(1);
  view.YLabelsPerValue = y->ToLabelUnits(1);
  view.VisibleMin = x->GetVisibleMin();
  view.VisibleMax = x->GetVisibleMax();
  // Samples at their indices span their own count, whatever the other channels hold.
  view.DataMin = data.UniformX() ? 0 : GetDataXMin();
  view.DataMax = data.UniformX() ? data.Count() - 1.0 : GetDataXMax();
  view.Linear = x->GetScaleMode() == TKvScaleMode::smLinear;
  view.Vertical = Vertical_;
  return true;
}

void TKvScope::PaintChannels(TKvCanvas& canvas, const TKvRect& work) {
  const TKvChannelItemHighlighting& highlighting = *Highlighting()->Channels();
  if (ChannelLinks_.AnyDrawable()) {
    // The links lie under the channels but follow their points: those are brought up to date first.
    for (int i = 0; i < Channels_.Count(); ++i) {
      TKvScopeChannel& channel = Channels_.Channel(i);
      TKvTraceView view;
      if (channel.Visible() && TraceView(channel, work, view))
        channel.Trace().Update(channel.Data(), channel.Data().Generation(), view);
    }
    ChannelLinks_.Paint(canvas);
  }
  for (int i = 0; i < Channels_.Count(); ++i) {
    TKvScopeChannel& channel = Channels_.Channel(i);
    if (!channel.Visible()) continue;
    try {
      PaintChannel(canvas, channel, work,
                   LegendChannel == &channel || (i == Hover && highlighting.HiglightFromMouse()));
      PaintChannelMarkers(canvas, channel);
    } catch (...) {
      // A channel that cannot be drawn is left out of this paint; the others still are.
      PassErrorToHook("a scope channel's paint");
    }
  }
}

void TKvScope::PaintChannel(TKvCanvas& canvas, TKvScopeChannel& channel, const TKvRect& work, bool highlighted) {
  TKvTraceView view;
  if (!TraceView(channel, work, view)) return;
  const TKvScopeTrace& trace = channel.Trace();
  const TKvScopeChannelData& data = channel.Data();
  if (channel.OnChannelDraw && data.Count() > 0) {
    // Repaints the handler asks for are held back while it runs.
    const TLkFlagGuard inEvent(InDrawEvent);
    channel.OnChannelDraw(this, channel.Index(), !trace.IsCurrent(data.Generation(), view), data.Count(),
                          data.Y().data());
  }
  channel.Trace().Update(data, data.Generation(), view);
  // Bars start at the zero line, or at the edge where the high or the low values lie.
  const int nearEdge = Vertical_ ? work.Left : work.Top;
  const int farEdge = Vertical_ ? work.Right : work.Bottom + 1;
  const bool highAtNear = view.Y.Direction() < 0;
  int base = trace.ZeroPixel();
  if (channel.ShadeMode() == TKvScopeShadeMode::csmTop) base = highAtNear ? nearEdge : farEdge;
  else if (channel.ShadeMode() == TKvScopeShadeMode::csmBottom) base = highAtNear ? farEdge : nearEdge;
  TKvTraceStyle style{channel.ChannelMode(), channel.Color(), channel.Width(), false, Vertical_, base,
                      channel.Points()};
  std::function<bool(size_t, bool)> keepBar;
  if (channel.OnSampleDraw && channel.ChannelMode() == TKvChannelMode::cmBar) {
    keepBar = [&](size_t point, bool highlighting) {
      bool draw = true;
      channel.OnSampleDraw(&channel, canvas, draw, highlighting, data.X(trace.Samples()[point]), trace.Values()[point]);
      return draw;
    };
    style.KeepBar = &keepBar;
  }
  if (highlighted) {
    TKvTraceStyle under = style;
    under.Color = Highlighting()->Channels()->Color();
    under.Width = channel.Width() + 2;
    under.Highlight = true;
    PaintTrace(canvas, trace, under, Corners);
  }
  PaintTrace(canvas, trace, style, Corners);
}

void TKvScope::Redraw() {
  if (!InDrawEvent) TKvDataChart::Redraw();
}

void TKvScope::UpdateHighlighting() {
  const QPoint mouse = MousePosition();
  const bool over = MouseInside() && DataView()->GetRect().Contains(mouse.x(), mouse.y());
  HoverHit_ = {};
  // One item is under the mouse: a cursor or cursor link, drawn over the channels, comes first.
  const bool overCursor = CursorLayer_.UpdateHover(over, mouse.x(), mouse.y());
  const bool overChannels = over && !overCursor;
  const int hover = overChannels ? Channels_.HitTest(mouse.x(), mouse.y(), &HoverHit_) : -1;
  bool moved = false;
  const auto follow = [&](auto& hovered, auto* item) {
    moved |= !(hovered == item);
    hovered = item;
  };
  follow(MarkerGroups_.Hovered, overChannels ? HitChannelMarker(Channels_, mouse.x(), mouse.y()) : nullptr);
  follow(Zones_.Hovered, overChannels ? Zones_.HitTest(mouse.x(), mouse.y()) : nullptr);
  follow(Ellipses_.Hovered, overChannels ? Ellipses_.HitTest(mouse.x(), mouse.y()) : nullptr);
  follow(ChannelLinks_.Hovered, overChannels ? ChannelLinks_.HitTest(mouse.x(), mouse.y()) : nullptr);
  if (hover == Hover && !moved) return;
  Hover = hover;
  Redraw();
}

void TKvScope::PaintBehindChannels(TKvCanvas& canvas, const TKvRect&) {
  {
    const TKvClipGuard guard(canvas);
    canvas.ClipTo(DataView()->GetRect());
    Zones_.Paint(canvas, true);
    Ellipses_.Paint(canvas, true);
  }
  CursorLayer_.PaintBehind(canvas);
}

void TKvScope::PaintOverChannels(TKvCanvas& canvas, const TKvRect&) {
  {
    const TKvClipGuard guard(canvas);
    canvas.ClipTo(DataView()->GetRect());
    Zones_.Paint(canvas, false);
    Ellipses_.Paint(canvas, false);
  }
  CursorLayer_.PaintOver(canvas);
}

// Cursors and cursor links take a press first; a left press on a channel marker is its click, and
// one on a trace (under the markers) the channel's.
bool TKvScope::DataViewMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
  if (CursorLayer_.MouseDown(button, shift, x, y)) return true;
  return button == Qt::LeftButton && (PressChannelMarker(x, y) || PressChannel(x, y));
}

void TKvScope::DataViewMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
  CursorLayer_.MouseUp(button, shift, x, y);
}

bool TKvScope::PressChannelMarker(int x, int y) {
  TKvScopeChannelMarker* marker = HitChannelMarker(Channels_, x, y);
  if (!marker) return false;
  QPoint at;
  TKvRealPoint value;
  MarkerPixel(marker->Channel(), *marker, at, &value);
  bool handled = false;
  // The handler may delete the marker, its group or its channel: nothing of them is used after.
  MarkerGroups_.OnClick(this, marker->Channel().Index(), marker->Index(), value, handled);
  return true;
}

bool TKvScope::PressChannel(int x, int y) {
  if (!Channels_.OnClick) return false;
  const int channel = Channels_.HitTest(x, y);
  if (channel < 0) return false;
  bool handled = false;
  // The handler may delete the channel: nothing of it is used after.
  Channels_.OnClick(this, channel, handled);
  return handled;
}

void TKvScope::Loaded() {
  TKvDataChart::Loaded();
  for (int i = 0; i < CursorLinks_.Count(); ++i) CursorLinks_.Link(i).ResolveLoaded();
  for (int c = 0; c < Channels_.Count(); ++c) {
    const TKvScopeChannelMarkers& markers = *Channels_.Channel(c).Markers();
    for (int m = 0; m < markers.Count(); ++m) markers.Marker(m).ResolveGroup();
  }
}
