#include "bridge/host_bridge_win32.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/host_text_reader.h"

namespace duduve {

namespace {

constexpr DWORD kReadAccess = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                              PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kWriteAccess =
    PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// The region holding `address`, when it is committed and grants `access`; its end is
// returned through `regionEnd`.
bool QueryUsableRegion(std::uintptr_t address, DWORD access, std::uintptr_t& regionEnd) {
  MEMORY_BASIC_INFORMATION info{};
  if (VirtualQuery(reinterpret_cast<const void*>(address), &info, sizeof info) == 0) return false;
  if (info.State != MEM_COMMIT) return false;
  if ((info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0) return false;
  if ((info.Protect & access) == 0) return false;
  regionEnd = reinterpret_cast<std::uintptr_t>(info.BaseAddress) + info.RegionSize;
  return true;
}

bool IsUsableRange(const void* address, std::size_t size, DWORD access) {
  const auto start = reinterpret_cast<std::uintptr_t>(address);
  if (start == 0) return false;
  std::uintptr_t regionEnd = 0;
  if (!QueryUsableRegion(start, access, regionEnd)) return false;
  // The range must end inside the region; compared without overflow.
  return size <= regionEnd - start;
}

// The process's own memory, as the text reader sees it: a region is usable when it is
// committed, not a guard page and readable.
class ProcessMemory : public MemoryView {
 public:
  std::size_t UsableBytesFrom(std::uintptr_t address) override {
    std::uintptr_t regionEnd = 0;
    if (!QueryUsableRegion(address, kReadAccess, regionEnd)) return 0;
    // Modular: a region that ends at the top of the address space wraps its end to 0.
    return static_cast<std::size_t>(regionEnd - address);
  }
  unsigned char ReadByte(std::uintptr_t address) override {
    return *reinterpret_cast<const volatile unsigned char*>(address);
  }
};

// Address of parameter slot `index`, computed as an integer so that a wild array
// pointer never becomes undefined pointer arithmetic.
char** SlotAddress(ParamArray params, std::size_t index) {
  return reinterpret_cast<char**>(reinterpret_cast<std::uintptr_t>(params) + index * sizeof(char*));
}

struct GlobalFreer {
  void operator()(char* block) const {
    if (block != nullptr) GlobalFree(block);
  }
};
using OwnedHostText = std::unique_ptr<char, GlobalFreer>;

bool IsLiveGlobalBlock(const void* block) {
  return block != nullptr && GlobalSize(const_cast<void*>(block)) > 0;
}

}  // namespace

HostCallbacks& Callbacks() {
  static HostCallbacks callbacks;
  return callbacks;
}

bool IsReadableMemory(const void* address, std::size_t size) {
  return IsUsableRange(address, size, kReadAccess);
}

bool IsWritableMemory(const void* address, std::size_t size) {
  return IsUsableRange(address, size, kWriteAccess) && IsUsableRange(address, size, kReadAccess);
}

std::wstring ReadHostText(const char* address, std::size_t maxCount) {
  ProcessMemory memory;
  return ReadHostText(memory, reinterpret_cast<std::uintptr_t>(address), maxCount);
}

std::wstring ReadParam(ParamArray params, std::size_t index) {
  if (params == nullptr) return {};
  char** slot = SlotAddress(params, index);
  if (!IsReadableMemory(slot, sizeof *slot)) return {};
  constexpr std::size_t kMaxParamLength = 1024;
  return ReadHostText(*slot, kMaxParamLength);
}

bool WriteParams(ParamArray params, std::span<const std::wstring> texts) {
  if (params == nullptr) return true;
  // Slots the plug-in may not write keep their texts and get no block.
  std::vector<OwnedHostText> blocks(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (!IsWritableMemory(SlotAddress(params, i), sizeof(char*))) continue;
    blocks[i].reset(ToHostText(texts[i]));
    if (!blocks[i]) return false;
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (!blocks[i]) continue;
    char** slot = SlotAddress(params, i);
    char* old = std::exchange(*slot, blocks[i].release());
    if (IsLiveGlobalBlock(old)) GlobalFree(old);
  }
  return true;
}

char* ToHostText(std::wstring_view text) {
  const int length = static_cast<int>(text.size());
  const int bytes = length == 0 ? 0
                                : WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0,
                                                      nullptr, nullptr);
  auto* block = static_cast<char*>(GlobalAlloc(GPTR, static_cast<SIZE_T>(bytes) + 1));
  if (block != nullptr && bytes > 0) {
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, block, bytes, nullptr, nullptr);
  }
  return block;
}

std::wstring FromHostText(const char* address) {
  const auto start = reinterpret_cast<std::uintptr_t>(address);
  std::uintptr_t regionEnd = 0;
  if (start == 0 || !QueryUsableRegion(start, kReadAccess, regionEnd)) return {};
  std::size_t length = 0;
  for (std::uintptr_t at = start;; ++at, ++length) {
    if (at >= regionEnd && !QueryUsableRegion(at, kReadAccess, regionEnd)) break;
    if (*reinterpret_cast<const char*>(at) == 0) break;
  }
  if (length == 0) return {};
  const int count = MultiByteToWideChar(CP_ACP, 0, address, static_cast<int>(length), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(CP_ACP, 0, address, static_cast<int>(length), text.data(), count);
  return text;
}

void SetHostVariable(std::wstring_view name, std::wstring_view value) {
  const auto callback = Callbacks().SetVariable;
  if (callback == nullptr) return;
  // Lent for this call only: freed as soon as the host returns.
  OwnedHostText nameBlock(ToHostText(name));
  OwnedHostText valueBlock(ToHostText(value));
  callback(nameBlock.get(), valueBlock.get());
}

std::wstring CallHostInterface(int command, std::wstring_view text) {
  const auto access = Callbacks().InterfaceAccess;
  if (access == nullptr) return {};
  char* slot = ToHostText(text);
  access(command, &slot);
  // Whatever block the slot names now is ours to free: our request when the host left
  // the slot alone, else the host's answer (the host disposed of the request).
  if (slot == nullptr) return {};
  // Freed even when reading the answer throws.
  const OwnedHostText answerBlock(IsLiveGlobalBlock(slot) ? slot : nullptr);
  return FromHostText(slot);
}

}  // namespace duduve
