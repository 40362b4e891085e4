#include "fenced_memory.h"

#include <windows.h>

#include <cstring>

namespace standin {

FencedMemory::FencedMemory(Fence fence) : fence_(fence) {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  pageSize_ = info.dwPageSize;
  base_ = static_cast<char*>(
      VirtualAlloc(nullptr, 2 * pageSize_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  if (base_ != nullptr) Protect(true);
}

void FencedMemory::Protect(bool fenced) {
  DWORD protection = PAGE_READWRITE;
  if (fenced) {
    switch (fence_) {
      case Fence::NoAccess:
        protection = PAGE_NOACCESS;
        break;
      case Fence::Guard:
        protection = PAGE_READWRITE | PAGE_GUARD;
        break;
      case Fence::ReadOnly:
        protection = PAGE_READONLY;
        break;
    }
  }
  DWORD old = 0;
  VirtualProtect(FenceStart(), pageSize_, protection, &old);
}

FencedMemory::~FencedMemory() {
  if (base_ != nullptr) VirtualFree(base_, 0, MEM_RELEASE);
}

char* FencedMemory::FenceStart() const {
  return base_ + pageSize_;
}

char* FencedMemory::PlaceBeforeFence(std::string_view bytes) {
  char* start = FenceStart() - bytes.size();
  std::memcpy(start, bytes.data(), bytes.size());
  return start;
}

char* FencedMemory::PlaceAcrossFence(std::string_view before, std::string_view after) {
  Protect(false);
  std::memcpy(FenceStart(), after.data(), after.size());
  Protect(true);
  return PlaceBeforeFence(before);
}

bool FencedMemory::FenceIntact() const {
  MEMORY_BASIC_INFORMATION info{};
  if (VirtualQuery(FenceStart(), &info, sizeof info) == 0) return false;
  switch (fence_) {
    case Fence::NoAccess:
      return (info.Protect & PAGE_NOACCESS) != 0;
    case Fence::Guard:
      return (info.Protect & PAGE_GUARD) != 0;
    case Fence::ReadOnly:
      return info.Protect == PAGE_READONLY;
  }
  return false;
}

}  // namespace standin
