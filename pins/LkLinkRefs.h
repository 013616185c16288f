#pragma once

// How links name their peers in a layout: an identifier path when both paths of the peer are
// equal, else a list (identifier path, 'display path'); an after-pin's identifier path joins them.

#include <functional>
#include <string>

class TComponent;
class TLayoutReader;
class TLayoutWriter;
class TLkBasicPin;
enum class TLkPinKind;

struct TLkPathRef {
  std::string Ident;
  std::string Display;
  std::string AfterIdent;  // empty when the link has no after-pin
};

// A sink's reference to its source: ident | (ident 'display') | ((ident | (ident 'display')) after).
TLkPathRef ReadSourceRef(TLayoutReader& reader);
void WriteSourceRef(TLayoutWriter& writer, TLkBasicPin& source, TLkBasicPin* afterPin);

// The group name of a State value: the name itself, or a list of the name and the members under
// other roots (those join by name when their own root loads, so they are read and skipped).
std::string ReadStateValue(TLayoutReader& reader);

// A source's reference to one sink: ident | (ident [after] 'display') | (ident after).
TLkPathRef ReadSinkRef(TLayoutReader& reader);
void WriteSinkRef(TLayoutWriter& writer, TLkBasicPin& sink, TLkBasicPin* afterPin);

// The peer a reference names and its after-pin, each found by path after `reroot` (the loaded root
// replaced by the current one), or a placeholder standing for it.
struct TLkResolvedRef {
  TLkBasicPin* Peer;
  TLkBasicPin* AfterPin;
};
TLkResolvedRef ResolveRef(TComponent* readerRoot, const TLkPathRef& ref, TLkPinKind peerKind,
                          const std::function<std::string(const std::string&)>& reroot);
