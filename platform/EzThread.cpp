#include "platform/EzThread.h"

#include <pthread.h>

#include <mutex>
#include <vector>

namespace {

// Threads that were let go, kept until another thread joins them: one whose body has returned is
// joined by the next Detach, the rest when the process ends.
class TLetGoThreads {
public:
  void Add(std::thread thread, std::shared_ptr<std::atomic<bool>> bodyReturned) {
    std::vector<std::thread> finished;
    {
      std::lock_guard lock(Mutex);
      if (Closed) {
        thread.detach();
        return;
      }
      for (auto it = Threads.begin(); it != Threads.end();) {
        if (it->BodyReturned->load() && it->Thread.get_id() != std::this_thread::get_id()) {
          finished.push_back(std::move(it->Thread));
          it = Threads.erase(it);
        } else {
          ++it;
        }
      }
      Threads.push_back({std::move(thread), std::move(bodyReturned)});
    }
    // Outside the lock: what is left of these threads is their exit.
    for (auto& done : finished) done.join();
  }

  void JoinAll() {
    std::vector<TEntry> all;
    {
      std::lock_guard lock(Mutex);
      Closed = true;
      all.swap(Threads);
    }
    for (auto& entry : all) {
      if (entry.Thread.get_id() == std::this_thread::get_id()) entry.Thread.detach();
      else entry.Thread.join();
    }
  }

private:
  struct TEntry {
    std::thread Thread;
    std::shared_ptr<std::atomic<bool>> BodyReturned;
  };
  std::mutex Mutex;
  std::vector<TEntry> Threads;
  bool Closed = false;
};

// Never destroyed, so a thread let go during the process's teardown still finds it.
TLetGoThreads& LetGoThreads() {
  static auto* threads = new TLetGoThreads;
  return *threads;
}

struct TJoinLetGoThreadsAtExit {
  TJoinLetGoThreadsAtExit() { LetGoThreads(); }
  ~TJoinLetGoThreadsAtExit() { LetGoThreads().JoinAll(); }
} JoinLetGoThreadsAtExit;

}  // namespace

TEzThread::TEzThread(std::string name, std::function<void()> body) : Name_(std::move(name)) {
  Thread = std::thread([shown = Name_.substr(0, 15), body = std::move(body), returned = BodyReturned] {
    pthread_setname_np(pthread_self(), shown.c_str());
    body();
    returned->store(true);
  });
  Id = Thread.get_id();
}

TEzThread::~TEzThread() {
  if (!Thread.joinable()) return;
  if (IsCurrent()) Detach();
  else Thread.join();
}

void TEzThread::WaitFor() {
  if (Thread.joinable() && !IsCurrent()) Thread.join();
}

void TEzThread::Detach() {
  if (Thread.joinable()) LetGoThreads().Add(std::move(Thread), BodyReturned);
}
