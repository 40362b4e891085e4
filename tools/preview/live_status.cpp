#include "live_status.h"

#include <algorithm>
#include <cmath>

#include "page_file.h"
#include "preview_report.h"

namespace preview {

void PublishedVariables::Take(const std::vector<standin::VariableSet>& sets) {
  for (const auto& set : sets) {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
      if (set.Name == kNames[i]) values_[i] = set.Value;
    }
  }
}

std::string PublishedVariables::Text() const {
  std::string text;
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    const std::string_view name = kNames[i];
    if (i > 0) text += ", ";
    // "[Duduve.ScaleX]" is shown as "ScaleX".
    text.append(name.substr(8, name.size() - 9)).append("=").append(values_[i]);
  }
  return text;
}

std::wstring LiveCaption(const std::string& fileName, const WindowSize& client,
                         const PublishedVariables& variables, bool ghosts,
                         const std::wstring& note) {
  const std::string status = fileName + " - " + std::to_string(client.Width) + " x " +
                             std::to_string(client.Height) + " (" +
                             AspectName(client.Width, client.Height) + ") - " + variables.Text() +
                             (ghosts ? " - design rectangles shown" : "");
  return note.empty() ? FromAnsi(status) : note + L" | " + FromAnsi(status);
}

WindowSize FitShape(const Shape& shape, const WindowSize& room) {
  const auto scaled = [](int side, int by, int over) {
    return static_cast<int>(std::lround(static_cast<double>(side) * by / over));
  };
  const int width = std::clamp(room.Width, 1, kLargestPage);
  const int height = std::clamp(room.Height, 1, kLargestPage);
  WindowSize size{scaled(height, shape.Across, shape.Down), height};
  if (size.Width > width) size = {width, std::max(1, scaled(width, shape.Down, shape.Across))};
  return size;
}

Arrangement ArrangeBeside(const RECT& page, const RECT& work, int linesWidth) {
  constexpr int kGap = kBesideGap;
  constexpr int kShortest = 300;
  Arrangement arranged{page, {}};
  RECT& placed = arranged.Page;
  const LONG width = page.right - page.left;
  if (page.right + kGap + linesWidth > work.right && page.left - kGap - linesWidth < work.left) {
    const LONG room = work.right - work.left - kGap - linesWidth;
    const LONG kept = std::min(width, room);
    placed.left = std::min(page.left, work.right - kGap - linesWidth - kept);
    placed.left = std::max(placed.left, work.left);
    placed.right = placed.left + std::max<LONG>(kept, 1);
  }
  const LONG height =
      std::min<LONG>(std::max<LONG>(placed.bottom - placed.top, kShortest), work.bottom - work.top);
  const LONG top = std::clamp<LONG>(placed.top, work.top, work.bottom - height);
  const LONG left = placed.right + kGap + linesWidth <= work.right
                        ? placed.right + kGap
                        : placed.left - kGap - linesWidth;
  arranged.Lines = {left, top, left + linesWidth, top + height};
  return arranged;
}

std::optional<FileStamp> StampOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return FileStamp{data.ftLastWriteTime,
                   (ULONGLONG{data.nFileSizeHigh} << 32) | ULONGLONG{data.nFileSizeLow}};
}

std::wstring FromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(std::max(length, 0)), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), narrow.data(), length,
                      nullptr, nullptr);
  return narrow;
}

}  // namespace preview
