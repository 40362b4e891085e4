// The live window's workbench: the list of script lines with their findings, editing a line
// with Duduve's own editor as the authoring host does at design time (the live window is the
// plug-in's host window and the editor's owner), picking objects by clicking them, and
// registering an object from its context menu. An edit that is confirmed is written into the
// page file, one line changed and every other byte kept, and the page is played again.
#include <windows.h>
// After windows.h, which it needs.
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ascii_text.h"
#include "check_reading.h"
#include "file_output.h"
#include "live_window.h"
#include "page_check.h"
#include "page_painter.h"

namespace preview {

namespace {

constexpr UINT kRegisterCommand = 1;

// Why the plug-in would read a parameter of the line only in part, naming the first such;
// nothing when it reads every one whole. Its editor would show, and save, only that part.
std::optional<std::string> PartlyReadParam(int actionId, const std::vector<std::string>& params) {
  const auto specs = ParamSpecs(actionId);
  for (std::size_t i = 0; i < params.size() && i < specs.size(); ++i) {
    const ReadParam param = ReadAsPlugIn(params[i]);
    if (param.Emptied) return SevenBitProblem(specs[i], param) + ", so Duduve reads it as empty";
    const std::string label = specs[i].Label;
    if (param.Cut) {
      return label + " is " + std::to_string(param.Raw.size()) +
             " characters long; Duduve reads only the first " + std::to_string(kLongestParam);
    }
    if (param.Text != Widen(param.Raw)) {
      return label + " holds a zero byte (character " + std::to_string(param.Raw.find('\0') + 1) +
             "), where Duduve stops reading";
    }
  }
  return std::nullopt;
}

bool Contains(const standin::Box& box, POINT point) {
  return point.x >= box.Left && point.y >= box.Top && point.x < box.Left + box.Width &&
         point.y < box.Top + box.Height;
}

}  // namespace

void LiveWindow::UpdateFindings() {
  std::vector<LineRun> runs = entryRuns_;
  runs.insert(runs.end(), resizeRuns_.begin(), resizeRuns_.end());
  auto findings = CheckPage(page_, actions_, runs, plays_ ? &*plays_ : nullptr);
  if (findings == findings_) return;
  findings_ = std::move(findings);
  if (entered_) ShowLines();
}

void LiveWindow::ShowLines() {
  std::vector<ListedLine> listed;
  const auto kindOf = [](const Finding& finding) {
    return finding.Kind == Severity::Warning ? ListedKind::Warning : ListedKind::Remark;
  };
  const auto mark = [](const Finding& finding) {
    return finding.Kind == Severity::Warning ? L"! " : L"~ ";
  };
  // Findings about lines that are no script line (such as "on enter") go first.
  for (const auto& finding : findings_) {
    if (FindScriptLine(page_, finding.Line) == nullptr) {
      const std::wstring lead = mark(finding) + (L"line " + std::to_wstring(finding.Line) + L": ");
      listed.push_back({lead + FromAnsi(finding.What), 0, kindOf(finding), lead.size()});
    }
  }
  const auto addSection = [&](const wchar_t* heading, const std::vector<ScriptLine>& script) {
    listed.push_back({heading, 0, ListedKind::Heading, 0});
    for (const auto& line : script) {
      wchar_t number[16];
      std::swprintf(number, 16, L"%4d  ", line.Line);
      const std::wstring lead = number;
      listed.push_back(
          {lead + FromAnsi(ScriptText(line)), line.Line, ListedKind::Script, lead.size()});
      for (const auto& finding : findings_) {
        if (finding.Line != line.Line) continue;
        const std::wstring findingLead = std::wstring(8, L' ') + mark(finding);
        listed.push_back(
            {findingLead + FromAnsi(finding.What), line.Line, kindOf(finding), findingLead.size()});
      }
    }
  };
  addSection(L"on enter", page_.Enter);
  if (page_.HasResized) addSection(L"on resized", page_.Resized);
  lines_.SetLines(listed);
}

void LiveWindow::OpenLine(int number) {
  if (editing_ || closed_) return;
  const ScriptLine* line = FindScriptLine(page_, number);
  if (line == nullptr) return;
  const auto declared = std::find_if(actions_.begin(), actions_.end(), [&](const auto& action) {
    return action.Id == line->ActionId;
  });
  if (declared == actions_.end() || declared->ParamCount <= 0) {
    SetStatus(FromAnsi(line->Action) + L" has no parameters to edit");
    return;
  }
  EditLine({number, std::nullopt, line->ActionId, line->Params});
}

void LiveWindow::OfferRegistration(LPARAM screenPoint) {
  POINT point{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  // From the keyboard the point is (-1, -1): the mouse's place stands in.
  if (point.x == -1 && point.y == -1) GetCursorPos(&point);
  const std::string name = ObjectAt(point);
  if (name.empty()) return;
  struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
  };
  const std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter> menu(CreatePopupMenu());
  const std::wstring item = L"&Register " + FromAnsi(name) + L"\u2026";
  AppendMenuW(menu.get(), MF_STRING, kRegisterCommand, item.c_str());
  // A menu closes on a click elsewhere only when its owner is in the foreground.
  SetForegroundWindow(Window());
  const UINT chosen =
      static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                       point.x, point.y, 0, Window(), nullptr));
  PostMessageW(Window(), WM_NULL, 0, 0);
  if (chosen == kRegisterCommand) RegisterObjectLine(name);
}

void LiveWindow::RegisterObjectLine(const std::string& name) {
  if (const int line = RegisteringLine(page_, name)) {
    OpenLine(line);
    return;
  }
  const int registerAction = duduve::Number(duduve::ActionId::RegisterObject);
  EditLine({0, RegistrationPoint(page_), registerAction, {name, "", "", "", "", "", ""}});
}

void LiveWindow::EditLine(const LineEdit& edit) {
  if (editing_ || closed_) return;
  const std::wstring file = FromAnsi(settings_.FileName);
  const std::wstring which = edit.Insert ? L"the new line" : L"line " + std::to_wstring(edit.Line);
  if (const auto problem = PartlyReadParam(edit.ActionId, edit.Params)) {
    SetStatus(L"cannot edit " + which + L": " + FromAnsi(*problem) +
              L"; its editor would save only what Duduve reads, so correct the line in " + file);
    return;
  }
  // The edit is made on the text shown; a file that differs (a mistake kept off the screen,
  // a change not seen yet) would lose its own changes.
  if (ReadWholeFile(settings_.PagePath) != pageText_) {
    SetStatus(file + L" on disk is not the page shown; reload it (F5) before editing");
    return;
  }
  const std::string base = pageText_;
  editing_ = true;
  SetStatus(L"editing " + which + L" with Duduve's editor");
  // The plug-in's editor takes the foreground window as its owner.
  SetForegroundWindow(Window());
  std::vector<std::string> written;
  int result = 0;
  {
    standin::HostParams params(edit.Params);
    result = host_->Edit(edit.ActionId, params);
    for (std::size_t i = 0; i < params.Size(); ++i) written.push_back(params.Text(i));
  }
  editing_ = false;
  host_->Account().ForgetDead();

  if (result != 1) {
    SetStatus(L"the edit of " + which + L" was cancelled; nothing changed");
    return EndEdit();
  }
  const auto onDisk = ReadWholeFile(settings_.PagePath);
  if (!onDisk) {
    SetStatus(L"could not save " + file + L": cannot read the file; nothing changed");
    return EndEdit();
  }
  if (*onDisk != base) {
    Reload();
    SetStatus(file + L" changed on disk while the editor was open, so the edit was not written");
    return EndEdit();
  }
  if (!std::all_of(written.begin(), written.end(), FitsInPageFile)) {
    SetStatus(L"cannot write " + which +
              L": a parameter holds a double quote or a line break, which a page file cannot "
              L"hold; nothing changed");
    return EndEdit();
  }
  const auto declared = std::find_if(actions_.begin(), actions_.end(), [&](const auto& action) {
    return action.Id == edit.ActionId;
  });
  const std::string content = ScriptText({0, declared->Name, written, edit.ActionId});
  const std::string text = edit.Insert ? InsertLine(base, *edit.Insert, content)
                                       : ReplaceLine(base, edit.Line, content).value_or(base);
  if (text == base) {
    SetStatus(which + L" is unchanged");
    return EndEdit();
  }
  if (const auto failure = SaveSafely(settings_.PagePath, text)) {
    SetStatus(L"could not save " + file + L": " + *failure);
    return EndEdit();
  }
  stamp_ = StampOf(settings_.PagePath);
  LoadPage(text);
  SetStatus(which + L" saved: " + FromAnsi(content) + L" (the previous version is " + file +
            L".bak)");
  EndEdit();
}

void LiveWindow::EndEdit() {
  if (closePending_) {
    closePending_ = false;
    Perform(LiveCommand::Close);
    return;
  }
  if (resizePending_) {
    resizePending_ = false;
    Resized();
  }
}

std::string LiveWindow::PickObjectByClick() {
  const std::wstring before = lines_.Status();
  SetStatus(L"Pick: click an object in the page (Esc, or a click outside every object: none)");
  // With the capture every click comes here; without it (the author switched away) clicks
  // still arrive from this thread's windows, which is all a pick needs.
  SetCapture(Window());
  const HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
  std::string answer;
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The quit message belongs to the outer loop.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    const UINT what = message.message;
    if (what == WM_KEYDOWN && message.wParam == VK_ESCAPE) break;
    if (what == WM_LBUTTONDOWN) {
      POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
      ClientToScreen(message.hwnd, &point);
      answer = ObjectAt(point);
      break;
    }
    // The other clicks of a pick reach no window.
    if (what == WM_LBUTTONUP || what == WM_LBUTTONDBLCLK || what == WM_RBUTTONDOWN ||
        what == WM_RBUTTONUP) {
      continue;
    }
    if (what == WM_MOUSEMOVE) SetCursor(cross);
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  ReleaseCapture();
  SetStatus(answer.empty() ? before : L"picked " + FromAnsi(answer));
  return answer;
}

std::string LiveWindow::ObjectAt(POINT screen) const {
  POINT client = screen;
  ScreenToClient(Window(), &client);
  if (!Contains(host_->ClientBox(), client)) return {};
  // What the picture shows on top there: an object inside a container before the container.
  const auto index = TopmostObjectAt(page_, PageBoxes(*host_, page_), client.x, client.y);
  return index ? page_.Objects[*index].Name : std::string();
}

void LiveWindow::SetStatus(const std::wstring& status) {
  lines_.SetStatus(status);
  std::printf("%s\n", ToAnsi(status).c_str());
  std::fflush(stdout);
}

}  // namespace preview
