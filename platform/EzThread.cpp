#include "platform/EzThread.h"

#include <pthread.h>

TEzThread::TEzThread(std::string name, std::function<void()> body) : Name_(std::move(name)) {
  Thread = std::thread([shown = Name_.substr(0, 15), body = std::move(body)] {
    pthread_setname_np(pthread_self(), shown.c_str());
    body();
  });
  Id = Thread.get_id();
}

TEzThread::~TEzThread() {
  if (!Thread.joinable()) return;
  if (IsCurrent()) Thread.detach();
  else Thread.join();
}

void TEzThread::WaitFor() {
  if (Thread.joinable() && !IsCurrent()) Thread.join();
}

void TEzThread::Detach() {
  if (Thread.joinable()) Thread.detach();
}
