#include "core/host_text_reader.h"

namespace duduve {

std::wstring ReadHostText(MemoryView& memory, std::uintptr_t address, std::size_t maxCount) {
  if (address == 0) return {};
  std::size_t usable = memory.UsableBytesFrom(address);
  if (usable == 0) return {};
  std::wstring text;
  for (std::size_t i = 0; i < maxCount; ++i) {
    const std::uintptr_t at = address + i;
    if (usable == 0) {
      // Past the end of the region: the next one is asked about once. A text that runs
      // to the top of the address space ends there.
      if (at < address) return text;
      usable = memory.UsableBytesFrom(at);
      if (usable == 0) return text;
    }
    const unsigned char byte = memory.ReadByte(at);
    --usable;
    if (byte == 0) return text;
    if (!IsHostTextByte(byte)) return {};
    text.push_back(static_cast<wchar_t>(byte));
  }
  return text;
}

}  // namespace duduve
