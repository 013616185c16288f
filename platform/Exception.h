#pragma once

#include <stdexcept>
#include <string>

// Base of the system's own error classes; the message is UTF-8 text meant for the user.
class Exception : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// An index outside a fixed collection.
class EListError : public Exception {
public:
  using Exception::Exception;
};
