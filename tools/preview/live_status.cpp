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
