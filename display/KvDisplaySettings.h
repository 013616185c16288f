#pragma once

#include "platform/EzLockedPersistent.h"

#include <utility>

class TKvDataDisplay;

// What a change of a display setting asks of its display.
enum class TKvChangeNeed { Redraw, Relayout };

// A group of stored settings of a display: a change is made under the display's lock and then
// asks the display for a redraw or a relayout, or tells whoever bound OnChange instead.
class TKvDisplaySettings : public TEzLockedPersistentNotify {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplaySettings(TKvDataDisplay& display, TPersistent* owner, TKvChangeNeed need);

  TKvDataDisplay& Display() const { return Display_; }

protected:
  // Stores a new value and reports the change; nothing when the value is the same or the lock
  // refused the change.
  template <class T>
  void Update(T& field, T value) {
    if (field == value) return;
    Locked([&] { field = value; });
    if (field == value) Changed();
  }
  // Reports a change: to OnChange when bound, else to the display as the settings need.
  void Changed();

private:
  TKvDataDisplay& Display_;
  TKvChangeNeed Need;
};
