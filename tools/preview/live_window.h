#pragma once
// duduve-preview --live: the page in a captioned, resizable host window. Every size change
// runs the page's Resized lines through the loaded plug-in, as the authoring host does; keys
// (and the window menu) reload the page file, show the design rectangles, try common window
// shapes and save a picture. The page file is reloaded whenever it changes on disk. A window
// beside it lists the script lines with their findings; a line is edited with Duduve's own
// editor and written back into the file (live_editing.cpp).
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "check_finding.h"
#include "check_plays.h"
#include "line_list_window.h"
#include "live_picture.h"
#include "live_status.h"
#include "page_file.h"
#include "page_text_edit.h"
#include "preview_run.h"
#include "stand_in_host.h"

namespace preview {

struct LiveSettings {
  std::wstring PagePath;
  std::string FileName;  // the page file as messages name it
  std::wstring DllPath;
  std::wstring PictureFolder;  // where a saved picture goes
  std::wstring PictureStem;    // pictures are named STEM-live-WIDTHxHEIGHT.png
};

// What closing found.
struct LiveEnd {
  std::vector<standin::Box> Released;  // the objects' rectangles after the release message
  bool Unloaded = false;
  std::string Faults;  // GlobalAlloc blocks the plug-in mishandled; empty when balanced
};

enum class LiveCommand {
  Reload,
  Ghosts,
  DesignSize,
  Shape1,
  Shape2,
  Shape3,
  Shape4,
  Picture,
  Lines,
  Close
};

// The command a key gives (F5, G, 0 to 4, P, L, Escape), if any.
std::optional<LiveCommand> CommandForKey(WPARAM key);

class LiveWindow {
 public:
  explicit LiveWindow(LiveSettings settings);
  ~LiveWindow();
  LiveWindow(const LiveWindow&) = delete;
  LiveWindow& operator=(const LiveWindow&) = delete;

  // Reads the page file, opens the window with the page's design size as its client area,
  // loads the plug-in and runs page entry.
  std::optional<PlayFailure> Open();
  // Serves the window until it is closed (close box, Escape, or the window menu): then the
  // plug-in is sent the release message and unloaded.
  const LiveEnd& Run();
  HWND Window() const { return host_ ? host_->Window() : nullptr; }
  // The window listing the script lines.
  HWND LinesWindow() const { return lines_.Window(); }

 private:
  // One line to edit: an existing one, or a new one inserted where `Insert` says.
  struct LineEdit {
    int Line = 0;
    std::optional<InsertionPoint> Insert;
    int ActionId = 0;
    std::vector<std::string> Params;
  };

  std::optional<LRESULT> HostMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Perform(LiveCommand command);
  void EnterPage(Page page);
  void Reload();
  // Plays a new text of the page file from page entry at the current size; false when it
  // has a mistake (the last good page stays).
  bool LoadPage(const std::string& text);
  void Refuse(const std::string& error);
  // The check's own runs of the page (with the plug-in loaded in hosts of their own), which
  // tell the findings of its layout.
  void PlayForFindings(const Page& page);
  // --- Where the windows go (live_placement.cpp) ---
  // Puts the script lines beside the page; with `movePage`, moves or narrows the page when
  // neither side has room.
  void KeepLinesBeside(bool movePage);
  // The width the script lines take beside the page, 0 while they are hidden.
  int LinesRoom() const;
  // Maximised, the page leaves the lines their room at the work area's right.
  void LeaveRoomWhenMaximised(MINMAXINFO& limits) const;
  // The largest client area of the shape in the room beside the lines, at the top.
  void ShowShape(const Shape& shape);
  void Resized();
  // Runs script lines, reports the ones the plug-in refused, keeps what the host recorded of
  // them in `runs`, and shows the outcome.
  void RunLines(const std::vector<ScriptLine>& lines, const char* event,
                std::vector<LineRun>& runs);
  void Repaint();
  void SetClientSize(const WindowSize& size, bool fitToScreen);
  // The work area of the screen the page is on.
  RECT WorkArea() const;
  void SavePicture();
  void Close();
  WindowSize ClientSize() const;

  // --- Editing (live_editing.cpp) ---
  // The findings of the runs since page entry, shown in the list and counted in the caption.
  void UpdateFindings();
  void ShowLines();
  void OpenLine(int line);
  // The context menu of an object: "Register NAME...".
  void OfferRegistration(LPARAM screenPoint);
  void RegisterObjectLine(const std::string& name);
  // Runs the plug-in's editor on the line and, on OK, saves the file and plays it again.
  void EditLine(const LineEdit& edit);
  void EndEdit();
  // Command 1 during an edit: the name of the object the author clicks, empty for Escape or
  // a click outside every object.
  std::string PickObjectByClick();
  // The page object under a point of the screen, the topmost first; empty for none.
  std::string ObjectAt(POINT screen) const;
  void SetStatus(const std::wstring& status);

  LiveSettings settings_;
  std::unique_ptr<standin::StandInHost> host_;
  std::vector<KnownAction> actions_;
  Page page_;
  std::vector<ScriptLine> resized_;
  PublishedVariables variables_;
  LivePicture picture_;
  std::optional<FileStamp> stamp_;
  std::wstring error_;  // the last reload's mistake, shown until a reload succeeds
  std::wstring saved_;  // where the last picture went, shown until the next resize
  bool entered_ = false;
  bool ghosts_ = false;
  bool closed_ = false;
  LiveEnd end_;

  LineListWindow lines_;
  std::string pageText_;  // the text of the page shown
  std::vector<LineRun> entryRuns_;
  std::vector<LineRun> resizeRuns_;  // of the latest resize
  std::vector<Finding> findings_;
  std::optional<CheckPlays> plays_;
  bool sizing_ = false;  // the author is dragging the window's frame or caption
  bool editing_ = false;
  bool resizePending_ = false;
  bool closePending_ = false;
};

}  // namespace preview
