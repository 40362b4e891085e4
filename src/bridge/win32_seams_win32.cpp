#include "bridge/win32_seams_win32.h"

#include <windows.h>

#include "bridge/dpi_awareness_win32.h"
#include "bridge/dpi_queries_win32.h"
#include "bridge/host_bridge_win32.h"

namespace duduve {

namespace {

constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;  // 0x0114
constexpr UINT kRepaintFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;

HWND AsHwnd(WindowHandle handle) {
  return reinterpret_cast<HWND>(handle);
}
WindowHandle AsHandle(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

}  // namespace

bool Win32WindowSystem::ClientSize(WindowHandle host, std::int32_t& width, std::int32_t& height) {
  RECT client{};
  if (!GetClientRect(AsHwnd(host), &client)) return false;
  width = client.right - client.left;
  height = client.bottom - client.top;
  return true;
}

bool Win32WindowSystem::WindowRectInHost(WindowHandle host, WindowHandle window, Rect& out) {
  RECT screen{};
  if (!GetWindowRect(AsHwnd(window), &screen)) return false;
  POINT topLeft{screen.left, screen.top};
  POINT bottomRight{screen.right, screen.bottom};
  ScreenToClient(AsHwnd(host), &topLeft);
  ScreenToClient(AsHwnd(host), &bottomRight);
  out = {topLeft.x, topLeft.y, bottomRight.x - topLeft.x, bottomRight.y - topLeft.y};
  return true;
}

void Win32WindowSystem::MoveNow(WindowHandle window, const Rect& to) {
  SetWindowPos(AsHwnd(window), nullptr, to.Left, to.Top, to.Width, to.Height, kMoveFlags);
}

WindowSystem::Batch Win32WindowSystem::BeginBatch(int count) {
  return reinterpret_cast<Batch>(BeginDeferWindowPos(count));
}

WindowSystem::Batch Win32WindowSystem::AddToBatch(Batch batch, WindowHandle window,
                                                  const Rect& to) {
  return reinterpret_cast<Batch>(DeferWindowPos(reinterpret_cast<HDWP>(batch), AsHwnd(window),
                                                nullptr, to.Left, to.Top, to.Width, to.Height,
                                                kMoveFlags));
}

void Win32WindowSystem::EndBatch(Batch batch) {
  EndDeferWindowPos(reinterpret_cast<HDWP>(batch));
}

void Win32WindowSystem::SetRedraw(WindowHandle host, bool enabled) {
  SendMessageW(AsHwnd(host), WM_SETREDRAW, enabled ? TRUE : FALSE, 0);
}

void Win32WindowSystem::RepaintAll(WindowHandle host) {
  RedrawWindow(AsHwnd(host), nullptr, nullptr, kRepaintFlags);
}

bool Win32WindowSystem::IsWindow(WindowHandle window) {
  return window != 0 && ::IsWindow(AsHwnd(window));
}

WindowHandle Win32WindowSystem::FirstChild(WindowHandle parent) {
  return AsHandle(GetWindow(AsHwnd(parent), GW_CHILD));
}

WindowHandle Win32WindowSystem::NextSibling(WindowHandle window) {
  return AsHandle(GetWindow(AsHwnd(window), GW_HWNDNEXT));
}

std::int32_t Win32WindowSystem::WindowDpi(WindowHandle window) {
  return QueryWindowDpi(AsHwnd(window));
}

void Win32WindowSystem::DrainMessages(WindowHandle host, int limit) {
  MSG message{};
  for (int i = 0; i < limit; ++i) {
    if (!PeekMessageW(&message, AsHwnd(host), 0, 0, PM_REMOVE)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32WindowSystem::CloseEditorWindow() {
  if (closeEditor_ != nullptr) closeEditor_();
}

bool Win32WindowSystem::EnableDpiAwareness() {
  return duduve::EnableDpiAwareness();
}

bool Win32WindowSystem::IsProcessDpiAware() {
  return duduve::IsProcessDpiAware();
}

std::wstring BridgeHostServices::CallInterface(int command, std::wstring_view request) {
  return CallHostInterface(command, request);
}

void BridgeHostServices::SetVariable(std::wstring_view name, std::wstring_view value) {
  SetHostVariable(name, value);
}

}  // namespace duduve
