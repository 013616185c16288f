#pragma once

#include "vector/PrimitiveTable.h"

namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// ForEachEntry(group, visit) calls visit(name, entry, own implementation) for every entry of the
// group, in binding order.
#define NOTECHANNELS_VISIT_ENTRY(name) visit(#name, group.name, &Own::name);
#define NOTECHANNELS_FOR_EACH_ENTRY(Group, LIST)   \
  template <typename Visit>                        \
  void ForEachEntry(Group& group, Visit&& visit) { \
    LIST(NOTECHANNELS_VISIT_ENTRY)                 \
  }

NOTECHANNELS_FOR_EACH_ENTRY(TBufferPrimitives, NOTECHANNELS_BUFFER_PRIMITIVES)
NOTECHANNELS_FOR_EACH_ENTRY(TAudioBufferPrimitives, NOTECHANNELS_AUDIO_BUFFER_PRIMITIVES)
NOTECHANNELS_FOR_EACH_ENTRY(TAudioPrimitives, NOTECHANNELS_AUDIO_PRIMITIVES)
NOTECHANNELS_FOR_EACH_ENTRY(TRampPrimitives, NOTECHANNELS_RAMP_PRIMITIVES)
NOTECHANNELS_FOR_EACH_ENTRY(TDisplayPrimitives, NOTECHANNELS_DISPLAY_PRIMITIVES)

#undef NOTECHANNELS_FOR_EACH_ENTRY
#undef NOTECHANNELS_VISIT_ENTRY

// Every group of the table in binding order.
template <typename Visit>
void ForEachGroup(TPrimitiveTable& table, Visit&& visit) {
  visit(table.Buffer);
  visit(table.AudioBuffer);
  visit(table.Audio);
  visit(table.Ramp);
  visit(table.Display);
}

}  // namespace Own
}  // namespace Primitives
