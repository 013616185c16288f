#pragma once

// Records what a stream pin's owner receives, from any thread.

#include "pins/LkStdTypes.h"

#include <functional>
#include <mutex>
#include <vector>

class TStreamLog {
public:
  struct TEntry {
    TRef<TLkNotifyOperation> Operation;
    uint8_t Flags;
  };

  // A receive callback that records, then calls `also` with the operation.
  TLkReceiveCallback Callback(std::function<void(TLkNotifyOperation&)> also = nullptr) {
    return [this, also = std::move(also)](TLkBasicPin*, const TGUID&, uint8_t flags,
                                          TLkNotifyOperation& operation) -> uint8_t {
      {
        std::lock_guard lock(Guard);
        Entries.push_back({TRef<TLkNotifyOperation>(&operation), flags});
      }
      if (also) also(operation);
      return 0;
    };
  }

  int Size() {
    std::lock_guard lock(Guard);
    return static_cast<int>(Entries.size());
  }
  // How many of the operations are T (or descendants).
  template <class T>
  int Count() {
    std::lock_guard lock(Guard);
    int count = 0;
    for (const TEntry& entry : Entries) count += OperationAs<T>(*entry.Operation) != nullptr;
    return count;
  }
  std::vector<uint8_t> Flags() {
    std::lock_guard lock(Guard);
    std::vector<uint8_t> flags;
    for (const TEntry& entry : Entries) flags.push_back(entry.Flags);
    return flags;
  }
  std::vector<TEntry> Snapshot() {
    std::lock_guard lock(Guard);
    return Entries;
  }

private:
  std::mutex Guard;
  std::vector<TEntry> Entries;
};
