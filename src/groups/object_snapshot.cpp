#include "groups/object_snapshot.h"

#include <functional>

namespace duduve {

namespace {

std::size_t HashKey(std::wstring_view key) {
  return std::hash<std::wstring_view>{}(key);
}

// A power of two at least twice `expected`, so that probes stay short.
std::size_t TableSize(std::size_t expected) {
  std::size_t size = 8;
  while (size < expected * 2) size *= 2;
  return size;
}

// Handles are aligned and clustered: mix every bit into the low ones.
std::size_t HashWindow(WindowHandle window) {
  std::uint64_t x = window;
  x ^= x >> 33;
  x *= 0xff51afd7ed558ccdULL;
  x ^= x >> 33;
  return static_cast<std::size_t>(x);
}

}  // namespace

WindowSet::WindowSet(std::size_t expected) : slots_(TableSize(expected), 0) {}

void WindowSet::Insert(WindowHandle window) {
  if (window == 0) return;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = HashWindow(window) & mask;; i = (i + 1) & mask) {
    if (slots_[i] == window) return;
    if (slots_[i] == 0) {
      slots_[i] = window;
      return;
    }
  }
}

bool WindowSet::Contains(WindowHandle window) const {
  if (window == 0) return false;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = HashWindow(window) & mask;; i = (i + 1) & mask) {
    if (slots_[i] == window) return true;
    if (slots_[i] == 0) return false;
  }
}

ObjectSnapshot::ObjectSnapshot(const ObjectList& objects)
    : byName_(TableSize(objects.size()), 0), windows_(objects.size()) {
  entries_.reserve(objects.size());
  std::size_t keyLength = 0;
  for (const auto& record : objects) keyLength += record.Key.size();
  keys_.reserve(keyLength);

  const std::size_t mask = byName_.size() - 1;
  for (const auto& record : objects) {
    Entry entry{record.Window, record.Resolved(), record.Placed,
                static_cast<std::uint32_t>(keys_.size()),
                static_cast<std::uint32_t>(record.Key.size())};
    keys_ += record.Key;
    windows_.Insert(record.Window);
    entries_.push_back(entry);
    // The first record of a name keeps the slot.
    for (std::size_t i = HashKey(record.Key) & mask;; i = (i + 1) & mask) {
      if (byName_[i] == 0) {
        byName_[i] = static_cast<std::uint32_t>(entries_.size());
        break;
      }
      if (KeyOf(entries_[byName_[i] - 1]) == std::wstring_view(record.Key)) break;
    }
  }
}

const ObjectSnapshot::Entry* ObjectSnapshot::FindName(std::wstring_view key) const {
  const std::size_t mask = byName_.size() - 1;
  for (std::size_t i = HashKey(key) & mask;; i = (i + 1) & mask) {
    if (byName_[i] == 0) return nullptr;
    const auto& entry = entries_[byName_[i] - 1];
    if (KeyOf(entry) == key) return &entry;
  }
}

}  // namespace duduve
