#pragma once
// A copy of what group resolution needs from the registered objects, hashed by window and
// by name key, so that each check against the registry costs O(1) and host scripts that
// run during window moves cannot change what the running resolution sees. Keys live in
// one buffer and both tables are open-addressed, so a snapshot of N objects costs a
// handful of allocations rather than several per object.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/geometry.h"
#include "core/object_record.h"

namespace duduve {

// A set of window handles; 0 is never a member.
class WindowSet {
 public:
  explicit WindowSet(std::size_t expected);
  void Insert(WindowHandle window);
  bool Contains(WindowHandle window) const;

 private:
  std::vector<WindowHandle> slots_;  // 0 marks a free slot
};

class ObjectSnapshot {
 public:
  struct Entry {
    WindowHandle Window = 0;
    Rect Resolved;
    bool Placed = false;
    std::uint32_t KeyOffset = 0;
    std::uint32_t KeyLength = 0;
  };

  explicit ObjectSnapshot(const ObjectList& objects);

  // Whether a registered object has this window; 0 matches nothing.
  bool HasWindow(WindowHandle window) const { return windows_.Contains(window); }
  bool HasName(std::wstring_view key) const { return FindName(key) != nullptr; }
  // The first registered object with this name key, or null.
  const Entry* FindName(std::wstring_view key) const;

 private:
  std::wstring_view KeyOf(const Entry& entry) const {
    return std::wstring_view(keys_).substr(entry.KeyOffset, entry.KeyLength);
  }

  std::vector<Entry> entries_;
  std::wstring keys_;                  // every key, back to back
  std::vector<std::uint32_t> byName_;  // entry index + 1; 0 marks a free slot
  WindowSet windows_;
};

}  // namespace duduve
