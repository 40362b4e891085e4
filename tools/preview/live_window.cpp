#include "live_window.h"

#include <cstdio>

#include "file_output.h"
#include "page_check.h"

namespace preview {

namespace {

constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchEveryMs = 250;

struct MenuItem {
  LiveCommand Command;
  const wchar_t* Text;
};
constexpr MenuItem kMenu[] = {
    {LiveCommand::Reload, L"&Reload the page file\tF5"},
    {LiveCommand::Ghosts, L"Show the &design rectangles\tG"},
    {LiveCommand::DesignSize, L"Design si&ze\t0"},
    {LiveCommand::Shape1, L"4:3 at the screen's height\t1"},
    {LiveCommand::Shape2, L"16:9 at the screen's height\t2"},
    {LiveCommand::Shape3, L"16:10 at the screen's height\t3"},
    {LiveCommand::Shape4, L"21:9 at the screen's height\t4"},
    {LiveCommand::Picture, L"Save a &picture\tP"},
    {LiveCommand::Lines, L"Show the script &lines\tL"},
};

// Window-menu command ids: multiples of 16 below the system's own.
UINT MenuId(LiveCommand command) {
  return 0x100 + 0x10 * static_cast<UINT>(command);
}

}  // namespace

std::optional<LiveCommand> CommandForKey(WPARAM key) {
  if (key >= '0' && key <= '4') key += VK_NUMPAD0 - '0';
  switch (key) {
    case VK_F5:
      return LiveCommand::Reload;
    case 'G':
      return LiveCommand::Ghosts;
    case VK_NUMPAD0:
      return LiveCommand::DesignSize;
    case VK_NUMPAD1:
      return LiveCommand::Shape1;
    case VK_NUMPAD2:
      return LiveCommand::Shape2;
    case VK_NUMPAD3:
      return LiveCommand::Shape3;
    case VK_NUMPAD4:
      return LiveCommand::Shape4;
    case 'P':
      return LiveCommand::Picture;
    case 'L':
      return LiveCommand::Lines;
    case VK_ESCAPE:
      return LiveCommand::Close;
    default:
      return std::nullopt;
  }
}

LiveWindow::LiveWindow(LiveSettings settings) : settings_(std::move(settings)) {}

LiveWindow::~LiveWindow() {
  if (!host_) return;
  if (!closed_) Close();
  // The host's windows outlive this object's members during their destruction.
  host_->OnHostMessage = nullptr;
  host_->Painter = nullptr;
  host_->OnPick = nullptr;
}

std::optional<PlayFailure> LiveWindow::Open() {
  stamp_ = StampOf(settings_.PagePath);
  const auto text = ReadWholeFile(settings_.PagePath);
  if (!text) return PlayFailure{settings_.FileName + ": cannot be read", true};
  Page page;
  if (auto error = ParsePage(*text, settings_.FileName, page)) {
    return PlayFailure{error->Text(), true};
  }
  // The check's runs first: they load the plug-in in hosts of their own.
  CheckPlays plays;
  if (auto failure = PlayForCheck(page, settings_.DllPath, settings_.FileName, plays)) {
    return failure;
  }
  actions_ = plays.AsWritten.Actions;
  plays_ = std::move(plays);
  if (auto error = CheckActions(page, actions_, settings_.FileName)) {
    return PlayFailure{error->Text(), true};
  }
  host_ = std::make_unique<standin::StandInHost>(page.Width, page.Height,
                                                 standin::HostFrame::Captioned);
  if (auto failure = StartPlugIn(*host_, settings_.DllPath)) return failure;

  host_->OnHostMessage = [this](UINT message, WPARAM wParam, LPARAM lParam) {
    return HostMessage(message, wParam, lParam);
  };
  // Each window shows the part of the picture under its client area, wherever it is nested.
  host_->Painter = [this](HWND window, HDC dc) { picture_.Show(dc, host_->ClientAreaBox(window)); };
  host_->OnPick = [this] { return PickObjectByClick(); };
  pageText_ = *text;
  if (!lines_.Create(Window(), FromAnsi(settings_.FileName) + L" - script lines",
                     [this](int line) { OpenLine(line); })) {
    return PlayFailure{"could not open the window of script lines", false};
  }
  HMENU menu = GetSystemMenu(Window(), FALSE);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  for (const auto& item : kMenu) AppendMenuW(menu, MF_STRING, MenuId(item.Command), item.Text);
  SetTimer(Window(), kWatchTimer, kWatchEveryMs, nullptr);
  EnterPage(std::move(page));
  KeepLinesBeside(true);
  SetStatus(L"Double-click a line to edit it; right-click an object to register it.");
  return std::nullopt;
}

const LiveEnd& LiveWindow::Run() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Keys work wherever the focus is inside the window or the list of lines.
    const bool inLines = message.hwnd == LinesWindow() || IsChild(LinesWindow(), message.hwnd);
    const bool ours = inLines || message.hwnd == Window() || IsChild(Window(), message.hwnd);
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && inLines) {
      lines_.OpenSelected();
      continue;
    }
    if (message.message == WM_KEYDOWN && ours) {
      if (const auto command = CommandForKey(message.wParam)) {
        Perform(*command);
        continue;
      }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (!closed_) Close();
  return end_;
}

std::optional<LRESULT> LiveWindow::HostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      // A minimised window has no page to lay out; during an edit the page waits.
      if (editing_) {
        resizePending_ = true;
      } else if (entered_ && !closed_ && wParam != SIZE_MINIMIZED) {
        Resized();
      }
      if (wParam != SIZE_MINIMIZED && lines_.Shown()) KeepLinesBeside(!sizing_);
      return 0;
    case WM_MOVE:
      if (lines_.Shown()) KeepLinesBeside(!sizing_);
      return std::nullopt;
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
      // While the author drags, only the lines follow; the page keeps where it is put.
      sizing_ = message == WM_ENTERSIZEMOVE;
      if (!sizing_ && lines_.Shown()) KeepLinesBeside(true);
      return std::nullopt;
    case WM_GETMINMAXINFO:
      if (!lines_.Shown()) return std::nullopt;
      LeaveRoomWhenMaximised(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_CONTEXTMENU:
      if (!editing_ && !closed_) OfferRegistration(lParam);
      return 0;
    case WM_TIMER:
      // An edit in progress looks at the file itself when it ends.
      if (wParam != kWatchTimer || closed_ || editing_) return std::nullopt;
      if (const auto now = StampOf(settings_.PagePath); now && now != stamp_) Reload();
      return 0;
    case WM_SYSCOMMAND:
      for (const auto& item : kMenu) {
        if ((wParam & 0xFFF0) == MenuId(item.Command)) {
          Perform(item.Command);
          return 0;
        }
      }
      return std::nullopt;
    case WM_CLOSE:
      Perform(LiveCommand::Close);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the painter covers the whole client area
    default:
      return std::nullopt;
  }
}

void LiveWindow::Perform(LiveCommand command) {
  if (closed_) return;
  // While an editor is open only closing is remembered, for when it ends.
  if (editing_) {
    closePending_ |= command == LiveCommand::Close;
    return;
  }
  switch (command) {
    case LiveCommand::Reload:
      Reload();
      break;
    case LiveCommand::Ghosts:
      ghosts_ = !ghosts_;
      CheckMenuItem(GetSystemMenu(Window(), FALSE), MenuId(LiveCommand::Ghosts),
                    ghosts_ ? MF_CHECKED : MF_UNCHECKED);
      Repaint();
      break;
    case LiveCommand::DesignSize:
      SetClientSize({page_.Width, page_.Height}, false);
      break;
    case LiveCommand::Shape1:
    case LiveCommand::Shape2:
    case LiveCommand::Shape3:
    case LiveCommand::Shape4:
      ShowShape(kCommonShapes[static_cast<std::size_t>(command) -
                              static_cast<std::size_t>(LiveCommand::Shape1)]);
      break;
    case LiveCommand::Picture:
      SavePicture();
      break;
    case LiveCommand::Lines:
      KeepLinesBeside(true);
      break;
    case LiveCommand::Close:
      Close();
      PostQuitMessage(0);
      break;
  }
}

void LiveWindow::EnterPage(Page page) {
  page_ = std::move(page);
  resized_ = ResizedLines(page_, actions_);
  AddPageObjects(*host_, page_);
  entered_ = true;
  entryRuns_.clear();
  resizeRuns_.clear();
  findings_.clear();
  resizePending_ = false;
  RunLines(page_.Enter, "page entry", entryRuns_);
  ShowLines();
}

void LiveWindow::Reload() {
  const auto stamp = StampOf(settings_.PagePath);
  const auto text = ReadWholeFile(settings_.PagePath);
  // An unreadable file (an editor may hold it) is tried again at the next look.
  if (!text) {
    Refuse(settings_.FileName + ": cannot be read");
    return;
  }
  stamp_ = stamp;
  LoadPage(*text);
}

bool LiveWindow::LoadPage(const std::string& text) {
  Page page;
  if (auto error = ParsePage(text, settings_.FileName, page)) {
    Refuse(error->Text());
    return false;
  }
  if (auto error = CheckActions(page, actions_, settings_.FileName)) {
    Refuse(error->Text());
    return false;
  }
  // A fresh load of the plug-in, as a host that starts anew: nothing of the earlier page
  // stays, neither the design rectangles it measured nor the one Duduve_InitDPI call of the
  // process. The new windows start at their design rectangles.
  host_->Unload();
  host_->RemoveAllObjects();
  PlayForFindings(page);
  if (auto failure = StartPlugIn(*host_, settings_.DllPath)) {
    Refuse(failure->Text);
    return false;
  }
  error_.clear();
  pageText_ = text;
  std::printf("%s: reloaded\n", settings_.FileName.c_str());
  std::fflush(stdout);
  EnterPage(std::move(page));
  return true;
}

void LiveWindow::Refuse(const std::string& error) {
  std::fprintf(stderr, "%s\n", error.c_str());
  error_ = FromAnsi(error + " (the last good page stays)");
  Repaint();
}

void LiveWindow::PlayForFindings(const Page& page) {
  CheckPlays plays;
  if (auto failure = PlayForCheck(page, settings_.DllPath, settings_.FileName, plays)) {
    std::fprintf(stderr, "%s\n", failure->Text.c_str());
    plays_.reset();
    return;
  }
  plays_ = std::move(plays);
}

void LiveWindow::Resized() {
  saved_.clear();
  RunLines(resized_, "resized", resizeRuns_);
}

void LiveWindow::RunLines(const std::vector<ScriptLine>& lines, const char* event,
                          std::vector<LineRun>& runs) {
  const auto outcomes = RunScript(*host_, lines);
  for (const auto& outcome : outcomes) {
    if (outcome.Result != 1) {
      std::printf("%s: %s: %s -> %d\n", settings_.FileName.c_str(), event, outcome.Text.c_str(),
                  outcome.Result);
    }
  }
  runs = LineRuns(*host_, outcomes);
  UpdateFindings();
  variables_.Take(host_->Variables());
  // A long session keeps the host's records and the account's dead blocks small.
  host_->ClearRecords();
  host_->Account().ForgetDead();
  Repaint();
}

void LiveWindow::Repaint() {
  const WindowSize client = ClientSize();
  picture_.Draw(page_, {client, {}, PageBoxes(*host_, page_), {}}, ghosts_);
  RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  std::wstring note;
  const FindingCount count = CountFindings(findings_);
  std::wstring findings;
  if (count.Warnings > 0) {
    findings = std::to_wstring(count.Warnings) +
               (count.Warnings == 1 ? L" warning" : L" warnings") + L" (!)";
  }
  if (count.Remarks > 0) {
    findings += (findings.empty() ? L"" : L" and ") + std::to_wstring(count.Remarks) +
                (count.Remarks == 1 ? L" remark" : L" remarks") + L" (~)";
  }
  if (!findings.empty()) findings += L" in the script lines";
  for (const std::wstring& part : {error_, saved_, findings}) {
    if (!part.empty()) note += (note.empty() ? L"" : L" | ") + part;
  }
  const std::wstring caption = LiveCaption(settings_.FileName, client, variables_, ghosts_, note);
  SetWindowTextW(Window(), caption.c_str());
}

WindowSize LiveWindow::ClientSize() const {
  const standin::Box client = host_->ClientBox();
  return {client.Width, client.Height};
}

void LiveWindow::SavePicture() {
  const WindowSize client = ClientSize();
  const std::wstring path = settings_.PictureFolder + L"\\" + settings_.PictureStem + L"-live-" +
                            std::to_wstring(client.Width) + L"x" + std::to_wstring(client.Height) +
                            L".png";
  const auto bytes = EncodePng(picture_.Snapshot());
  if (!bytes.empty() && MakeFolders(settings_.PictureFolder) &&
      !WriteAllOrNothing({{path, bytes}})) {
    saved_ = L"saved " + path;
    std::printf("%s\n", ToAnsi(saved_).c_str());
  } else {
    saved_ = L"could not write " + path;
    std::fprintf(stderr, "duduve-preview: %s\n", ToAnsi(saved_).c_str());
  }
  Repaint();
}

void LiveWindow::Close() {
  closed_ = true;
  KillTimer(Window(), kWatchTimer);
  // The host's release message puts every object back at its design rectangle.
  host_->Message(2);
  end_.Released = PageBoxes(*host_, page_);
  end_.Unloaded = host_->Unload();
  end_.Faults = host_->FaultReport();
  lines_.Hide();
  ShowWindow(Window(), SW_HIDE);
}

}  // namespace preview
