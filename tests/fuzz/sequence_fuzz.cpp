// Fuzzes the plug-in as a host drives it: random sequences of the seven actions with
// parameter texts biased towards real words, object names and numbers, the host's
// messages, and window-system events in between (windows destroyed and recreated, the
// client area resized, deferred batches that fail, a client rectangle that cannot be
// read, a host that answers garbage or runs scripts from inside a window move or a
// variable publication). After every step the registry's invariants are checked.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/casing.h"
#include "core/context.h"
#include "core/text_rules.h"
#include "fake_windows.h"
#include "plugin/dispatch.h"
#include "trapping_float.h"

namespace {

using duduve::Context;
using duduve::NameKey;
using duduve::Rect;
using duduve::WindowHandle;
using duduve::testing::FakeHost;
using duduve::testing::FakeWindowSystem;

// Stops the run with the broken condition named, so that a finding explains itself.
#define REQUIRE(condition) ((condition) ? void() : Fail(#condition, __LINE__))

[[noreturn]] void Fail(const char* condition, int line) {
  std::fprintf(stderr, "sequence_fuzz.cpp:%d: invariant broken: %s\n", line, condition);
  std::abort();
}

constexpr int kMostSteps = 96;
constexpr std::size_t kMostWindows = 48;
constexpr int kParamCounts[] = {0, 2, 7, 0, 0, 1, 6, 4};  // by action number

const std::vector<std::wstring>& ObjectNames() {
  static const std::vector<std::wstring> names = {L"Logo",   L"Title", L"Panel",  L"Frame",
                                                  L"Target", L"Box",   L"3D Box", L"Footer"};
  return names;
}

const std::vector<std::wstring>& Words() {
  static const std::vector<std::wstring> words = {
      L"STRETCH", L"FIXED", L"UNIFORM", L"fill",   L"keep",  L"aspect", L"L",      L"C",
      L"R",       L"T",     L"B",       L"center", L"Right", L"bottom", L"FIT",    L"FILL",
      L"Scale",   L"TL",    L"TC",      L"BC",     L"CC",    L"br",     L"aware",  L"unaware",
      L"1",       L"0",     L"X",       L"\t",     L" ",     L"",       L"Middle", L"LR"};
  return words;
}

// Everything one fuzz input plays with.
class World {
 public:
  explicit World(FuzzedDataProvider& data) : data_(data) {
    context_.HostWindow = FakeWindowSystem::kHostWindow;
    windows_.OnMove = [this](WindowHandle window) { OnMove(window); };
    host_.OnSetVariable = [this] { OnPublication(); };
  }

  void Run() {
    for (int step = 0; step < kMostSteps && data_.remaining_bytes() > 0; ++step) {
      nested_ = 0;
      resets_ = 0;
      movesBefore_ = windows_.Moves.size();
      variablesBefore_ = host_.Variables.size();
      Step();
      Check();
    }
  }

 private:
  // One hook armed at a time: after `Countdown` more events it runs one nested operation.
  struct Hook {
    bool Armed = false;
    int Countdown = 0;
    int Operation = 0;
    std::vector<std::wstring> Params;
  };

  // --- Texts ---

  std::wstring NameText() {
    auto name =
        ObjectNames()[data_.ConsumeIntegralInRange<std::size_t>(0, ObjectNames().size() - 1)];
    switch (data_.ConsumeIntegralInRange(0, 5)) {
      case 0:
        return duduve::UpperCase(name);
      case 1:
        return duduve::LowerCase(name);
      case 2:
        return L"  " + name + L" ";
      case 3:
        return L"\t" + name;  // a tab is part of the name
      default:
        return name;
    }
  }

  std::wstring NumberText() {
    switch (data_.ConsumeIntegralInRange(0, 7)) {
      case 0:
        return duduve::DecimalText(data_.ConsumeIntegral<std::int64_t>());
      case 1:
        return duduve::DecimalText(data_.ConsumeIntegralInRange<std::int64_t>(-20, 9000));
      case 2:
        return L"$" + std::to_wstring(data_.ConsumeIntegralInRange(0, 0xFFFF));
      case 3:
        return L"%101";
      case 4:
        return L"99999999999999999999";
      case 5:
        return L"-5px";
      case 6:
        return std::to_wstring(data_.PickValueInArray({0, 1, 720, 1280, 8192, 8193, 4096}));
      default:
        return L" +7 ";
    }
  }

  std::wstring MemberList() {
    std::wstring list;
    const int count = data_.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < count; ++i) {
      if (i > 0) list += data_.ConsumeBool() ? L";" : L" , ";
      list += NameText();
    }
    if (data_.ConsumeBool()) list += L";;";
    return list;
  }

  std::wstring RawText() {
    const auto bytes = data_.ConsumeRandomLengthString(40);
    std::wstring text;
    for (const char c : bytes) {
      const auto byte = static_cast<unsigned char>(c);
      // Mostly what a parameter can hold, now and then any UTF-16 unit.
      text.push_back(byte < 224 ? static_cast<wchar_t>(32 + byte % 95)
                                : static_cast<wchar_t>(0x100 + byte * 37));
    }
    return text;
  }

  std::wstring ParamText() {
    switch (data_.ConsumeIntegralInRange(0, 9)) {
      case 0:
      case 1:
      case 2:
        return NameText();
      case 3:
      case 4:
        return Words()[data_.ConsumeIntegralInRange<std::size_t>(0, Words().size() - 1)];
      case 5:
      case 6:
        return NumberText();
      case 7:
        return MemberList();
      case 8:
        return RawText();
      default:
        return {};
    }
  }

  std::vector<std::wstring> Params(int actionId) {
    const int declared = actionId >= 1 && actionId <= 7 ? kParamCounts[actionId] : 2;
    // Now and then fewer or more texts than the action declares.
    const int count = data_.ConsumeIntegralInRange(0, 5) == 0
                          ? data_.ConsumeIntegralInRange(0, declared + 2)
                          : declared;
    std::vector<std::wstring> params;
    for (int i = 0; i < count; ++i) params.push_back(ParamText());
    return params;
  }

  // --- Windows ---

  Rect RandomRect() {
    if (data_.ConsumeIntegralInRange(0, 7) == 0) {
      return {data_.ConsumeIntegral<std::int32_t>(), data_.ConsumeIntegral<std::int32_t>(),
              data_.ConsumeIntegral<std::int32_t>(), data_.ConsumeIntegral<std::int32_t>()};
    }
    return {data_.ConsumeIntegralInRange(-40, 1300), data_.ConsumeIntegralInRange(-40, 740),
            data_.ConsumeIntegralInRange(0, 600), data_.ConsumeIntegralInRange(0, 400)};
  }

  // A rectangle inside (or just around) an existing window, for automatic collection.
  Rect RectInside(const Rect& outer) {
    const std::int64_t left = std::int64_t{outer.Left} + data_.ConsumeIntegralInRange(-2, 40);
    const std::int64_t top = std::int64_t{outer.Top} + data_.ConsumeIntegralInRange(-2, 40);
    const std::int64_t width = std::int64_t{outer.Width} / 2 + data_.ConsumeIntegralInRange(-2, 4);
    const std::int64_t height =
        std::int64_t{outer.Height} / 2 + data_.ConsumeIntegralInRange(-2, 4);
    return {duduve::SaturateToInt32(left), duduve::SaturateToInt32(top),
            duduve::SaturateToInt32(width), duduve::SaturateToInt32(height)};
  }

  std::vector<WindowHandle> LiveWindows() {
    std::vector<WindowHandle> live;
    for (WindowHandle w = windows_.FirstChild(FakeWindowSystem::kHostWindow); w != 0;
         w = windows_.NextSibling(w)) {
      live.push_back(w);
    }
    return live;
  }

  WindowHandle PickLiveWindow() {
    const auto live = LiveWindows();
    if (live.empty()) return 0;
    return live[data_.ConsumeIntegralInRange<std::size_t>(0, live.size() - 1)];
  }

  // A named window, new or in place of the name's old one (which is destroyed).
  void CreateNamed(const std::wstring& name) {
    if (windows_.LiveChildCount() >= kMostWindows) return;
    const auto key = NameKey(name);
    if (const auto old = named_.find(key); old != named_.end()) windows_.Destroy(old->second);
    const auto window = windows_.AddChild(RandomRect());
    named_[key] = window;
    host_.Name(key, window);
  }

  void DestroyNamed(const std::wstring& name, bool hostForgets) {
    const auto key = NameKey(name);
    const auto found = named_.find(key);
    if (found == named_.end()) return;
    windows_.Destroy(found->second);
    // A host that keeps answering with the dead handle is a case of its own.
    if (hostForgets) {
      host_.Forget(key);
      named_.erase(found);
    }
  }

  void AddUnnamed() {
    if (windows_.LiveChildCount() >= kMostWindows) return;
    const auto inside = PickLiveWindow();
    const Rect rect =
        inside != 0 && data_.ConsumeBool() ? RectInside(windows_.RectOf(inside)) : RandomRect();
    windows_.AddChild(rect);
  }

  std::wstring GarbageAnswer() {
    switch (data_.ConsumeIntegralInRange(0, 8)) {
      case 0:
        return L"abc";
      case 1:
        return L"-1";
      case 2:
        return L"99999999999999999999";
      case 3:
        return L"1";  // the host window itself
      case 4:
        return L"4294967297";  // the same, in its low 32 bits
      case 5:
        return duduve::DecimalText(static_cast<std::int64_t>(PickLiveWindow()));
      case 6:
        return L"$100";
      case 7:
        return L"";
      default:
        return RawText();
    }
  }

  // --- Running things ---

  int RunAction(int actionId, const std::vector<std::wstring>& params) {
    const int result = duduve::ExecuteAction(context_, actionId, params);
    if (trace_) {
      std::fprintf(stderr, "  action %d (", actionId);
      for (const auto& param : params) std::fprintf(stderr, "[%ls] ", param.c_str());
      std::fprintf(stderr, ") -> %d\n", result);
    }
    return result;
  }

  void RunMessage(int code) {
    if (code == 1 || code == 2) ++resets_;
    duduve::HandleMessage(context_, code, [] {});
  }

  Hook ArmHook() {
    Hook hook;
    hook.Armed = true;
    hook.Countdown = data_.ConsumeIntegralInRange(0, 6);
    hook.Operation = data_.ConsumeIntegralInRange(0, 9);
    const int actionId = hook.Operation <= 6 ? hook.Operation + 1 : 2;
    hook.Params = Params(actionId);
    return hook;
  }

  // What a script or the host does from inside a plug-in call.
  void RunNested(const Hook& hook, WindowHandle moved) {
    ++nested_;
    if (hook.Operation <= 6) {
      RunAction(hook.Operation + 1, hook.Params);
    } else if (hook.Operation == 7) {
      RunMessage(hook.Params.size() % 2 == 0 ? 1 : 2);
    } else if (hook.Operation == 8 && moved != 0) {
      windows_.Destroy(moved);
    } else {
      CreateNamed(ObjectNames()[hook.Params.size() % ObjectNames().size()]);
    }
  }

  void Fire(Hook& hook, WindowHandle moved) {
    if (!hook.Armed) return;
    if (hook.Countdown-- > 0) return;
    hook.Armed = false;  // disarmed first: the nested call may move windows again
    const Hook copy = hook;
    RunNested(copy, moved);
  }

  void OnMove(WindowHandle window) { Fire(moveHook_, window); }
  void OnPublication() { Fire(publicationHook_, 0); }

  void Step() {
    const int event = data_.ConsumeIntegralInRange(0, 27);
    if (trace_) std::fprintf(stderr, "step: event %d\n", event);
    switch (event) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4:
      case 5:
      case 6: {
        const int actionId = event + 1;
        const auto params = Params(actionId);
        const int result = RunAction(actionId, params);
        if (actionId == 3) AfterApply(result);
        if (actionId == 4) AfterClear(result);
        return;
      }
      case 7:
        RunAction(3, {});
        AfterApply(-1);
        return;  // an apply, however it ends
      case 8: {
        const int actionId = data_.PickValueInArray({0, 8, -1, std::numeric_limits<int>::max()});
        REQUIRE(RunAction(actionId, Params(actionId)) == 0);
        return;
      }
      case 9:
        RunMessage(1);
        AfterMessage(1);
        return;
      case 10:
        RunMessage(2);
        AfterMessage(2);
        return;
      case 11:
        RunMessage(data_.PickValueInArray({0, 3, -1, 1000}));
        return;
      case 12:
      case 13:
      case 14:
        CreateNamed(NameText());
        return;
      case 15:
        DestroyNamed(NameText(), data_.ConsumeBool());
        return;
      case 16:
        AddUnnamed();
        return;
      case 17: {
        const auto window = PickLiveWindow();
        if (window != 0) windows_.Destroy(window);
        return;
      }
      case 18:
        if (data_.ConsumeIntegralInRange(0, 5) == 0) {
          windows_.SetClientSize(data_.ConsumeIntegral<std::int32_t>(),
                                 data_.ConsumeIntegral<std::int32_t>());
        } else {
          windows_.SetClientSize(data_.ConsumeIntegralInRange(0, 4000),
                                 data_.ConsumeIntegralInRange(0, 3000));
        }
        return;
      case 19:
        windows_.FailClientRect = !windows_.FailClientRect;
        return;
      case 20:
        windows_.FailBeginBatch = !windows_.FailBeginBatch;
        return;
      case 21:
        windows_.FailBatchAddNumber = data_.ConsumeIntegralInRange(-1, 6);
        return;
      case 22:
        if (data_.ConsumeBool()) {
          forcedAnswer_ = GarbageAnswer();
          host_.ForcedAnswer = &forcedAnswer_;
        } else {
          host_.ForcedAnswer = nullptr;
        }
        return;
      case 23:
        windows_.Dpi = data_.PickValueInArray({96, 120, 144, 192, 100, 1});
        return;
      case 24: {
        // The host window: the real one, none, or a handle that no longer names a window.
        const WindowHandle choices[] = {FakeWindowSystem::kHostWindow, 0, 0x7777};
        context_.HostWindow = choices[data_.ConsumeIntegralInRange(0, 2)];
        return;
      }
      case 25:
        moveHook_ = ArmHook();
        return;
      case 26:
        publicationHook_ = ArmHook();
        return;
      default:
        windows_.ProcessDpiAware = data_.ConsumeBool();
        windows_.DpiAwarenessSucceeds = data_.ConsumeBool();
        return;
    }
  }

  // --- What each step must leave behind ---

  // result: the apply's result, or -1 when it is not to be judged.
  void AfterApply(int result) {
    if (nested_ != 0 || result == -1) return;
    auto& registry = context_.Registry;
    if (result == 0) {
      // A guard stopped the pass: nothing moved, nothing published.
      REQUIRE(windows_.Moves.size() == movesBefore_);
      REQUIRE(host_.Variables.size() == variablesBefore_);
      return;
    }
    REQUIRE(result == 1);
    REQUIRE(context_.HostWindow == FakeWindowSystem::kHostWindow);
    REQUIRE(registry.CanvasWidth > 0 && registry.CanvasHeight > 0);
    std::int32_t width = 0;
    std::int32_t height = 0;
    REQUIRE(windows_.ClientSize(context_.HostWindow, width, height) && width > 0 && height > 0);
    REQUIRE(registry.LastScaleX ==
            static_cast<float>(width) / static_cast<float>(registry.CanvasWidth));
    REQUIRE(registry.LastScaleY ==
            static_cast<float>(height) / static_cast<float>(registry.CanvasHeight));
    REQUIRE(registry.LastDpi == windows_.Dpi);
    CheckPlacedWindows();
  }

  void AfterClear(int result) {
    REQUIRE(result == 1);
    if (nested_ != 0) return;
    REQUIRE(context_.Registry.Objects.empty() && context_.Registry.Groups.empty());
  }

  void AfterMessage(int code) {
    if (nested_ != 0) return;
    const auto& registry = context_.Registry;
    REQUIRE(registry.Objects.empty() && registry.Groups.empty());
    REQUIRE(registry.DesignRectCache.empty() && registry.GroupCache.empty());
    REQUIRE(registry.CanvasWidth == 0 && registry.CanvasHeight == 0);
    if (code == 1) {
      REQUIRE(registry.LastScaleX == -1.0f && registry.LastScaleY == -1.0f);
      REQUIRE(registry.LastDpi == -1);
      REQUIRE(windows_.Moves.size() == movesBefore_);  // the reset moves nothing
    }
  }

  // After a pass, every placed object whose window is its own and alive is where the
  // pass resolved it.
  void CheckPlacedWindows() {
    std::map<WindowHandle, int> owners;
    for (const auto& record : context_.Registry.Objects) ++owners[record.Window];
    for (const auto& record : context_.Registry.Objects) {
      if (!record.Placed || owners[record.Window] != 1 || !windows_.Alive(record.Window)) {
        continue;
      }
      REQUIRE(windows_.RectOf(record.Window) == record.Resolved());
    }
  }

  void Check() {
    const auto& registry = context_.Registry;
    REQUIRE(!registry.ApplyInProgress);
    REQUIRE(windows_.RedrawOffCount == windows_.RedrawOnCount);
    REQUIRE((registry.CanvasWidth == 0 && registry.CanvasHeight == 0) ||
            (registry.CanvasWidth >= 1 && registry.CanvasWidth <= 8192 &&
             registry.CanvasHeight >= 1 && registry.CanvasHeight <= 8192));

    // Every move of the step has a real size.
    for (std::size_t i = movesBefore_; i < windows_.Moves.size(); ++i) {
      if (trace_) {
        const auto& [window, to] = windows_.Moves[i];
        std::fprintf(stderr, "  move %#lx to (%d, %d, %d, %d)\n",
                     static_cast<unsigned long>(window), to.Left, to.Top, to.Width, to.Height);
      }
      REQUIRE(windows_.Moves[i].second.Width >= 1 && windows_.Moves[i].second.Height >= 1);
    }

    // Design rectangles: stored once, never changed; only the release and the reset
    // empty the cache.
    for (const auto& [key, rect] : registry.DesignRectCache) {
      REQUIRE(!key.empty() && rect.Width >= 1 && rect.Height >= 1);
    }
    if (resets_ == 0) {
      for (const auto& [key, rect] : shadowCache_) {
        const auto found = registry.DesignRectCache.find(key);
        REQUIRE(found != registry.DesignRectCache.end() && found->second == rect);
      }
    } else {
      shadowCache_.clear();
    }
    for (const auto& entry : registry.DesignRectCache) shadowCache_.insert(entry);

    std::set<std::wstring> objectKeys;
    for (const auto& record : registry.Objects) {
      REQUIRE(!record.Name.empty() && record.Name == duduve::TrimSpaces(record.Name));
      REQUIRE(record.Key == NameKey(record.Name));
      REQUIRE(objectKeys.insert(record.Key).second);
      REQUIRE(registry.Objects.Find(record.Key) == &record);
      if (record.Captured) {
        const auto cached = registry.DesignRectCache.find(record.Key);
        REQUIRE(cached != registry.DesignRectCache.end() && cached->second == record.Design());
      }
      if (record.Pinned) {
        REQUIRE(!record.PinTarget.empty() && record.PinTargetKey == NameKey(record.PinTarget));
      }
      if (record.Placed) REQUIRE(record.ResolvedWidth >= 1 && record.ResolvedHeight >= 1);
    }

    std::set<std::wstring> groupKeys;
    for (const auto& group : registry.Groups) {
      REQUIRE(!group.GroupName.empty() && group.GroupName == duduve::TrimSpaces(group.GroupName));
      REQUIRE(group.Key == NameKey(group.GroupName));
      REQUIRE(group.TargetKey == NameKey(group.TargetName) && group.Key != group.TargetKey);
      REQUIRE(groupKeys.insert(group.Key).second);
      std::set<std::wstring> memberKeys;
      for (const auto& member : group.Members) {
        if (member.Name.empty()) continue;
        REQUIRE(member.Key == NameKey(member.Name) && member.Key != group.Key);
        REQUIRE(memberKeys.insert(member.Key).second);
      }
    }
  }

  FuzzedDataProvider& data_;
  FakeWindowSystem windows_;
  FakeHost host_;
  Context context_{windows_, host_};
  std::unordered_map<std::wstring, WindowHandle> named_;  // name key -> its latest window
  std::unordered_map<std::wstring, Rect> shadowCache_;
  std::wstring forcedAnswer_;
  Hook moveHook_;
  Hook publicationHook_;
  const bool trace_ = std::getenv("SEQUENCE_FUZZ_TRACE") != nullptr;  // steps to stderr
  int nested_ = 0;  // nested operations run during the current step
  int resets_ = 0;  // release and reset messages during the current step
  std::size_t movesBefore_ = 0;
  std::size_t variablesBefore_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const TrappingFloatExceptions traps;
  FuzzedDataProvider data(bytes, size);
  World world(data);
  world.Run();
  return 0;
}
