#include "platform/ErrorHook.h"
#include "platform/ScopeGuards.h"
#include "tests/ErrorHookCapture.h"

#include <QString>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Kinds of their own, so that no other test has logged them before.
struct TFirstKind : std::runtime_error {
  using std::runtime_error::runtime_error;
};
struct TSecondKind : std::logic_error {
  using std::logic_error::logic_error;
};

std::vector<std::string> Logged;

void Collect(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtWarningMsg) Logged.push_back(message.toStdString());
}

template <class Error>
void Raise(const char* where, const char* message) {
  try {
    throw Error(message);
  } catch (...) {
    PassErrorToHook(where);
  }
}

TEST(ErrorHook, TheDefaultHookLogsTheFirstErrorOfEachKindOnce) {
  const TErrorHook installed = SetErrorHook({});
  Logged.clear();
  const QtMessageHandler previous = qInstallMessageHandler(Collect);
  Raise<TFirstKind>("a first place", "first");
  Raise<TFirstKind>("a second place", "again");
  Raise<TSecondKind>("a third place", "second");
  qInstallMessageHandler(previous);
  SetErrorHook(installed);
  ASSERT_EQ(Logged.size(), 2u);
  EXPECT_NE(Logged[0].find("a first place"), std::string::npos) << Logged[0];
  EXPECT_NE(Logged[0].find("first"), std::string::npos) << Logged[0];
  EXPECT_NE(Logged[1].find("a third place"), std::string::npos) << Logged[1];
  EXPECT_NE(Logged[1].find("second"), std::string::npos) << Logged[1];
}

TEST(ErrorHook, AnInstalledHookHearsEveryErrorAndErrorsOfNoStandardClassToo) {
  const TErrorHookCapture hook;
  Raise<TFirstKind>("here", "one");
  Raise<TFirstKind>("here", "two");
  try {
    throw 42;
  } catch (...) {
    PassErrorToHook("there");
  }
  EXPECT_EQ(hook.Errors(), (std::vector<std::string>{"here: one", "here: two", "there: an exception of unknown type"}));
}

// The failure guard undoes only when its scope ends by an exception, which goes on.
TEST(ScopeGuards, AFailureGuardUndoesOnlyWhenItsScopeEndsByAnException) {
  int undone = 0;
  {
    const TLkFailureGuard guard([&] { ++undone; });
  }
  EXPECT_EQ(undone, 0);
  EXPECT_THROW(
      {
        const TLkFailureGuard guard([&] { ++undone; });
        throw std::runtime_error("fails");
      },
      std::runtime_error);
  EXPECT_EQ(undone, 1);
}

}  // namespace
