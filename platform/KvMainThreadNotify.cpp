#include "platform/KvMainThreadNotify.h"

#include "platform/ErrorHook.h"
#include "platform/ErrorReport.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// Read when the unit starts, which is on the thread that starts the program.
const std::thread::id StartingThread = std::this_thread::get_id();

}  // namespace

// The registered notifiers, while there is at least one, and what is posted to them.
class TKvMainWindowNode {
public:
  static void Register(TKvMainThreadNotify& notifier);
  static void Unregister(TKvMainThreadNotify& notifier);
  static void Post(uint64_t serial);
  // Runs the callback of the notifier of that serial, if it is still registered.
  static bool Deliver(uint64_t serial);
  static int DeliverPending();
  static uint64_t NextSerial();

private:
  // Leaked on purpose: notifiers and posted events may outlive every static object.
  static std::mutex& Guard() {
    static auto* guard = new std::mutex;
    return *guard;
  }
  static std::condition_variable& CallEnded() {
    static auto* ended = new std::condition_variable;
    return *ended;
  }
  // Frees the node once no notifier and no call is left (Guard held).
  static void FreeIfUnused();
  static TKvMainWindowNode* Node;
  static uint64_t LastSerial;

  std::unordered_map<uint64_t, TKvMainThreadNotify*> Notifiers;
  // Posted without a Qt application, waiting for DeliverPending.
  std::deque<uint64_t> Pending;
  // Callbacks running now: whose, on which thread.
  std::vector<std::pair<uint64_t, std::thread::id>> Calls;
};

TKvMainWindowNode* TKvMainWindowNode::Node = nullptr;
uint64_t TKvMainWindowNode::LastSerial = 0;

uint64_t TKvMainWindowNode::NextSerial() {
  std::lock_guard lock(Guard());
  return ++LastSerial;
}

void TKvMainWindowNode::Register(TKvMainThreadNotify& notifier) {
  std::lock_guard lock(Guard());
  if (!Node) Node = new TKvMainWindowNode;
  Node->Notifiers.emplace(notifier.Serial, &notifier);
}

void TKvMainWindowNode::FreeIfUnused() {
  // A callback that frees its own notifier still runs: the node stays until it has returned.
  if (Node && Node->Notifiers.empty() && Node->Calls.empty()) delete std::exchange(Node, nullptr);
}

void TKvMainWindowNode::Unregister(TKvMainThreadNotify& notifier) {
  std::unique_lock lock(Guard());
  Node->Notifiers.erase(notifier.Serial);
  std::erase(Node->Pending, notifier.Serial);
  const auto me = std::this_thread::get_id();
  CallEnded().wait(lock, [&] {
    return !Node || std::none_of(Node->Calls.begin(), Node->Calls.end(),
                                 [&](const auto& call) { return call.first == notifier.Serial && call.second != me; });
  });
  FreeIfUnused();
}

void TKvMainWindowNode::Post(uint64_t serial) {
  if (QCoreApplication* application = QCoreApplication::instance()) {
    // An application that is destroyed first drops the event uncalled.
    QMetaObject::invokeMethod(
        application, [serial] { Deliver(serial); }, Qt::QueuedConnection);
    return;
  }
  std::lock_guard lock(Guard());
  if (Node) Node->Pending.push_back(serial);
}

bool TKvMainWindowNode::Deliver(uint64_t serial) {
  std::unique_lock lock(Guard());
  if (!Node) return false;
  const auto found = Node->Notifiers.find(serial);
  if (found == Node->Notifiers.end()) return false;
  // A copy: the notifier may free itself from its own callback.
  const std::function<void()> callback = found->second->Callback;
  Node->Calls.emplace_back(serial, std::this_thread::get_id());
  lock.unlock();
  try {
    if (callback) callback();
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    PassErrorToHook("a main-thread notification");  // nothing to show the user
  }
  lock.lock();
  Node->Calls.erase(std::find(Node->Calls.begin(), Node->Calls.end(), std::pair(serial, std::this_thread::get_id())));
  CallEnded().notify_all();
  FreeIfUnused();
  return true;
}

int TKvMainWindowNode::DeliverPending() {
  int delivered = 0;
  for (;;) {
    uint64_t serial;
    {
      std::lock_guard lock(Guard());
      if (!Node || Node->Pending.empty()) return delivered;
      serial = Node->Pending.front();
      Node->Pending.pop_front();
    }
    delivered += Deliver(serial);
  }
}

TKvMainThreadNotify::TKvMainThreadNotify(std::function<void()> callback)
    : Serial(TKvMainWindowNode::NextSerial()), Callback(std::move(callback)) {
  TKvMainWindowNode::Register(*this);
}

TKvMainThreadNotify::~TKvMainThreadNotify() { TKvMainWindowNode::Unregister(*this); }

void TKvMainThreadNotify::Notify(bool force) {
  if (!force && IsMainThread()) {
    if (Callback) Callback();
  } else {
    TKvMainWindowNode::Post(Serial);
  }
}

int TKvMainThreadNotify::DeliverPending() { return TKvMainWindowNode::DeliverPending(); }

bool TKvMainThreadNotify::IsMainThread() {
  if (const QCoreApplication* application = QCoreApplication::instance())
    return QThread::currentThread() == application->thread();
  return std::this_thread::get_id() == StartingThread;
}
