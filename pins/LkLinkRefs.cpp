#include "pins/LkLinkRefs.h"

#include "pins/LkPins.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

namespace {

// ident, or (ident 'display')
TLkPathRef ReadPathForm(TLayoutReader& reader) {
  if (reader.NextValue() == TValueKind::Identifier) {
    const std::string ident = reader.ReadIdent();
    return {ident, ident, {}};
  }
  reader.ReadListBegin();
  TLkPathRef ref;
  ref.Ident = reader.ReadIdent();
  ref.Display = reader.ReadString();
  reader.ReadListEnd();
  return ref;
}

void WritePathForm(TLayoutWriter& writer, TLkBasicPin& pin) {
  const std::string ident = pin.GetIdentPath(true);
  const std::string display = pin.GetDisplayPath(true);
  if (ident == display) return writer.WriteIdent(ident);
  writer.WriteListBegin();
  writer.WriteIdent(ident);
  writer.WriteString(display);
  writer.WriteListEnd();
}

}  // namespace

TLkPathRef ReadSourceRef(TLayoutReader& reader) {
  if (reader.NextValue() == TValueKind::Identifier) return ReadPathForm(reader);
  reader.ReadListBegin();
  TLkPathRef ref;
  if (reader.NextValue() == TValueKind::List) {
    // ((form) after): the only item is a list of the source's form and the after-pin.
    reader.ReadListBegin();
    ref = ReadPathForm(reader);
    ref.AfterIdent = reader.ReadIdent();
    reader.ReadListEnd();
  } else {
    ref.Ident = reader.ReadIdent();
    ref.Display = reader.ReadString();
  }
  reader.ReadListEnd();
  return ref;
}

void WriteSourceRef(TLayoutWriter& writer, TLkBasicPin& source, TLkBasicPin* afterPin) {
  if (!afterPin) return WritePathForm(writer, source);
  writer.WriteListBegin();
  writer.WriteListBegin();
  WritePathForm(writer, source);
  writer.WriteIdent(afterPin->GetIdentPath(true));
  writer.WriteListEnd();
  writer.WriteListEnd();
}

TLkPathRef ReadSinkRef(TLayoutReader& reader) {
  if (reader.NextValue() == TValueKind::Identifier) return ReadPathForm(reader);
  reader.ReadListBegin();
  TLkPathRef ref;
  ref.Ident = reader.ReadIdent();
  if (!reader.EndOfList() && reader.NextValue() == TValueKind::Identifier) ref.AfterIdent = reader.ReadIdent();
  ref.Display = reader.EndOfList() ? ref.Ident : reader.ReadString();
  reader.ReadListEnd();
  return ref;
}

void WriteSinkRef(TLayoutWriter& writer, TLkBasicPin& sink, TLkBasicPin* afterPin) {
  const std::string ident = sink.GetIdentPath(true);
  const std::string display = sink.GetDisplayPath(true);
  if (ident == display && !afterPin) return writer.WriteIdent(ident);
  writer.WriteListBegin();
  writer.WriteIdent(ident);
  if (afterPin) writer.WriteIdent(afterPin->GetIdentPath(true));
  if (ident != display) writer.WriteString(display);
  writer.WriteListEnd();
}

std::string ReadStateValue(TLayoutReader& reader) {
  if (reader.NextValue() == TValueKind::String) return reader.ReadString();
  reader.ReadListBegin();
  const std::string name = reader.ReadString();
  while (!reader.EndOfList()) reader.SkipValue();
  reader.ReadListEnd();
  return name;
}

TLkResolvedRef ResolveRef(TComponent* readerRoot, const TLkPathRef& ref, TLkPinKind peerKind,
                          const std::function<std::string(const std::string&)>& reroot) {
  TLkBasicPin* peer = LkPaths::FindOrCreate(readerRoot, reroot(ref.Ident), reroot(ref.Display), peerKind);
  if (ref.AfterIdent.empty()) return {peer, nullptr};
  const std::string after = reroot(ref.AfterIdent);
  return {peer, LkPaths::FindOrCreate(readerRoot, after, after, TLkPinKind::Sink)};
}
