// Unloading the plug-in while one of its editors is open: the host ends its process from inside
// the editor's loop, so the module is unloaded with the editor still on screen. Closing the
// editor then activates the host window, and that window procedure, host code, must run under
// the host's floating-point settings, not the plug-in's. The process ends, so the scenario runs
// in a child process that writes down what the host's window procedure saw as it goes.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <sstream>
#include <string>

#include "child_process.h"
#include "float_environment.h"
#include "stand_in_host.h"

namespace {

constexpr char kReportVariable[] = "DUDUVE_UNLOAD_REPORT";
constexpr char kChildTest[] = "EditorUnloadChild.DISABLED_ProcessEndsWhileAnEditorIsOpen";
// Delphi's and Free Pascal's runtimes: invalid, zero-divide and overflow unmasked, 64-bit x87.
constexpr standin::FloatEnvironment kPascal{0x1332, 0, 0x1900};
constexpr UINT kEndProcess = WM_APP + 7;
constexpr char kUnderHostSettings[] = " under the host's settings";

// Appends a line to the report at once: nothing buffered survives the end of the process.
void Note(HANDLE report, const std::string& line) {
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(report, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

TEST(EditorUnloadChild, DISABLED_ProcessEndsWhileAnEditorIsOpen) {
  const HANDLE report =
      CreateFileA(child_test::Environment(kReportVariable).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(report, INVALID_HANDLE_VALUE);
  standin::StandInHost host;
  host.SetFloatEnvironment(kPascal);
  ASSERT_TRUE(host.StartUp());
  SetForegroundWindow(host.Window());
  std::optional<std::size_t> noted;  // observations written so far, once the end has begun
  host.OnHostMessage = [&](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    const auto& seen = host.FloatSeen();
    if (message == kEndProcess) {
      const bool open = FindWindowW(nullptr, L"Duduve - Design Size") != nullptr;
      Note(report, open ? "editor open" : "no editor");
      noted = seen.size();
      ExitProcess(0);
    }
    for (; noted && *noted < seen.size(); ++*noted) {
      const auto& observation = seen[*noted];
      Note(report, observation.Where + (SameSettings(observation.Seen, kPascal)
                                            ? kUnderHostSettings
                                            : " under " + Describe(observation.Seen)));
    }
    return std::nullopt;
  };
  // Taken from the queue by the editor's loop, once the editor is open.
  PostMessageW(host.Window(), kEndProcess, 0, 0);
  standin::HostParams params{"800", "600"};
  host.Edit(1, params);
  ADD_FAILURE() << "the editor ended and the process went on";
}

TEST(EditorUnload, ClosingAnOpenEditorRunsTheHostsWindowProcedureUnderTheHostsSettings) {
  std::istringstream report(child_test::RunChildTest(kChildTest, kReportVariable));
  std::string line;
  ASSERT_TRUE(std::getline(report, line));
  ASSERT_EQ(line, "editor open") << report.str();
  int observations = 0;
  while (std::getline(report, line)) {
    ++observations;
    EXPECT_EQ(line, std::string("host window procedure") + kUnderHostSettings);
  }
  EXPECT_GT(observations, 0) << "closing the editor reached no host window procedure";
}

}  // namespace
