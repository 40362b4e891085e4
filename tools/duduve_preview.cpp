// duduve-preview: loads Duduve.dll into the stand-in host, plays a page file's script at
// several window sizes, prints each layout and writes a picture of each; or, with --live,
// shows the page in a window that lays it out again whenever it is resized.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "file_output.h"
#include "live_status.h"
#include "live_window.h"
#include "page_check.h"
#include "page_file.h"
#include "page_painter.h"
#include "preview_options.h"
#include "preview_report.h"
#include "preview_run.h"
#include "stand_in_host.h"

namespace {

using namespace preview;

constexpr int kExitFailure = 1;
constexpr int kExitBadInput = 2;
constexpr int kExitFindings = 3;

std::vector<std::wstring> Arguments() {
  int count = 0;
  struct LocalDeleter {
    void operator()(wchar_t** block) const { LocalFree(block); }
  };
  std::unique_ptr<wchar_t*, LocalDeleter> argv(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::wstring> args;
  for (int i = 1; argv && i < count; ++i) args.emplace_back(argv.get()[i]);
  return args;
}

std::wstring SizeName(const WindowSize& size) {
  return std::to_wstring(size.Width) + L"x" + std::to_wstring(size.Height);
}

// The pictures' folder: --out, or PAGENAME-preview beside the page file.
std::filesystem::path PictureFolder(const Options& options) {
  const std::filesystem::path pagePath(options.PagePath);
  return options.OutDir.empty() ? pagePath.parent_path() / (pagePath.stem().wstring() + L"-preview")
                                : std::filesystem::path(options.OutDir);
}

std::wstring DllPath(const Options& options) {
  return options.DllPath.empty() ? standin::StandInHost::DefaultDllPath() : options.DllPath;
}

// After the plug-in is unloaded: kExitFailure when it stayed loaded or mishandled blocks.
int ReportUnload(bool unloaded, const std::string& faults) {
  if (unloaded && faults.empty()) return 0;
  std::printf("\nThe plug-in did not unload cleanly:%s%s\n", unloaded ? "" : " it stayed loaded.",
              faults.empty() ? "" : ("\n" + faults).c_str());
  return kExitFailure;
}

int RunLive(const Options& options) {
  const std::filesystem::path pagePath(options.PagePath);
  LiveWindow live({options.PagePath, ToAnsi(options.PagePath), DllPath(options),
                   PictureFolder(options).wstring(), pagePath.stem().wstring()});
  if (auto failure = live.Open()) {
    std::fprintf(stderr, "%s\n", failure->Text.c_str());
    return failure->InPageFile ? kExitBadInput : kExitFailure;
  }
  std::printf(
      "duduve-preview: live view of %s with %s\n"
      "  Resize the window: the page's Resized lines run on every change. The page file is\n"
      "  reloaded when it changes on disk. The window beside it lists the script lines:\n"
      "  double-click one to edit it with Duduve's editor; right-click an object to register\n"
      "  it. Keys (also in the window menu):\n"
      "  F5 reload   G design rectangles   0 design size   1 4:3   2 16:9   3 16:10   4 21:9\n"
      "  P save a picture   L script lines   Esc close\n",
      ToAnsi(options.PagePath).c_str(), ToAnsi(DllPath(options)).c_str());
  std::fflush(stdout);
  const LiveEnd& end = live.Run();
  return ReportUnload(end.Unloaded, end.Faults);
}

// --check: the findings in compiler form; 0 without warnings (remarks allowed), 3 with
// warnings, 1 when the page could not be read or played.
int RunCheck(const Options& options) {
  const std::string fileName = ToAnsi(options.PagePath);
  const auto text = ReadWholeFile(options.PagePath);
  if (!text) {
    std::fprintf(stderr, "%s: cannot be read\n", fileName.c_str());
    return kExitFailure;
  }
  Page page;
  if (auto error = ParsePage(*text, fileName, page)) {
    std::fprintf(stderr, "%s\n", error->Text().c_str());
    return kExitFailure;
  }
  std::vector<Finding> findings;
  if (auto failure = CheckPageFile(page, DllPath(options), fileName, findings)) {
    std::fprintf(stderr, "%s\n", failure->Text.c_str());
    return kExitFailure;
  }
  std::fputs(FormatFindings(fileName, findings).c_str(), stdout);
  const FindingCount count = CountFindings(findings);
  if (count.Total() == 0) {
    std::printf("%s: no findings: Duduve carries out every line as written\n", fileName.c_str());
  } else {
    std::printf("%s: %s\n", fileName.c_str(), CountText(count).c_str());
  }
  return count.Warnings > 0 ? kExitFindings : 0;
}

int Run() {
  Options options;
  if (auto error = ParseArguments(Arguments(), options)) {
    std::fprintf(stderr, "duduve-preview: %s\n", error->c_str());
    return kExitBadInput;
  }
  if (options.Help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (options.Live) return RunLive(options);
  if (options.Check) return RunCheck(options);
  const std::filesystem::path pagePath(options.PagePath);
  const std::string fileName = ToAnsi(options.PagePath);
  const auto text = ReadWholeFile(options.PagePath);
  if (!text) {
    std::fprintf(stderr, "%s: cannot be read\n", fileName.c_str());
    return kExitBadInput;
  }
  Page page;
  if (auto error = ParsePage(*text, fileName, page)) {
    std::fprintf(stderr, "%s\n", error->Text().c_str());
    return kExitBadInput;
  }

  const std::wstring dll = DllPath(options);
  PreviewRun run;
  const Page parsed = page;
  if (auto failure = PlayPage(page, options.Sizes, dll, fileName, run)) {
    std::fprintf(stderr, "%s\n", failure->Text.c_str());
    return failure->InPageFile ? kExitBadInput : kExitFailure;
  }
  std::printf("duduve-preview: %s with %s\n\n", fileName.c_str(), ToAnsi(dll).c_str());
  std::fputs(FormatRun(page, run).c_str(), stdout);
  std::vector<Finding> findings;
  if (auto failure = CheckPageFile(parsed, dll, fileName, findings)) {
    std::fprintf(stderr, "%s\n", failure->Text.c_str());
    return kExitFailure;
  }
  std::printf("\n%s\n", FindingsSummary(fileName, CountFindings(findings)).c_str());

  const int status = ReportUnload(run.Unloaded, run.Faults);
  if (!options.Pictures) return status;

  const std::filesystem::path folder = PictureFolder(options);
  const std::wstring stem = pagePath.stem().wstring();
  std::vector<OutputFile> files;
  for (const auto& size : run.Sizes) {
    files.push_back({(folder / (stem + L"-" + SizeName(size.Size) + L".png")).wstring(),
                     EncodePng(PaintPage(page, size, options.Ghosts))});
  }
  if (options.Sheet) {
    files.push_back({(folder / (stem + L"-sheet.png")).wstring(),
                     EncodePng(PaintContactSheet(page, run.Sizes, options.Ghosts))});
  }
  for (const auto& file : files) {
    if (file.Bytes.empty()) {
      std::fprintf(stderr, "duduve-preview: could not draw %s\n", ToAnsi(file.Path).c_str());
      return kExitFailure;
    }
  }
  if (!MakeFolders(folder.wstring())) {
    std::fprintf(stderr, "duduve-preview: cannot create the folder %s\n",
                 ToAnsi(folder.wstring()).c_str());
    return kExitFailure;
  }
  if (auto failed = WriteAllOrNothing(files)) {
    std::fprintf(stderr, "duduve-preview: cannot write %s; no picture was written\n",
                 ToAnsi(*failed).c_str());
    return kExitFailure;
  }
  std::printf("\nPictures in %s:\n", ToAnsi(folder.wstring()).c_str());
  for (const auto& file : files) {
    std::printf("  %s\n", ToAnsi(std::filesystem::path(file.Path).filename().wstring()).c_str());
  }
  return status;
}

}  // namespace

int main() {
  try {
    return Run();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "duduve-preview: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "duduve-preview: unexpected failure\n");
  }
  return kExitFailure;
}
