#include "pins/LkWatchers.h"

#include "platform/ErrorHook.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

std::mutex WatchersMutex;
std::vector<ILkWatcher*> Watchers;

}  // namespace

void LkWatchers::Add(ILkWatcher* watcher) {
  std::lock_guard lock(WatchersMutex);
  Watchers.push_back(watcher);
}

void LkWatchers::Remove(ILkWatcher* watcher) {
  std::lock_guard lock(WatchersMutex);
  std::erase(Watchers, watcher);
}

void LkWatchers::ForEach(void (*call)(ILkWatcher&, void*), void* context) {
  std::vector<ILkWatcher*> watchers;
  {
    std::lock_guard lock(WatchersMutex);
    if (Watchers.empty()) return;
    watchers = Watchers;
  }
  for (ILkWatcher* watcher : watchers) {
    try {
      call(*watcher, context);
    } catch (...) {
      // One failing watcher must not keep the others from hearing.
      PassErrorToHook("a pin watcher");
    }
  }
}
