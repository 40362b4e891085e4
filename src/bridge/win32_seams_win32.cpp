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

Rect AsRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// MapWindowPoints over the two corners as one rectangle: the system swaps left and right
// where either window is mirrored, so the width stays positive.
void MapRectangle(HWND from, HWND to, RECT& rect) {
  MapWindowPoints(from, to, reinterpret_cast<POINT*>(&rect), 2);
}

bool LaidOutRightToLeft(HWND window) {
  return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
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
  RECT rect{};
  if (!GetWindowRect(AsHwnd(window), &rect)) return false;
  MapRectangle(HWND_DESKTOP, AsHwnd(host), rect);
  out = AsRect(rect);
  return true;
}

bool Win32WindowSystem::ParentAreaOf(WindowHandle host, WindowHandle window, ParentArea& out) {
  HWND parent = GetAncestor(AsHwnd(window), GA_PARENT);
  if (parent == nullptr) return false;
  out.Parent = AsHandle(parent);
  if (parent == AsHwnd(host)) return true;  // the common case costs one call
  RECT client{};
  RECT frame{};
  if (!GetClientRect(parent, &client) || !GetWindowRect(parent, &frame)) return false;
  MapRectangle(parent, AsHwnd(host), client);
  MapRectangle(HWND_DESKTOP, AsHwnd(host), frame);
  out.Client = AsRect(client);
  out.Frame = AsRect(frame);
  out.Mirrored = LaidOutRightToLeft(parent) != LaidOutRightToLeft(AsHwnd(host));
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
