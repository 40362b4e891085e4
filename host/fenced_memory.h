#pragma once
// Two adjacent pages from VirtualAlloc: a readable, writable page followed by a fence page
// that cannot be read (PAGE_NOACCESS), is a guard page (PAGE_GUARD), or is readable but
// read-only (a separate region of another protection). Texts placed at the end of the first
// page run into the fence without a terminating zero.
#include <cstddef>
#include <string_view>

namespace standin {

enum class Fence { NoAccess, Guard, ReadOnly };

class FencedMemory {
 public:
  explicit FencedMemory(Fence fence);
  ~FencedMemory();
  FencedMemory(const FencedMemory&) = delete;
  FencedMemory& operator=(const FencedMemory&) = delete;

  // Copies `bytes` so that the last one sits just before the fence; returns where they start.
  char* PlaceBeforeFence(std::string_view bytes);
  // Copies `before` to end just before the fence and `after` to the start of the fence page
  // (unprotecting it for the copy); returns where `before` starts.
  char* PlaceAcrossFence(std::string_view before, std::string_view after);
  // The first byte of the fence page.
  char* FenceStart() const;
  // The first byte of the readable page.
  char* ReadableStart() const { return base_; }
  std::size_t PageSize() const { return pageSize_; }
  // The fence still protects its page (a guard page loses its guard once touched).
  bool FenceIntact() const;

 private:
  char* base_ = nullptr;
  std::size_t pageSize_ = 0;
  Fence fence_;
  void Protect(bool fenced);
};

}  // namespace standin
