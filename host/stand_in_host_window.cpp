// The stand-in host's window and the page objects: the window classes, painting, and the
// objects' windows and rectangles.
#include <memory>

#include "stand_in_host.h"

namespace standin {

namespace {

constexpr wchar_t kHostClass[] = L"DuduveStandInHost";
constexpr wchar_t kObjectClass[] = L"DuduveStandInObject";

// A fixed colour per object, so that screenshots tell objects apart.
COLORREF ObjectColour(int index) {
  static constexpr COLORREF kPalette[] = {RGB(220, 80, 60),   RGB(60, 140, 220), RGB(90, 180, 90),
                                          RGB(230, 180, 40),  RGB(150, 90, 200), RGB(40, 180, 180),
                                          RGB(200, 100, 160), RGB(120, 120, 120)};
  return kPalette[static_cast<unsigned>(index) % (sizeof kPalette / sizeof kPalette[0])];
}

void Paint(HWND window, const std::function<void(HWND, HDC)>& painter, COLORREF colour) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (painter) {
    painter(window, dc);
  } else {
    const std::unique_ptr<HBRUSH__, decltype(&DeleteObject)> brush(CreateSolidBrush(colour),
                                                                   &DeleteObject);
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, brush.get());
  }
  EndPaint(window, &paint);
}

// The window size that gives a window of this style the client size.
SIZE OuterSize(DWORD style, DWORD exStyle, int clientWidth, int clientHeight) {
  RECT outer{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

// The host that made the window: handed over in WM_NCCREATE and kept in the window's user
// data; null for the messages before it.
StandInHost* HostOf(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<StandInHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace

void StandInHost::CreateHostWindow(int clientWidth, int clientHeight, HostFrame frame,
                                   HostLayout layout) {
  static const bool registered = [] {
    WNDCLASSEXW host{};
    host.cbSize = sizeof host;
    host.lpfnWndProc = &StandInHost::HostWindowProc;
    host.hInstance = GetModuleHandleW(nullptr);
    host.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    host.lpszClassName = kHostClass;
    WNDCLASSEXW object = host;
    object.lpfnWndProc = &StandInHost::ObjectWindowProc;
    object.lpszClassName = kObjectClass;
    return RegisterClassExW(&host) != 0 && RegisterClassExW(&object) != 0;
  }();
  (void)registered;
  const bool captioned = frame == HostFrame::Captioned;
  const DWORD style = (captioned ? WS_OVERLAPPEDWINDOW : WS_POPUP) | WS_CLIPCHILDREN;
  const DWORD exStyle = layout == HostLayout::RightToLeft ? WS_EX_LAYOUTRTL : 0;
  const SIZE outer = OuterSize(style, exStyle, clientWidth, clientHeight);
  window_ = CreateWindowExW(exStyle, kHostClass, L"Duduve stand-in host", style,
                            captioned ? CW_USEDEFAULT : 0, 0, outer.cx, outer.cy, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
  // A popup is shown without activation: under wine without a window manager, destroying an
  // activated (managed) window waits two seconds for a withdrawal that never comes. A
  // captioned window is the one a person works in, so it takes the keyboard.
  ShowWindow(window_, captioned ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
  UpdateWindow(window_);
}

// --- The host window and the page objects ---

void StandInHost::Resize(int clientWidth, int clientHeight) {
  const SIZE outer = FrameSize(window_, clientWidth, clientHeight);
  SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

SIZE StandInHost::FrameSize(HWND window, int clientWidth, int clientHeight) {
  return OuterSize(static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                   static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), clientWidth,
                   clientHeight);
}

Box StandInHost::ClientBox() const {
  RECT client{};
  GetClientRect(window_, &client);
  return {0, 0, client.right, client.bottom};
}

HWND StandInHost::AddObject(const std::string& name, const Box& box, const std::string& container,
                            ObjectFrame frame) {
  HWND parent = window_;
  RECT place{box.Left, box.Top, box.Left + box.Width, box.Top + box.Height};
  if (!container.empty()) {
    parent = ObjectWindow(container);
    if (parent == nullptr) return nullptr;
    // Over a rectangle, so that a mirrored window keeps left below right.
    MapWindowPoints(window_, parent, reinterpret_cast<POINT*>(&place), 2);
  }
  const int id = static_cast<int>(objects_.size()) + 1;
  // A window with windows inside leaves their area to them when it paints.
  HWND child = CreateWindowExA(
      frame == ObjectFrame::Bordered ? WS_EX_CLIENTEDGE : 0, "DuduveStandInObject", name.c_str(),
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
  if (child == nullptr) return nullptr;
  // A new child window starts at the bottom of its siblings; a page's later objects lie on top.
  SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  objects_.push_back({name, child});
  return child;
}

bool StandInHost::RemoveObject(const std::string& name) {
  const PageObject* object = FindObject(name);
  if (object == nullptr) return false;
  HWND window = object->Window;
  // The objects inside go with their container's window.
  std::erase_if(objects_, [window](const PageObject& other) {
    return other.Window == window || IsChild(window, other.Window);
  });
  DestroyWindow(window);
  return true;
}

void StandInHost::RemoveAllObjects() {
  while (!objects_.empty()) RemoveObject(objects_.back().Name);
}

const StandInHost::PageObject* StandInHost::FindObject(const std::string& name) const {
  for (const auto& object : objects_) {
    if (lstrcmpiA(object.Name.c_str(), name.c_str()) == 0) return &object;
  }
  return nullptr;
}

HWND StandInHost::ObjectWindow(const std::string& name) const {
  const auto* object = FindObject(name);
  return object == nullptr ? nullptr : object->Window;
}

Box StandInHost::ObjectBox(const std::string& name) const {
  HWND window = ObjectWindow(name);
  return window == nullptr ? Box{} : WindowBox(window);
}

namespace {

// A rectangle of `from`'s coordinates in the host window's client pixels. Mapped as a
// rectangle: two corners converted one by one swap left and right in a mirrored window.
Box InHostClient(HWND from, HWND host, RECT rect) {
  MapWindowPoints(from, host, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

Box StandInHost::WindowBox(HWND window) const {
  RECT screen{};
  if (!GetWindowRect(window, &screen)) return {};
  return InHostClient(HWND_DESKTOP, window_, screen);
}

Box StandInHost::ClientAreaBox(HWND window) const {
  RECT client{};
  if (!GetClientRect(window, &client)) return {};
  return InHostClient(window, window_, client);
}

void StandInHost::PumpMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void StandInHost::ResetPaintCounters() {
  paints_ = redrawOff_ = redrawOn_ = 0;
}

void StandInHost::ObjectMoved(HWND window) {
  if (!OnObjectMoved) return;
  for (const auto& object : objects_) {
    if (object.Window == window) {
      const std::string name = object.Name;  // the hook may remove the object
      OnObjectMoved(*this, name);
      return;
    }
  }
}

LRESULT CALLBACK StandInHost::HostWindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* host = HostOf(window, message, lParam);
  if (host != nullptr) {
    host->NoteFloatSeen("host window procedure");
    if (message == WM_PAINT) ++host->paints_;
    if (host->OnHostMessage) {
      if (const auto handled = host->OnHostMessage(message, wParam, lParam)) return *handled;
    }
    if (message == WM_PAINT) {
      Paint(window, host->Painter, RGB(255, 255, 255));
      return 0;
    }
    if (message == WM_SETREDRAW) ++(wParam == 0 ? host->redrawOff_ : host->redrawOn_);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK StandInHost::ObjectWindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  auto* host = HostOf(window, message, lParam);
  if (host != nullptr) host->NoteFloatSeen("object window procedure");
  if (message == WM_PAINT) {
    static const std::function<void(HWND, HDC)> kPlainFill;
    Paint(window, host != nullptr ? host->Painter : kPlainFill,
          ObjectColour(GetDlgCtrlID(window) - 1));
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_WINDOWPOSCHANGED && host != nullptr) {
    const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
    host->ObjectMoved(window);
    return result;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace standin
