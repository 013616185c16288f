#pragma once

#include "platform/Guid.h"

#include <cstdint>
#include <string>

class TLkBasicPin;
class TLkFormatConverter;
class TLkNotifyOperation;

// The default handler of a stream type: called for pins that register the type without a handler
// of their own, with the sending pin first.
using TLkDefaultHandler = uint8_t (*)(TLkBasicPin* sender, TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                                      TLkNotifyOperation& operation);

// Makes a format converter of one class.
using TLkFormatConverterClass = TLkFormatConverter* (*)();

// The process-wide registries of stream types and format converters. Both only grow; registering
// again updates the entry. Safe to use from any thread and during static initialisation.
void RegisterStreamType(const TGUID& type, const std::string& name);
void SetStreamTypeHandler(const TGUID& type, TLkDefaultHandler handler);
// The display name, empty when the type has none.
std::string StreamTypeName(const TGUID& type);
TLkDefaultHandler StreamTypeHandler(const TGUID& type);

void RegisterFormatConverter(const TGUID& from, const TGUID& to, TLkFormatConverterClass converterClass);
TLkFormatConverterClass FindFormatConverter(const TGUID& from, const TGUID& to);

// The converter registry from the last registered entry to the first.
template <class Visit>  // bool Visit(from, to, class): true stops the walk
void ForEachFormatConverterFromLast(Visit visit);

namespace lk_detail {
struct TConverterEntry {
  TGUID From;
  TGUID To;
  TLkFormatConverterClass Class;
};
// A snapshot of the converter registry; entries are never removed, so indices stay valid.
int ConverterCount();
TConverterEntry ConverterAt(int index);
}  // namespace lk_detail

template <class Visit>
void ForEachFormatConverterFromLast(Visit visit) {
  for (int i = lk_detail::ConverterCount() - 1; i >= 0; --i) {
    const lk_detail::TConverterEntry entry = lk_detail::ConverterAt(i);
    if (visit(entry.From, entry.To, entry.Class)) return;
  }
}
