// Fuzzes the parameter-text reader over made-up memory: a run of regions, each usable or
// not, holding arbitrary bytes, with texts that start anywhere (also before or after the
// map and at the null address), run into unusable memory, miss their terminator, or run
// to the top of the address space. The reader's text, the number of region queries and
// the bytes it read are checked against a simple model that asks about every byte.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "core/host_text_reader.h"
#include "trapping_float.h"

namespace {

using duduve::MemoryView;

void Require(bool condition) {
  if (!condition) std::abort();
}

struct Region {
  std::size_t Start = 0;  // offset from the map's base
  std::size_t Length = 0;
  bool Usable = false;
};

// Regions laid end to end from `Base`; everything outside them is unusable. Offsets are
// taken modulo the address width, so a map may end exactly at the top of memory.
class MemoryMap : public MemoryView {
 public:
  std::uintptr_t Base = 0;
  std::vector<Region> Regions;
  std::vector<unsigned char> Bytes;  // one per offset of the map
  int Queries = 0;
  int Reads = 0;

  std::size_t Size() const { return Bytes.size(); }

  // The region holding an address, or null when the address is outside the map.
  const Region* RegionAt(std::uintptr_t address) const {
    const std::uintptr_t offset = address - Base;
    for (const auto& region : Regions) {
      if (offset >= region.Start && offset < region.Start + region.Length) return &region;
    }
    return nullptr;
  }

  std::size_t UsableBytesFrom(std::uintptr_t address) override {
    ++Queries;
    const Region* region = RegionAt(address);
    if (region == nullptr || !region->Usable) return 0;
    return region->Start + region->Length - (address - Base);
  }

  unsigned char ReadByte(std::uintptr_t address) override {
    ++Reads;
    // Reading memory the reader was not told is usable is the fault this hunts for.
    const Region* region = RegionAt(address);
    Require(region != nullptr && region->Usable);
    return Bytes[address - Base];
  }
};

struct Expected {
  std::wstring Text;
  int Queries = 0;
  int Reads = 0;
};

// Byte by byte: usable or not, then the byte's own rule. Queries happen at the start and
// wherever the text reaches a region boundary (or the end of the map).
Expected Model(const MemoryMap& map, std::uintptr_t start, std::size_t maxCount) {
  Expected expected;
  if (start == 0) return expected;
  auto usable = [&](std::uintptr_t address) {
    const Region* region = map.RegionAt(address);
    return region != nullptr && region->Usable;
  };
  auto isBoundary = [&](std::uintptr_t address) {
    const std::uintptr_t offset = address - map.Base;
    if (offset == map.Size()) return true;
    for (const auto& region : map.Regions) {
      if (offset == region.Start) return true;
    }
    return false;
  };
  expected.Queries = 1;
  if (!usable(start)) return expected;
  std::wstring text;
  for (std::size_t i = 0; i < maxCount; ++i) {
    if (i > std::numeric_limits<std::uintptr_t>::max() - start) break;  // past the top
    const std::uintptr_t at = start + i;
    if (i > 0 && isBoundary(at)) ++expected.Queries;
    if (!usable(at)) break;
    ++expected.Reads;
    const unsigned char byte = map.Bytes[at - map.Base];
    if (byte == 0) break;
    const bool kept = byte == 9 || (byte >= 32 && byte <= 126);
    if (!kept) {
      text.clear();
      break;
    }
    text.push_back(static_cast<wchar_t>(byte));
  }
  expected.Text = text;
  return expected;
}

// A content byte: raw, or steered towards long printable runs with the odd special byte.
unsigned char ContentByte(FuzzedDataProvider& data, bool printable) {
  const auto raw = data.ConsumeIntegral<unsigned char>();
  if (!printable) return raw;
  static constexpr unsigned char kSpecial[] = {0, 9, 10, 13, 31, 127, 128, 200, 255, 1};
  if (raw >= 246) return kSpecial[raw - 246];
  return static_cast<unsigned char>(32 + raw % 95);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const TrappingFloatExceptions traps;
  FuzzedDataProvider data(bytes, size);
  MemoryMap map;
  const int regionCount = data.ConsumeIntegralInRange(1, 8);
  std::size_t total = 0;
  for (int r = 0; r < regionCount; ++r) {
    const bool large = data.ConsumeIntegralInRange(0, 15) == 0;
    const std::size_t length = large ? data.ConsumeIntegralInRange<std::size_t>(1, 3000)
                                     : data.ConsumeIntegralInRange<std::size_t>(1, 48);
    map.Regions.push_back({total, length, data.ConsumeBool()});
    total += length;
  }

  switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
      map.Base = 0;
      break;  // the map starts at the null address
    case 1:
      map.Base = 0 - static_cast<std::uintptr_t>(total);
      break;  // ends at the top
    case 2:
      map.Base = data.ConsumeIntegral<std::uintptr_t>();
      break;
    default:
      map.Base = 0x10000;
      break;
  }
  if (map.Base != 0 && map.Base > std::numeric_limits<std::uintptr_t>::max() - total + 1) {
    map.Base = 0 - static_cast<std::uintptr_t>(total);  // no map wraps around
  }

  const bool printable = data.ConsumeBool();
  map.Bytes.resize(total);
  for (auto& byte : map.Bytes) byte = ContentByte(data, printable);

  // Where the text starts: inside the map, just before it or just after it.
  const auto offset =
      data.ConsumeIntegralInRange<std::int64_t>(-2, static_cast<std::int64_t>(total) + 2);
  const std::uintptr_t start = map.Base + static_cast<std::uintptr_t>(offset);
  const std::size_t maxCount =
      data.ConsumeBool() ? 1024 : data.ConsumeIntegralInRange<std::size_t>(0, total + 4);

  const auto expected = Model(map, start, maxCount);
  const auto text = duduve::ReadHostText(map, start, maxCount);
  Require(text == expected.Text);
  Require(map.Queries == expected.Queries);
  Require(map.Reads == expected.Reads);
  Require(text.size() <= maxCount);
  return 0;
}
