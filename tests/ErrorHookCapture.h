#pragma once

// Every test binary fails a test when an error reaches the error hook (FailingErrorHook.cpp). A test
// that expects errors there records them instead, for as long as its capture lives.

#include "platform/ErrorHook.h"

#include <mutex>
#include <string>
#include <vector>

class TErrorHookCapture {
public:
  TErrorHookCapture()
      : Previous(SetErrorHook([this](const std::exception_ptr& error, const char* where) {
          std::lock_guard lock(Guard);
          Seen.push_back(std::string(where) + ": " + ErrorMessage(error));
        })) {}
  ~TErrorHookCapture() { SetErrorHook(std::move(Previous)); }
  TErrorHookCapture(const TErrorHookCapture&) = delete;
  TErrorHookCapture& operator=(const TErrorHookCapture&) = delete;

  // Each error that reached the hook, as "where: message".
  std::vector<std::string> Errors() const {
    std::lock_guard lock(Guard);
    return Seen;
  }

private:
  mutable std::mutex Guard;
  std::vector<std::string> Seen;
  TErrorHook Previous;
};
