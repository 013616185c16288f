#pragma once

#include <exception>
#include <functional>
#include <string>

// The application's standard error report: an error that ends a handler is shown to the user in a
// message box and the program goes on. Tests replace the presenter to see what the user would.
using TErrorPresenter = std::function<void(const std::string& message)>;

void ShowException(const std::exception& error);

// Returns the presenter it replaces; an empty presenter restores the message box.
TErrorPresenter SetErrorPresenter(TErrorPresenter presenter);
