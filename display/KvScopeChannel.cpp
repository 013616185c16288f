#include "display/KvScopeChannel.h"

#include "display/KvAxisIndexProperty.h"
#include "display/KvScope.h"

#include <mutex>

const TEnumNames<TKvScopeShadeMode>& ShadeModeNames() {
  static const TEnumNames<TKvScopeShadeMode> names = {{TKvScopeShadeMode::csmZero, "csmZero"},
                                                      {TKvScopeShadeMode::csmTop, "csmTop"},
                                                      {TKvScopeShadeMode::csmBottom, "csmBottom"}};
  return names;
}

const TClassInfo& TKvScopeChannel::StaticClassInfo() {
  return DefineClass<TKvScopeChannel, TKvDisplayChannel>("TKvScopeChannel", [](TPublished<TKvScopeChannel>& p) {
    p.Enumeration("ShadeMode", ShadeModeNames(), &TKvScopeChannel::ShadeMode, &TKvScopeChannel::SetShadeMode,
                  TKvScopeShadeMode::csmZero)
        .Object("Points", &TKvScopeChannel::Points)
        .Collection("Markers", &TKvScopeChannel::Markers,
                    [](const TKvScopeChannel& channel) { return channel.Markers()->Count() > 0; });
  });
}

TKvScopeChannel::TKvScopeChannel(TCollection& collection)
    : TKvDisplayChannel(collection, static_cast<TKvScopeChannels&>(collection).Scope()),
      Scope_(static_cast<TKvScopeChannels&>(collection).Scope()),
      Points_(Scope_, this) {
  SetColor(static_cast<TKvScopeChannels&>(collection).NextColor());
  const std::string name = "Channel" + std::to_string(Scope_.InputPins()->GetCount());
  TKvDisplayChannel::SetName(name);
  InputPin_.reset(new TKvLkComboRealIntComplexPairedQueuedSinkPin(
      &Scope_,
      [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) {
        return Scope_.Receive(*this, operation);
      },
      &Scope_.DataLock()));
  XInputPin_.reset(new TKvLkQueuedIntegerRealSinkPin(
      &Scope_,
      [this](TLkBasicPin*, const TGUID&, uint8_t, TLkNotifyOperation& operation) {
        return Scope_.ReceiveX(*this, operation);
      },
      &Scope_.DataLock()));
  Scope_.InputPins()->AddNamed(InputPin_.get(), name);
  Scope_.XInputPins()->AddNamed(XInputPin_.get(), name);
  Scope_.Join(*this);
}

TKvScopeChannel::~TKvScopeChannel() {
  {
    // What is delivered meanwhile finds the stop pending and is skipped. A channel goes even when
    // another stop holds the lock: its pins must not outlive it.
    const TLkLockSection stop = Scope_.DataLock().StopLock();
    Scope_.Leave(*this);
    Scope_.InputPins()->Remove(InputPin_.get());
    Scope_.XInputPins()->Remove(XInputPin_.get());
    InputPin_.reset();
    XInputPin_.reset();
  }
  if (!Scope_.IsDestroying()) Scope_.Relayout();
}

void TKvScopeChannel::SetShadeMode(TKvScopeShadeMode mode) {
  if (mode == ShadeMode_) return;
  ShadeMode_ = mode;
  Scope_.Redraw();
}

void TKvScopeChannel::SetName(const std::string& name) {
  TKvDisplayChannel::SetName(name);
  // The pins are listed under the channel's name.
  Scope_.InputPins()->SetPinName(Scope_.InputPins()->IndexOf(InputPin_.get()), name);
  Scope_.XInputPins()->SetPinName(Scope_.XInputPins()->IndexOf(XInputPin_.get()), name);
}

void TKvScopeChannel::Started(double rate, bool spectrum, bool xInUse) {
  SampleRate_.store(rate);
  Spectrum.store(spectrum);
  XInUse.store(xInUse);
}

TKvTraceHit TKvScopeChannel::HitTest(int x, int y) const {
  return HitTrace(Trace_, x, y, ChannelMode(), Points_.Visible(), int(Points_.Size()), Width());
}

void TKvScopeChannel::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TKvScopeChannel*>(&source);
  if (!other) return TKvDisplayChannel::Assign(source);
  if (other == this) return;
  {
    // No commit of this scope runs between the two traces.
    const std::lock_guard guard(Scope_.Section);
    Data_.CopyFrom(other->Data_);
  }
  Markers_.Clear();
  const TKvScopeMarkerGroups& groups = *Scope_.MarkerGroups();
  for (int i = 0; i < other->Markers_.Count(); ++i) {
    const TKvScopeChannelMarker& marker = other->Markers_.Marker(i);
    TKvScopeChannelMarker& copy = Markers_.AddMarker();
    copy.SetName(marker.Name());
    copy.SetPosition(marker.Position());
    TKvScopeMarkerGroup* group = marker.MarkerGroup();
    const int index = group ? group->Index() : -1;
    if (&other->Scope_ == &Scope_) copy.SetMarkerGroup(group);
    else if (index >= 0 && index < groups.Count()) copy.SetMarkerGroup(&groups.Group(index));
  }
  SetColor(other->Color());
  Scope_.Relayout();
}

void TKvScopeChannel::DefineProperties(TFiler& filer) {
  TKvDisplayChannel::DefineProperties(filer);
  DefineAxisIndexProperty(filer, *this);
}
