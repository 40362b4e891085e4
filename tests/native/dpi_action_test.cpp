#include "dpi/dpi_action.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/context.h"
#include "fake_windows.h"
#include "plugin/dispatch.h"

namespace duduve::testing {
namespace {

using Variables = std::vector<std::pair<std::wstring, std::wstring>>;

constexpr const wchar_t* kAware = L"[Duduve.DPIAware]";
constexpr const wchar_t* kError = L"[Duduve.DPIError]";
constexpr const wchar_t* kInvalid = L"InitDPI: mode must be 'aware' or 'unaware'.";
constexpr const wchar_t* kLocked = L"InitDPI already called; awareness is locked for the process.";
constexpr const wchar_t* kFixed = L"InitDPI already called; cannot change DPI mode at runtime.";
constexpr const wchar_t* kUnavailable = L"DPI awareness not available on this Windows version.";
constexpr const wchar_t* kAlreadyAware =
    L"Process was already DPI-aware before InitDPI 'unaware'; cannot undo.";

// One process: the action's latch and flags live as long as the context.
struct Process {
  // Runs the action and answers its result with the variables it set, then forgets them.
  std::pair<int, Variables> Call(const std::wstring& mode) {
    const std::vector<std::wstring> params = {mode};
    const int result = InitDpi(context, params);
    auto set = std::move(host.Variables);
    host.Variables.clear();
    return {result, set};
  }

  FakeWindowSystem windows;
  FakeHost host;
  Context context{windows, host};
};

class InitDpiAction : public ::testing::Test, public Process {};

TEST_F(InitDpiAction, AwareWordsMakeTheProcessAware) {
  for (const std::wstring mode : {L"aware", L"  AWARE ", L"1"}) {
    Process fresh;
    EXPECT_EQ(fresh.Call(mode), (std::pair<int, Variables>{1, {{kAware, L"1"}, {kError, L""}}}));
    EXPECT_EQ(fresh.windows.EnableAwarenessCount, 1);
  }
}

TEST_F(InitDpiAction, UnawareWordsLeaveTheProcessAsItIs) {
  for (const std::wstring mode : {L"unaware", L"Unaware", L" 0"}) {
    Process fresh;
    EXPECT_EQ(fresh.Call(mode), (std::pair<int, Variables>{1, {{kAware, L"0"}, {kError, L""}}}));
    EXPECT_EQ(fresh.windows.EnableAwarenessCount, 0);
  }
}

TEST_F(InitDpiAction, AnInvalidModeReportsOnlyTheErrorAndDoesNotCount) {
  for (const std::wstring mode : {L"yes", L"", L"awareness", L"01"}) {
    EXPECT_EQ(Call(mode), (std::pair<int, Variables>{0, {{kError, kInvalid}}}));
  }
  EXPECT_EQ(Call(L"aware"), (std::pair<int, Variables>{1, {{kAware, L"1"}, {kError, L""}}}));
}

TEST_F(InitDpiAction, AwareTwiceReportsTheLockWithoutTryingAgain) {
  ASSERT_EQ(Call(L"aware").first, 1);
  EXPECT_EQ(Call(L"aware"), (std::pair<int, Variables>{0, {{kAware, L"1"}, {kError, kLocked}}}));
  EXPECT_EQ(Call(L"unaware"), (std::pair<int, Variables>{0, {{kError, kFixed}}}));
  EXPECT_EQ(windows.EnableAwarenessCount, 1);
}

TEST_F(InitDpiAction, UnawareFirstFixesTheMode) {
  ASSERT_EQ(Call(L"unaware").first, 1);
  EXPECT_EQ(Call(L"aware"), (std::pair<int, Variables>{0, {{kError, kFixed}}}));
  EXPECT_EQ(Call(L"unaware"), (std::pair<int, Variables>{0, {{kError, kFixed}}}));
  EXPECT_EQ(windows.EnableAwarenessCount, 0);
  EXPECT_FALSE(windows.ProcessDpiAware);
}

TEST_F(InitDpiAction, AFailedAttemptStillLocksAwareness) {
  windows.DpiAwarenessSucceeds = false;
  EXPECT_EQ(Call(L"aware"),
            (std::pair<int, Variables>{0, {{kAware, L"0"}, {kError, kUnavailable}}}));
  EXPECT_EQ(Call(L"aware"), (std::pair<int, Variables>{0, {{kAware, L"1"}, {kError, kLocked}}}));
  EXPECT_EQ(windows.EnableAwarenessCount, 1);
}

TEST_F(InitDpiAction, UnawareInAnAlreadyAwareProcessSaysItCannotUndo) {
  windows.ProcessDpiAware = true;
  EXPECT_EQ(Call(L"unaware"),
            (std::pair<int, Variables>{1, {{kAware, L"1"}, {kError, kAlreadyAware}}}));
  EXPECT_EQ(windows.EnableAwarenessCount, 0);
  EXPECT_EQ(Call(L"unaware"), (std::pair<int, Variables>{0, {{kError, kFixed}}}));
}

TEST_F(InitDpiAction, TheLatchOutlivesReleaseAndReset) {
  ASSERT_EQ(Call(L"aware").first, 1);
  HandleMessage(context, 2, [] {});
  HandleMessage(context, 1, [] {});
  EXPECT_EQ(ExecuteAction(context, 4, {}), 1);
  EXPECT_EQ(Call(L"aware").first, 0);
}

}  // namespace
}  // namespace duduve::testing
