#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

// A thread with a name, started at once. The name is handed to the system when the thread starts,
// so that debuggers and process lists show it (the system keeps its first 15 bytes); it has no
// other use.
class TEzThread {
public:
  TEzThread(std::string name, std::function<void()> body);
  // Waits for the thread, unless it was let go or this is the thread itself.
  ~TEzThread();
  TEzThread(const TEzThread&) = delete;
  TEzThread& operator=(const TEzThread&) = delete;

  const std::string& Name() const { return Name_; }
  // The calling thread is this thread.
  bool IsCurrent() const { return std::this_thread::get_id() == Id; }
  // Waits until the body has returned.
  void WaitFor();
  // Lets the thread run on by itself; what its body holds goes when the body returns. The thread
  // is still joined later by another thread, at the latest when the process ends, so none is
  // half way through its exit while the process tears down.
  void Detach();

private:
  std::string Name_;
  std::shared_ptr<std::atomic<bool>> BodyReturned = std::make_shared<std::atomic<bool>>(false);
  std::thread Thread;
  std::thread::id Id;
};
