#pragma once

#include <functional>
#include <string>
#include <type_traits>
#include <utility>

class TObject;

// The plain event: something happened to the sender.
using TNotifyEvent = void(TObject* Sender);

// An event property: a method reference called with the sender first. Bound from a layout it also
// keeps the name of the root's method, so that the layout can be written back; assigned from code
// it has no name and is not stored. Calling an unset event does nothing.
template <class Signature>
class TEvent {
public:
  using TFunction = std::function<Signature>;

  TEvent() = default;
  // Assigned from code like a function; such a binding has no method name and is not stored.
  template <class F, class = std::enable_if_t<std::is_constructible_v<TFunction, F>>>
  TEvent(F function) : Function(std::move(function)) {}  // NOLINT(google-explicit-constructor)

  void Bind(std::string methodName, TFunction function) {
    MethodName_ = std::move(methodName);
    Function = std::move(function);
  }
  void Clear() { Bind({}, {}); }

  const std::string& MethodName() const { return MethodName_; }
  explicit operator bool() const { return static_cast<bool>(Function); }

  template <class... Args>
  void operator()(Args&&... args) const {
    if (Function) Function(std::forward<Args>(args)...);
  }

private:
  std::string MethodName_;
  TFunction Function;
};
