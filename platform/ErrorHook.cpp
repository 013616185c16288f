#include "platform/ErrorHook.h"

#include <QtGlobal>

#include <mutex>
#include <set>
#include <string>
#include <typeinfo>

namespace {

std::mutex HookMutex;
TErrorHook Hook;

// The kind of an error: its most derived class.
const std::type_info& KindOf(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return typeid(e);
  } catch (...) {
    return typeid(void);
  }
}

void LogOncePerKind(const std::exception_ptr& error, const char* where) {
  static std::mutex seenMutex;
  static std::set<std::string> seen;
  const std::type_info& kind = KindOf(error);
  {
    std::lock_guard lock(seenMutex);
    if (!seen.insert(kind.name()).second) return;
  }
  qWarning("An error in %s was not passed on (%s): %s", where, kind.name(), ErrorMessage(error));
}

}  // namespace

const char* ErrorMessage(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "an exception of unknown type";
  }
}

void PassErrorToHook(const char* where) {
  const std::exception_ptr error = std::current_exception();
  if (!error) return;
  TErrorHook hook;
  {
    std::lock_guard lock(HookMutex);
    hook = Hook;
  }
  if (!hook) return LogOncePerKind(error, where);
  try {
    hook(error, where);
  } catch (...) {
    // A hook's own error would escape where no error may: it gets the default's log instead.
    LogOncePerKind(std::current_exception(), "the error hook");
  }
}

TErrorHook SetErrorHook(TErrorHook hook) {
  std::lock_guard lock(HookMutex);
  std::swap(Hook, hook);
  return hook;
}
