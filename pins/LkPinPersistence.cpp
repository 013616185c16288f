#include "pins/LkLinkRefs.h"
#include "pins/LkPins.h"
#include "platform/ErrorHook.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

void LkPlaceholders::ResolveOnto(TLkUnloadedPin* placeholder, TLkBasicPin& pin) {
  placeholder->SetKept(true);
  const std::vector<TLkUnloadedPin::TRequest> requests = placeholder->Requests();
  for (auto it = requests.rbegin(); it != requests.rend(); ++it) pin.ConnectAsStored(it->Peer, it->AfterPin);
  if (!placeholder->PendingGroup().empty()) pin.JoinStateAsStored(placeholder->PendingGroup());
  {
    std::lock_guard lock(LkPinRegistry::Lock());
    for (TLkBasicPin* each : LkPinRegistry::Pins())
      if (each != placeholder && LkPinRegistry::IsRegistered(each)) each->PinReplaced(placeholder, &pin);
  }
  LkPlaceholders::Free(placeholder);
}

void TLkBasicPin::ResolvePlaceholders() {
  // Each round resolves one placeholder; every round frees one, so this ends.
  for (;;) {
    TLkUnloadedPin* found = nullptr;
    try {
      const std::string withRoot = GetDisplayPath(true);
      const std::string withoutRoot = GetDisplayPath(false);
      for (const std::string& wanted : {withRoot, withoutRoot}) {
        for (TLkUnloadedPin* placeholder : LkPlaceholders::All())
          if (LkPaths::IdentMatches(*placeholder, GetRoot(), wanted)) {
            found = placeholder;
            break;
          }
        if (found) break;
      }
    } catch (...) {
      PassErrorToHook("a pin's path");
      return;  // a path that cannot be computed ends the search
    }
    if (!found) return;
    LkPlaceholders::ResolveOnto(found, *this);
  }
}

void TLkBasicPin::DefineProperties(TFiler& filer) {
  TLkPinObject::DefineProperties(filer);
  filer.DefineProperty(
      "Form", [this](TLayoutReader& reader) { SetLoadedRootName(reader.ReadIdent()); },
      // A root without a name has no name to write: an empty identifier would not read back.
      [this](TLayoutWriter& writer) { writer.WriteIdent(GetRootName()); }, IsStored() && !GetRootName().empty());
  if (const char* links = LinkPropertyName())
    filer.DefineProperty(
        links, [this](TLayoutReader& reader) { ReadLinks(reader); },
        [this](TLayoutWriter& writer) { WriteLinks(writer); }, LinksStored());
  filer.DefineProperty(
      "State", [this](TLayoutReader& reader) { ReadState(reader); },
      [this](TLayoutWriter& writer) { WriteState(writer); }, StoresState());
  filer.DefineProperty(
      "StateConverter", [this](TLayoutReader& reader) { ReadStateConverter(reader); },
      [this](TLayoutWriter& writer) { WriteStateConverter(writer); }, StoresStateConverter());
}

void TLkBasicPin::ReadLinks(TLayoutReader& reader) { reader.SkipValue(); }

void TLkBasicPin::WriteLinks(TLayoutWriter& writer) { writer.WriteIdent("nil"); }

void TLkBasicPin::ConnectAsStored(TLkBasicPin* peer, TLkBasicPin* afterPin) {
  static_cast<void>(ConnectAfter(peer, afterPin));
}

void TLkBasicPin::JoinStateAsStored(const std::string& name) { static_cast<void>(JoinStateByName(name)); }

void TLkSinkPin::ReadLinks(TLayoutReader& reader) {
  ResolvePlaceholders();
  const TLkResolvedRef link = ResolveRef(reader.Root(), ReadSourceRef(reader), TLkPinKind::Source,
                                         [this](const std::string& path) { return Reroot(path); });
  ConnectAsStored(link.Peer, link.AfterPin);
}

void TLkSinkPin::WriteLinks(TLayoutWriter& writer) {
  TLkBasicPin* source = GetSource();
  WriteSourceRef(writer, *source, source->GetAfterPin(this));
}

void TLkSourcePin::ReadLinks(TLayoutReader& reader) {
  ResolvePlaceholders();
  reader.ReadListBegin();
  while (!reader.EndOfList()) ReadSinkItem(reader);
  reader.ReadListEnd();
}

void TLkSourcePin::ReadSinkItem(TLayoutReader& reader) {
  const TLkResolvedRef link = ResolveRef(reader.Root(), ReadSinkRef(reader), TLkPinKind::Sink,
                                         [this](const std::string& path) { return Reroot(path); });
  // A stored after-pin chain that comes back to the sink is refused here like any other cycle.
  ConnectAsStored(link.Peer, link.AfterPin);
}

void TLkSourcePin::WriteLinks(TLayoutWriter& writer) {
  std::vector<std::pair<TLkBasicPin*, TLkBasicPin*>> sinks;
  {
    std::lock_guard guard(EntriesGuard);
    for (const TLkSinkEntry& entry : Entries) sinks.emplace_back(entry.Sink, entry.AfterPin);
  }
  writer.WriteListBegin();
  for (const auto& [sink, after] : sinks) WriteSinkRef(writer, *sink, after);
  writer.WriteListEnd();
}
