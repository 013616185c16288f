#pragma once

#include <exception>
#include <functional>

// Where errors go that a layer must not pass on to its caller: a watcher's or a listener's, a
// stream sink's, a clock tick's, a paint's. Beside ShowException, which shows the errors that end
// a handler to the user. The default hook logs each kind of error once with qWarning (the first
// message of each kind, the rest counted silently); tests install a hook that fails the test.
//   `where` names what failed, in a few words ("a watcher", "a clock tick").
using TErrorHook = std::function<void(const std::exception_ptr& error, const char* where)>;

// Hands the exception being handled to the hook; call it from a catch block only.
void PassErrorToHook(const char* where);

// Returns the hook it replaces; an empty hook restores the default.
TErrorHook SetErrorHook(TErrorHook hook);

// The error's message: what() of a standard exception, else a fixed text.
const char* ErrorMessage(const std::exception_ptr& error);
