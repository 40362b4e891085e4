#pragma once
// Reads a parameter text out of host memory that may end at any byte. The memory is
// reached through a small view of its regions, so the same reading runs over the
// system's memory in the DLL and over made-up memory maps in tests and fuzzers.
#include <cstddef>
#include <cstdint>
#include <string>

namespace duduve {

class MemoryView {
 public:
  virtual ~MemoryView() = default;
  // How many bytes from `address` to the end of the region holding it, when that region
  // is usable (committed, no guard, readable); 0 when it is not.
  virtual std::size_t UsableBytesFrom(std::uintptr_t address) = 0;
  // One byte at an address inside a usable region.
  virtual unsigned char ReadByte(std::uintptr_t address) = 0;
};

// The bytes a parameter text may hold: printable ASCII and tab.
inline bool IsHostTextByte(unsigned char byte) {
  return byte == 9 || (byte >= 32 && byte <= 126);
}

// Up to `maxCount` bytes of 7-bit text from `address`: a zero byte ends it, unusable
// memory ends it, and any byte outside printable ASCII and tab empties the whole result.
// The memory is asked about a region once, and again only when the text crosses into
// the next one.
std::wstring ReadHostText(MemoryView& memory, std::uintptr_t address, std::size_t maxCount);

}  // namespace duduve
