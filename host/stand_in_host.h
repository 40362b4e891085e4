#pragma once
// The stand-in host: plays the authoring host's side of the plug-in boundary. It loads a
// Duduve.dll, calls its seven exports, offers the three callbacks (WINAPI) and records what
// the plug-in does through them, owns a real top-level host window whose descendants are the
// named page objects (direct children, or windows inside another object's window, as a host's
// containers and panels hold them; the window may be laid out right to left), and keeps
// account of every GlobalAlloc block that crosses.
// Texts on the host side are narrow (8-bit, ANSI) as they cross the boundary.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "fenced_memory.h"
#include "float_environment.h"
#include "global_account.h"
#include "host_params.h"
#include "window_driver.h"

namespace standin {

// A rectangle in host-window client pixels. In a host window laid out right to left, Left is
// the distance from the client area's right edge to the rectangle's right edge.
struct Box {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const Box&, const Box&) = default;
};
std::ostream& operator<<(std::ostream& out, const Box& box);

// One call of AddActionCallback, copied during the call.
struct DeclaredAction {
  int Id = 0;
  std::string Name;
  std::string Help;
  std::array<std::uint8_t, 32> TypeCodes{};  // the 32-byte buffer as it was during the call
  int Fifth = -1;                            // the fifth argument (the plug-in passes 0)
  int Count = -1;                            // the parameter count
  const char* NamePointer = nullptr;         // the blocks the host may keep
  const char* HelpPointer = nullptr;
};

// One call of SetVariableCallback.
struct VariableSet {
  std::string Name;
  std::string Value;
  bool NameWasNull = false;
  bool ValueWasNull = false;
  int Exec = 0;  // the number of the Exec call it came from (0: outside every Exec)
};

// One call of the interface-access function.
struct InterfaceCall {
  int Command = 0;
  std::string Request;               // the text the slot named on entry
  bool SlotWasNull = false;          // the slot held a null pointer on entry
  bool SlotArgumentWasNull = false;  // the slot's address itself was null
  std::string Answer;                // the text the slot named on return (empty for null)
  int Exec = 0;                      // the number of the Exec call it came from (0: outside)
};

// An Exec call whose action returned 0.
struct RefusedAction {
  int Exec = 0;  // its number: the first Exec call is 1
  int ActionId = 0;
};

// How the interface-access function answers.
enum class AnswerMode {
  Normal,     // command 7: the object's window handle in decimal, or empty; 1: the pick answer
  Empty,      // always an empty text block
  Unchanged,  // leaves the slot as it was (the request comes back as the answer)
  Fixed,      // always the text given by SetFixedAnswer
  NullSlot,   // frees the request and sets the slot to null
};

struct RegisterOptions {
  bool NullAddAction = false;    // pass a null AddActionCallback
  bool NullSetVariable = false;  // pass a null SetVariableCallback
  LONG_PTR Value2 = 0x2222;      // registration value 2
  LONG_PTR Value3 = 0x3333;      // registration value 3
};

struct InitOptions {
  bool NullHostWindow = false;  // pass a null HostWindow instead of the host window
  bool NullTitle = false;       // pass a null out-pointer for the title
  bool NullPublisher = false;   // ... for the publisher
  bool NullHint = false;        // ... for the hint
  // When set, passed instead of the host's own out-pointer (for instance one in read-only
  // memory); whatever the plug-in writes there is not taken as a start-up text.
  char** TitleSlot = nullptr;
  char** PublisherSlot = nullptr;
  char** HintSlot = nullptr;
};

// The host window's frame.
enum class HostFrame {
  Popup,     // WS_POPUP at 0,0: client area = window rectangle, shown without activation
  Captioned  // an ordinary captioned, resizable window, shown and activated
};

// The host window's layout, as a process's reading direction sets it.
enum class HostLayout {
  LeftToRight,
  RightToLeft  // WS_EX_LAYOUTRTL: mirrored, client x runs leftward from the right edge;
               // every window inside inherits the mirroring
};

// The edge of a page object's window.
enum class ObjectFrame {
  Plain,    // none: the client area is the window rectangle
  Bordered  // a sunken edge (WS_EX_CLIENTEDGE, 2 pixels), as containers and panels have: the
            // client area, where windows inside are placed, is inset on every side
};

// The floating-point settings found at one point of a plug-in call.
struct FloatObservation {
  std::string Where;  // the export, "LoadLibrary", "FreeLibrary", a callback or a window message
  FloatEnvironment Seen;
};

// The three start-up texts as the host received them (nullopt: nothing was written).
struct StartupTexts {
  std::optional<std::string> Title;
  std::optional<std::string> Publisher;
  std::optional<std::string> Hint;
};

class StandInHost {
 public:
  // Creates and shows the host window with the given client size.
  explicit StandInHost(int clientWidth = 1280, int clientHeight = 720,
                       HostFrame frame = HostFrame::Popup,
                       HostLayout layout = HostLayout::LeftToRight);
  // Unloads the plug-in if loaded and destroys every window.
  ~StandInHost();
  StandInHost(const StandInHost&) = delete;
  StandInHost& operator=(const StandInHost&) = delete;

  // --- The plug-in module ---
  // The Duduve.dll next to the running program.
  static std::wstring DefaultDllPath();
  // LoadLibraryW, the seven exports by name, and the account's import patch; false when the
  // module or any export is missing.
  bool Load(const std::wstring& path = DefaultDllPath());
  // FreeLibrary; true when it succeeded and the module is no longer in the process. Blocks
  // handed to the host for good are freed afterwards.
  bool Unload();
  bool Loaded() const { return module_ != nullptr; }
  HMODULE Module() const { return module_; }
  // Number of kernel32 imports the account patched (3 when it sees every block).
  int PatchedImports() const { return patchedImports_; }
  // Load, then RegisterPlugIn, InitPlugIn and RegisterInterfaceAccess; false if Load failed.
  bool StartUp();

  // --- The seven exports (each returns the export's result) ---
  int RegisterPlugIn(const RegisterOptions& options = {});
  int InitPlugIn(const InitOptions& options = {});
  int RegisterInterfaceAccess(bool nullFunction = false);
  int Exec(int actionId, char** params);
  int Exec(int actionId, HostParams& params);
  int Exec(int actionId, std::initializer_list<std::optional<std::string>> texts);
  // An edit call; with HostParams the blocks an editor writes back are claimed by the host.
  int Edit(int actionId, char** params);
  int Edit(int actionId, HostParams& params);
  int Message(int code, LONG_PTR second = 0);
  int About();

  // --- What the callbacks recorded ---
  const std::vector<DeclaredAction>& Actions() const { return actions_; }
  const std::vector<VariableSet>& Variables() const { return variables_; }
  const std::vector<InterfaceCall>& InterfaceCalls() const { return interfaceCalls_; }
  const StartupTexts& Startup() const { return startup_; }
  // Every Exec call whose action returned 0, in call order.
  const std::vector<RefusedAction>& Refusals() const { return refusals_; }
  // How many Exec calls were made so far (never reset): the number of the latest.
  int ExecCount() const { return execCount_; }
  // The last value set for a variable (exact name), if any.
  std::optional<std::string> VariableValue(const std::string& name) const;
  // Forgets the recorded variables, interface calls and refusals (actions stay).
  void ClearRecords();

  // --- Interface answers and misbehaviour ---
  void SetAnswerMode(AnswerMode mode) { answerMode_ = mode; }
  void SetFixedAnswer(const std::string& text) { fixedAnswer_ = text; }
  // The name command 1 answers (empty by default).
  void SetPickAnswer(const std::string& name) { pickAnswer_ = name; }
  // When set, asked for the answer to each command 1 instead of the pick answer; it may
  // run a message loop of its own (an author clicking an object).
  std::function<std::string()> OnPick;
  // Run inside SetVariableCallback / the interface function, after the call is recorded;
  // they may call the plug-in again.
  std::function<void(StandInHost&)> OnSetVariable;
  std::function<void(StandInHost&)> OnInterfaceAccess;
  // Run when a page object's window has moved or changed size (WM_WINDOWPOSCHANGED).
  std::function<void(StandInHost&, const std::string& name)> OnObjectMoved;
  // Sees every message of the host window first; a value means it was handled.
  std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)> OnHostMessage;
  // When set, paints the host window and every object window (inside BeginPaint/EndPaint)
  // instead of their plain fills.
  std::function<void(HWND window, HDC dc)> Painter;

  // --- The calling thread's floating-point settings ---
  // With settings given, the host loads them before it loads the module and before every
  // export call, as a host's runtime would have them, and notes what it finds afterwards and
  // inside its callbacks and window procedures. Flags set here must be masked ones.
  void SetFloatEnvironment(std::optional<FloatEnvironment> environment);
  // Each export, load or unload after which the settings read differently, with what they read.
  const std::vector<FloatObservation>& FloatChanges() const { return floatChanges_; }
  // What each callback and each window procedure run during a plug-in call found.
  const std::vector<FloatObservation>& FloatSeen() const { return floatSeen_; }

  // --- The host window and the page objects ---
  HWND Window() const { return window_; }
  // Sets the host window's client size; a captioned frame grows by its borders.
  void Resize(int clientWidth, int clientHeight);
  // The window size that gives a host window of this style the client size.
  static SIZE FrameSize(HWND window, int clientWidth, int clientHeight);
  Box ClientBox() const;
  // A visible window painting a coloured rectangle, named for command 7, at `box` in host
  // client pixels, on top of the objects beside it. It is a child of the host window, or with
  // a `container` a child of that object's window (placed through the container's client
  // area, border and mirroring included); null, and no window, when no object has the
  // container's name.
  HWND AddObject(const std::string& name, const Box& box, const std::string& container = {},
                 ObjectFrame frame = ObjectFrame::Plain);
  // Destroys the object's window and forgets its name and the names of the objects inside
  // it, whose windows go with it; false when unknown.
  bool RemoveObject(const std::string& name);
  void RemoveAllObjects();
  // The object's window (names compared ignoring case), null when unknown.
  HWND ObjectWindow(const std::string& name) const;
  // The object's rectangle in host client pixels ({} when unknown).
  Box ObjectBox(const std::string& name) const;
  // Any window's rectangle in host client pixels, whatever its parent.
  Box WindowBox(HWND window) const;
  // Any window's client area in host client pixels (inside its border).
  Box ClientAreaBox(HWND window) const;
  // Dispatches the messages waiting for this thread.
  void PumpMessages();

  // --- Painting counters of the host window ---
  int PaintCount() const { return paints_; }
  int RedrawOffCount() const { return redrawOff_; }  // WM_SETREDRAW with wParam 0
  int RedrawOnCount() const { return redrawOn_; }    // WM_SETREDRAW with wParam 1
  void ResetPaintCounters();

  // --- The GlobalAlloc account ---
  GlobalAccount& Account() const { return GlobalAccount::Instance(); }
  // The account's faults joined by newlines; empty when balanced.
  std::string FaultReport() const { return Account().FaultReport(); }

 private:
  struct Exports;
  struct PageObject {
    std::string Name;
    HWND Window = nullptr;
  };
  class CallScope;
  static int WINAPI AddActionThunk(int id, const char* name, const char* help,
                                   const unsigned char* codes, int fifth, int count);
  static int WINAPI SetVariableThunk(const char* name, const char* value);
  static int WINAPI InterfaceAccessThunk(int command, char** slot);
  // Registers the window classes once and makes the host window.
  void CreateHostWindow(int clientWidth, int clientHeight, HostFrame frame, HostLayout layout);
  static LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void RecordAction(int id, const char* name, const char* help, const unsigned char* codes,
                    int fifth, int count);
  void RecordVariable(const char* name, const char* value);
  void AnswerInterface(int command, char** slot);
  std::string NormalAnswer(int command, const std::string& request) const;
  void AfterCall(const char* what);
  // Runs one call into the module under the given settings and notes a change.
  template <typename Call>
  auto UnderFloatEnvironment(const char* what, Call&& call);
  void NoteFloatSeen(const char* where);
  const PageObject* FindObject(const std::string& name) const;
  void ObjectMoved(HWND window);

  HMODULE module_ = nullptr;
  std::unique_ptr<Exports> exports_;
  int patchedImports_ = 0;
  int depth_ = 0;
  HWND window_ = nullptr;
  std::vector<PageObject> objects_;
  std::vector<DeclaredAction> actions_;
  std::vector<VariableSet> variables_;
  std::vector<InterfaceCall> interfaceCalls_;
  std::vector<RefusedAction> refusals_;
  int execCount_ = 0;
  int currentExec_ = 0;  // the Exec call in progress, 0 outside
  StartupTexts startup_;
  std::vector<void*> handedBlocks_;  // action and start-up texts, freed after unload
  AnswerMode answerMode_ = AnswerMode::Normal;
  std::string fixedAnswer_;
  std::string pickAnswer_;
  int paints_ = 0;
  int redrawOff_ = 0;
  int redrawOn_ = 0;
  std::optional<FloatEnvironment> floatEnvironment_;
  std::vector<FloatObservation> floatChanges_;
  std::vector<FloatObservation> floatSeen_;
};

}  // namespace standin
