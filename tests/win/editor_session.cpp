#include "editor_session.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <type_traits>
#include <vector>

#include "window_driver.h"

namespace editor_test {

namespace {

constexpr ULONGLONG kGiveUpMs = 5000;
constexpr ULONGLONG kLastResortMs = 30000;

// A window's title, asked with a time limit: the thread that owns the window may have
// stopped serving messages while it waits for this one.
std::wstring TitleWithoutWaiting(HWND window) {
  wchar_t title[128] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(title),
                           SMTO_ABORTIFHUNG, 50, &copied)) {
    return L"";
  }
  return std::wstring(title, copied < 128 ? copied : 127);
}

// Closes whatever the thread `uiThread` still shows of the plug-in: refusal boxes
// first, then editor windows.
void CloseLeftovers(DWORD uiThread) {
  EnumThreadWindows(
      uiThread,
      [](HWND window, LPARAM) CALLBACK -> BOOL {
        const auto title = TitleWithoutWaiting(window);
        if (standin::ClassName(window) == L"#32770" && title == L"Duduve") {
          standin::DismissMessageBox(window);
        } else if (title.rfind(L"Duduve - ", 0) == 0) {
          PostMessageW(window, WM_CLOSE, 0, 0);
        }
        return TRUE;
      },
      0);
}

template <typename Edit>
int RunWithDriver(Edit&& edit, const std::function<void()>& drive) {
  const DWORD uiThread = GetCurrentThreadId();
  std::atomic<bool> done{false};
  standin::BackgroundDriver driver([&] {
    drive();
    const ULONGLONG start = GetTickCount64();
    bool reported = false;
    while (!done.load() && GetTickCount64() - start < kLastResortMs) {
      if (!reported && GetTickCount64() - start > kGiveUpMs) {
        ADD_FAILURE() << "the editor was still open after the author's part";
        reported = true;
      }
      CloseLeftovers(uiThread);
      Sleep(20);
    }
  });
  const int result = edit();
  done = true;
  driver.Join();
  return result;
}

template <typename Handle, typename Deleter>
auto Owned(Handle handle, Deleter deleter) {
  return std::unique_ptr<std::remove_pointer_t<Handle>, Deleter>(handle, deleter);
}

bool WriteBitmapFile(const std::wstring& path, int width, int height, const void* bits,
                     DWORD bitsSize) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bitsSize;
  auto out = Owned(_wfopen(path.c_str(), L"wb"), &std::fclose);
  if (!out) return false;
  return std::fwrite(&file, sizeof file, 1, out.get()) == 1 &&
         std::fwrite(&info, sizeof info, 1, out.get()) == 1 &&
         std::fwrite(bits, 1, bitsSize, out.get()) == bitsSize;
}

}  // namespace

int RunEdited(standin::StandInHost& host, int actionId, standin::HostParams& params,
              const std::function<void()>& drive) {
  const int result = RunWithDriver([&] { return host.Edit(actionId, params); }, drive);
  EXPECT_EQ(host.FaultReport(), "") << "the editor mishandled the host's blocks";
  return result;
}

int RunEdited(standin::StandInHost& host, int actionId, char** params,
              const std::function<void()>& drive) {
  const int result = RunWithDriver([&] { return host.Edit(actionId, params); }, drive);
  EXPECT_EQ(host.FaultReport(), "") << "the editor mishandled the host's blocks";
  return result;
}

EditorHost::EditorHost() {
  host_.Account().ClearFaults();
  EXPECT_TRUE(host_.StartUp());
  SetForegroundWindow(host_.Window());
  host_.OnInterfaceAccess = [this](standin::StandInHost& host) {
    ++picks_;
    if (DuringPick) DuringPick(host);
  };
}

void EditorHost::Pick(HWND editor, int button, const std::string& answer) {
  host_.SetPickAnswer(answer);
  const int before = picks_.load();
  Press(editor, button);
  EXPECT_TRUE(WaitUntil([&] { return picks_.load() > before; })) << "no pick reached the host";
  Settle(editor);
}

HWND WaitForEditor(const wchar_t* title, int lastControl) {
  HWND editor = standin::WaitForWindow(nullptr, title);
  if (editor == nullptr) return nullptr;
  // The window shows before its controls are made.
  if (!WaitUntil([&] { return Item(editor, lastControl) != nullptr; })) return nullptr;
  Settle(editor);
  return editor;
}

HWND Item(HWND editor, int number) {
  return GetDlgItem(editor, number);
}

std::wstring Text(HWND editor, int number) {
  return standin::WindowText(Item(editor, number));
}

void Type(HWND editor, int number, const std::wstring& text) {
  SendMessageW(Item(editor, number), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Choose(HWND editor, int number, int index) {
  HWND list = Item(editor, number);
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(editor, WM_COMMAND, MAKEWPARAM(number, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

int Chosen(HWND editor, int number) {
  return static_cast<int>(SendMessageW(Item(editor, number), CB_GETCURSEL, 0, 0));
}

std::vector<std::wstring> Entries(HWND editor, int number) {
  HWND list = Item(editor, number);
  const auto count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  std::vector<std::wstring> entries;
  for (WPARAM i = 0; static_cast<LRESULT>(i) < count; ++i) {
    const auto length = SendMessageW(list, CB_GETLBTEXTLEN, i, 0);
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    entries.push_back(entry);
  }
  return entries;
}

void Press(HWND editor, int number) {
  standin::PressButton(Item(editor, number));
}

void Settle(HWND editor) {
  SendMessageW(editor, WM_NULL, 0, 0);
}

std::wstring PressExpectingRefusal(HWND editor, int number) {
  Press(editor, number);
  HWND box = standin::WaitForWindow(L"#32770", L"Duduve");
  if (box == nullptr) return L"";
  const auto text = standin::MessageBoxText(box);
  standin::DismissMessageBox(box);
  EXPECT_TRUE(standin::WaitForWindowGone(box));
  Settle(editor);
  return text;
}

bool PressAndWaitClosed(HWND editor, int number) {
  Press(editor, number);
  return standin::WaitForWindowGone(editor);
}

bool WaitUntil(const std::function<bool()>& condition) {
  const ULONGLONG deadline = GetTickCount64() + kGiveUpMs;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(10);
  }
  return true;
}

void Key(WORD key, WORD modifier) {
  std::vector<INPUT> inputs;
  const auto add = [&inputs](WORD code, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (modifier != 0) add(modifier, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (modifier != 0) add(modifier, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND Focus(HWND editor) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(editor, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

int FocusedNumber(HWND editor) {
  HWND focus = Focus(editor);
  return focus != nullptr && GetParent(focus) == editor ? GetDlgCtrlID(focus) : 0;
}

RECT ChildRect(HWND child) {
  RECT bounds{};
  GetWindowRect(child, &bounds);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

HWND LabelWithText(HWND editor, const std::wstring& text) {
  return FindWindowExW(editor, nullptr, L"Static", text.c_str());
}

HWND RefusalBox() {
  return FindWindowW(L"#32770", L"Duduve");
}

void SaveScreenshot(HWND window, const std::wstring& name) {
  SaveScreenshot(std::vector<HWND>{window}, name);
}

void SaveScreenshot(const std::vector<HWND>& windows, const std::wstring& name) {
  wchar_t folder[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"DUDUVE_SCREENSHOT_DIR", folder, MAX_PATH) == 0) return;
  RECT bounds{};
  for (HWND window : windows) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Settle(window);
    RECT area{};
    GetWindowRect(window, &area);
    UnionRect(&bounds, &bounds, &area);
  }
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;

  auto screen = Owned(GetDC(nullptr), [](HDC dc) { ReleaseDC(nullptr, dc); });
  auto memory = Owned(CreateCompatibleDC(screen.get()), &DeleteDC);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  auto picture = Owned(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0),
                       [](HBITMAP bitmap) { DeleteObject(bitmap); });
  ASSERT_TRUE(picture && bits != nullptr);
  const HGDIOBJ previous = SelectObject(memory.get(), picture.get());
  BitBlt(memory.get(), 0, 0, width, height, screen.get(), bounds.left, bounds.top, SRCCOPY);
  GdiFlush();
  SelectObject(memory.get(), previous);
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  const std::wstring path = std::wstring(folder) + L"\\" + name + L".bmp";
  EXPECT_TRUE(WriteBitmapFile(path, width, height, bits, stride * static_cast<DWORD>(height)))
      << "cannot write the screenshot";
}

}  // namespace editor_test
