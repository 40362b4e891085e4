// The parameter-text reader over made-up memory: regions that end mid-text, texts without
// a terminator, bytes that empty the text, and how often the memory is asked.
#include "core/host_text_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace duduve {
namespace {

// Regions laid end to end from kBase; a region is usable or not.
class FakeMemory : public MemoryView {
 public:
  static constexpr std::uintptr_t kBase = 0x10000;

  void AddRegion(const std::string& bytes, bool usable) {
    regions_.push_back({bytes_.size(), bytes.size(), usable});
    bytes_ += bytes;
  }
  std::uintptr_t At(std::size_t offset) const { return kBase + offset; }

  std::size_t UsableBytesFrom(std::uintptr_t address) override {
    ++Queries;
    for (const auto& region : regions_) {
      const std::uintptr_t start = kBase + region.Start;
      if (address >= start && address < start + region.Length) {
        return region.Usable ? start + region.Length - address : 0;
      }
    }
    return 0;
  }
  unsigned char ReadByte(std::uintptr_t address) override {
    EXPECT_TRUE(UsableBytesFrom(address) > 0) << "read of unusable memory";
    --Queries;  // the check above is not the reader's
    return static_cast<unsigned char>(bytes_.at(address - kBase));
  }

  int Queries = 0;

 private:
  struct Region {
    std::size_t Start;
    std::size_t Length;
    bool Usable;
  };
  std::vector<Region> regions_;
  std::string bytes_;
};

TEST(HostTextReader, StopsAtTheTerminatorAndAsksOnce) {
  FakeMemory memory;
  memory.AddRegion(std::string("Logo\0rest", 9), true);
  EXPECT_EQ(ReadHostText(memory, memory.At(0), 1024), L"Logo");
  EXPECT_EQ(memory.Queries, 1);
}

TEST(HostTextReader, ATextRunningIntoUnusableMemoryEndsThere) {
  FakeMemory memory;
  memory.AddRegion("Stretch", true);
  memory.AddRegion("XYZ", false);
  EXPECT_EQ(ReadHostText(memory, memory.At(0), 1024), L"Stretch");
  EXPECT_EQ(memory.Queries, 2);
  memory.Queries = 0;
  EXPECT_EQ(ReadHostText(memory, memory.At(7), 1024), L"");  // starts in the unusable part
  EXPECT_EQ(memory.Queries, 1);
}

TEST(HostTextReader, ATextCrossingIntoAnotherUsableRegionIsReadWhole) {
  FakeMemory memory;
  memory.AddRegion("Bot", true);
  memory.AddRegion("tom", true);
  memory.AddRegion(std::string(1, '\0'), true);
  EXPECT_EQ(ReadHostText(memory, memory.At(1), 1024), L"ottom");
  EXPECT_EQ(memory.Queries, 3);
}

TEST(HostTextReader, ReadsAtMostTheMaximumCount) {
  FakeMemory memory;
  memory.AddRegion(std::string(1500, '7'), true);
  EXPECT_EQ(ReadHostText(memory, memory.At(0), 1024), std::wstring(1024, L'7'));
  EXPECT_EQ(ReadHostText(memory, memory.At(0), 0), L"");
}

TEST(HostTextReader, OneByteOutsidePrintableAsciiEmptiesEverything) {
  for (const int byte : {1, 8, 10, 13, 31, 127, 128, 233, 255}) {
    FakeMemory memory;
    memory.AddRegion("Panel" + std::string(1, static_cast<char>(byte)) + "X", true);
    EXPECT_EQ(ReadHostText(memory, memory.At(0), 1024), L"") << byte;
  }
  FakeMemory memory;
  memory.AddRegion(std::string("a\tb ~", 5) + std::string(1, '\0'), true);
  EXPECT_EQ(ReadHostText(memory, memory.At(0), 1024), L"a\tb ~");
}

TEST(HostTextReader, TheNullAddressIsNeverAsked) {
  FakeMemory memory;
  EXPECT_EQ(ReadHostText(memory, 0, 1024), L"");
  EXPECT_EQ(memory.Queries, 0);
}

}  // namespace
}  // namespace duduve
