#include "child_process.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace child_test {

std::string Environment(const std::string& name) {
  char value[512] = {};
  const DWORD length = GetEnvironmentVariableA(name.c_str(), value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string RunChildTest(const std::string& test, const std::string& reportVariable) {
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  char reportPath[MAX_PATH] = {};
  GetTempFileNameA(folder, "chd", 0, reportPath);

  SetEnvironmentVariableA(reportVariable.c_str(), reportPath);
  std::string command = "\"";
  command.append(program).append("\" --gtest_also_run_disabled_tests --gtest_filter=").append(test);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessA(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &process);
  SetEnvironmentVariableA(reportVariable.c_str(), nullptr);
  if (!started) {
    DeleteFileA(reportPath);
    return "child did not start";
  }
  // A guard against a hung child, not a measurement.
  const DWORD waited = WaitForSingleObject(process.hProcess, 60000);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  std::stringstream text;
  {
    std::ifstream file(reportPath, std::ios::binary);
    text << file.rdbuf();
  }
  DeleteFileA(reportPath);
  if (waited != WAIT_OBJECT_0) return "child hung";
  if (exitCode != 0) return "child failed: " + text.str();
  return text.str();
}

}  // namespace child_test
