// duduve-preview: loads Duduve.dll into the stand-in host, plays a page file's script at
// several window sizes, prints each layout and writes a picture of each.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "file_output.h"
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

// Paths are shown in the console's code page.
std::string Shown(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string shown(static_cast<std::size_t>(std::max(length, 0)), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), shown.data(), length,
                      nullptr, nullptr);
  return shown;
}

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
  const std::filesystem::path pagePath(options.PagePath);
  const std::string fileName = Shown(options.PagePath);
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

  const std::wstring dll =
      options.DllPath.empty() ? standin::StandInHost::DefaultDllPath() : options.DllPath;
  PreviewRun run;
  if (auto failure = PlayPage(page, options.Sizes, dll, fileName, run)) {
    std::fprintf(stderr, "%s\n", failure->Text.c_str());
    return failure->InPageFile ? kExitBadInput : kExitFailure;
  }
  std::printf("duduve-preview: %s with %s\n\n", fileName.c_str(), Shown(dll).c_str());
  std::fputs(FormatRun(page, run).c_str(), stdout);

  int status = 0;
  if (!run.Unloaded || !run.Faults.empty()) {
    std::printf("\nThe plug-in did not unload cleanly:%s%s\n",
                run.Unloaded ? "" : " it stayed loaded.",
                run.Faults.empty() ? "" : ("\n" + run.Faults).c_str());
    status = kExitFailure;
  }
  if (!options.Pictures) return status;

  std::filesystem::path folder =
      options.OutDir.empty() ? pagePath.parent_path() / (pagePath.stem().wstring() + L"-preview")
                             : std::filesystem::path(options.OutDir);
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
      std::fprintf(stderr, "duduve-preview: could not draw %s\n", Shown(file.Path).c_str());
      return kExitFailure;
    }
  }
  if (!MakeFolders(folder.wstring())) {
    std::fprintf(stderr, "duduve-preview: cannot create the folder %s\n",
                 Shown(folder.wstring()).c_str());
    return kExitFailure;
  }
  if (auto failed = WriteAllOrNothing(files)) {
    std::fprintf(stderr, "duduve-preview: cannot write %s; no picture was written\n",
                 Shown(*failed).c_str());
    return kExitFailure;
  }
  std::printf("\nPictures in %s:\n", Shown(folder.wstring()).c_str());
  for (const auto& file : files) {
    std::printf("  %s\n", Shown(std::filesystem::path(file.Path).filename().wstring()).c_str());
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
