#pragma once

#include "vector/PrimitiveTable.h"

namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// Calls visit(name, entry, own implementation) for every entry of a group, in binding order.
#define NOTECHANNELS_VISIT_ENTRY(name) visit(#name, group.name, &Own::name);

template <typename Visit>
void ForEachEntry(TBufferPrimitives& group, Visit&& visit) {
  NOTECHANNELS_BUFFER_PRIMITIVES(NOTECHANNELS_VISIT_ENTRY)
}

template <typename Visit>
void ForEachEntry(TAudioBufferPrimitives& group, Visit&& visit) {
  NOTECHANNELS_AUDIO_BUFFER_PRIMITIVES(NOTECHANNELS_VISIT_ENTRY)
}

template <typename Visit>
void ForEachEntry(TAudioPrimitives& group, Visit&& visit) {
  NOTECHANNELS_AUDIO_PRIMITIVES(NOTECHANNELS_VISIT_ENTRY)
}

template <typename Visit>
void ForEachEntry(TRampPrimitives& group, Visit&& visit) {
  NOTECHANNELS_RAMP_PRIMITIVES(NOTECHANNELS_VISIT_ENTRY)
}

#undef NOTECHANNELS_VISIT_ENTRY

// Every group of the table in binding order.
template <typename Visit>
void ForEachGroup(TPrimitiveTable& table, Visit&& visit) {
  visit(table.Buffer);
  visit(table.AudioBuffer);
  visit(table.Audio);
  visit(table.Ramp);
}

}  // namespace Own
}  // namespace Primitives
