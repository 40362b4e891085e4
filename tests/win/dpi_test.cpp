// Duduve_InitDPI through the real exports. Its latch and the process's DPI awareness
// live as long as the process, so each scenario runs in a child process of this test
// program: the parent starts it with a scenario name and reads back what it saw.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "stand_in_host.h"

namespace {

constexpr const char* kScenarioVariable = "DUDUVE_DPI_SCENARIO";
constexpr const char* kReportVariable = "DUDUVE_DPI_REPORT";

std::string Environment(const char* name) {
  char value[512] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

bool SystemSaysAware() {
  using Query = BOOL(WINAPI*)();
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"user32.dll"), "IsProcessDPIAware")));
  return query != nullptr && query() != FALSE;
}

// The child's side: runs the modes of the scenario, one call each, and writes what the
// system said before and after and every result and variable, one line each.
TEST(DpiChild, DISABLED_Scenario) {
  const auto scenario = Environment(kScenarioVariable);
  ASSERT_FALSE(scenario.empty());
  std::ofstream report(Environment(kReportVariable));
  report << "aware-before " << SystemSaysAware() << "\n";
  standin::StandInHost host;
  ASSERT_TRUE(host.StartUp());
  std::istringstream modes(scenario);
  std::string mode;
  while (std::getline(modes, mode, '|')) {
    host.ClearRecords();
    const int result = host.Exec(5, {mode});
    report << "result " << result << "\n";
    for (const auto& set : host.Variables()) report << set.Name << " = " << set.Value << "\n";
  }
  report << "aware-after " << SystemSaysAware() << "\n";
  EXPECT_TRUE(host.Unload());
}

// Starts this program again for one scenario (modes separated by '|') and answers the
// child's report.
std::string RunScenario(const std::string& modes) {
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  wchar_t reportPath[MAX_PATH] = {};
  GetTempFileNameW(folder, L"dpi", 0, reportPath);

  SetEnvironmentVariableA(kScenarioVariable, modes.c_str());
  SetEnvironmentVariableW(L"DUDUVE_DPI_REPORT", reportPath);
  std::wstring command = L"\"" + std::wstring(program) +
                         L"\" --gtest_also_run_disabled_tests "
                         L"--gtest_filter=DpiChild.DISABLED_Scenario";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &process);
  SetEnvironmentVariableA(kScenarioVariable, nullptr);
  SetEnvironmentVariableA(kReportVariable, nullptr);
  if (!started) return "child did not start";
  // A guard against a hung child, not a measurement.
  const DWORD waited = WaitForSingleObject(process.hProcess, 60000);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  std::ifstream file(reportPath);
  std::stringstream text;
  text << file.rdbuf();
  file.close();
  DeleteFileW(reportPath);
  if (waited != WAIT_OBJECT_0) return "child hung";
  if (exitCode != 0) return "child failed: " + text.str();
  return text.str();
}

// The report's first line: whether the process was DPI-aware before any call (under
// wine 8 it already is; on Windows without a manifest it is not).
bool AwareBefore(const std::string& report) {
  return report.rfind("aware-before 1\n", 0) == 0;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

const std::string kAware = "[Duduve.DPIAware] = ";
const std::string kError = "[Duduve.DPIError] = ";

TEST(InitDpi, AwareMakesTheProcessAwareAndSaysSoOnlyWhenItIs) {
  const auto report = RunScenario("aware");
  // Whatever the system did, the report must agree with what it says afterwards.
  EXPECT_EQ(report, Lines({AwareBefore(report) ? "aware-before 1" : "aware-before 0", "result 1",
                           kAware + "1", kError, "aware-after 1"}));
}

TEST(InitDpi, UnawareLeavesTheProcessAndReportsAwarenessItCannotUndo) {
  const auto report = RunScenario(" Unaware ");
  if (AwareBefore(report)) {
    EXPECT_EQ(report, Lines({"aware-before 1", "result 1", kAware + "1",
                             kError + "Process was already DPI-aware before InitDPI 'unaware'; "
                                      "cannot undo.",
                             "aware-after 1"}));
  } else {
    EXPECT_EQ(report, Lines({"aware-before 0", "result 1", kAware + "0", kError, "aware-after 0"}));
  }
}

TEST(InitDpi, AwareTwiceReportsTheLock) {
  const auto report = RunScenario("aware|AWARE");
  EXPECT_EQ(report, Lines({AwareBefore(report) ? "aware-before 1" : "aware-before 0", "result 1",
                           kAware + "1", kError, "result 0", kAware + "1",
                           kError + "InitDPI already called; awareness is locked for the process.",
                           "aware-after 1"}));
}

TEST(InitDpi, AnInvalidModeDoesNotCountAsTheFirstCall) {
  const auto report = RunScenario("yes||1");
  EXPECT_EQ(report, Lines({AwareBefore(report) ? "aware-before 1" : "aware-before 0", "result 0",
                           kError + "InitDPI: mode must be 'aware' or 'unaware'.", "result 0",
                           kError + "InitDPI: mode must be 'aware' or 'unaware'.", "result 1",
                           kAware + "1", kError, "aware-after 1"}));
}

TEST(InitDpi, UnawareThenAwareCannotChangeTheMode) {
  const auto report = RunScenario("0|aware");
  const bool before = AwareBefore(report);
  const std::string fixed = "InitDPI already called; cannot change DPI mode at runtime.";
  EXPECT_EQ(report,
            Lines({before ? "aware-before 1" : "aware-before 0", "result 1",
                   kAware + (before ? "1" : "0"),
                   kError + (before ? "Process was already DPI-aware before InitDPI 'unaware'; "
                                      "cannot undo."
                                    : ""),
                   "result 0", kError + fixed, before ? "aware-after 1" : "aware-after 0"}));
}

}  // namespace
