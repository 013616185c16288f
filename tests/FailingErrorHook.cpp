// Linked into every test binary: an error that reaches the error hook fails the test that is
// running, unless the test captures it (ErrorHookCapture.h).
#include "platform/ErrorHook.h"

#include <gtest/gtest.h>

namespace {

class TFailingErrorHook : public ::testing::Environment {
public:
  void SetUp() override {
    SetErrorHook([](const std::exception_ptr& error, const char* where) {
      ADD_FAILURE() << "An error reached the error hook from " << where << ": " << ErrorMessage(error);
    });
  }
  void TearDown() override { SetErrorHook({}); }
};

[[maybe_unused]] ::testing::Environment* const Installed = ::testing::AddGlobalTestEnvironment(new TFailingErrorHook);

}  // namespace
