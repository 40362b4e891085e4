#include "stand_in_host.h"

#include <cstring>

namespace standin {

namespace {

// The callbacks are plain WINAPI functions: they reach the host that offered them here.
StandInHost* currentHost = nullptr;

using AddActionFn = int(WINAPI*)(int, const char*, const char*, const unsigned char*, int, int);
using SetVariableFn = int(WINAPI*)(const char*, const char*);
using InterfaceFn = int(WINAPI*)(int, char**);

std::string TextAt(const char* pointer) {
  return pointer == nullptr ? std::string() : pointer;
}

}  // namespace

struct StandInHost::Exports {
  int(WINAPI* RegisterPlugIn)(AddActionFn, LONG_PTR, LONG_PTR, SetVariableFn) = nullptr;
  int(WINAPI* InitPlugIn)(HWND, char**, char**, char**) = nullptr;
  int(WINAPI* ExecAction)(int, char**) = nullptr;
  int(WINAPI* EditAction)(int, char**) = nullptr;
  int(WINAPI* Message)(int, LONG_PTR) = nullptr;
  int(WINAPI* About)() = nullptr;
  int(WINAPI* RegisterInterfaceAccess)(InterfaceFn) = nullptr;
};

// Counts nesting so that the account is audited only when the outermost call returns.
class StandInHost::CallScope {
 public:
  CallScope(StandInHost& host, const char* what) : host_(host), what_(what) { ++host_.depth_; }
  ~CallScope() {
    if (--host_.depth_ == 0) host_.AfterCall(what_);
  }

 private:
  StandInHost& host_;
  const char* what_;
};

template <typename Call>
auto StandInHost::UnderFloatEnvironment(const char* what, Call&& call) {
  if (!floatEnvironment_) return call();
  WriteFloatEnvironment(*floatEnvironment_);
  auto result = call();
  const auto after = ReadFloatEnvironment();
  if (after != *floatEnvironment_) floatChanges_.push_back({what, after});
  return result;
}

void StandInHost::NoteFloatSeen(const char* where) {
  // Read first, before this host's own code can touch the flags.
  const auto seen = ReadFloatEnvironment();
  if (floatEnvironment_ && depth_ > 0) floatSeen_.push_back({where, seen});
}

void StandInHost::SetFloatEnvironment(std::optional<FloatEnvironment> environment) {
  floatEnvironment_ = environment;
  floatChanges_.clear();
  floatSeen_.clear();
}

std::ostream& operator<<(std::ostream& out, const Box& box) {
  return out << "{" << box.Left << ", " << box.Top << ", " << box.Width << " x " << box.Height
             << "}";
}

StandInHost::StandInHost(int clientWidth, int clientHeight, HostFrame frame, HostLayout layout) {
  currentHost = this;
  CreateHostWindow(clientWidth, clientHeight, frame, layout);
}

StandInHost::~StandInHost() {
  if (Loaded()) Unload();
  RemoveAllObjects();
  if (window_ != nullptr) DestroyWindow(window_);
  GlobalAccount::Instance().ForgetDead();
  if (currentHost == this) currentHost = nullptr;
}

// --- The plug-in module ---

std::wstring StandInHost::DefaultDllPath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  const auto slash = folder.find_last_of(L"\\/");
  folder.resize(slash == std::wstring::npos ? 0 : slash + 1);
  return folder + L"Duduve.dll";
}

bool StandInHost::Load(const std::wstring& path) {
  if (Loaded()) return false;
  currentHost = this;
  {
    CallScope scope(*this, "load");
    module_ = UnderFloatEnvironment("LoadLibrary", [&] { return LoadLibraryW(path.c_str()); });
  }
  if (module_ == nullptr) return false;
  auto exports = std::make_unique<Exports>();
  auto resolve = [&](auto& field, const char* name) {
    field = reinterpret_cast<std::remove_reference_t<decltype(field)>>(
        reinterpret_cast<void*>(GetProcAddress(module_, name)));
    return field != nullptr;
  };
  const bool complete = resolve(exports->RegisterPlugIn, "_nbRegisterPlugIn") &
                        resolve(exports->InitPlugIn, "_nbInitPlugIn") &
                        resolve(exports->ExecAction, "_nbExecAction") &
                        resolve(exports->EditAction, "_nbEditAction") &
                        resolve(exports->Message, "_nbMessage") &
                        resolve(exports->About, "_nbAbout") &
                        resolve(exports->RegisterInterfaceAccess, "_nbRegisterInterfaceAccess");
  if (!complete) {
    FreeLibrary(module_);
    module_ = nullptr;
    return false;
  }
  exports_ = std::move(exports);
  patchedImports_ = PatchGlobalImports(module_);
  return true;
}

bool StandInHost::Unload() {
  if (!Loaded()) return false;
  HMODULE module = module_;
  bool freed = false;
  {
    CallScope scope(*this, "unload");
    freed = UnderFloatEnvironment("FreeLibrary", [&] { return FreeLibrary(module); }) != FALSE;
  }
  module_ = nullptr;
  exports_.reset();
  patchedImports_ = 0;
  wchar_t name[MAX_PATH];
  const bool gone = GetModuleFileNameW(module, name, MAX_PATH) == 0;
  // The host owned these for good; with the module gone it lets them go.
  for (void* block : handedBlocks_) GlobalAccount::Instance().HostFree(block);
  handedBlocks_.clear();
  for (auto& action : actions_) action.NamePointer = action.HelpPointer = nullptr;
  return freed && gone;
}

bool StandInHost::StartUp() {
  if (!Load()) return false;
  RegisterPlugIn();
  InitPlugIn();
  RegisterInterfaceAccess();
  return true;
}

// --- The seven exports ---

int StandInHost::RegisterPlugIn(const RegisterOptions& options) {
  if (!Loaded()) return -1;
  CallScope scope(*this, "_nbRegisterPlugIn");
  return UnderFloatEnvironment("_nbRegisterPlugIn", [&] {
    return exports_->RegisterPlugIn(options.NullAddAction ? nullptr : &AddActionThunk,
                                    options.Value2, options.Value3,
                                    options.NullSetVariable ? nullptr : &SetVariableThunk);
  });
}

int StandInHost::InitPlugIn(const InitOptions& options) {
  if (!Loaded()) return -1;
  CallScope scope(*this, "_nbInitPlugIn");
  char* title = nullptr;
  char* publisher = nullptr;
  char* hint = nullptr;
  const int result = UnderFloatEnvironment("_nbInitPlugIn", [&] {
    const auto slot = [](bool null, char** given, char** own) {
      return null ? nullptr : given != nullptr ? given : own;
    };
    return exports_->InitPlugIn(options.NullHostWindow ? nullptr : window_,
                                slot(options.NullTitle, options.TitleSlot, &title),
                                slot(options.NullPublisher, options.PublisherSlot, &publisher),
                                slot(options.NullHint, options.HintSlot, &hint));
  });
  auto take = [&](char* block, std::optional<std::string>& into, const char* which) {
    if (block == nullptr) return;
    into = block;
    if (GlobalAccount::Instance().Classify(block, BlockRole::StartupText)) {
      handedBlocks_.push_back(block);
    } else {
      GlobalAccount::Instance().ReportFault(std::string("start-up ") + which +
                                            " is not a live GlobalAlloc block");
    }
  };
  take(title, startup_.Title, "title");
  take(publisher, startup_.Publisher, "publisher");
  take(hint, startup_.Hint, "hint");
  return result;
}

int StandInHost::RegisterInterfaceAccess(bool nullFunction) {
  if (!Loaded()) return -1;
  CallScope scope(*this, "_nbRegisterInterfaceAccess");
  return UnderFloatEnvironment("_nbRegisterInterfaceAccess", [&] {
    return exports_->RegisterInterfaceAccess(nullFunction ? nullptr : &InterfaceAccessThunk);
  });
}

int StandInHost::Exec(int actionId, char** params) {
  if (!Loaded()) return -1;
  CallScope scope(*this, "_nbExecAction");
  const int outer = currentExec_;
  currentExec_ = ++execCount_;
  const int result = UnderFloatEnvironment("_nbExecAction",
                                           [&] { return exports_->ExecAction(actionId, params); });
  if (result == 0) refusals_.push_back({currentExec_, actionId});
  currentExec_ = outer;
  return result;
}

int StandInHost::Exec(int actionId, HostParams& params) {
  return Exec(actionId, params.Data());
}

int StandInHost::Exec(int actionId, std::initializer_list<std::optional<std::string>> texts) {
  HostParams params(texts);
  return Exec(actionId, params);
}

int StandInHost::Edit(int actionId, char** params) {
  if (!Loaded()) return -1;
  CallScope scope(*this, "_nbEditAction");
  auto& account = GlobalAccount::Instance();
  account.SetParamFreesAllowed(true);
  const int result = UnderFloatEnvironment("_nbEditAction",
                                           [&] { return exports_->EditAction(actionId, params); });
  account.SetParamFreesAllowed(false);
  return result;
}

int StandInHost::Edit(int actionId, HostParams& params) {
  if (!Loaded()) return -1;
  CallScope scope(*this, "_nbEditAction");
  const int result = Edit(actionId, params.Data());
  params.ClaimWriteBacks();
  return result;
}

int StandInHost::Message(int code, LONG_PTR second) {
  if (!Loaded()) return -1;
  CallScope scope(*this, "_nbMessage");
  return UnderFloatEnvironment("_nbMessage", [&] { return exports_->Message(code, second); });
}

int StandInHost::About() {
  if (!Loaded()) return -1;
  CallScope scope(*this, "_nbAbout");
  return UnderFloatEnvironment("_nbAbout", [&] { return exports_->About(); });
}

void StandInHost::AfterCall(const char* what) {
  GlobalAccount::Instance().ReportLeftAlive({BlockRole::PluginUnclaimed, BlockRole::LentVariable,
                                             BlockRole::LentRequest, BlockRole::HostAnswer},
                                            what);
}

// --- The callbacks ---

int WINAPI StandInHost::AddActionThunk(int id, const char* name, const char* help,
                                       const unsigned char* codes, int fifth, int count) {
  if (currentHost == nullptr) return 0;
  currentHost->NoteFloatSeen("AddActionCallback");
  currentHost->RecordAction(id, name, help, codes, fifth, count);
  return 0;
}

int WINAPI StandInHost::SetVariableThunk(const char* name, const char* value) {
  if (currentHost == nullptr) return 0;
  currentHost->NoteFloatSeen("SetVariableCallback");
  currentHost->RecordVariable(name, value);
  if (currentHost->OnSetVariable) currentHost->OnSetVariable(*currentHost);
  return 0;
}

int WINAPI StandInHost::InterfaceAccessThunk(int command, char** slot) {
  if (currentHost == nullptr) return 0;
  currentHost->NoteFloatSeen("InterfaceAccess");
  currentHost->AnswerInterface(command, slot);
  if (currentHost->OnInterfaceAccess) currentHost->OnInterfaceAccess(*currentHost);
  return 0;
}

void StandInHost::RecordAction(int id, const char* name, const char* help,
                               const unsigned char* codes, int fifth, int count) {
  DeclaredAction action;
  action.Id = id;
  action.Name = TextAt(name);
  action.Help = TextAt(help);
  if (codes != nullptr) std::memcpy(action.TypeCodes.data(), codes, action.TypeCodes.size());
  action.Fifth = fifth;
  action.Count = count;
  action.NamePointer = name;
  action.HelpPointer = help;
  for (const char* block : {name, help}) {
    auto* address = const_cast<char*>(block);
    if (GlobalAccount::Instance().Classify(address, BlockRole::ActionText)) {
      handedBlocks_.push_back(address);
    } else {
      GlobalAccount::Instance().ReportFault("action " + std::to_string(id) +
                                            ": a text is not a live GlobalAlloc block");
    }
  }
  actions_.push_back(std::move(action));
}

void StandInHost::RecordVariable(const char* name, const char* value) {
  auto& account = GlobalAccount::Instance();
  for (const char* block : {name, value}) {
    if (block != nullptr && !account.Classify(const_cast<char*>(block), BlockRole::LentVariable)) {
      account.ReportFault("variable text is not a live GlobalAlloc block: " + TextAt(block));
    }
  }
  variables_.push_back(
      {TextAt(name), TextAt(value), name == nullptr, value == nullptr, currentExec_});
}

std::string StandInHost::NormalAnswer(int command, const std::string& request) const {
  if (command == 1) return OnPick ? OnPick() : pickAnswer_;
  if (command == 7) {
    const auto* object = FindObject(request);
    if (object == nullptr) return "";
    return std::to_string(static_cast<long long>(reinterpret_cast<LONG_PTR>(object->Window)));
  }
  return "";
}

void StandInHost::AnswerInterface(int command, char** slot) {
  auto& account = GlobalAccount::Instance();
  InterfaceCall call;
  call.Command = command;
  call.SlotArgumentWasNull = slot == nullptr;
  char* request = slot == nullptr ? nullptr : *slot;
  call.SlotWasNull = slot != nullptr && request == nullptr;
  call.Request = TextAt(request);
  call.Exec = currentExec_;
  if (request != nullptr && !account.Classify(request, BlockRole::LentRequest)) {
    account.ReportFault("interface request is not a live GlobalAlloc block: " + call.Request);
  }
  // Unchanged leaves the request as the answer.
  if (slot == nullptr || answerMode_ == AnswerMode::Unchanged) {
    call.Answer = call.Request;
    interfaceCalls_.push_back(std::move(call));
    return;
  }

  // The answer is made before the request is disposed of, so the two never share an
  // address and a plug-in that frees its request as well shows as a double free. The call
  // is recorded once answered: a pick may run other calls meanwhile.
  char* answer = nullptr;
  switch (answerMode_) {
    case AnswerMode::NullSlot:
      break;
    case AnswerMode::Empty:
      answer = account.HostText("", BlockRole::HostAnswer);
      break;
    case AnswerMode::Fixed:
      answer = account.HostText(fixedAnswer_, BlockRole::HostAnswer);
      break;
    default:
      answer = account.HostText(NormalAnswer(command, call.Request), BlockRole::HostAnswer);
      break;
  }
  *slot = answer;
  call.Answer = TextAt(answer);
  interfaceCalls_.push_back(std::move(call));
  // The host disposes of the request whenever it puts something else in the slot.
  if (request != nullptr) account.HostFree(request);
}

std::optional<std::string> StandInHost::VariableValue(const std::string& name) const {
  for (auto it = variables_.rbegin(); it != variables_.rend(); ++it) {
    if (it->Name == name) return it->Value;
  }
  return std::nullopt;
}

void StandInHost::ClearRecords() {
  variables_.clear();
  interfaceCalls_.clear();
  refusals_.clear();
}

}  // namespace standin
